// A flat tool bar without a window of its own: picture buttons side by side from the
// left, separators as etched lines, a drop-down button with its arrow, all drawn on
// the panel it sits on (speed buttons of that panel). Tips, status hints and the
// hand cursor come with the speed buttons. Nothing of the common controls is needed
// to make, show or paint it.
#pragma once

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
    // BTNS_WHOLEDROPDOWN button gets the arrow and its click at the press.
    template <class Owner>
    void AddButtons(Owner& owner, std::span<const ToolButtonRow<Owner>> rows) {
        for (const auto& row : rows) {
            SpeedButton* button = Add(row.name, row.picture, row.hint, row.style);
            if (button && row.handler) button->OnClick = MemberHandler(owner, row.handler);
        }
    }

    void Click(const std::wstring& name);  // as a click on the button does
    // Shows the button pushed in (a drop-down button while its menu is open).
    void SetPressed(const std::wstring& name, bool pressed);
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
    SpeedButton* Add(const wchar_t* name, int picture, const wchar_t* hint, BYTE style);
    SpeedButton* Button(const std::wstring& name);

    BevelPanel* host_ = nullptr;
    RECT bounds_{};
    const ImageList* pictures_ = nullptr;
    int y_ = 0, buttonWidth_ = 0, buttonHeight_ = 0;
    int nextX_ = 0;  // where the next button goes, in designed units of the host
    std::vector<std::unique_ptr<SpeedButton>> buttons_;
};
