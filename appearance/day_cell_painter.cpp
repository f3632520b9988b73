#include "appearance/day_cell_painter.h"

#include <algorithm>
#include <cmath>

#include "appearance/JPanel.h"
#include "appearance/day_face.h"
#include "ui/dpi.h"
#include "ui/panel.h"

namespace {

constexpr COLORREF kNavy = 0x800000;

// The face's fonts at `scale`: on the screen (scale = DPI / 96) exactly the fonts of
// MakeFont with the same points.
Font CellFont(const wchar_t* face, int points, bool bold, double scale) {
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(points * 96.0 * scale / 72.0));
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return Font(CreateFontIndirectW(&lf));
}

}  // namespace

DayCellPainter::DayCellPainter(double scale)
    : scale_(scale),
      number_(CellFont(L"Tahoma", 12, true, scale)),
      nameDay_(CellFont(L"Tahoma", 8, false, scale)),
      title_(CellFont(L"Times New Roman", 8, false, scale)) {}

const DayCellPainter& DayCellPainter::Screen() {
    static const DayCellPainter painter(Dpi() / 96.0);
    return painter;
}

int DayCellPainter::Px(int designed) const { return ScaledPixels(designed, scale_); }

void DayCellPainter::Paint(Canvas& canvas, const RECT& box, const CellContent& cell, const DayCellLook& look) const {
    const int saved = SaveDC(canvas.Dc());
    IntersectClipRect(canvas.Dc(), box.left, box.top, box.right, box.bottom);
    RECT r = box;
    PaintPanelFrame(canvas, r, look.outer, look.inner, look.bevelWidth, look.borderWidth, look.colour);
    canvas.Fill(r, look.colour);
    PaintFace(canvas, box, cell);
    RestoreDC(canvas.Dc(), saved);
}

void DayCellPainter::PaintFace(Canvas& canvas, const RECT& box, const CellContent& cell) const {
    const int x = box.left, y = box.top, w = box.right - box.left, h = box.bottom - box.top;
    const bool today = cell.date == Today();

    const std::wstring number = std::to_wstring(cell.day);
    const DayMarks marks = cell.marks ? *cell.marks : DayMarks{IsRedLetterDay(cell.date), false};
    const DayNumberColours numberColours = NumberColours(today, marks.redLetter);
    canvas.Text(x + Px(6), y + Px(6), number, number_.Get(), numberColours.shadow);
    canvas.Text(x + Px(5), y + Px(5), number, number_.Get(), numberColours.number);

    canvas.Text(x + Px(5), y + Px(24), cell.nameDay, nameDay_.Get(), kNavy);

    const TitleWordRows rows = TitleRowsOf(h, scale_);
    canvas.Text(x + Px(5), y + rows.first, cell.txt1, title_.Get(), ResolveColour(cell.colour1));
    canvas.Text(x + Px(5), y + rows.second, cell.txt2, title_.Get(), ResolveColour(cell.colour2));

    const RECT marker{x + w - Px(15), y + Px(5), x + w - Px(5), y + Px(15)};
    const NoteMarkerColours markerColours = MarkerColours(cell.hasEntry);
    Marker(canvas, marker, markerColours.fill, markerColours.outline);
    if (marks.movedWorkday) MovedWorkdayMark(canvas, x + w, y + h);
}

// A Saturday worked in place of another day: a small navy corner at the bottom right,
// inside the bevels, where no text of the face reaches.
void DayCellPainter::MovedWorkdayMark(Canvas& canvas, int right, int bottom) const {
    const int inset = Px(3), size = Px(9);
    const POINT corner[] = {{right - inset, bottom - inset - size},
                            {right - inset, bottom - inset},
                            {right - inset - size, bottom - inset}};
    Brush brush(CreateSolidBrush(kNavy));
    Pen pen(CreatePen(PS_SOLID, 1, kNavy));
    SelectGuard b(canvas.Dc(), brush.Get());
    SelectGuard p(canvas.Dc(), pen.Get());
    Polygon(canvas.Dc(), corner, 3);
}

void DayCellPainter::Marker(Canvas& canvas, const RECT& r, COLORREF fill, COLORREF outline) const {
    const int width = std::max(1, Px(1));
    if (width == 1) {
        canvas.Ellipse(r, fill, outline);
        return;
    }
    // Enlarged, the one-pixel outline grows with the face and stays inside the box.
    Brush brush(CreateSolidBrush(fill));
    Pen pen(CreatePen(PS_INSIDEFRAME, width, outline));
    SelectGuard b(canvas.Dc(), brush.Get());
    SelectGuard p(canvas.Dc(), pen.Get());
    ::Ellipse(canvas.Dc(), r.left, r.top, r.right, r.bottom);
}
