#include "ui/system_look.h"

namespace {

constexpr const wchar_t* kDarkFrameMark = L"Tivorn.DarkFrame";
// DWMWA_USE_IMMERSIVE_DARK_MODE: 20 since Windows 10 20H1, 19 on the builds before.
constexpr DWORD kDarkModeAttribute = 20, kDarkModeAttributeBefore20H1 = 19;

using SetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);

// dwmapi's DwmSetWindowAttribute: loaded by the first dark frame, not at start. The
// library stays for the rest of the run, as an imported one would.
SetWindowAttribute DwmAttributeSetter(bool load) {
    HMODULE dwm = GetModuleHandleW(L"dwmapi.dll");
    if (!dwm && load) dwm = LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!dwm) return nullptr;
    return reinterpret_cast<SetWindowAttribute>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
}

void SetDarkFrame(HWND window, bool dark) {
    // A light frame is what every window starts with: nothing to load for it.
    const SetWindowAttribute set = DwmAttributeSetter(dark);
    if (!set) return;
    const BOOL value = dark ? TRUE : FALSE;
    if (FAILED(set(window, kDarkModeAttribute, &value, sizeof value)))
        set(window, kDarkModeAttributeBefore20H1, &value, sizeof value);
}

struct FrameChange {
    HWND main;
    bool dark;
};

BOOL CALLBACK SetOwnedFrame(HWND window, LPARAM lp) {
    const auto& change = *reinterpret_cast<const FrameChange*>(lp);
    if (GetWindow(window, GW_OWNER) == change.main) SetDarkFrame(window, change.dark);
    return TRUE;
}

}  // namespace

bool HighContrastOn() {
    HIGHCONTRASTW hc{sizeof hc};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

SystemColours CurrentSystemColours() {
    return {GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HIGHLIGHT),
            GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT),
            GetSysColor(COLOR_GRAYTEXT)};
}

bool WindowsAppsDark() {
    DWORD light = 1, size = sizeof light;
    const LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                                        L"AppsUseLightTheme", RRF_RT_REG_DWORD, nullptr, &light, &size);
    return status == ERROR_SUCCESS && light == 0;
}

bool ChangesTheLook(WPARAM wp, LPARAM lp) {
    if (wp == SPI_SETHIGHCONTRAST) return true;
    const auto* area = reinterpret_cast<const wchar_t*>(lp);
    return area && lstrcmpiW(area, L"ImmersiveColorSet") == 0;
}

void SetDarkFrames(HWND main, bool dark) {
    if (dark)
        SetPropW(main, kDarkFrameMark, reinterpret_cast<HANDLE>(1));
    else
        RemovePropW(main, kDarkFrameMark);
    SetDarkFrame(main, dark);
    FrameChange change{main, dark};
    EnumThreadWindows(GetCurrentThreadId(), SetOwnedFrame, reinterpret_cast<LPARAM>(&change));
}

void FollowOwnersFrame(HWND window, HWND owner) {
    if (owner && GetPropW(owner, kDarkFrameMark)) SetDarkFrame(window, true);
}

void ForgetDarkFrames(HWND main) { RemovePropW(main, kDarkFrameMark); }
