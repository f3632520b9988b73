// The diary's reminders, yearly entries and people (diary.h), apart from the rest of
// the diary: the same lock, the same rules of a change.
#include <algorithm>
#include <map>
#include <memory>
#include <unordered_set>

#include "platform/errors.h"
#include "store/diary.h"

namespace {

// The date of an index line's first eight characters, when they are a real day.
std::optional<Date> LineDay(const std::wstring& head) {
    if (head.size() < 8) return std::nullopt;
    int v[8];
    for (size_t i = 0; i < 8; ++i) {
        if (head[i] < L'0' || head[i] > L'9') return std::nullopt;
        v[i] = head[i] - L'0';
    }
    const Date d{v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], v[4] * 10 + v[5], v[6] * 10 + v[7]};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month)) return std::nullopt;
    return d;
}

void CheckReminder(const Reminder& r) {
    if ((r.minute != kAllDay && (r.minute < 0 || r.minute >= 24 * 60)) || !IsLeadDayChoice(r.leadDays))
        throw AppError(L"Hibás emlékeztető: " + ReminderTimeText(r.minute) + L", " + std::to_wstring(r.leadDays) +
                       L" nappal előtte");
}

Person CheckedPerson(Person person) {
    // As its file can hold it: a line break or a tab in a name is a blank.
    for (wchar_t& c : person.name)
        if (c < 0x20 || c == 0x7F) c = L' ';
    person.name = Trim(person.name);
    if (person.name.empty()) throw AppError(L"Az ember neve nem lehet üres.");
    if (!IsLeadDayChoice(person.leadDays))
        throw AppError(L"Hibás emlékeztető: " + std::to_wstring(person.leadDays) + L" nappal előtte");
    for (const MonthDay& md : person.nameDays)
        if (md.month < 1 || md.month > 12 || md.day < 1 || md.day > DaysInMonth(2000, md.month))
            throw AppError(L"Hibás névnap: " + std::to_wstring(md.month) + L". " + std::to_wstring(md.day) + L".");
    return person;
}

auto PersonNamed(std::vector<Person>& people, const std::wstring& name) {
    return std::find_if(people.begin(), people.end(), [&](const Person& p) { return p.name == name; });
}

}  // namespace

std::wstring RepeatCountText(int count) { return L"(" + std::to_wstring(count) + L".)"; }

HasOwnEntry Diary::OwnEntries() const {
    return [this](const Date& day) {
        const std::vector<int64_t>& days = OwnDays();
        return std::binary_search(days.begin(), days.end(), SerialOf(day));
    };
}

// Made when a schedule first asks, not when the index is read: a start with a large
// index and no reminder never pays for the pass.
const std::vector<int64_t>& Diary::OwnDays() const {
    if (ownDaysKnown_) return ownDays_;
    ownDays_.clear();
    std::wstring head;
    for (size_t i = 0; i < store_.Lines.size(); ++i) {
        store_.Lines.CopyTo(i, head, 8);
        if (const auto d = LineDay(head)) ownDays_.push_back(SerialOf(*d));
    }
    std::sort(ownDays_.begin(), ownDays_.end());
    ownDays_.erase(std::unique(ownDays_.begin(), ownDays_.end()), ownDays_.end());
    ownDaysKnown_ = true;
    return ownDays_;
}

void Diary::AddOwnDay(const Date& day) {
    if (!ownDaysKnown_) return;  // the list made later reads the day from the index
    const int64_t serial = SerialOf(day);
    const auto at = std::lower_bound(ownDays_.begin(), ownDays_.end(), serial);
    if (at == ownDays_.end() || *at != serial) ownDays_.insert(at, serial);
}

void Diary::RemoveOwnDay(const Date& day) {
    if (ownDaysKnown_) std::erase(ownDays_, SerialOf(day));
}

void Diary::IndexReread() {
    ownDays_.clear();
    ownDaysKnown_ = false;
    reminders_.Reschedule(OwnEntries());
}

void Diary::ChangeReminders(const std::function<void(ReminderBook&)>& edit, bool needsIndex, bool allDays) {
    Changing([&](Report& report) {
        if (needsIndex) RequireRead(report);
        ReminderBook book = reminders_.Book();
        edit(book);
        SnapshotOfTheDay(report);
        reminders_.Commit(DataDir(), std::move(book));
        reminders_.Reschedule(OwnEntries());
        DiaryChange change = report.change.value_or(DiaryChange{});
        change.reminders = true;
        change.all |= allDays;
        report.change = std::move(change);
    });
}

std::optional<ReminderBook> Diary::BookWithDays(const std::vector<const DayToStore*>& days) const {
    if (std::none_of(days.begin(), days.end(), [](const DayToStore* d) { return d->yearly || !d->reminders.empty(); }))
        return std::nullopt;
    ReminderBook book = reminders_.Book();
    auto& all = book.reminders.reminders;
    for (const DayToStore* d : days) {
        const auto marked = [&](const YearlyMark& m) { return m.day == d->date; };
        if (d->yearly && std::none_of(book.yearly.begin(), book.yearly.end(), marked))
            book.yearly.push_back(YearlyMark{d->date, false});
        for (Reminder r : d->reminders) {
            r.day = d->date;
            CheckReminder(r);
            if (std::find(all.begin(), all.end(), r) == all.end()) all.push_back(r);
        }
    }
    return book;
}

std::vector<Reminder> Diary::RemindersOf(const Date& day) const {
    std::lock_guard lock(mutex_);
    std::vector<Reminder> out;
    for (const Reminder& r : reminders_.Book().reminders.reminders)
        if (r.day == day) out.push_back(r);
    return out;
}

void Diary::SetReminders(const Date& day, const std::vector<Reminder>& reminders) {
    ChangeReminders([&](ReminderBook& book) {
        if (!reminders.empty() && store_.FindEntryLine(DateKey(day)) < 0)
            throw AppError(L"Emlékeztető csak olyan napra állítható, amelynek van bejegyzése.");
        auto& all = book.reminders.reminders;
        std::erase_if(all, [&](const Reminder& r) { return r.day == day; });
        for (Reminder r : reminders) {
            r.day = day;
            CheckReminder(r);
            if (std::find(all.begin(), all.end(), r) == all.end()) all.push_back(r);
        }
    });
}

void Diary::ChangeReminder(const Reminder& old, const Reminder& changed) {
    ChangeReminders([&](ReminderBook& book) {
        auto& all = book.reminders.reminders;
        const auto it = std::find(all.begin(), all.end(), old);
        if (it == all.end()) throw AppError(L"Ez az emlékeztető már nincs meg.");
        CheckReminder(changed);
        if (!(changed.day == old.day) && store_.FindEntryLine(DateKey(changed.day)) < 0)
            throw AppError(L"Emlékeztető csak olyan napra állítható, amelynek van bejegyzése.");
        all.erase(it);
        if (std::find(all.begin(), all.end(), changed) == all.end()) all.push_back(changed);
    });
}

void Diary::DeleteReminder(const Reminder& reminder) {
    ChangeReminders([&](ReminderBook& book) { std::erase(book.reminders.reminders, reminder); });
}

int Diary::AllDayMinute() const {
    std::lock_guard lock(mutex_);
    return reminders_.Book().reminders.allDayMinute;
}

void Diary::SetAllDayMinute(int minute) {
    if (minute < 0 || minute >= 24 * 60) throw AppError(L"Hibás időpont: " + std::to_wstring(minute));
    ChangeReminders([&](ReminderBook& book) { book.reminders.allDayMinute = minute; }, false);
}

std::optional<YearlyMark> Diary::Yearly(const Date& day) const {
    std::lock_guard lock(mutex_);
    for (const YearlyMark& mark : reminders_.Book().yearly)
        if (mark.day == day) return mark;
    return std::nullopt;
}

void Diary::SetYearly(const Date& day, bool yearly, bool count) {
    ChangeReminders([&](ReminderBook& book) {
        if (yearly && store_.FindEntryLine(DateKey(day)) < 0)
            throw AppError(L"Csak bejegyzéssel rendelkező nap jelölhető „minden évben” ismétlődőnek.");
        std::erase_if(book.yearly, [&](const YearlyMark& m) { return m.day == day; });
        if (yearly) book.yearly.push_back(YearlyMark{day, count});
    }, true, true);  // later years' cells show it or no more: every month may have changed
}

std::optional<RepeatedEntry> Diary::RepeatOn(const Date& day, const std::vector<YearlyMark>& marks) const {
    // Of several yearly entries on one day the newest shows.
    const YearlyMark* shown = nullptr;
    for (const YearlyMark& mark : marks)
        if (mark.day.year < day.year && YearlyDay(mark.day, day.year) == day && (!shown || mark.day.year > shown->day.year))
            shown = &mark;
    if (!shown) return std::nullopt;
    const int at = store_.FindEntryLine(DateKey(shown->day));
    if (at < 0) return std::nullopt;
    const std::wstring line = store_.Lines[static_cast<size_t>(at)];
    return RepeatedEntry{day, shown->day,
                         DayEntry{Trim(EntryTitle1(line)), Trim(EntryTitle2(line)), EntryColour1(line), EntryColour2(line)},
                         shown->count ? day.year - shown->day.year : 0};
}

std::vector<RepeatedEntry> Diary::Repeats(int year, int month) const {
    std::lock_guard lock(mutex_);
    return RepeatsOfMonth(year, month);
}

std::vector<RepeatedEntry> Diary::RepeatsOfMonth(int year, int month) const {
    std::vector<RepeatedEntry> out;
    const auto& marks = reminders_.Book().yearly;
    if (marks.empty() || month < 1 || month > 12) return out;
    // The month's days with an entry of their own, in one pass.
    std::vector<bool> own(32, false);
    const std::wstring key = MonthKey(Date{year, month, 1});
    std::wstring head;
    for (size_t i = 0; i < store_.Lines.size(); ++i) {
        if (!store_.Lines.StartsWith(i, key)) continue;
        store_.Lines.CopyTo(i, head, 8);
        if (const auto d = LineDay(head)) own[static_cast<size_t>(d->day)] = true;
    }
    for (int day = 1; day <= DaysInMonth(year, month); ++day)
        if (!own[static_cast<size_t>(day)])
            if (auto repeat = RepeatOn(Date{year, month, day}, marks)) out.push_back(std::move(*repeat));
    return out;
}

std::vector<std::wstring> Diary::MonthListLines(int year, int month, const TextCompare& compare) const {
    std::lock_guard lock(mutex_);
    const std::vector<RepeatedEntry> repeats = RepeatsOfMonth(year, month);
    std::vector<std::wstring> lines = ::MonthListLines(store_, MonthKey(Date{year, month, 1}), compare);
    for (const RepeatedEntry& r : repeats) {
        std::wstring title2 = r.entry.title2;
        if (r.count) title2 += (title2.empty() ? L"" : L" ") + RepeatCountText(r.count);
        lines.push_back(ListLine(MakeDayEntry(r.day, r.entry.title1, title2, r.entry.colour1, r.entry.colour2)));
    }
    std::stable_sort(lines.begin(), lines.end(), [&](const std::wstring& a, const std::wstring& b) { return compare(a, b) < 0; });
    return lines;
}

std::vector<Person> Diary::People() const {
    std::lock_guard lock(mutex_);
    return reminders_.Book().people;
}

void Diary::AddPerson(const Person& person) {
    const Person checked = CheckedPerson(person);
    ChangeReminders([&](ReminderBook& book) {
        if (PersonNamed(book.people, checked.name) != book.people.end())
            throw AppError(L"„" + checked.name + L"” már szerepel a listában.");
        book.people.push_back(checked);
    }, false);
}

void Diary::ChangePerson(const std::wstring& name, const Person& person) {
    const Person checked = CheckedPerson(person);
    ChangeReminders([&](ReminderBook& book) {
        const auto it = PersonNamed(book.people, name);
        if (it == book.people.end()) throw AppError(L"„" + name + L"” már nincs a listában.");
        if (checked.name != name && PersonNamed(book.people, checked.name) != book.people.end())
            throw AppError(L"„" + checked.name + L"” már szerepel a listában.");
        *it = checked;
    }, false);
}

void Diary::DeletePerson(const std::wstring& name) {
    ChangeReminders([&](ReminderBook& book) { std::erase_if(book.people, [&](const Person& p) { return p.name == name; }); },
                    false);
}

std::vector<MonthDay> Diary::NameDaysOf(const std::wstring& name) const {
    std::lock_guard lock(mutex_);
    std::vector<MonthDay> out;
    if (nameDays_)
        for (const Date& d : nameDays_->DaysOfName(name)) out.push_back(MonthDay{d.month, d.day});
    return out;
}

std::vector<Occurrence> Diary::ComingReminders(Instant from, Instant until) const {
    std::lock_guard lock(mutex_);
    return OccurrencesBetween(reminders_.Book(), from, until, OwnEntries());
}

std::wstring Diary::ReminderTitle(const Occurrence& occurrence) const {
    if (occurrence.kind == OccurrenceKind::NameDay) return occurrence.person + L" névnapja";
    std::lock_guard lock(mutex_);
    const int at = store_.FindEntryLine(DateKey(occurrence.origin));
    if (at < 0) return {};
    const std::wstring line = store_.Lines[static_cast<size_t>(at)];
    const std::wstring first = Trim(EntryTitle1(line)), second = Trim(EntryTitle2(line));
    std::wstring title = first.empty() || second.empty() ? first + second : first + L" " + second;
    for (const YearlyMark& mark : reminders_.Book().yearly)
        if (mark.day == occurrence.origin && mark.count && occurrence.day.year > mark.day.year)
            title += L" " + RepeatCountText(occurrence.day.year - mark.day.year);
    return title;
}

std::vector<Occurrence> Diary::DueReminders(Instant now) {
    std::vector<Occurrence> due;
    Changing([&](Report& report) {
        bool stateChanged = false;
        due = reminders_.TakeDue(now, OwnEntries(), stateChanged);
        if (!due.empty()) report.change = DiaryChange{.reminders = true};
        if (!stateChanged) return;
        // No snapshot here: the timer writes only the state and must not wait for one,
        // so the state file is the one data file the day's snapshot may hold newer.
        try {
            reminders_.WriteState(DataDir());
            stateWriteFailed_ = false;
        } catch (const AppError& error) {
            if (!stateWriteFailed_)
                report.warning = L"Az emlékeztetők állapota nem menthető; a program később újra próbálja.\n" + error.Text();
            stateWriteFailed_ = true;
        }
    });
    return due;
}

void Diary::Snooze(const Occurrence& occurrence, SnoozeFor span, Instant now) {
    ChangeReminders([&](ReminderBook& book) { book = reminders_.Snoozed(occurrence, span, now); }, false);
}

void Diary::Dismiss(const Occurrence& occurrence) {
    ChangeReminders([&](ReminderBook& book) { book = reminders_.Dismissed(occurrence); }, false);
}

std::function<void(CalendarEvent&)> Diary::EventDecorator() const {
    const ReminderBook& book = reminders_.Book();
    auto alarms = std::make_shared<std::map<int64_t, std::vector<int>>>();
    for (const Reminder& r : book.reminders.reminders)
        (*alarms)[SerialOf(r.day)].push_back(-r.leadDays * 24 * 60 +
                                             (r.minute == kAllDay ? book.reminders.allDayMinute : r.minute));
    auto yearly = std::make_shared<std::unordered_set<int64_t>>();
    for (const YearlyMark& mark : book.yearly) yearly->insert(SerialOf(mark.day));
    // A later year's own entry on a yearly entry's day stands in its place there, so
    // the series leaves that day out.
    std::map<std::pair<int, int>, std::vector<Date>> yearlyOn;  // month and day -> the yearly entries' days
    for (const YearlyMark& mark : book.yearly) yearlyOn[{mark.day.month, mark.day.day}].push_back(mark.day);
    auto exceptions = std::make_shared<std::map<int64_t, std::vector<Date>>>();
    if (!yearlyOn.empty()) {
        std::wstring head;
        for (size_t i = 0; i < store_.Lines.size(); ++i) {
            store_.Lines.CopyTo(i, head, 8);
            const auto day = LineDay(head);
            if (!day) continue;
            auto check = [&](int month, int dayOfMonth) {
                const auto it = yearlyOn.find({month, dayOfMonth});
                if (it == yearlyOn.end()) return;
                for (const Date& origin : it->second)
                    if (day->year > origin.year && YearlyDay(origin, day->year) == *day)
                        (*exceptions)[SerialOf(origin)].push_back(*day);
            };
            check(day->month, day->day);
            if (day->month == 2 && day->day == 28) check(2, 29);
        }
    }
    return [alarms, yearly, exceptions](CalendarEvent& e) {
        const int64_t serial = SerialOf(e.date);
        e.yearly = yearly->count(serial) > 0;
        if (const auto it = exceptions->find(serial); e.yearly && it != exceptions->end()) {
            e.exceptions = it->second;
            std::sort(e.exceptions.begin(), e.exceptions.end(),
                      [](const Date& a, const Date& b) { return SerialOf(a) < SerialOf(b); });
            e.exceptions.erase(std::unique(e.exceptions.begin(), e.exceptions.end()), e.exceptions.end());
        }
        if (const auto it = alarms->find(serial); it != alarms->end()) {
            e.alarms = it->second;
            std::sort(e.alarms.begin(), e.alarms.end());
        }
    };
}

size_t Diary::Export(const ExportRange& range, const std::wstring& path, const DateTime& stampUtc,
                     const WorkCalendar* calendar) const {
    std::lock_guard lock(mutex_);
    return ExportDiary(programDir_, store_, range, path, stampUtc, calendar, EventDecorator());
}

std::vector<CalendarEvent> Diary::CalendarEvents(const ExportRange& range) const {
    std::lock_guard lock(mutex_);
    auto events = DiaryEvents(store_, range, [&](const Date& date) { return NotePlainText(programDir_, date); });
    const auto decorate = EventDecorator();
    for (CalendarEvent& e : events) decorate(e);
    return events;
}
