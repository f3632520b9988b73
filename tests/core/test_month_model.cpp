#include <gtest/gtest.h>

#include "store/month_model.h"
#include "appearance/grid_layout.h"
#include "store/entry_store.h"
#include "store/nevnapok.h"
#include "store/spoken_day.h"
#include "temp_folder.h"

namespace {

const MonthNames kNames{L"január", L"február", L"március", L"április", L"május", L"június",
                        L"július", L"augusztus", L"szeptember", L"október", L"november", L"december"};

int LastVisibleCell(const MonthCells& cells) {
    int last = 0;
    for (int k = 1; k <= kGridCells; ++k)
        if (cells[static_cast<size_t>(k - 1)].visible) last = k;
    return last;
}

}  // namespace

TEST(MonthPlacement, FirstCellHiddenCellsAndTheSixthRow) {
    EXPECT_EQ(FirstCellOf(2026, 6), 1);   // June 2026 starts on a Monday
    EXPECT_EQ(FirstCellOf(2026, 11), 7);  // November 2026 starts on a Sunday
    EXPECT_EQ(DayOfCell(6, 7, 30), 0);
    EXPECT_EQ(DayOfCell(7, 7, 30), 1);
    EXPECT_EQ(DayOfCell(36, 7, 30), 30);  // a 30-day month from Sunday needs the sixth row
    EXPECT_EQ(DayOfCell(37, 7, 30), 0);
    EXPECT_EQ(DayOfCell(37, 7, 31), 31);  // a 31-day month from Sunday reaches cell 37
    EXPECT_EQ(DayOfCell(36, 6, 31), 31);  // from Saturday, cell 36
    // February 2027 starts on a Monday and fills exactly four rows.
    EXPECT_EQ(FirstCellOf(2027, 2), 1);
    EXPECT_EQ(DayOfCell(28, 1, DaysInMonth(2027, 2)), 28);
    EXPECT_EQ(DayOfCell(29, 1, DaysInMonth(2027, 2)), 0);
}

TEST(MonthCellsFill, MessyIndexFillsTheRightCells) {
    TempFolder folder;
    TNevnapok names(TNevnapok::FilePath(folder.Dir()), {});
    EntryStore index;
    index.Lines = {
        MakeDayEntry(Date{2024, 2, 10}, L"első", L"", 0xFF, 0),
        L"",
        L"szabad szöveg",
        L"20240211rövid",
        MakeDayEntry(Date{2024, 2, 10}, L"második", L"Ű", 0x00FF00, 0xFF0000),
        L"20240212" + std::wstring(40, L' ') + std::wstring(16, L' '),
        MakeDayEntry(Date{2024, 3, 10}, L"március", L"", 0, 0),
        L"20240230" + std::wstring(56, L' '),
    };
    MonthCells cells = BuildMonthCells(2024, 2, index, names, kNames);
    // February 2024 starts on a Thursday: cell 4 is the 1st, 29 days end in cell 32.
    EXPECT_FALSE(cells[2].visible);
    EXPECT_EQ(cells[3].day, 1);
    EXPECT_EQ(LastVisibleCell(cells), 32);
    EXPECT_EQ(cells[31].nameDay, L"Szökőnap");

    const CellContent& tenth = cells[3 + 9];
    EXPECT_TRUE(tenth.hasEntry);
    EXPECT_EQ(tenth.txt1, L"második             ");
    EXPECT_EQ(tenth.colour1, 0x00FF00);
    EXPECT_EQ(tenth.colour2, 0xFF0000);
    EXPECT_EQ(tenth.hint, L"2024.február.10. xxx napja");

    const CellContent& eleventh = cells[3 + 10];
    EXPECT_TRUE(eleventh.hasEntry);
    EXPECT_EQ(eleventh.txt1, L"rövid");
    EXPECT_EQ(eleventh.txt2, L"");
    EXPECT_EQ(eleventh.colour1, 0);

    const CellContent& twelfth = cells[3 + 11];  // empty titles still mark the day
    EXPECT_TRUE(twelfth.hasEntry);
    EXPECT_EQ(twelfth.colour2, 0);
    EXPECT_FALSE(cells[3 + 12].hasEntry);
}

TEST(GridLayout, DesignedSizeGivesTheDesignedCells) {
    EXPECT_EQ(DayCellBox(1, 786, 493), (CellBox{4, 36, 105, 72}));
    EXPECT_EQ(DayCellBox(2, 786, 493), (CellBox{116, 36, 105, 72}));
    EXPECT_EQ(DayCellBox(7, 786, 493), (CellBox{676, 36, 105, 72}));
    EXPECT_EQ(DayCellBox(8, 786, 493), (CellBox{4, 112, 105, 72}));
    EXPECT_EQ(DayCellBox(36, 786, 493).top, 416);
    EXPECT_EQ(HeaderBox(0, 786), (CellBox{2, 2, 110, 31}));
    EXPECT_EQ(HeaderBox(6, 786), (CellBox{674, 2, 110, 31}));
}

TEST(GridLayout, OtherScreenDpisScaleTheMarginsAndGaps) {
    // 144 DPI: the designed 786 x 493 area is 1179 x 740; margins and gaps grow by half.
    EXPECT_EQ(DayCellBox(1, 1179, 740, 144), (CellBox{6, 54, (1179 - 75) / 7, (740 - 90) / 6}));
    EXPECT_EQ(DayCellBox(9, 1179, 740, 144).left, 157 + 10 + 6);
    EXPECT_EQ(HeaderBox(1, 1179, 144), (CellBox{(1179 - 24) / 7 + 3 + 3, 3, (1179 - 24) / 7, 46}));
}

TEST(GridLayout, OtherSizesFollowTheFormulasAndTinyAreasNeverGoNegative) {
    EXPECT_EQ(DayCellBox(9, 1000, 700), (CellBox{(1000 - 50) / 7 + 11, (700 - 60) / 6 + 40, 135, 106}));
    EXPECT_EQ(HeaderBox(3, 1000), (CellBox{3 * (140 + 2) + 2, 2, 140, 31}));
    for (int w : {0, 10, 49, 50}) {
        for (int h : {0, 30, 59, 60}) {
            CellBox b = DayCellBox(42, w, h);
            EXPECT_GE(b.width, 0);
            EXPECT_GE(b.height, 0);
            EXPECT_GE(HeaderBox(6, w).width, 0);
        }
    }
}

TEST(SpokenDay, NamesTheDateAndWhatTheCellShows) {
    auto cell = [](Date d, std::wstring nameDay, std::wstring t1 = {}, std::wstring t2 = {}, bool note = false) {
        CellContent c;
        c.visible = true;
        c.day = d.day;
        c.date = d;
        c.nameDay = std::move(nameDay);
        c.txt1 = std::move(t1);
        c.txt2 = std::move(t2);
        c.hasEntry = note;
        return c;
    };
    CellContent holiday = cell({2026, 10, 23}, L"Gyöngyvér");
    holiday.dayLabel = L"Nemzeti ünnep";
    CellContent yearly = cell({2027, 2, 1}, L"Ignác", PadText(L"Anya", 20), PadText(L"születésnap", 20));
    yearly.repeated = true;
    yearly.repeatCount = 60;
    CellContent hidden;
    hidden.date = Date{2026, 12, 1};
    const Date today{2026, 12, 1};
    const struct {
        CellContent cell;
        const wchar_t* spoken;
    } cases[] = {
        // The titles stand in fixed-width fields: only their words are said.
        {cell({2026, 12, 9}, L"Natália", PadText(L"Fogorvos", 20), PadText(L"10 óra", 20), true),
         L"2026. december 9., szerda, Natália névnapja, Fogorvos 10 óra, van jegyzet"},
        {cell({2026, 12, 1}, L"Elza, Blanka"), L"2026. december 1., kedd, ma, Elza, Blanka névnapja"},
        // A line with empty titles still has its note; one title alone, no stray blank.
        {cell({2024, 2, 29}, L"", L"", L"", true), L"2024. február 29., csütörtök, van jegyzet"},
        {cell({2026, 1, 4}, L"Titusz", L"", L"Edzés"), L"2026. január 4., vasárnap, Titusz névnapja, Edzés"},
        {holiday, L"2026. október 23., péntek, Nemzeti ünnep, Gyöngyvér névnapja"},
        {yearly, L"2027. február 1., hétfő, Ignác névnapja, Anya születésnap, minden évben, 60. alkalommal"},
        {hidden, L""},
    };
    for (const auto& c : cases) EXPECT_EQ(SpokenDayName(c.cell, today), c.spoken);
}
