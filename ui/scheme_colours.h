// The colour scheme's ten slots, and the notice that tells the windows of a change.
#pragma once

#include <array>
#include <cstdint>

#include "ui/notice.h"

// Colour slots 1..10 (index 0 unused, so a scheme's [1] is slot 1 as everywhere in the program).
using SchemeColours = std::array<int32_t, 11>;
// The designed scheme ("Alapérték").
inline constexpr SchemeColours kDesignedScheme = {0,        0x8080FF, 0xC0C0C0, 0xE9E9E9, 0xA8A8A8, 0x808080,
                                                  0xC0C0C0, 0,        0,        0,        0};

// Told by the main window whenever its scheme is shown; each window that has
// scheme colours follows it.
using SchemeNotice = Notice<SchemeColours>;
