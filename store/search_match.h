// Matching of search words against the diary's texts. By default case and accents
// do not count, the Hungarian way ("gergo" finds "Gergő", "O" finds "ő" and "Ö");
// the exact mode compares letter for letter. Every word has to occur somewhere.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Lower case without accents, one character for one: positions in the folded text
// are positions in the original, so a hit can be shown in the original text.
wchar_t FoldCharacter(wchar_t c);
std::wstring FoldForSearch(std::wstring_view text);

class SearchQuery {
public:
    SearchQuery() = default;
    // The words of `text`, split at blanks; `exact` keeps case and accents.
    SearchQuery(std::wstring_view text, bool exact);

    bool Empty() const { return words_.empty(); }
    bool Exact() const { return exact_; }
    const std::vector<std::wstring>& Words() const { return words_; }

    // The form of a text that Find looks in: folded, or the text itself when exact.
    std::wstring Prepare(std::wstring_view text) const;
    // True when every word occurs in one of the prepared texts.
    bool MatchesAll(std::initializer_list<std::wstring_view> prepared) const;
    // Position of the earliest occurrence of any word in a prepared text, or npos.
    size_t FirstHit(std::wstring_view prepared) const;

private:
    std::vector<std::wstring> words_;  // already prepared
    bool exact_ = false;
};

// A short piece of `text` around position `hit` (from the start when npos): at most
// `width` characters, blanks and line breaks shown as one blank, "…" where cut.
std::wstring SnippetAround(std::wstring_view text, size_t hit, size_t width = 110);
