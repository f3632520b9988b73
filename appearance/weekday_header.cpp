#include "appearance/weekday_header.h"

#include "appearance/day_grid.h"
#include "ui/dpi.h"

WeekdayHeader::~WeekdayHeader() {
    if (grid_) grid_->RemoveHeader(*this);
}

void WeekdayHeader::Create(DayGrid& grid, int x, int y, int w, int h, const std::wstring& caption) {
    if (grid_ != &grid) {
        if (grid_) grid_->RemoveHeader(*this);
        grid.AddHeader(*this);
    }
    caption_ = caption;
    SetBounds(Px(x), Px(y), Px(w), Px(h));
    Invalidate();
}

void WeekdayHeader::Invalidate() const {
    if (grid_) grid_->InvalidateFaceRect(bounds_);
}

void WeekdayHeader::SetColor(COLORREF colour) {
    if (colour == colour_) return;
    colour_ = colour;
    Invalidate();
}

void WeekdayHeader::SetFont(const FontSpec& wanted) {
    font_ = MakeFont(wanted);
    Invalidate();
}

void WeekdayHeader::SetBounds(int x, int y, int w, int h) {
    const RECT next{x, y, x + (w < 0 ? 0 : w), y + (h < 0 ? 0 : h)};
    if (EqualRect(&next, &bounds_)) return;
    Invalidate();
    bounds_ = next;
    Invalidate();
}

void WeekdayHeader::Paint(Canvas& canvas) const {
    RECT r{0, 0, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top};
    PaintPanelFrame(canvas, r, BevelOuter, BevelInner, BevelWidth, BorderWidth, colour_);
    canvas.Fill(r, colour_);
    if (!caption_.empty()) canvas.TextInRect(r, caption_, font_.Get(), FontColour, DT_CENTER);
}
