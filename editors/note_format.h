// What the rich-text windows work out without a window: the file dialogs' filters,
// the size box's number, the order of the font list and a name's place in it, and
// the font dialog's sizes in the note's units.
#pragma once

#include <functional>
#include <string>
#include <vector>

// The note box's own font, shown by the bars whenever a window opens.
inline constexpr const wchar_t* kNoteFace = L"MS Sans Serif";
inline constexpr int kNotePoints = 8;
// Printer job name of a printed note.
inline constexpr const wchar_t* kPrintJobName = L"Tivorn program";
// The size box's arrows stay within these sizes.
inline constexpr int kSmallestArrowSize = 0;
inline constexpr int kLargestArrowSize = 100;

// "Name|*.ext|Name|*.ext" -> the NUL-separated, double-NUL-terminated filter of the file dialogs.
std::wstring DialogFilter(const std::wstring& pipes);

// The size box's text as a whole decimal number (optional blanks in front, optional
// sign). Anything else throws ConvertError with the text.
int ParseFontSize(const std::wstring& text);
// What the size box shows for a size.
std::wstring FontSizeText(int points);
// Where the arrows stand for a size: the size, kept within their range.
int ArrowPositionOf(int points);

// Orders two font names: below zero, zero or above zero. The system's comparison
// without regard to letter case in the program; any such in tests.
using FontNameCompare = std::function<int(const std::wstring&, const std::wstring&)>;
// Sorted under `compare`, each name once (the first of equal names stays); vertical
// fonts ("@...") and empty names left out.
std::vector<std::wstring> SortedFontNames(std::vector<std::wstring> names, const FontNameCompare& compare);
// Position of `name` in `names` under `compare`; -1 when missing.
int FontIndexOf(const std::vector<std::wstring>& names, const std::wstring& name, const FontNameCompare& compare);

// Note sizes are in twips (1/20 point); the font dialog gives tenths of a point, or
// only a height in pixels at `dpi`.
int TwipsOfDialogFont(int pointSize10, int pixelHeight, int dpi);
// The pixel height at `dpi` of a font `twips` high.
int PixelHeightOfTwips(int twips, int dpi);
