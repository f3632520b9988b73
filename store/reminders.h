// The reminders' part of the diary: the book of reminders, yearly marks, people and
// their state, its four files, and the schedule the timer asks. The diary owns it
// and calls it under its lock; it knows nothing of the index but what it is told.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "store/reminder_schedule.h"

enum class SnoozeFor { TenMinutes, OneHour, Tomorrow };

class Reminders {
public:
    // Reads the files of the data folder (a missing one is empty) and gives what the
    // user should be told: lines skipped, files refused. A refused file is never
    // written: a change that needs it throws its error.
    std::vector<std::wstring> Load(const std::wstring& dataDir);

    const ReminderBook& Book() const { return book_; }

    // Makes `changed` the book, writing the files whose part differs, each atomically.
    // When one cannot be written, those written before are put back, the book stays
    // as it was and the error is thrown. Done marks and snoozes that can no longer
    // come are dropped from the state first.
    void Commit(const std::wstring& dataDir, ReminderBook changed);

    // The occurrences that came due after the last check until `now` (at the first
    // check ever: none; after a long time away: those of the last year), each once; the last check moves to `now`. True in `stateChanged`
    // when the state file should be written (something came, or it was the first check).
    std::vector<Occurrence> TakeDue(Instant now, const HasOwnEntry& hasOwnEntry, bool& stateChanged);
    // Writes the state file as it stands in memory (after TakeDue).
    void WriteState(const std::wstring& dataDir);

    // The book with the occurrence snoozed / dismissed.
    ReminderBook Snoozed(const Occurrence& o, SnoozeFor span, Instant now) const;
    ReminderBook Dismissed(const Occurrence& o) const;

    // Makes the schedule again now, after a change (of the book or of the days with
    // entries of their own), so that the timer's next check does not have to.
    void Reschedule(const HasOwnEntry& hasOwnEntry);

private:
    enum Part { kRemindersPart, kYearlyPart, kPeoplePart, kStatePart, kParts };
    static std::string Bytes(const ReminderBook& book, int part);
    static const wchar_t* FileName(int part);

    ReminderBook book_;
    std::array<std::optional<std::wstring>, kParts> refused_;  // the error of a refused file
    ReminderSchedule schedule_;
};
