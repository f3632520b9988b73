#include "ui/speed_button.h"

#include <algorithm>
#include <utility>

#include "ui/application.h"
#include "ui/cursors.h"
#include "ui/dpi.h"
#include "ui/panel.h"
#include "ui/tool_tip.h"

namespace {

POINT ClientPoint(LPARAM lp) { return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))}; }

COLORREF HalfWay(COLORREF a, COLORREF b) {
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

}  // namespace

SpeedButton::~SpeedButton() {
    if (host_) host_->Buttons().Remove(*this);
}

void SpeedButton::Create(BevelPanel& host, int x, int y, int w, int h, int glyphResourceId, const std::wstring& hint,
                         bool showTooltip) {
    ownGlyph_ = ImageList(glyphResourceId, 1);
    pictures_ = &ownGlyph_;
    picture_ = 0;
    Place(host, RECT{Px(x), Px(y), Px(x) + Px(w), Px(y) + Px(h)}, hint, showTooltip);
}

void SpeedButton::Create(BevelPanel& host, const RECT& bounds, const ImageList& pictures, int picture,
                         const std::wstring& hint, bool showTooltip) {
    pictures_ = &pictures;
    picture_ = picture;
    Place(host, bounds, hint, showTooltip);
}

void SpeedButton::Place(BevelPanel& host, const RECT& bounds, const std::wstring& hint, bool showTooltip) {
    hint_ = hint;
    showTooltip_ = showTooltip;
    bounds_ = bounds;
    if (host_ != &host) {
        if (host_) host_->Buttons().Remove(*this);
        host.Buttons().Add(*this);
    }
    Invalidate();
}

void SpeedButton::Invalidate() const {
    if (host_) host_->InvalidatePart(bounds_);
}

void SpeedButton::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Invalidate();
}

void SpeedButton::SetDown(bool down) {
    if (down_ == down) return;
    down_ = down;
    Invalidate();
}

void SpeedButton::Click() {
    if (enabled_ && OnClick) OnClick();
}

void SpeedButton::DropDownClick() {
    if (!enabled_ || !DropDown) return;
    if (!Split)
        Click();
    else if (OnDropDown)
        OnDropDown();
}

HWND SpeedButton::Tooltip() const { return host_ && showTooltip_ ? host_->Buttons().Tooltip() : nullptr; }

void SpeedButton::SetBounds(int x, int y, int w, int h) {
    const RECT next{x, y, x + std::max(w, 0), y + std::max(h, 0)};
    if (EqualRect(&next, &bounds_)) return;
    Invalidate();
    bounds_ = next;
    Invalidate();
    if (host_) host_->Buttons().Moved(*this);
}

bool SpeedButton::Hot() const { return host_ && host_->Buttons().HotButton() == this; }

bool SpeedButton::KeyMarked() const { return host_ && host_->Buttons().KeyMark() == this; }

bool SpeedButton::Pressed() const { return host_ && host_->Buttons().PressedButton() == this; }

void SpeedButton::Paint(Canvas& canvas) const {
    const RECT r{0, 0, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top};
    COLORREF back = Background;
    if (back == CLR_INVALID) back = host_ ? host_->Color() : GetSysColor(COLOR_BTNFACE);
    const bool marked = KeyMarked();
    const bool hot = enabled_ && (Hot() || marked);
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    // A two-state button that is down shows a lighter face until the mouse comes over it.
    canvas.Fill(r, TwoState && down_ && !hot ? HalfWay(back, light) : back);
    RECT face = r, arrow{r.right, 0, r.right, r.bottom};
    if (DropDown) face.right = arrow.left = r.right - ArrowWidth();
    // A split button's face is lowered while the mouse holds it, its arrow while its
    // menu is open; any other button as a whole.
    const bool faceDown = Split ? Pressed() : down_ || Pressed();
    const bool arrowDown = Split ? down_ : faceDown;
    auto frame = [&](RECT part, bool lowered) {
        if (enabled_ && (lowered || hot)) canvas.Frame3D(part, lowered ? shadow : light, lowered ? light : shadow, 1);
    };
    if (Split) {
        frame(face, faceDown);
        frame(arrow, arrowDown);
    } else {
        frame(r, faceDown);
    }
    if (DropDown) {
        const int offset = arrowDown ? 1 : 0;
        PaintArrow(canvas, RECT{arrow.left + offset, offset, arrow.right + offset, r.bottom + offset});
    }
    if (pictures_) {
        const int size = pictures_->Size(), offset = faceDown ? 1 : 0;
        pictures_->Draw(canvas.Dc(), picture_, (face.right - size) / 2 + offset, (face.bottom - size) / 2 + offset,
                        enabled_);
    }
    if (marked) {  // the keyboard's mark: a dotted frame inside the face, black and white
        RECT mark = face;
        InflateRect(&mark, -2, -2);
        const COLORREF oldText = SetTextColor(canvas.Dc(), RGB(0, 0, 0));
        const COLORREF oldBack = SetBkColor(canvas.Dc(), RGB(255, 255, 255));
        DrawFocusRect(canvas.Dc(), &mark);
        SetTextColor(canvas.Dc(), oldText);
        SetBkColor(canvas.Dc(), oldBack);
    }
}

int SpeedButton::ArrowWidth() const { return DropDown ? Px(kArrowWidth) : 0; }

bool SpeedButton::InArrow(POINT hostClient) const {
    return DropDown && PtInRect(&bounds_, hostClient) && hostClient.x >= bounds_.right - ArrowWidth();
}

// A small downward triangle in the middle of `part`.
void SpeedButton::PaintArrow(Canvas& canvas, const RECT& part) const {
    const int half = std::max(Px(5) / 2, 2);
    const int cx = (part.left + part.right) / 2, top = (part.top + part.bottom) / 2 - half / 2;
    const COLORREF colour = GetSysColor(enabled_ ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int row = 0; row <= half; ++row) canvas.Fill(RECT{cx - half + row, top + row, cx + half - row + 1, top + row + 1}, colour);
}

SpeedButtons::~SpeedButtons() {
    for (SpeedButton* button : buttons_) button->host_ = nullptr;
    // The panel's window goes after this (with the window base): its hints must not
    // outlive the buttons they come from.
    if (hintsProvided_ && host_.Handle()) Application::Get().ForgetHint(host_.Handle());
}

void SpeedButtons::Add(SpeedButton& button) {
    buttons_.push_back(&button);
    button.host_ = &host_;
    if (!hintsProvided_ && host_.Handle()) {
        hintsProvided_ = true;
        Application::Get().SetHintProvider(host_.Handle(), [this](POINT client) {
            const SpeedButton* under = At(client);
            return under ? under->hint_ : std::wstring();
        });
    }
}

void SpeedButtons::Remove(SpeedButton& button) {
    button.Invalidate();
    if (hot_ == &button) hot_ = nullptr;
    if (pressed_ == &button) pressed_ = nullptr;
    if (keyMark_ == &button) keyMark_ = nullptr;
    if (tooltip_ && button.showTooltip_) {
        TTTOOLINFOW info = ToolOf(host_.Handle(), button.ToolId());
        SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), &button), buttons_.end());
    button.host_ = nullptr;
}

void SpeedButtons::Moved(const SpeedButton& button) {
    if (!tooltip_ || !button.showTooltip_) return;
    TTTOOLINFOW info = ToolOf(host_.Handle(), button.ToolId());
    info.rect = button.bounds_;
    SendMessageW(tooltip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void SpeedButtons::Paint(Canvas& canvas, const RECT& clip) const {
    for (const SpeedButton* button : buttons_) PaintPart(canvas, clip, *button);
}

SpeedButton* SpeedButtons::At(POINT client) const {
    for (SpeedButton* button : buttons_)
        if (PtInRect(&button->bounds_, client)) return button;
    return nullptr;
}

void SpeedButtons::SetHot(SpeedButton* button) {
    if (button == hot_) return;
    if (hot_) hot_->Invalidate();
    hot_ = button;
    if (!hot_) return;
    hot_->Invalidate();
    if (!tracking_) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, host_.Handle(), 0};
        tracking_ = TrackMouseEvent(&tme) != FALSE;
    }
}

// One tip window for the panel, a tool for each button that shows its hint; the tip
// watches the panel's mouse from then on.
void SpeedButtons::CreateTooltip(UINT msg, WPARAM wp, LPARAM lp) {
    tooltip_ = CreateToolTipWindow(host_.Handle());
    if (!tooltip_) return;
    for (SpeedButton* button : buttons_) {
        if (!button->showTooltip_) continue;
        TTTOOLINFOW info = ToolOf(host_.Handle(), button->ToolId());
        info.uFlags = TTF_SUBCLASS;
        info.rect = button->bounds_;
        info.lpszText = button->hint_.data();
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    RelayMouseMessage(tooltip_, host_.Handle(), msg, wp, lp);
}

bool SpeedButtons::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    result = 0;
    switch (msg) {
        case WM_MOUSEMOVE: {
            SpeedButton* under = At(ClientPoint(lp));
            if (under && under->showTooltip_ && !tooltip_) CreateTooltip(msg, wp, lp);
            SetHot(under);
            return false;  // the panel's own handling goes on
        }
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (pressed_ && GetCapture() == host_.Handle()) return false;
            SetHot(nullptr);
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetKeyMark(nullptr);  // the mouse takes over from the keyboard
            SpeedButton* under = At(ClientPoint(lp));
            if (!under) return false;
            if (under->enabled_ && (under->Split ? under->InArrow(ClientPoint(lp)) : under->DropDown)) {
                // Its menu: the press opens it, and no tip may come up over the menu:
                // the tip is switched off, and told the mouse has left its tools, so a
                // showing it had begun to wait for is called off too.
                if (tooltip_) {
                    SendMessageW(tooltip_, TTM_ACTIVATE, FALSE, 0);
                    RelayMouseMessage(tooltip_, host_.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(-1, -1));
                }
                under->DropDownClick();
                if (tooltip_) SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
            } else if (under->enabled_) {
                pressed_ = under;
                SetCapture(host_.Handle());
                under->Invalidate();
            }
            return true;
        }
        case WM_LBUTTONUP: {
            SpeedButton* was = pressed_;
            if (!was) return false;
            pressed_ = nullptr;
            was->Invalidate();
            if (GetCapture() == host_.Handle()) ReleaseCapture();
            SpeedButton* under = At(ClientPoint(lp));
            SetHot(under);
            if (under == was) was->Click();
            return true;
        }
        case WM_CAPTURECHANGED:
            if (pressed_ && reinterpret_cast<HWND>(lp) != host_.Handle()) {
                SpeedButton* was = std::exchange(pressed_, nullptr);
                was->Invalidate();
            }
            return false;
        case WM_SETCURSOR: {
            if (reinterpret_cast<HWND>(wp) != host_.Handle() || LOWORD(lp) != HTCLIENT) return false;
            POINT p{};
            GetCursorPos(&p);
            ScreenToClient(host_.Handle(), &p);
            if (!At(p)) return false;
            SetCursor(HandCursor());
            result = TRUE;
            return true;
        }
        case WM_DESTROY:
            if (hintsProvided_) Application::Get().ForgetHint(host_.Handle());
            hintsProvided_ = false;
            return false;
        default:
            return false;
    }
}

void SpeedButtons::SetKeyMark(SpeedButton* button) {
    if (keyMark_ == button) return;
    if (keyMark_) keyMark_->Invalidate();
    keyMark_ = button;
    if (!button) return;
    button->Invalidate();
    NotifyPartEvent(host_.Handle(), EVENT_OBJECT_FOCUS, host_.PartOf(*button));
}
