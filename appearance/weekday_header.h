// A week-day header above the day cells: a bevelled panel with a centred caption,
// drawn by the grid like the cells, with no window of its own.
#pragma once

#include <windows.h>

#include <string>

#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/panel.h"

class DayGrid;

class WeekdayHeader {
public:
    explicit WeekdayHeader(std::wstring name) : Name(std::move(name)) {}
    ~WeekdayHeader();
    WeekdayHeader(const WeekdayHeader&) = delete;
    WeekdayHeader& operator=(const WeekdayHeader&) = delete;

    // Places the header in its grid at a designed position and size (scaled to the DPI).
    void Create(DayGrid& grid, int x, int y, int w, int h, const std::wstring& caption);

    std::wstring Name;
    Bevel BevelOuter = Bevel::Raised;
    Bevel BevelInner = Bevel::None;
    int BevelWidth = 1;
    int BorderWidth = 0;
    COLORREF FontColour = 0;

    COLORREF Color() const { return colour_; }
    void SetColor(COLORREF colour);
    const std::wstring& Caption() const { return caption_; }
    void SetFont(const FontSpec& wanted);
    HFONT PanelFont() const { return font_.Get(); }

    // Place and size in the grid's client area, in device pixels.
    void SetBounds(int x, int y, int w, int h);
    const RECT& Bounds() const { return bounds_; }

    // The header with its top-left corner at the canvas's origin.
    void Paint(Canvas& canvas) const;

private:
    friend class DayGrid;
    void Invalidate() const;

    DayGrid* grid_ = nullptr;
    RECT bounds_{};
    COLORREF colour_ = GetSysColor(COLOR_BTNFACE);
    std::wstring caption_;
    Font font_;
};
