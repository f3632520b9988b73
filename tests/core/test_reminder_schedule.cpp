// When reminders come due: Hungarian local time across the summer-time changes, lead
// days across month and year ends, yearly entries (29 February, a later year's own
// entry), and the timer's checks that give each occurrence once.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "store/reminders.h"
#include "temp_folder.h"

namespace {

std::string Utc(Instant moment) { return WideToUtf8(InstantText(moment)); }

Instant At(const char* utc) { return *ParseInstantText(Utf8ToWide(utc)); }

}  // namespace

TEST(ReminderSchedule, LocalTimeFollowsTheSummerTimeChanges) {
    const struct {
        Date day;
        int hour, minute;
        const char* utc;
    } cases[] = {
        {{2026, 1, 15}, 8, 0, "20260115T070000Z"},
        {{2026, 7, 1}, 12, 0, "20260701T100000Z"},
        {{2026, 12, 31}, 23, 30, "20261231T223000Z"},
        {{2026, 3, 29}, 1, 59, "20260329T005900Z"},
        {{2026, 3, 29}, 2, 30, "20260329T013000Z"},  // skipped: read as winter time, 03:30 on the clock
        {{2026, 3, 29}, 3, 0, "20260329T010000Z"},
        {{2026, 10, 25}, 1, 59, "20261024T235900Z"},
        {{2026, 10, 25}, 2, 30, "20261025T003000Z"},  // doubled: the first one
        {{2026, 10, 25}, 3, 0, "20261025T020000Z"},
    };
    for (const auto& c : cases) {
        const Instant moment = LocalToInstant(c.day, c.hour * 60 + c.minute);
        EXPECT_EQ(Utc(moment), c.utc) << WideToUtf8(DateKey(c.day)) << " " << c.hour << ":" << c.minute;
    }
    // Both 02:30s of the autumn change read back as 02:30, and the day's hours go on.
    for (const char* utc : {"20261025T003000Z", "20261025T013000Z"}) {
        const DateTime local = InstantToLocal(At(utc));
        EXPECT_EQ(local.date, (Date{2026, 10, 25}));
        EXPECT_EQ(local.hour * 60 + local.minute, 150) << utc;
    }
    EXPECT_EQ(InstantToLocal(At("20260329T010000Z")).hour, 3);
    EXPECT_FALSE(ParseInstantText(L"20260230T000000Z"));
}

TEST(ReminderSchedule, LeadDaysReachBackOverMonthAndYearEnds) {
    const struct {
        Date day;
        int minute, lead;
        const char* due;
    } cases[] = {
        {{2027, 1, 3}, kAllDay, 7, "20261227T070000Z"},  // "egész nap" at 8:00, into the year before
        {{2026, 3, 1}, 18 * 60 + 30, 1, "20260228T173000Z"},
        {{2028, 3, 1}, 9 * 60, 1, "20280229T080000Z"},  // a leap year's 29 February
        {{2026, 4, 10}, 10 * 60, 14, "20260327T090000Z"},  // before the change: winter time
        {{2026, 4, 1}, 10 * 60, 3, "20260329T080000Z"},    // on the day of the change: summer time
        {{2026, 11, 1}, 0, 0, "20261031T230000Z"},
    };
    for (const auto& c : cases) {
        Occurrence o;
        o.day = o.origin = c.day;
        o.minute = c.minute;
        o.leadDays = c.lead;
        EXPECT_EQ(Utc(DueOf(o, kDefaultAllDayMinute)), c.due) << WideToUtf8(DateKey(c.day));
    }
}

TEST(ReminderSchedule, AYearlyEntryComesEveryYearButNotInAYearWithItsOwnEntry) {
    ReminderBook book;
    book.reminders.reminders = {{{2024, 2, 29}, kAllDay, 0}, {{2025, 6, 1}, 9 * 60, 2}};
    book.yearly = {{{2024, 2, 29}, true}};
    book.people = {{L"Kovács Anna", 3, {{7, 26}}}};
    const auto ownEntry = [](const Date& d) { return d == Date{2026, 2, 28}; };
    const auto all = OccurrencesBetween(book, At("20240101T000000Z"), At("20281231T000000Z"), ownEntry);
    std::vector<std::string> entryDays, nameDays;
    for (const Occurrence& o : all) (o.kind == OccurrenceKind::Entry ? entryDays : nameDays).push_back(WideToUtf8(DateKey(o.day)));
    // 29 February on 28 February in common years; 2026 has an entry of its own; the
    // plain entry of 2025 comes once; all in time order.
    EXPECT_EQ(entryDays, (std::vector<std::string>{"20240229", "20250228", "20250601", "20270228", "20280229"}));
    EXPECT_EQ(nameDays, (std::vector<std::string>{"20240726", "20250726", "20260726", "20270726", "20280726"}));
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.due < b.due; }));
    for (const Occurrence& o : all) {
        const auto back = OccurrenceOfKey(o.Key());
        ASSERT_TRUE(back) << WideToUtf8(o.Key());
        EXPECT_EQ(back->Key(), o.Key());
        EXPECT_EQ(DueOf(*back, kDefaultAllDayMinute), o.due);
    }
    for (const wchar_t* damaged : {L"", L"E 20260101", L"N 20260101 5 Anna", L"E 20260101 20260101 2500 0",
                                   L"E 20260101 20260101 0800  0", L"X 20260101"})
        EXPECT_FALSE(OccurrenceOfKey(damaged)) << WideToUtf8(damaged);
}

TEST(ReminderSchedule, TheTimerTakesEachOccurrenceOnceAcrossTheSummerTimeChanges) {
    const struct {
        const char* what;
        Date day;
        int minute;
        const char* from;
        const char* cameAt;
    } cases[] = {
        {"02:30 of the spring change (does not exist)", {2026, 3, 29}, 150, "20260328T220000Z", "20260329T013000Z"},
        {"02:30 of the autumn change (comes twice)", {2026, 10, 25}, 150, "20261024T220000Z", "20261025T003000Z"},
        {"23:59 before the autumn change", {2026, 10, 24}, 23 * 60 + 59, "20261024T200000Z", "20261024T215900Z"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        RemindersFile file;
        file.reminders = {{c.day, c.minute, 0}};
        ReminderState state;
        state.lastChecked = At(c.from);
        folder.WriteBytes("Data/emlekeztetok.txt", WriteRemindersFile(file));
        folder.WriteBytes("Data/emlekeztetok-allapot.txt", WriteReminderStateFile(state));
        Reminders reminders;
        EXPECT_TRUE(reminders.Load(folder.Dir() + L"\\Data").empty());
        std::vector<std::string> came;
        bool stateChanged = false;
        for (Instant t = At(c.from); t <= At(c.from) + 6 * kSecondsPerHour; t += kSecondsPerMinute)
            for (const Occurrence& o : reminders.TakeDue(t, {}, stateChanged)) {
                came.push_back(Utc(t));
                EXPECT_EQ(o.day, c.day);
            }
        EXPECT_EQ(came, std::vector<std::string>{c.cameAt}) << c.what;
    }
}
