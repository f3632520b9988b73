// The colours of the day entry editor's colour menu, in menu order, with the Alt
// letter that picks each while a title word or the note has the focus.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// Colour values ($00BBGGRR) under their usual names.
inline constexpr uint32_t clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clYellow = 0x00FFFF,
                          clLime = 0x00FF00, clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clMaroon = 0x000080,
                          clAqua = 0xFFFF00, clTeal = 0x808000, clNavy = 0x800000, clGreen = 0x008000;

struct TitleColour {
    const wchar_t* item;  // the menu item's name
    wchar_t key;          // Alt + this letter
    uint32_t colour;
};
extern const std::array<TitleColour, 12> kTitleColours;

// The colour picked by Alt + `key` (an upper-case letter); none for other keys.
std::optional<uint32_t> ColourOfShortcut(unsigned key);
// The colour of the menu item called `item`; none for other names.
std::optional<uint32_t> ColourOfItem(std::wstring_view item);
