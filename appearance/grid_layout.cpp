#include "appearance/grid_layout.h"

#include <algorithm>

CellBox DayCellBox(int k, int areaWidth, int areaHeight) {
    const int cw = std::max(0, (areaWidth - 50) / 7);
    const int ch = std::max(0, (areaHeight - 60) / 6);
    const int column = (k - 1) % kGridColumns;
    const int row = (k - 1) / kGridColumns;
    return CellBox{column * (cw + 7) + 4, row * (ch + 4) + 36, cw, ch};
}

CellBox HeaderBox(int tag, int areaWidth) {
    const int hw = std::max(0, (areaWidth - 16) / 7);
    return CellBox{tag * (hw + 2) + 2, kHeaderTop, hw, kHeaderHeight};
}
