// What the rich-text windows, the colour menu and the day cells work out without a
// window: the size box's number, the dialog filters, the font list, the font dialog's
// sizes, the Alt letters of the colours, the day cell's face.
#include <gtest/gtest.h>

#include <cwctype>

#include "appearance/day_face.h"
#include "editors/note_format.h"
#include "editors/title_colours.h"
#include "platform/errors.h"

namespace {

// Letter case ignored as the system does for the Latin letters of font names.
int CompareIgnoringCase(const std::wstring& a, const std::wstring& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const wint_t x = std::towlower(static_cast<wint_t>(a[i])), y = std::towlower(static_cast<wint_t>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

}  // namespace

TEST(NoteFormat, SizeTextMustBeAWholeDecimalNumber) {
    EXPECT_EQ(ParseFontSize(L"12"), 12);
    EXPECT_EQ(ParseFontSize(L"  7"), 7);
    EXPECT_EQ(ParseFontSize(L"+9"), 9);
    EXPECT_EQ(ParseFontSize(L"-3"), -3);
    EXPECT_EQ(ParseFontSize(L"0"), 0);
    EXPECT_EQ(ParseFontSize(L"2147483647"), 2147483647);
    for (const wchar_t* bad :
         {L"abc", L"", L" ", L"12pt", L"1 2", L"$10", L"0x10", L"-", L"12 ", L"99999999999", L"2147483648"}) {
        try {
            ParseFontSize(bad);
            ADD_FAILURE() << "accepted: " << Narrow(bad);
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.Text(), L"'" + std::wstring(bad) + L"' is not a valid integer value");
        }
    }
}

TEST(NoteFormat, SizeBoxTextAndArrowsStayInRange) {
    EXPECT_EQ(FontSizeText(8), L"8");
    EXPECT_EQ(FontSizeText(0), L"0");
    EXPECT_EQ(ArrowPositionOf(12), 12);
    EXPECT_EQ(ArrowPositionOf(-4), kSmallestArrowSize);
    EXPECT_EQ(ArrowPositionOf(1638), kLargestArrowSize);
}

TEST(NoteFormat, DialogFilterIsNulSeparatedAndDoubleNulTerminated) {
    const std::wstring f = DialogFilter(L"Rich text file-ok (*.rtf)|*.rtf|Text file-ok|*.txt");
    const std::wstring expected(L"Rich text file-ok (*.rtf)\0*.rtf\0Text file-ok\0*.txt\0\0", 52);
    EXPECT_EQ(f, expected);
    EXPECT_EQ(DialogFilter(L""), std::wstring(2, L'\0'));
}

TEST(NoteFormat, FontNamesSortedOnceIgnoringCaseWithoutVerticalFaces) {
    const auto names = SortedFontNames(
        {L"Tahoma", L"arial", L"@MS Gothic", L"Arial", L"Courier New", L"tahoma", L""}, CompareIgnoringCase);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], L"arial") << "the first of equal names stays";
    EXPECT_EQ(names[1], L"Courier New");
    EXPECT_EQ(names[2], L"Tahoma");
    EXPECT_EQ(FontIndexOf(names, L"COURIER NEW", CompareIgnoringCase), 1);
    EXPECT_EQ(FontIndexOf(names, L"courier", CompareIgnoringCase), -1);
    EXPECT_EQ(FontIndexOf({}, L"Arial", CompareIgnoringCase), -1);
}

TEST(NoteFormat, FontDialogSizesInTwips) {
    // Tenths of a point are half twips; without them the pixel height gives the size.
    EXPECT_EQ(TwipsOfDialogFont(140, -19, 96), 280);
    EXPECT_EQ(TwipsOfDialogFont(0, -19, 96), 285);
    EXPECT_EQ(TwipsOfDialogFont(0, 19, 96), 285);
    EXPECT_EQ(TwipsOfDialogFont(0, -16, 120), 192);
    // 8 points at 96 dpi are 10.67 pixels: rounded to 11.
    EXPECT_EQ(PixelHeightOfTwips(160, 96), 11);
    EXPECT_EQ(PixelHeightOfTwips(280, 96), 19);
    EXPECT_EQ(PixelHeightOfTwips(150, 96), 10);  // exactly 10
}

TEST(TitleColours, AltLettersPickTheMenuColours) {
    EXPECT_EQ(ColourOfShortcut('K'), clBlue);
    EXPECT_EQ(ColourOfShortcut('I'), clTeal);
    EXPECT_EQ(ColourOfShortcut('F'), clBlack);
    EXPECT_EQ(ColourOfShortcut('E'), clWhite);
    EXPECT_EQ(ColourOfShortcut('D'), clGreen);
    EXPECT_FALSE(ColourOfShortcut('X'));
    EXPECT_FALSE(ColourOfShortcut('k')) << "the virtual key of a letter is upper case";
    EXPECT_FALSE(ColourOfShortcut(0x10000 + 'K'));
    EXPECT_EQ(ColourOfItem(L"Piros1"), clRed);
    EXPECT_EQ(ColourOfItem(L"Sttkk1"), 0x800000u);
    EXPECT_FALSE(ColourOfItem(L"Piros"));
    // Every item has a letter of its own.
    for (size_t i = 0; i < kTitleColours.size(); ++i)
        for (size_t j = i + 1; j < kTitleColours.size(); ++j) EXPECT_NE(kTitleColours[i].key, kTitleColours[j].key);
}

TEST(DayFace, ColoursOfTheDayNumberAndTheMarker) {
    const DayNumberColours today = NumberColours(true, true);
    EXPECT_EQ(today.shadow, 0x00FFFFu);
    EXPECT_EQ(today.number, 0xFF00FFu);
    EXPECT_EQ(NumberColours(true, false).number, 0xFF00FFu) << "today wins over an ordinary weekday";
    const DayNumberColours holiday = NumberColours(false, true);
    EXPECT_EQ(holiday.shadow, 0x808080u);
    EXPECT_EQ(holiday.number, 0x00FFFFu);
    EXPECT_EQ(NumberColours(false, false).number, 0x000080u);

    EXPECT_EQ(MarkerColours(true).fill, 0x0000FFu);
    EXPECT_EQ(MarkerColours(true).outline, 0x000080u);
    EXPECT_EQ(MarkerColours(false).fill, 0xC0C0C0u);
    EXPECT_EQ(MarkerColours(false).outline, 0x808080u);
}

TEST(DayFace, TitleWordsKeepToTheBottomOfTallCells) {
    const TitleWordRows low = TitleRowsOf(71, 1.0);
    EXPECT_EQ(low.first, 40);
    EXPECT_EQ(low.second, 55);
    const TitleWordRows tall = TitleRowsOf(100, 1.0);
    EXPECT_EQ(tall.first, 68);
    EXPECT_EQ(tall.second, 83);
    const TitleWordRows edge = TitleRowsOf(72, 1.0);
    EXPECT_EQ(edge.first, 40);
    EXPECT_EQ(edge.second, 55);
    // At 150 %, designed pixels scale: 72 -> 108.
    EXPECT_EQ(TitleRowsOf(107, 1.5).first, 60);
    EXPECT_EQ(TitleRowsOf(150, 1.5).first, 150 - 48);
    EXPECT_EQ(ScaledPixels(17, 1.5), 26);  // 25.5 rounds away from zero
}

TEST(DayFace, FocusRectangleOnePixelInsideTheFrame) {
    EXPECT_EQ(FocusInset(true, true, 1, 0), 3);
    EXPECT_EQ(FocusInset(false, true, 2, 1), 4);
    EXPECT_EQ(FocusInset(false, false, 5, 0), 1);
}
