// The dated items of a calendar file (VEVENT, VTODO, VJOURNAL) with what a diary
// takes from them, their time texts still unresolved (the zones are IcsZones' work).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "store/icalendar.h"
#include "store/ics_time.h"

struct IcsComponent;

// A VALARM as written; ics_alarm.h makes the reminder of it.
struct IcsAlarm {
    std::wstring action;       // "DISPLAY", "AUDIO", "EMAIL"
    std::wstring trigger;      // "-PT15M", "-P1D", or a date-time
    bool fromEnd = false;      // RELATED=END
    std::wstring description;
};

struct IcsEvent {
    enum class Kind { Event, Todo, Journal };
    Kind kind = Kind::Event;
    size_t line = 0;  // where the component starts in the file
    std::wstring uid, summary, description, location;
    bool cancelled = false;  // STATUS:CANCELLED
    std::optional<IcsTime> start, end;
    std::wstring startText;  // DTSTART as written, for the reason it was not read
    std::wstring duration;   // DURATION as written
    std::wstring rrule;      // RRULE as written; empty: a single event
    std::vector<IcsTime> extraDates, exceptDates;  // RDATE, EXDATE
    std::optional<IcsTime> recurrenceId;           // a changed occurrence of the series `uid`
    std::vector<IcsAlarm> alarms;
    std::optional<EntryFields> entry;  // X-TIVORN-…: a day exported by this program
};

// The calendar's VEVENT, VTODO and VJOURNAL components in file order.
std::vector<IcsEvent> EventsOf(const IcsComponent& calendar);

// Whole days of a DURATION ("P3D", "P1W", "P1DT12H" counts 1); none for others.
std::optional<int> DurationDays(const std::wstring& duration);
