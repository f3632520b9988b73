#include "store/reminder_schedule.h"

#include <algorithm>
#include <set>

namespace {

std::wstring TimeKey(int minute) {
    if (minute == kAllDay) return L"egész";
    const std::wstring text = ReminderTimeText(minute);
    return text.substr(0, 2) + text.substr(3, 2);
}

std::optional<Date> DayOfKey(const std::wstring& text) {
    if (text.size() != 8 || !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return std::nullopt;
    const Date d{std::stoi(text.substr(0, 4)), std::stoi(text.substr(4, 2)), std::stoi(text.substr(6, 2))};
    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month))
        return std::nullopt;
    return d;
}

std::optional<int> MinuteOfKey(const std::wstring& text) {
    if (text == L"egész") return kAllDay;
    if (text.size() != 4 || !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return std::nullopt;
    const int hour = std::stoi(text.substr(0, 2)), minute = std::stoi(text.substr(2, 2));
    if (hour > 23 || minute > 59) return std::nullopt;
    return hour * 60 + minute;
}

std::optional<int> LeadOfKey(const std::wstring& text) {
    if (text.empty() || text.size() > 2 || !std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return std::nullopt;
    const int days = std::stoi(text);
    if (!IsLeadDayChoice(days)) return std::nullopt;
    return days;
}

// Splits off `count` blank-separated words; the rest (a person's name) stays.
std::vector<std::wstring> Words(const std::wstring& key, size_t count, std::wstring& rest) {
    std::vector<std::wstring> words;
    size_t at = 0;
    while (words.size() < count) {
        const size_t end = key.find(L' ', at);
        if (end == std::wstring::npos) {
            words.push_back(key.substr(at));
            at = key.size();
            break;
        }
        words.push_back(key.substr(at, end - at));
        at = end + 1;
    }
    rest = at < key.size() ? key.substr(at) : std::wstring();
    return words;
}

int YearOf(Instant moment) { return InstantToLocal(moment).date.year; }

}  // namespace

std::wstring Occurrence::Key() const {
    if (kind == OccurrenceKind::NameDay)
        return L"N " + DateKey(day) + L" " + std::to_wstring(leadDays) + L" " + person;
    return L"E " + DateKey(origin) + L" " + DateKey(day) + L" " + TimeKey(minute) + L" " + std::to_wstring(leadDays);
}

std::optional<Occurrence> OccurrenceOfKey(const std::wstring& key) {
    std::wstring rest;
    Occurrence o;
    if (key.starts_with(L"N ")) {
        const auto words = Words(key.substr(2), 2, rest);
        if (words.size() != 2 || rest.empty()) return std::nullopt;
        const auto day = DayOfKey(words[0]);
        const auto lead = LeadOfKey(words[1]);
        if (!day || !lead) return std::nullopt;
        o.kind = OccurrenceKind::NameDay;
        o.day = o.origin = *day;
        o.leadDays = *lead;
        o.person = rest;
    } else if (key.starts_with(L"E ")) {
        const auto words = Words(key.substr(2), 4, rest);
        if (words.size() != 4 || !rest.empty()) return std::nullopt;
        const auto origin = DayOfKey(words[0]), day = DayOfKey(words[1]);
        const auto minute = MinuteOfKey(words[2]);
        const auto lead = LeadOfKey(words[3]);
        if (!origin || !day || !minute || !lead) return std::nullopt;
        o.origin = *origin;
        o.day = *day;
        o.minute = *minute;
        o.leadDays = *lead;
    } else {
        return std::nullopt;
    }
    if (o.Key() != key) return std::nullopt;  // one spelling only
    return o;
}

Date YearlyDay(const Date& origin, int year) {
    if (origin.month == 2 && origin.day == 29 && !IsLeapYear(year)) return Date{year, 2, 28};
    return Date{year, origin.month, origin.day};
}

Instant DueOf(const Occurrence& o, int allDayMinute) {
    const int minute = o.kind == OccurrenceKind::NameDay || o.minute == kAllDay ? allDayMinute : o.minute;
    return LocalToInstant(AddDays(o.day, -o.leadDays), minute);
}

std::vector<Occurrence> OccurrencesBetween(const ReminderBook& book, Instant from, Instant until,
                                           const HasOwnEntry& hasOwnEntry) {
    const int allDay = book.reminders.allDayMinute;
    const std::set<std::wstring> done(book.state.done.begin(), book.state.done.end());
    std::set<std::wstring> snoozed;
    for (const Snooze& s : book.state.snoozed) snoozed.insert(s.occurrence);
    // A yearly day comes in the years of the window; its lead days may reach back
    // from the next year's first days.
    const int firstYear = YearOf(from), lastYear = YearOf(until) + 1;
    std::vector<Occurrence> out;
    auto add = [&](Occurrence o) {
        o.due = DueOf(o, allDay);
        if (o.due <= from || o.due > until) return;
        const std::wstring key = o.Key();
        if (snoozed.count(key)) return;  // it comes at its snooze's end instead
        o.done = done.count(key) > 0;
        out.push_back(std::move(o));
    };

    std::set<int64_t> yearly;
    for (const YearlyMark& mark : book.yearly) yearly.insert(SerialOf(mark.day));
    for (const Reminder& r : book.reminders.reminders) {
        Occurrence o;
        o.origin = o.day = r.day;
        o.minute = r.minute;
        o.leadDays = r.leadDays;
        if (!yearly.count(SerialOf(r.day))) {
            add(o);
            continue;
        }
        for (int year = std::max(firstYear, r.day.year); year <= lastYear; ++year) {
            o.day = YearlyDay(r.day, year);
            if (year > r.day.year && hasOwnEntry && hasOwnEntry(o.day)) continue;  // that year's own entry wins
            add(o);
        }
    }
    for (const Person& person : book.people)
        for (const MonthDay& md : person.nameDays)
            for (int year = firstYear; year <= lastYear; ++year) {
                Occurrence o;
                o.kind = OccurrenceKind::NameDay;
                o.day = o.origin = YearlyDay(Date{2000, md.month, md.day}, year);
                o.leadDays = person.leadDays;
                o.person = person.name;
                add(o);
            }
    // The snoozes of reminders that still exist.
    for (const Snooze& s : book.state.snoozed) {
        if (s.until <= from || s.until > until) continue;
        auto o = OccurrenceOfKey(s.occurrence);
        if (!o) continue;
        bool exists = false;
        if (o->kind == OccurrenceKind::NameDay) {
            for (const Person& p : book.people)
                exists |= p.name == o->person && p.leadDays == o->leadDays &&
                          std::any_of(p.nameDays.begin(), p.nameDays.end(), [&](const MonthDay& md) {
                              return YearlyDay(Date{2000, md.month, md.day}, o->day.year) == o->day;
                          });
        } else {
            const Reminder source{o->origin, o->minute, o->leadDays};
            exists = std::find(book.reminders.reminders.begin(), book.reminders.reminders.end(), source) !=
                         book.reminders.reminders.end() &&
                     (o->day == o->origin || yearly.count(SerialOf(o->origin)));
        }
        if (!exists) continue;
        o->due = s.until;
        o->snoozed = true;
        o->done = done.count(s.occurrence) > 0;
        out.push_back(std::move(*o));
    }
    std::stable_sort(out.begin(), out.end(), [](const Occurrence& a, const Occurrence& b) { return a.due < b.due; });
    return out;
}

void ReminderSchedule::Build(const ReminderBook& book, Instant after, Instant now, const HasOwnEntry& hasOwnEntry) {
    horizonEnd_ = std::max(after, now) + kHorizon;
    queue_ = OccurrencesBetween(book, after, horizonEnd_, hasOwnEntry);
    std::erase_if(queue_, [](const Occurrence& o) { return o.done; });
    next_ = 0;
    built_ = true;
}

std::vector<Occurrence> ReminderSchedule::TakeDue(Instant now) {
    std::vector<Occurrence> due;
    while (next_ < queue_.size() && queue_[next_].due <= now) due.push_back(queue_[next_++]);
    return due;
}

std::optional<Instant> ReminderSchedule::Next() const {
    if (next_ < queue_.size()) return queue_[next_].due;
    return std::nullopt;
}
