// One day out of a snapshot: what a snapshot holds, day by day, and putting back a
// single day (or the notepad) without touching anything written since.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/entry_store.h"
#include "store/zip_archive.h"

// A row of a snapshot's contents: a day's entry and note, or the notepad (empty key).
struct SnapshotDay {
    std::wstring dateKey;  // "yyyymmdd"; empty: the notepad
    std::wstring title1, title2;
    std::wstring firstLine;  // the first line of the note's text that is not blank
    bool hasLine = false;
    bool hasNote = false;
};

// The days a snapshot holds (its index lines, and notes without a line), newest first,
// then the notepad when it holds one.
std::vector<SnapshotDay> SnapshotDays(const std::vector<ZipEntry>& files);

// A day's note (the notepad's for an empty key) as the snapshot holds it; none when it
// holds none.
std::optional<std::string> SnapshotNote(const std::vector<ZipEntry>& files, const std::wstring& dateKey);
// The day's index line in the snapshot; empty when it holds none.
std::wstring SnapshotLine(const std::vector<ZipEntry>& files, const std::wstring& dateKey);

// The first line of a note's text that is not blank, trimmed.
std::wstring FirstLineOfNote(std::string_view bytes);

// Puts one day (the notepad for an empty key) back as `files` hold it, and nothing
// else: its note is written (removed when the snapshot has none) and its index line
// set, added or removed, the index saved at once. First of all the present state goes
// into the snapshot `presentSnapshot`, so the restore itself can be undone. When the
// index cannot be saved, the note and the line are put back as they were and the
// error is thrown.
void RestoreOneDay(const std::wstring& programDir, EntryStore& store, const std::vector<ZipEntry>& files,
                   const std::wstring& dateKey, const std::wstring& presentSnapshot, const Date& today);
