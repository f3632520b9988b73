#include "ui/button_keys.h"

#include <algorithm>

#include "ui/application.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

namespace {

struct Placed {
    SpeedButton* button;
    RECT screen;
};

BOOL CALLBACK CollectPanel(HWND child, LPARAM lp) {
    auto* found = reinterpret_cast<std::vector<Placed>*>(lp);
    auto* panel = dynamic_cast<BevelPanel*>(Window::FromHandle(child));
    if (!panel || !IsWindowVisible(child) || panel->AccessiblePartCount() == 0) return TRUE;
    for (SpeedButton* button : panel->Buttons().All()) {
        if (!button->Enabled()) continue;
        RECT r = button->Bounds();
        MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&r), 2);
        found->push_back({button, r});
    }
    return TRUE;
}

SpeedButton* Marked(const std::vector<SpeedButton*>& buttons) {
    for (SpeedButton* button : buttons)
        if (button->KeyMarked()) return button;
    return nullptr;
}

// The marked button's hint goes to the status bar, as when the mouse is over it.
void Mark(SpeedButton* button) {
    button->Host()->Buttons().SetKeyMark(button);
    Application::Get().UpdateHint(button->Hint());
}

void Unmark(SpeedButton* button) {
    button->Host()->Buttons().SetKeyMark(nullptr);
    Application::Get().UpdateHint(L"");
}

}  // namespace

std::vector<SpeedButton*> KeyboardButtons(HWND top) {
    std::vector<Placed> placed;
    EnumChildWindows(top, CollectPanel, reinterpret_cast<LPARAM>(&placed));
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.screen.top < b.screen.top; });
    // A row: the buttons whose top lies above the middle of the row's first button.
    for (size_t first = 0; first < placed.size();) {
        const RECT& lead = placed[first].screen;
        size_t end = first + 1;
        while (end < placed.size() && placed[end].screen.top < (lead.top + lead.bottom) / 2) ++end;
        std::stable_sort(placed.begin() + static_cast<std::ptrdiff_t>(first), placed.begin() + static_cast<std::ptrdiff_t>(end),
                         [](const Placed& a, const Placed& b) { return a.screen.left < b.screen.left; });
        first = end;
    }
    std::vector<SpeedButton*> buttons;
    for (const Placed& p : placed) buttons.push_back(p.button);
    return buttons;
}

bool ButtonKeys::KeyDown(HWND top, UINT vk) {
    if (vk != VK_F10 && !marking_) return false;  // the common case costs nothing
    const std::vector<SpeedButton*> buttons = KeyboardButtons(top);
    SpeedButton* marked = Marked(buttons);
    marking_ = false;
    if (!marked) {
        // Shift+F10 is the context menu's.
        if (vk != VK_F10 || GetKeyState(VK_SHIFT) < 0 || buttons.empty()) return false;
        Mark(buttons.front());
        marking_ = true;
        return true;
    }
    marking_ = true;
    const auto at = static_cast<int>(std::find(buttons.begin(), buttons.end(), marked) - buttons.begin());
    const int count = static_cast<int>(buttons.size());
    // One mark in the window: the buttons may sit on different panels.
    auto moveTo = [&](int index) {
        Unmark(marked);
        Mark(buttons[static_cast<size_t>((index + count) % count)]);
        return true;
    };
    switch (vk) {
        case VK_LEFT: case VK_UP: return moveTo(at - 1);
        case VK_RIGHT: return moveTo(at + 1);
        case VK_HOME: return moveTo(0);
        case VK_END: return moveTo(count - 1);
        case VK_DOWN:
            if (!marked->DropDown) return moveTo(at + 1);
            Unmark(marked);
            marking_ = false;
            marked->DropDownClick();
            return true;
        case VK_RETURN: case VK_SPACE:
            Unmark(marked);  // before the click: it may open a window or a menu
            marking_ = false;
            marked->Click();
            return true;
        case VK_ESCAPE: case VK_F10:
            Unmark(marked);
            marking_ = false;
            return true;
        default:
            Unmark(marked);  // Tab and every other key go on to the controls
            marking_ = false;
            return false;
    }
}
