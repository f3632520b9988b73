// The arithmetic of a day cell's face, without a window: the colours of the day
// number and the note marker, where the title words stand, how far inside the frame
// the focus rectangle goes.
#pragma once

#include <cstdint>

struct DayNumberColours {
    uint32_t shadow;  // drawn one pixel right and below
    uint32_t number;
};
// Today: a yellow shadow and a magenta number; else a grey shadow and a yellow number
// on red-letter days, dark red on the others.
DayNumberColours NumberColours(bool today, bool redLetter);

struct NoteMarkerColours {
    uint32_t fill;
    uint32_t outline;
};
// Red with a dark red outline when the day has a note, else silver with grey.
NoteMarkerColours MarkerColours(bool vanFile);

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
