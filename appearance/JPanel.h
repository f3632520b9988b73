// The day cell of the month view: a bevelled panel that draws the day number, the
// name day, two coloured title words and a note marker, and changes colour as the
// mouse moves over it and presses it.
//
// A cell is no window of its own: its grid (DayGrid, the month view's area) paints it,
// finds it under the mouse and keeps which cell has the keyboard focus. Forty-two
// child windows cost the start a thousand and more round trips to the window server
// under Wine, and each month step a show or hide per cell.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "appearance/day_cell_painter.h"
#include "appearance/red_letter_day.h"
#include "platform/eljaras.h"
#include "ui/canvas.h"
#include "ui/panel.h"

class DayGrid;

class TJPanel {
public:
    explicit TJPanel(std::wstring name);
    ~TJPanel();
    TJPanel(const TJPanel&) = delete;
    TJPanel& operator=(const TJPanel&) = delete;

    // Places the cell in its grid at a designed position and size (scaled to the
    // screen's DPI), shown.
    void Create(DayGrid& grid, int x, int y, int w, int h);
    DayGrid* Grid() const { return grid_; }

    std::wstring Name;
    Bevel BevelOuter = Bevel::Raised;
    Bevel BevelInner = Bevel::Lowered;
    int BevelWidth = 1;
    int BorderWidth = 0;

    // The current background; the mouse events copy the state colours into it.
    COLORREF Color() const { return colour_; }
    void SetColor(COLORREF colour);
    // What the face's texts and marks are drawn in (the scheme's or the system's).
    const FaceColours& Face() const { return face_; }
    void SetFace(const FaceColours& face);

    // State colours: stored only.
    COLORREF ColorOff = 0;
    COLORREF ColorOn = 0;
    COLORREF ColorClick = 0;

    // Column in the grid (0 = Monday .. 6 = Sunday).
    int Tag = 0;

    // What the cell shows, as the month gives it; the grid's fill sets it whole and
    // the cell repaints only when it changed. The described properties read it.
    const CellContent& Content() const { return content_; }
    void SetContent(const CellContent& content);
    int Nap() const { return content_.day; }
    const std::wstring& NevNap() const { return content_.nameDay; }
    const std::wstring& Txt1() const { return content_.txt1; }
    const std::wstring& Txt2() const { return content_.txt2; }
    bool VanFile() const { return content_.hasEntry; }
    const Date& Datum() const { return content_.date; }
    COLORREF MSzin1() const { return ResolveColour(content_.colour1); }
    COLORREF MSzin2() const { return ResolveColour(content_.colour2); }
    // The working calendar's marks of the day; none: the fixed red-letter rule.
    const std::optional<DayMarks>& Marks() const { return content_.marks; }

    // Place and size in the grid's client area, in device pixels.
    void SetBounds(int x, int y, int w, int h);
    const RECT& Bounds() const { return bounds_; }
    RECT ClientRect() const { return RECT{0, 0, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top}; }
    // Screen coordinates of a point given from the cell's top-left corner.
    POINT ToScreen(POINT cellPoint) const;

    // A hidden cell is neither painted nor found under the mouse; a hidden cell that
    // had the focus leaves the grid without a focused cell.
    void SetShown(bool shown);
    bool Shown() const { return shown_; }

    // Keyboard focus: the grid holds the system's focus and shows it on one cell.
    bool Focused() const;
    void Focus();

    // Status text shown through the application's hint (no tool tip of its own).
    void SetHint(const std::wstring& hint) { content_.hint = hint; }
    const std::wstring& Hint() const { return content_.hint; }

    // Handlers the owner installs (the month grid).
    std::function<void(TJPanel&)> OnClick;
    std::function<void(TJPanel&)> OnMouseMove;
    HMENU PopupMenu = nullptr;            // opened on a right click, commands go to the form
    std::function<void(TJPanel&, int, int)> OnPopup;  // called before the menu opens (screen x, y)
    // Arrow and page keys on a focused cell (the grid moves the focus or the month).
    std::function<void(TJPanel&, UINT)> OnKeyNavigate;

    // The mouse as the grid sees it over this cell: the colour changes.
    void CellMouseEnter();
    void CellMouseLeave();
    void CellMouseDown();
    void CellMouseUp();
    bool Hovered() const { return hovered_; }

    // Counts repaints; lets tests see that an unchanged value does not repaint.
    int RepaintCount() const { return repaintCount_; }

    // How its box looks, for the one day-cell painter.
    DayCellLook Look() const;

    // The whole cell with its top-left corner at the canvas's origin.
    void Paint(Canvas& canvas);
    void DrawContent(Canvas& canvas);

private:
    friend class DayGrid;
    void Repaint();
    void InvalidateFace();

    DayGrid* grid_ = nullptr;
    RECT bounds_{};
    bool shown_ = false;
    COLORREF colour_ = GetSysColor(COLOR_BTNFACE);
    FaceColours face_ = kDesignedFace;
    CellContent content_;
    bool hovered_ = false;
    bool paintPending_ = false;  // asked for a repaint that has not come yet
    int repaintCount_ = 0;
};
