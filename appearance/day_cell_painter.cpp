#include "appearance/day_cell_painter.h"

#include <algorithm>
#include <cmath>

#include "appearance/JPanel.h"
#include "appearance/day_face.h"
#include "store/diary.h"
#include "ui/dpi.h"
#include "ui/panel.h"

namespace {

// The face's fonts at `scale`: on the screen (scale = DPI / 96) exactly the fonts of
// MakeFont with the same points.
Font CellFont(const wchar_t* face, int points, bool bold, double scale, bool italic = false) {
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(points * 96.0 * scale / 72.0));
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = italic ? TRUE : FALSE;
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
      title_(CellFont(L"Times New Roman", 8, false, scale)),
      repeatTitle_(CellFont(L"Times New Roman", 8, false, scale, true)) {}

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
    PaintFace(canvas, box, cell, look);
    RestoreDC(canvas.Dc(), saved);
}

void DayCellPainter::PaintFace(Canvas& canvas, const RECT& box, const CellContent& cell, const DayCellLook& look) const {
    const FaceColours& face = look.face;
    const int x = box.left, y = box.top, w = box.right - box.left, h = box.bottom - box.top;
    const bool today = cell.date == Today();

    const std::wstring number = std::to_wstring(cell.day);
    const DayMarks marks = cell.marks ? *cell.marks : DayMarks{IsRedLetterDay(cell.date), false};
    const DayNumberColours numberColours = NumberColours(today, marks.redLetter, face);
    // A shadow in the cell's own colour (high contrast) would only be drawn over.
    if (numberColours.shadow != look.colour)
        canvas.Text(x + Px(6), y + Px(6), number, number_.Get(), numberColours.shadow);
    canvas.Text(x + Px(5), y + Px(5), number, number_.Get(), numberColours.number);

    canvas.Text(x + Px(5), y + Px(24), cell.nameDay, nameDay_.Get(), face.nameDay);

    const TitleWordRows rows = TitleRowsOf(h, scale_);
    // A yearly entry shown in a later year: its titles in italics, the year's count
    // after the second one when it is asked for.
    HFONT titleFont = cell.repeated ? repeatTitle_.Get() : title_.Get();
    std::wstring second = cell.txt2;
    if (cell.repeated && cell.repeatCount > 0) {
        second.erase(second.find_last_not_of(L' ') + 1);
        second += (second.empty() ? L"" : L" ") + RepeatCountText(cell.repeatCount);
    }
    const auto title = [&](int32_t own) { return TitleWordColour(face, ResolveColour(own), look.colour); };
    canvas.Text(x + Px(5), y + rows.first, cell.txt1, titleFont, title(cell.colour1));
    canvas.Text(x + Px(5), y + rows.second, second, titleFont, title(cell.colour2));

    const RECT marker{x + w - Px(15), y + Px(5), x + w - Px(5), y + Px(15)};
    const NoteMarkerColours markerColours = MarkerColours(cell.hasEntry, face);
    Marker(canvas, marker, markerColours.fill, markerColours.outline);
    if (marks.movedWorkday) MovedWorkdayMark(canvas, x + w, y + h, face.movedWorkday);
}

// A Saturday worked in place of another day: a small navy corner at the bottom right,
// inside the bevels, where no text of the face reaches.
void DayCellPainter::MovedWorkdayMark(Canvas& canvas, int right, int bottom, COLORREF colour) const {
    const int inset = Px(3), size = Px(9);
    const POINT corner[] = {{right - inset, bottom - inset - size},
                            {right - inset, bottom - inset},
                            {right - inset - size, bottom - inset}};
    Brush brush(CreateSolidBrush(colour));
    Pen pen(CreatePen(PS_SOLID, 1, colour));
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
