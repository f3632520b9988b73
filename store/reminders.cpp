#include "store/reminders.h"

#include <algorithm>

#include "platform/file_io.h"

namespace {

constexpr Instant kMissedAtMost = 365 * kSecondsPerDay;

// What can no longer come: done marks and snoozes of occurrences the last check has passed.
void DropPast(ReminderBook& book) {
    if (!book.state.lastChecked) return;
    const Instant checked = *book.state.lastChecked;
    std::erase_if(book.state.done, [&](const std::wstring& key) {
        const auto o = OccurrenceOfKey(key);
        return !o || DueOf(*o, book.reminders.allDayMinute) <= checked;
    });
    std::erase_if(book.state.snoozed, [&](const Snooze& s) { return s.until <= checked; });
}

}  // namespace

const wchar_t* Reminders::FileName(int part) {
    switch (part) {
        case kRemindersPart: return kRemindersFileName;
        case kYearlyPart: return kYearlyFileName;
        case kPeoplePart: return kPeopleFileName;
        default: return kReminderStateFileName;
    }
}

std::string Reminders::Bytes(const ReminderBook& book, int part) {
    switch (part) {
        case kRemindersPart: return WriteRemindersFile(book.reminders);
        case kYearlyPart: return WriteYearlyFile(book.yearly);
        case kPeoplePart: return WritePeopleFile(book.people);
        default: return WriteReminderStateFile(book.state);
    }
}

std::vector<std::wstring> Reminders::Load(const std::wstring& dataDir) {
    std::vector<std::wstring> problems;
    ReminderBook book;
    refused_ = {};
    for (int part = 0; part < kParts; ++part) {
        const std::wstring path = dataDir + L"\\" + FileName(part);
        try {
            const std::string bytes = FileExists(path) ? ReadWholeFile(path) : std::string();
            size_t skipped = 0;
            auto take = [&](auto result, auto& into) {
                into = std::move(result.value);
                skipped = result.skipped;
            };
            switch (part) {
                case kRemindersPart: take(ParseRemindersFile(bytes, path), book.reminders); break;
                case kYearlyPart: take(ParseYearlyFile(bytes, path), book.yearly); break;
                case kPeoplePart: take(ParsePeopleFile(bytes, path), book.people); break;
                default: take(ParseReminderStateFile(bytes, path), book.state); break;
            }
            if (skipped)
                problems.push_back(path + L": " + std::to_wstring(skipped) +
                                   L" sor nem olvasható, ezek kimaradnak (a napi biztonsági mentés őrzi őket).");
        } catch (const AppError& error) {
            refused_[static_cast<size_t>(part)] = error.Text();
            problems.push_back(error.Text());
        }
    }
    // A restore may bring back an older last check: what came since is not shown again.
    if (book_.state.lastChecked && (!book.state.lastChecked || *book.state.lastChecked < *book_.state.lastChecked))
        book.state.lastChecked = book_.state.lastChecked;
    book_ = std::move(book);
    schedule_.Invalidate();
    return problems;
}

void Reminders::Commit(const std::wstring& dataDir, ReminderBook changed) {
    DropPast(changed);
    std::vector<int> parts;
    for (int part = 0; part < kParts; ++part) {
        if (Bytes(changed, part) == Bytes(book_, part)) continue;
        if (refused_[static_cast<size_t>(part)]) throw AppError(*refused_[static_cast<size_t>(part)]);
        parts.push_back(part);
    }
    // A file that was not there goes again when the change is undone.
    std::vector<bool> existed;
    for (int part : parts) existed.push_back(FileExists(dataDir + L"\\" + FileName(part)));
    size_t written = 0;
    try {
        for (; written < parts.size(); ++written)
            WriteFileAtomically(dataDir + L"\\" + FileName(parts[written]), Bytes(changed, parts[written]));
    } catch (const AppError&) {
        for (size_t i = 0; i < written; ++i) {
            const std::wstring path = dataDir + L"\\" + FileName(parts[i]);
            try {
                if (existed[i])
                    WriteFileAtomically(path, Bytes(book_, parts[i]));
                else
                    DeleteFileIfExists(path);
            } catch (const AppError&) {
            }
        }
        throw;
    }
    book_ = std::move(changed);
    schedule_.Invalidate();
}

std::vector<Occurrence> Reminders::TakeDue(Instant now, const HasOwnEntry& hasOwnEntry, bool& stateChanged) {
    stateChanged = false;
    if (!book_.state.lastChecked) {  // the first check ever: nothing before it is missed
        book_.state.lastChecked = now;
        stateChanged = true;
        schedule_.Invalidate();
        return {};
    }
    const Instant checked = *book_.state.lastChecked;
    if (now <= checked) return {};
    // After a long time away, what is more than a year late is not shown: a yearly
    // entry would come once for every year missed.
    if (schedule_.NeedsBuild(now)) schedule_.Build(book_, std::max(checked, now - kMissedAtMost), now, hasOwnEntry);
    std::vector<Occurrence> due = schedule_.TakeDue(now);
    book_.state.lastChecked = now;
    if (due.empty()) return due;
    stateChanged = true;
    for (const Occurrence& o : due)
        if (o.snoozed) std::erase_if(book_.state.snoozed, [&](const Snooze& s) { return s.occurrence == o.Key(); });
    return due;
}

void Reminders::WriteState(const std::wstring& dataDir) {
    if (refused_[kStatePart]) throw AppError(*refused_[kStatePart]);
    WriteFileAtomically(dataDir + L"\\" + FileName(kStatePart), Bytes(book_, kStatePart));
}

ReminderBook Reminders::Snoozed(const Occurrence& o, SnoozeFor span, Instant now) const {
    ReminderBook book = book_;
    const std::wstring key = o.Key();
    Instant until = now + (span == SnoozeFor::TenMinutes ? 10 * kSecondsPerMinute : kSecondsPerHour);
    if (span == SnoozeFor::Tomorrow)
        until = LocalToInstant(AddDays(InstantToLocal(now).date, 1), book.reminders.allDayMinute);
    std::erase_if(book.state.snoozed, [&](const Snooze& s) { return s.occurrence == key; });
    std::erase(book.state.done, key);
    book.state.snoozed.push_back(Snooze{key, until});
    return book;
}

ReminderBook Reminders::Dismissed(const Occurrence& o) const {
    ReminderBook book = book_;
    const std::wstring key = o.Key();
    std::erase_if(book.state.snoozed, [&](const Snooze& s) { return s.occurrence == key; });
    if (std::find(book.state.done.begin(), book.state.done.end(), key) == book.state.done.end())
        book.state.done.push_back(key);
    return book;
}

void Reminders::Reschedule(const HasOwnEntry& hasOwnEntry) {
    if (!book_.state.lastChecked) return;  // the first check makes it
    schedule_.Build(book_, *book_.state.lastChecked, *book_.state.lastChecked, hasOwnEntry);
}
