// The printed month calendar's page in millimetres and in device pixels.
#include <gtest/gtest.h>

#include <cmath>

#include "lists/calendar_page.h"

namespace {

constexpr double kEps = 1e-9;

bool Inside(const MmBox& b, const CalendarPageLayout& p) {
    return b.left >= p.margin - kEps && b.top >= p.margin - kEps && b.Right() <= p.pageWidth - p.margin + kEps &&
           b.Bottom() <= p.pageHeight - p.margin + kEps && b.width > 0 && b.height > 0;
}

}  // namespace

TEST(CalendarPage, A4LandscapeTitleHeadersAndSixWeeksWithinTheMargins) {
    const CalendarPageLayout page = MonthCalendarPage();
    EXPECT_DOUBLE_EQ(page.pageWidth, 297.0);
    EXPECT_DOUBLE_EQ(page.pageHeight, 210.0);
    EXPECT_TRUE(Inside(page.title, page));
    EXPECT_NEAR(page.title.width, 277.0, kEps);

    const MmBox& first = page.cells[0];
    for (int k = 1; k <= kGridCells; ++k) {
        const MmBox& cell = page.cells[static_cast<size_t>(k - 1)];
        const int column = (k - 1) % 7, row = (k - 1) / 7;
        EXPECT_TRUE(Inside(cell, page)) << k;
        // All cells alike; columns under their headers; rows below the headers.
        EXPECT_NEAR(cell.width, first.width, kEps);
        EXPECT_NEAR(cell.height, first.height, kEps);
        EXPECT_NEAR(cell.left, page.headers[static_cast<size_t>(column)].left, kEps);
        EXPECT_NEAR(cell.width, page.headers[static_cast<size_t>(column)].width, kEps);
        EXPECT_GT(cell.top, page.headers[0].Bottom());
        if (column > 0) {
            EXPECT_GT(cell.left, page.cells[static_cast<size_t>(k - 2)].Right()) << k;
        }
        if (row > 0) {
            EXPECT_GT(cell.top, page.cells[static_cast<size_t>(k - 8)].Bottom()) << k;
        }
    }
    for (const MmBox& h : page.headers) {
        EXPECT_TRUE(Inside(h, page));
        EXPECT_GE(h.top, page.title.Bottom() - kEps);
    }
    // The grid fills the printable width and height.
    EXPECT_NEAR(page.cells[0].left, 10.0, kEps);
    EXPECT_NEAR(page.cells[6].Right(), 287.0, kEps);
    EXPECT_NEAR(page.cells[41].Bottom(), 200.0, kEps);
}

TEST(CalendarPage, TheScreenFaceIsEnlargedToTheCellAndFitsInIt) {
    const CalendarPageLayout page = MonthCalendarPage();
    const MmBox& cell = page.cells[0];
    EXPECT_NEAR(page.faceMmPerPixel * kDesignedCellWidth, cell.width, kEps);
    // In face pixels the cell is about as tall as a screen cell (72): the second
    // title line (at 55, 8 points high) stays inside, and the cell is not much
    // taller than the face needs.
    const double facePixelsHigh = cell.height / page.faceMmPerPixel;
    EXPECT_GE(facePixelsHigh, 68.0);
    EXPECT_LE(facePixelsHigh, 90.0);
    // Larger than on a 96 DPI screen (105 px = 27.8 mm), so it reads from a distance.
    EXPECT_GT(cell.width, 27.8);
}

TEST(CalendarPage, DeviceBoxesOfEqualCellsAreEqualAndNeverOverlap) {
    const CalendarPageLayout page = MonthCalendarPage();
    const double scales[][2] = {{600 / 25.4, 600 / 25.4}, {300 / 25.4, 600 / 25.4}, {96 / 25.4, 96 / 25.4},
                                {kDesignedCellWidth / page.cells[0].width, kDesignedCellWidth / page.cells[0].width},
                                {1.37, 1.37}};
    for (const auto& s : scales) {
        const DeviceBox first = ToDevice(page.cells[0], s[0], s[1]);
        for (int k = 1; k <= kGridCells; ++k) {
            const DeviceBox b = ToDevice(page.cells[static_cast<size_t>(k - 1)], s[0], s[1]);
            EXPECT_EQ(b.width, first.width) << k << " at " << s[0];
            EXPECT_EQ(b.height, first.height) << k << " at " << s[1];
            if ((k - 1) % 7 > 0) {
                const DeviceBox left = ToDevice(page.cells[static_cast<size_t>(k - 2)], s[0], s[1]);
                EXPECT_LE(left.left + left.width, b.left) << k;
            }
            if (k > 7) {
                const DeviceBox above = ToDevice(page.cells[static_cast<size_t>(k - 8)], s[0], s[1]);
                EXPECT_LE(above.top + above.height, b.top) << k;
            }
        }
        const DeviceBox last = ToDevice(page.cells[41], s[0], s[1]);
        EXPECT_LE(last.left + last.width, std::lround(page.pageWidth * s[0]));
        EXPECT_LE(last.top + last.height, std::lround(page.pageHeight * s[1]));
    }
    // At the scale that makes the face one screen pixel per pixel, a cell is the
    // designed 105 pixels wide.
    const double faceScale = 1.0 / page.faceMmPerPixel;
    EXPECT_EQ(ToDevice(page.cells[0], faceScale, faceScale).width, kDesignedCellWidth);
}

TEST(CalendarPage, TitleWordsKeepTheirColourOnlyWhereItReadsOnWhite) {
    const std::pair<uint32_t, uint32_t> cases[] = {
        {0x0000FF, 0x0000FF},  // red
        {0x800000, 0x800000},  // navy
        {0x008000, 0x008000},  // green
        {0x00FFFF, 0},         // yellow
        {0xC0C0C0, 0},         // silver
        {0xFFFF00, 0},         // aqua
        {0xFFFFFF, 0},
    };
    for (const auto& [colour, ink] : cases) EXPECT_EQ(InkOnWhite(colour), ink) << std::hex << colour;
}
