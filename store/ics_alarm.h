// The diary's reminders from the alarms (VALARM) of imported events: the moment an
// alarm rings on the local clock, and the reminder of the entry's day that comes
// closest to it without coming later.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "store/ics_event.h"
#include "store/reminder_files.h"

// Minutes of a DURATION or a TRIGGER ("-PT15M", "P1DT2H", "-P1W", "PT0S"); seconds
// go to the earlier minute. None for anything else.
std::optional<int64_t> DurationMinutes(std::wstring_view text);

// The local moment an alarm rings for an occurrence running from `start` to `end`
// (local clock). None for an alarm that is no reminder of the diary (EMAIL, an
// action unknown here, a trigger that cannot be read), and for an absolute trigger
// unless `ownStart` (it belongs to the event's own start, not to every occurrence
// of a series). `toLocal` puts an absolute trigger's time on the local clock.
std::optional<Minutes> AlarmMoment(const IcsAlarm& alarm, Minutes start, Minutes end, bool ownStart,
                                   const std::function<Minutes(const IcsTime&)>& toLocal);

// The reminder of the entry on `day` for an alarm at `moment`: the alarm's time of
// day, and the fewest days before that the diary offers (kLeadDayChoices) which do
// not make it ring later than the alarm: 5 days before rings 7 days before. An alarm
// more than 14 days before rings 14 days before; one after the day, on the day. An
// alarm at `allDayMinute` (whole-day events) is an "egész nap" reminder: it is what
// the program's own export writes for one.
Reminder ReminderOfAlarm(const Date& day, Minutes moment, std::optional<int> allDayMinute);
