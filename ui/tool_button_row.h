// The rows a tool bar's buttons are declared with: name, picture, hint, handler.
#pragma once

#include <windows.h>
#include <commctrl.h>

struct ToolButtonDef {
    const wchar_t* name;      // field name of the button (tbLista, ...); null for a separator
    int picture;              // image index; for a separator: its width
    const wchar_t* hint;      // tool tip and status hint
    BYTE style = BTNS_BUTTON; // BTNS_CHECK, BTNS_CHECKGROUP, BTNS_DROPDOWN ...
};

// A button row that names its handler: a misspelt handler does not compile.
template <class Owner>
struct ToolButtonRow {
    const wchar_t* name;               // null for a separator
    int picture;                       // image index; for a separator: its width
    const wchar_t* hint;
    void (Owner::*handler)() = nullptr;
    BYTE style = BTNS_BUTTON;
};
