// The diary's days as the sync sends them, kept between runs: reading every note's
// text again for each run would cost seconds with a large diary, so only the days the
// diary's change notices named since the last run are read again (all of them after a
// change of everything: a restore, a reload, a change of reminders or yearly marks).
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <set>

#include "store/diary.h"

class LocalDays {
public:
    explicit LocalDays(Diary& diary);
    // The days by serial; the first call reads them all. Any thread; throws a file error.
    std::map<int64_t, CalendarEvent> Read();

private:
    void Changed(const DiaryChange& change);

    Diary& diary_;
    std::mutex mutex_;
    bool all_ = true;
    std::set<int64_t> dirty_;
    std::map<int64_t, CalendarEvent> days_;
    Diary::Subscription subscription_;  // last: it ends before the members it touches
};
