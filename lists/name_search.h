// The name-day search's rules, apart from the window: which part of the document a
// search covers, where "next" starts, and what a match selects. The window plugs in
// the rich edit's own search; tests plug in FindInText.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Character positions over the document's plain text; `end` is one past the last.
struct TextRange {
    int32_t start = 0;
    int32_t end = 0;
    friend bool operator==(const TextRange&, const TextRange&) = default;
};

// Finds `what` inside `where` (the whole match lies in it), case-sensitively and
// forwards; the position of its first character, or -1.
using RangeFinder = std::function<int32_t(const std::wstring& what, TextRange where)>;

// "Next" goes on from the end of the selection; with nothing selected it starts at
// the beginning of the document, wherever the caret stands.
int32_t NextSearchStart(TextRange selection);

// The first match in the whole document of `length` characters, or nothing. An empty
// search text matches nothing.
std::optional<TextRange> FindFirstMatch(const std::wstring& what, int32_t length, const RangeFinder& find);
// The match after the current selection, or nothing (no wrap-around).
std::optional<TextRange> FindNextMatch(const std::wstring& what, TextRange selection, int32_t length,
                                       const RangeFinder& find);

// The rich edit's search over a plain string: case-sensitive, forwards, the match
// wholly inside `where` (clipped to the text).
int32_t FindInText(const std::wstring& text, const std::wstring& what, TextRange where);
