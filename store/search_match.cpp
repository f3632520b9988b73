#include "store/search_match.h"

#include <algorithm>
#include <array>

namespace {

// Accented letters of Windows-1250 and Latin-1 with their base letter, lower case.
struct Fold {
    wchar_t from;
    wchar_t to;
};
constexpr Fold kFolds[] = {
    {0x00C0, L'a'}, {0x00C1, L'a'}, {0x00C2, L'a'}, {0x00C3, L'a'}, {0x00C4, L'a'}, {0x00C5, L'a'},
    {0x00C7, L'c'}, {0x00C8, L'e'}, {0x00C9, L'e'}, {0x00CA, L'e'}, {0x00CB, L'e'}, {0x00CC, L'i'},
    {0x00CD, L'i'}, {0x00CE, L'i'}, {0x00CF, L'i'}, {0x00D1, L'n'}, {0x00D2, L'o'}, {0x00D3, L'o'},
    {0x00D4, L'o'}, {0x00D5, L'o'}, {0x00D6, L'o'}, {0x00D8, L'o'}, {0x00D9, L'u'}, {0x00DA, L'u'},
    {0x00DB, L'u'}, {0x00DC, L'u'}, {0x00DD, L'y'}, {0x00E0, L'a'}, {0x00E1, L'a'}, {0x00E2, L'a'},
    {0x00E3, L'a'}, {0x00E4, L'a'}, {0x00E5, L'a'}, {0x00E7, L'c'}, {0x00E8, L'e'}, {0x00E9, L'e'},
    {0x00EA, L'e'}, {0x00EB, L'e'}, {0x00EC, L'i'}, {0x00ED, L'i'}, {0x00EE, L'i'}, {0x00EF, L'i'},
    {0x00F1, L'n'}, {0x00F2, L'o'}, {0x00F3, L'o'}, {0x00F4, L'o'}, {0x00F5, L'o'}, {0x00F6, L'o'},
    {0x00F8, L'o'}, {0x00F9, L'u'}, {0x00FA, L'u'}, {0x00FB, L'u'}, {0x00FC, L'u'}, {0x00FD, L'y'},
    {0x00FF, L'y'}, {0x0102, L'a'}, {0x0103, L'a'}, {0x0104, L'a'}, {0x0105, L'a'}, {0x0106, L'c'},
    {0x0107, L'c'}, {0x010C, L'c'}, {0x010D, L'c'}, {0x010E, L'd'}, {0x010F, L'd'}, {0x0110, L'd'},
    {0x0111, L'd'}, {0x0118, L'e'}, {0x0119, L'e'}, {0x011A, L'e'}, {0x011B, L'e'}, {0x0139, L'l'},
    {0x013A, L'l'}, {0x013D, L'l'}, {0x013E, L'l'}, {0x0141, L'l'}, {0x0142, L'l'}, {0x0143, L'n'},
    {0x0144, L'n'}, {0x0147, L'n'}, {0x0148, L'n'}, {0x0150, L'o'}, {0x0151, L'o'}, {0x0154, L'r'},
    {0x0155, L'r'}, {0x0158, L'r'}, {0x0159, L'r'}, {0x015A, L's'}, {0x015B, L's'}, {0x015E, L's'},
    {0x015F, L's'}, {0x0160, L's'}, {0x0161, L's'}, {0x0162, L't'}, {0x0163, L't'}, {0x0164, L't'},
    {0x0165, L't'}, {0x016E, L'u'}, {0x016F, L'u'}, {0x0170, L'u'}, {0x0171, L'u'}, {0x0178, L'y'},
    {0x0179, L'z'}, {0x017A, L'z'}, {0x017B, L'z'}, {0x017C, L'z'}, {0x017D, L'z'}, {0x017E, L'z'},
};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == 0x00A0; }

// Every character up to the end of Latin Extended-A, folded: one look-up each.
constexpr size_t kFoldedRange = 0x180;
const std::array<wchar_t, kFoldedRange>& FoldTable() {
    static const auto table = [] {
        std::array<wchar_t, kFoldedRange> t{};
        for (size_t c = 0; c < kFoldedRange; ++c)
            t[c] = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : static_cast<wchar_t>(c);
        for (const Fold& f : kFolds) t[f.from] = f.to;
        return t;
    }();
    return table;
}

}  // namespace

wchar_t FoldCharacter(wchar_t c) {
    return static_cast<size_t>(c) < kFoldedRange ? FoldTable()[static_cast<size_t>(c)] : c;
}

std::wstring FoldForSearch(std::wstring_view text) {
    const auto& table = FoldTable();
    std::wstring out(text);
    for (wchar_t& c : out)
        if (static_cast<size_t>(c) < kFoldedRange) c = table[static_cast<size_t>(c)];
    return out;
}

SearchQuery::SearchQuery(std::wstring_view text, bool exact) : exact_(exact) {
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > start) {
            std::wstring word = Prepare(text.substr(start, i - start));
            if (std::find(words_.begin(), words_.end(), word) == words_.end()) words_.push_back(std::move(word));
        }
    }
}

std::wstring SearchQuery::Prepare(std::wstring_view text) const {
    return exact_ ? std::wstring(text) : FoldForSearch(text);
}

bool SearchQuery::MatchesAll(std::initializer_list<std::wstring_view> prepared) const {
    if (words_.empty()) return false;
    for (const auto& word : words_) {
        bool found = false;
        for (std::wstring_view text : prepared)
            if (text.find(word) != std::wstring_view::npos) {
                found = true;
                break;
            }
        if (!found) return false;
    }
    return true;
}

size_t SearchQuery::FirstHit(std::wstring_view prepared) const {
    size_t first = std::wstring_view::npos;
    for (const auto& word : words_) first = std::min(first, prepared.find(word));
    return first;
}

std::wstring SnippetAround(std::wstring_view text, size_t hit, size_t width) {
    // The hit stands a little after the start, so the words before it give context.
    const size_t lead = width / 4;
    size_t start = hit == std::wstring_view::npos || hit < lead ? 0 : hit - lead;
    // Start at a word boundary when the cut falls inside a word.
    if (start > 0) {
        size_t back = start;
        while (back > 0 && back + 12 > start && !IsBlank(text[back - 1])) --back;
        if (back == 0 || IsBlank(text[back - 1])) start = back;
    }
    std::wstring out;
    if (start > 0) out += L"…";
    bool blank = false;
    size_t i = start;
    for (; i < text.size() && out.size() < width; ++i) {
        if (IsBlank(text[i])) {
            blank = !out.empty() && out != L"…";
            continue;
        }
        if (blank) out += L' ';
        blank = false;
        out += text[i];
    }
    // Only blanks left means nothing was cut.
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size()) out += L"…";
    return out;
}
