#include <gtest/gtest.h>

#include "platform/codec1250.h"
#include "store/nevnapok.h"
#include "temp_folder.h"

namespace {

// A file whose line n (from 1) reads "n<n>", with a few Hungarian lines.
std::string NumberedFile(int lines) {
    std::string text;
    for (int n = 1; n <= lines; ++n) {
        text += 'n';
        text += std::to_string(n);
        text += "\r\n";
    }
    return text;
}

}  // namespace

TEST(Nevnapok, LooksUpTheRightLineAcrossMonthBoundariesAndLeapYears) {
    TempFolder folder;
    folder.WriteBytes(u8"Data/Névnapok.txt", NumberedFile(366));
    int missing = 0;
    TNevnapok names(TNevnapok::FilePath(folder.Dir()), [&] { ++missing; });
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(names.GetNameDay(Date{2026, 1, 1}), L"n1");
    EXPECT_EQ(names.GetNameDay(Date{2026, 12, 31}), L"n365");
    EXPECT_EQ(names.GetNameDay(Date{2026, 2, 28}), L"n59");
    EXPECT_EQ(names.GetNameDay(Date{2024, 2, 28}), L"n59");
    EXPECT_EQ(names.GetNameDay(Date{2026, 3, 1}), L"n60");
    EXPECT_EQ(names.GetNameDay(Date{2024, 3, 1}), L"n60");
    EXPECT_EQ(names.GetNameDay(Date{2024, 2, 29}), L"Szökőnap");
    EXPECT_EQ(names.GetNameDay(Date{2026, 6, 30}), L"n181");
    EXPECT_EQ(names.GetNameDay(Date{2026, 7, 1}), L"n182");
    EXPECT_EQ(names.GetNameDay(Date{2026, 7, 31}), L"n212");
    EXPECT_EQ(names.GetNameDay(Date{2026, 8, 1}), L"n213");
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
