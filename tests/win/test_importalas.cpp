// "Importálás iCalendar fájlból": the shortcut asks for a file, the preview shows the
// new days, the days that have an entry (overwritten only when checked) and what is
// skipped; the import lands in the diary and the month at once, and the same file
// again adds nothing. A file that is no calendar is refused with its reason.
#include <windows.h>

#include "app/Importalas.h"
#include "app/main.h"
#include "appearance/JPanel.h"
#include "harness.h"
#include "platform/codec1250.h"
#include "platform/errors.h"
#include "ui/application.h"

namespace {

class ImportalasTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        CreateDirectoryW((Dir() + L"\\Data").c_str(), nullptr);
        WriteFile(L"Data\\index.txt", EncodeCp1250(MakeDayEntry(Day(3), L"Régi cím", L"", 0xFF, 0)) + "\r\n");
        main = OpenMainWindow({}, false);
        CurrentImportDialogs().Open = [this](OPENFILENAMEW& ofn) {
            lstrcpynW(ofn.lpstrFile, (Dir() + L"\\be.ics").c_str(), static_cast<int>(ofn.nMaxFile));
            return true;
        };
    }
    void TearDown() override {
        main.reset();
        CurrentImportDialogs().Open = nullptr;
        WinTest::TearDown();
    }
    // A day of the month the main window shows.
    static Date Day(int day) {
        const Date today = Today();
        return Date{today.year, today.month, day};
    }
    static std::string DateValue(int day) { return WideToUtf8(DateKey(Day(day))); }
    // Runs the import's shortcut as the user's key would, `answer` standing for the user.
    void ImportWith(std::function<void(Tfrm_Importalas&)> answer) {
        AnswerNextModal([answer](Form& form) {
            BYTE keys[256] = {};
            GetKeyboardState(keys);
            keys[VK_CONTROL] = 0;  // the shortcut's Ctrl is let go before the user goes on
            SetKeyboardState(keys);
            answer(dynamic_cast<Tfrm_Importalas&>(form));
        });
        PressWithControl(main->Handle(), 'I');
        Pump();
    }
    TJPanel& CellOf(int day) { return *main->Cells[static_cast<size_t>(day + main->FirstCell - 2)]; }

    std::unique_ptr<Tfrm_Main> main;
};

}  // namespace

TEST_F(ImportalasTest, ThePreviewShowsThreePartsAndOnlyCheckedConflictsAreOverwritten) {
    WriteFile(L"be.ics", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
                         "BEGIN:VEVENT\r\nUID:uj@x\r\nDTSTART;VALUE=DATE:" + DateValue(5) +
                         "\r\nSUMMARY:Fogorvos\r\nDESCRIPTION:Hozd a kártyát\r\n"
                         "BEGIN:VALARM\r\nTRIGGER:PT7H\r\nEND:VALARM\r\nEND:VEVENT\r\n"
                         "BEGIN:VEVENT\r\nUID:utkozo@x\r\nDTSTART;VALUE=DATE:" + DateValue(3) +
                         "\r\nSUMMARY:Szülinap\r\nEND:VEVENT\r\n"
                         "BEGIN:VTODO\r\nUID:feladat@x\r\nSUMMARY:Bevásárlás\r\nEND:VTODO\r\n"
                         "END:VCALENDAR\r\n");
    ImportWith([&](Tfrm_Importalas& w) {
        EXPECT_EQ(w.lvUj.ItemCount(), 1);
        EXPECT_EQ(w.NewDayText(0, 0), FormatDottedDate(Day(5)));
        EXPECT_EQ(w.NewDayText(0, 1), L"Fogorvos");
        EXPECT_EQ(w.NewDayText(0, 3), L"Hozd a kártyát");
        EXPECT_EQ(w.NewDayText(0, 4), L"emlékeztető");
        ASSERT_EQ(w.clUtkozo.ItemCount(), 1);
        EXPECT_EQ(w.clUtkozo.CellText(0, 1), L"Szülinap");
        EXPECT_EQ(w.clUtkozo.CellText(0, 4), L"Régi cím") << "what the day holds now";
        EXPECT_FALSE(w.clUtkozo.Checked(0)) << "a day with an entry is kept unless chosen";
        EXPECT_EQ(w.lvKimarad.ItemCount(), 1);
        EXPECT_EQ(w.SkippedText(0, 0), L"Bevásárlás");
        EXPECT_EQ(w.SkippedText(0, 2), skip_reason::kTodo);
        EXPECT_EQ(w.Chosen().size(), 1u);
        // Space on the conflict's row checks it, as in any list of check boxes.
        w.clUtkozo.Focus();
        PressKey(w.clUtkozo.Handle(), VK_SPACE);
        Pump();
        EXPECT_TRUE(w.clUtkozo.Checked(0));
        w.btnUjraClick();
        EXPECT_TRUE(w.clUtkozo.Checked(0)) << "a recount keeps the choice";
        EXPECT_EQ(w.Chosen().size(), 2u);
        SendMessageW(w.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(w.btnImportalas.Handle()));
    });
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : WideToUtf8(errors[0]));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"2 nap importálva.");
    EXPECT_EQ(Trim(CellOf(5).Txt1()), L"Fogorvos") << "the month follows at once";
    EXPECT_EQ(Trim(CellOf(3).Txt1()), L"Szülinap");
    EXPECT_TRUE(CellOf(5).VanFile());
    const std::string keys = ReadFile(L"Data\\Importalt.txt");
    EXPECT_NE(keys.find("uj@x"), std::string::npos);
    EXPECT_NE(keys.find("utkozo@x"), std::string::npos);
    EXPECT_NE(ReadFile(L"Data\\emlekeztetok.txt").find(DateValue(5) + "\t07:00\t0"), std::string::npos)
        << "the alarm is the day's reminder";

    // The same file again: everything remembered, nothing to import.
    const std::string index = ReadFile(L"Data\\index.txt");
    ImportWith([&](Tfrm_Importalas& w) {
        EXPECT_EQ(w.Plan().additions.size() + w.Plan().conflicts.size(), 0u);
        EXPECT_EQ(w.Plan().skipped.size(), 3u);
        EXPECT_FALSE(w.btnImportalas.Enabled());
        PressKey(w.lvKimarad.Handle(), VK_ESCAPE);
        Pump();
        EXPECT_EQ(w.GetModalResult(), mrCancel);
    });
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), index);
    EXPECT_EQ(messages.size(), 1u);

    // A file that is no calendar: its reason, and no window.
    WriteFile(L"be.ics", "nem naptár\r\n");
    const int shown = modalCount;
    PressWithControl(main->Handle(), 'I');
    Pump();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors[0].starts_with(L"A fájl nem iCalendar naptár")) << WideToUtf8(errors[0]);
    EXPECT_EQ(modalCount, shown);
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), index);
}
