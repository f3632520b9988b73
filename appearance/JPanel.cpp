#include "appearance/JPanel.h"

#include <utility>

#include "appearance/day_face.h"
#include "appearance/day_grid.h"
#include "ui/dpi.h"
#include "ui/ui_state.h"

TJPanel::TJPanel(std::wstring name) : Name(std::move(name)) {}

TJPanel::~TJPanel() {
    if (grid_) grid_->RemoveFace(*this);
}

void TJPanel::Create(DayGrid& grid, int x, int y, int w, int h) {
    if (grid_ != &grid) {
        if (grid_) grid_->RemoveFace(*this);
        grid.AddFace(*this);
    }
    SetBounds(Px(x), Px(y), Px(w), Px(h));
    SetShown(true);
}

void TJPanel::SetColor(COLORREF colour) {
    if (colour == colour_) return;
    colour_ = colour;
    InvalidateFace();
}

void TJPanel::SetFace(const FaceColours& face) {
    if (face == face_) return;
    face_ = face;
    InvalidateFace();
}

void TJPanel::Repaint() {
    ++repaintCount_;
    InvalidateFace();
}

void TJPanel::InvalidateFace() {
    // A fill changes up to nine properties of a cell: one request until it is painted.
    if (!grid_ || !shown_ || paintPending_) return;
    paintPending_ = true;
    grid_->InvalidatePart(bounds_);
}

void TJPanel::SetContent(const CellContent& content) {
    // Shown and hidden is the cell's own (SetShown); the hint repaints nothing.
    CellContent next = content;
    next.visible = content_.visible;
    next.hint = content_.hint;
    if (next == content_) return;
    content_ = std::move(next);
    Repaint();
    if (grid_) grid_->FaceChanged(*this, EVENT_OBJECT_NAMECHANGE);
}

void TJPanel::SetBounds(int x, int y, int w, int h) {
    const RECT next{x, y, x + (w < 0 ? 0 : w), y + (h < 0 ? 0 : h)};
    if (EqualRect(&next, &bounds_)) return;
    // Both the place it leaves and the place it takes are painted again.
    if (grid_ && shown_) grid_->InvalidatePart(bounds_);
    bounds_ = next;
    paintPending_ = false;
    InvalidateFace();
}

POINT TJPanel::ToScreen(POINT cellPoint) const {
    POINT p{bounds_.left + cellPoint.x, bounds_.top + cellPoint.y};
    if (grid_ && grid_->Handle()) ClientToScreen(grid_->Handle(), &p);
    return p;
}

void TJPanel::SetShown(bool shown) {
    if (shown == shown_) return;
    if (!shown) {
        // Its place shows the grid's background from now on.
        if (grid_) grid_->InvalidatePart(bounds_);
        shown_ = false;
        paintPending_ = false;
        if (grid_) grid_->CellHidden(*this);
        if (grid_) grid_->FaceChanged(*this, EVENT_OBJECT_STATECHANGE);
        return;
    }
    shown_ = true;
    InvalidateFace();
    if (grid_) grid_->FaceChanged(*this, EVENT_OBJECT_STATECHANGE);
}

bool TJPanel::Focused() const { return grid_ && grid_->FocusedCell() == this; }

void TJPanel::Focus() {
    if (grid_) grid_->FocusCell(*this);
}

void TJPanel::CellMouseEnter() {
    hovered_ = true;
    colour_ = ColorOn;
    Repaint();
}

void TJPanel::CellMouseLeave() {
    hovered_ = false;
    colour_ = ColorOff;
    Repaint();
}

void TJPanel::CellMouseDown() {
    colour_ = ColorClick;
    Repaint();
}

void TJPanel::CellMouseUp() {
    // A window the click opened may have taken the mouse away from the cell.
    colour_ = hovered_ ? ColorOn : ColorOff;
    Repaint();
}

DayCellLook TJPanel::Look() const { return DayCellLook{BevelOuter, BevelInner, BevelWidth, BorderWidth, colour_, face_}; }

void TJPanel::Paint(Canvas& canvas) {
    paintPending_ = false;
    const RECT client = ClientRect();
    DayCellPainter::Screen().Paint(canvas, client, content_, Look());
    if (Focused() && (face_.focusAlwaysShown || !FocusCuesHidden(grid_->Handle()))) {
        const int inset = FocusInset(BevelOuter != Bevel::None, BevelInner != Bevel::None, BevelWidth, BorderWidth);
        RECT focus = client;
        InflateRect(&focus, -inset, -inset);
        SetBkColor(canvas.Dc(), RGB(255, 255, 255));
        SetTextColor(canvas.Dc(), RGB(0, 0, 0));
        DrawFocusRect(canvas.Dc(), &focus);
    }
}

void TJPanel::DrawContent(Canvas& canvas) { DayCellPainter::Screen().PaintFace(canvas, ClientRect(), content_, Look()); }
