#include "report/report_layout.h"

#include <algorithm>
#include <cmath>

namespace {
// Millimetre sums collect rounding noise; a row that fits to a hair still fits.
constexpr double kSlack = 1e-6;
}  // namespace

double PaperWidthMm(PaperSize size, PaperOrientation orientation) {
    (void)size;  // A4: 210 x 297 mm
    return orientation == PaperOrientation::Portrait ? 210.0 : 297.0;
}

double PaperHeightMm(PaperSize size, PaperOrientation orientation) {
    (void)size;
    return orientation == PaperOrientation::Portrait ? 297.0 : 210.0;
}

void ReportGeometry::SetPaper(PaperSize size, PaperOrientation turn) {
    paper = size;
    orientation = turn;
    pageWidth = PaperWidthMm(size, turn);
    pageHeight = PaperHeightMm(size, turn);
}

double RowHeight(const ReportGeometry& g, int lineCount) {
    return g.rowHeight + g.lineHeight * std::max(0, lineCount - 1);
}

int RowsPerPage(const ReportGeometry& g) {
    if (g.rowHeight <= 0) return 0;
    return static_cast<int>(std::floor(g.DetailSpace() / g.rowHeight + kSlack));
}

std::vector<PageLayout> LayOutPages(const ReportGeometry& g, const std::vector<int>& lineCounts) {
    std::vector<PageLayout> pages;
    auto newPage = [&] {
        PageLayout page;
        page.number = static_cast<int>(pages.size()) + 1;
        page.headerTop = g.margin;
        page.footerTop = g.FooterTop();
        pages.push_back(page);
    };
    newPage();
    double y = g.DetailTop();
    for (size_t i = 0; i < lineCounts.size(); ++i) {
        const double h = RowHeight(g, lineCounts[i]);
        if (y + h > g.FooterTop() + kSlack && !pages.back().rows.empty()) {
            newPage();
            y = g.DetailTop();
        }
        pages.back().rows.push_back(PlacedRow{i, y, h});
        y += h;
    }
    return pages;
}
