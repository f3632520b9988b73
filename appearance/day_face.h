// The arithmetic of a day cell's face, without a window: the colours of the day
// number and the note marker, where the title words stand, how far inside the frame
// the focus rectangle goes.
#pragma once

#include <cstdint>

struct DayNumberColours {
    uint32_t shadow;  // drawn one pixel right and below
    uint32_t number;
    bool operator==(const DayNumberColours&) const = default;
};
struct NoteMarkerColours {
    uint32_t fill;
    uint32_t outline;
    bool operator==(const NoteMarkerColours&) const = default;
};

// The colours a face is drawn in. The designed face (kDesignedFace) is for light cells
// and paper; a dark scheme and Windows' high contrast bring faces of their own.
struct FaceColours {
    DayNumberColours today, redLetter, ordinary;
    uint32_t nameDay;
    NoteMarkerColours note, noNote;
    uint32_t movedWorkday;  // the corner of a Saturday worked
    // The title words keep the colours their entry gave them, unless they would not
    // stand out from the cell (below 4.5:1; `fitTitles`) or the system's colours rule
    // (`fixedTitles`): then they are drawn in `title`.
    bool fitTitles = false, fixedTitles = false;
    uint32_t title = 0;
    bool focusAlwaysShown = false;  // high contrast: the focus shows without the keyboard too
    bool operator==(const FaceColours&) const = default;
};

// Today: a yellow shadow and a magenta number; else a grey shadow and a yellow number
// on red-letter days, dark red on the others. Red note marker with a dark red outline,
// else silver with grey; name days navy.
inline constexpr FaceColours kDesignedFace = {
    .today = {0x00FFFF, 0xFF00FF},
    .redLetter = {0x808080, 0x00FFFF},
    .ordinary = {0x808080, 0x000080},
    .nameDay = 0x800000,
    .note = {0x0000FF, 0x000080},
    .noNote = {0xC0C0C0, 0x808080},
    .movedWorkday = 0x800000,
};

DayNumberColours NumberColours(bool today, bool redLetter, const FaceColours& face = kDesignedFace);
NoteMarkerColours MarkerColours(bool vanFile, const FaceColours& face = kDesignedFace);
// The colour a title word of colour `own` is drawn in on a cell of colour `cell`.
uint32_t TitleWordColour(const FaceColours& face, uint32_t own, uint32_t cell);

// Device pixels of `designed` pixels at `scale` (device pixels per designed pixel).
int ScaledPixels(int designed, double scale);

struct TitleWordRows {
    int first;
    int second;
};
// Tops of the two title words in a cell `height` device pixels high: at 40 and 55 in
// cells lower than 72, else 32 and 17 above the bottom (designed pixels at `scale`).
TitleWordRows TitleRowsOf(int height, double scale);

// Pixels from the cell's edge to its focus rectangle: one inside the bevels and border.
int FocusInset(bool outerBevel, bool innerBevel, int bevelWidth, int borderWidth);
