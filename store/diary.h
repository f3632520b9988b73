// The diary: the one owner of the program's data. It holds the program folder, the
// entry index, the name days, the month names, the day's snapshot, the search cache
// and the reminders, and every change of a data file goes through it: a day's entry
// and note, a deletion, the notepad, the reminders, the restores. Windows ask it for
// what they show and hand it what the user made; they never touch the files themselves.
//
// Every change keeps the same rules: nothing is written while the index is unread
// (it would put nothing in place of entries still on the disk), the day's snapshot
// comes before the first change of the day (a failed one is reported once a day and
// never stops the save), files are replaced atomically, and a change that cannot be
// finished is undone.
//
// Threads: every public member may be called from any thread; one mutex orders them.
// Warnings and change notices are called after that mutex is released, on the
// thread whose call made the change. A window must not touch its controls there: it
// posts a message to its own thread (a notice may come from a timer, a worker or an
// import).
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/eljaras.h"
#include "store/diary_export.h"
#include "store/diary_search.h"
#include "store/entry_store.h"
#include "store/month_model.h"
#include "store/nevnapok.h"
#include "store/reminders.h"
#include "store/snapshots.h"
#include "store/task_lines.h"
#include "store/zip_archive.h"

// A day's entry as the user sees it: the two title words (without their padding)
// and their colours.
struct DayEntry {
    std::wstring title1, title2;
    int32_t colour1 = 0, colour2 = 0;
    friend bool operator==(const DayEntry&, const DayEntry&) = default;
};

// What Open gives for a day.
struct OpenedDay {
    DayEntry entry;
    bool hasLine = false;             // the index has a line for the day
    std::optional<std::string> note;  // the note's RTF bytes; none when the day has no note
};

// One day of a batch (StoreMany).
struct DayToStore {
    Date date;
    DayEntry entry;
    std::string noteRtf;
    bool yearly = false;              // marked "minden évben" (a mark the day has stays)
    std::vector<Reminder> reminders;  // added to those the day has
};

// A yearly entry as a later year shows it.
struct RepeatedEntry {
    Date day;     // the day it shows on
    Date origin;  // its own day
    DayEntry entry;
    int count = 0;  // the year's count ("42." for the 42nd year), 0 when not asked for
};

// "(42.)": how a repeat shows its count.
std::wstring RepeatCountText(int count);

// What a change touched.
struct DiaryChange {
    bool all = false;        // anything may have changed (a reload, a restore, an index read late)
    std::vector<Date> days;  // the days whose entry or note changed
    bool notepad = false;
    bool reminders = false;  // reminders, yearly marks, people or their state
    bool Touches(const Date& day) const;
};

class Diary {
public:
    using Notice = std::function<void(const DiaryChange&)>;
    using Warning = std::function<void(const std::wstring& text)>;
    using Clock = std::function<DateTime()>;

    // `programDir` is the folder of the program (its data is in "<programDir>\Data");
    // a trailing backslash is dropped. Nothing is read before Load.
    explicit Diary(std::wstring programDir, MonthNames months = {}, Clock clock = Now);
    ~Diary();
    Diary(const Diary&) = delete;
    Diary& operator=(const Diary&) = delete;

    const std::wstring& ProgramDir() const { return programDir_; }
    std::wstring DataDir() const { return EntryStore::DataDir(programDir_); }
    MonthNames Months() const;
    void SetMonths(const MonthNames& months);

    // Where a snapshot that failed is reported (once a day); set it before the first
    // change. The text says that the save went on without it.
    void SetWarning(Warning warning);

    // Reads what the program reads at start: the index (creating the Data folder and
    // an empty index when missing, removing what a killed save left), then the name
    // days. An index that cannot be read is thrown as FileOpenError after the name
    // days are read; the diary then stays unread (see Unread) until the index can be
    // read. A missing name-day file gives "xxx" for every day and NameDaysMissing().
    void Load();
    bool NameDaysMissing() const;
    // True while no reading of the index has succeeded: no day may be opened, stored
    // or deleted, and nothing is written. Every change tries to read it again first.
    bool Unread() const;

    // The day's entry and note. Throws FileOpenError when the index is unread or the
    // day's note exists but cannot be read (never an empty note in its place).
    OpenedDay Open(const Date& day);
    // Stores a day: the day's snapshot, then the note (replaced atomically), then the
    // index line and the index. The files change all or not at all: when the note
    // cannot be written nothing has changed; when the index cannot be saved the old
    // note (or its absence) comes back, and the new line and note stay in memory
    // (ChangedSinceSaved) until the next save point, store or delete writes them.
    // Throws the file error.
    void Store(const Date& day, const DayEntry& entry, std::string_view noteRtf);
    // A batch (an import) the same way, with one snapshot: every day or none, in
    // memory too. A day given twice is stored as its last occurrence says.
    // `importedKeys` join the remembered ones (ImportedKeys), written after the index;
    // then the days' yearly marks and reminders (a mark the day has stays, reminders
    // are added to its own). When either cannot be written (a refused reminders' file
    // too) the whole batch is undone.
    void StoreMany(const std::vector<DayToStore>& days, const std::vector<std::wstring>& importedKeys = {});
    // The keys of the days earlier imports wrote ("Data\Importalt.txt"); a damaged
    // file's unreadable lines are absent, an unreadable file gives none.
    std::set<std::wstring> ImportedKeys() const;
    // Deletes the day's note and line together, the index saved at once
    // (EntryStore::DeleteEntry). Nothing to delete is no change.
    void Delete(const Date& day);

    // The notepad ("jegyzet.rtf"): none when there is no file yet; throws
    // FileOpenError when it exists but cannot be read.
    std::optional<std::string> OpenNotepad();
    // The day's snapshot, then the notepad replaced atomically. The notepad does not
    // depend on the index: it is stored while the index is unread too.
    void StoreNotepad(std::string_view rtf);

    // The 42 cells of a month (all hidden before Load), marked by the working calendar
    // when one is given. A day without an entry of its own shows a yearly entry of an
    // earlier year (CellContent::repeated).
    MonthCells Month(int year, int month, const WorkCalendar* calendar = nullptr) const;
    std::wstring NameDay(const Date& day) const;
    // The name-day table for the exports; null before Load.
    std::shared_ptr<const TNevnapok> NameDays() const;
    // Runs `read` on the entry index under the diary's lock (lists, exports, prints).
    template <class Read>
    auto WithEntries(Read&& read) const {
        std::lock_guard lock(mutex_);
        return read(static_cast<const EntryStore&>(store_));
    }

    // Reminders, yearly entries and the people whose name days are remembered.
    // A change is a change of the day like any other (the index read first, the day's
    // snapshot, the file replaced atomically, undone when it cannot be written); its
    // notice has `reminders` set. The reminders of a day go with its Delete.
    std::vector<Reminder> RemindersOf(const Date& day) const;
    // Replaces the day's reminders (a reminder given twice counts once); the day must
    // have an entry (AppError otherwise).
    void SetReminders(const Date& day, const std::vector<Reminder>& reminders);
    void ChangeReminder(const Reminder& old, const Reminder& changed);
    void DeleteReminder(const Reminder& reminder);
    // The time of "egész nap" reminders and of name days, minutes after midnight.
    int AllDayMinute() const;
    void SetAllDayMinute(int minute);
    // "minden évben": the entry of `day` shows in every later year (with its count
    // when `count`); the day must have an entry to be marked.
    std::optional<YearlyMark> Yearly(const Date& day) const;
    void SetYearly(const Date& day, bool yearly, bool count = false);
    // The yearly entries that `year`'s month shows (days without an entry of their own).
    std::vector<RepeatedEntry> Repeats(int year, int month) const;
    // The task list's lines of the month (MonthListLines) with its repeats among them:
    // a repeat's line has the day it shows on, its entry's titles (title 2 ending in
    // the count when asked for, cut to its width) and colours.
    std::vector<std::wstring> MonthListLines(int year, int month, const TextCompare& compare) const;
    // The people (names unique, compared as written) and the name days of a name in
    // the name-day table, to choose from.
    std::vector<Person> People() const;
    void AddPerson(const Person& person);
    void ChangePerson(const std::wstring& name, const Person& person);
    void DeletePerson(const std::wstring& name);
    std::vector<MonthDay> NameDaysOf(const std::wstring& name) const;
    // Every occurrence due in (from, until], dismissed ones marked, by time.
    std::vector<Occurrence> ComingReminders(Instant from, Instant until) const;
    // What a reminder window shows of an occurrence: the entry's titles (a yearly one's
    // with its count when asked for: "Anna születésnap (42.)"), or "Kovács Anna névnapja".
    std::wstring ReminderTitle(const Occurrence& occurrence) const;
    // The calendar export of the entries (ExportDiary) with their reminders as alarms
    // and the yearly ones as yearly series; the number of events written.
    size_t Export(const ExportRange& range, const std::wstring& path, const DateTime& stampUtc,
                  const WorkCalendar* calendar = nullptr) const;
    // The same events in memory, in date order, with the notes' plain text (the sync's
    // view of the diary). Throws FileOpenError for a note that cannot be read.
    std::vector<CalendarEvent> CalendarEvents(const ExportRange& range) const;
    // The timer's check: what came due since the last check (at the next start: what
    // came while the program was not running), each once. Costs only the items due;
    // the schedule is made again after a change. A state file that cannot be written
    // is reported once and tried again at the next item; this never throws for it.
    std::vector<Occurrence> DueReminders(Instant now);
    // Snoozes an occurrence (10 minutes, an hour, tomorrow at the all-day time) or
    // dismisses it ("Kész"): a dismissed one of a yearly entry comes again next year.
    void Snooze(const Occurrence& occurrence, SnoozeFor span, Instant now);
    void Dismiss(const Occurrence& occurrence);

    // The save points (closing, hiding, the save button): the day's snapshot, then
    // the index (read first when it was unread). Throws FileCreateError.
    void Save();
    // True when the lines were changed since they were last read or saved whole.
    bool ChangedSinceSaved() const;

    // The day's snapshot a slice at a time, for a window's idle timer: starts it when
    // today has none yet, packs files until the deadline. True when nothing is left
    // to do today. A failure stops the slices silently: the first change of the day
    // tries again and reports.
    bool SnapshotWork(std::chrono::steady_clock::time_point deadline);

    // Restores: the questions are the windows'. Both keep the present state in a
    // snapshot of its own ("yyyy-mm-dd_hhmmss.zip") first, so they can be undone.
    // The whole snapshot `name`: every data file as it holds them; then the index is
    // read again. Throws ZipError / file errors (a damaged snapshot changes nothing).
    void RestoreSnapshot(const std::wstring& name);
    // One day (the notepad for an empty key) as `files` (ReadSnapshot) hold it,
    // nothing else; all or nothing (RestoreOneDay). A first change of the day.
    void RestoreDay(const std::vector<ZipEntry>& files, const std::wstring& dateKey);

    // The search over titles and notes. Plan notes what changed on the disk, Work
    // reads it in slices (true when done); Find gives the hits newest first.
    void SearchPlan();
    bool SearchWork(std::chrono::steady_clock::time_point deadline);
    bool SearchReady() const;
    size_t SearchPending() const;
    std::vector<SearchHit> Find(const SearchQuery& query) const;

    // A window's subscription to the change notices: it ends when the object goes.
    // Once its destructor has returned the notice is never called again (a notice
    // running on another thread is waited for; destroying it from inside its own
    // notice is allowed).
    class Subscription {
    public:
        Subscription() = default;
        ~Subscription();
        Subscription(Subscription&& other) noexcept;
        Subscription& operator=(Subscription&& other) noexcept;
        void Reset();

    private:
        friend class Diary;
        struct Slot;
        explicit Subscription(std::shared_ptr<Slot> slot) : slot_(std::move(slot)) {}
        std::shared_ptr<Slot> slot_;
    };
    [[nodiscard]] Subscription Subscribe(Notice notice);

    // A day open in an editor, from Hold until the object goes. The calendar sync
    // stores nothing over a held day (it asks the user instead): the editor's save
    // would overwrite what it stored, unseen. Any thread.
    class DayHold {
    public:
        DayHold() = default;
        ~DayHold();
        DayHold(DayHold&& other) noexcept;
        DayHold& operator=(DayHold&& other) noexcept;

    private:
        friend class Diary;
        DayHold(Diary* diary, int64_t serial) : diary_(diary), serial_(serial) {}
        Diary* diary_ = nullptr;
        int64_t serial_ = 0;
    };
    [[nodiscard]] DayHold Hold(const Date& day);
    bool Held(const Date& day) const;

private:
    struct Subscribers;
    // What an operation has to report when the lock is released.
    struct Report {
        std::optional<std::wstring> warning;
        std::optional<DiaryChange> change;
    };
    // Runs `change` under the lock, then reports what it left in the Report (also
    // when it throws).
    void Changing(const std::function<void(Report&)>& change);
    void Deliver(Report& report);

    // Under the lock:
    void RequireRead(Report& report);  // reads an unread index; a success changes "all"
    void SnapshotOfTheDay(Report& report);
    void StoreDays(const std::vector<DayToStore>& days, const std::vector<std::wstring>& importedKeys,
                   Report& report, bool keepWhenIndexFails);
    void TellDays(const std::vector<const DayToStore*>& days, Report& report);
    // The reminders' book with the batch's yearly marks and reminders added; none when
    // the batch has none. Throws AppError for a reminder the diary cannot hold.
    std::optional<ReminderBook> BookWithDays(const std::vector<const DayToStore*>& days) const;
    std::wstring NotepadPath() const;
    // Adds to an entry's event what the index does not hold: its reminders as alarms,
    // its yearly repeat with the years its own later entries stand in for.
    std::function<void(CalendarEvent&)> EventDecorator() const;
    // The reminders' book changed as `edit` says, then written (Reminders::Commit).
    void ChangeReminders(const std::function<void(ReminderBook&)>& edit, bool needsIndex = true, bool allDays = false);
    HasOwnEntry OwnEntries() const;
    // After the index was read or changed whole: the days with an entry of their own
    // made again when first asked (one pass), the reminders' schedule anew at the next check.
    void IndexReread();
    std::optional<RepeatedEntry> RepeatOn(const Date& day, const std::vector<YearlyMark>& marks) const;
    std::vector<RepeatedEntry> RepeatsOfMonth(int year, int month) const;

    const std::wstring programDir_;
    const Clock clock_;
    mutable std::mutex mutex_;
    MonthNames months_;
    Warning warning_;
    EntryStore store_;
    // Notes of a store whose index could not be saved (path: RTF): their lines are in
    // store_, and the next write of the index writes them first.
    std::map<std::wstring, std::string> unsavedNotes_;
    std::shared_ptr<const TNevnapok> nameDays_;
    bool nameDaysMissing_ = false;
    SnapshotInSlices slices_;
    Date slicesTriedOn_{0, 0, 0};    // the day the slices were begun (or found needless)
    Date snapshotFailedOn_{0, 0, 0};  // the day a snapshot failed: reported once
    DiarySearch search_;
    Reminders reminders_;
    // The days with a line of their own (serials), kept with the index once made so that
    // the schedule's checks never pass over the index: a yearly entry gives way to them.
    // Sorted: a century of days takes 292 KB, a hash set of them over 2 MB.
    mutable std::mutex heldLock_;  // apart from mutex_: asked while a change may run
    std::multiset<int64_t> held_;
    mutable std::vector<int64_t> ownDays_;
    mutable bool ownDaysKnown_ = false;
    const std::vector<int64_t>& OwnDays() const;
    void AddOwnDay(const Date& day);
    void RemoveOwnDay(const Date& day);
    bool stateWriteFailed_ = false;  // reported once until a write succeeds
    std::set<std::wstring> reminderProblemsTold_;  // what Load found wrong in the reminders' files
    std::shared_ptr<Subscribers> subscribers_;
};
