#include <gtest/gtest.h>

#include "lists/name_search.h"

namespace {

// The document as the box holds it: paragraphs end in one "\r"; "Sára" ends it.
const std::wstring kText = L"Január\rjanuár 1.  Fruzsina\rjanuár 19.  Márió, Sára\rfebruár 1.  Sára";
const int32_t kLength = static_cast<int32_t>(kText.size());

int32_t Find(const std::wstring& what, TextRange where) { return FindInText(kText, what, where); }
int32_t At(const std::wstring& part, size_t from = 0) { return static_cast<int32_t>(kText.find(part, from)); }

}  // namespace

TEST(NameSearch, FirstMatchIsCaseSensitiveAndFindsPartsOfNames) {
    EXPECT_FALSE(FindFirstMatch(L"fruzsina", kLength, Find));
    EXPECT_EQ(FindFirstMatch(L"zsin", kLength, Find), (TextRange{At(L"zsin"), At(L"zsin") + 4}));
    EXPECT_EQ(FindFirstMatch(L"Ja", kLength, Find).value().start, 0);
    EXPECT_EQ(FindFirstMatch(L"ja", kLength, Find).value().start, At(L"január 1."));
    EXPECT_FALSE(FindFirstMatch(L"", kLength, Find)) << "an empty text matches nothing";
}

TEST(NameSearch, NextStartsAfterTheSelectionOrAtTheTopAndNeverWraps) {
    const int32_t first = At(L"Sára"), last = At(L"Sára", static_cast<size_t>(first) + 1);
    // A bare caret anywhere: from the top.
    EXPECT_EQ(FindNextMatch(L"Sára", TextRange{last + 2, last + 2}, kLength, Find).value().start, first);
    auto m = FindNextMatch(L"Sára", TextRange{first, first + 4}, kLength, Find);
    ASSERT_TRUE(m);
    EXPECT_EQ(*m, (TextRange{last, kLength})) << "the range reaches the last character";
    EXPECT_FALSE(FindNextMatch(L"Sára", *m, kLength, Find));
    EXPECT_EQ(NextSearchStart(TextRange{9, 4}), 9) << "a backward selection goes on from its larger end";
    int calls = 0;
    RangeFinder counting = [&](const std::wstring&, TextRange) {
        ++calls;
        return -1;
    };
    EXPECT_FALSE(FindNextMatch(L"", TextRange{3, 5}, kLength, counting));
    EXPECT_EQ(calls, 0);
}
