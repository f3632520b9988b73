#include "ui/dpi.h"

#include <windows.h>

#include "ui/canvas.h"

int Dpi() {
    static const int dpi = [] {
        // Windows 10 answers without a screen DC (under Wine a screen DC is a dozen
        // round trips to the window server); earlier systems are asked through one.
        using SystemDpi = UINT(WINAPI*)();
        const auto systemDpi = reinterpret_cast<SystemDpi>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForSystem")));
        int value = systemDpi ? static_cast<int>(systemDpi()) : 0;
        if (value <= 0) {
            WindowDC screen(nullptr);
            value = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        }
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int Px(int designed) { return Dpi() == 96 ? designed : MulDiv(designed, Dpi(), 96); }
