#include "appearance/day_face.h"

#include <cmath>

#include "appearance/contrast.h"

DayNumberColours NumberColours(bool today, bool redLetter, const FaceColours& face) {
    return today ? face.today : redLetter ? face.redLetter : face.ordinary;
}

NoteMarkerColours MarkerColours(bool vanFile, const FaceColours& face) { return vanFile ? face.note : face.noNote; }

uint32_t TitleWordColour(const FaceColours& face, uint32_t own, uint32_t cell) {
    if (face.fixedTitles) return face.title;
    if (face.fitTitles && ContrastRatio(own, cell) < kReadableContrast) return face.title;
    return own;
}

int ScaledPixels(int designed, double scale) { return static_cast<int>(std::lround(designed * scale)); }

TitleWordRows TitleRowsOf(int height, double scale) {
    // In taller cells the title words keep to the bottom.
    if (height < ScaledPixels(72, scale)) return {ScaledPixels(40, scale), ScaledPixels(55, scale)};
    return {height - ScaledPixels(32, scale), height - ScaledPixels(17, scale)};
}

int FocusInset(bool outerBevel, bool innerBevel, int bevelWidth, int borderWidth) {
    return (outerBevel ? bevelWidth : 0) + borderWidth + (innerBevel ? bevelWidth : 0) + 1;
}
