#include "ui/tool_tip.h"

#include <uxtheme.h>
#include <windowsx.h>

#include "ui/application.h"
#include "ui/common_controls.h"

HWND CreateToolTipWindow(HWND owner) {
    EnsureCommonControls();
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tip) return nullptr;
    SetWindowTheme(tip, L"", L"");
    SendMessageW(tip, TTM_SETTIPBKCOLOR, Application::Get().HintColour, 0);
    return tip;
}

TTTOOLINFOW ToolOf(HWND hwnd, UINT_PTR id) {
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = hwnd;
    info.uId = id;
    return info;
}

void RelayMouseMessage(HWND tip, HWND from, UINT msg, WPARAM wp, LPARAM lp) {
    const DWORD at = GetMessagePos();
    MSG move{from, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)}};
    SendMessageW(tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&move));
}
