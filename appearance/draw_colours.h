// The one place that says what the month view is drawn in: from the colour scheme in
// force, whether Windows' high contrast is on, and the system's colours. With high
// contrast on the system's colours win over any scheme; a dark scheme (dark day cells)
// brings a light face. Also the text/background pairs of a scheme, to measure them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "appearance/color_schemes.h"
#include "appearance/day_face.h"

// The night scheme "Éjszaka", the last line of "Színek.txt": dark cells and frames,
// strips light enough for the dark texts of the other windows.
inline constexpr SchemeSlots kNightScheme = {0,        0x281C18, 0x403028, 0x584438, 0x2C201C, 0x1C1410,
                                             0xB8ACA0, 0,        0,        0,        0};

// A scheme is dark when its day cells are: white text then stands out more than black.
bool IsDarkScheme(const SchemeSlots& scheme);

// The system colours high contrast draws with (GetSysColor's values).
struct SystemColours {
    uint32_t window, windowText, highlight, highlightText, buttonFace, buttonText, grayText;
};

struct DrawColours {
    SchemeSlots slots{};  // the panels' colours, slot by slot as the scheme's
    FaceColours face;     // the day cells' texts and marks
    uint32_t headerText = 0, weekendHeaderText = 0;  // week-day headers
    uint32_t monthTitle = 0;                         // the month on the title strip
    uint32_t stripText = 0;                          // the status bar's hint and clock
    bool highContrast = false, dark = false;
};

DrawColours ColoursToDraw(const SchemeSlots& scheme, bool highContrast, const SystemColours& system);

// A text the month view draws and what it stands on.
struct TextPair {
    std::wstring what;  // e.g. "napszám / napok panel"
    uint32_t text, background;
};
// Every text/background pair the main window draws in `colours`: the day faces' texts
// on the cell's three states, the headers, the title strip and the status bar; the
// title words in the default black an entry starts with.
std::vector<TextPair> TextPairs(const DrawColours& colours);
