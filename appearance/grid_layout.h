// Where the weekday headers and the 42 day cells of the month view go, for a grid
// area of W x H pixels. Sizes never go below zero when the area is tiny.
#pragma once

struct CellBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const CellBox&, const CellBox&) = default;
};

constexpr int kGridCells = 42;
constexpr int kGridColumns = 7;
constexpr int kHeaderTop = 2;
constexpr int kHeaderHeight = 31;

// Cell n<k> (k = 1..42); its column is (k - 1) mod 7 and its row (k - 1) div 7.
// `dpi` scales the layout's own margins and gaps (96: the designed pixels).
CellBox DayCellBox(int k, int areaWidth, int areaHeight, int dpi = 96);

// Weekday header with Tag 0..6 (Monday..Sunday).
CellBox HeaderBox(int tag, int areaWidth, int dpi = 96);
