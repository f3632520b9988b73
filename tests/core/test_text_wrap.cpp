#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/text_wrap.h"

namespace {

// Every character one unit wide, 'W' three.
int Units(std::wstring_view s) {
    int w = 0;
    for (wchar_t c : s) w += c == L'W' ? 3 : 1;
    return w;
}

std::vector<std::wstring> Wrap(const std::wstring& text, int max) { return WrapText(text, max, Units); }

}  // namespace

TEST(TextWrap, BreaksAfterBlanksAndKeepsEveryLineWithinTheColumn) {
    const std::wstring text = L"Fogorvos tíz órakor, utána bevásárlás a piacon";
    for (int max = 10; max <= 50; ++max) {  // the longest word has 10 letters
        const auto lines = Wrap(text, max);
        std::wstring joined;
        for (const auto& line : lines) {
            EXPECT_LE(Units(line), max) << line;
            EXPECT_FALSE(line.empty());
            joined += (joined.empty() ? L"" : L" ") + line;
        }
        EXPECT_EQ(joined, text) << max;  // no word lost, none cut while it fits a line
    }
    EXPECT_EQ(Wrap(text, 20), (std::vector<std::wstring>{L"Fogorvos tíz órakor,", L"utána bevásárlás a", L"piacon"}));
    EXPECT_EQ(Wrap(text, 100).size(), 1u);
}

TEST(TextWrap, AWordWiderThanTheColumnIsBrokenBetweenItsCharacters) {
    // 12 W's are 36 units: lines of 3, 3 and 2 W's in a column of 10 (9, 9, ... units).
    EXPECT_EQ(Wrap(L"WWWWWWWW", 10), (std::vector<std::wstring>{L"WWW", L"WWW", L"WW"}));
    EXPECT_EQ(Wrap(L"ab WWWWWWWW cd", 10), (std::vector<std::wstring>{L"ab", L"WWW", L"WWW", L"WW cd"}));
    // A column narrower than one character still moves on, one character a line.
    EXPECT_EQ(Wrap(L"WWW", 2), (std::vector<std::wstring>{L"W", L"W", L"W"}));
}

TEST(TextWrap, LineBreaksBlanksAndEmptyTexts) {
    EXPECT_EQ(Wrap(L"", 10), (std::vector<std::wstring>{L""}));
    EXPECT_EQ(Wrap(L"                    ", 10), (std::vector<std::wstring>{L""}));  // a blank title
    EXPECT_EQ(Wrap(L"Szenteste           ", 10), (std::vector<std::wstring>{L"Szenteste"}));
    EXPECT_EQ(Wrap(L"egy\r\nkettő\nhárom", 20), (std::vector<std::wstring>{L"egy", L"kettő", L"három"}));
    EXPECT_EQ(Wrap(L"a  b", 10), (std::vector<std::wstring>{L"a  b"}));  // blanks inside a line stay
}
