// The reminders' windows: a due reminder's balloon and its one "Emlékeztetők" window
// (snooze over a restart, "Kész"), the editor's "Emlékeztető…" storing one, the list of
// coming reminders and the people whose name days are remembered.
#include <memory>
#include <string>
#include <vector>

#include "app/EmlekeztetoLista.h"
#include "app/Emlekeztetok.h"
#include "app/Ismerosok.h"
#include "app/main.h"
#include "editors/Emlekezteto.h"
#include "editors/Reszlet.h"
#include "harness.h"
#include "platform/TrayIcon.h"
#include "platform/codec1250.h"

namespace {

class RemindersTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        saved_ = TTrayIcon::Shell();
        TTrayIcon::Shell() = [this](DWORD message, NOTIFYICONDATAW* data) {
            if (data->uFlags & NIF_INFO) balloons.push_back({message, *data});
            return TRUE;
        };
    }
    void TearDown() override {
        main.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        TTrayIcon::Shell() = saved_;
        WinTest::TearDown();
    }
    // The index with an entry on each of the days.
    void Entries(const std::vector<Date>& days) {
        std::string index;
        for (const Date& day : days) index += EncodeCp1250(MakeDayEntry(day, L"Fogorvos", L"", 0, 0)) + "\r\n";
        WriteFile(L"Data\\index.txt", index);
    }
    // A new start of the program on the folder, its first check of the reminders done.
    void Restart() {
        main.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        main = OpenMainWindow();
        main->CheckReminders();
        Pump();
    }

    struct Balloon {
        DWORD message;
        NOTIFYICONDATAW data;
    };
    std::vector<Balloon> balloons;
    std::unique_ptr<Tfrm_Main> main;

private:
    TTrayIcon::ShellFunction saved_;
};

TEST_F(RemindersTest, ADueReminderComesAsABalloonAndInTheOneWindowSnoozeOutlivesARestartKeszEndsIt) {
    // Two reminders that came due ten and five minutes ago, while the program was not
    // running (its last check an hour ago).
    constexpr Instant kMinuteSeconds = 60;
    const Instant now = InstantNow();
    const DateTime first = InstantToLocal(now - 10 * kMinuteSeconds);
    const DateTime second = InstantToLocal(now - 5 * kMinuteSeconds);
    Entries({first.date, second.date});
    {
        Diary before(Dir());
        before.Load();
        before.SetReminders(first.date, {{first.date, first.hour * 60 + first.minute, 0}});
        if (second.date != first.date) {
            before.SetReminders(second.date, {{second.date, second.hour * 60 + second.minute, 0}});
        } else {
            before.SetReminders(first.date, {{first.date, first.hour * 60 + first.minute, 0},
                                             {first.date, second.hour * 60 + second.minute, 0}});
        }
        before.DueReminders(now - 60 * kMinuteSeconds);
    }
    Restart();

    ASSERT_EQ(balloons.size(), 1u);
    const NOTIFYICONDATAW& shown = balloons[0].data;
    EXPECT_EQ(balloons[0].message, static_cast<DWORD>(NIM_ADD)) << "the window is visible: the icon comes for the balloon";
    EXPECT_EQ(std::wstring(shown.szInfoTitle), L"2 emlékeztető");
    EXPECT_NE(std::wstring(shown.szInfo).find(L"Fogorvos"), std::wstring::npos);
    EXPECT_TRUE(shown.dwInfoFlags & 0x80) << "the user's quiet time is kept";
    EXPECT_FALSE(main->trIcon.Active()) << "the program is not in the notification area";
    main->trIcon.ExpireBalloon(GetTickCount64() + TTrayIcon::kBalloonLifeMs);
    EXPECT_FALSE(main->trIcon.InShell()) << "the icon shown for the balloon goes with it";

    ASSERT_TRUE(main->Emlekeztetok);
    Tfrm_Emlekeztetok& window = *main->Emlekeztetok;
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    ASSERT_EQ(window.Items().size(), 2u);
    EXPECT_NE(window.CellText(0, 2).find(L"Fogorvos"), std::wstring::npos);
    main->CheckReminders();
    EXPECT_EQ(window.Items().size(), 2u) << "each comes once";

    window.lvLista.Select(0);
    window.btn10Perc.Click();
    ASSERT_EQ(window.Items().size(), 1u);
    window.btnKesz.Click();
    EXPECT_TRUE(window.Items().empty());
    EXPECT_FALSE(IsWindowVisible(window.Handle()));

    // A new start: the snoozed one is not due before its ten minutes, the done one never.
    balloons.clear();
    Restart();
    EXPECT_TRUE(!main->Emlekeztetok || main->Emlekeztetok->Items().empty());
    EXPECT_TRUE(balloons.empty());
}

TEST_F(RemindersTest, TheEditorsReminderButtonStoresTheDaysReminderAndYearlyMark) {
    const Date day = Today();
    Entries({day});
    WriteKetraboValue(Tfrm_Emlekezteto::kStartOfferedValue, L"1");  // the offer is not this test's
    main = OpenMainWindow();
    Tfrm_Reszlet editor;
    main->Others.reszlet = &editor;
    editor.Create(main->Handle());

    AnswerNextModal([&](Form&) {
        AnswerNextModal([](Form& form) {
            auto& dialog = dynamic_cast<Tfrm_Emlekezteto&>(form);
            dialog.cbEgeszNap.SetChecked(false);
            dialog.cbEgeszNapClick();
            dialog.edtIdo.SetText(L"18:30");
            dialog.cmbElotte.SetSelectedIndex(1);
            dialog.btnHozzaad.Click();
            dialog.edtIdo.SetText(L"25:00");  // not a time: told, nothing added
            dialog.btnHozzaad.Click();
            dialog.cbSorszam.Click();  // a count makes the entry yearly
            EXPECT_TRUE(dialog.cbEvente.Checked());
            dialog.btnRendben.Click();
        });
        ClickSpeedButton(editor.sbEmlekezteto);
        editor.sbBezarClick();
    });
    main->EditDay(day);

    EXPECT_EQ(main->TheDiary().RemindersOf(day), (std::vector<Reminder>{{day, 18 * 60 + 30, 1}}));
    const auto yearly = main->TheDiary().Yearly(day);
    ASSERT_TRUE(yearly);
    EXPECT_TRUE(yearly->count);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(L"25:00"), std::wstring::npos);
    main->Others.reszlet = nullptr;
}

TEST_F(RemindersTest, PeopleKeepTheNameDaysChosenTheListSetsTheAllDayTimeAndDeletes) {
    const Date day = AddDays(Today(), 3);
    Entries({day});
    main = OpenMainWindow();
    Diary& diary = main->TheDiary();
    diary.SetReminders(day, {{day, 9 * 60, 0}});

    Tfrm_Ismerosok people(diary, 0xFFFFFF, 0xC0C0C0);
    people.Create(main->Handle());
    people.edtNev.SetText(L"Katalin");
    ASSERT_EQ(people.Offered().size(), 2u) << "30 April and 25 November";
    people.cbNapok[0].SetChecked(false);
    people.btnHozzaad.Click();
    people.edtNev.SetText(L"Xyzw");
    people.btnHozzaad.Click();  // no such name: told, nothing added
    ASSERT_EQ(diary.People().size(), 1u);
    EXPECT_EQ(diary.People()[0].nameDays, (std::vector<MonthDay>{{11, 25}}));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find(L"Xyzw"), std::wstring::npos);

    Tfrm_EmlekeztetoLista list(diary, 0xFFFFFF, 0xC0C0C0);
    list.Create(main->Handle());
    const auto nameDayRow = [&]() -> int {
        for (size_t i = 0; i < list.Items().size(); ++i)
            if (list.Items()[i].kind == OccurrenceKind::NameDay) return static_cast<int>(i);
        return -1;
    };
    ASSERT_EQ(list.Items().size(), 2u);
    list.edtEgeszNap.SetText(L"7:1");  // half typed: nothing yet
    EXPECT_EQ(diary.AllDayMinute(), 8 * 60);
    list.edtEgeszNap.SetText(L"7:15");
    EXPECT_EQ(diary.AllDayMinute(), 7 * 60 + 15);
    ASSERT_GE(nameDayRow(), 0);
    EXPECT_NE(list.CellText(nameDayRow(), 0).find(L"07:15"), std::wstring::npos) << "the list follows at once";

    list.lvLista.Select(nameDayRow() == 0 ? 1 : 0);
    AnswerOk();
    list.btnTorol.Click();
    EXPECT_TRUE(diary.RemindersOf(day).empty());
    ASSERT_EQ(list.Items().size(), 1u) << "the name day stays";
}

}  // namespace
