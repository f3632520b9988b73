#include <gtest/gtest.h>

#include "lists/name_search.h"

namespace {

// The document as the box holds it: paragraphs end in one "\r".
const std::wstring kText = L"Névnapok\r\rJanuár\rjanuár 1.  Fruzsina\rjanuár 2.  Ábel\r"
                           L"január 19.  Márió, Sára\rfebruár 1.  Ignác\r";

struct Search {
    std::wstring text = kText;
    int calls = 0;
    TextRange lastRange{-1, -1};
    RangeFinder finder() {
        return [this](const std::wstring& what, TextRange where) {
            ++calls;
            lastRange = where;
            return FindInText(text, what, where);
        };
    }
    int32_t length() const { return static_cast<int32_t>(text.size()); }
    int32_t at(const std::wstring& part, size_t from = 0) const { return static_cast<int32_t>(text.find(part, from)); }
};

}  // namespace

TEST(NameSearch, FirstMatchCoversTheWholeDocumentToItsLastCharacter) {
    Search s;
    auto m = FindFirstMatch(L"Fruzsina", s.length(), s.finder());
    ASSERT_TRUE(m);
    EXPECT_EQ(*m, (TextRange{s.at(L"Fruzsina"), s.at(L"Fruzsina") + 8}));
    EXPECT_EQ(s.lastRange, (TextRange{0, s.length()}));
    // A name ending the document is still found: the range reaches its end.
    s.text = L"január 1.  Fruzsina";
    m = FindFirstMatch(L"Fruzsina", s.length(), s.finder());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->end, s.length());
}

TEST(NameSearch, CaseMustMatchButPartsOfLongerWordsAreFound) {
    Search s;
    EXPECT_FALSE(FindFirstMatch(L"fruzsina", s.length(), s.finder()));
    EXPECT_FALSE(FindFirstMatch(L"ábel", s.length(), s.finder()));
    auto part = FindFirstMatch(L"zsin", s.length(), s.finder());
    ASSERT_TRUE(part);
    EXPECT_EQ(part->start, s.at(L"Fruzsina") + 3);
    // "Ja" only in the capitalised month heading, "ja" only in the dates.
    EXPECT_EQ(FindFirstMatch(L"Ja", s.length(), s.finder()).value().start, s.at(L"Január"));
    EXPECT_EQ(FindFirstMatch(L"ja", s.length(), s.finder()).value().start, s.at(L"január 1."));
}

TEST(NameSearch, EmptySearchTextFindsNothingWithoutSearching) {
    Search s;
    EXPECT_FALSE(FindFirstMatch(L"", s.length(), s.finder()));
    EXPECT_FALSE(FindNextMatch(L"", TextRange{3, 5}, s.length(), s.finder()));
    EXPECT_EQ(s.calls, 0);
    EXPECT_FALSE(FindFirstMatch(L"Ábel", 0, s.finder())) << "an empty document";
}

TEST(NameSearch, NextGoesOnFromTheSelectionEndAndStopsAfterTheLast) {
    Search s;
    const int32_t first = s.at(L"január"), second = s.at(L"január", static_cast<size_t>(first) + 1),
                  third = s.at(L"január", static_cast<size_t>(second) + 1);
    // Nothing selected (the caret anywhere): from the beginning, the first match.
    auto m = FindNextMatch(L"január", TextRange{40, 40}, s.length(), s.finder());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, first);
    m = FindNextMatch(L"január", *m, s.length(), s.finder());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, second);
    m = FindNextMatch(L"január", *m, s.length(), s.finder());
    ASSERT_TRUE(m);
    EXPECT_EQ(m->start, third);
    EXPECT_FALSE(FindNextMatch(L"január", *m, s.length(), s.finder())) << "no wrap-around";
    // A selection made backwards goes on from its larger end.
    EXPECT_EQ(NextSearchStart(TextRange{9, 4}), 9);
    EXPECT_EQ(NextSearchStart(TextRange{7, 7}), 0);
}

TEST(NameSearch, AMatchMustLieWhollyInsideTheRange) {
    const std::wstring text = L"Sára, Sári";
    EXPECT_EQ(FindInText(text, L"Sár", TextRange{1, 10}), 6);
    EXPECT_EQ(FindInText(text, L"Sári", TextRange{0, 9}), -1);
    EXPECT_EQ(FindInText(text, L"Sári", TextRange{0, 99}), 6) << "the end is clipped to the text";
    EXPECT_EQ(FindInText(text, L"Sára", TextRange{1, 10}), -1);
}
