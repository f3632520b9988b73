// A day of the diary as one event resource of a calendar server, and back.
//
// Out: the calendar export's event of the day (titles in SUMMARY, the note's plain
// text in DESCRIPTION, reminders as VALARMs, a yearly entry as a yearly RRULE, the
// entry's own fields as X-TIVORN-… properties) in a VCALENDAR of its own.
// In: what the calendar import makes of the resource, for one day only; events the
// diary cannot hold as one day (series, events of several days) are passed over.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/icalendar.h"
#include "store/ics_import.h"

// The resource's text. `stampUtc` is its DTSTAMP.
std::string DayResource(const CalendarEvent& event, const DateTime& stampUtc);
// What the day sends, without the stamp: equal hashes, nothing to send.
uint64_t DayResourceHash(const CalendarEvent& event);

struct RemoteDay {
    std::wstring uid;
    std::optional<ImportedDay> day;  // none: passed over
    std::wstring passedOver;         // why (Hungarian), when `day` is none
    std::wstring summary;            // for the log and the questions
};

// Reads a server's resource. Never throws: a resource that cannot be read is passed over.
RemoteDay ReadRemoteDay(std::string_view ics, int allDayMinute);

// The diary's side of a day as the sync compares it with the server's.
struct DayContent {
    std::wstring title1, title2, noteText;
    friend bool operator==(const DayContent&, const DayContent&) = default;
};
DayContent ContentOf(const CalendarEvent& event);
DayContent ContentOf(const ImportedDay& day);
