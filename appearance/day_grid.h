// The month view's area: a panel that holds the week-day headers and the day cells
// without a window each. It paints them in its own paint, finds the cell under the mouse (colours, hand
// cursor, clicks, the popup menu, the hint in the status panel) and holds the keyboard
// focus for the cell that shows it (Tab moves between the shown cells, Enter and Space
// click, the arrows go to the cells' navigation).
#pragma once

#include <vector>

#include "appearance/JPanel.h"
#include "ui/drawn_panel.h"
#include "ui/panel.h"

class DayGrid : public BevelPanel {
public:
    using BevelPanel::BevelPanel;
    ~DayGrid() override;

    void AddFace(TJPanel& face);
    void RemoveFace(TJPanel& face);
    const std::vector<TJPanel*>& Faces() const { return faces_; }

    // The shown cell at a point of the client area, or null.
    TJPanel* CellAt(POINT client) const;
    // The hand over a shown cell, the arrow elsewhere.
    HCURSOR CursorAt(POINT client) const;
    // The cell that shows the keyboard focus while the grid has it, or null.
    TJPanel* FocusedCell() const { return hasFocus_ ? focused_ : nullptr; }
    void FocusCell(TJPanel& cell);

    void Paint(Canvas& canvas) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    DWORD ExtraStyle() const override { return WS_TABSTOP; }
    bool ControlParent() const override { return false; }
    const wchar_t* ClassName() const override { return L"TivornDayGrid"; }

private:
    friend class TJPanel;
    void HoverOver(TJPanel* cell);
    void CellHidden(TJPanel& cell);
    bool MouseMessage(UINT msg, POINT client);
    bool KeyDown(WPARAM key, LPARAM flags);
    UINT DialogCode(const MSG* msg) const;
    void ShowPopup(TJPanel& cell, POINT screen);
    // The next shown cell after (or before) `from` in the cells' order; null at the end.
    TJPanel* NextShown(const TJPanel* from, bool backwards) const;
    void SetFocusedCell(TJPanel* cell);
    void RegisterHint();

    std::vector<TJPanel*> faces_;
    TJPanel* hovered_ = nullptr;
    TJPanel* pressed_ = nullptr;  // the left button went down on it
    TJPanel* focused_ = nullptr;
    bool hasFocus_ = false;       // kept from the focus messages: asking costs a round trip under Wine
    bool trackingLeave_ = false;
    bool hintRegistered_ = false;
};
