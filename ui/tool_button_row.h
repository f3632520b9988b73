// The rows a tool bar's buttons are declared with: name, picture, hint, handler, kind.
#pragma once

#include <windows.h>
#include <commctrl.h>

// A button row that names its handler: a misspelt handler does not compile. The kind
// is one of the system's tool button styles (their values only: the bar is drawn):
// BTNS_BUTTON; BTNS_CHECK, a two-state button; BTNS_CHECKGROUP, one of the neighbouring
// buttons of which one is down; BTNS_WHOLEDROPDOWN, a menu button whose press is its
// click; BTNS_DROPDOWN, a button with a separate arrow that opens a menu.
template <class Owner>
struct ToolButtonRow {
    const wchar_t* name;               // null for a separator
    int picture;                       // image index; for a separator: its width
    const wchar_t* hint;               // tool tip and status hint; null: none
    void (Owner::*handler)() = nullptr;
    BYTE style = BTNS_BUTTON;
    int width = 0;                     // 0: the bar's button width (with a drop-down's arrow)
};
