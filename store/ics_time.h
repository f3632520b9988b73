// Dates, times and time zones of iCalendar files: DATE and DATE-TIME values (UTC,
// floating, or with a TZID), the VTIMEZONE blocks of the file, and the zones that
// calendars name without one (IANA names such as "Europe/Budapest" and Windows names
// such as "W. Europe Standard Time") from a small table with their current rules.
#pragma once

#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/eljaras.h"

struct IcsComponent;
struct IcsProperty;

// Minutes since 30 December 1899 00:00 on some clock (a zone's wall clock, or UTC).
using Minutes = int64_t;
Minutes MinutesOf(const Date& d, int hour = 0, int minute = 0);
Date DateOfMinutes(Minutes m);
int MinuteOfDay(Minutes m);

struct IcsTime {
    enum class Kind { Date, Floating, Utc, Zoned };
    Kind kind = Kind::Date;
    Date date;
    int hour = 0, minute = 0;
    std::wstring zone;  // the TZID of a Zoned time
    Minutes Wall() const { return MinutesOf(date, hour, minute); }
};

// A DATE ("20261224", or VALUE=DATE) or DATE-TIME ("20261224T183000", "…Z") value;
// none when it is no real day or time.
std::optional<IcsTime> ParseIcsTime(std::wstring_view value, const std::wstring& zone, bool dateOnly);
// The value of a DTSTART-like property, its TZID and VALUE parameters taken in.
std::optional<IcsTime> ParseIcsTime(const IcsProperty& property);

// A zone as a list of onsets: from each onset on, the offset is `offsetTo` until the
// next onset of any observance.
struct Observance {
    int offsetFrom = 0, offsetTo = 0;  // minutes east of UTC
    Minutes start = 0;                 // first onset, on the wall clock before it
    // A yearly onset: month, and the nth weekday (nth 1..5 or -1..-5) or, with
    // monthDays, the first `weekday` among those days; month 0: only `start`.
    int month = 0, nth = 0, weekday = 0;
    std::vector<int> monthDays;
    Minutes until = std::numeric_limits<Minutes>::max();  // UTC
    std::vector<Minutes> extraOnsets;                      // RDATE, on the wall clock
};

class TimeZone {
public:
    std::vector<Observance> observances;

    static TimeZone Fixed(int offsetMinutes);
    // Offset of the wall clock from UTC at an instant.
    int OffsetAtUtc(Minutes utc) const;
    Minutes FromUtc(Minutes utc) const { return utc + OffsetAtUtc(utc); }
    // A wall-clock time in UTC; a time the spring change skips is read with the
    // offset before it, a time the autumn change repeats as the earlier one.
    Minutes ToUtc(Minutes wall) const;
};

// The zones named by IANA or Windows names that the table knows; a name with a
// path in front (as "/mozilla.org/…/Europe/Budapest") is found by its end.
std::optional<TimeZone> KnownTimeZone(std::wstring_view name);
// The zone of Hungary, the default local zone of the diary.
TimeZone HungarianTimeZone();
// The zone as Windows describes it (TIME_ZONE_INFORMATION): UTC = local + bias, in
// minutes; each change by month, week (1..4, 5 the last), weekday (0 Sunday) and the
// wall-clock time before it. A daylight month of 0: no daylight saving time.
struct WindowsZoneChange {
    int month = 0, week = 0, dayOfWeek = 0, hour = 0, minute = 0;
};
TimeZone WindowsTimeZone(int bias, int standardBias, int daylightBias, const WindowsZoneChange& toStandard,
                         const WindowsZoneChange& toDaylight);
// A VTIMEZONE block's STANDARD and DAYLIGHT observances.
TimeZone ZoneOfComponent(const IcsComponent& vtimezone);

// The zones a file's times are read in, and the local zone they are put into.
class IcsZones {
public:
    IcsZones(const IcsComponent& calendar, TimeZone local);

    // The zone a time is written in; null for dates and for floating times of a
    // file that names no zone of its own (X-WR-TIMEZONE): those are local already.
    // An unknown TZID is taken as local too.
    const TimeZone* ZoneOf(const IcsTime& t) const;
    // A wall-clock time of `zone` (null: local) on the local wall clock.
    Minutes ToLocal(Minutes wall, const TimeZone* zone) const;
    Minutes ToLocal(const IcsTime& t) const { return ToLocal(t.Wall(), ZoneOf(t)); }

private:
    std::map<std::wstring, TimeZone> zones_;  // VTIMEZONE blocks and table zones, by TZID
    std::optional<TimeZone> calendarZone_;    // X-WR-TIMEZONE
    TimeZone utc_;
    TimeZone local_;
};
