// A small banded report: a page header, detail rows made of text columns and a page
// footer, laid out in millimetres on A4 pages (report_layout.h) and drawn by one
// painter into any device context — the preview window, a test bitmap or a printer —
// at a given number of device pixels per millimetre.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "report/report_layout.h"

struct ReportFont {
    std::wstring face = L"Arial";
    double points = 10;
    bool bold = false;
};

enum class ReportAlign { Left, Center, Right };

// A text box; in a band its place is relative to the band's top left corner, on a
// page relative to the paper's.
struct ReportText {
    std::wstring name;
    double left = 0, top = 0, width = 0, height = 0;
    std::wstring text;
    ReportFont font;
    COLORREF colour = 0;
    ReportAlign align = ReportAlign::Left;
    bool wordWrap = false;     // further lines go below, the box grows with them
    bool opaque = false;       // the box is filled with `background` behind the text
    COLORREF background = 0xFFFFFF;
    bool pageNumber = false;   // the page's number is added to the text
};

// A horizontal line of the given width.
struct ReportRule {
    double left = 0, top = 0, width = 0;
};

struct ReportBand {
    double height = 0;
    std::vector<ReportText> texts;
    std::vector<ReportRule> rules;
};

// The definition: bands and the detail columns (one text per column, the row's
// pieces fill them in order).
struct ReportDefinition {
    std::wstring title;
    ReportGeometry geometry;
    ReportBand pageHeader;
    ReportText detailTemplate;              // font and height of detail texts
    std::vector<ReportText> detailColumns;  // left, top, width, align, wordWrap
    ReportBand pageFooter;
};

// One printed page: everything in paper millimetres.
struct ReportArea {
    double left = 0, top = 0, width = 0, height = 0;
};

struct ReportPage {
    int number = 1;
    std::vector<ReportArea> bands;  // white band areas
    std::vector<ReportText> texts;
    std::vector<ReportRule> rules;
    // Texts of the detail rows on this page, row by row (for checks and the preview).
    std::vector<std::vector<std::wstring>> rows;
};

struct ReportDocument {
    std::wstring title;
    double pageWidth = 210, pageHeight = 297;
    std::vector<ReportPage> pages;
};

// Lines a text needs in a box `widthMm` wide (word wrap as the painter does it); at least 1.
int MeasureLines(const std::wstring& text, const ReportFont& font, double widthMm);

// Lays the rows out into pages: header and footer on every page, rows growing by
// the lines their wrapping columns need.
ReportDocument BuildReport(const ReportDefinition& def, const std::vector<std::vector<std::wstring>>& rows);

// Draws a page: paper millimetre (x, y) goes to device (originX + x·scale, originY + y·scale).
void PaintReportPage(HDC dc, const ReportPage& page, double devicePerMm, int originX = 0, int originY = 0);

// Prints every page as one job; returns the number of pages printed, 0 when the job failed.
int PrintReport(HDC printer, const ReportDocument& doc, const std::wstring& jobName);
