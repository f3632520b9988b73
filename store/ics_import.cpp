#include "store/ics_import.h"

#include <algorithm>
#include <map>

#include "store/entry_store.h"
#include "store/ics_alarm.h"
#include "store/ics_event.h"
#include "store/ics_reader.h"
#include "store/ics_recurrence.h"
#include "store/rtf_text.h"

namespace {

// Dates one import may hold in memory, periods all its series together may run
// through, and the length of a day's note: a hostile file ends at these instead of
// exhausting the machine.
constexpr size_t kMaxPieces = 200000;
constexpr size_t kMaxPeriods = 2000000;
constexpr size_t kMaxNoteChars = 32000;
// A whole-day event longer than a year is no day of a diary.
constexpr int64_t kMaxEventDays = 366;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0x00A0; }

// One line of text: runs of blanks and line breaks as one space, none at the ends.
std::wstring OneLine(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (IsBlank(c)) {
            if (!out.empty() && out.back() != L' ') out += L' ';
        } else if (c >= 0x20) {
            out += c;
        }
    }
    if (!out.empty() && out.back() == L' ') out.pop_back();
    return out;
}

std::wstring Clock(Minutes local) {
    const int m = MinuteOfDay(local);
    const wchar_t text[] = {static_cast<wchar_t>(L'0' + m / 600), static_cast<wchar_t>(L'0' + m / 60 % 10), L':',
                            static_cast<wchar_t>(L'0' + m % 60 / 10), static_cast<wchar_t>(L'0' + m % 10), 0};
    return text;
}

bool InRange(const Date& d, const ImportOptions& o) {
    const int64_t s = SerialOf(d);
    return s >= SerialOf(o.first) && s <= SerialOf(o.last);
}

// One event on one day.
struct Piece {
    size_t event;
    Minutes order;      // -1 for a whole day, else the local minute of the day
    std::wstring time;  // "HH:MM", empty for a whole day
    std::wstring key;
    bool yearly;  // the first day of a plain yearly series
    std::vector<Reminder> reminders;
};

// A yearly series the diary's yearly entry shows as it is: every year on the day of
// its start, for ever. COUNT, UNTIL, an interval or other days are spread into days.
bool PlainYearly(const Recurrence& r, const Date& start) {
    const bool lastDay = start.day == DaysInMonth(start.year, start.month) && (start.month != 2 || start.day == 29);
    return r.frequency == Frequency::Yearly && r.interval == 1 && r.count == 0 && r.until.empty() &&
           r.byDay.empty() && r.bySetPos.empty() &&
           (r.byMonth.empty() || (r.byMonth.size() == 1 && r.byMonth[0] == start.month)) &&
           (r.byMonthDay.empty() ||
            (r.byMonthDay.size() == 1 && (r.byMonthDay[0] == start.day || (r.byMonthDay[0] == -1 && lastDay))));
}

class Planner {
public:
    Planner(const IcsComponent& calendar, const HasEntry& hasEntry, const std::set<std::wstring>& imported,
            const ImportOptions& options)
        : events_(EventsOf(calendar)), zones_(calendar, options.local), hasEntry_(hasEntry), imported_(imported),
          options_(options), outside_(events_.size()), inRange_(events_.size(), false) {}

    ImportPlan Run() {
        std::set<std::wstring> series;
        for (size_t i = 0; i < events_.size(); ++i)
            if (!events_[i].recurrenceId) series.insert(events_[i].uid);
        for (size_t i = 0; i < events_.size(); ++i) {
            const IcsEvent& e = events_[i];
            if (e.recurrenceId && series.count(e.uid)) overrides_[e.uid].push_back(i);
        }
        std::set<std::wstring> changesPlanned;
        for (size_t i = 0; i < events_.size(); ++i) {
            const IcsEvent& e = events_[i];
            if (e.recurrenceId && series.count(e.uid)) continue;  // with its series
            PlanEvent(i, e.recurrenceId.has_value());
            // The changed occurrences of a series, unless the whole series was cancelled.
            const auto changed = overrides_.find(e.uid);
            if (!e.recurrenceId && !e.cancelled && changed != overrides_.end() && changesPlanned.insert(e.uid).second)
                for (size_t o : changed->second) PlanEvent(o, true);
        }
        for (size_t i = 0; i < events_.size(); ++i)
            if (outside_[i].times > 0 && !inRange_[i]) AddSkip(i, outside_[i].date, skip_reason::kOutside, outside_[i].times);
        BuildDays();
        std::stable_sort(skipOrder_.begin(), skipOrder_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [event, row] : skipOrder_) plan_.skipped.push_back(std::move(rows_[row]));
        return std::move(plan_);
    }

private:
    struct Outside {
        size_t times = 0;
        std::optional<Date> date;
    };

    void AddSkip(size_t event, std::optional<Date> date, const std::wstring& reason, size_t times = 1) {
        const auto [it, added] = rowOf_.try_emplace({event, reason}, rows_.size());
        if (!added) {
            rows_[it->second].times += times;
            return;
        }
        rows_.push_back(SkippedEvent{OneLine(events_[event].summary), date, times, reason});
        skipOrder_.emplace_back(event, it->second);
    }

    std::optional<Date> DateOf(const IcsEvent& e) const {
        if (e.start) return e.start->date;
        if (e.end) return e.end->date;
        return std::nullopt;
    }

    // The local date of a time the file names (RECURRENCE-ID, EXDATE).
    Date LocalDate(const IcsTime& t) const {
        return t.kind == IcsTime::Kind::Date ? t.date : DateOfMinutes(zones_.ToLocal(t));
    }

    void PlanEvent(size_t i, bool keyByDate) {
        const IcsEvent& e = events_[i];
        if (e.kind == IcsEvent::Kind::Todo) return AddSkip(i, DateOf(e), skip_reason::kTodo);
        if (e.cancelled) return AddSkip(i, DateOf(e), skip_reason::kCancelled);
        if (e.startText.empty()) return AddSkip(i, std::nullopt, skip_reason::kNoDate);
        if (!e.start) return AddSkip(i, std::nullopt, std::wstring(skip_reason::kBadDate) + L": " + e.startText);
        const IcsTime& start = *e.start;
        const bool allDay = start.kind == IcsTime::Kind::Date;
        const TimeZone* zone = zones_.ZoneOf(start);
        const int timeOfDay = allDay ? 0 : start.hour * 60 + start.minute;

        // A whole-day event lasts from DTSTART to the day before DTEND.
        int64_t days = 1;
        if (allDay) {
            if (e.end && e.end->kind == IcsTime::Kind::Date) days = SerialOf(e.end->date) - SerialOf(start.date);
            else if (const auto d = DurationDays(e.duration)) days = *d;
            days = std::max<int64_t>(days, 1);
            if (days > kMaxEventDays) return AddSkip(i, start.date, skip_reason::kTooLong);
            if (days > 1) keyByDate = true;
        }

        std::set<int64_t> excluded;
        for (const IcsTime& t : e.exceptDates) excluded.insert(SerialOf(LocalDate(t)));
        const auto changed = e.recurrenceId ? overrides_.end() : overrides_.find(e.uid);
        if (changed != overrides_.end())
            for (size_t o : changed->second) excluded.insert(SerialOf(LocalDate(*events_[o].recurrenceId)));

        std::vector<Minutes> starts;  // on the wall clock of the event's own zone
        bool yearly = false;          // starts[0] is a yearly entry's day
        std::optional<Recurrence> series;
        if (!e.rrule.empty()) {
            const Recurrence& rule = series.emplace(ParseRecurrence(e.rrule));
            if (!rule.unsupported.empty())
                return AddSkip(i, start.date, std::wstring(skip_reason::kRule) + L": " + rule.unsupported);
            keyByDate = true;
            // One day for a plain yearly series, unless it lasts days (a yearly entry is
            // one day) or its first day is left out.
            yearly = days == 1 && PlainYearly(rule, start.date) && !excluded.count(SerialOf(LocalDate(start)));
        }
        if (yearly) {
            starts.push_back(start.Wall());
        } else if (series) {
            const Recurrence& rule = *series;
            Date last = AddDays(options_.last, 1);  // a zone ahead of the local one may move a day back
            if (const auto until = rule.until.empty() ? std::nullopt : ParseIcsTime(rule.until, L"", false)) {
                Minutes untilWall = until->kind == IcsTime::Kind::Date ? MinutesOf(until->date, 23, 59)
                                    : until->kind == IcsTime::Kind::Utc && zone ? zone->FromUtc(until->Wall())
                                                                               : until->Wall();
                Date untilDate = DateOfMinutes(untilWall);
                if (MinuteOfDay(untilWall) < timeOfDay) untilDate = AddDays(untilDate, -1);
                if (SerialOf(untilDate) < SerialOf(last)) last = untilDate;
            }
            // Dates before the range are not wanted (but counted when COUNT needs them),
            // unless the event lasts into it or a zone behind the local one moves it a day.
            const Date from = AddDays(options_.first, -(days + 1));
            const bool finished = ExpandRecurrence(rule, start.date, from, last, periodsLeft_, [&](const Date& d) {
                starts.push_back(MinutesOf(d) + timeOfDay);
                return starts.size() < kMaxPieces;
            });
            if (!finished || starts.size() >= kMaxPieces) AddSkip(i, start.date, skip_reason::kLimit);
        } else {
            starts.push_back(start.Wall());
        }
        for (const IcsTime& extra : e.extraDates) {
            starts.push_back(extra.kind == IcsTime::Kind::Date ? MinutesOf(extra.date) + timeOfDay : extra.Wall());
            keyByDate = true;
        }

        // How long an occurrence lasts on the local clock, for the alarms at its end.
        Minutes length = days * 24 * 60;
        if (!allDay) {
            if (e.end && e.end->kind != IcsTime::Kind::Date) length = zones_.ToLocal(*e.end) - zones_.ToLocal(start);
            else length = DurationMinutes(e.duration).value_or(0);
        }

        const std::wstring base = e.uid.empty() ? L"~" + DateKey(start.date) + L" " + OneLine(e.summary) : e.uid;
        for (size_t k = 0; k < starts.size(); ++k) {
            const Minutes wall = starts[k];
            const bool yearlyDay = yearly && k == 0;
            const Minutes local = allDay ? wall : zones_.ToLocal(wall, zone);
            const Date first = DateOfMinutes(local);
            if (excluded.count(SerialOf(first))) continue;
            // Only the days of a long event that the range holds are looked at. The range
            // says how far series are spread into days; a yearly entry is not spread, so
            // it keeps its own first day even before the range (a birthday's year of
            // birth), as long as the range sees it (it starts before the range's end).
            int64_t from = SerialOf(first), to = from + days - 1;
            if ((to < SerialOf(options_.first) && !yearlyDay) || from > SerialOf(options_.last)) {
                NoteOutside(i, first);
                continue;
            }
            if (!yearlyDay) {
                from = std::max(from, SerialOf(options_.first));
                to = std::min(to, SerialOf(options_.last));
            }
            // The alarms remind of the day the occurrence starts on.
            std::vector<Reminder> reminders;
            if (from == SerialOf(first))
                for (const IcsAlarm& alarm : e.alarms)
                    if (const auto moment = AlarmMoment(alarm, local, local + length, wall == start.Wall(),
                                                        [&](const IcsTime& t) { return zones_.ToLocal(t); }))
                        reminders.push_back(
                            ReminderOfAlarm(first, *moment, allDay ? std::optional(options_.allDayMinute) : std::nullopt));
            for (int64_t day = from; day <= to; ++day) {
                const Date date = DateFromSerial(day);
                Place(i, date, Piece{i, allDay ? -1 : MinuteOfDay(local), allDay ? L"" : Clock(local),
                                     keyByDate ? base + L"/" + DateKey(date) : base, yearlyDay,
                                     day == SerialOf(first) ? reminders : std::vector<Reminder>{}});
            }
        }
    }

    void NoteOutside(size_t i, const Date& date) {
        Outside& o = outside_[i];
        if (!o.date) o.date = date;
        ++o.times;
    }

    void Place(size_t i, const Date& date, Piece piece) {
        if (!piece.yearly && !InRange(date, options_)) return NoteOutside(i, date);
        inRange_[i] = true;
        if (imported_.count(piece.key)) return AddSkip(i, date, skip_reason::kImported);
        if (pieces_ >= kMaxPieces) return AddSkip(i, date, skip_reason::kLimit);
        if (!keys_.insert(piece.key).second) return;  // the same occurrence twice (RDATE on DTSTART)
        days_[SerialOf(date)].push_back(std::move(piece));
        ++pieces_;
    }

    std::wstring Headline(const Piece& p) const {
        const std::wstring summary = OneLine(events_[p.event].summary);
        if (p.time.empty()) return summary;
        return summary.empty() ? p.time : p.time + L" " + summary;
    }

    template <class Add>
    static void AddDetails(const IcsEvent& e, Add& add) {
        const size_t end = e.description.find_last_not_of(L" \t\r\n");
        if (end != std::wstring::npos) add(e.description.substr(0, end + 1));
        const std::wstring location = OneLine(e.location);
        if (!location.empty()) add(L"Helyszín: " + location);
    }

    void BuildDays() {
        size_t count = 0;
        for (auto& [serial, pieces] : days_) {
            const Date date = DateFromSerial(serial);
            if (++count > options_.maxDays) {
                for (const Piece& p : pieces) AddSkip(p.event, date, skip_reason::kLimit);
                continue;
            }
            std::stable_sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
                return a.order != b.order ? a.order < b.order : a.event < b.event;
            });
            ImportedDay day;
            day.date = date;
            day.colour1 = options_.colour1;
            day.colour2 = options_.colour2;
            const IcsEvent& head = events_[pieces.front().event];
            // The note's lines; once it is long enough the rest is left out.
            bool firstLine = true;
            auto add = [&](const std::wstring& line) {
                if (day.noteText.size() >= kMaxNoteChars) return;
                if (!firstLine) day.noteText += L'\n';
                firstLine = false;
                day.noteText.append(line, 0, kMaxNoteChars);
                if (day.noteText.size() >= kMaxNoteChars) day.noteText.replace(kMaxNoteChars, std::wstring::npos, L"\u2026");
            };
            if (pieces.size() == 1 && head.entry && pieces.front().time.empty()) {
                // A day this program exported: its fields as they were.
                day.title1 = head.entry->title1;
                day.title2 = head.entry->title2;
                day.colour1 = head.entry->colour1;
                day.colour2 = head.entry->colour2;
            } else {
                SplitTitle split = SplitSummary(Headline(pieces.front()));
                day.title1 = std::move(split.title1);
                day.title2 = std::move(split.title2);
                if (!split.rest.empty()) add(L"\u2026" + split.rest);
            }
            AddDetails(head, add);
            for (size_t k = 1; k < pieces.size(); ++k) {
                if (!firstLine) add(L"");
                add(Headline(pieces[k]));
                AddDetails(events_[pieces[k].event], add);
            }
            if (!day.noteText.empty()) day.noteRtf = PlainTextToRtf(day.noteText);
            for (const Piece& p : pieces) {
                day.uids.push_back(p.key);
                day.yearly = day.yearly || p.yearly;
                for (const Reminder& r : p.reminders)
                    if (std::find(day.reminders.begin(), day.reminders.end(), r) == day.reminders.end())
                        day.reminders.push_back(r);
            }
            (hasEntry_ && hasEntry_(date) ? plan_.conflicts : plan_.additions).push_back(std::move(day));
        }
    }

    std::vector<IcsEvent> events_;
    IcsZones zones_;
    const HasEntry& hasEntry_;
    const std::set<std::wstring>& imported_;
    const ImportOptions& options_;
    std::map<std::wstring, std::vector<size_t>> overrides_;  // changed occurrences by their series' UID
    std::map<int64_t, std::vector<Piece>> days_;
    std::set<std::wstring> keys_;  // of the pieces in days_
    size_t pieces_ = 0;
    size_t periodsLeft_ = kMaxPeriods;
    std::vector<Outside> outside_;
    std::vector<bool> inRange_;
    std::vector<SkippedEvent> rows_;
    std::map<std::pair<size_t, std::wstring>, size_t> rowOf_;
    std::vector<std::pair<size_t, size_t>> skipOrder_;  // event, row
    ImportPlan plan_;
};

}  // namespace

SplitTitle SplitSummary(const std::wstring& summary) {
    std::vector<std::wstring> words;
    const std::wstring line = OneLine(summary);
    for (size_t start = 0; start < line.size();) {
        const size_t end = std::min(line.find(L' ', start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    size_t next = 0;
    auto fill = [&](std::wstring& title) {
        const size_t width = kTitleWidth;
        while (next < words.size()) {
            std::wstring& word = words[next];
            if ((title.empty() ? 0 : title.size() + 1) + word.size() <= width) {
                if (!title.empty()) title += L' ';
                title += word;
                ++next;
            } else {
                if (title.empty()) {
                    // One word longer than a title word: cut where it must be.
                    title = word.substr(0, width);
                    word.erase(0, width);
                }
                return;
            }
        }
    };
    SplitTitle split;
    fill(split.title1);
    fill(split.title2);
    for (size_t k = next; k < words.size(); ++k) split.rest += (k > next ? L" " : L"") + words[k];
    return split;
}

ImportPlan PlanImport(const IcsComponent& calendar, const HasEntry& hasEntry, const std::set<std::wstring>& imported,
                      const ImportOptions& options) {
    return Planner(calendar, hasEntry, imported, options).Run();
}

ImportPlan PlanImport(const IcsComponent& calendar, const EntryStore& index, const std::set<std::wstring>& imported,
                      const ImportOptions& options) {
    return PlanImport(
        calendar, [&index](const Date& d) { return index.FindEntryLine(DateKey(d)) >= 0; }, imported, options);
}
