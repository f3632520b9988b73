#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "appearance/red_letter_day.h"
#include "platform/codec1250.h"
#include "platform/eljaras.h"
#include "platform/errors.h"
#include "test_data.h"

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

TEST(TextToInt, SignsStandBeforeEveryFormOnly) {
    struct Case {
        const wchar_t* text;
        int32_t value;
    };
    const Case cases[] = {
        {L"-$FF", -255},      {L"+$FF", 255},           {L"-x10", -16},
        {L"-0x10", -16},      {L"+0X10", 16},           {L"  -$1", -1},
        {L"-$0", 0},          {L"-0", 0},               {L"+0", 0},
        {L"-$80000000", INT32_MIN}, {L"-$7FFFFFFF", -2147483647}, {L"-$FFFFFFFF", 1},
        {L"-007", -7},        {L"  +42", 42},
    };
    for (const Case& c : cases) EXPECT_EQ(TextToInt(c.text), c.value) << WideToUtf8(c.text);
}

TEST(TextToInt, RejectsEverythingElseWithTheConversionMessage) {
    for (const wchar_t* bad : {L"12a", L"abc", L"$", L"-", L"0x", L"12 ", L"1.5", L"2147483648", L"$100000000",
                               L"-2147483649", L"$G1", L" ", L"$-5", L"x-5", L"0x-5", L"--5", L"+-5", L"- 5",
                               L"-$", L"-x", L"$+5", L"5-"}) {
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

TEST(Dates, MonthLengthsOfWholeYearsAndLeapYears) {
    //                             Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec
    const int common[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    struct Year {
        int year;
        bool leap;
    };
    for (const Year& y : {Year{1900, false}, Year{2000, true}, Year{2023, false}, Year{2024, true},
                          Year{2026, false}, Year{2100, false}, Year{2400, true}, Year{1600, true}}) {
        EXPECT_EQ(IsLeapYear(y.year), y.leap) << y.year;
        int total = 0;
        for (int m = 1; m <= 12; ++m) {
            const int expected = m == 2 && y.leap ? 29 : common[m - 1];
            EXPECT_EQ(DaysInMonth(y.year, m), expected) << y.year << "-" << m;
            // The day after the month's last day is the first of the next month.
            EXPECT_EQ(AddDays(Date{y.year, m, expected}, 1), (m == 12 ? Date{y.year + 1, 1, 1} : Date{y.year, m + 1, 1}))
                << y.year << "-" << m;
            total += expected;
        }
        EXPECT_EQ(total, y.leap ? 366 : 365);
    }
    for (int m : {-1, 0, 13, 100}) EXPECT_EQ(DaysInMonth(2026, m), -1) << m;
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

namespace {

// The first of the month `steps` months away, walked one month at a time by days.
Date FirstOfMonthAway(Date first, int steps) {
    for (; steps > 0; --steps) first = AddDays(first, DaysInMonth(first.year, first.month));
    for (; steps < 0; ++steps) {
        first = AddDays(first, -1);
        first.day = 1;
    }
    return first;
}

}  // namespace

TEST(Dates, MonthStepsOfAnySizeKeepTheDayOrClampToTheMonthEnd) {
    for (int month = 1; month <= 12; ++month) {
        for (int day : {1, 15, 28, 29, 30, 31}) {
            if (day > DaysInMonth(2024, month)) continue;
            const Date start{2024, month, day};
            for (int steps = -30; steps <= 30; ++steps) {
                const Date first = FirstOfMonthAway(Date{2024, month, 1}, steps);
                const Date expected{first.year, first.month, std::min(day, DaysInMonth(first.year, first.month))};
                ASSERT_EQ(AddMonthsClamped(start, steps), expected)
                    << "2024-" << month << "-" << day << " by " << steps << " months";
            }
        }
    }
    EXPECT_EQ(AddMonthsClamped(Date{2025, 1, 31}, 1), (Date{2025, 2, 28}));
    EXPECT_EQ(AddMonthsClamped(Date{2024, 3, 31}, -1), (Date{2024, 2, 29}));
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

TEST(Codec1250, EveryByteMatchesTheReferenceTableBothWays) {
    std::map<unsigned, char32_t> reference;  // byte -> code point
    for (const auto& line : TestDataLines("cp1250.txt")) {
        if (line.empty() || line[0] == '#') continue;
        reference[static_cast<unsigned>(std::stoul(line.substr(0, 4), nullptr, 16))] =
            static_cast<char32_t>(std::stoul(line.substr(5, 6), nullptr, 16));
    }
    ASSERT_EQ(reference.size(), 128u) << "tests/core/data/cp1250.txt";
    for (unsigned b = 0; b < 0x80; ++b) reference[b] = b;  // ASCII, NUL included

    std::map<char32_t, unsigned> byteOf;
    for (const auto& [byte, code] : reference) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(DecodeCp1250(one), std::wstring(1, static_cast<wchar_t>(code))) << "byte " << byte;
        size_t missing = 0;
        EXPECT_EQ(EncodeCp1250(std::wstring(1, static_cast<wchar_t>(code)), &missing), one) << "byte " << byte;
        EXPECT_EQ(missing, 0u);
        byteOf[code] = byte;
    }
    // Every other character of the Basic Multilingual Plane is stored as "?".
    int others = 0;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (byteOf.count(c) || (c >= 0xD800 && c <= 0xDFFF)) continue;
        size_t missing = 0;
        ASSERT_EQ(EncodeCp1250(std::wstring(1, static_cast<wchar_t>(c)), &missing), "?") << static_cast<unsigned>(c);
        ASSERT_EQ(missing, 1u);
        ++others;
    }
    EXPECT_EQ(others, 0x10000 - 0x80 - 0x800 - 128);
}

TEST(Codec1250, HungarianTextRoundTripsAndCountsWhatItCannotHold) {
    const std::wstring hungarian = L"árvíztűrő tükörfúrógép ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP";
    EXPECT_EQ(DecodeCp1250(EncodeCp1250(hungarian)), hungarian);
    size_t missing = 0;
    EXPECT_EQ(EncodeCp1250(L"a\u65E5b\u00F1", &missing), "a?b?");  // Japanese, Spanish ñ
    EXPECT_EQ(missing, 2u);
}

TEST(RedLetterDays, EveryDayOfTwoYearsWeekendsAndTheSixFixedHolidays) {
    // The fixed holidays that fall on a weekday, year by year; every Saturday and
    // Sunday is red as well; nothing else is (Easter Monday, Whit Monday, 24 December).
    const std::map<int, std::set<std::pair<int, int>>> weekdayHolidays = {
        {2026, {{1, 1}, {5, 1}, {8, 20}, {10, 23}, {12, 25}}},             // 26 December is a Saturday
        {2028, {{5, 1}, {10, 23}, {12, 25}, {12, 26}}},                    // 1 January Sat, 20 August Sun
    };
    const std::map<int, int> expectedCount = {{2026, 104 + 5}, {2028, 106 + 4}};
    for (const auto& [year, holidays] : weekdayHolidays) {
        int red = 0;
        for (Date d{year, 1, 1}; d.year == year; d = AddDays(d, 1)) {
            const bool weekend = MondayFirstDayOfWeek(d) >= 6;
            const bool expected = weekend || holidays.count({d.month, d.day}) > 0;
            EXPECT_EQ(IsRedLetterDay(d), expected) << WideToUtf8(DateKey(d));
            red += IsRedLetterDay(d) ? 1 : 0;
        }
        EXPECT_EQ(red, expectedCount.at(year)) << year;
    }
}
