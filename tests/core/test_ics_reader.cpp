// Reading calendar files: content lines, text, time zones and recurrence rules.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/codec1250.h"
#include "store/html_text.h"
#include "store/ics_reader.h"
#include "store/ics_recurrence.h"
#include "store/ics_time.h"

namespace {

const IcsComponent& Only(const IcsComponent& parent, const std::string& name) {
    const IcsComponent* found = nullptr;
    for (const IcsComponent& c : parent.children)
        if (c.name == name) {
            EXPECT_EQ(found, nullptr) << "more than one " << name;
            found = &c;
        }
    if (!found) throw std::runtime_error("no " + name);
    return *found;
}

std::wstring Clock(Minutes m) {
    const Date d = DateOfMinutes(m);
    const int t = MinuteOfDay(m);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", d.year, d.month, d.day, t / 60, t % 60);
    return std::wstring(text, text + std::strlen(text));
}

Minutes At(int y, int mo, int d, int h, int mi) { return MinutesOf(Date{y, mo, d}, h, mi); }

}  // namespace

TEST(IcsReader, UnfoldsLinesAndReadsParametersAndText) {
    // A byte order mark, CR LF and bare LF, folds with a blank and with a tab, a
    // quoted parameter holding ":" and ";", lower-case names, escapes.
    const std::string file =
        "\xEF\xBB\xBF"
        "BEGIN:VCALENDAR\r\n"
        "VERSION:2.0\n"
        "BEGIN:VEVENT\r\n"
        "summary;LANGUAGE=hu:Sz\xC3\xBClet\xC3\xA9s\r\n"
        " nap\\, torta\\; \\\\ \\N\r\n"
        "\tvége\r\n"
        "X-ALT-DESC;FMTTYPE=\"text/html; x:y\";X-EMPTY:<b>igen</b>\n"
        "\r\n"
        "DTSTART;TZID=\"Europe/Budapest\":20261208T100000\r\n"
        "END:VEVENT\r\n"
        "END:VCALENDAR\r\n"
        "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:second\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    const IcsComponent calendar = ReadIcs(file);
    EXPECT_EQ(calendar.Text("VERSION"), L"2.0");
    ASSERT_EQ(calendar.children.size(), 2u);  // calendars one after the other read as one
    const IcsComponent& event = Only(calendar, "VEVENT");
    EXPECT_EQ(event.line, 3u);
    EXPECT_EQ(event.Text("SUMMARY"), L"Születésnap, torta; \\ \nvége");
    EXPECT_EQ(event.Find("SUMMARY")->Parameter("LANGUAGE"), L"hu");
    const IcsProperty* alt = event.Find("X-ALT-DESC");
    ASSERT_NE(alt, nullptr);
    EXPECT_EQ(alt->Parameter("FMTTYPE"), L"text/html; x:y");
    EXPECT_EQ(alt->value, L"<b>igen</b>");
    EXPECT_EQ(event.Find("DTSTART")->Parameter("TZID"), L"Europe/Budapest");
    EXPECT_EQ(Only(calendar, "VTODO").Text("SUMMARY"), L"second");

    // The same file written in Windows-1250 (not UTF-8) reads the same.
    const std::string ansi = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:" + EncodeCp1250(L"Őszi szünet") +
                             "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    EXPECT_EQ(Only(ReadIcs(ansi), "VEVENT").Text("SUMMARY"), L"Őszi szünet");
    EXPECT_EQ(SplitIcsList(L"a\\,b,c,"), (std::vector<std::wstring>{L"a\\,b", L"c", L""}));
}

TEST(IcsReader, DescriptionsWrittenAsHtmlBecomePlainText) {
    const struct {
        const wchar_t *html, *text;
    } cases[] = {
        {L"Első<br>Második<br/>Harmadik", L"Első\nMásodik\nHarmadik"},
        {L"<p>Bekezdés</p><div>Doboz</div>vége", L"Bekezdés\nDoboz\nvége"},
        {L"<ul><li>tej</li><li>kenyér</li></ul>", L"\u2022 tej\n\u2022 kenyér\n"},
        {L"<a href=\"https://example.org/?a=1&amp;b=2\">link</a> &amp; &lt;b&gt; &#337;&#x171;&nbsp;x",
         L"link & <b> őű x"},
        {L"<B>Vastag</B>\nsor &unknown; &#xD800; &", L"Vastag sor &unknown; &#xD800; &"},
        {L"<span>csonka <b", L"csonka "},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(LooksLikeHtml(c.html)) << c.html;
        EXPECT_EQ(HtmlToPlainText(c.html), c.text) << c.html;
    }
    for (const wchar_t* text : {L"a < b > c", L"<nem tag>", L"3 < 4", L"Hívd: <06-1-234-5678>"})
        EXPECT_FALSE(LooksLikeHtml(text)) << text;
}

TEST(IcsReader, RefusesDamagedOrOversizedFilesWhole) {
    const std::string event = "BEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VEVENT\r\n";
    std::string many = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 11; ++i) many += event;
    many += "END:VCALENDAR\r\n";
    IcsLimits small;
    small.maxBytes = 1u << 20;
    small.maxComponents = 10;
    small.maxProperties = 15;
    small.maxDepth = 3;
    const struct {
        std::string file;
        const wchar_t* message;
    } cases[] = {
        {"", L"nem iCalendar"},
        {"BEGIN:VCARD\r\nEND:VCARD\r\n", L"1. sorban"},
        {"Hello\r\nworld\r\n", L"nem iCalendar"},
        {"BEGIN:VCALENDAR\r\n" + event, L"csonka"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nEND:VTODO\r\nEND:VCALENDAR\r\n", L"3. sorban"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nBEGIN:VALARM\r\nBEGIN:X\r\nEND:X\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
         L"túl mélyen"},
        {many, L"túl sok elem"},
        {"BEGIN:VCALENDAR\r\n" + std::string(2u << 20, ' ') + "\r\nEND:VCALENDAR\r\n", L"túl nagy"},
    };
    for (const auto& c : cases) {
        try {
            ReadIcs(c.file, small);
            ADD_FAILURE() << "read: " << c.file.substr(0, 60);
        } catch (const IcsError& e) {
            EXPECT_NE(e.Text().find(c.message), std::wstring::npos) << e.what();
        }
    }
    std::string lines = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 16; ++i) lines += "X-A:1\r\n";
    EXPECT_THROW(ReadIcs(lines + "END:VCALENDAR\r\n", small), IcsError);
}

TEST(IcsTime, ParsesDatesTimesAndZoneNames) {
    const auto date = ParseIcsTime(L"20261224", L"", false);
    ASSERT_TRUE(date);
    EXPECT_EQ(date->kind, IcsTime::Kind::Date);
    const auto utc = ParseIcsTime(L"20261208T231500Z", L"", false);
    ASSERT_TRUE(utc);
    EXPECT_EQ(utc->kind, IcsTime::Kind::Utc);
    EXPECT_EQ(Clock(utc->Wall()), L"2026-12-08 23:15");
    EXPECT_EQ(ParseIcsTime(L"20261208T0930", L"Europe/Budapest", false)->kind, IcsTime::Kind::Zoned);
    EXPECT_EQ(ParseIcsTime(L"20261208T093000", L"", false)->kind, IcsTime::Kind::Floating);
    EXPECT_EQ(ParseIcsTime(L"20261208T093000", L"", true)->kind, IcsTime::Kind::Date);
    for (const wchar_t* bad : {L"20260230", L"2026120", L"20261208T2500", L"20261208X100000", L"20261208T100000+01", L""})
        EXPECT_FALSE(ParseIcsTime(bad, L"", false)) << bad;

    // Table zones by IANA and Windows names and in a path; around the changes of 2026.
    const struct {
        const wchar_t* zone;
        Minutes utc;
        const wchar_t* local;
    } cases[] = {
        {L"Europe/Budapest", At(2026, 3, 29, 0, 59), L"2026-03-29 01:59"},
        {L"W. Europe Standard Time", At(2026, 3, 29, 1, 0), L"2026-03-29 03:00"},
        {L"/mozilla.org/20070129_1/Europe/Budapest", At(2026, 10, 25, 0, 59), L"2026-10-25 02:59"},
        {L"central europe standard time", At(2026, 10, 25, 1, 0), L"2026-10-25 02:00"},
        {L"GMT Standard Time", At(2026, 7, 1, 12, 0), L"2026-07-01 13:00"},
        {L"FLE Standard Time", At(2026, 1, 1, 12, 0), L"2026-01-01 14:00"},
        {L"Europe/Moscow", At(2026, 7, 1, 12, 0), L"2026-07-01 15:00"},
        {L"UTC", At(2026, 7, 1, 12, 0), L"2026-07-01 12:00"},
        {L"America/New_York", At(2026, 3, 8, 7, 0), L"2026-03-08 03:00"},
        {L"Pacific Standard Time", At(2026, 11, 1, 10, 0), L"2026-11-01 02:00"},
    };
    for (const auto& c : cases) {
        const auto zone = KnownTimeZone(c.zone);
        ASSERT_TRUE(zone) << c.zone;
        EXPECT_EQ(Clock(zone->FromUtc(c.utc)), c.local) << c.zone;
    }
    EXPECT_FALSE(KnownTimeZone(L"Mars/Olympus_Mons"));
    // A time the spring change skips is read with the offset before it; the autumn
    // hour that comes twice is its first coming.
    const TimeZone budapest = HungarianTimeZone();
    EXPECT_EQ(Clock(budapest.ToUtc(At(2026, 3, 29, 2, 30))), L"2026-03-29 01:30");
    EXPECT_EQ(Clock(budapest.ToUtc(At(2026, 10, 25, 2, 30))), L"2026-10-25 00:30");
    EXPECT_EQ(Clock(budapest.ToUtc(At(2026, 12, 8, 10, 0))), L"2026-12-08 09:00");
    // The zone Windows reports for Budapest is the same zone; one without daylight
    // saving time has one offset all year.
    const TimeZone windows = WindowsTimeZone(-60, 0, -60, {10, 5, 0, 3, 0}, {3, 5, 0, 2, 0});
    const TimeZone moscow = WindowsTimeZone(-180, 0, 0, {}, {});
    for (Minutes utc = At(2026, 1, 1, 0, 30); utc < At(2027, 1, 1, 0, 0); utc += 6 * 60 + 7) {
        ASSERT_EQ(windows.FromUtc(utc), budapest.FromUtc(utc)) << Clock(utc);
        ASSERT_EQ(moscow.FromUtc(utc), utc + 180);
    }
}

TEST(IcsTime, VTimezoneBlocksAsOutlookAndThunderbirdWriteThem) {
    const std::string file =
        "BEGIN:VCALENDAR\r\n"
        // Outlook: a Windows name, rules from 1601
        "BEGIN:VTIMEZONE\r\nTZID:Közép-európai idő\r\n"
        "BEGIN:STANDARD\r\nDTSTART:16011028T030000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=10\r\n"
        "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:16010325T020000\r\nRRULE:FREQ=YEARLY;BYDAY=-1SU;BYMONTH=3\r\n"
        "TZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n"
        // An old US zone: the rule before 2007 ends with UNTIL, the new one follows.
        "BEGIN:VTIMEZONE\r\nTZID:US-Eastern\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:19870405T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=4;BYDAY=1SU;UNTIL=20060402T070000Z\r\n"
        "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nEND:DAYLIGHT\r\n"
        "BEGIN:DAYLIGHT\r\nDTSTART:20070311T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
        "TZOFFSETFROM:-0500\r\nTZOFFSETTO:-0400\r\nEND:DAYLIGHT\r\n"
        "BEGIN:STANDARD\r\nDTSTART:20071104T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
        "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\n"
        "BEGIN:STANDARD\r\nDTSTART:19671029T020000\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU;UNTIL=20061029T060000Z\r\n"
        "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
        // A zone of fixed dates only (RDATE), as some servers write history.
        "BEGIN:VTIMEZONE\r\nTZID:Fixed\r\nBEGIN:STANDARD\r\nDTSTART:20000101T000000\r\nTZOFFSETFROM:+0300\r\n"
        "TZOFFSETTO:+0300\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:20260601T000000\r\nRDATE:20270601T000000\r\n"
        "TZOFFSETFROM:+0300\r\nTZOFFSETTO:+0400\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\nDTSTART:20260901T000000\r\n"
        "RDATE:20270901T000000\r\nTZOFFSETFROM:+0400\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
        "X-WR-TIMEZONE:US-Eastern\r\n"
        "END:VCALENDAR\r\n";
    const IcsComponent calendar = ReadIcs(file);
    const IcsZones zones(calendar, TimeZone::Fixed(0));  // local: UTC, so ToLocal shows UTC
    auto utcOf = [&](const wchar_t* zone, Minutes wall) {
        IcsTime t;
        t.kind = IcsTime::Kind::Zoned;
        t.zone = zone;
        const Date d = DateOfMinutes(wall);
        t.date = d;
        t.hour = MinuteOfDay(wall) / 60;
        t.minute = MinuteOfDay(wall) % 60;
        return Clock(zones.ToLocal(t));
    };
    EXPECT_EQ(utcOf(L"Közép-európai idő", At(2026, 3, 29, 1, 59)), L"2026-03-29 00:59");
    EXPECT_EQ(utcOf(L"Közép-európai idő", At(2026, 3, 29, 3, 0)), L"2026-03-29 01:00");
    EXPECT_EQ(utcOf(L"Közép-európai idő", At(2026, 10, 25, 3, 0)), L"2026-10-25 02:00");
    EXPECT_EQ(utcOf(L"Közép-európai idő", At(1999, 7, 1, 12, 0)), L"1999-07-01 10:00");
    EXPECT_EQ(utcOf(L"US-Eastern", At(2026, 3, 20, 12, 0)), L"2026-03-20 16:00");  // the rule after 2007
    EXPECT_EQ(utcOf(L"US-Eastern", At(2005, 3, 20, 12, 0)), L"2005-03-20 17:00");  // the rule before
    EXPECT_EQ(utcOf(L"US-Eastern", At(2005, 4, 20, 12, 0)), L"2005-04-20 16:00");
    EXPECT_EQ(utcOf(L"Fixed", At(2026, 7, 1, 12, 0)), L"2026-07-01 08:00");
    EXPECT_EQ(utcOf(L"Fixed", At(2027, 7, 1, 12, 0)), L"2027-07-01 08:00");
    EXPECT_EQ(utcOf(L"Fixed", At(2027, 10, 1, 12, 0)), L"2027-10-01 09:00");
    // Unknown TZID: local; floating times follow X-WR-TIMEZONE; dates never move.
    EXPECT_EQ(utcOf(L"Nowhere", At(2026, 7, 1, 12, 0)), L"2026-07-01 12:00");
    EXPECT_EQ(Clock(zones.ToLocal(*ParseIcsTime(L"20260701T120000", L"", false))), L"2026-07-01 16:00");
    EXPECT_EQ(Clock(zones.ToLocal(*ParseIcsTime(L"20260701", L"", false))), L"2026-07-01 00:00");
}

TEST(Recurrence, ExpandsTheRulesCalendarsWrite) {
    const struct {
        const wchar_t* rule;
        Date start;
        const char* dates;  // the first dates, "mmdd" each
    } cases[] = {
        {L"FREQ=DAILY;INTERVAL=2;COUNT=4", {2026, 12, 30}, "1230 0101 0103 0105"},
        {L"FREQ=WEEKLY;BYDAY=MO,WE;UNTIL=20261216T235959Z", {2026, 12, 2}, "1202 1207 1209 1214 1216"},
        {L"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,SU;WKST=SU", {2026, 12, 1}, "1201 1213 1215 1227 1229 0110 0112"},
        {L"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,SU;WKST=MO", {2026, 12, 1}, "1201 1206 1215 1220 1229 0103 0112"},
        {L"FREQ=MONTHLY;BYMONTHDAY=31;COUNT=4", {2026, 1, 31}, "0131 0331 0531 0731"},
        {L"FREQ=MONTHLY;BYDAY=-1FR;COUNT=3", {2026, 1, 30}, "0130 0227 0327"},
        {L"FREQ=MONTHLY;BYDAY=MO,TU,WE,TH,FR;BYSETPOS=-1;COUNT=3", {2026, 1, 30}, "0130 0227 0331"},
        {L"FREQ=MONTHLY;INTERVAL=3;BYMONTHDAY=1,-1;COUNT=4", {2026, 1, 1}, "0101 0131 0401 0430"},
        {L"FREQ=YEARLY;BYMONTH=5;BYDAY=1SU;COUNT=2", {2026, 5, 3}, "0503 0502"},
        {L"FREQ=YEARLY;COUNT=3", {2028, 2, 29}, "0229 0229"},  // only leap years: 2028, 2032 (2036 after the end)
        {L"freq=daily;byhour=9,17;count=2", {2026, 12, 8}, "1208 1209"},
        // The start counts even when the rule would not give it.
        {L"FREQ=WEEKLY;BYDAY=FR;COUNT=2", {2026, 12, 8}, "1208 1211"},
    };
    for (const auto& c : cases) {
        const Recurrence rule = ParseRecurrence(c.rule);
        EXPECT_TRUE(rule.unsupported.empty()) << rule.unsupported;
        std::string dates;
        size_t periods = 100000;
        Date last{2034, 12, 31};
        if (!rule.until.empty()) last = Date{2026, 12, 16};
        EXPECT_TRUE(ExpandRecurrence(rule, c.start, c.start, last, periods, [&](const Date& d) {
            char text[8];
            std::snprintf(text, sizeof text, "%02d%02d", d.month, d.day);
            dates += (dates.empty() ? "" : " ") + std::string(text);
            return dates.size() < 30;
        }));
        EXPECT_EQ(dates, c.dates) << std::string(c.rule, c.rule + wcslen(c.rule));
    }
    for (const wchar_t* unsupported :
         {L"FREQ=HOURLY", L"FREQ=YEARLY;BYWEEKNO=20", L"FREQ=YEARLY;BYYEARDAY=100", L"FREQ=WEEKLY;BYDAY=2MO",
          L"FREQ=YEARLY;BYDAY=20MO", L"INTERVAL=2", L"FREQ=DAILY;INTERVAL=0", L"FREQ=MONTHLY;BYMONTHDAY=32"})
        EXPECT_FALSE(ParseRecurrence(unsupported).unsupported.empty()) << std::string(unsupported, unsupported + wcslen(unsupported));
    // A rule that never gives a date runs out of periods instead of running forever.
    size_t periods = 5000;
    int seen = 0;
    EXPECT_FALSE(ExpandRecurrence(ParseRecurrence(L"FREQ=DAILY;BYMONTH=2;BYMONTHDAY=30"), Date{2026, 1, 1},
                                  Date{2026, 1, 1}, Date{9999, 12, 31}, periods, [&](const Date&) { return ++seen, true; }));
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(periods, 0u);

    // Without COUNT the periods long before the wanted dates are not looked at; with
    // COUNT they are, since they count.
    const struct {
        const wchar_t* rule;
        Date start;
        const char* dates;  // from 2026-12-29 on
        int earlier;        // dates visited before it: the start and at most a period more, but all that COUNT needs
    } skipping[] = {
        {L"FREQ=DAILY;INTERVAL=3", {1900, 1, 1}, "20261229 20270101", 2},
        {L"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,FR", {1990, 1, 1}, "20270101 20270111", 4},
        {L"FREQ=MONTHLY;BYMONTHDAY=-1", {1601, 1, 31}, "20261231 20270131", 2},
        {L"FREQ=YEARLY;INTERVAL=4", {1904, 2, 29}, "20280229", 3},
        {L"FREQ=DAILY;COUNT=12", {2026, 12, 20}, "20261229 20261230", 9},
    };
    for (const auto& c : skipping) {
        std::string dates;
        int earlier = 0;
        size_t budget = 100000;
        ExpandRecurrence(ParseRecurrence(c.rule), c.start, Date{2026, 12, 29}, Date{2028, 12, 31}, budget,
                         [&](const Date& d) {
                             char text[16];
                             std::snprintf(text, sizeof text, "%04d%02d%02d", d.year, d.month, d.day);
                             if (SerialOf(d) < SerialOf(Date{2026, 12, 29})) ++earlier;
                             else if (dates.size() < 17) dates += (dates.empty() ? "" : " ") + std::string(text);
                             return true;
                         });
        EXPECT_EQ(dates, c.dates) << std::string(c.rule, c.rule + wcslen(c.rule));
        EXPECT_EQ(earlier, c.earlier) << std::string(c.rule, c.rule + wcslen(c.rule));
    }
}
