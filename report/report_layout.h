// Page arithmetic of a banded report, in millimetres: where the page header, the
// detail rows and the page footer of every page stand. Pure arithmetic; the
// painter measures how many lines each row's text takes and hands the counts in.
#pragma once

#include <cstddef>
#include <vector>

// The paper a layout is made for; print jobs ask the printer for it.
enum class PaperSize { A4 };
enum class PaperOrientation { Portrait, Landscape };

// Width and height of the sheet as it lies for printing, in millimetres.
double PaperWidthMm(PaperSize size, PaperOrientation orientation);
double PaperHeightMm(PaperSize size, PaperOrientation orientation);

struct ReportGeometry {
    PaperSize paper = PaperSize::A4;
    PaperOrientation orientation = PaperOrientation::Portrait;
    double pageWidth = 210.0;  // follow the paper (SetPaper)
    double pageHeight = 297.0;
    double margin = 10.0;        // all round
    double headerHeight = 29.4;  // page header band
    double footerHeight = 10.6;  // page footer band, at the bottom of the printable area
    double rowHeight = 5.0;      // detail band with one line of text
    double lineHeight = 4.5;     // each further line of a growing row

    // Another paper or orientation; the page size follows, the margins and bands stay.
    void SetPaper(PaperSize size, PaperOrientation turn);

    double BandWidth() const { return pageWidth - 2 * margin; }
    double DetailTop() const { return margin + headerHeight; }
    double FooterTop() const { return pageHeight - margin - footerHeight; }
    double DetailSpace() const { return FooterTop() - DetailTop(); }
};

struct PlacedRow {
    size_t index = 0;   // row of the report's data
    double top = 0;     // on the page
    double height = 0;
};

struct PageLayout {
    int number = 1;  // from 1
    double headerTop = 0;
    double footerTop = 0;
    std::vector<PlacedRow> rows;
};

// Height of a detail row whose tallest cell needs `lineCount` lines (at least one).
double RowHeight(const ReportGeometry& g, int lineCount);
// One-line rows that fit on a page.
int RowsPerPage(const ReportGeometry& g);
// Rows in order, a new page whenever the next row would reach into the footer. A row
// taller than a whole page still gets a page of its own. Every page has its header
// and footer; no rows give one page.
std::vector<PageLayout> LayOutPages(const ReportGeometry& g, const std::vector<int>& lineCounts);
