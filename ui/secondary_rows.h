// What the added secondary windows share beside their frame: the close button at the
// right of the title strip, the working panel under the strip, and Escape, which does
// what the close button does.
#pragma once

#include "resources/resource_ids.h"
#include "ui/control_table.h"

// The title strip's close button, 29 pixels in from the strip's right end.
template <class T>
constexpr ControlRow<T> CloseButtonRow(int stripWidth, void (T::*click)(), const wchar_t* hint = L"Bezárás (Esc)",
                                       bool tooltip = false) {
    return {.name = L"sbBezar", .field = &T::sbBezar, .parent = &T::pCim, .x = stripWidth - 29, .y = 2, .w = 23,
            .h = 22, .text = hint, .handler = click, .picture = IDI_SB_CLOSE, .tooltip = tooltip};
}

// The working panel under the title strip, in the panels' grey until a scheme colours it.
template <class T>
constexpr ControlRow<T> WorkingPanelRow(int width, int height) {
    return {.name = L"Panel1", .field = &T::Panel1, .parent = &T::p, .x = 4, .y = 32, .w = width, .h = height,
            .colour = 0xC0C0C0};
}

// A form's key press: Escape runs `close` and is used up; any other key goes on.
template <class Close>
bool EscapeCloses(wchar_t key, Close&& close) {
    if (key != L'\x1B') return false;
    close();
    return true;
}
