// The frame the program's secondary windows share: a tool window whose outer panel
// `p` holds the title strip `pCim` (with the window's close buttons) and the
// working panel `Panel1`, all with a lowered inner bevel.
#pragma once

#include <string>

#include "ui/form.h"
#include "ui/panel.h"

// Tool window, centred, key preview, "MS Sans Serif" 8 pt, caption := application title.
FormOptions SecondaryWindowOptions(const wchar_t* className, int clientWidth, int clientHeight);

// A lowered-bevel panel in the given colour.
void CreateFramePanel(BevelPanel& panel, HWND parent, int x, int y, int w, int h, COLORREF colour);

// The outer panel over the whole client area (scheme slot 1 at design: $8080FF).
void CreateOuterPanel(BevelPanel& p, const Form& form);

// The title strip at (40, 4): "Tahoma" 13 px bold black, left-aligned (slot 6 at design).
void CreateTitlePanel(BevelPanel& pCim, const BevelPanel& p, int width, const std::wstring& caption = {});
