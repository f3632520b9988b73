#include "ui/speed_button.h"
#include "ui/dpi.h"

#include <commctrl.h>

#include "ui/application.h"
#include "ui/canvas.h"
#include "ui/cursors.h"
#include "ui/panel.h"
#include "ui/tool_tip.h"

void SpeedButton::Create(HWND parent, int x, int y, int w, int h, int glyphResourceId, const std::wstring& hint,
                         bool showTooltip) {
    glyph_ = IconHandle(glyphResourceId, 16);
    CreateOwnWindow(L"TivornSpeedButton", 0, WS_CHILD | WS_VISIBLE, Name, Px(x), Px(y), Px(w), Px(h), parent, nullptr,
                    HandCursor());
    Application::Get().SetHint(Handle(), hint);
    if (showTooltip) tooltipText_ = hint;
}

void SpeedButton::CreateTooltip(UINT msg, WPARAM wp, LPARAM lp) {
    tooltip_ = CreateToolTipWindow(Handle());
    if (!tooltip_) return;
    TTTOOLINFOW info = ToolOf(Handle(), reinterpret_cast<UINT_PTR>(Handle()));
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.lpszText = const_cast<wchar_t*>(tooltipText_.c_str());
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    RelayFirstMove(tooltip_, Handle(), msg, wp, lp);
}

void SpeedButton::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
}

void SpeedButton::Click() {
    if (enabled_ && OnClick) OnClick();
}

void SpeedButton::Paint(Canvas& canvas) {
    RECT r = ClientRect();
    COLORREF back = Background;
    if (back == CLR_INVALID) {
        auto* panel = dynamic_cast<Panel*>(Window::FromHandle(GetParent(Handle())));
        back = panel ? panel->Color() : GetSysColor(COLOR_BTNFACE);
    }
    canvas.Fill(r, back);
    RECT frame = r;
    if (enabled_ && (pressed_ || hot_)) {
        COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
        canvas.Frame3D(frame, pressed_ ? shadow : light, pressed_ ? light : shadow, 1);
    }
    if (glyph_.Get()) {
        int offset = pressed_ ? 1 : 0;
        int x = (r.right - 16) / 2 + offset, y = (r.bottom - 16) / 2 + offset;
        DrawState(canvas.Dc(), nullptr, nullptr, reinterpret_cast<LPARAM>(glyph_.Get()), 0, x, y, 16, 16,
                  DST_ICON | (enabled_ ? DSS_NORMAL : DSS_DISABLED));
    }
}

LRESULT SpeedButton::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_MOUSEMOVE:
            if (!tooltip_ && !tooltipText_.empty()) CreateTooltip(msg, wp, lp);
            if (!hot_) {
                hot_ = true;
                TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&tme);
                Invalidate();
            }
            return 0;
        case WM_MOUSELEAVE:
            hot_ = false;
            pressed_ = false;
            Invalidate();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!enabled_) return 0;
            pressed_ = true;
            SetCapture(Handle());
            Invalidate();
            return 0;
        case WM_LBUTTONUP: {
            bool wasPressed = pressed_;
            pressed_ = false;
            if (GetCapture() == Handle()) ReleaseCapture();
            Invalidate();
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            RECT r = ClientRect();
            if (wasPressed && PtInRect(&r, pt)) Click();
            return 0;
        }
        case WM_DESTROY:
            Application::Get().ForgetHint(Handle());
            break;
        default:
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}
