// iCalendar files (RFC 5545) of the diary and of the name days, for phone and web
// calendars: one all-day event per day entry, and the name days as yearly series.
// Pure text work: the caller reads the notes and writes the file.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/eljaras.h"

class EntryStore;
class TNevnapok;
class WorkCalendar;

// The fields of a day entry as they stand in the index, written as X-TIVORN-…
// properties: the program reads them back exactly, other calendars pass them over.
struct EntryFields {
    std::wstring title1, title2;  // without the blanks that fill them to 20 characters
    int32_t colour1 = 0, colour2 = 0;
};

// One all-day event. `yearly` repeats it every year from `date`.
struct CalendarEvent {
    Date date;
    std::wstring uid;
    std::wstring summary;      // empty: no SUMMARY line
    std::wstring description;  // empty: no DESCRIPTION line
    bool yearly = false;  // a 29 February one shows on 28 February in common years
    std::vector<Date> exceptions;  // days a yearly one leaves out (EXDATE), in date order
    std::optional<EntryFields> entry;  // the day entry's own fields (diary events only)
    // Reminders (VALARM), in minutes from the start of the day (negative: before it).
    std::vector<int> alarms;
};

// A reminder's TRIGGER value: "-P1DT15H30M" style, "PT0S" for the start itself.
std::string TriggerText(int minutesFromStart);

// Which entries an export takes: those whose "yyyymmdd" date starts with the prefix
// ("yyyymm" a month, "yyyy" a year, empty the whole diary).
struct ExportRange {
    std::wstring datePrefix;
    static ExportRange Month(const Date& d) { return {MonthKey(d)}; }
    static ExportRange Year(const Date& d) { return {DateKey(d).substr(0, 4)}; }
    static ExportRange All() { return {}; }
};

// Text of a TEXT property value: UTF-8, with "\", ";", "," and line breaks escaped
// ("\\", "\;", "\,", "\n"); other control characters but the tab are left out.
std::string EscapeIcsText(std::wstring_view text);
void AppendIcsText(std::string& out, std::wstring_view text);

// Appends one content line, folded so that no physical line is longer than 75
// octets (continuations start with a blank), never inside a UTF-8 character, each
// ended by CR LF.
void AppendContentLine(std::string& out, std::string_view line);

// Stable identifiers: exporting again gives the same UID for the same day, so a
// calendar that imports the file again updates its events instead of doubling them.
std::wstring EntryUid(const Date& date);
std::wstring NameDayUid(int month, int day);

// The events of the index's entries in the range, in date order. The last line of a
// date counts (as in every look-up of the program); lines whose date is no real day
// are skipped. `noteText` gives the plain text of a day's note ("" when it has none).
std::vector<CalendarEvent> DiaryEvents(const EntryStore& index, const ExportRange& range,
                                       const std::function<std::wstring(const Date&)>& noteText);

// The name days of a common year as yearly series starting in `year`; 29 February
// ("Szökőnap") and days without a name (the table's placeholder) are left out.
std::vector<CalendarEvent> NameDayEvents(const TNevnapok& names, int year);

// The working calendar's holidays, rest days and worked Saturdays of `years` (in any
// order, repeats allowed) within the range, in date order; the weekends are left out.
std::vector<CalendarEvent> WorkCalendarEvents(const WorkCalendar& calendar, std::vector<int> years,
                                              const ExportRange& range);

// The whole file: VCALENDAR with the events; `stampUtc` is the time of the export
// (DTSTAMP), `calendarName` the name calendars show for it.
std::string WriteCalendar(const std::vector<CalendarEvent>& events, const DateTime& stampUtc,
                          std::wstring_view calendarName);
