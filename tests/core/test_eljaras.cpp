#include <gtest/gtest.h>

#include "platform/codec1250.h"
#include "platform/eljaras.h"
#include "platform/errors.h"

TEST(PadText, CutsPadsAndHandlesEmptyAndNonPositiveWidths) {
    EXPECT_EQ(PadText(L"Kedd", 6), L"Kedd  ");
    EXPECT_EQ(PadText(L"Csütörtök", 4), L"Csüt");
    EXPECT_EQ(PadText(L"", 3), L"   ");
    EXPECT_EQ(PadText(L"abc", 0), L"");
    EXPECT_EQ(PadText(L"abc", -5), L"");
    EXPECT_EQ(PadText(L"  lead", 8), L"  lead  ");
}

TEST(TextToInt, AcceptsDecimalHexAndSignedForms) {
    EXPECT_EQ(TextToInt(L""), 0);
    EXPECT_EQ(TextToInt(L"$8080FF"), 8421631);
    EXPECT_EQ(TextToInt(L"$ff"), 255);
    EXPECT_EQ(TextToInt(L"x1F"), 31);
    EXPECT_EQ(TextToInt(L"0x1f"), 31);
    EXPECT_EQ(TextToInt(L"   42"), 42);
    EXPECT_EQ(TextToInt(L"-1"), -1);
    EXPECT_EQ(TextToInt(L"+7"), 7);
    EXPECT_EQ(TextToInt(L"2147483647"), 2147483647);
    EXPECT_EQ(TextToInt(L"-2147483648"), INT32_MIN);
    EXPECT_EQ(TextToInt(L"$8000000F"), -2147483633);
    EXPECT_EQ(TextToInt(L"$FFFFFFFF"), -1);
}

TEST(TextToInt, RejectsEverythingElseWithTheConversionMessage) {
    for (const wchar_t* bad : {L"12a", L"abc", L"$", L"-", L"0x", L"12 ", L"1.5", L"2147483648", L"$100000000",
                               L"-2147483649", L"$G1", L" "}) {
        try {
            TextToInt(bad);
            ADD_FAILURE() << "accepted " << WideToUtf8(bad);
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.Text(), L"'" + std::wstring(bad) + L"' is not a valid integer value");
        }
    }
}

TEST(ColorToHexText, WritesUpperCaseWithoutLeadingZerosAndReadsBack) {
    EXPECT_EQ(ColorToHexText(255), L"$FF");
    EXPECT_EQ(ColorToHexText(0xC0C0C0), L"$C0C0C0");
    EXPECT_EQ(ColorToHexText(0), L"$0");
    EXPECT_EQ(ColorToHexText(-2147483633), L"$8000000F");
    for (int32_t c : {0, 1, 0xFF, 0x8080FF, 0xFFFFFF, -1, INT32_MIN, 0x7FFFFFFF})
        EXPECT_EQ(TextToInt(ColorToHexText(c)), c);
}

TEST(Dates, MonthLengthsAndLeapYears) {
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2026, 2), 28);
    EXPECT_EQ(DaysInMonth(2026, 4), 30);
    EXPECT_EQ(DaysInMonth(2026, 12), 31);
    EXPECT_EQ(DaysInMonth(2026, 13), -1);
    EXPECT_EQ(DaysInMonth(2026, 0), -1);
}

TEST(Dates, WeekdaysAreMondayFirst) {
    EXPECT_EQ(MondayFirstDayOfWeek(Date{2026, 12, 7}), 1);   // a Monday
    EXPECT_EQ(MondayFirstDayOfWeek(Date{2026, 12, 6}), 7);   // a Sunday
    EXPECT_EQ(MondayFirstDayOfWeek(Date{2000, 1, 1}), 6);    // a Saturday
    EXPECT_EQ(MondayFirstDayOfWeek(Date{1899, 12, 30}), 6);  // day 0 of the platform's count
    EXPECT_EQ(MondayFirstDayOfWeek(Date{1600, 3, 1}), 3);    // a Wednesday, before the count's start
}

TEST(Dates, SerialRoundTripMatchesThePlatformDayCount) {
    EXPECT_EQ(SerialOf(Date{1899, 12, 30}), 0);
    EXPECT_EQ(SerialOf(Date{1900, 1, 1}), 2);
    EXPECT_EQ(SerialOf(Date{2026, 12, 7}), 46363);
    for (int64_t s = -800000; s < 3000000; s += 997) EXPECT_EQ(SerialOf(DateFromSerial(s)), s);
    EXPECT_EQ(AddDays(Date{2024, 2, 28}, 1), (Date{2024, 2, 29}));
    EXPECT_EQ(AddDays(Date{2023, 12, 31}, 1), (Date{2024, 1, 1}));
}

TEST(Dates, MonthStepsKeepTheDayOrClampToTheMonthEnd) {
    EXPECT_EQ(AddMonthsClamped(Date{2025, 1, 31}, 1), (Date{2025, 2, 28}));
    EXPECT_EQ(AddMonthsClamped(Date{2024, 1, 31}, 1), (Date{2024, 2, 29}));
    EXPECT_EQ(AddMonthsClamped(Date{2024, 3, 31}, -1), (Date{2024, 2, 29}));
    EXPECT_EQ(AddMonthsClamped(Date{2026, 12, 15}, 1), (Date{2027, 1, 15}));
    EXPECT_EQ(AddMonthsClamped(Date{2027, 1, 15}, -1), (Date{2026, 12, 15}));
    EXPECT_EQ(AddMonthsClamped(Date{2026, 5, 31}, 1), (Date{2026, 6, 30}));
}

TEST(Dates, TextForms) {
    MonthNames names{L"január", L"február", L"március", L"április", L"május", L"június",
                     L"július", L"augusztus", L"szeptember", L"október", L"november", L"december"};
    Date d{2004, 3, 5};
    EXPECT_EQ(DateKey(d), L"20040305");
    EXPECT_EQ(MonthKey(d), L"200403");
    EXPECT_EQ(FormatYearMonth(d, names), L"2004.március");
    EXPECT_EQ(FormatLongDate(d, names), L"2004.március.05");
    EXPECT_EQ(FormatDottedDate(d), L"2004.03.05.");
    EXPECT_EQ(FormatClock(DateTime{Date{2026, 12, 7}, 9, 5, 3}, names), L"2026.december.07 - 09:05:03");
}

TEST(Codec1250, HungarianLettersRoundTripAndOthersBecomeQuestionMarks) {
    const std::wstring hungarian = L"árvíztűrő tükörfúrógép ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP";
    std::string bytes = EncodeCp1250(hungarian);
    EXPECT_EQ(bytes.size(), hungarian.size());
    EXPECT_EQ(static_cast<unsigned char>(EncodeCp1250(L"ő")[0]), 0xF5);
    EXPECT_EQ(static_cast<unsigned char>(EncodeCp1250(L"Ű")[0]), 0xDB);
    EXPECT_EQ(DecodeCp1250(bytes), hungarian);

    size_t missing = 0;
    EXPECT_EQ(EncodeCp1250(L"a\u65E5b\u00F1", &missing), "a?b?");  // Japanese, Spanish ñ
    EXPECT_EQ(missing, 2u);

    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(EncodeCp1250(DecodeCp1250(all)), all);
}
