// The diary's days as the sync sends them, kept between runs: reading every note's
// text again for each run would cost seconds with a large diary, so only the days the
// diary's change notices named since the last run are read again (all of them after a
// change of everything: a restore, a reload, a change of reminders or yearly marks).
// Each day keeps the hash of its resource too, which a run compares with what it last
// sent: making the resource text of every day again is most of a run's own time.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>

#include "store/diary.h"

struct LocalDay {
    CalendarEvent event;
    uint64_t hash = 0;  // DayResourceHash(event), with the event's own UID
};

// The day's event and its hash.
LocalDay MakeLocalDay(CalendarEvent event);
// The diary's days of `range` by serial, as the sync sends them. Throws a file error.
std::map<int64_t, LocalDay> ReadLocalDays(const Diary& diary, const ExportRange& range);

class LocalDays {
public:
    explicit LocalDays(Diary& diary);
    // The days by serial; the first call reads them all. Any thread; throws a file error.
    std::map<int64_t, LocalDay> Read();

private:
    void Changed(const DiaryChange& change);

    Diary& diary_;
    std::mutex mutex_;
    bool all_ = true;
    std::set<int64_t> dirty_;
    std::map<int64_t, LocalDay> days_;
    Diary::Subscription subscription_;  // last: it ends before the members it touches
};
