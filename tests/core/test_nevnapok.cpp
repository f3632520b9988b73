#include <gtest/gtest.h>

#include "platform/codec1250.h"
#include "platform/errors.h"
#include "store/nevnapok.h"
#include "temp_folder.h"
#include "test_data.h"


TEST(Nevnapok, EveryDayOfACommonAndALeapYearHasTheReferenceName) {
    // The reference list: one UTF-8 line per day of a common year, 1 January first.
    const std::vector<std::string> reference = TestDataLines("nevnapok-hu.txt");
    ASSERT_EQ(reference.size(), 365u) << "tests/core/data/nevnapok-hu.txt";
    std::string file;
    for (const auto& name : reference) file += EncodeCp1250(Utf8ToWide(name)) + "\r\n";
    TempFolder folder;
    folder.WriteBytes(u8"Data/Névnapok.txt", file);
    int missing = 0;
    TNevnapok names(TNevnapok::FilePath(folder.Dir()), [&] { ++missing; });
    EXPECT_EQ(missing, 0);

    for (int year : {2026, 2028}) {
        // Line of a date: its day of the year, counted by days; in a leap year the days
        // after 29 February take the line of the same date in a common year.
        const Date newYear{year, 1, 1};
        for (Date d = newYear; d.year == year; d = AddDays(d, 1)) {
            if (d.month == 2 && d.day == 29) {
                EXPECT_EQ(names.GetNameDay(d), L"Szökőnap");
                continue;
            }
            int64_t line = SerialOf(d) - SerialOf(newYear);
            if (IsLeapYear(year) && d.month > 2) --line;
            ASSERT_EQ(WideToUtf8(names.GetNameDay(d)), reference[static_cast<size_t>(line)])
                << year << "-" << d.month << "-" << d.day;
        }
    }
    // A few anchors anyone can check in a calendar.
    EXPECT_EQ(names.GetNameDay(Date{2026, 1, 1}), L"Fruzsina");
    EXPECT_EQ(names.GetNameDay(Date{2026, 8, 20}), L"István");
    EXPECT_EQ(names.GetNameDay(Date{2026, 12, 31}), L"Szilveszter");
}

TEST(Nevnapok, LinesAreReturnedUnchangedInWindows1250) {
    TempFolder folder;
    std::string text = EncodeCp1250(L"Fruzsina\r\nÁbel  \r\n\r\nŐrs, Ödön\r\n");
    folder.WriteBytes(u8"Data/Névnapok.txt", text);
    TNevnapok names(TNevnapok::FilePath(folder.Dir()), {});
    EXPECT_EQ(names.GetNameDay(Date{2026, 1, 1}), L"Fruzsina");
    EXPECT_EQ(names.GetNameDay(Date{2026, 1, 2}), L"Ábel  ");
    EXPECT_EQ(names.GetNameDay(Date{2026, 1, 3}), L"");
    EXPECT_EQ(names.GetNameDay(Date{2026, 1, 4}), L"Őrs, Ödön");
    // A short file gives the placeholder for the days it lacks.
    EXPECT_EQ(names.GetNameDay(Date{2026, 1, 5}), L"xxx");
    EXPECT_EQ(names.GetNameDay(Date{2026, 12, 31}), L"xxx");
}

TEST(Nevnapok, MissingFileIsReportedOnceAndGivesPlaceholders) {
    TempFolder folder;
    int missing = 0;
    TNevnapok names(TNevnapok::FilePath(folder.Dir()), [&] { ++missing; });
    EXPECT_EQ(missing, 1);
    EXPECT_EQ(names.GetNameDay(Date{2026, 5, 17}), L"xxx");
    EXPECT_EQ(names.GetNameDay(Date{2028, 2, 29}), L"Szökőnap");
}
