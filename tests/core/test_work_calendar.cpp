#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "store/holidays.h"
#include "store/moved_days.h"
#include "store/work_calendar.h"

namespace {

std::wstring ShippedFile() {
#ifdef _WIN32
    return L"Z:" + Utf8ToWide(TIVORN_SOURCE_DIR) + L"/data/Data/Munkarend.txt";  // Wine's drive of the Unix root
#else
    return Utf8ToWide(TIVORN_SOURCE_DIR) + L"/data/Data/Munkarend.txt";
#endif
}

const MonthNames kMonths{L"január", L"február", L"március", L"április", L"május", L"június",
                         L"július", L"augusztus", L"szeptember", L"október", L"november", L"december"};

}  // namespace

TEST(Holidays, EasterAgainstPublishedDates) {
    // Including the earliest (22 March) and the latest (25 April) possible dates.
    const Date published[] = {{1818, 3, 22}, {1943, 4, 25}, {1961, 4, 2},  {2000, 4, 23}, {2008, 3, 23},
                              {2011, 4, 24}, {2019, 4, 21}, {2024, 3, 31}, {2025, 4, 20}, {2026, 4, 5},
                              {2038, 4, 25}, {2285, 3, 22}};
    for (const Date& d : published) EXPECT_EQ(EasterSunday(d.year), d) << d.year;
}

TEST(Holidays, EachCountsFromItsFirstYear) {
    struct Case {
        Date before, after;  // the same holiday the year before it became one, and in that year
        const wchar_t* name;
    };
    const Case cases[] = {
        {{1988, 3, 15}, {1989, 3, 15}, L"Nemzeti ünnep"},
        {{1989, 10, 23}, {1990, 10, 23}, L"Nemzeti ünnep"},
        {{1992, 6, 8}, {1993, 5, 31}, L"Pünkösdhétfő"},
        {{1992, 6, 7}, {1993, 5, 30}, L"Pünkösdvasárnap"},
        {{1998, 11, 1}, {1999, 11, 1}, L"Mindenszentek"},
        {{2016, 3, 25}, {2017, 4, 14}, L"Nagypéntek"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HolidayName(c.before), nullptr) << WideToUtf8(c.name);
        ASSERT_NE(HolidayName(c.after), nullptr) << WideToUtf8(c.name);
        EXPECT_STREQ(HolidayName(c.after), c.name);
    }
    // The days that were holidays all along, and the Easter ones of a year.
    const std::pair<Date, const wchar_t*> always[] = {
        {{1960, 1, 1}, L"Újév"},          {{1960, 4, 18}, L"Húsvéthétfő"},   {{1960, 5, 1}, L"A munka ünnepe"},
        {{1960, 8, 20}, L"Az államalapítás ünnepe"}, {{1960, 12, 25}, L"Karácsony"},
        {{1960, 12, 26}, L"Karácsony másnapja"},      {{2026, 4, 5}, L"Húsvétvasárnap"},
        {{2026, 5, 25}, L"Pünkösdhétfő"}};
    for (const auto& [date, name] : always) EXPECT_STREQ(HolidayName(date), name) << date.year << date.month;
    EXPECT_EQ(HolidayName(Date{2026, 12, 24}), nullptr);
    EXPECT_EQ(HolidaysOf(2026).size(), 13u);
    EXPECT_EQ(HolidaysOf(1988).size(), 7u);  // no 15 March, Whitsun, 23 October, 1 November, Good Friday
}

TEST(MovedDays, TheShippedFileHoldsTheDecreesOf2024To2026) {
    const WorkCalendar calendar(LoadMovedDays(ShippedFile()));
    EXPECT_EQ(YearsText(calendar.Years()), L"2005, 2008, 2010–2026");
    struct Decree {
        Date rest, worked;  // each pair of the decrees: the rest day and the Saturday worked for it
    };
    const Decree decrees[] = {
        {{2024, 8, 19}, {2024, 8, 3}},   {{2024, 12, 24}, {2024, 12, 7}}, {{2024, 12, 27}, {2024, 12, 14}},
        {{2025, 5, 2}, {2025, 5, 17}},   {{2025, 10, 24}, {2025, 10, 18}}, {{2025, 12, 24}, {2025, 12, 13}},
        {{2026, 1, 2}, {2026, 1, 10}},   {{2026, 8, 21}, {2026, 8, 8}},   {{2026, 12, 24}, {2026, 12, 12}},
    };
    int moved = 0;
    for (int year = 2024; year <= 2026; ++year)
        for (Date d{year, 1, 1}; d.year == year; d = AddDays(d, 1)) {
            const DayKind kind = calendar.Day(d).kind;
            moved += kind == DayKind::RestDay || kind == DayKind::MovedWorkday;
        }
    EXPECT_EQ(moved, 2 * static_cast<int>(std::size(decrees))) << "no other moved day in these years";
    for (const Decree& d : decrees) {
        const WorkDay rest = calendar.Day(d.rest), worked = calendar.Day(d.worked);
        EXPECT_EQ(rest.kind, DayKind::RestDay) << d.rest.year << "-" << d.rest.month << "-" << d.rest.day;
        EXPECT_EQ(worked.kind, DayKind::MovedWorkday) << d.worked.year << "-" << d.worked.month;
        const std::wstring restText = kMonths[static_cast<size_t>(d.rest.month - 1)] + L" " +
                                      std::to_wstring(d.rest.day) + L".";
        EXPECT_EQ(DayHint(worked), L"Áthelyezett munkanap (" + restText + L" helyett)");
        EXPECT_EQ(MarksOf(worked), (DayMarks{false, true}));
        EXPECT_EQ(MarksOf(rest), (DayMarks{true, false}));
    }
    EXPECT_EQ(DayHint(calendar.Day(Date{2026, 1, 2})), L"pihenőnap (ledolgozás: január 10.)");
    EXPECT_EQ(DayHint(calendar.Day(Date{2026, 4, 3})), L"Nagypéntek");
    EXPECT_FALSE(calendar.Knows(2027));
    EXPECT_EQ(calendar.Day(Date{2027, 12, 24}).kind, DayKind::Workday) << "years past the file: no moved days";
}

TEST(MovedDays, LongWeekendsOf2026AndOverTheNewYear) {
    const WorkCalendar calendar(LoadMovedDays(ShippedFile()));
    std::vector<std::wstring> texts;
    for (const DayRun& run : LongWeekends(calendar, 2026)) texts.push_back(LongWeekendText(calendar, run, 2026, kMonths));
    const std::vector<std::wstring> expected = {
        L"január 1. – január 4. (4 nap): Újév, pihenőnap",
        L"április 3. – április 6. (4 nap): Nagypéntek, Húsvétvasárnap, Húsvéthétfő",
        L"május 1. – május 3. (3 nap): A munka ünnepe",
        L"május 23. – május 25. (3 nap): Pünkösdvasárnap, Pünkösdhétfő",
        L"augusztus 20. – augusztus 23. (4 nap): Az államalapítás ünnepe, pihenőnap",
        L"október 23. – október 25. (3 nap): Nemzeti ünnep",
        L"december 24. – december 27. (4 nap): pihenőnap, Karácsony, Karácsony másnapja",
    };
    EXPECT_EQ(texts, expected);
    // 2023-12-30 .. 2024-01-01 belongs to both years.
    const auto runs2023 = LongWeekends(calendar, 2023), runs2024 = LongWeekends(calendar, 2024);
    ASSERT_FALSE(runs2023.empty());
    ASSERT_FALSE(runs2024.empty());
    EXPECT_EQ(runs2023.back().first, (Date{2023, 12, 30}));
    EXPECT_EQ(runs2024.front().last, (Date{2024, 1, 1}));
    EXPECT_EQ(LongWeekendText(calendar, runs2024.front(), 2024, kMonths), L"2023. december 30. – január 1. (3 nap): Újév");
}

TEST(MovedDays, ADamagedFileIsRefusedWithItsLineAndTheHolidaysStillCount) {
    const std::pair<const wchar_t*, const wchar_t*> damaged[] = {
        {L"2026\n2026.01.02. szabadnap", L"2. sor"},
        {L"; no year\n2026.01.02. pihenőnap", L"2. sor"},
        {L"2026\n2026.02.30. pihenőnap", L"2. sor"},
        {L"2026\n\n2026.01.03. pihenőnap", L"3. sor"},      // a Saturday cannot be a bridge rest day
        {L"2026\n2026.01.09. munkanap", L"2. sor"},         // a Friday is a working day anyway
        {L"2026\n2026\n", L"2. sor"},
        {L"2026\r\n2026.01.02. pihenőnap\r\n2026.01.02. pihenőnap", L"3. sor"},
        {L"Munkarend 2026", L"1. sor"},
        {L"0999", L"1. sor"},
    };
    for (const auto& [text, where] : damaged) {
        try {
            ParseMovedDays(text, L"Munkarend.txt");
            ADD_FAILURE() << "accepted: " << WideToUtf8(text);
        } catch (const MovedDaysError& e) {
            EXPECT_NE(e.Text().find(L"Munkarend.txt"), std::wstring::npos);
            EXPECT_NE(e.Text().find(where), std::wstring::npos) << WideToUtf8(e.Text());
        }
    }
    EXPECT_THROW(LoadMovedDays(ShippedFile() + L".missing"), FileOpenError);
    // Without the file's days the computed holidays still stand.
    const WorkCalendar fixedOnly;
    EXPECT_EQ(fixedOnly.Day(Date{2026, 4, 3}).kind, DayKind::Holiday);
    EXPECT_EQ(fixedOnly.Day(Date{2026, 1, 2}).kind, DayKind::Workday);
    EXPECT_EQ(YearsText(fixedOnly.Years()), L"");
    EXPECT_EQ(YearsText({2010, 2011, 2012, 2015, 2017, 2018}), L"2010–2012, 2015, 2017–2018");
}
