#include "sync/local_days.h"

#include <optional>
#include <utility>

#include "sync/day_resource.h"

LocalDay MakeLocalDay(CalendarEvent event) {
    const uint64_t hash = DayResourceHash(event);
    return LocalDay{std::move(event), hash};
}

std::map<int64_t, LocalDay> ReadLocalDays(const Diary& diary, const ExportRange& range) {
    std::map<int64_t, LocalDay> days;
    for (CalendarEvent& e : diary.CalendarEvents(range)) days.emplace(SerialOf(e.date), MakeLocalDay(std::move(e)));
    return days;
}

LocalDays::LocalDays(Diary& diary) : diary_(diary) {
    subscription_ = diary_.Subscribe([this](const DiaryChange& change) { Changed(change); });
}

void LocalDays::Changed(const DiaryChange& change) {
    std::lock_guard lock(mutex_);
    if (change.all || change.reminders) {
        all_ = true;
        return;
    }
    for (const Date& day : change.days) dirty_.insert(SerialOf(day));
}

std::map<int64_t, LocalDay> LocalDays::Read() {
    bool all;
    std::set<int64_t> dirty;
    {
        std::lock_guard lock(mutex_);
        all = std::exchange(all_, false);
        dirty.swap(dirty_);
    }
    try {
        if (all) {
            std::map<int64_t, LocalDay> days = ReadLocalDays(diary_, ExportRange::All());
            std::lock_guard lock(mutex_);
            days_ = std::move(days);
            return days_;
        }
        // A day's entry also changes the yearly series of its month and day (the years
        // its own entries stand in for): those are read again with it.
        std::set<int64_t> read = dirty;
        {
            std::lock_guard lock(mutex_);
            for (const int64_t serial : dirty) {
                const Date d = DateFromSerial(serial);
                for (const auto& [s, day] : days_) {
                    const CalendarEvent& e = day.event;
                    if (e.yearly && e.date.month == d.month && (e.date.day == d.day || (e.date.day == 29 && d.day == 28)))
                        read.insert(s);
                }
            }
        }
        std::map<int64_t, std::optional<LocalDay>> fresh;
        for (const int64_t serial : read) {
            auto day = ReadLocalDays(diary_, ExportRange{DateKey(DateFromSerial(serial))});
            fresh[serial] = day.empty() ? std::nullopt : std::optional(std::move(day.begin()->second));
        }
        std::lock_guard lock(mutex_);
        for (auto& [serial, e] : fresh) {
            if (e) days_[serial] = std::move(*e);
            else days_.erase(serial);
        }
        return days_;
    } catch (...) {
        std::lock_guard lock(mutex_);
        all_ = all_ || all;
        dirty_.insert(dirty.begin(), dirty.end());
        throw;
    }
}
