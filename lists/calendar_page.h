// The printed month calendar's page, in millimetres: an A4 landscape sheet with the
// month's title, the seven week-day headers and six weeks of day cells, Monday
// first, as in the month view. Pure arithmetic, shared by the preview, the printer
// and the tests.
#pragma once

#include <array>
#include <cstdint>

#include "appearance/grid_layout.h"

struct MmBox {
    double left = 0, top = 0, width = 0, height = 0;
    double Right() const { return left + width; }
    double Bottom() const { return top + height; }
};

struct CalendarPageLayout {
    double pageWidth = 297.0;  // A4 landscape
    double pageHeight = 210.0;
    double margin = 10.0;
    MmBox title;
    std::array<MmBox, kGridColumns> headers;  // Monday .. Sunday
    std::array<MmBox, kGridCells> cells;      // n1 .. n42, row by row
    // Millimetres of one designed screen pixel of a day cell's face on the paper: the
    // face of the month view (designed 105 pixels wide) is enlarged to the cell.
    double faceMmPerPixel = 0;
};

// The designed width of a day cell of the month view, in pixels at 96 DPI.
constexpr int kDesignedCellWidth = 105;

CalendarPageLayout MonthCalendarPage();

// A box in device pixels at `perMmX` and `perMmY` pixels per millimetre. Every box of the same size in millimetres
// gets the same size in pixels (the corner and the size are rounded, not both
// corners), so all day cells on a page are alike to the pixel.
struct DeviceBox {
    int left = 0, top = 0, width = 0, height = 0;
};
DeviceBox ToDevice(const MmBox& box, double perMmX, double perMmY);

// A title word's colour ($00BBGGRR) as the printed calendar writes it on white paper:
// the colour itself when it reads well there (a contrast of at least 3 to 1 with
// white), else black.
uint32_t InkOnWhite(uint32_t colour);
