// The calendar sync's own files and its mapping of a day to an event resource.
#include <gtest/gtest.h>

#include "sync/caldav_sync.h"
#include "store/rtf_text.h"
#include "sync/day_resource.h"
#include "sync/local_days.h"
#include "temp_folder.h"
#include "sync/sync_state.h"

namespace {

CalendarEvent Day(const Date& date, std::wstring t1, std::wstring t2, std::wstring note) {
    CalendarEvent e;
    e.date = date;
    e.uid = EntryUid(date);
    e.summary = t2.empty() ? t1 : t1 + L" " + t2;
    e.description = note;
    e.entry = EntryFields{t1, t2, 0x0000FF, 0x008000};
    return e;
}

}  // namespace

TEST(SyncState, ReadsBackWhatItWroteAndDropsWhatItCannotRead) {
    SyncState state;
    state.calendar = "http://127.0.0.1:5299/tivorn/naptar/";
    state.syncToken = "http://radicale.org/ns/sync/abc\tdef";
    state.matched = true;
    state.records = {{"http://h/a.ics", "\"e1\"", L"tivorn-20261209@x", Date{2026, 12, 9}, 0x0123456789abcdefull},
                     {"http://h/b%20c.ics", "", L"Árvíztűrő", Date{2024, 2, 29}, 1}};
    state.questions = {{SyncQuestion::Kind::NoteText, Date{2026, 1, 2}, "http://h/q.ics", "\"9\"",
                        "BEGIN:VCALENDAR\r\nDESCRIPTION:a\\nb\\\\c\r\nEND:VCALENDAR\r\n"}};
    state.passedOver = {{"http://h/series.ics", "\"7\""}};
    EXPECT_EQ(ParseSyncState(SyncStateText(state)), state);

    // A damaged line is left out, the rest stays; another file's text is a fresh state.
    std::string text = SyncStateText(state);
    text.insert(text.find("esemeny"), "esemeny\thttp://x\t\"1\"\tu\t20261332\t1\r\n");
    text += "esemeny\thttp://h/a.ics\t\"2\"\tu\t20270101\t1\r\n";  // a second record of one href
    text += "kerdes\tvalami\t20260102\th\te\tr\r\n";
    const SyncState read = ParseSyncState(text);
    EXPECT_EQ(read.records, state.records);
    EXPECT_EQ(read.questions, state.questions);
    EXPECT_EQ(ParseSyncState("TIVORN-SZINKRON 2\r\nnaptar\thttp://h/\r\n"), SyncState{});
    EXPECT_EQ(ParseSyncState(""), SyncState{});
}

TEST(DayResource, TheHashFollowsWhatIsSentNotWhenItIsSent) {
    const CalendarEvent e = Day(Date{2026, 12, 9}, L"Fogorvos", L"10 óra", L"Dr. Kiss");
    const std::string text = DayResource(e, DateTime{Date{2026, 12, 9}, 10, 0, 0});
    EXPECT_NE(text.find("SUMMARY:Fogorvos 10 óra"), std::string::npos);
    EXPECT_NE(text.find("DESCRIPTION:Dr. Kiss"), std::string::npos);
    EXPECT_NE(text.find("DTSTART;VALUE=DATE:20261209"), std::string::npos);
    EXPECT_NE(text, DayResource(e, DateTime{Date{2027, 1, 1}, 0, 0, 0}));

    CalendarEvent other = e;
    EXPECT_EQ(DayResourceHash(other), DayResourceHash(e));
    for (auto change : std::initializer_list<void (*)(CalendarEvent&)>{
             [](CalendarEvent& c) { c.description += L"!"; }, [](CalendarEvent& c) { c.entry->colour1 = 0; },
             [](CalendarEvent& c) { c.yearly = true; }, [](CalendarEvent& c) { c.alarms = {-60}; },
             [](CalendarEvent& c) { c.uid = L"mas"; }}) {
        other = e;
        change(other);
        EXPECT_NE(DayResourceHash(other), DayResourceHash(e));
    }
}

TEST(DayResource, AServersEventBecomesOneDayOrIsPassedOver) {
    // The program's own event comes back as it went, reminders and the yearly mark too.
    CalendarEvent own = Day(Date{2024, 2, 29}, L"Anna", L"születésnap", L"Torta\nGyertya");
    own.yearly = true;
    own.alarms = {-24 * 60 + 9 * 60};
    RemoteDay back = ReadRemoteDay(DayResource(own, DateTime{}), 8 * 60);
    ASSERT_TRUE(back.day) << WideToUtf8(back.passedOver);
    EXPECT_EQ(back.uid, own.uid);
    EXPECT_EQ(ContentOf(*back.day), ContentOf(own));
    EXPECT_EQ(back.day->colour1, 0x0000FF);
    EXPECT_TRUE(back.day->yearly);
    ASSERT_EQ(back.day->reminders.size(), 1u);
    EXPECT_EQ(back.day->reminders[0].leadDays, 1);

    // A phone changed the summary and kept the program's own fields: the summary counts.
    std::string changed = DayResource(Day(Date{2026, 3, 1}, L"Fogorvos", L"", L""), DateTime{});
    changed.replace(changed.find("SUMMARY:Fogorvos"), 16, "SUMMARY:Fogorvos elmarad");
    back = ReadRemoteDay(changed, 8 * 60);
    ASSERT_TRUE(back.day);
    EXPECT_EQ(back.day->title1, L"Fogorvos elmarad");
    EXPECT_EQ(back.day->colour1, 0x0000FF);

    const std::string head = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//HU\r\nBEGIN:VEVENT\r\nUID:p1\r\nDTSTAMP:20260101T000000Z\r\n";
    const std::string tail = "END:VEVENT\r\nEND:VCALENDAR\r\n";
    struct Case {
        const char* name;
        std::string props;
        bool taken;
        Date date;
    } cases[] = {
        {"timed event, local day", "DTSTART:20261209T230000Z\r\nSUMMARY:Késő\r\n", true, Date{2026, 12, 10}},
        {"all-day event", "DTSTART;VALUE=DATE:20261224\r\nSUMMARY:Szenteste\r\n", true, Date{2026, 12, 24}},
        {"weekly series", "DTSTART;VALUE=DATE:20261207\r\nRRULE:FREQ=WEEKLY\r\nSUMMARY:Edzés\r\n", false, {}},
        {"three days", "DTSTART;VALUE=DATE:20261207\r\nDTEND;VALUE=DATE:20261210\r\nSUMMARY:Út\r\n", false, {}},
        {"no start", "SUMMARY:Semmi\r\n", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        back = ReadRemoteDay(head + c.props + tail, 8 * 60);
        EXPECT_EQ(back.day.has_value(), c.taken);
        if (back.day) EXPECT_EQ(back.day->date, c.date);
        else EXPECT_FALSE(back.passedOver.empty());
    }
    EXPECT_FALSE(ReadRemoteDay("<html>not a calendar</html>", 8 * 60).day);
}

TEST(SyncSummary, TheStatusLineFitsItsPanelAndPutsAQuestionFirst) {
    struct Case {
        SyncSummary summary;
        const wchar_t* line;
    } cases[] = {
        {{}, L"Szinkronizálva 20:15: nincs változás"},
        {{.received = 1, .sent = 3}, L"Szinkronizálva 20:15: 1 érkezett, 3 elküldve"},
        {{.sent = 2, .deletedHere = 1, .deletedThere = 2, .passedOver = 5}, L"Szinkronizálva 20:15: 2 elküldve, 3 törölve"},
        {{.received = 9, .questions = 2}, L"Szinkronizálva 20:15: 2 kérdés vár (Ctrl+Shift+K)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SyncStatusLine(L"20:15", c.summary), c.line);
        EXPECT_LE(SyncStatusLine(L"20:15", c.summary).size(), 50u) << "the status panel shows about 55 characters";
    }
    EXPECT_EQ(SummaryText({.received = 1, .deletedThere = 2, .questions = 1}),
              L"1 érkezett, 2 törölve a kiszolgálón, 1 kérdés vár");
}

TEST(LocalDays, ReadsAgainWhatTheDiaryChangedAndAYearlySeriesWithALaterYearsDay) {
    TempFolder folder;
    Diary diary(folder.Dir());
    diary.Load();
    const Date birthday{2020, 3, 5}, later{2026, 3, 5}, other{2026, 1, 2};
    diary.Store(birthday, DayEntry{L"Anna"}, "");
    diary.SetYearly(birthday, true);
    diary.Store(other, DayEntry{L"Egy"}, PlainTextToRtf(L"jegyzet"));
    LocalDays days(diary);
    EXPECT_EQ(days.Read().size(), 2u);

    diary.Store(other, DayEntry{L"Kettő"}, "");
    diary.Store(later, DayEntry{L"Saját"}, "");  // stands in for the series in 2026
    auto read = days.Read();
    EXPECT_EQ(read.at(SerialOf(other)).event.summary, L"Kettő");
    EXPECT_EQ(read.at(SerialOf(other)).event.description, L"");
    EXPECT_EQ(read.at(SerialOf(birthday)).event.exceptions, std::vector<Date>{later});

    diary.Delete(other);
    diary.SetYearly(birthday, false);
    read = days.Read();
    EXPECT_EQ(read.count(SerialOf(other)), 0u);
    EXPECT_FALSE(read.at(SerialOf(birthday)).event.yearly);
    // The same as reading everything anew, and the kept hashes are the days' own.
    std::vector<uint64_t> cached, anew;
    for (const auto& [serial, day] : read) {
        cached.push_back(DayResourceHash(day.event));
        EXPECT_EQ(day.hash, cached.back());
    }
    for (const CalendarEvent& e : diary.CalendarEvents(ExportRange::All())) anew.push_back(DayResourceHash(e));
    EXPECT_EQ(cached, anew);
}
