#include "editors/note_format.h"

#include <algorithm>
#include <cstdint>

#include "platform/errors.h"

std::wstring DialogFilter(const std::wstring& pipes) {
    std::wstring out = pipes;
    std::replace(out.begin(), out.end(), L'|', L'\0');
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

int ParseFontSize(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    if (i >= text.size()) throw ConvertError(text);
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') throw ConvertError(text);
        value = value * 10 + (text[i] - L'0');
        if (value > 0x7FFFFFFFLL) throw ConvertError(text);
    }
    return static_cast<int>(negative ? -value : value);
}

std::wstring FontSizeText(int points) { return std::to_wstring(points); }

int ArrowPositionOf(int points) { return std::clamp(points, kSmallestArrowSize, kLargestArrowSize); }

std::vector<std::wstring> SortedFontNames(std::vector<std::wstring> names, const FontNameCompare& compare) {
    std::erase_if(names, [](const std::wstring& n) { return n.empty() || n[0] == L'@'; });
    std::stable_sort(names.begin(), names.end(),
                     [&compare](const std::wstring& a, const std::wstring& b) { return compare(a, b) < 0; });
    names.erase(std::unique(names.begin(), names.end(),
                            [&compare](const std::wstring& a, const std::wstring& b) { return compare(a, b) == 0; }),
                names.end());
    return names;
}

int FontIndexOf(const std::vector<std::wstring>& names, const std::wstring& name, const FontNameCompare& compare) {
    for (size_t i = 0; i < names.size(); ++i)
        if (compare(names[i], name) == 0) return static_cast<int>(i);
    return -1;
}

namespace {

// a * b / c rounded half away from zero, as the system's MulDiv does (c > 0).
int MulDivRounded(int a, int b, int c) {
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

int TwipsOfDialogFont(int pointSize10, int pixelHeight, int dpi) {
    // Tenths of a point are half twips; without them the height gives the size.
    if (pointSize10 > 0) return pointSize10 * 2;
    return MulDivRounded(pixelHeight < 0 ? -pixelHeight : pixelHeight, 1440, dpi);
}

int PixelHeightOfTwips(int twips, int dpi) { return MulDivRounded(twips, dpi, 1440); }
