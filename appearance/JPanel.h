// The day cell of the month view: a bevelled panel that draws the day number, the
// name day, two coloured title words and a note marker, and changes colour as the
// mouse moves over it and presses it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "appearance/day_cell_painter.h"
#include "appearance/red_letter_day.h"
#include "platform/eljaras.h"
#include "ui/panel.h"

class TJPanel;

// A panel that draws the faces of its day cells itself, in one paint.
class FacePanel : public Panel {
public:
    using Panel::Panel;
    void AddFace(TJPanel& face);
    const std::vector<TJPanel*>& Faces() const { return faces_; }
    void Paint(Canvas& canvas) override;

    // Between these, face repaints are gathered into one request.
    void BeginUpdate() { updating_ = true; }
    void EndUpdate();
    void InvalidateFaceRect(const RECT& r);

protected:
    DWORD ExtraStyle() const override { return 0; }
    bool ClipsChildren() const override { return false; }

private:
    void InvalidateArea(const RECT& r);

    std::vector<TJPanel*> faces_;
    bool updating_ = false;
    RECT pending_{};
};

class TJPanel : public Panel {
public:
    explicit TJPanel(std::wstring name);
    ~TJPanel() override;

    void Create(HWND parent, int x, int y, int w, int h);

    // State colours: stored only; mouse events copy them into Color.
    COLORREF ColorOff = 0;
    COLORREF ColorOn = 0;
    COLORREF ColorClick = 0;

    // Column in the grid (0 = Monday .. 6 = Sunday).
    int Tag = 0;

    // Each setter repaints only when the value changes.
    int Nap() const { return nap_; }
    void SetNap(int value);
    const std::wstring& NevNap() const { return nevNap_; }
    void SetNevNap(const std::wstring& value);
    const std::wstring& Txt1() const { return txt1_; }
    void SetTxt1(const std::wstring& value);
    const std::wstring& Txt2() const { return txt2_; }
    void SetTxt2(const std::wstring& value);
    bool VanFile() const { return vanFile_; }
    void SetVanFile(bool value);
    const Date& Datum() const { return datum_; }
    void SetDatum(const Date& value);
    COLORREF MSzin1() const { return mSzin1_; }
    void SetMSzin1(COLORREF value);
    COLORREF MSzin2() const { return mSzin2_; }
    void SetMSzin2(COLORREF value);

    // Shows or hides the cell without a paint of its own: the grid area repaints its
    // place. A hidden cell that had the focus gives it to the grid area, as ever.
    void SetShown(bool shown);
    bool Shown() const;

    // Status text shown through the application's hint (no tool tip of its own).
    void SetHint(const std::wstring& hint);
    const std::wstring& Hint() const { return hint_; }

    // Handlers the owner installs (the month grid).
    std::function<void(TJPanel&)> OnClick;
    std::function<void(TJPanel&)> OnMouseMove;
    HMENU PopupMenu = nullptr;            // opened on a right click, commands go to the form
    std::function<void(TJPanel&, int, int)> OnPopup;  // called before the menu opens (screen x, y)
    // Arrow and page keys on a focused cell (the grid moves the focus or the month).
    std::function<void(TJPanel&, UINT)> OnKeyNavigate;

    // Counts repaints; lets tests see that an unchanged value does not repaint.
    int RepaintCount() const { return repaintCount_; }

    // What the cell shows and how its box looks, for the one day-cell painter.
    DayFace Face() const;
    DayCellLook Look() const;

    void Paint(Canvas& canvas) override;
    void DrawContent(Canvas& canvas);

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    const wchar_t* ClassName() const override { return L"TivornDayCell"; }
    HCURSOR Cursor() const override;

private:
    void Repaint();
    void InvalidateFace();
    // The face is drawn by the parent (a FacePanel) in its own paint, so a month step
    // is one paint of the grid rather than 42 paints of 42 windows.
    bool PaintedByParent() const { return faceOwner_ != nullptr; }
    void CellMouseDown();
    void CellMouseUp();
    void ShowPopup(int x, int y);  // screen coordinates

    int nap_ = 0;
    std::wstring nevNap_, txt1_, txt2_, hint_;
    bool vanFile_ = false;
    Date datum_{};
    COLORREF mSzin1_ = 0, mSzin2_ = 0;
    bool tracking_ = false;
    bool pressed_ = false;  // the left button went down in this cell
    int repaintCount_ = 0;
    bool paintPending_ = false;
    bool focused_ = false;  // kept from the focus messages: asking the system costs a round trip under Wine
    FacePanel* faceOwner_ = nullptr;
    friend class FacePanel;
};
