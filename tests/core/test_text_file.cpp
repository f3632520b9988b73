// Plain text files as the editors open them: byte-order marks, valid UTF-8, and the
// Hungarian code page for everything else, whatever code page the system has.
#include <gtest/gtest.h>

#include "platform/codec1250.h"
#include "platform/text_file.h"

namespace {

const std::wstring kHungarian = L"Árvíztűrő tükörfúrógép – őszi ünnep";

std::string Utf16Le(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>((c >> 8) & 0xFF);
    }
    return out;
}

}  // namespace

TEST(TextFile, EveryKindOfFileDecodesToTheSameHungarianText) {
    const std::string utf8 = "\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91 t\xC3\xBCk\xC3\xB6rf\xC3\xBAr\xC3\xB3g\xC3\xA9p "
                             "\xE2\x80\x93 \xC5\x91szi \xC3\xBCnnep";
    struct Case {
        const char* what;
        std::string bytes;
        TextEncoding encoding;
    };
    const Case cases[] = {
        {"UTF-8 without a mark", utf8, TextEncoding::Utf8},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" + utf8, TextEncoding::Utf8},
        {"Windows-1250", EncodeCp1250(kHungarian), TextEncoding::Windows1250},
        {"UTF-16 with a mark", "\xFF\xFE" + Utf16Le(kHungarian), TextEncoding::Utf16LittleEndian},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DetectTextEncoding(c.bytes), c.encoding) << c.what;
        EXPECT_EQ(DecodeTextFile(c.bytes), kHungarian) << c.what;
    }
    EXPECT_EQ(DecodeTextFile("plain ASCII\r\n"), L"plain ASCII\r\n");
    EXPECT_EQ(DecodeTextFile(""), L"");
    EXPECT_EQ(DecodeTextFile("\xFE\xFF" + std::string("\x01\x51\x00\x41", 4)), L"\u0151A");  // big-endian
}

TEST(TextFile, Utf8IsRecognisedOnlyWhenEveryByteFits) {
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"abc", true},
        {"\xC5\x91", true},              // ő
        {"\xE2\x82\xAC", true},          // €
        {"\xF0\x9F\x98\x80", true},      // an emoji, four bytes
        {"\xF4\x8F\xBF\xBF", true},      // U+10FFFF, the last code point
        {"\xF5", false},                 // ő in Windows-1250
        {"\xC5", false},                 // a sequence cut at the end
        {"\xC5\x41", false},             // a lead byte without its continuation
        {"\x91", false},                 // a lone continuation byte
        {"\xC0\xAF", false},             // overlong "/"
        {"\xE0\x80\xAF", false},         // overlong, three bytes
        {"\xED\xA0\x80", false},         // a UTF-16 surrogate
        {"\xF4\x90\x80\x80", false},     // above U+10FFFF
        {"\xE2\x82", false},             // cut three-byte sequence
        {"t\xFBz\xF5", false},           // "tűző" in Windows-1250
    };
    for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << testing::PrintToString(c.bytes);
    // One Windows-1250 letter among UTF-8 text makes the whole file Windows-1250.
    EXPECT_EQ(DecodeTextFile("\xC5\x91 \xF5"), L"\u0139\u2018 \u0151");
}

TEST(TextFile, AFourByteCharacterSurvivesAsOneCharacter) {
    const std::wstring decoded = DecodeTextFile("\xF0\x9F\x98\x80!");
    if constexpr (sizeof(wchar_t) == 2)
        EXPECT_EQ(decoded, std::wstring(L"\xD83D\xDE00!"));
    else
        EXPECT_EQ(decoded, std::wstring(1, static_cast<wchar_t>(0x1F600)) + L"!");
}
