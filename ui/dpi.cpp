#include "ui/dpi.h"

#include <windows.h>

#include "ui/canvas.h"

int Dpi() {
    static const int dpi = [] {
        WindowDC screen(nullptr);
        int value = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int Px(int designed) { return Dpi() == 96 ? designed : MulDiv(designed, Dpi(), 96); }
