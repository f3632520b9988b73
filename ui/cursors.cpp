#include "ui/cursors.h"

HCURSOR ArrowCursor() {
    static const HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
    return cursor;
}

HCURSOR HandCursor() {
    static const HCURSOR cursor = LoadCursorW(nullptr, IDC_HAND);
    return cursor;
}
