// The keyboard's way to a window's picture buttons, which take no focus of their own:
// F10 marks the first of them; the arrow keys, Home and End move the mark through all
// the window's shown, available buttons in reading order (rows from the top, each from
// the left); Enter or Space presses the marked button, the down arrow opens a drop-down
// button's menu, and Escape, F10 or Tab leave the buttons. The keyboard focus of the
// window's controls stays where it was meanwhile.
#pragma once

#include <windows.h>

#include <vector>

class SpeedButton;

// The buttons of window `top`'s panels that the keyboard can reach, in reading order.
std::vector<SpeedButton*> KeyboardButtons(HWND top);

// A window's keyboard way to its buttons (one per top-level window).
class ButtonKeys {
public:
    // A key pressed in window `top`: true when it was the buttons' and is used up.
    bool KeyDown(HWND top, UINT vk);

private:
    bool marking_ = false;  // a button was marked (the mouse may have taken the mark since)
};
