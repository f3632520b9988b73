// How well a text stands out from its background, as WCAG 2.1 measures it: the relative
// luminance of a colour and the contrast ratio of two (1:1 to 21:1). Ordinary text
// wants at least 4.5:1. Colours are $00BBGGRR values.
#pragma once

#include <cstdint>

inline constexpr double kReadableContrast = 4.5;

// 0 for black to 1 for white.
double RelativeLuminance(uint32_t colour);

// (lighter + 0.05) / (darker + 0.05), whichever order the colours come in.
double ContrastRatio(uint32_t a, uint32_t b);
