#include "lists/calendar_page.h"

#include <cmath>

namespace {

constexpr double kPageTitleHeight = 16.0;
constexpr double kDayHeaderHeight = 8.0;
constexpr double kGap = 1.5;  // between cells, between headers, below the headers

int Round(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

CalendarPageLayout MonthCalendarPage() {
    CalendarPageLayout page;
    const double left = page.margin, top = page.margin;
    const double width = page.pageWidth - 2 * page.margin;
    const double bottom = page.pageHeight - page.margin;

    page.title = MmBox{left, top, width, kPageTitleHeight};

    const double columnWidth = (width - (kGridColumns - 1) * kGap) / kGridColumns;
    const double headerTop = top + kPageTitleHeight;
    for (int c = 0; c < kGridColumns; ++c)
        page.headers[static_cast<size_t>(c)] = MmBox{left + c * (columnWidth + kGap), headerTop, columnWidth,
                                                     kDayHeaderHeight};

    constexpr int kRows = kGridCells / kGridColumns;
    const double cellsTop = headerTop + kDayHeaderHeight + kGap;
    const double rowHeight = (bottom - cellsTop - (kRows - 1) * kGap) / kRows;
    for (int k = 1; k <= kGridCells; ++k) {
        const int column = (k - 1) % kGridColumns, row = (k - 1) / kGridColumns;
        page.cells[static_cast<size_t>(k - 1)] =
            MmBox{left + column * (columnWidth + kGap), cellsTop + row * (rowHeight + kGap), columnWidth, rowHeight};
    }
    page.faceMmPerPixel = columnWidth / kDesignedCellWidth;
    return page;
}

DeviceBox ToDevice(const MmBox& box, double perMmX, double perMmY) {
    return DeviceBox{Round(box.left * perMmX), Round(box.top * perMmY), Round(box.width * perMmX),
                     Round(box.height * perMmY)};
}

uint32_t InkOnWhite(uint32_t colour) {
    // Relative luminance of sRGB, as the accessibility guidelines reckon contrast.
    auto linear = [](uint32_t channel) {
        const double c = (channel & 0xFF) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double luminance = 0.2126 * linear(colour) + 0.7152 * linear(colour >> 8) + 0.0722 * linear(colour >> 16);
    return (1.05 / (luminance + 0.05)) >= 3.0 ? (colour & 0xFFFFFF) : 0;
}
