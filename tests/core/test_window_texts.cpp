// Texts the snapshots window, the diary search's result list and the menus show.
#include <gtest/gtest.h>

#include "app/reminder_text.h"
#include "app/shortcut_text.h"
#include "app/snapshot_text.h"
#include "lists/search_rows.h"
#include "platform/errors.h"

TEST(SnapshotTextTest, ADaysSnapshotShowsItsDateAndOneBeforeARestoreItsTimeToo) {
    EXPECT_EQ(SnapshotWhenText(SnapshotFile{L"2026-12-08.zip", Date{2026, 12, 8}, 10}), L"2026.12.08.");
    EXPECT_EQ(SnapshotWhenText(SnapshotFile{L"2026-12-08_101500.zip", Date{2026, 12, 8}, 10}),
              L"2026.12.08. 10:15:00");
}

TEST(SnapshotTextTest, SizesRoundUpToWholeKilobytesBelowAMegabyte) {
    EXPECT_EQ(SnapshotSizeText(0), L"0 KB");
    EXPECT_EQ(SnapshotSizeText(1), L"1 KB");
    EXPECT_EQ(SnapshotSizeText(1024), L"1 KB");
    EXPECT_EQ(SnapshotSizeText(1025), L"2 KB");
    EXPECT_EQ(SnapshotSizeText(1024 * 1024 - 1), L"1024 KB");
    EXPECT_EQ(SnapshotSizeText(1024 * 1024), L"1.0 MB");
    EXPECT_EQ(SnapshotSizeText(1536 * 1024), L"1.5 MB");
}

TEST(SearchRowsTest, ColumnsShowTheDayTitlesAndSnippetAndTheNotepadByName) {
    const SearchHit day{L"20240105", 3, L"Születésnap", L"Gergő", 0xFF, 0, L"Közös vacsora"};
    EXPECT_EQ(DateOfKey(day.dateKey), (Date{2024, 1, 5}));
    EXPECT_EQ(SearchCellText(day, kSearchDate), L"2024.01.05.");
    EXPECT_EQ(SearchCellText(day, kSearchTitle1), L"Születésnap");
    EXPECT_EQ(SearchCellText(day, kSearchTitle2), L"Gergő");
    EXPECT_EQ(SearchCellText(day, kSearchSnippet), L"Közös vacsora");
    EXPECT_EQ(SearchCellText(day, kSearchColumnCount), L"");
    const SearchHit notepad{L"", -1, L"", L"", 0, 0, L"ÖNTET"};
    EXPECT_EQ(SearchCellText(notepad, kSearchDate), L"Jegyzettömb");
}

TEST(ShortcutTextTest, ModifiersInTheirOrderThenTheKeyAndNothingWithoutAKey) {
    EXPECT_EQ(ShortcutText(ShortcutKeys{'F', true}), L"Ctrl+F");
    EXPECT_EQ(ShortcutText(ShortcutKeys{'E', true, true}), L"Ctrl+Shift+E");
    EXPECT_EQ(ShortcutText(ShortcutKeys{'1', true, true, true}), L"Ctrl+Shift+Alt+1");
    EXPECT_EQ(ShortcutText(ShortcutKeys{kKeyF1 + 2}), L"F3");
    EXPECT_EQ(ShortcutText(ShortcutKeys{kKeyF24, false, true}), L"Shift+F24");
    EXPECT_EQ(ShortcutText(ShortcutKeys{0, true}), L"");
}

TEST(ReminderTextTest, TimesLeadsAndTheBalloonWithinTheShellsLimits) {
    const struct {
        const wchar_t* typed;
        std::optional<int> minute;
    } times[] = {{L"8:05", 8 * 60 + 5}, {L" 18:30 ", 18 * 60 + 30}, {L"00:00", 0}, {L"24:00", {}},
                 {L"12:60", {}}, {L"1230", {}}, {L"12:3", {}}, {L"", {}}, {L"ab:cd", {}}};
    for (const auto& t : times) EXPECT_EQ(ParseReminderTime(t.typed), t.minute) << WideToUtf8(t.typed);
    EXPECT_EQ(LeadDaysText(0), L"a napján");
    EXPECT_EQ(LeadDaysText(14), L"14 nappal előtte");
    Occurrence o;
    o.day = Date{2026, 12, 24};
    o.minute = 18 * 60 + 30;
    EXPECT_EQ(DueLineText(o, L"Szenteste"), L"2026.12.24. 18:30 – Szenteste");

    const BalloonTexts one = ReminderBalloon({L"a"});
    EXPECT_EQ(one.title, L"Emlékeztető");
    EXPECT_EQ(one.text, L"a");
    const BalloonTexts many = ReminderBalloon(std::vector<std::wstring>(40, std::wstring(20, L'x')));
    EXPECT_EQ(many.title, L"40 emlékeztető");
    EXPECT_EQ(many.text.size(), 255u);
    EXPECT_EQ(many.text.back(), L'…');
}
