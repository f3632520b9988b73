// The plain text of notes, as the search reads them.
#include <gtest/gtest.h>

#include "store/rtf_text.h"

TEST(RtfToPlainText, ReadsTheTextOfANoteTheRichEditControlWrote) {
    // Saved by the day entry editor under Wine (Msftedit, Hungarian regional settings):
    // a red bold word, accented letters as \'xx, a letter outside Windows-1250 as \uN,
    // a bulleted paragraph and a tab.
    const char* note =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\nouicompat\\deflang1038{\\fonttbl{\\f0\\fnil\\fcharset238 MS Sans "
        "Serif;}{\\f1\\fnil\\fcharset0 Tahoma;}}\r\n"
        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\cf1\\b\\f0\\fs16 Gerg\\'f5\\cf0\\b0  sz\\'fclet\\'e9snapja, k\\'f6z\\'f6s vacsora\\par\r\n"
        "\\f1 \\u8364?20 \\u8730?2\\tab v\\'e9ge\\par\r\n"
        "{\\pntext\\f0\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf0\\pnindent0{\\pntxtb\\'b7}}\\fi-200\\li200 t\\'e9tel\\par\r\n"
        "}\r\n";
    EXPECT_EQ(RtfToPlainText(note), L"Gergő születésnapja, közös vacsora\n€20 √2\tvége\ntétel\n");
}

TEST(RtfToPlainText, SkipsTablesInformationPicturesAndStarredGroups) {
    EXPECT_EQ(RtfToPlainText("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
                             "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Titok}{\\author X}}"
                             "{\\*\\company Y}{\\pict\\wmetafile8 0123abcd}A{\\*\\bkmkstart b}B"
                             "{\\*\\unknowndest {nested {deeper}} text}C}"),
              L"ABC");
    // A destination word later in a group is an ordinary word, not a destination.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 {\\b x\\info y}z}"), L"xyz");
    // Binary data is skipped by its length, braces and backslashes included.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\bin4 {\\}\\b}"), L"ab");
}

TEST(RtfToPlainText, UnicodeFallbacksAreSkippedAsTheUcCountSays) {
    // \uc1 by default: one fallback character, which may be a \'xx.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\u337\\'f5x}"), L"őx");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\u337?x}"), L"őx");
    // \uc2: two fallback characters; \uc0: none.
    EXPECT_EQ(RtfToPlainText("{\\rtf1\\uc2 \\u8364EUx\\uc0 \\u337 y}"), L"€xőy");
    // Negative numbers are the upper half of the 16-bit range.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\u-3913?}"), std::wstring(1, static_cast<wchar_t>(65536 - 3913)));
    // The fallback ends at a group boundary; the \ucN of a group ends with it.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 {\\uc3 \\u337?}ab}"), L"őab");
    // A control word in the fallback counts as one character.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\u337\\b x}"), L"őx");
}

TEST(RtfToPlainText, ControlSymbolsAndBreaks) {
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\\\b\\{c\\}d\\~e\\-f\\line g\\tab h\\par}"),
              L"a\\b{c}d\u00A0ef\ng\th\n");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\ldblquote id\\rdblquote \\emdash x\\bullet}"), L"\u201Cid\u201D\u2014x\u2022");
    // Line breaks of the file mean nothing; a blank after a control word is its delimiter.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\b  two\r\nlines}"), L" twolines");
    // Numbers with signs and long numbers belong to the word.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\fi-200\\li99999999999 x}"), L"x");
}

TEST(RtfToPlainText, DamagedAndNonRtfInputNeverFails) {
    // Not RTF at all: the whole file is Windows-1250 text, as the editor loads it.
    EXPECT_EQ(RtfToPlainText("sima sz\xF6veg"), L"sima szöveg");
    EXPECT_EQ(RtfToPlainText(""), L"");
    // Unbalanced braces, a cut-off \'x, a trailing backslash.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a}}}b{{"), L"ab");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\'f"), L"af");  // an incomplete \'x is left as text
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\'zzb"), L"azzb");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\"), L"a");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\bin999999 abc"), L"");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\u99999999999?x}"), L"x");
}
