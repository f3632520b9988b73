// A flat tool bar without a window of its own: picture buttons side by side from the
// left, separators as etched lines, two-state buttons (alone or in a group of which one
// is down), drop-down buttons with their arrow, gaps that hold the owner's controls,
// all drawn on the panel it sits on (speed buttons of that panel). Tips, status hints
// and the hand cursor come with the speed buttons. Nothing of the common controls is
// needed to make, show or paint it. The buttons take no focus, as a tool bar's do not:
// the window's tab order goes through the controls alone.
#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ui/member_handler.h"
#include "ui/panel.h"
#include "ui/tool_button_row.h"

class ButtonBar {
public:
    ButtonBar() = default;
    ButtonBar(const ButtonBar&) = delete;
    ButtonBar& operator=(const ButtonBar&) = delete;

    // The bar's place on `host` and its buttons' size, in designed units (scaled to
    // the DPI); the first button stands `indent` from the bar's left edge. The
    // pictures come from `pictures`, which outlives the bar.
    void Create(BevelPanel& host, int x, int y, int w, int h, const ImageList& pictures, int buttonWidth,
                int buttonHeight, int indent);
    // Adds the buttons after the ones there, each bound to its handler on `owner`. A
    // two-state button has changed its state when its handler runs; a BTNS_WHOLEDROPDOWN
    // button gets its click at the press.
    template <class Owner>
    void AddButtons(Owner& owner, std::span<const ToolButtonRow<Owner>> rows) {
        for (const auto& row : rows) {
            SpeedButton* button = Add(row.name, row.picture, row.hint, row.style, row.width);
            if (button) Bind(*button, row.style, row.handler ? MemberHandler(owner, row.handler) : nullptr);
        }
    }
    // An etched line in the middle of `width` designed units.
    void AddSeparator(int width) { Add(nullptr, width, nullptr, BTNS_SEP, 0); }
    // Leaves `width` designed units free after the last button for a control of the
    // owner's; gives the place, in the host's client coordinates, device pixels.
    RECT AddGap(int width);
    // What the arrow of a BTNS_DROPDOWN button does (it opens at the press).
    void OnDropDown(const std::wstring& name, std::function<void()> handler);

    void Click(const std::wstring& name);  // as a click on the button does
    // Shows the button pushed in (a drop-down button while its menu is open).
    void SetPressed(const std::wstring& name, bool pressed);
    // Runs `open` (a menu's loop) with the screen point under the button's lower left
    // corner, the button pushed in meanwhile.
    void OpenBelow(const std::wstring& name, const std::function<void(POINT)>& open);
    void SetEnabled(const std::wstring& name, bool enabled);
    bool Enabled(const std::wstring& name) const;
    // A two-state button's state, set without its handler.
    void SetChecked(const std::wstring& name, bool down);
    bool Checked(const std::wstring& name) const;
    // In the host's client coordinates, device pixels.
    RECT ButtonRect(const std::wstring& name) const;
    // The window the bar is drawn on: ButtonRect and HintAt are in its coordinates.
    HWND Handle() const { return host_ ? host_->Handle() : nullptr; }
    BevelPanel* Host() const { return host_; }
    const RECT& Bounds() const { return bounds_; }  // the bar's place on its host, device pixels
    std::wstring HintAt(POINT hostClient) const;
    // The host's tip window, once the mouse has been over one of its buttons.
    HWND Tips() const;
    const SpeedButton* Find(const std::wstring& name) const;
    // The buttons from the left, separators left out.
    std::vector<const SpeedButton*> Buttons() const;

private:
    SpeedButton* Add(const wchar_t* name, int picture, const wchar_t* hint, BYTE style, int width);
    void Bind(SpeedButton& button, BYTE style, std::function<void()> handler);
    // Sets `button` down and the others of its group up.
    void PushInGroup(const SpeedButton& button);
    SpeedButton* Button(const std::wstring& name);

    BevelPanel* host_ = nullptr;
    RECT bounds_{};
    const ImageList* pictures_ = nullptr;
    int y_ = 0, buttonWidth_ = 0, buttonHeight_ = 0;
    int nextX_ = 0;  // where the next button goes, in designed units of the host
    std::vector<std::unique_ptr<SpeedButton>> buttons_;
    std::vector<int> groups_;  // of each button: the number of its group, 0 for none
    int lastGroup_ = 0;
    bool inGroup_ = false;     // the last thing added was a grouped button
};

// A button bar with a window of its own: a panel without bevels in its parent panel's
// colour. A bar that holds controls (the format bar's font list) has one, so that they
// take the bar's place in the window's tab order; the bar itself is then the panel's
// place among its parent's children.
class PanelButtonBar : public ButtonBar {
public:
    void Create(BevelPanel& parent, int x, int y, int w, int h, const ImageList& pictures, int buttonWidth,
                int buttonHeight, int indent);
    // Its colour; it starts with its parent's.
    void SetColor(COLORREF colour) { panel_.SetColor(colour); }

private:
    BevelPanel panel_;
};
