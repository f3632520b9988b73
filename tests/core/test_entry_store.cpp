#include <gtest/gtest.h>

#include "store/month_model.h"
#include "platform/codec1250.h"
#include "platform/errors.h"
#include "store/entry_store.h"
#include "store/nevnapok.h"
#include "temp_folder.h"

namespace {

std::string Cp1250(const std::wstring& text) { return EncodeCp1250(text); }

}  // namespace

TEST(DayEntry, LayoutMatchesTheFileFormat) {
    std::wstring line = MakeDayEntry(Date{2026, 12, 6}, L"Fogorvos", L"10 óra", 0x0000FF, 0);
    ASSERT_EQ(line.size(), 64u);
    EXPECT_EQ(line, L"20261206" L"Fogorvos            " L"10 óra              " L"$FF     " L"$0      ");
    EXPECT_EQ(MakeDayEntry(Date{2026, 1, 2}, L"", L"", 0xFFFFFF, 0).substr(8),
              std::wstring(40, L' ') + L"$FFFFFF " + L"$0      ");
    // A title longer than its field is cut to 20 characters; leading blanks are kept.
    EXPECT_EQ(EntryTitle1(MakeDayEntry(Date{2026, 1, 2}, L"abcdefghijklmnopqrstuvwxy", L"", 0, 0)),
              L"abcdefghijklmnopqrst");
    EXPECT_EQ(EntryTitle2(MakeDayEntry(Date{2026, 1, 2}, L"", L"  Ünnep", 0, 0)), L"  Ünnep             ");
}

TEST(DayEntry, ReadersTakeShortAndOddLinesFieldByField) {
    std::wstring full = MakeDayEntry(Date{2026, 12, 6}, L"Ő", L"Ű", 0x8080FF, 0xFF0000);
    EXPECT_EQ(EntryColour1(full), 0x8080FF);
    EXPECT_EQ(EntryColour2(full), 0xFF0000);
    EXPECT_EQ(Trim(EntryTitle1(full)), L"Ő");

    std::wstring shortLine = L"20261206Csak egy cím";
    EXPECT_EQ(EntryTitle1(shortLine), L"Csak egy cím");
    EXPECT_EQ(EntryTitle2(shortLine), L"");
    EXPECT_EQ(EntryColour1(shortLine), 0);
    EXPECT_EQ(EntryColour2(shortLine), 0);

    std::wstring blankColours = L"20261206" + std::wstring(40, L' ') + std::wstring(16, L' ');
    EXPECT_EQ(EntryColour1(blankColours), 0);
    std::wstring handEdited = L"20261206" + std::wstring(40, L' ') + L"piros   " + L"  $FF   ";
    EXPECT_EQ(EntryColour1(handEdited), 0);
    EXPECT_EQ(EntryColour2(handEdited), 255);
}

TEST(IndexText, SplitsOnEveryLineEndAndKeepsEmptyLines) {
    auto lines = ParseIndexText("a\r\nb\rc\nd\r\n\r\ne");
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"a", L"b", L"c", L"d", L"", L"e"}));
    EXPECT_TRUE(ParseIndexText("").empty());
    EXPECT_EQ(ParseIndexText("x"), std::vector<std::wstring>{L"x"});
    EXPECT_EQ(SerializeIndexText({L"a", L"", L"ő"}), "a\r\n\r\n\xF5\r\n");
}

TEST(EntryStore, LastLineOfADateWinsForLookupAndDeletion) {
    EntryStore store;
    store.Lines = {L"20261206first", L"", L"stray text", L"20261207other", L"20261206second"};
    EXPECT_EQ(store.FindEntryLine(L"20261206"), 4);
    EXPECT_EQ(store.FindEntryLine(L"20261208"), -1);
    EXPECT_EQ(store.FindEntryLine(L"stray te"), 2);  // only a date text is ever asked for

    store.DeleteEntryLine(L"20261206");
    EXPECT_EQ(store.FindEntryLine(L"20261206"), 0);
    store.DeleteEntryLine(L"20261299");
    EXPECT_EQ(store.Lines.size(), 4u);
}

TEST(EntryStore, MonthSelectionLooksAtTheDatePrefixOnly) {
    // One line per month of three years; every title names December 2026 and the
    // neighbouring months, so only the first six characters can tell the months apart.
    EntryStore store;
    std::vector<std::wstring> monthKeys;
    for (int year = 2025; year <= 2027; ++year)
        for (int month = 1; month <= 12; ++month) {
            const Date d{year, month, 10};
            monthKeys.push_back(MonthKey(d));
            store.Lines.push_back(MakeDayEntry(d, L"202612 " + MonthKey(AddMonthsClamped(d, 1)),
                                               MonthKey(AddMonthsClamped(d, -1)) + L"01", 0x202612, 0));
        }
    const std::vector<std::wstring> stray = {L"", L"2026", L"20261", L" 20261205 blank in front", L"x202612",
                                             L"Fogorvos 20261210"};
    for (size_t i = 0; i < stray.size(); ++i) store.Lines.insert(5 + i, stray[i]);
    for (const auto& key : monthKeys) {
        const auto month = store.SelectMonth(key);
        ASSERT_EQ(month.size(), 1u) << WideToUtf8(key);
        EXPECT_EQ(month[0].substr(0, 6), key);
    }
    EXPECT_TRUE(store.SelectMonth(L"202613").empty());
    EXPECT_TRUE(store.SelectMonth(L"202412").empty());

    // The month grid picks its lines the same way: only the 10th of each month.
    const TNevnapok names(L"", {});
    for (int month = 1; month <= 12; ++month) {
        const MonthCells cells = BuildMonthCells(2026, month, store, names, MonthNames{});
        int marked = 0;
        for (const CellContent& cell : cells) marked += cell.hasEntry ? 1 : 0;
        EXPECT_EQ(marked, 1) << month;
        EXPECT_TRUE(cells[static_cast<size_t>(FirstCellOf(2026, month) + 8)].hasEntry) << month;
    }
}

TEST(EntryStore, PlaceholderLifeLeavesTheIndexAsItWas) {
    EntryStore store;
    store.Lines = {L"20261206x", L""};
    const auto before = store.Lines;
    int line = store.OpenDay(L"20261210");
    EXPECT_EQ(line, 2);
    EXPECT_EQ(store.Lines.size(), 3u);
    store.LeaveWithoutStoring(line);
    EXPECT_EQ(store.Lines, before);

    // An existing day is opened on its own line and never removed by leaving.
    line = store.OpenDay(L"20261206");
    EXPECT_EQ(line, 0);
    store.LeaveWithoutStoring(line);
    EXPECT_EQ(store.Lines, before);
}

TEST(EntryStoreFile, FirstLoadCreatesDataFolderAndEmptyIndex) {
    TempFolder folder;
    EntryStore store;
    store.Load(folder.Dir());
    EXPECT_TRUE(store.Lines.empty());
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "Data" / "index.txt"));
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), "");
}

TEST(EntryStoreFile, MessyFileIsReadAndWrittenBackUnchangedExceptLineEnds) {
    TempFolder folder;
    std::string messy = Cp1250(MakeDayEntry(Date{2026, 12, 6}, L"Fogorvos", L"10 óra", 255, 0)) + "\r\n" +
                        "\r\n" + Cp1250(L"kézzel írt sor") + "\n" + Cp1250(L"20261207rövid") + "\r" +
                        Cp1250(MakeDayEntry(Date{2026, 12, 6}, L"Őszi", L"Űr", 0, 0));
    folder.WriteBytes("Data/index.txt", messy);
    EntryStore store;
    store.Load(folder.Dir());
    ASSERT_EQ(store.Lines.size(), 5u);
    EXPECT_EQ(store.Lines[2], L"kézzel írt sor");
    EXPECT_EQ(Trim(EntryTitle1(store.Lines[static_cast<size_t>(store.FindEntryLine(L"20261206"))])), L"Őszi");
    store.Save(folder.Dir());
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), SerializeIndexText(store.Lines));
    EntryStore again;
    again.Load(folder.Dir());
    EXPECT_EQ(again.Lines, store.Lines);
}

TEST(EntryStoreFile, FailedSaveLeavesTheOldFileWholeAndReportsIt) {
    TempFolder folder;
    folder.WriteBytes("Data/index.txt", "20261206old\r\n");
    std::filesystem::permissions(folder.Path() / "Data" / "index.txt", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EntryStore store;
    store.Lines = {L"20261206new"};
    try {
        store.Save(folder.Dir());
        FAIL() << "saving over a read-only index reported success";
    } catch (const FileCreateError& e) {
        EXPECT_NE(e.Text().find(L"Cannot create file "), std::wstring::npos);
    }
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), "20261206old\r\n");
}

