#include "appearance/grid_layout.h"

#include <algorithm>

namespace {

int Scaled(int designed, int dpi) { return dpi == 96 ? designed : designed * dpi / 96; }

}  // namespace

CellBox DayCellBox(int k, int areaWidth, int areaHeight, int dpi) {
    const int cw = std::max(0, (areaWidth - Scaled(50, dpi)) / 7);
    const int ch = std::max(0, (areaHeight - Scaled(60, dpi)) / 6);
    const int column = (k - 1) % kGridColumns;
    const int row = (k - 1) / kGridColumns;
    return CellBox{column * (cw + Scaled(7, dpi)) + Scaled(4, dpi), row * (ch + Scaled(4, dpi)) + Scaled(36, dpi), cw,
                   ch};
}

CellBox HeaderBox(int tag, int areaWidth, int dpi) {
    const int hw = std::max(0, (areaWidth - Scaled(16, dpi)) / 7);
    return CellBox{tag * (hw + Scaled(2, dpi)) + Scaled(2, dpi), Scaled(kHeaderTop, dpi), hw,
                   Scaled(kHeaderHeight, dpi)};
}
