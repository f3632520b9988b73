// A flat picture button: no frame at rest, raised under the mouse, lowered while
// pressed; hand cursor; its hint goes to the status panel and, when asked, to a
// tool tip. It has no window of its own: the panel it sits on draws it and hands it
// the mouse (under Wine a window costs a start some forty server round trips to make,
// show and paint).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/image_list.h"

class BevelPanel;

class SpeedButton {
public:
    explicit SpeedButton(std::wstring name = {}) : Name(std::move(name)) {}
    ~SpeedButton();
    SpeedButton(const SpeedButton&) = delete;
    SpeedButton& operator=(const SpeedButton&) = delete;

    // Places the button on its host panel at a designed position and size (scaled to
    // the DPI), with its own picture from the resources.
    void Create(BevelPanel& host, int x, int y, int w, int h, int glyphResourceId, const std::wstring& hint,
                bool showTooltip = false);
    // Places the button at `bounds` (device pixels) with picture `picture` of a list
    // that outlives it.
    void Create(BevelPanel& host, const RECT& bounds, const ImageList& pictures, int picture, const std::wstring& hint,
                bool showTooltip);
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void Click();  // as a mouse click does
    // The button with its top-left corner at the canvas's origin.
    void Paint(Canvas& canvas) const;

    // Place and size in the host's client area, in device pixels.
    const RECT& Bounds() const { return bounds_; }
    void SetBounds(int x, int y, int w, int h);
    BevelPanel* Host() const { return host_; }
    const std::wstring& Hint() const { return hint_; }
    int Picture() const { return picture_; }  // its index in its picture list
    bool Hot() const;      // under the mouse
    bool KeyMarked() const;  // the keyboard's place among the window's buttons (F10)
    bool Pressed() const;  // pressed and not yet released
    // Shown lowered whatever the mouse does (a drop-down button while its menu is open,
    // a two-state button that is down).
    void SetDown(bool down);
    bool Down() const { return down_; }
    // The tip window that shows this button's hint, once the mouse has been over one
    // of the host's buttons; the button is its tool `ToolId()` of the host's window.
    HWND Tooltip() const;
    UINT_PTR ToolId() const { return reinterpret_cast<UINT_PTR>(this); }
    bool ShowsTooltip() const { return showTooltip_; }
    // Asks the host to paint the button again.
    void Invalidate() const;

    std::wstring Name;
    std::function<void()> OnClick;
    COLORREF Background = CLR_INVALID;  // CLR_INVALID: the host panel's colour
    // A drop-down button: an arrow beside the picture, and the click comes with the
    // press, as a menu opens at once.
    bool DropDown = false;
    // With DropDown: only a press on the arrow opens the menu (OnDropDown); the face is
    // a button of its own, and the two parts are framed apart.
    bool Split = false;
    std::function<void()> OnDropDown;
    // A two-state button (a style, an alignment): while down it shows a lighter face,
    // as a button that stays down does.
    bool TwoState = false;
    static constexpr int kArrowWidth = 11;  // designed width of the drop-down arrow's part
    // Whether a point of the host's client area is on the button's arrow part.
    bool InArrow(POINT hostClient) const;
    // As a press on the arrow of a drop-down button does: a split button's OnDropDown,
    // a whole drop-down's click.
    void DropDownClick();

private:
    friend class SpeedButtons;

    void Place(BevelPanel& host, const RECT& bounds, const std::wstring& hint, bool showTooltip);
    void PaintArrow(Canvas& canvas, const RECT& part) const;
    int ArrowWidth() const;  // device pixels; 0 without an arrow

    BevelPanel* host_ = nullptr;
    RECT bounds_{};
    ImageList ownGlyph_;                  // a picture of the button's own
    const ImageList* pictures_ = nullptr;  // the list its picture comes from
    int picture_ = -1;
    std::wstring hint_;
    bool showTooltip_ = false;
    bool enabled_ = true;
    bool down_ = false;
};

// The speed buttons of one panel: the panel paints them and hands them its mouse
// messages, its cursor and its hints through this.
class SpeedButtons {
public:
    explicit SpeedButtons(BevelPanel& host) : host_(host) {}
    ~SpeedButtons();
    SpeedButtons(const SpeedButtons&) = delete;
    SpeedButtons& operator=(const SpeedButtons&) = delete;

    void Add(SpeedButton& button);
    void Remove(SpeedButton& button);
    void Moved(const SpeedButton& button);  // its tip follows it
    void Paint(Canvas& canvas, const RECT& clip) const;
    // True when the message was the buttons' and `result` is its answer.
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    SpeedButton* At(POINT client) const;
    const std::vector<SpeedButton*>& All() const { return buttons_; }  // in the order added
    HWND Tooltip() const { return tooltip_; }
    const SpeedButton* HotButton() const { return hot_; }
    const SpeedButton* PressedButton() const { return pressed_; }
    // The button the keyboard has marked, or null; marking one tells screen readers
    // that it has the focus.
    SpeedButton* KeyMark() const { return keyMark_; }
    void SetKeyMark(SpeedButton* button);

private:
    void SetHot(SpeedButton* button);
    void CreateTooltip(UINT msg, WPARAM wp, LPARAM lp);

    BevelPanel& host_;
    std::vector<SpeedButton*> buttons_;
    SpeedButton* hot_ = nullptr;
    SpeedButton* pressed_ = nullptr;
    SpeedButton* keyMark_ = nullptr;
    HWND tooltip_ = nullptr;  // made at the mouse's first visit to a button with a tip
    bool tracking_ = false;   // a WM_MOUSELEAVE is asked for
    bool hintsProvided_ = false;
};
