#include "appearance/day_face.h"

#include <cmath>

#include "appearance/contrast.h"

DayNumberColours NumberColours(bool today, bool redLetter, const FaceColours& face) {
    return today ? face.today : redLetter ? face.redLetter : face.ordinary;
}

NoteMarkerColours MarkerColours(bool vanFile, const FaceColours& face) { return vanFile ? face.note : face.noNote; }

namespace {

// `from` moved `step` eighths of the way to `to`, channel by channel.
uint32_t Between(uint32_t from, uint32_t to, int step) {
    uint32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((from >> shift) & 0xFF), b = static_cast<int>((to >> shift) & 0xFF);
        mixed |= static_cast<uint32_t>(a + (b - a) * step / 8) << shift;
    }
    return mixed;
}

}  // namespace

uint32_t TitleWordColour(const FaceColours& face, uint32_t own, uint32_t cell) {
    if (face.fixedTitles) return face.title;
    if (!face.fitTitles) return own;
    // A colour too dark for the cell is lightened towards `title` only as far as it
    // must be: red stays a red, green a green, so the entries' colours still tell apart.
    for (int step = 0; step < 8; ++step) {
        const uint32_t colour = Between(own, face.title, step);
        if (ContrastRatio(colour, cell) >= kReadableContrast) return colour;
    }
    return face.title;
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
