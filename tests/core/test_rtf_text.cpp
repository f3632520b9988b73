// The plain text of notes, as the search reads them.
#include <gtest/gtest.h>

#include "store/rtf_text.h"

TEST(RtfToPlainText, ReadsTheTextOfANoteTheRichEditControlWrote) {
    // Saved by the day entry editor under Wine (its rich-edit control, Hungarian
    // regional settings): a bold word, accented letters as \'xx, a bulleted
    // paragraph, a tab, and the NUL the control puts after the closing brace.
    const std::string note =
        "{\\rtf1\\ansi\\ansicpg1250\\uc1\\deff0\\deflang1038\\deflangfe1038{\\fonttbl{\\f0 MS Sans Serif;}{\\f1\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl;\\red0\\green0\\blue0;}\r\n"
        "{\\*\\generator Wine Riched20 2.0;}\r\n"
        "\\pard\\sl-240\\slmult1 \\b\\lang1038\\fs16\\f0 Gerg\\'f5 \\b0 sz\\'fclet\\'e9snapja\\par\r\n"
        "\\'8020 \\'e9s n\\tab v\\'e9ge\\par\r\n"
        "\\pard{\\pntext\\f1 \\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}\\sl-240\\slmult1 t\\'e9tel\\cf1\\fs16 \\par\r\n"
        "}";
    EXPECT_EQ(RtfToPlainText(note + std::string(1, '\0')), L"Gergő születésnapja\n€20 és n\tvége\ntétel\n");
    // Written here in the form Windows' own control uses: \uN with a \'xx fallback.
    const char* windows =
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\nouicompat\\deflang1038{\\fonttbl{\\f0\\fnil\\fcharset238 MS Sans "
        "Serif;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\cf1\\b\\f0\\fs16 k\\'f6z\\'f6s\\cf0\\b0  \\u241\\'6e and\\u8730?2\\par\r\n}\r\n";
    EXPECT_EQ(RtfToPlainText(windows), L"közös ñ and√2\n");
    // Text after the document's closing brace is not the note's.
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a}b"), L"a");
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
    EXPECT_EQ(RtfToPlainText("{\\rtf1 {a}}}b{{"), L"a");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\'f"), L"af");  // an incomplete \'x is left as text
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\'zzb"), L"azzb");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\"), L"a");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\bin999999 abc"), L"");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\u99999999999?x}"), L"x");
}
