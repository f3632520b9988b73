#include "appearance/day_face.h"

#include <cmath>

namespace {

constexpr uint32_t kYellow = 0x00FFFF;
constexpr uint32_t kMagenta = 0xFF00FF;
constexpr uint32_t kGrey = 0x808080;
constexpr uint32_t kDarkRed = 0x000080;
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kSilver = 0xC0C0C0;

}  // namespace

DayNumberColours NumberColours(bool today, bool redLetter) {
    return {today ? kYellow : kGrey, today ? kMagenta : redLetter ? kYellow : kDarkRed};
}

NoteMarkerColours MarkerColours(bool vanFile) { return {vanFile ? kRed : kSilver, vanFile ? kDarkRed : kGrey}; }

int ScaledPixels(int designed, double scale) { return static_cast<int>(std::lround(designed * scale)); }

TitleWordRows TitleRowsOf(int height, double scale) {
    // In taller cells the title words keep to the bottom.
    if (height < ScaledPixels(72, scale)) return {ScaledPixels(40, scale), ScaledPixels(55, scale)};
    return {height - ScaledPixels(32, scale), height - ScaledPixels(17, scale)};
}

int FocusInset(bool outerBevel, bool innerBevel, int bevelWidth, int borderWidth) {
    return (outerBevel ? bevelWidth : 0) + borderWidth + (innerBevel ? bevelWidth : 0) + 1;
}
