// When reminders come due: the occurrences of the reminders of days' entries (every
// year for a yearly entry) and of the people's name days, and the schedule the main
// window's one-second timer asks, sorted by time so that a check costs only the
// items that are due.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/hungarian_time.h"
#include "store/reminder_files.h"

// Everything the reminders are made of, as their files hold it.
struct ReminderBook {
    RemindersFile reminders;
    std::vector<YearlyMark> yearly;
    std::vector<Person> people;
    ReminderState state;
};

enum class OccurrenceKind { Entry, NameDay };

// One coming of a reminder: the one of a plain entry, or that of one year.
struct Occurrence {
    OccurrenceKind kind = OccurrenceKind::Entry;
    Date day;               // the day it is about: the entry's day in that year, or the name day
    Date origin;            // an entry's own day (a yearly entry's first year)
    int minute = kAllDay;   // the reminder's time as set
    int leadDays = 0;
    std::wstring person;    // a name day's person
    Instant due = 0;        // when it comes; a snoozed one: the snooze's end
    bool snoozed = false;
    bool done = false;      // dismissed already (the coming list shows those too)
    // Names the occurrence in the state file: the same reminder in the same year.
    std::wstring Key() const;
    friend bool operator==(const Occurrence&, const Occurrence&) = default;
};

// The occurrence a key names (its due time not yet known); none for a damaged key.
std::optional<Occurrence> OccurrenceOfKey(const std::wstring& key);

// The day a yearly entry of `origin` shows in `year`: the same day, 29 February on
// 28 February in a common year.
Date YearlyDay(const Date& origin, int year);

// Tells whether the index has a line of its own for a day.
using HasOwnEntry = std::function<bool(const Date&)>;

// The occurrences due in (from, until], with the snoozes applied (a snoozed one at
// its snooze's end, nowhere else), done ones marked, sorted by due time. A yearly
// entry comes in every year from its own on, but not in a year that has an entry of
// its own on that day.
std::vector<Occurrence> OccurrencesBetween(const ReminderBook& book, Instant from, Instant until,
                                           const HasOwnEntry& hasOwnEntry);

// The due time of an occurrence as the book sets it (not snoozed).
Instant DueOf(const Occurrence& o, int allDayMinute);

class ReminderSchedule {
public:
    static constexpr Instant kHorizon = 40 * kSecondsPerDay;  // how far ahead a build looks

    // Everything due after `after` until `now` + the horizon, done ones left out.
    void Build(const ReminderBook& book, Instant after, Instant now, const HasOwnEntry& hasOwnEntry);
    // True when the schedule must be built before `now` can be checked.
    bool NeedsBuild(Instant now) const { return !built_ || now > horizonEnd_; }
    void Invalidate() { built_ = false; }
    // The occurrences due at `now` that have not been taken before, oldest first.
    std::vector<Occurrence> TakeDue(Instant now);
    // The time of the next item; none when there is none within the horizon.
    std::optional<Instant> Next() const;

private:
    std::vector<Occurrence> queue_;
    size_t next_ = 0;
    Instant horizonEnd_ = 0;
    bool built_ = false;
};
