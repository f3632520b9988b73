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

    // Accessible parts: the week-day headers, then the 42 cells as a table's cells,
    // named from the core (store/spoken_day.h); a cell's action is its click.
    int AccessiblePartCount() const override;
    AccessiblePart DescribePart(int index) const override;
    void DoPartAction(int index) override;
    int FocusedPart() const override;
    long OwnRole() const override;
    // The fill of a month has ended: clients hear of the changed cells as of a list's
    // change, and of the focused day anew when it shows another one.
    void FacesRefilled();

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
    // A face's content (EVENT_OBJECT_NAMECHANGE) or showing (_STATECHANGE) changed.
    void FaceChanged(const TJPanel& face, DWORD event);
    int PartOf(const TJPanel& face) const;  // its accessible part, -1 when not in the grid
    void AnnounceFocus();  // EVENT_OBJECT_FOCUS for the focused day

    std::vector<TJPanel*> faces_;
    TJPanel* hovered_ = nullptr;
    TJPanel* pressed_ = nullptr;  // the left button went down on it
    TJPanel* focused_ = nullptr;
    bool hasFocus_ = false;       // kept from the focus messages: asking costs a round trip under Wine
    bool trackingLeave_ = false;
    bool hintRegistered_ = false;
    bool facesChanged_ = false;     // since the last fill ended, for clients
    bool announcePending_ = false;  // the focused day changed its content
};
