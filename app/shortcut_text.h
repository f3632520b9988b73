// How a menu shows a keyboard shortcut: "Ctrl+F", "Ctrl+Shift+E", "F3".
#pragma once

#include <string>

// Function keys F1 to F24 by their virtual-key codes, as the accelerator tables give them.
constexpr unsigned kKeyF1 = 0x70, kKeyF24 = 0x87;

struct ShortcutKeys {
    unsigned key = 0;  // an upper-case letter or digit, or F1..F24; 0: none
    bool control = false, shift = false, alt = false;
};

// The modifiers in the order Ctrl, Shift, Alt, then the key; empty when there is no key.
std::wstring ShortcutText(const ShortcutKeys& keys);
