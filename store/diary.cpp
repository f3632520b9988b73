#include "store/diary.h"

#include <algorithm>
#include <exception>
#include <map>
#include <set>
#include <utility>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "store/imported_keys.h"
#include "store/snapshot_days.h"

namespace {

std::wstring WithoutTrailingBackslashes(std::wstring dir) {
    while (!dir.empty() && dir.back() == L'\\') dir.pop_back();
    return dir;
}

std::optional<std::string> ReadIfExists(const std::wstring& path) {
    if (!FileExists(path)) return std::nullopt;
    return ReadWholeFile(path);
}

// "yyyymmdd" as a date; none for anything else.
std::optional<Date> DateOfKey(const std::wstring& key) {
    if (key.size() != 8 || !std::all_of(key.begin(), key.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return std::nullopt;
    return Date{std::stoi(key.substr(0, 4)), std::stoi(key.substr(4, 2)), std::stoi(key.substr(6, 2))};
}

DiaryChange AllChanged() { return DiaryChange{.all = true}; }

// A day's note as it was before a store, to be put back when the store is undone.
struct NoteBefore {
    std::wstring path;
    std::optional<std::string> bytes;  // none: the day had no note
};

// Puts back the first `count` notes; gives the paths of those that could not be.
std::wstring PutNotesBack(const std::vector<NoteBefore>& notes, size_t count) {
    std::wstring failed;
    for (size_t i = 0; i < count; ++i) {
        const NoteBefore& note = notes[i];
        bool ok = true;
        try {
            if (note.bytes)
                WriteFileAtomically(note.path, *note.bytes);
            else
                ok = DeleteFileIfExists(note.path);
        } catch (const AppError&) {
            ok = false;
        }
        if (!ok) failed += L"\n" + note.path;
    }
    return failed;
}

// The error of a store that was undone, and the notes the undoing could not put back
// (they hold the new text now; the day's snapshot holds the old one).
[[noreturn]] void RethrowUndone(const std::wstring& notPutBack) {
    if (notPutBack.empty()) throw;
    try {
        throw;
    } catch (const AppError& error) {
        throw AppError(error.Text() + L"\nEzeknek a napoknak a korábbi jegyzete nem került vissza a helyére:" +
                       notPutBack);
    }
}

}  // namespace

bool DiaryChange::Touches(const Date& day) const {
    return all || std::find(days.begin(), days.end(), day) != days.end();
}

// The subscribers of the change notices. A notice runs under its slot's lock, which
// its subscription's end takes too: after that no call is running or can begin. The
// lock is recursive so that a notice may end its own subscription.
struct Diary::Subscription::Slot {
    std::recursive_mutex lock;
    bool active = true;
    Notice notice;
    std::weak_ptr<Subscribers> owner;
};

struct Diary::Subscribers {
    std::mutex lock;
    std::vector<std::shared_ptr<Subscription::Slot>> slots;
};

Diary::Subscription::~Subscription() { Reset(); }

Diary::Subscription::Subscription(Subscription&& other) noexcept : slot_(std::move(other.slot_)) {}

Diary::Subscription& Diary::Subscription::operator=(Subscription&& other) noexcept {
    if (this != &other) {
        Reset();
        slot_ = std::move(other.slot_);
    }
    return *this;
}

void Diary::Subscription::Reset() {
    if (!slot_) return;
    {
        std::lock_guard running(slot_->lock);
        slot_->active = false;
    }
    if (auto owner = slot_->owner.lock()) {
        std::lock_guard lock(owner->lock);
        std::erase(owner->slots, slot_);
    }
    slot_.reset();
}

Diary::DayHold::~DayHold() {
    if (!diary_) return;
    std::lock_guard lock(diary_->heldLock_);
    diary_->held_.erase(diary_->held_.find(serial_));
}

Diary::DayHold::DayHold(DayHold&& other) noexcept
    : diary_(std::exchange(other.diary_, nullptr)), serial_(other.serial_) {}

Diary::DayHold& Diary::DayHold::operator=(DayHold&& other) noexcept {
    if (this != &other) {
        DayHold old(std::move(*this));
        diary_ = std::exchange(other.diary_, nullptr);
        serial_ = other.serial_;
    }
    return *this;
}

Diary::DayHold Diary::Hold(const Date& day) {
    std::lock_guard lock(heldLock_);
    held_.insert(SerialOf(day));
    return DayHold(this, SerialOf(day));
}

bool Diary::Held(const Date& day) const {
    std::lock_guard lock(heldLock_);
    return held_.count(SerialOf(day)) > 0;
}

Diary::Diary(std::wstring programDir, MonthNames months, Clock clock)
    : programDir_(WithoutTrailingBackslashes(std::move(programDir))),
      clock_(std::move(clock)),
      months_(std::move(months)),
      subscribers_(std::make_shared<Subscribers>()) {}

Diary::~Diary() = default;

Diary::Subscription Diary::Subscribe(Notice notice) {
    auto slot = std::make_shared<Subscription::Slot>();
    slot->notice = std::move(notice);
    slot->owner = subscribers_;
    std::lock_guard lock(subscribers_->lock);
    subscribers_->slots.push_back(slot);
    return Subscription(std::move(slot));
}

void Diary::Changing(const std::function<void(Report&)>& change) {
    Report report;
    try {
        std::lock_guard lock(mutex_);
        change(report);
    } catch (...) {
        Deliver(report);
        throw;
    }
    Deliver(report);
}

void Diary::Deliver(Report& report) {
    // A window that cannot take a warning or a notice must not turn a finished change
    // into a reported failure, so what they throw goes no further.
    if (report.warning) {
        Warning warning;
        {
            std::lock_guard lock(mutex_);
            warning = warning_;
        }
        try {
            if (warning) warning(*report.warning);
        } catch (...) {
        }
    }
    if (!report.change) return;
    std::vector<std::shared_ptr<Subscription::Slot>> slots;
    {
        std::lock_guard lock(subscribers_->lock);
        slots = subscribers_->slots;
    }
    for (const auto& slot : slots) {
        std::lock_guard running(slot->lock);
        if (!slot->active) continue;
        try {
            slot->notice(*report.change);
        } catch (...) {
        }
    }
}

MonthNames Diary::Months() const {
    std::lock_guard lock(mutex_);
    return months_;
}

void Diary::SetMonths(const MonthNames& months) {
    std::lock_guard lock(mutex_);
    months_ = months;
}

void Diary::SetWarning(Warning warning) {
    std::lock_guard lock(mutex_);
    warning_ = std::move(warning);
}

void Diary::Load() {
    std::exception_ptr indexError;
    Changing([&](Report& report) {
        try {
            store_.Load(programDir_);
        } catch (const AppError&) {
            indexError = std::current_exception();
        }
        bool missing = false;
        nameDays_ = std::make_shared<const TNevnapok>(TNevnapok::FilePath(programDir_), [&] { missing = true; });
        nameDaysMissing_ = missing;
        std::wstring problems;
        // Every showing of the main window loads again: a damaged file is told of once.
        for (const std::wstring& problem : reminders_.Load(DataDir()))
            if (reminderProblemsTold_.insert(problem).second) problems += (problems.empty() ? L"" : L"\n") + problem;
        IndexReread();
        if (!problems.empty()) report.warning = problems;
        report.change = AllChanged();
    });
    if (indexError) std::rethrow_exception(indexError);
}

bool Diary::NameDaysMissing() const {
    std::lock_guard lock(mutex_);
    return nameDaysMissing_;
}

bool Diary::Unread() const {
    std::lock_guard lock(mutex_);
    return store_.Unread();
}

void Diary::RequireRead(Report& report) {
    if (!store_.Unread()) return;
    store_.RequireRead();
    IndexReread();
    report.change = AllChanged();  // the month had no entries until now
}

// Before anything of the day is replaced. A snapshot that fails is reported once a
// day and never stops what comes after it: the save itself matters more.
void Diary::SnapshotOfTheDay(Report& report) {
    const Date today = clock_().date;
    if (programDir_.empty() || snapshotFailedOn_ == today) return;
    try {
        // What the slices have not packed yet is packed now, before anything changes.
        if (slices_.Active() && slices_.Day() == today)
            slices_.Finish();
        else
            TakeDailySnapshot(programDir_, today);
    } catch (const std::exception& e) {
        snapshotFailedOn_ = today;
        const auto* error = dynamic_cast<const AppError*>(&e);
        report.warning = L"A napi biztonsági mentés nem sikerült; az adatok mentése ettől még megtörténik.\n" +
                         (error ? error->Text() : Utf8ToWide(e.what()));
    }
}

OpenedDay Diary::Open(const Date& day) {
    OpenedDay opened;
    Changing([&](Report& report) {
        RequireRead(report);
        const int at = store_.FindEntryLine(DateKey(day));
        // A day without a line opens empty, as a new day: a note without a line is
        // what a cut-short store or delete left, and the day's snapshot keeps it.
        if (at < 0) return;
        const std::wstring line = store_.Lines[static_cast<size_t>(at)];
        opened.hasLine = true;
        opened.entry = {Trim(EntryTitle1(line)), Trim(EntryTitle2(line)), EntryColour1(line), EntryColour2(line)};
        const std::wstring path = EntryStore::NotePath(programDir_, day);
        const auto unsaved = unsavedNotes_.find(path);
        opened.note = unsaved != unsavedNotes_.end() ? std::optional(unsaved->second) : ReadIfExists(path);
    });
    return opened;
}

void Diary::Store(const Date& day, const DayEntry& entry, std::string_view noteRtf) {
    Changing([&](Report& report) { StoreDays({DayToStore{day, entry, std::string(noteRtf)}}, {}, report, true); });
}

void Diary::StoreMany(const std::vector<DayToStore>& days, const std::vector<std::wstring>& importedKeys) {
    Changing([&](Report& report) { StoreDays(days, importedKeys, report, false); });
}

std::set<std::wstring> Diary::ImportedKeys() const {
    std::lock_guard lock(mutex_);
    try {
        if (const auto bytes = ReadIfExists(ImportedKeysPath(programDir_))) return ParseImportedKeys(*bytes);
    } catch (const AppError&) {
    }
    return {};
}

// The notes go first, then the index, then the imports' keys, then the days' yearly
// marks and reminders. When the index cannot be saved the notes are put back, so the
// files are as they were; a single day's store (the editor's) then keeps its line and
// note in memory, and the next write of the index (a save point, the next store or
// delete) writes them, so nothing the user typed is lost. When the reminders or the
// keys cannot be written the batch is undone whole.
void Diary::StoreDays(const std::vector<DayToStore>& days, const std::vector<std::wstring>& importedKeys,
                      Report& report, bool keepWhenIndexFails) {
    if (days.empty() && unsavedNotes_.empty()) return;
    RequireRead(report);
    // A day given twice: its last occurrence, in the place of its first.
    std::vector<const DayToStore*> unique;
    std::map<std::wstring, size_t> placeOf;
    for (const DayToStore& day : days) {
        const auto [it, added] = placeOf.emplace(DateKey(day.date), unique.size());
        if (added)
            unique.push_back(&day);
        else
            unique[it->second] = &day;
    }
    // Reminders the diary cannot hold stop the batch before anything is written.
    const std::optional<ReminderBook> book = BookWithDays(unique);
    // The notes to write: this store's, and those kept from a store whose index failed.
    std::map<std::wstring, std::string> notes = unsavedNotes_;
    for (const DayToStore* day : unique) notes[EntryStore::NotePath(programDir_, day->date)] = day->noteRtf;
    // Everything that may have to come back is read before anything changes: a note
    // that cannot be read stops the store here.
    std::vector<NoteBefore> before;
    for (const auto& [path, rtf] : notes) before.push_back({path, ReadIfExists(path)});
    // The remembered keys too: a file that is there but cannot be read stops the
    // import rather than lose them (a damaged one keeps its readable lines).
    const std::wstring keysPath = ImportedKeysPath(programDir_);
    const std::optional<std::string> keysBefore = importedKeys.empty() ? std::nullopt : ReadIfExists(keysPath);
    SnapshotOfTheDay(report);

    size_t written = 0;
    try {
        for (const auto& [path, rtf] : notes) {
            WriteFileAtomically(path, rtf);
            ++written;
        }
    } catch (const AppError&) {
        RethrowUndone(PutNotesBack(before, written));
    }

    const IndexLines linesBefore = store_.Lines;
    try {
        for (const DayToStore* day : unique) {
            const std::wstring key = DateKey(day->date);
            const std::wstring line = MakeDayEntry(day->date, day->entry.title1, day->entry.title2,
                                                   day->entry.colour1, day->entry.colour2);
            const int at = store_.FindEntryLine(key);
            if (at >= 0)
                store_.Lines.Set(static_cast<size_t>(at), line);
            else
                store_.Lines.push_back(line);
        }
        store_.Save(programDir_);
        unsavedNotes_.clear();
    } catch (const AppError&) {
        if (keepWhenIndexFails) {
            unsavedNotes_ = std::move(notes);
            TellDays(unique, report);
        } else {
            store_.Lines = linesBefore;
        }
        RethrowUndone(PutNotesBack(before, written));
    }

    if (book || !importedKeys.empty()) {
        bool keysWritten = false;
        try {
            if (!importedKeys.empty()) {
                std::set<std::wstring> keys = keysBefore ? ParseImportedKeys(*keysBefore) : std::set<std::wstring>{};
                keys.insert(importedKeys.begin(), importedKeys.end());
                WriteFileAtomically(keysPath, ImportedKeysText(keys));
                keysWritten = true;
            }
            if (book) reminders_.Commit(DataDir(), *book);  // all its files or none
        } catch (const AppError&) {
            // The batch's days go back with it: an import is all or nothing (notes kept
            // from an earlier store stay written, as the index saved below names them).
            // An index that cannot be put back on the disk now is saved at the next save point.
            std::vector<NoteBefore> batch;  // the keys' file goes back as a note does
            if (keysWritten) batch.push_back({keysPath, keysBefore});
            for (const NoteBefore& note : before)
                if (std::any_of(unique.begin(), unique.end(), [&](const DayToStore* day) {
                        return EntryStore::NotePath(programDir_, day->date) == note.path;
                    }))
                    batch.push_back(note);
            store_.Lines = linesBefore;
            std::wstring notBack = PutNotesBack(batch, batch.size());
            try {
                store_.Save(programDir_);
            } catch (const AppError&) {
                notBack += L"\n" + EntryStore::IndexPath(programDir_);
            }
            RethrowUndone(notBack);
        }
    }
    TellDays(unique, report);
    if (book) {
        report.change->reminders = true;
        // A yearly mark shows in every later year: every month may have changed.
        report.change->all |= std::any_of(unique.begin(), unique.end(), [](const DayToStore* day) { return day->yearly; });
    }
}

// The days' lines changed in memory: a later year's own entry may hide a yearly one now.
void Diary::TellDays(const std::vector<const DayToStore*>& days, Report& report) {
    for (const DayToStore* day : days) AddOwnDay(day->date);
    reminders_.Reschedule(OwnEntries());
    DiaryChange change = report.change.value_or(DiaryChange{});
    for (const DayToStore* day : days) change.days.push_back(day->date);
    report.change = std::move(change);
}

void Diary::Delete(const Date& day) {
    Changing([&](Report& report) {
        RequireRead(report);
        const bool hasLine = store_.FindEntryLine(DateKey(day)) >= 0;
        if (!hasLine && !FileExists(EntryStore::NotePath(programDir_, day))) return;  // nothing to delete
        unsavedNotes_.erase(EntryStore::NotePath(programDir_, day));
        StoreDays({}, {}, report, true);  // the index written below must not name a note that is not there
        // The note goes now: the day's snapshot keeps it. The day's reminders and
        // yearly mark go first, and come back when the entry cannot go.
        SnapshotOfTheDay(report);
        const ReminderBook before = reminders_.Book();
        ReminderBook after = before;
        std::erase_if(after.reminders.reminders, [&](const Reminder& r) { return r.day == day; });
        std::erase_if(after.yearly, [&](const YearlyMark& m) { return m.day == day; });
        const bool yearly = after.yearly.size() != before.yearly.size();
        reminders_.Commit(DataDir(), after);
        try {
            store_.DeleteEntry(programDir_, day);
        } catch (const AppError&) {
            try {
                reminders_.Commit(DataDir(), before);
            } catch (const AppError&) {
            }
            throw;
        }
        if (store_.FindEntryLine(DateKey(day)) < 0)  // a damaged index may hold two
            RemoveOwnDay(day);
        reminders_.Reschedule(OwnEntries());
        DiaryChange change = report.change.value_or(DiaryChange{});
        change.days.push_back(day);
        change.all |= yearly;
        change.reminders = true;
        report.change = std::move(change);
    });
}

std::wstring Diary::NotepadPath() const { return DataDir() + L"\\" + DiarySearch::kNotepadFile; }

std::optional<std::string> Diary::OpenNotepad() {
    std::lock_guard lock(mutex_);
    return ReadIfExists(NotepadPath());
}

void Diary::StoreNotepad(std::string_view rtf) {
    Changing([&](Report& report) {
        SnapshotOfTheDay(report);  // the notepad as it was, before its first change of the day
        WriteFileAtomically(NotepadPath(), rtf);
        report.change = DiaryChange{.notepad = true};
    });
}

MonthCells Diary::Month(int year, int month, const WorkCalendar* calendar) const {
    std::lock_guard lock(mutex_);
    if (!nameDays_) return MonthCells{};
    MonthCells cells = BuildMonthCells(year, month, store_, *nameDays_, months_, calendar);
    const auto& marks = reminders_.Book().yearly;
    if (marks.empty()) return cells;
    for (CellContent& cell : cells) {
        if (!cell.visible || cell.hasEntry) continue;
        const auto repeat = RepeatOn(cell.date, marks);
        if (!repeat) continue;
        cell.txt1 = PadText(repeat->entry.title1, kTitleWidth);
        cell.txt2 = PadText(repeat->entry.title2, kTitleWidth);
        cell.colour1 = repeat->entry.colour1;
        cell.colour2 = repeat->entry.colour2;
        cell.repeated = true;
        cell.repeatCount = repeat->count;
        cell.hint += L" – minden évben" + (repeat->count ? L" " + RepeatCountText(repeat->count) : std::wstring());
        cell.repeatOrigin = repeat->origin;
    }
    return cells;
}

std::wstring Diary::NameDay(const Date& day) const {
    std::lock_guard lock(mutex_);
    return nameDays_ ? nameDays_->GetNameDay(day) : std::wstring();
}

std::shared_ptr<const TNevnapok> Diary::NameDays() const {
    std::lock_guard lock(mutex_);
    return nameDays_;
}

void Diary::Save() {
    Changing([&](Report& report) {
        const bool wasUnread = store_.Unread();
        SnapshotOfTheDay(report);
        if (!unsavedNotes_.empty())
            StoreDays({}, {}, report, true);  // the kept notes, then the index
        else
            store_.Save(programDir_);  // reads an index that could not be read before, then writes it
        if (wasUnread) {
            IndexReread();
            report.change = AllChanged();
        }
    });
}

bool Diary::ChangedSinceSaved() const {
    std::lock_guard lock(mutex_);
    return store_.ChangedSinceSaved() || !unsavedNotes_.empty();
}

// The slices run from the window's idle timer: each is short, and a failure is left
// to the first change of the day, which tries again and reports it.
bool Diary::SnapshotWork(std::chrono::steady_clock::time_point deadline) {
    std::lock_guard lock(mutex_);
    const Date today = clock_().date;
    if (programDir_.empty()) return true;
    try {
        if (!slices_.Active() || !(slices_.Day() == today)) {
            if (slicesTriedOn_ == today) return true;
            slicesTriedOn_ = today;
            if (!slices_.Start(programDir_, today)) return true;
        }
        return slices_.Work(deadline);
    } catch (const std::exception&) {
        return true;
    }
}

void Diary::RestoreSnapshot(const std::wstring& name) {
    Changing([&](Report& report) {
        // The chosen snapshot is read and checked first: the snapshot of the present
        // state may make the rule of keeping remove it.
        const std::vector<ZipEntry> files = ReadSnapshot(programDir_, name);
        // The day's snapshot being made in slices holds the files from before the restore.
        if (slices_.Active()) SnapshotOfTheDay(report);
        // The present index is the one in memory; an unread one is read from the disk
        // (and one that cannot be read stops the restore before anything changed).
        const std::string index = store_.Lines.FileText();
        const DateTime now = clock_();
        WriteSnapshot(programDir_, ExtraSnapshotName(now), now.date, store_.Unread() ? nullptr : &index);
        try {
            RestoreDataFiles(programDir_, files);
        } catch (const AppError&) {
            // Some files may be back already: what is in memory follows the disk.
            report.change = AllChanged();
            reminders_.Load(DataDir());
            try {
                store_.Load(programDir_);
                unsavedNotes_.clear();
            } catch (const AppError&) {
            }
            IndexReread();
            throw;
        }
        report.change = AllChanged();
        reminders_.Load(DataDir());
        store_.Load(programDir_);
        unsavedNotes_.clear();  // what memory held is in the snapshot of the present
        IndexReread();
    });
}

void Diary::RestoreDay(const std::vector<ZipEntry>& files, const std::wstring& dateKey) {
    Changing([&](Report& report) {
        if (!dateKey.empty()) RequireRead(report);
        StoreDays({}, {}, report, true);  // the restore writes the index: kept stores go first
        SnapshotOfTheDay(report);  // a first change of the day, like any other
        const DateTime now = clock_();
        RestoreOneDay(programDir_, store_, files, dateKey, ExtraSnapshotName(now), now.date);
        IndexReread();
        DiaryChange change = report.change.value_or(DiaryChange{});
        if (dateKey.empty())
            change.notepad = true;
        else if (const auto day = DateOfKey(dateKey))
            change.days.push_back(*day);
        else
            change.all = true;
        report.change = std::move(change);
    });
}

void Diary::SearchPlan() {
    std::lock_guard lock(mutex_);
    search_.Plan(DataDir());
}

bool Diary::SearchWork(std::chrono::steady_clock::time_point deadline) {
    std::lock_guard lock(mutex_);
    return search_.Work(deadline);
}

bool Diary::SearchReady() const {
    std::lock_guard lock(mutex_);
    return search_.Ready();
}

size_t Diary::SearchPending() const {
    std::lock_guard lock(mutex_);
    return search_.Pending();
}

std::vector<SearchHit> Diary::Find(const SearchQuery& query) const {
    std::lock_guard lock(mutex_);
    std::vector<SearchHit> hits = search_.Find(store_.Lines, query);
    const auto& marks = reminders_.Book().yearly;
    if (marks.empty()) return hits;
    std::set<std::wstring> yearly;
    for (const YearlyMark& mark : marks) yearly.insert(DateKey(mark.day));
    for (SearchHit& hit : hits) hit.yearly = yearly.count(hit.dateKey) > 0;
    return hits;
}
