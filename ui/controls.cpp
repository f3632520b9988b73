#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/system_error.h"

HWND CreateControl(const wchar_t* className, DWORD style, DWORD exStyle, int x, int y, int w, int h, HWND parent,
                   int id, HFONT font, const std::wstring& text) {
    HWND hwnd = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, Px(x), Px(y), Px(w), Px(h), parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) ThrowLastError(L"CreateWindowEx(" + std::wstring(className) + L")");
    if (font) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

std::wstring WindowText(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}
