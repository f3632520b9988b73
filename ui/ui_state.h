// Whether a window shows keyboard cues: Windows hides focus rectangles until the user
// first works with the keyboard (WM_QUERYUISTATE).
#pragma once

#include <windows.h>

inline bool FocusCuesHidden(HWND window) {
    return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}
