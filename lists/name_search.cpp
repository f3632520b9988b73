#include "lists/name_search.h"

#include <algorithm>

namespace {

std::optional<TextRange> FindFrom(const std::wstring& what, int32_t start, int32_t length, const RangeFinder& find) {
    if (what.empty() || start < 0 || start >= length) return std::nullopt;
    const int32_t k = find(what, TextRange{start, length});
    if (k < 0) return std::nullopt;
    return TextRange{k, k + static_cast<int32_t>(what.size())};
}

}  // namespace

int32_t NextSearchStart(TextRange selection) {
    return selection.start == selection.end ? 0 : std::max(selection.start, selection.end);
}

std::optional<TextRange> FindFirstMatch(const std::wstring& what, int32_t length, const RangeFinder& find) {
    return FindFrom(what, 0, length, find);
}

std::optional<TextRange> FindNextMatch(const std::wstring& what, TextRange selection, int32_t length,
                                       const RangeFinder& find) {
    return FindFrom(what, NextSearchStart(selection), length, find);
}

int32_t FindInText(const std::wstring& text, const std::wstring& what, TextRange where) {
    const auto size = static_cast<int32_t>(text.size());
    const int32_t start = std::clamp(where.start, 0, size), end = std::clamp(where.end, start, size);
    if (what.empty()) return -1;
    const size_t k = text.find(what, static_cast<size_t>(start));
    if (k == std::wstring::npos || static_cast<int32_t>(k + what.size()) > end) return -1;
    return static_cast<int32_t>(k);
}
