// Recurrence rules (RRULE) of iCalendar events, expanded into dates: DAILY, WEEKLY,
// MONTHLY and YEARLY with INTERVAL, COUNT, UNTIL, BYMONTH, BYMONTHDAY, BYDAY (with
// ordinals within a month) and BYSETPOS. Only the dates matter to a diary, so
// BYHOUR, BYMINUTE and BYSECOND are passed over.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/eljaras.h"

enum class Frequency { None, Daily, Weekly, Monthly, Yearly };

struct WeekdayRule {
    int nth = 0;      // 0: every such day; 1..5 from the start of the month, -1..-5 from its end
    int weekday = 1;  // 1 = Monday .. 7 = Sunday
};

struct Recurrence {
    Frequency frequency = Frequency::None;
    int interval = 1;
    int count = 0;       // 0: no COUNT
    std::wstring until;  // UNTIL as written (a date or a date-time); the caller resolves it
    std::vector<int> byMonth, byMonthDay, bySetPos;
    std::vector<WeekdayRule> byDay;
    int weekStart = 1;  // WKST
    // Non-empty when the rule has a part that is not expanded here (its name): the
    // series then cannot be imported faithfully.
    std::wstring unsupported;
};

Recurrence ParseRecurrence(std::wstring_view value);

// The day of the month that is the nth (1..5, or -1..-5 from the end) such weekday;
// none when the month has no such day.
std::optional<Date> NthWeekdayOfMonth(int year, int month, int nth, int weekday);

// Calls `visit` with the dates of the series in order: `start` first (it always
// counts), then the dates of the rule, until COUNT is reached, a date is after
// `last`, or `visit` returns false. Without COUNT the dates before `from` may be
// left out (whole periods of them are skipped unseen). Each day, week, month or year looked at takes
// one from `periods`; gives false when they ran out before the series ended.
bool ExpandRecurrence(const Recurrence& rule, const Date& start, const Date& from, const Date& last, size_t& periods,
                      const std::function<bool(const Date&)>& visit);
