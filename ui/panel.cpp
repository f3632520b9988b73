#include "ui/panel.h"
#include "ui/dpi.h"

#include "ui/drawn_panel.h"
#include "ui/form.h"
#include "platform/eljaras.h"

#include <algorithm>

UINT TextAlignment(Alignment alignment) {
    return alignment == Alignment::Left ? DT_LEFT : alignment == Alignment::Right ? DT_RIGHT : DT_CENTER;
}

BevelPanel::~BevelPanel() {
    for (DrawnPanel* part : drawnPanels_) part->host_ = nullptr;
}

SpeedButtons& BevelPanel::Buttons() {
    if (!speedButtons_) speedButtons_ = std::make_unique<SpeedButtons>(*this);
    return *speedButtons_;
}

void BevelPanel::AddDrawnPanel(DrawnPanel& part) {
    drawnPanels_.push_back(&part);
    part.host_ = this;
}

void BevelPanel::RemoveDrawnPanel(DrawnPanel& part) {
    InvalidatePart(part.bounds_);
    drawnPanels_.erase(std::remove(drawnPanels_.begin(), drawnPanels_.end(), &part), drawnPanels_.end());
    part.host_ = nullptr;
}

void BevelPanel::InvalidatePart(const RECT& r) {
    if (updating_) {
        if (IsRectEmpty(&pending_))
            pending_ = r;
        else
            UnionRect(&pending_, &pending_, &r);
        return;
    }
    // Each request is a round trip to the server under Wine: none for a hidden panel.
    if (Handle() && IsWindowVisible(Handle())) RedrawWindow(Handle(), &r, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
}

void BevelPanel::EndUpdate() {
    updating_ = false;
    if (!IsRectEmpty(&pending_)) InvalidatePart(pending_);
    pending_ = RECT{};
}

void BevelPanel::Create(HWND parent, int x, int y, int w, int h, const std::wstring& caption) {
    caption_ = caption;
    const DWORD clip = ClipsChildren() ? WS_CLIPCHILDREN : 0;
    CreateOwnWindow(ClassName(), ControlParent() ? WS_EX_CONTROLPARENT : 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | clip | ExtraStyle(),
                    caption, Px(x), Px(y), Px(w), Px(h), parent, nullptr, Cursor());
    if (!captionFont_) {
        if (auto* form = dynamic_cast<Form*>(Window::FromHandle(GetAncestor(parent, GA_ROOT))))
            drawnItems_.SetFallbackFont(form->FormFont());
    }
}

void BevelPanel::SetColor(COLORREF colour) {
    coloured_ = true;
    if (colour == colour_) return;
    colour_ = colour;
    Invalidate();
}

void BevelPanel::SetDesignColor(COLORREF colour) {
    if (!coloured_) SetColor(colour);
}

void BevelPanel::SetCaption(const std::wstring& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Invalidate();
}

void BevelPanel::SetFont(const FontSpec& wanted) {
    captionFont_ = MakeFont(wanted);
    drawnItems_.SetFallbackFont(captionFont_.Get());
    Invalidate();
}

HFONT BevelPanel::PanelFont() const {
    if (captionFont_) return captionFont_.Get();
    if (auto* form = dynamic_cast<Form*>(Window::FromHandle(GetAncestor(Handle(), GA_ROOT))))
        return form->FormFont();
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void PaintPanelFrame(Canvas& canvas, RECT& r, Bevel outer, Bevel inner, int bevelWidth, int borderWidth,
                     COLORREF colour) {
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    if (outer != Bevel::None)
        canvas.Frame3D(r, outer == Bevel::Raised ? light : shadow, outer == Bevel::Raised ? shadow : light, bevelWidth);
    canvas.Frame3D(r, colour, colour, borderWidth);
    if (inner != Bevel::None)
        canvas.Frame3D(r, inner == Bevel::Raised ? light : shadow, inner == Bevel::Raised ? shadow : light, bevelWidth);
}

void BevelPanel::PaintFrame(Canvas& canvas, RECT& r) const {
    PaintPanelFrame(canvas, r, BevelOuter, BevelInner, BevelWidth, BorderWidth, colour_);
}

void BevelPanel::Paint(Canvas& canvas) {
    RECT r = ClientRect();
    PaintFrame(canvas, r);
    canvas.Fill(r, colour_);
    if (!caption_.empty()) canvas.TextInRect(r, caption_, PanelFont(), FontColour, TextAlignment(CaptionAlignment));
    drawnItems_.Paint(canvas);
    if (drawnPanels_.empty() && !speedButtons_) return;
    RECT clip{};
    GetClipBox(canvas.Dc(), &clip);
    for (const DrawnPanel* part : drawnPanels_) PaintPart(canvas, clip, *part);
    if (speedButtons_) speedButtons_->Paint(canvas, clip);
}

int BevelPanel::AccessiblePartCount() const {
    return static_cast<int>(drawnPanels_.size() + (speedButtons_ ? speedButtons_->All().size() : 0));
}

AccessiblePart BevelPanel::DescribePart(int index) const {
    const auto at = static_cast<size_t>(index);
    if (at < drawnPanels_.size()) {
        const DrawnPanel& text = *drawnPanels_[at];
        return AccessiblePart{.role = PartRole::StaticText, .name = Trim(text.Caption()), .bounds = text.Bounds()};
    }
    const SpeedButton& button = *speedButtons_->All().at(at - drawnPanels_.size());
    unsigned states = 0;
    if (button.Pressed() || button.Down()) states |= kPartPressed;
    if (button.Hot()) states |= kPartHot;
    if (!button.Enabled()) states |= kPartUnavailable;
    if (button.KeyMarked()) states |= kPartFocused;
    return AccessiblePart{.role = button.DropDown ? PartRole::DropDownButton : PartRole::PushButton,
                          .name = button.Hint(),
                          .bounds = button.Bounds(),
                          .states = states,
                          .action = button.DropDown ? L"Megnyitás" : L"Lenyomás"};
}

void BevelPanel::DoPartAction(int index) {
    const auto at = static_cast<size_t>(index);
    if (at < drawnPanels_.size() || !speedButtons_) return;
    if (at - drawnPanels_.size() < speedButtons_->All().size()) speedButtons_->All()[at - drawnPanels_.size()]->Click();
}

int BevelPanel::FocusedPart() const {
    return speedButtons_ && speedButtons_->KeyMark() ? PartOf(*speedButtons_->KeyMark()) : -1;
}

int BevelPanel::PartOf(const SpeedButton& button) const {
    if (!speedButtons_) return -1;
    const auto& all = speedButtons_->All();
    const auto at = std::find(all.begin(), all.end(), &button);
    return at == all.end() ? -1 : static_cast<int>(drawnPanels_.size() + (at - all.begin()));
}

std::wstring BevelPanel::OwnName() const { return Trim(caption_); }

LRESULT BevelPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT answer = 0;
    if (speedButtons_ && speedButtons_->HandleMessage(msg, wp, lp, answer)) return answer;
    switch (msg) {
        case WM_SIZE:
            if (OnResize) OnResize(LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, colour_);
            SetDCBrushColor(dc, colour_);
            return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        }
        default:
            if (IsForwardedNotification(msg)) return RouteToForm(Handle(), msg, wp, lp);
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}
