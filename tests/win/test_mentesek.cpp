// Snapshots through the program: taken before the first change of the day, a
// failure that never stops the save, the "Biztonsági mentések" window and restoring.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "app/Mentesek.h"
#include "app/main.h"
#include "harness.h"
#include "platform/codec1250.h"
#include "platform/errors.h"
#include "store/snapshots.h"
#include "store/reminder_files.h"
#include "store/zip_archive.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace {

class MentesekTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        CreateDirectoryW((Dir() + L"\\Data").c_str(), nullptr);
        firstIndex = EncodeCp1250(MakeDayEntry(ThisMonth(3), L"Régi cím", L"", 0xFF, 0)) + "\r\n";
        WriteFile(L"Data\\index.txt", firstIndex);
        WriteFile(L"Data\\" + DateKey(ThisMonth(3)) + L".rtf", "{\\rtf1 r\\'e9gi jegyzet\\par}");
        // The reminders' last check, which the program writes at its first timer tick, is
        // there from the start: whether that tick comes before a save or after it, the
        // snapshots hold the same files.
        WriteFile(std::wstring(L"Data\\") + kReminderStateFileName, WriteReminderStateFile(ReminderState{}));
        main = OpenMainWindow({}, false);  // the snapshots here come from the saves alone
    }
    void TearDown() override {
        main.reset();
        WinTest::TearDown();
    }
    static Date ThisMonth(int day) {
        Date today = Today();
        return Date{today.year, today.month, day};
    }
    std::wstring TodayZip() const { return L"Data\\Mentések\\" + DailySnapshotName(Today()); }
    // The button through its message, as a click: the general error handler runs around it.
    static void ClickRestore(Tfrm_Mentesek& window) {
        SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window.btnVisszaallit.Handle()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(window.btnVisszaallit.Handle()));
        Pump();
    }
    void SaveList() {
        AnswerOk();  // "Az adatbázis mentése megtörtént."
        main->ToolBar1.Click(L"tbListaMent");
        Pump();
    }

    std::unique_ptr<Tfrm_Main> main;
    std::string firstIndex;
};

}  // namespace

TEST_F(MentesekTest, TheFirstSaveOfTheDaySnapshotsTheFilesBeforeReplacingThem) {
    EXPECT_FALSE(Exists(L"Data\\Mentések")) << "nothing at start";
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(ThisMonth(4), L"Új", L"", 0, 0));
    });
    SaveList();
    ASSERT_TRUE(Exists(TodayZip()));
    const std::string zip = ReadFile(TodayZip());
    const auto entries = ReadZip(zip);
    ASSERT_EQ(entries.size(), 3u);  // the index, the note and the reminders' last check
    EXPECT_EQ(entries[0].name, "index.txt");
    EXPECT_EQ(entries[0].bytes, firstIndex) << "the index as it was before the save";
    EXPECT_EQ(entries[1].bytes, ReadFile(L"Data\\" + DateKey(ThisMonth(3)) + L".rtf"));
    EXPECT_NE(ReadFile(L"Data\\index.txt"), firstIndex) << "and the save went on";

    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(ThisMonth(5), L"Még egy", L"", 0, 0));
    });
    SaveList();
    EXPECT_EQ(ReadFile(TodayZip()), zip) << "one snapshot a day";
    EXPECT_TRUE(errors.empty());
}

TEST_F(MentesekTest, AFailedSnapshotIsReportedOnceAndNeverStopsTheSave) {
    WriteFile(L"Data\\Mentések", "a file where the folder should be");
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(ThisMonth(4), L"Új", L"", 0, 0));
    });
    SaveList();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].find(L"A napi biztonsági mentés nem sikerült"), 0u) << WideToUtf8(errors[0]);
    EXPECT_NE(ReadFile(L"Data\\index.txt").find(EncodeCp1250(L"Új")), std::string::npos) << "the index was saved";
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(ThisMonth(5), L"Még egy", L"", 0, 0));
    });
    SaveList();
    EXPECT_EQ(errors.size(), 1u) << "reported once";
    EXPECT_NE(ReadFile(L"Data\\index.txt").find(EncodeCp1250(L"Még egy")), std::string::npos);
    EXPECT_EQ(messages.size(), 2u) << "both saves confirmed";
}

TEST_F(MentesekTest, TheWindowListsSnapshotsAndRestoringBringsTheMonthBack) {
    SaveList();  // today's snapshot: the old title
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.Set(0, MakeDayEntry(ThisMonth(3), L"Átírt cím", L"", 0xFF, 0));
    });
    main->FillMonthCells();
    WriteFile(L"Data\\" + DateKey(ThisMonth(3)) + L".rtf", "{\\rtf1 \\'e1t\\'edrt\\par}");

    // Ctrl+B's command opens the window.
    AnswerNextModal([](Form& form) {
        EXPECT_NE(dynamic_cast<Tfrm_Mentesek*>(&form), nullptr);
        form.Close(mrCancel);
    });
    SendMessageW(main->Handle(), WM_COMMAND, MAKEWPARAM(main->pmTovabbiak.IdOf(L"mniMentesek"), 0), 0);
    ASSERT_TRUE(main->Mentesek);
    Tfrm_Mentesek& window = *main->Mentesek;
    window.Show();
    Pump();
    EXPECT_EQ(window.pCim.Caption(), L"  Biztonsági mentések");
    ASSERT_EQ(window.Rows().size(), 1u);
    EXPECT_EQ(window.CellText(0, 0), FormatDottedDate(Today()));
    EXPECT_EQ(window.CellText(0, 1), L"3");
    EXPECT_EQ(window.CellText(0, 2), L"1 KB");
    EXPECT_EQ(ListView_GetItemCount(window.lvMentesek.Handle()), 1);

    AnswerOk();  // the question
    AnswerOk();  // the confirmation
    ClickRestore(window);
    EXPECT_TRUE(errors.empty()) << WideToUtf8(errors.empty() ? L"" : errors[0]);
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), firstIndex);
    EXPECT_EQ(ReadFile(L"Data\\" + DateKey(ThisMonth(3)) + L".rtf"), "{\\rtf1 r\\'e9gi jegyzet\\par}");
    EXPECT_EQ(Trim(main->Cells[static_cast<size_t>(main->FirstCell + 3 - 2)]->Txt1()), L"Régi cím")
        << "the month shows the restored entries";
    // The state before the restore was kept, with the index as it stood in memory.
    ASSERT_EQ(window.Rows().size(), 2u);
    const auto before = ReadZip(ReadFile(L"Data\\Mentések\\" + window.Rows()[0].file.name));
    EXPECT_NE(before[0].bytes.find(EncodeCp1250(L"Átírt cím")), std::string::npos);
    EXPECT_EQ(before[1].bytes, "{\\rtf1 \\'e1t\\'edrt\\par}");
    EXPECT_EQ(window.lvMentesek.SelectedIndex(), 1) << "the restored snapshot stays selected, not the one before it";
    window.Close();
}

TEST_F(MentesekTest, ADeclinedOrDamagedRestoreChangesNothing) {
    SaveList();
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.Set(0, MakeDayEntry(ThisMonth(3), L"Maradó", L"", 0, 0));
    });
    main->mniMentesekClick();  // the harness closes the modal window at once
    Tfrm_Mentesek& window = *main->Mentesek;
    window.Show();
    Pump();
    AnswerCancel();
    ClickRestore(window);
    EXPECT_EQ(Trim(EntryTitle1(Entries(*main).Lines[0])), L"Maradó");

    WriteFile(TodayZip().c_str(), "not a zip at all");
    window.FillList();
    EXPECT_EQ(window.CellText(0, 1), L"sérült");
    AnswerOk();
    ClickRestore(window);
    EXPECT_EQ(errors.size(), 1u) << "the damage is reported";
    EXPECT_EQ(Trim(EntryTitle1(Entries(*main).Lines[0])), L"Maradó");
    EXPECT_EQ(window.Rows().size(), 1u) << "no snapshot of the present state for a restore that cannot happen";
    window.Close();
}

TEST_F(MentesekTest, TheControlsSitAsDesignedAndTheButtonFollowsTheList) {
    main->mniMentesekClick();  // the harness closes the modal window at once
    Tfrm_Mentesek& window = *main->Mentesek;
    ExpectControlsWhereTheTableSays(window, Tfrm_Mentesek::Controls());
    const auto rows = Tfrm_Mentesek::Controls();
    const auto& list = RowOf(rows, L"lvMentesek");
    EXPECT_EQ(BoundsOf(list), (std::array{8, 28, 416, 232}));
    const auto& button = RowOf(rows, L"btnVisszaallit");
    EXPECT_EQ(BoundsOf(button), (std::array{294, 268, 130, 25}));
    EXPECT_EQ(window.btnVisszaallit.Text(), L"Visszaállítás…");
    EXPECT_EQ(Application::Get().HintAt(window.btnVisszaallit.Handle(), POINT{2, 2}),
              L"A kijelölt mentés visszaállítása (előtte a mostani állapot is mentődik)");
    // No snapshot yet: nothing to restore.
    window.FillList();
    EXPECT_FALSE(window.btnVisszaallit.Enabled());
    SaveList();
    window.FillList();
    EXPECT_TRUE(window.btnVisszaallit.Enabled());
    EXPECT_EQ(window.lvMentesek.SelectedIndex(), 0) << "the newest is chosen";
}

// "Megnyitás…" lists the snapshot's days and the notepad; the chosen day's text in the
// snapshot stands beside today's, and "Ez a nap vissza…" puts back that day alone:
// a day written since stays, and the state before is kept in a snapshot.
TEST_F(MentesekTest, OneDayComesBackFromASnapshotAndEverythingElseStays) {
    SaveList();  // today's snapshot: the 3rd with its old title and note
    const std::wstring third = L"Data\\" + DateKey(ThisMonth(3)) + L".rtf";
    const std::wstring fifth = L"Data\\" + DateKey(ThisMonth(5)) + L".rtf";
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.Set(0, MakeDayEntry(ThisMonth(3), L"Elrontott", L"", 0xFF, 0));
    });
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(ThisMonth(5), L"Új nap", L"", 0, 0));
    });
    WriteFile(third, "{\\rtf1 elrontott jegyzet\\par}");
    WriteFile(fifth, "{\\rtf1 maradjon\\par}");
    Tfrm_Mentesek window(main->TheDiary());
    window.Create(main->Handle());
    window.Show();
    Pump();
    ASSERT_EQ(window.Rows().size(), 1u);

    int shown = 0;
    AnswerNextModal([&](Form& form) {
        ++shown;
        auto& contents = static_cast<Tfrm_MentesTartalma&>(form);
        ASSERT_EQ(contents.Days().size(), 1u);
        EXPECT_EQ(contents.CellText(0, 0), FormatDottedDate(ThisMonth(3)));
        EXPECT_EQ(contents.CellText(0, 1), L"Régi cím");
        EXPECT_EQ(contents.CellText(0, 2), L"régi jegyzet");
        EXPECT_EQ(contents.lvNapok.SelectedIndex(), 0);
        EXPECT_EQ(GetFocus(), contents.lvNapok.Handle());
        EXPECT_EQ(contents.reMentett.Text().substr(0, 12), L"régi jegyzet");
        EXPECT_EQ(contents.reMost.Text().substr(0, 17), L"elrontott jegyzet");
        AnswerOk();  // the question
        AnswerOk();  // the confirmation
        SendMessageW(contents.Handle(), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(contents.btnNapVissza.Handle()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(contents.btnNapVissza.Handle()));
        EXPECT_EQ(contents.reMost.Text().substr(0, 12), L"régi jegyzet") << "the preview follows";
        PressKey(contents.lvNapok.Handle(), VK_ESCAPE);
    });
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window.btnMegnyit.Handle()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window.btnMegnyit.Handle()));
    Pump();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(errors.empty()) << WideToUtf8(errors.empty() ? L"" : errors[0]);
    EXPECT_EQ(ReadFile(third), "{\\rtf1 r\\'e9gi jegyzet\\par}");
    EXPECT_EQ(ReadFile(fifth), "{\\rtf1 maradjon\\par}") << "a day written since stays";
    EXPECT_EQ(Trim(main->Cells[static_cast<size_t>(main->FirstCell + 3 - 2)]->Txt1()), L"Régi cím");
    EXPECT_NE(ReadFile(L"Data\\index.txt").find(EncodeCp1250(L"Új nap")), std::string::npos);
    ASSERT_EQ(window.Rows().size(), 2u) << "the state before the restore, kept";
    EXPECT_EQ(window.lvMentesek.SelectedIndex(), 1) << "the opened snapshot stays selected";
    window.Close();
}

// Every window opened from the month takes the keyboard at once (Escape closes it
// without a click first), and when it closes the keyboard is back on the month's days.
TEST_F(MentesekTest, TheWindowTakesTheKeyboardAndGivesItBackToTheMonth) {
    SetForegroundWindow(main->Handle());
    main->Panel.FocusCell(*main->Cells[static_cast<size_t>(main->FirstCell + 3 - 2)]);
    Pump();
    ASSERT_EQ(GetFocus(), main->Panel.Handle());
    bool focused = false;
    AnswerNextModal([&](Form& form) {
        focused = GetFocus() && IsChild(form.Handle(), GetFocus());
        PressKey(GetFocus(), VK_ESCAPE);
    });
    SendMessageW(main->Handle(), WM_COMMAND, MAKEWPARAM(main->pmTovabbiak.IdOf(L"mniMentesek"), 0), 0);
    Pump();
    EXPECT_TRUE(focused);
    EXPECT_EQ(GetFocus(), main->Panel.Handle());
    EXPECT_TRUE(main->Cells[static_cast<size_t>(main->FirstCell + 3 - 2)]->Focused());
}
