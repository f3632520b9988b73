// The diary's reminders as a window uses them: the timer's checks over restarts,
// snooze and "Kész", yearly entries in the month and the export, the people's name
// days, and what a deleted day, a restore and damaged files do to them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/codec1250.h"
#include "platform/errors.h"
#include "store/diary.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const Date kBirth{1984, 3, 14}, kLeap{2024, 2, 29}, kEve{2026, 12, 24};

std::string Line(const Date& day, const std::wstring& title) {
    return EncodeCp1250(MakeDayEntry(day, title, L"", 0xFF, 0)) + "\r\n";
}

Instant Local(const Date& day, int hour, int minute = 0) { return LocalToInstant(day, hour * 60 + minute); }

std::vector<std::string> Days(const std::vector<Occurrence>& occurrences) {
    std::vector<std::string> days;
    for (const Occurrence& o : occurrences) days.push_back(WideToUtf8(DateKey(o.day)));
    return days;
}

class DiaryReminders : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteBytes("Data/index.txt", Line(kBirth, L"Anna") + Line(kLeap, L"Szökőnapos") + Line(kEve, L"Szenteste"));
        std::wstring names;
        for (Date d{2001, 1, 1}; d.year == 2001; d = AddDays(d, 1)) {
            const std::wstring key = DateKey(d).substr(4);
            names += (key == L"0102" ? L"Ábel, Péter" : key == L"0222" ? L"Péter" : key == L"0629" ? L"Péter, Pál"
                      : key == L"0205" ? L"Ágota" : L"Név" + key) + std::wstring(L"\r\n");
        }
        folder.WriteBytes(u8"Data/Névnapok.txt", EncodeCp1250(names));
    }
    // A diary of the folder, as one start of the program, loaded.
    std::unique_ptr<Diary> Start() {
        auto d = std::make_unique<Diary>(folder.Dir(), MonthNames{}, [this] { return now; });
        d->SetWarning([this](const std::wstring& text) { warnings.push_back(text); });
        d->Load();
        return d;
    }

    TempFolder folder;
    DateTime now{Date{2026, 12, 8}, 10, 0, 0};
    std::vector<std::wstring> warnings;
};

}  // namespace

TEST_F(DiaryReminders, WhatCameWhileTheProgramWasNotRunningComesOnceAtTheNextStart) {
    {
        auto d = Start();
        d->SetReminders(kEve, {{kEve, 18 * 60 + 30, 1}, {kEve, kAllDay, 0}, {kEve, kAllDay, 0}});
        EXPECT_EQ(d->RemindersOf(kEve).size(), 2u) << "a reminder given twice counts once";
        EXPECT_TRUE(d->DueReminders(Local({2026, 12, 20}, 10)).empty()) << "the first check ever";
    }
    {
        auto d = Start();
        EXPECT_EQ(Days(d->DueReminders(Local(kEve, 12))), (std::vector<std::string>{"20261224", "20261224"}));
        EXPECT_TRUE(d->DueReminders(Local(kEve, 12) + 1).empty());
    }
    auto d = Start();
    EXPECT_TRUE(d->DueReminders(Local(kEve, 13)).empty()) << "shown once, not at every start";
    EXPECT_TRUE(warnings.empty());
}

TEST_F(DiaryReminders, SnoozeBringsItBackAndKeszEndsIt) {
    auto d = Start();
    d->SetReminders(kEve, {{kEve, 18 * 60 + 30, 0}});
    d->DueReminders(Local(kEve, 18));
    auto due = d->DueReminders(Local(kEve, 18, 30));
    ASSERT_EQ(due.size(), 1u);
    const struct {
        SnoozeFor span;
        Instant comes;
    } cases[] = {
        {SnoozeFor::TenMinutes, Local(kEve, 18, 41)},
        {SnoozeFor::OneHour, Local(kEve, 19, 41)},
        {SnoozeFor::Tomorrow, Local({2026, 12, 25}, 8)},  // at the all-day time
    };
    Instant at = Local(kEve, 18, 31);
    for (const auto& c : cases) {
        d->Snooze(due.front(), c.span, at);
        EXPECT_TRUE(d->DueReminders(c.comes - 1).empty());
        // The snooze is kept: another start of the program sees it come.
        due = Start()->DueReminders(c.comes);
        ASSERT_EQ(due.size(), 1u) << static_cast<int>(c.span);
        EXPECT_TRUE(due.front().snoozed);
        d = Start();
        at = c.comes;
    }
    d->Snooze(due.front(), SnoozeFor::TenMinutes, at);
    d->Dismiss(due.front());
    EXPECT_TRUE(d->DueReminders(at + kSecondsPerDay).empty());
}

TEST_F(DiaryReminders, ADismissedYearlyOccurrenceComesAgainNextYearOnly) {
    auto d = Start();
    d->SetYearly(kBirth, true, true);
    d->SetReminders(kBirth, {{kBirth, kAllDay, 1}});
    d->DueReminders(Local({2026, 3, 1}, 0));
    const auto coming = d->ComingReminders(Local({2026, 3, 1}, 0), Local({2026, 3, 31}, 0));
    ASSERT_EQ(Days(coming), std::vector<std::string>{"20260314"});
    d->Dismiss(coming.front());  // before it came
    EXPECT_TRUE(d->ComingReminders(Local({2026, 3, 1}, 0), Local({2026, 3, 31}, 0)).front().done);
    EXPECT_TRUE(Start()->DueReminders(Local({2026, 12, 31}, 0)).empty());
    const auto next = Start()->DueReminders(Local({2027, 3, 13}, 8));
    EXPECT_EQ(Days(next), std::vector<std::string>{"20270314"});
    EXPECT_EQ(d->ReminderTitle(next.front()), L"Anna (43.)");
    // Three years away: the birthday comes once, not once for every year missed.
    EXPECT_EQ(Days(Start()->DueReminders(Local({2030, 3, 13}, 8))), std::vector<std::string>{"20300314"});
}

TEST_F(DiaryReminders, YearlyEntriesShowInLaterYearsUnlessTheDayHasItsOwn) {
    auto d = Start();
    d->SetYearly(kBirth, true, true);
    d->SetYearly(kLeap, true);
    EXPECT_THROW(d->SetYearly({2026, 1, 1}, true), AppError) << "a day without an entry";
    const auto cell = [&](int year, int month, int day) {
        const MonthCells cells = d->Month(year, month);
        return *std::find_if(cells.begin(), cells.end(), [&](const CellContent& c) { return c.visible && c.day == day; });
    };
    const CellContent birthday = cell(2026, 3, 14);
    EXPECT_TRUE(birthday.repeated && !birthday.hasEntry);
    EXPECT_EQ(Trim(birthday.txt1), L"Anna");
    EXPECT_EQ(RepeatCountText(birthday.repeatCount), L"(42.)");
    EXPECT_TRUE(birthday.hint.ends_with(L" – minden évben (42.)"));
    EXPECT_FALSE(cell(1984, 3, 14).repeated) << "its own year";
    EXPECT_FALSE(cell(1983, 3, 14).repeated) << "before it";
    EXPECT_TRUE(cell(2026, 2, 28).repeated) << "29 February in a common year";
    EXPECT_EQ(cell(2026, 2, 28).repeatCount, 0) << "no count asked for";
    EXPECT_TRUE(cell(2028, 2, 29).repeated && !cell(2028, 2, 28).repeated);
    ASSERT_EQ(d->Repeats(2026, 3).size(), 1u);
    EXPECT_EQ(d->Repeats(2026, 3).front().origin, kBirth);
    const auto byText = [](const std::wstring& a, const std::wstring& b) { return a.compare(b); };
    const auto list = d->MonthListLines(2026, 3, byText);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(ListDateText(list[0]) + Trim(ListTitle1Text(list[0])) + L"|" + Trim(ListTitle2Text(list[0])),
              L"2026.03.14.Anna|(42.)");

    d->SearchPlan();
    while (!d->SearchWork(std::chrono::steady_clock::time_point::max())) {
    }
    const auto hits = d->Find(SearchQuery(L"anna", false));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_TRUE(hits[0].yearly);

    d->Store({2026, 3, 14}, DayEntry{L"Saját", L"", 0, 0}, "");
    EXPECT_FALSE(cell(2026, 3, 14).repeated);
    EXPECT_EQ(Trim(cell(2026, 3, 14).txt1), L"Saját");
    EXPECT_TRUE(d->Repeats(2026, 3).empty());
    EXPECT_TRUE(cell(2027, 3, 14).repeated);
}

TEST_F(DiaryReminders, TheExportWritesAlarmsAndYearlySeries) {
    const struct {
        int minutes;
        const char* trigger;
    } triggers[] = {{0, "PT0S"}, {18 * 60 + 30, "PT18H30M"}, {-1440 + 8 * 60 + 30, "-PT15H30M"},
                    {-7 * 1440 + 16 * 60, "-P6DT8H"}, {-1440, "-P1D"}, {-14 * 1440 + 5, "-P13DT23H55M"}};
    for (const auto& t : triggers) EXPECT_EQ(TriggerText(t.minutes), t.trigger) << t.minutes;

    auto d = Start();
    d->SetAllDayMinute(8 * 60 + 30);
    d->SetYearly(kBirth, true);
    d->SetYearly(kLeap, true);
    d->SetReminders(kBirth, {{kBirth, kAllDay, 1}, {kBirth, 18 * 60 + 30, 0}});
    d->StoreMany({{{2026, 3, 14}, {L"Saját"}, ""}, {{2025, 2, 28}, {L"Saját"}, ""}, {{1990, 3, 14}, {L"Saját"}, ""}});
    const std::wstring path = folder.Dir() + L"\\export.ics";
    EXPECT_EQ(d->Export(ExportRange::All(), path, DateTime{}), 6u);
    const std::string text = folder.ReadBytes("export.ics");
    const auto event = [&](const char* uidDay) {
        const size_t at = text.find(std::string("UID:tivorn-") + uidDay);
        return text.substr(at, text.find("END:VEVENT", at) - at);
    };
    const std::string birth = event("19840314"), leap = event("20240229"), eve = event("20261224");
    EXPECT_NE(birth.find("RRULE:FREQ=YEARLY\r\n"), std::string::npos);
    EXPECT_NE(birth.find("BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Anna\r\nTRIGGER:-PT15H30M\r\nEND:VALARM\r\n"),
              std::string::npos);
    EXPECT_NE(birth.find("TRIGGER:PT18H30M\r\n"), std::string::npos);
    EXPECT_NE(leap.find("RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1\r\n"), std::string::npos);
    // A later year's own entry takes the yearly one's place there.
    EXPECT_NE(birth.find("EXDATE;VALUE=DATE:19900314,20260314\r\n"), std::string::npos);
    EXPECT_NE(leap.find("EXDATE;VALUE=DATE:20250228\r\n"), std::string::npos);
    EXPECT_EQ(leap.find("VALARM"), std::string::npos);
    EXPECT_EQ(eve.find("RRULE"), std::string::npos);
}

TEST_F(DiaryReminders, PeopleAndTheirNameDays) {
    auto d = Start();
    const auto days = d->NameDaysOf(L"péter");
    EXPECT_EQ(days, (std::vector<MonthDay>{{1, 2}, {2, 22}, {6, 29}}));
    EXPECT_EQ(d->NameDaysOf(L"Agota"), (std::vector<MonthDay>{{2, 5}}));
    EXPECT_TRUE(d->NameDaysOf(L"Pé").empty());

    d->AddPerson({L" Kis Péter ", 1, {{6, 29}}});
    d->AddPerson({L"Ágota", 0, {{2, 5}}});
    EXPECT_THROW(d->AddPerson({L"Kis Péter", 0, {}}), AppError);
    EXPECT_THROW(d->AddPerson({L"Éva", 5, {}}), AppError);
    EXPECT_THROW(d->ChangePerson(L"Nincs", {L"X", 0, {}}), AppError);
    d->ChangePerson(L"Kis Péter", {L"Kis Péter", 2, {{6, 29}, {2, 22}}});
    d->DeletePerson(L"Ágota");
    EXPECT_EQ(Start()->People(), (std::vector<Person>{{L"Kis Péter", 2, {{6, 29}, {2, 22}}}}));

    const auto coming = d->ComingReminders(Local({2026, 1, 1}, 0), Local({2026, 12, 31}, 0));
    ASSERT_EQ(Days(coming), (std::vector<std::string>{"20260222", "20260629"}));
    EXPECT_EQ(coming.front().kind, OccurrenceKind::NameDay);
    EXPECT_EQ(d->ReminderTitle(coming.front()), L"Kis Péter névnapja");
    EXPECT_EQ(coming.front().due, Local({2026, 2, 20}, 8));
}

TEST_F(DiaryReminders, ADeletedDayTakesItsRemindersAndARestoreBringsThemBack) {
    auto d = Start();
    EXPECT_THROW(d->SetReminders({2026, 1, 1}, {{{2026, 1, 1}, kAllDay, 0}}), AppError) << "a day without an entry";
    d->SetReminders(kEve, {{kEve, kAllDay, 0}, {kEve, 20 * 60, 1}});
    d->ChangeReminder({kEve, 20 * 60, 1}, {kBirth, 20 * 60, 1});
    EXPECT_THROW(d->ChangeReminder({kEve, 20 * 60, 1}, {kEve, 21 * 60, 1}), AppError) << "it is not there any more";
    EXPECT_THROW(d->ChangeReminder({kEve, kAllDay, 0}, {{2026, 1, 1}, kAllDay, 0}), AppError) << "no entry";
    d->DeleteReminder({kBirth, 20 * 60, 1});
    EXPECT_TRUE(d->RemindersOf(kBirth).empty());
    d->SetYearly(kEve, true);
    std::vector<DiaryChange> notices;
    auto subscription = d->Subscribe([&](const DiaryChange& c) { notices.push_back(c); });
    d->Delete(kEve);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].reminders && notices[0].all);
    EXPECT_TRUE(d->RemindersOf(kEve).empty());
    EXPECT_FALSE(d->Yearly(kEve));
    EXPECT_TRUE(d->ComingReminders(Local(kEve, 0), Local({2030, 1, 1}, 0)).empty());
    EXPECT_EQ(folder.ReadBytes("Data/emlekeztetok.txt").find("20261224"), std::string::npos);

    // The day's snapshot was taken before the first change of the next day: it holds
    // the files as they stood, and a restore puts them back.
    d->SetReminders(kBirth, {{kBirth, 9 * 60, 2}});
    now.date = {2026, 12, 9};
    d->SetReminders(kBirth, {});
    d->RestoreSnapshot(L"2026-12-09.zip");
    EXPECT_EQ(d->RemindersOf(kBirth), (std::vector<Reminder>{{kBirth, 9 * 60, 2}}));
}

TEST_F(DiaryReminders, DamagedFilesAreReportedAndAForeignOneIsNeverOverwritten) {
    folder.WriteBytes("Data/emlekeztetok.txt", "Tivorn emlékeztetők 1\n19840314\t09:00\t2\nszemét\n");
    folder.WriteBytes("Data/emberek.txt", "Tivorn emberek 7\nvalaki\t0\t\n");
    auto d = Start();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(L"1 sor nem olvasható"), std::wstring::npos);
    EXPECT_NE(warnings[0].find(L"újabb változata"), std::wstring::npos);
    EXPECT_EQ(d->RemindersOf(kBirth).size(), 1u);
    d->Load();
    EXPECT_EQ(warnings.size(), 1u) << "told once, not at every showing of the main window";
    EXPECT_THROW(d->AddPerson({L"Éva", 0, {}}), AppError);
    EXPECT_EQ(folder.ReadBytes("Data/emberek.txt"), "Tivorn emberek 7\nvalaki\t0\t\n");
    d->SetReminders(kEve, {{kEve, kAllDay, 0}});  // the other files are written as before
    EXPECT_EQ(Start()->RemindersOf(kEve).size(), 1u);
}
