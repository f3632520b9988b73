// Tool tip windows of the program's own controls: made at the mouse's first visit
// (each one at start cost some seventy round trips to the window server under Wine),
// in the application's hint colour.
#pragma once

#include <windows.h>
#include <commctrl.h>

// A tip window owned by `owner`, unthemed (a themed tip ignores the background colour)
// and in the hint colour; null when none could be made.
HWND CreateToolTipWindow(HWND owner);

// The description of tool `id` of window `hwnd`, to fill in further.
TTTOOLINFOW ToolOf(HWND hwnd, UINT_PTR id);

// Hands the tip a mouse message of `from` as if it had seen it (the move that made
// the tip: its own watch starts after it).
void RelayMouseMessage(HWND tip, HWND from, UINT msg, WPARAM wp, LPARAM lp);
