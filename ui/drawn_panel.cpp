#include "ui/drawn_panel.h"

#include "ui/dpi.h"

DrawnPanel::~DrawnPanel() {
    if (host_) host_->RemoveDrawnPanel(*this);
}

void DrawnPanel::Create(BevelPanel& host, int x, int y, int w, int h, const std::wstring& caption) {
    if (host_ != &host) {
        if (host_) host_->RemoveDrawnPanel(*this);
        host.AddDrawnPanel(*this);
    }
    caption_ = caption;
    SetBounds(Px(x), Px(y), Px(w), Px(h));
    Invalidate();
}

void DrawnPanel::Invalidate() const {
    if (host_) host_->InvalidatePart(bounds_);
}

void DrawnPanel::SetColor(COLORREF colour) {
    if (colour == colour_) return;
    colour_ = colour;
    Invalidate();
}

void DrawnPanel::SetCaption(const std::wstring& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Invalidate();
}

void DrawnPanel::SetFont(const FontSpec& wanted) {
    font_ = MakeFont(wanted);
    Invalidate();
}

HFONT DrawnPanel::PanelFont() const {
    if (font_) return font_.Get();
    return host_ ? host_->PanelFont() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void DrawnPanel::SetBounds(int x, int y, int w, int h) {
    const RECT next{x, y, x + (w < 0 ? 0 : w), y + (h < 0 ? 0 : h)};
    if (EqualRect(&next, &bounds_)) return;
    Invalidate();
    bounds_ = next;
    Invalidate();
}

void DrawnPanel::Paint(Canvas& canvas) const {
    RECT r{0, 0, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top};
    PaintPanelFrame(canvas, r, BevelOuter, BevelInner, BevelWidth, BorderWidth, colour_);
    canvas.Fill(r, colour_);
    if (!caption_.empty()) canvas.TextInRect(r, caption_, PanelFont(), FontColour, TextAlignment(CaptionAlignment));
}
