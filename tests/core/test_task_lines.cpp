#include <gtest/gtest.h>

#include <cwctype>

#include "store/task_lines.h"

namespace {

// Case-insensitive order by code point: enough for the order tests.
int CompareNoCase(const std::wstring& a, const std::wstring& b) {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const wint_t x = std::towlower(a[i]), y = std::towlower(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::wstring Line(const std::wstring& date, const std::wstring& t1, const std::wstring& t2, const std::wstring& c1,
                  const std::wstring& c2) {
    return date + PadText(t1, 20) + PadText(t2, 20) + PadText(c1, 8) + PadText(c2, 8);
}

}  // namespace

TEST(TaskLines, ListLineDotsTheDateAndKeepsEveryPieceInPlace) {
    const std::wstring index = Line(L"20261206", L"Fogorvos", L"10 óra", L"$FF", L"$0");
    const std::wstring list = ListLine(index);
    ASSERT_EQ(list.size(), 67u);
    EXPECT_EQ(list, L"2026.12.06." + index.substr(8));
    EXPECT_EQ(ListDateText(list), L"2026.12.06.");
    EXPECT_EQ(ListTitle1Text(list), PadText(L"Fogorvos", 20));
    EXPECT_EQ(ListTitle2Text(list), PadText(L"10 óra", 20));
    EXPECT_EQ(ListColour1Text(list), PadText(L"$FF", 8));
    EXPECT_EQ(ListColour2Text(list), PadText(L"$0", 8));
    // Report line: date and both titles, trailing blanks included.
    EXPECT_EQ(ReportLine(index), list.substr(0, 51));
    EXPECT_EQ(ReportLine(index).size(), 51u);
}

TEST(TaskLines, ShortIndexLinesGiveShortListLinesWithEmptyPieces) {
    EXPECT_EQ(ListLine(L"20261206Csak egy cím"), L"2026.12.06.Csak egy cím");
    EXPECT_EQ(ListLine(L"20261206"), L"2026.12.06.");
    EXPECT_EQ(ListLine(L"2026120"), L"2026.12.0.");
    EXPECT_EQ(ListLine(L""), L"...");
    const std::wstring shortList = ListLine(L"20261206Csak egy cím");
    EXPECT_EQ(ListTitle2Text(shortList), L"");
    EXPECT_EQ(ListColour1Text(shortList), L"");
    EXPECT_EQ(ReportLine(L"20261206Csak egy cím"), L"2026.12.06.Csak egy cím");
}

TEST(TaskLines, MonthListTakesOnlyTheMonthInDateOrderWithoutCase) {
    EntryStore store;
    store.Lines = {
        Line(L"20261215", L"kések", L"", L"$FF", L"$0"),
        Line(L"20261130", L"November", L"", L"", L""),
        Line(L"20261201", L"Első", L"", L"", L""),
        L"20261208rövid",
        Line(L"20270101", L"Újév", L"", L"", L""),
        Line(L"20261215", L"Kávé", L"", L"", L""),
        Line(L"20261215", L"alma", L"", L"", L""),
        L"2026",  // damaged line: not of the month
    };
    const auto lines = MonthListLines(store, L"202612", CompareNoCase);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].substr(0, 15), L"2026.12.01.Első");
    EXPECT_EQ(lines[1], L"2026.12.08.rövid");
    EXPECT_EQ(lines[2].substr(11, 4), L"alma");
    EXPECT_EQ(lines[3].substr(11, 4), L"Kávé");  // K before k..., case ignored: "kávé" < "kések"
    EXPECT_EQ(lines[4].substr(11, 5), L"kések");
    EXPECT_TRUE(MonthListLines(store, L"202602", CompareNoCase).empty());
}

TEST(TaskLines, NoteFileOfRowDropsTheDots) {
    EXPECT_EQ(NoteFileOfRow(L"2026.12.06."), L"20261206");
    EXPECT_EQ(NoteFileOfRow(L"1999.01.31."), L"19990131");
    EXPECT_EQ(NoteFileOfRow(L"2026.12"), L"202612");
    EXPECT_EQ(NoteFileOfRow(L""), L"");
}
