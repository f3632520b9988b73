// A flat picture button: no frame at rest, raised under the mouse, lowered while
// pressed; hand cursor; its hint goes to the status panel and, when asked, to a
// tool tip.
#pragma once

#include <functional>
#include <string>

#include "ui/image_list.h"
#include "ui/window.h"

class SpeedButton : public Window {
public:
    explicit SpeedButton(std::wstring name = {}) : Name(std::move(name)) {}

    void Create(HWND parent, int x, int y, int w, int h, int glyphResourceId, const std::wstring& hint,
                bool showTooltip = false);
    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void Click();  // as a mouse click does
    void Paint(Canvas& canvas) override;
    // The button's own tool tip window, once the mouse has been over it.
    HWND Tooltip() const { return tooltip_; }

    std::wstring Name;
    std::function<void()> OnClick;
    COLORREF Background = CLR_INVALID;  // CLR_INVALID: the parent panel's colour

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    IconHandle glyph_;
    void CreateTooltip(UINT msg, WPARAM wp, LPARAM lp);
    std::wstring tooltipText_;  // shown in a tool tip when not empty
    HWND tooltip_ = nullptr;    // made at the first mouse move over the button
    bool hot_ = false;
    bool pressed_ = false;
    bool enabled_ = true;
};
