// What Windows itself says about the look: high contrast, its colours, the apps' light or
// dark setting, and dark window frames. Each is asked when the program's colours are
// worked out, and again when Windows tells of a change.
#pragma once

#include <windows.h>

#include "appearance/draw_colours.h"

// Windows' high-contrast mode is on.
bool HighContrastOn();

// The system colours the program draws with in high contrast.
SystemColours CurrentSystemColours();

// Windows' app setting is dark (Personalize\AppsUseLightTheme = 0); light when missing.
bool WindowsAppsDark();

// True for the WM_SETTINGCHANGE that may change the colours the program draws with.
bool ChangesTheLook(WPARAM wp, LPARAM lp);

// Asks for a dark (or light again) frame on `main` and every top-level window it owns, and
// marks `main` so that a window it comes to own later takes the same frame
// (FollowOwnersFrame). dwmapi is loaded only when a frame is to be dark; where the
// system has no dark frames nothing happens. Called on a change only: the caller knows
// the frame it asked for last (a look at the mark costs the window server a round trip).
void SetDarkFrames(HWND main, bool dark);
// A window that has just become top-level under `owner` takes the owner's frame.
void FollowOwnersFrame(HWND window, HWND owner);
// Takes the mark off `main` before it goes.
void ForgetDarkFrames(HWND main);
