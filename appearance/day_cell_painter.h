// The one painter of a day cell: frame, background and face (day number, name day,
// the two coloured title words, the note marker), into any device context at any
// scale. The month view's cells paint through it on the screen, the printed month
// calendar on paper.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "appearance/day_face.h"
#include "appearance/red_letter_day.h"
#include "platform/eljaras.h"
#include "store/month_model.h"
#include "ui/canvas.h"
#include "ui/panel.h"

// How its box looks: bevels and border in device pixels, the background colour.
struct DayCellLook {
    Bevel outer = Bevel::Raised;
    Bevel inner = Bevel::Lowered;
    int bevelWidth = 1;
    int borderWidth = 0;
    COLORREF colour = 0;
    FaceColours face = kDesignedFace;  // what the face's texts and marks are drawn in
};

class DayCellPainter {
public:
    // `scale`: device pixels per designed pixel (the face is designed at 96 DPI).
    explicit DayCellPainter(double scale);
    DayCellPainter(const DayCellPainter&) = delete;
    DayCellPainter& operator=(const DayCellPainter&) = delete;

    // The painter of the screen's cells (at the screen's DPI); made once.
    static const DayCellPainter& Screen();

    double Scale() const { return scale_; }
    int Px(int designed) const;

    // The whole cell into `box`, cut at its edges.
    void Paint(Canvas& canvas, const RECT& box, const CellContent& cell, const DayCellLook& look) const;
    // The face alone (what the cell shows) in the look's face colours, on its colour;
    // `box` is the whole cell (the face's offsets count from its corner).
    void PaintFace(Canvas& canvas, const RECT& box, const CellContent& cell, const DayCellLook& look = {}) const;

private:
    void Marker(Canvas& canvas, const RECT& r, COLORREF fill, COLORREF outline) const;
    void MovedWorkdayMark(Canvas& canvas, int right, int bottom, COLORREF colour) const;

    double scale_;
    Font number_, nameDay_, title_;
    Font repeatTitle_;  // a yearly entry of an earlier year: the titles in italics
};
