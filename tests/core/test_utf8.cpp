// Wide text to UTF-8 and back, as error texts and exported calendars carry it.
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/utf8.h"

TEST(Utf8, HungarianTextAndSymbolsSurviveTheRoundTrip) {
    const std::wstring text = L"Gergő közös ŐŰ € \U0001F600";
    const std::string utf8 = WideToUtf8(text);
    EXPECT_EQ(utf8, "Gerg\xC5\x91 k\xC3\xB6z\xC3\xB6s \xC5\x90\xC5\xB0 \xE2\x82\xAC \xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToWide(utf8), text);
}

TEST(Utf8, ALoneSurrogateBecomesTheReplacementCharacter) {
    std::wstring text = L"a";
    text += static_cast<wchar_t>(0xD800);
    text += L"b";
    EXPECT_EQ(WideToUtf8(text), "a\xEF\xBF\xBD" "b");
    std::string out;
    AppendUtf8(out, 0x110000);
    EXPECT_EQ(out, "\xEF\xBF\xBD");
}
