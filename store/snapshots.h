// Snapshots of the data folder: "Data\Mentések\yyyy-mm-dd.zip" holds the index,
// every day's note, the notepad, the reminders' files (reminder_files.h) and the
// imports' keys (imported_keys.h) as they stood at the first save of that day.
// A snapshot taken just before a restore is "yyyy-mm-dd_hhmmss.zip". The newest 14
// snapshots and the newest one of each of the last 12 months are kept.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/eljaras.h"
#include "store/zip_archive.h"

struct SnapshotFile {
    std::wstring name;  // file name in the snapshot folder
    Date date;
    uint64_t size = 0;
};

constexpr size_t kDailySnapshotsKept = 14;
constexpr int kMonthlySnapshotsKept = 12;

std::wstring SnapshotFolder(const std::wstring& programDir);  // ...\Data\Mentések
std::wstring DailySnapshotName(const Date& day);               // yyyy-mm-dd.zip
std::wstring ExtraSnapshotName(const DateTime& when);          // yyyy-mm-dd_hhmmss.zip
// The date of a snapshot file's name; nothing for other files.
std::optional<Date> SnapshotDate(const std::wstring& name);

// The snapshots in the folder, newest first.
std::vector<SnapshotFile> ListSnapshots(const std::wstring& programDir);

// The names of `snapshots` that the retention rule removes on `today`: all but the
// 14 newest and the newest of each month from today's month back over 12 months.
std::vector<std::wstring> SnapshotsToDelete(const std::vector<std::wstring>& snapshots, const Date& today);

// The data files that a snapshot holds, with their contents: "index.txt" (from
// `indexText` when given: the index as it stands in memory), the notes,
// "jegyzet.rtf" and the reminders' files. Throws the file error of a file that cannot be read.
std::vector<ZipEntry> CollectDataFiles(const std::wstring& programDir, const std::string* indexText = nullptr);

// Writes a snapshot of the data folder to `name` in the snapshot folder (made when
// missing), then applies the retention rule. Throws FileCreateError / file errors.
void WriteSnapshot(const std::wstring& programDir, const std::wstring& name, const Date& today,
                   const std::string* indexText = nullptr);

// Today's snapshot, unless it exists already. True when one was written.
bool TakeDailySnapshot(const std::wstring& programDir, const Date& today);

// Today's snapshot made a little at a time while the program waits for the user, so
// the day's first change does not wait for years of notes to be read and packed.
// Whatever changes a data file must call Finish() first: the rest is then packed at
// once, so the snapshot still holds every file as it stood before the change.
class SnapshotInSlices {
public:
    SnapshotInSlices();
    ~SnapshotInSlices();
    // Begins today's snapshot unless it exists already; false when there is none to make.
    bool Start(const std::wstring& programDir, const Date& today);
    // Packs files until the deadline has passed (at least one); the last one writes the
    // snapshot. True when nothing is left. Throws file errors, and then stops.
    bool Work(std::chrono::steady_clock::time_point deadline);
    // Packs what is left and writes the snapshot. Throws as Work does.
    void Finish();
    bool Active() const { return zip_ != nullptr; }
    const Date& Day() const { return today_; }

private:
    void Stop();
    std::wstring programDir_;
    Date today_{0, 0, 0};
    std::vector<std::wstring> names_;  // the data files still to pack, in the archive's order
    size_t next_ = 0;
    std::unique_ptr<ZipWriter> zip_;
};

// The files of the snapshot `name`, read and checked whole (CRCs, only the program's
// own file names, the index present). Throws ZipError / file errors.
std::vector<ZipEntry> ReadSnapshot(const std::wstring& programDir, const std::wstring& name);
// Replaces the data files with `files` (from ReadSnapshot): every one is written,
// notes, the notepad and the reminders' files that it does not hold are removed.
void RestoreDataFiles(const std::wstring& programDir, const std::vector<ZipEntry>& files);
// Both at once.
void RestoreSnapshot(const std::wstring& programDir, const std::wstring& name);

// The number of files a snapshot holds.
size_t SnapshotEntryCount(const std::wstring& programDir, const std::wstring& name);
