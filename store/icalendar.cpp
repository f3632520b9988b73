#include "store/icalendar.h"

#include <algorithm>
#include <cwctype>

#include "platform/utf8.h"
#include "store/entry_store.h"
#include "store/nevnapok.h"
#include "store/work_calendar.h"

namespace {

constexpr size_t kMaxLineOctets = 75;

// "yyyymmdd" without going through text formatting: an export writes two per event.
void AppendDate(std::string& out, const Date& d) {
    const int digits[] = {d.year / 1000 % 10, d.year / 100 % 10, d.year / 10 % 10, d.year % 10,
                          d.month / 10,       d.month % 10,      d.day / 10,       d.day % 10};
    for (int digit : digits) out += static_cast<char>('0' + digit);
}

void AppendTwoDigits(std::string& out, int n) {
    out += static_cast<char>('0' + n / 10 % 10);
    out += static_cast<char>('0' + n % 10);
}

std::string StampValue(const DateTime& t) {
    std::string out;
    AppendDate(out, t.date);
    out += 'T';
    AppendTwoDigits(out, t.hour);
    AppendTwoDigits(out, t.minute);
    AppendTwoDigits(out, t.second);
    out += 'Z';
    return out;
}

Date NextDay(const Date& d) {
    if (d.day < DaysInMonth(d.year, d.month)) return Date{d.year, d.month, d.day + 1};
    if (d.month < 12) return Date{d.year, d.month + 1, 1};
    return Date{d.year + 1, 1, 1};
}

// The date of an index line's first eight characters, when they are a real day.
bool ReadLineDate(const std::wstring& line, Date& date) {
    if (line.size() < 8) return false;
    int value[8];
    for (size_t i = 0; i < 8; ++i) {
        if (line[i] < L'0' || line[i] > L'9') return false;
        value[i] = line[i] - L'0';
    }
    date = Date{value[0] * 1000 + value[1] * 100 + value[2] * 10 + value[3], value[4] * 10 + value[5],
                value[6] * 10 + value[7]};
    return date.year >= 1 && date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= DaysInMonth(date.year, date.month);
}

std::wstring TrimEnd(std::wstring text) {
    text.erase(text.find_last_not_of(L' ') + 1);
    return text;
}

std::wstring JoinTitles(const std::wstring& line) {
    const std::wstring first = Trim(EntryTitle1(line)), second = Trim(EntryTitle2(line));
    if (first.empty() || second.empty()) return first + second;
    return first + L" " + second;
}

void AppendEvent(std::string& out, std::string& line, const CalendarEvent& e, const std::string& stamp) {
    auto property = [&](const char* head, auto&& fill) {
        line.assign(head);
        fill();
        AppendContentLine(out, line);
    };
    AppendContentLine(out, "BEGIN:VEVENT");
    property("UID:", [&] { AppendIcsText(line, e.uid); });
    property("DTSTAMP:", [&] { line += stamp; });
    property("DTSTART;VALUE=DATE:", [&] { AppendDate(line, e.date); });
    property("DTEND;VALUE=DATE:", [&] { AppendDate(line, NextDay(e.date)); });
    if (e.yearly)
        AppendContentLine(out, e.date.month == 2 && e.date.day == 29 ? "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1"
                                                                     : "RRULE:FREQ=YEARLY");
    if (e.yearly && !e.exceptions.empty())
        property("EXDATE;VALUE=DATE:", [&] {
            for (size_t i = 0; i < e.exceptions.size(); ++i) {
                if (i) line += ',';
                AppendDate(line, e.exceptions[i]);
            }
        });
    if (!e.summary.empty()) property("SUMMARY:", [&] { AppendIcsText(line, e.summary); });
    if (!e.description.empty()) property("DESCRIPTION:", [&] { AppendIcsText(line, e.description); });
    if (e.entry) {
        property("X-TIVORN-TITLE1:", [&] { AppendIcsText(line, e.entry->title1); });
        property("X-TIVORN-TITLE2:", [&] { AppendIcsText(line, e.entry->title2); });
        property("X-TIVORN-COLOR1:", [&] { AppendIcsText(line, ColorToHexText(e.entry->colour1)); });
        property("X-TIVORN-COLOR2:", [&] { AppendIcsText(line, ColorToHexText(e.entry->colour2)); });
    }
    // A day entry or a name day does not make the user busy.
    AppendContentLine(out, "TRANSP:TRANSPARENT");
    for (int alarm : e.alarms) {
        AppendContentLine(out, "BEGIN:VALARM");
        AppendContentLine(out, "ACTION:DISPLAY");
        property("DESCRIPTION:", [&] { AppendIcsText(line, e.summary.empty() ? std::wstring_view(L"Tivorn") : e.summary); });
        AppendContentLine(out, "TRIGGER:" + TriggerText(alarm));
        AppendContentLine(out, "END:VALARM");
    }
    AppendContentLine(out, "END:VEVENT");
}

}  // namespace

void AppendIcsText(std::string& out, std::wstring_view text) {
    bool afterCr = false;
    ForEachCodePoint(text, [&](char32_t c) {
        const bool lfOfCrLf = afterCr && c == U'\n';
        afterCr = c == U'\r';
        if (lfOfCrLf) return;
        switch (c) {
            case U'\\': out += "\\\\"; return;
            case U';': out += "\\;"; return;
            case U',': out += "\\,"; return;
            case U'\r':
            case U'\n':
            case 0x2028:  // line and paragraph separators are line breaks too
            case 0x2029: out += "\\n"; return;
            case U'\t': out += '\t'; return;
            default: break;
        }
        if (c < 0x20 || c == 0x7F) return;  // not allowed in TEXT
        AppendUtf8(out, c);
    });
}

std::string TriggerText(int minutesFromStart) {
    if (minutesFromStart == 0) return "PT0S";
    std::string out = minutesFromStart < 0 ? "-P" : "P";
    int rest = minutesFromStart < 0 ? -minutesFromStart : minutesFromStart;
    const int days = rest / 1440, hours = rest % 1440 / 60, minutes = rest % 60;
    if (days) out += std::to_string(days) + "D";
    if (hours || minutes) out += "T";
    if (hours) out += std::to_string(hours) + "H";
    if (minutes) out += std::to_string(minutes) + "M";
    return out;
}

std::string EscapeIcsText(std::wstring_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    AppendIcsText(out, text);
    return out;
}

void AppendContentLine(std::string& out, std::string_view line) {
    size_t room = kMaxLineOctets;
    while (line.size() > room) {
        size_t cut = room;
        // Back to the first byte of the character that would be split.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        if (cut == 0) cut = room;  // no character start at all: not UTF-8, cut anywhere
        out.append(line.substr(0, cut));
        out += "\r\n ";
        line.remove_prefix(cut);
        room = kMaxLineOctets - 1;  // the leading blank counts
    }
    out.append(line);
    out += "\r\n";
}

std::wstring EntryUid(const Date& date) { return L"tivorn-" + DateKey(date) + L"@ketrabo.example"; }

std::wstring NameDayUid(int month, int day) {
    return L"tivorn-nevnap-" + DateKey(Date{2001, month, day}).substr(4) + L"@ketrabo.example";
}

std::vector<CalendarEvent> DiaryEvents(const EntryStore& index, const ExportRange& range,
                                       const std::function<std::wstring(const Date&)>& noteText) {
    struct Dated {
        int64_t serial;
        size_t line;
        Date date;
    };
    std::vector<Dated> dated;
    const IndexLines& lines = index.Lines;
    std::wstring line;
    for (size_t i = 0; i < lines.size(); ++i) {
        Date date;
        if (!lines.StartsWith(i, range.datePrefix)) continue;
        lines.CopyTo(i, line);
        if (ReadLineDate(line, date)) dated.push_back(Dated{SerialOf(date), i, date});
    }
    // Date order; among the lines of one date the stored order stays, and the last counts.
    std::stable_sort(dated.begin(), dated.end(), [](const Dated& a, const Dated& b) { return a.serial < b.serial; });
    std::vector<CalendarEvent> events;
    events.reserve(dated.size());
    for (size_t i = 0; i < dated.size(); ++i) {
        if (i + 1 < dated.size() && dated[i + 1].serial == dated[i].serial) continue;
        CalendarEvent e;
        e.date = dated[i].date;
        e.uid = EntryUid(e.date);
        const std::wstring entryLine = lines[dated[i].line];
        e.summary = JoinTitles(entryLine);
        e.entry = EntryFields{TrimEnd(EntryTitle1(entryLine)), TrimEnd(EntryTitle2(entryLine)), EntryColour1(entryLine),
                              EntryColour2(entryLine)};
        if (noteText) e.description = noteText(e.date);
        events.push_back(std::move(e));
    }
    return events;
}

std::vector<CalendarEvent> NameDayEvents(const TNevnapok& names, int year) {
    std::vector<CalendarEvent> events;
    events.reserve(TNevnapok::kDaysInCommonYear);
    for (int month = 1; month <= 12; ++month) {
        const int days = month == 2 ? 28 : DaysInMonth(year, month);
        for (int day = 1; day <= days; ++day) {
            const std::wstring name = Trim(names.GetNameDay(Date{year, month, day}));
            if (name.empty() || name == TNevnapok::kPlaceholder) continue;
            CalendarEvent e;
            e.date = Date{year, month, day};
            e.uid = NameDayUid(month, day);
            e.summary = name + L" napja";
            e.yearly = true;
            events.push_back(std::move(e));
        }
    }
    return events;
}

std::vector<CalendarEvent> WorkCalendarEvents(const WorkCalendar& calendar, std::vector<int> years,
                                              const ExportRange& range) {
    std::sort(years.begin(), years.end());
    years.erase(std::unique(years.begin(), years.end()), years.end());
    std::vector<CalendarEvent> events;
    for (int year : years)
        for (Date d{year, 1, 1}; d.year == year; d = AddDays(d, 1)) {
            const WorkDay day = calendar.Day(d);
            if (day.kind == DayKind::Workday || day.kind == DayKind::Weekend) continue;
            if (!DateKey(d).starts_with(range.datePrefix)) continue;
            CalendarEvent e;
            e.date = d;
            e.uid = L"tivorn-munkarend-" + DateKey(d) + L"@ketrabo.example";
            e.summary = DayHint(day);
            e.summary[0] = std::towupper(e.summary[0]);
            events.push_back(std::move(e));
        }
    return events;
}

std::string WriteCalendar(const std::vector<CalendarEvent>& events, const DateTime& stampUtc,
                          std::wstring_view calendarName) {
    std::string out;
    out.reserve(256 + events.size() * 256);
    AppendContentLine(out, "BEGIN:VCALENDAR");
    AppendContentLine(out, "VERSION:2.0");
    AppendContentLine(out, "PRODID:-//Ketrabo//Tivorn V2.3//HU");
    AppendContentLine(out, "CALSCALE:GREGORIAN");
    AppendContentLine(out, "METHOD:PUBLISH");
    if (!calendarName.empty()) AppendContentLine(out, "X-WR-CALNAME:" + EscapeIcsText(calendarName));
    const std::string stamp = StampValue(stampUtc);
    std::string line;
    for (const CalendarEvent& e : events) AppendEvent(out, line, e, stamp);
    AppendContentLine(out, "END:VCALENDAR");
    return out;
}
