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

void TJPanel::SetNap(int value) {
    if (value == nap_) return;
    nap_ = value;
    Repaint();
}

void TJPanel::SetNevNap(const std::wstring& value) {
    if (value == nevNap_) return;
    nevNap_ = value;
    Repaint();
}

void TJPanel::SetTxt1(const std::wstring& value) {
    if (value == txt1_) return;
    txt1_ = value;
    Repaint();
}

void TJPanel::SetTxt2(const std::wstring& value) {
    if (value == txt2_) return;
    txt2_ = value;
    Repaint();
}

void TJPanel::SetVanFile(bool value) {
    if (value == vanFile_) return;
    vanFile_ = value;
    Repaint();
}

void TJPanel::SetDatum(const Date& value) {
    if (value == datum_) return;
    datum_ = value;
    Repaint();
}

void TJPanel::SetMSzin1(COLORREF value) {
    if (value == mSzin1_) return;
    mSzin1_ = value;
    Repaint();
}

void TJPanel::SetMSzin2(COLORREF value) {
    if (value == mSzin2_) return;
    mSzin2_ = value;
    Repaint();
}

void TJPanel::SetMarks(const std::optional<DayMarks>& value) {
    if (value == marks_) return;
    marks_ = value;
    Repaint();
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
        return;
    }
    shown_ = true;
    InvalidateFace();
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

DayFace TJPanel::Face() const {
    return DayFace{nap_, nevNap_, txt1_, txt2_, vanFile_, datum_, mSzin1_, mSzin2_, marks_};
}

DayCellLook TJPanel::Look() const { return DayCellLook{BevelOuter, BevelInner, BevelWidth, BorderWidth, colour_}; }

void TJPanel::Paint(Canvas& canvas) {
    paintPending_ = false;
    const RECT client = ClientRect();
    DayCellPainter::Screen().Paint(canvas, client, Face(), Look());
    if (Focused() && !FocusCuesHidden(grid_->Handle())) {
        const int inset = FocusInset(BevelOuter != Bevel::None, BevelInner != Bevel::None, BevelWidth, BorderWidth);
        RECT focus = client;
        InflateRect(&focus, -inset, -inset);
        SetBkColor(canvas.Dc(), RGB(255, 255, 255));
        SetTextColor(canvas.Dc(), RGB(0, 0, 0));
        DrawFocusRect(canvas.Dc(), &focus);
    }
}

void TJPanel::DrawContent(Canvas& canvas) { DayCellPainter::Screen().PaintFace(canvas, ClientRect(), Face()); }
