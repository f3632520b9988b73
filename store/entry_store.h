// The entry index: one fixed-width line per day with an entry, held in memory and
// written whole to "\Data\index.txt" at the save points.
//
// Line layout (64 characters, Windows-1250 on disk):
//   1-8 date yyyymmdd | 9-28 title 1 | 29-48 title 2 | 49-56 colour 1 | 57-64 colour 2
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/eljaras.h"
#include "store/index_lines.h"

constexpr int kTitleWidth = 20;
constexpr int kColourWidth = 8;
constexpr int kDayEntryLength = 8 + 2 * kTitleWidth + 2 * kColourWidth;

// Builds the 64-character line of a day.
std::wstring MakeDayEntry(const Date& date, const std::wstring& title1, const std::wstring& title2,
                          int32_t colour1, int32_t colour2);

// Field by character position (from 1), as far as the line goes; short lines give
// short or empty fields.
std::wstring EntryField(const std::wstring& line, size_t position, size_t width);

// The fields of a line as its readers see them.
std::wstring EntryTitle1(const std::wstring& line);  // positions 9-28 as they stand
std::wstring EntryTitle2(const std::wstring& line);  // positions 29-48
int32_t EntryColour1(const std::wstring& line);      // positions 49-56 read as a colour
int32_t EntryColour2(const std::wstring& line);      // positions 57-64

// A colour field: trimmed; empty is black; a hand-edited field that is no number is
// read as black too, so one damaged line never makes the month unreadable.
int32_t ReadColourField(const std::wstring& field);

// Index file text <-> lines, as IndexLines reads and writes them (also used for the
// other line files of the program).
std::vector<std::wstring> ParseIndexText(std::string_view bytes);
std::string SerializeIndexText(const IndexLines& lines);

class EntryStore {
public:
    IndexLines Lines;

    // Last line whose first eight characters are the date text, or -1.
    int FindEntryLine(const std::wstring& dateText) const;

    // Removes the last line of the date; nothing when there is none.
    void DeleteEntryLine(const std::wstring& dateText);

    // Line of the day for the editor: the existing one, or a new empty placeholder.
    // Throws FileOpenError while the index is unread (RequireRead).
    int OpenDay(const std::wstring& dateText);

    // Removes the line at `index` when it is still an empty placeholder.
    void LeaveWithoutStoring(int index);

    // Lines of the month "yyyymm", in stored order.
    std::vector<std::wstring> SelectMonth(const std::wstring& monthKey) const;

    // File operations on "<ProgramDir>\Data\index.txt".
    // Load creates the Data folder (one level), removes the temporary files a save cut
    // short left there, and creates an empty index file when it is missing. When the
    // file exists but cannot be read, FileOpenError is thrown and the lines in memory
    // stay as they were: a reload keeps what an earlier load (and the user) put there.
    void Load(const std::wstring& programDir);
    // Throws FileCreateError when the file cannot be replaced, and also when the index
    // has never been read in this run and still cannot be: writing then would put
    // nothing in place of entries that are still on the disk.
    void Save(const std::wstring& programDir);
    // True while no load has succeeded and the last one failed: the lines of the days
    // are unknown, so no day may be opened, stored or deleted.
    bool Unread() const { return unread_; }
    // While Unread(), tries to read the index again (another program may have let it
    // go since): throws FileOpenError (the index file's name) when it still cannot.
    void RequireRead();
    // True when the lines were changed since they were last read or saved whole.
    bool ChangedSinceSaved() const { return Lines.Changes() != savedAt_; }

    // Deletes a day's entry: its note file and its line go together or not at all, and
    // the index is saved at once. A note that cannot be removed (locked) throws
    // FileDeleteError with nothing changed; an index that cannot be saved throws
    // FileCreateError with the note and the line put back. A note that cannot be put
    // back stays under its aside name, the error says so, and the next Load returns it.
    void DeleteEntry(const std::wstring& programDir, const Date& date);

    static std::wstring IndexPath(const std::wstring& programDir);
    static std::wstring DataDir(const std::wstring& programDir);
    static std::wstring NotePath(const std::wstring& programDir, const Date& date);

private:
    // Notes a delete moved aside (after the index is read): one whose day still has its
    // line goes back to its place; one of a day without a line belongs to a finished
    // delete and is removed; one beside a note of the same day is left alone.
    void SettleAsideNotes(const std::wstring& dataDir);
    // Reads the index file into Lines; throws FileOpenError and changes nothing when it cannot.
    void ReadIndex(const std::wstring& path);

    bool unread_ = false;
    uint64_t savedAt_ = 0;  // Lines.Changes() when last read or saved
    bool everRead_ = false;
    std::wstring indexPath_;
};
