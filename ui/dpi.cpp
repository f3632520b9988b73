#include "ui/dpi.h"

#include <windows.h>

int Dpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int Px(int designed) { return Dpi() == 96 ? designed : MulDiv(designed, Dpi(), 96); }
