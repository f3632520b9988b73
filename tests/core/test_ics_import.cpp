// The import plan of calendar files written as Google Calendar, Outlook and
// Thunderbird write them, and the program's own export read back.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/codec1250.h"
#include "store/diary_export.h"
#include "store/entry_store.h"
#include "store/ics_event.h"
#include "store/ics_import.h"
#include "store/ics_reader.h"
#include "store/rtf_text.h"
#include "temp_folder.h"

namespace {

// CR LF after every line, as the calendars write them.
std::string Ics(std::initializer_list<const char*> lines) {
    std::string file;
    for (const char* line : lines) file += std::string(line) + "\r\n";
    return file;
}

const char* const kBudapestZone[] = {
    "BEGIN:VTIMEZONE", "TZID:Europe/Budapest", "X-LIC-LOCATION:Europe/Budapest", "BEGIN:DAYLIGHT",
    "TZOFFSETFROM:+0100", "TZOFFSETTO:+0200", "TZNAME:CEST", "DTSTART:19700329T020000",
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU", "END:DAYLIGHT", "BEGIN:STANDARD", "TZOFFSETFROM:+0200",
    "TZOFFSETTO:+0100", "TZNAME:CET", "DTSTART:19701025T030000", "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU",
    "END:STANDARD", "END:VTIMEZONE"};

std::string WithZone(const std::string& head, const std::string& rest) {
    std::string zone;
    for (const char* line : kBudapestZone) zone += std::string(line) + "\r\n";
    return head + zone + rest;
}

ImportOptions Range(Date first, Date last) {
    ImportOptions o;
    o.first = first;
    o.last = last;
    return o;
}

// "yyyymmdd title1|title2" of each day, for comparing a plan at a glance.
std::vector<std::wstring> Days(const std::vector<ImportedDay>& days) {
    std::vector<std::wstring> out;
    for (const ImportedDay& d : days) out.push_back(DateKey(d.date) + L" " + d.title1 + L"|" + d.title2);
    return out;
}

// "summary: reason ×times" of each skipped row.
std::vector<std::wstring> Skips(const ImportPlan& plan) {
    std::vector<std::wstring> out;
    for (const SkippedEvent& s : plan.skipped)
        out.push_back(s.summary + L": " + s.reason + L" x" + std::to_wstring(s.times) +
                      (s.date ? L" " + DateKey(*s.date) : L""));
    return out;
}

const std::string kGoogle = WithZone(
    Ics({"BEGIN:VCALENDAR", "PRODID:-//Google Inc//Google Calendar 70.9054//EN", "VERSION:2.0", "CALSCALE:GREGORIAN",
         "METHOD:PUBLISH", "X-WR-CALNAME:Családi", "X-WR-TIMEZONE:Europe/Budapest"}),
    Ics({"BEGIN:VEVENT", "DTSTART;VALUE=DATE:20261224", "DTEND;VALUE=DATE:20261225", "DTSTAMP:20261201T080000Z",
         "UID:0a1b2c3d@google.com", "SUMMARY:Szenteste", "END:VEVENT",
         // Late in the evening in UTC: the next day here.
         "BEGIN:VEVENT", "DTSTART:20261208T230000Z", "DTEND:20261209T000000Z", "UID:late@google.com",
         "SUMMARY:Éjféli mise a Szent István-bazilikában a családdal",
         "DESCRIPTION:Vigyük: <b>gyertya</b>\\, &quot;énekeskönyv&quot;<br>Indulás 23:00-kor<br>", "LOCATION:Budapest\\, Szent István tér 1",
         "BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER:-PT30M", "DESCRIPTION:This is an event reminder", "END:VALARM",
         "END:VEVENT",
         // A weekly series: one date left out, one moved, one cancelled.
         "BEGIN:VEVENT", "DTSTART;TZID=Europe/Budapest:20261201T180000", "DTEND;TZID=Europe/Budapest:20261201T193000",
         "RRULE:FREQ=WEEKLY;BYDAY=TU;UNTIL=20261222T170000Z", "EXDATE;TZID=Europe/Budapest:20261208T180000",
         "UID:series@google.com", "SUMMARY:Kórus", "END:VEVENT",
         "BEGIN:VEVENT", "DTSTART;TZID=Europe/Budapest:20261217T190000", "DTEND;TZID=Europe/Budapest:20261217T203000",
         "RECURRENCE-ID;TZID=Europe/Budapest:20261215T180000", "UID:series@google.com",
         "SUMMARY:Kórus (csütörtökön)", "END:VEVENT",
         "BEGIN:VEVENT", "DTSTART;TZID=Europe/Budapest:20261222T180000",
         "RECURRENCE-ID;TZID=Europe/Budapest:20261222T180000", "STATUS:CANCELLED", "UID:series@google.com",
         "SUMMARY:Kórus", "END:VEVENT", "END:VCALENDAR"}));

}  // namespace

TEST(IcsImport, GoogleCalendarFileWithASeriesItsChangesAndAConflict) {
    const IcsComponent calendar = ReadIcs(kGoogle);
    const ImportPlan plan = PlanImport(
        calendar, [](const Date& d) { return d == Date{2026, 12, 24}; }, {}, Range({2026, 12, 1}, {2026, 12, 31}));
    EXPECT_EQ(Days(plan.additions), (std::vector<std::wstring>{L"20261201 18:00 Kórus|", L"20261209 00:00 Éjféli mise a|Szent",
                                                               L"20261217 19:00 Kórus|(csütörtökön)"}));
    EXPECT_EQ(Days(plan.conflicts), (std::vector<std::wstring>{L"20261224 Szenteste|"}));
    EXPECT_EQ(Skips(plan), (std::vector<std::wstring>{L"Kórus: lemondott esemény x1 20261222"}));

    const ImportedDay& mass = plan.additions[1];
    EXPECT_EQ(mass.noteText, L"\u2026István-bazilikában a családdal\nVigyük: gyertya, \"énekeskönyv\"\nIndulás 23:00-kor\n"
                             L"Helyszín: Budapest, Szent István tér 1");
    EXPECT_EQ(RtfToPlainText(mass.noteRtf), mass.noteText + L"\n");
    EXPECT_EQ(mass.uids, (std::vector<std::wstring>{L"late@google.com"}));
    EXPECT_EQ(plan.additions[0].uids, (std::vector<std::wstring>{L"series@google.com/20261201"}));
    EXPECT_EQ(plan.additions[2].uids, (std::vector<std::wstring>{L"series@google.com/20261217"}));
    EXPECT_TRUE(plan.additions[0].noteRtf.empty());
    for (const ImportedDay& d : plan.additions) EXPECT_FALSE(d.yearly);
    const std::vector<IcsEvent> events = EventsOf(calendar);
    ASSERT_EQ(events[1].alarms.size(), 1u);
    EXPECT_EQ(events[1].alarms[0].action, L"DISPLAY");
    EXPECT_EQ(events[1].alarms[0].trigger, L"-PT30M");
    // Half an hour before midnight here: the evening before, at 23:30.
    EXPECT_EQ(mass.reminders, (std::vector<Reminder>{{{2026, 12, 9}, 23 * 60 + 30, 1}}));
    EXPECT_TRUE(plan.additions[0].reminders.empty());

    // Again with the keys of what was stored: nothing new, each event says why.
    std::set<std::wstring> imported;
    for (const auto* days : {&plan.additions, &plan.conflicts})
        for (const ImportedDay& d : *days) imported.insert(d.uids.begin(), d.uids.end());
    const ImportPlan again = PlanImport(calendar, [](const Date&) { return true; }, imported,
                                        Range({2026, 12, 1}, {2026, 12, 31}));
    EXPECT_TRUE(again.additions.empty());
    EXPECT_TRUE(again.conflicts.empty());
    EXPECT_EQ(Skips(again), (std::vector<std::wstring>{
                                L"Szenteste: korábban már importálva x1 20261224",
                                L"Éjféli mise a Szent István-bazilikában a családdal: korábban már importálva x1 20261209",
                                L"Kórus: korábban már importálva x1 20261201",
                                L"Kórus (csütörtökön): korábban már importálva x1 20261217",
                                L"Kórus: lemondott esemény x1 20261222"}));
    // Another range: everything is outside it.
    const ImportPlan later = PlanImport(calendar, [](const Date&) { return false; }, {}, Range({2027, 1, 1}, {2027, 1, 31}));
    EXPECT_TRUE(later.additions.empty());
    EXPECT_EQ(Skips(later)[0], L"Szenteste: a választott időszakon kívül x1 20261224");
    EXPECT_EQ(Skips(later)[2], L"Kórus: a választott időszakon kívül x1 20261201");
}

TEST(IcsImport, OutlookFileWithWindowsZonesLongEventsAndATask) {
    const std::string file = Ics({
        "BEGIN:VCALENDAR", "PRODID:-//Microsoft Corporation//Outlook 16.0 MIMEDIR//EN", "VERSION:2.0",
        "METHOD:PUBLISH", "X-MS-OLK-FORCEINSPECTOROPEN:TRUE",
        "BEGIN:VTIMEZONE", "TZID:Central Europe Standard Time", "BEGIN:STANDARD", "DTSTART:16011028T030000",
        "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10", "TZOFFSETFROM:+0200", "TZOFFSETTO:+0100", "END:STANDARD",
        "BEGIN:DAYLIGHT", "DTSTART:16010325T020000", "RRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3", "TZOFFSETFROM:+0100",
        "TZOFFSETTO:+0200", "END:DAYLIGHT", "END:VTIMEZONE",
        "BEGIN:VEVENT", "CLASS:PUBLIC", "DESCRIPTION:Napirend:\\n1. Költségvetés\\n2. Egyebek\\n\\n",
        "DTEND;TZID=\"Central Europe Standard Time\":20260331T103000",
        "DTSTART;TZID=\"Central Europe Standard Time\":20260331T093000",
        "RRULE:FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;COUNT=3", "LOCATION:Tárgyaló",
        "SUMMARY;LANGUAGE=hu:Havi beszámoló", "UID:040000008200E00074C5B7101A82E00800000000A0B1C2D3",
        "X-MICROSOFT-CDO-BUSYSTATUS:BUSY", "END:VEVENT",
        // Three whole days: DTEND is the day after the last.
        "BEGIN:VEVENT", "DTSTART;VALUE=DATE:20260406", "DTEND;VALUE=DATE:20260409", "SUMMARY:Szabadság",
        "UID:vacation-outlook", "END:VEVENT",
        // A Windows zone name without a VTIMEZONE block: London in summer time.
        "BEGIN:VEVENT", "DTSTART;TZID=GMT Standard Time:20260401T233000", "SUMMARY:Londoni hívás",
        "UID:london-call", "END:VEVENT",
        "BEGIN:VTODO", "DUE;VALUE=DATE:20260410", "SUMMARY:Adóbevallás", "UID:todo-1", "END:VTODO",
        "END:VCALENDAR"});
    const IcsComponent calendar = ReadIcs(file);
    ImportOptions options = Range({2026, 3, 1}, {2026, 5, 31});
    options.colour1 = 0xFF;
    const ImportPlan plan = PlanImport(calendar, [](const Date&) { return false; }, {}, options);
    EXPECT_EQ(Days(plan.additions),
              (std::vector<std::wstring>{L"20260331 09:30 Havi beszámoló|", L"20260402 00:30 Londoni hívás|",
                                         L"20260406 Szabadság|", L"20260407 Szabadság|", L"20260408 Szabadság|",
                                         L"20260430 09:30 Havi beszámoló|", L"20260529 09:30 Havi beszámoló|"}));
    EXPECT_EQ(Skips(plan), (std::vector<std::wstring>{L"Adóbevallás: feladat (VTODO), nem naptári bejegyzés x1 20260410"}));
    EXPECT_EQ(plan.additions[0].noteText, L"Napirend:\n1. Költségvetés\n2. Egyebek\nHelyszín: Tárgyaló");
    EXPECT_EQ(plan.additions[0].colour1, 0xFF);
    EXPECT_EQ(plan.additions[3].uids, (std::vector<std::wstring>{L"vacation-outlook/20260407"}));

    // At most five days: the rest of the series is one row.
    options.maxDays = 5;
    const ImportPlan limited = PlanImport(calendar, [](const Date&) { return false; }, {}, options);
    EXPECT_EQ(limited.additions.size(), 5u);
    EXPECT_EQ(Skips(limited)[0], L"Havi beszámoló: a napok száma elérte a korlátot x2 20260430");
}

TEST(IcsImport, ThunderbirdFileWithAYearlyDayAndSeveralEventsOnADay) {
    const std::string file = WithZone(
        Ics({"BEGIN:VCALENDAR", "PRODID:-//Mozilla.org/NONSGML Mozilla Calendar V1.1//EN", "VERSION:2.0"}),
        Ics({"BEGIN:VEVENT", "CREATED:20261101T100000Z", "UID:b1f0c6a2-5d7e-4c1b-9a8e-3f2d1c0b9a87",
             "SUMMARY:Anya születésnapja", "RRULE:FREQ=YEARLY", "DTSTART;VALUE=DATE:19600315",
             "DTEND;VALUE=DATE:19600316", "TRANSP:TRANSPARENT", "END:VEVENT",
             // New York in its summer time (from 8 March): 19:00 there is midnight here.
             "BEGIN:VEVENT", "UID:ny-call", "SUMMARY:Hívás New Yorkba",
             "DTSTART;TZID=America/New_York:20260315T190000", "DURATION:PT1H", "END:VEVENT",
             // Floating time: as written, wherever the reader is.
             "BEGIN:VEVENT", "UID:floating", "SUMMARY:Reggeli futás", "DTSTART:20260316T063000", "END:VEVENT",
             "BEGIN:VJOURNAL", "UID:journal-1", "DTSTART;VALUE=DATE:20260316", "SUMMARY:Napló",
             "DESCRIPTION:Szép nap volt.", "END:VJOURNAL",
             // Five whole days each year from 2020, the 2026 ones reaching into March.
             "BEGIN:VEVENT", "UID:ski", "SUMMARY:Síszünet", "DTSTART;VALUE=DATE:20200227",
             "DTEND;VALUE=DATE:20200303", "RRULE:FREQ=YEARLY", "END:VEVENT",
             "BEGIN:VEVENT", "UID:no-start", "SUMMARY:Dátum nélkül", "END:VEVENT",
             "BEGIN:VEVENT", "UID:bad-start", "SUMMARY:Rossz dátum", "DTSTART:20260231", "END:VEVENT",
             "BEGIN:VEVENT", "UID:hourly", "SUMMARY:Óránként", "DTSTART:20260310T080000", "RRULE:FREQ=HOURLY",
             "END:VEVENT", "END:VCALENDAR"}));
    const ImportPlan plan = PlanImport(ReadIcs(file), [](const Date&) { return false; }, {},
                                       Range({2026, 3, 1}, {2026, 3, 31}));
    // The birthday is one yearly entry on its own first day; the yearly ski week lasts
    // days, so its days in the range are entries of their own.
    EXPECT_EQ(Days(plan.additions),
              (std::vector<std::wstring>{L"19600315 Anya születésnapja|", L"20260301 Síszünet|", L"20260302 Síszünet|",
                                         L"20260303 Síszünet|", L"20260316 Napló|"}));
    ASSERT_EQ(plan.additions.size(), 5u);
    EXPECT_TRUE(plan.additions[0].yearly);
    EXPECT_FALSE(plan.additions[1].yearly);
    EXPECT_EQ(plan.additions[0].uids, (std::vector<std::wstring>{L"b1f0c6a2-5d7e-4c1b-9a8e-3f2d1c0b9a87/19600315"}));
    // One entry for the day: the whole-day item in the titles, every event in the note.
    EXPECT_EQ(plan.additions[4].noteText, L"Szép nap volt.\n\n00:00 Hívás New Yorkba\n\n06:30 Reggeli futás");
    EXPECT_EQ(plan.additions[4].uids, (std::vector<std::wstring>{L"journal-1", L"ny-call", L"floating"}));
    EXPECT_EQ(Skips(plan), (std::vector<std::wstring>{L"Dátum nélkül: nincs kezdő dátuma x1",
                                                      L"Rossz dátum: olvashatatlan dátum: 20260231 x1",
                                                      L"Óránként: nem támogatott ismétlődés: FREQ=HOURLY x1 20260310"}));
}

TEST(IcsImport, APlainYearlySeriesIsOneYearlyDayAndOtherYearlySeriesAreSpread) {
    const struct {
        const char *start, *rule, *extra;
        std::vector<std::wstring> days;  // "yyyymmdd", " évente" for a yearly one
    } cases[] = {
        {"19840314", "FREQ=YEARLY", "", {L"19840314 évente"}},
        {"19840314", "FREQ=YEARLY;BYMONTH=3;BYMONTHDAY=14;WKST=MO", "", {L"19840314 évente"}},
        {"19840229", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1", "", {L"19840229 évente"}},  // as the export writes it
        {"20270601", "FREQ=YEARLY", "", {L"20270601 évente"}},
        {"20280314", "FREQ=YEARLY", "", {}},  // starts after the range
        {"19840314", "FREQ=YEARLY;COUNT=50", "", {L"20260314", L"20270314"}},
        {"19840314", "FREQ=YEARLY;UNTIL=20261231", "", {L"20260314"}},
        {"19840314", "FREQ=YEARLY;INTERVAL=2", "", {L"20260314"}},
        {"19840314", "FREQ=YEARLY;BYMONTH=3;BYDAY=2SA", "", {L"20260314", L"20270313"}},
        {"19840228", "FREQ=YEARLY;BYMONTHDAY=-1", "", {L"20260228", L"20270228"}},  // 29 February in leap years
        {"19840314", "FREQ=YEARLY", "EXDATE;VALUE=DATE:19840314", {L"20260314", L"20270314"}},
        // A later year's own day is its own event: the yearly one stays one day.
        {"19840314", "FREQ=YEARLY", "EXDATE;VALUE=DATE:20260314", {L"19840314 évente"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.rule + " " + c.extra);
        std::string event = Ics({"BEGIN:VCALENDAR", "BEGIN:VEVENT", "UID:u"}) + "DTSTART;VALUE=DATE:" + c.start +
                            "\r\nRRULE:" + c.rule + "\r\nSUMMARY:Szülinap\r\n";
        if (*c.extra) event += std::string(c.extra) + "\r\n";
        const ImportPlan plan = PlanImport(ReadIcs(event + Ics({"END:VEVENT", "END:VCALENDAR"})),
                                           [](const Date&) { return false; }, {}, Range({2026, 1, 1}, {2027, 12, 31}));
        std::vector<std::wstring> days;
        for (const ImportedDay& d : plan.additions) days.push_back(DateKey(d.date) + (d.yearly ? L" évente" : L""));
        EXPECT_EQ(days, c.days);
        if (c.days.empty()) {
            EXPECT_EQ(Skips(plan), (std::vector<std::wstring>{L"Szülinap: a választott időszakon kívül x1 20280314"}));
        }
    }
}

TEST(IcsImport, AlarmsBecomeTheDaysRemindersNeverLaterThanTheAlarm) {
    // A whole day on 24 December, and 18:00-19:30 that day (floating: local time).
    const char* const kWholeDay = "DTSTART;VALUE=DATE:20261224\r\nDTEND;VALUE=DATE:20261225";
    const char* const kEvening = "DTSTART:20261224T180000\r\nDTEND:20261224T193000";
    const struct {
        const char *start, *alarm;  // the alarm's lines
        int minute, leadDays;       // -2: no reminder
    } cases[] = {
        {kWholeDay, "ACTION:DISPLAY\r\nTRIGGER:-PT16H", kAllDay, 1},  // what the export writes for "egész nap"
        {kWholeDay, "ACTION:DISPLAY\r\nTRIGGER:-P1DT14H30M", 9 * 60 + 30, 2},
        {kWholeDay, "TRIGGER:PT0S", 0, 0},
        {kWholeDay, "ACTION:AUDIO\r\nTRIGGER:-P5D", 0, 7},  // 5 days before: rings 7 days before
        {kWholeDay, "TRIGGER:-P3W", 0, 14},
        {kWholeDay, "TRIGGER;RELATED=END:-PT1H", 23 * 60, 0},
        {kEvening, "ACTION:DISPLAY\r\nTRIGGER:-PT15M", 17 * 60 + 45, 0},
        {kEvening, "TRIGGER:-PT30S", 17 * 60 + 59, 0},
        {kEvening, "TRIGGER:-PT18H30M", 23 * 60 + 30, 1},
        {kEvening, "TRIGGER:-PT10H", 8 * 60, 0},  // a timed event's alarm at 8:00 is no "egész nap" one
        {kEvening, "TRIGGER;RELATED=END:PT0S", 19 * 60 + 30, 0},
        {kEvening, "TRIGGER;RELATED=END:PT5H", 30, 0},  // after the day: on the day, earlier
        {kEvening, "TRIGGER;VALUE=DATE-TIME:20261222T070000Z", 8 * 60, 2},
        {kEvening, "ACTION:EMAIL\r\nTRIGGER:-PT15M", -2, 0},
        {kEvening, "ACTION:PROCEDURE\r\nTRIGGER:-PT15M", -2, 0},
        {kEvening, "TRIGGER:hamarosan", -2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alarm);
        const std::string file = Ics({"BEGIN:VCALENDAR", "BEGIN:VEVENT", "UID:u", "SUMMARY:Karácsony"}) + c.start +
                                 "\r\nBEGIN:VALARM\r\n" + c.alarm + "\r\nEND:VALARM\r\n" +
                                 Ics({"END:VEVENT", "END:VCALENDAR"});
        const ImportPlan plan = PlanImport(ReadIcs(file), [](const Date&) { return false; }, {},
                                           Range({2026, 12, 1}, {2026, 12, 31}));
        ASSERT_EQ(plan.additions.size(), 1u);
        const std::vector<Reminder> expected =
            c.minute == -2 ? std::vector<Reminder>{} : std::vector<Reminder>{{{2026, 12, 24}, c.minute, c.leadDays}};
        EXPECT_EQ(plan.additions[0].reminders, expected);
    }

    // Every day of a series has its alarms, the same one once; an absolute alarm
    // belongs to the first day only.
    const std::string series = Ics({"BEGIN:VCALENDAR", "BEGIN:VEVENT", "UID:s", "SUMMARY:Edzés", "DTSTART:20261207T180000",
                                    "RRULE:FREQ=WEEKLY;COUNT=2", "BEGIN:VALARM", "TRIGGER:-PT1H", "END:VALARM",
                                    "BEGIN:VALARM", "TRIGGER:-PT60M", "END:VALARM", "BEGIN:VALARM",
                                    "TRIGGER;VALUE=DATE-TIME:20261206T170000Z", "END:VALARM", "END:VEVENT",
                                    // Another event of the first day with an alarm of its own.
                                    "BEGIN:VEVENT", "UID:t", "SUMMARY:Fogorvos", "DTSTART;VALUE=DATE:20261207",
                                    "BEGIN:VALARM", "TRIGGER:-PT1H", "END:VALARM", "END:VEVENT", "END:VCALENDAR"});
    const ImportPlan plan = PlanImport(ReadIcs(series), [](const Date&) { return false; }, {},
                                       Range({2026, 12, 1}, {2026, 12, 31}));
    ASSERT_EQ(plan.additions.size(), 2u);
    EXPECT_EQ(plan.additions[0].reminders,
              (std::vector<Reminder>{{{2026, 12, 7}, 23 * 60, 1}, {{2026, 12, 7}, 17 * 60, 0}, {{2026, 12, 7}, 18 * 60, 1}}));
    EXPECT_EQ(plan.additions[1].reminders, (std::vector<Reminder>{{{2026, 12, 14}, 17 * 60, 0}}));
}

TEST(IcsImport, SummariesAreCutAtWordBoundaries) {
    const struct {
        const wchar_t* summary;
        const wchar_t *title1, *title2, *rest;
    } cases[] = {
        {L"Fogorvos", L"Fogorvos", L"", L""},
        {L"  Pontosan húsz betű!  ", L"Pontosan húsz betű!", L"", L""},
        {L"Fogorvos Dr. Kovács Ágnes rendelőjében", L"Fogorvos Dr. Kovács", L"Ágnes rendelőjében", L""},
        {L"Egy kettő három négy öt hat hét nyolc kilenc tíz", L"Egy kettő három négy", L"öt hat hét nyolc", L"kilenc tíz"},
        {L"Megszentségteleníthetetlenségeskedéseitekért is", L"Megszentségteleníthe", L"tetlenségeskedéseite",
         L"kért is"},
        {L"Sor\ntörés\tés  sok   szóköz", L"Sor törés és sok", L"szóköz", L""},
        {L"", L"", L"", L""},
    };
    for (const auto& c : cases) {
        const SplitTitle split = SplitSummary(c.summary);
        EXPECT_EQ(split.title1, c.title1) << c.summary;
        EXPECT_EQ(split.title2, c.title2) << c.summary;
        EXPECT_EQ(split.rest, c.rest) << c.summary;
        EXPECT_LE(split.title1.size(), 20u);
        EXPECT_LE(split.title2.size(), 20u);
    }
}

TEST(IcsImport, OwnExportReadBackIntoAnEmptyDiaryGivesTheSameEntriesAndNotes) {
    TempFolder folder;
    EntryStore index;
    index.Lines = {
        MakeDayEntry(Date{2026, 12, 8}, L"Fogorvos", L"10 óra", 0xFF, 0x8000),
        MakeDayEntry(Date{2026, 12, 24}, L"Szenteste; ajándék,", L"\\ és {zárójel}", 0x800000, 0),
        MakeDayEntry(Date{2026, 12, 31}, L"", L"csak második", 0, 0xFF00FF),
        MakeDayEntry(Date{2027, 3, 15}, L"Pontosan húsz betű!", L"Húsz betű ez is, ám", 0x00FFFF, 0x808000),
        MakeDayEntry(Date{2028, 2, 29}, L"Szökőnap", L"", 0, 0),
    };
    folder.WriteBytes("Data/20261208.rtf",
                      "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0 MS Sans Serif;}}\\pard\\b\\f0\\fs16 "
                      "Vigyem: \\'fatlev\\'e9l, k\\'e1rtya; \\\\ jel\\b0\\par\r\n\\tab beh\\'fazva\\par\r\n}");
    folder.WriteBytes("Data/20261224.rtf",
                      PlainTextToRtf(L"Hosszú jegyzet: " + std::wstring(90, L'ő') + L" € 😀 ñ {kapcsos} \\ <b>vége</b>\n\nÚj\tbekezdés"));
    folder.WriteBytes("Data/20280229.rtf", "sima sz\xF6veg\r\n");  // not RTF
    const std::wstring path = folder.Dir() + L"\\export.ics";
    ASSERT_EQ(ExportDiary(folder.Dir(), index, ExportRange::All(), path, DateTime{Date{2026, 12, 9}, 8, 0, 0}), 5u);

    const ImportPlan plan = PlanImport(ReadIcs(folder.ReadBytes("export.ics")), EntryStore{}, {},
                                       Range({2000, 1, 1}, {2099, 12, 31}));
    EXPECT_TRUE(plan.conflicts.empty());
    EXPECT_TRUE(plan.skipped.empty());
    ASSERT_EQ(plan.additions.size(), index.Lines.size());
    for (size_t i = 0; i < plan.additions.size(); ++i) {
        const ImportedDay& day = plan.additions[i];
        EXPECT_EQ(MakeDayEntry(day.date, day.title1, day.title2, day.colour1, day.colour2), index.Lines[i]);
        const std::wstring noteText = NotePlainText(folder.Dir(), day.date);
        EXPECT_EQ(day.noteText, noteText);
        if (noteText.empty()) {
            EXPECT_TRUE(day.noteRtf.empty());
        } else {
            folder.WriteBytes("Data/" + WideToUtf8(DateKey(day.date)) + ".rtf", day.noteRtf);
            EXPECT_EQ(NotePlainText(folder.Dir(), day.date), noteText);
        }
    }
    // Windows-1250 where it can: the accented letters are bytes, only the rest is \uN.
    const std::string& rtf = plan.additions[1].noteRtf;
    EXPECT_NE(rtf.find("\\ansicpg1250"), std::string::npos);
    EXPECT_NE(rtf.find("\\'f5\\'f5"), std::string::npos);
    EXPECT_NE(rtf.find("\\'80"), std::string::npos);
    EXPECT_NE(rtf.find("\\u-10179?\\u-8704?"), std::string::npos);
}
