#include "store/entry_store.h"

#include "platform/codec1250.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/temp_files.h"

std::wstring MakeDayEntry(const Date& date, const std::wstring& title1, const std::wstring& title2,
                          int32_t colour1, int32_t colour2) {
    return DateKey(date) + PadText(title1, kTitleWidth) + PadText(title2, kTitleWidth) +
           PadText(ColorToHexText(colour1), kColourWidth) + PadText(ColorToHexText(colour2), kColourWidth);
}

std::wstring EntryField(const std::wstring& line, size_t position, size_t width) {
    if (position < 1 || position > line.size()) return {};
    return line.substr(position - 1, width);
}

std::wstring EntryTitle1(const std::wstring& line) { return EntryField(line, 9, kTitleWidth); }
std::wstring EntryTitle2(const std::wstring& line) { return EntryField(line, 29, kTitleWidth); }
int32_t EntryColour1(const std::wstring& line) { return ReadColourField(EntryField(line, 49, kColourWidth)); }
int32_t EntryColour2(const std::wstring& line) { return ReadColourField(EntryField(line, 57, kColourWidth)); }

int32_t ReadColourField(const std::wstring& field) {
    try {
        return TextToInt(Trim(field));
    } catch (const ConvertError&) {
        return 0;
    }
}

std::vector<std::wstring> ParseIndexText(std::string_view bytes) { return IndexLines::FromFileText(bytes).ToVector(); }

std::string SerializeIndexText(const IndexLines& lines) { return lines.FileText(); }

int EntryStore::FindEntryLine(const std::wstring& dateText) const {
    for (size_t i = Lines.size(); i-- > 0;)
        if (Lines.StartsWith(i, dateText)) return static_cast<int>(i);
    return -1;
}

void EntryStore::DeleteEntryLine(const std::wstring& dateText) {
    int index = FindEntryLine(dateText);
    if (index >= 0) Lines.erase(static_cast<size_t>(index));
}

int EntryStore::OpenDay(const std::wstring& dateText) {
    RequireRead();
    int index = FindEntryLine(dateText);
    if (index >= 0) return index;
    Lines.push_back(L"");
    return static_cast<int>(Lines.size()) - 1;
}

void EntryStore::LeaveWithoutStoring(int index) {
    if (index >= 0 && static_cast<size_t>(index) < Lines.size() && Lines.Length(static_cast<size_t>(index)) == 0)
        Lines.erase(static_cast<size_t>(index));
}

std::vector<std::wstring> EntryStore::SelectMonth(const std::wstring& monthKey) const {
    std::vector<std::wstring> month;
    for (size_t i = 0; i < Lines.size(); ++i)
        if (Lines.StartsWith(i, monthKey)) month.push_back(Lines[i]);
    return month;
}

std::wstring EntryStore::DataDir(const std::wstring& programDir) { return programDir + L"\\Data"; }

std::wstring EntryStore::IndexPath(const std::wstring& programDir) { return programDir + L"\\Data\\index.txt"; }

std::wstring EntryStore::NotePath(const std::wstring& programDir, const Date& date) {
    return programDir + L"\\Data\\" + DateKey(date) + L".rtf";
}

void EntryStore::RequireRead() {
    if (unread_) ReadIndex(indexPath_);
}

void EntryStore::ReadIndex(const std::wstring& path) {
    if (!FileExists(path)) throw FileOpenError(path);  // gone, or something else in its place
    Lines = IndexLines::FromFileText(ReadWholeFile(path));
    savedAt_ = Lines.Changes();
    unread_ = false;
    everRead_ = true;
    const size_t folderEnd = path.find_last_of(L'\\');
    if (folderEnd != std::wstring::npos) SettleAsideNotes(path.substr(0, folderEnd));
}

void EntryStore::Load(const std::wstring& programDir) {
    const std::wstring path = IndexPath(programDir);
    indexPath_ = path;
    if (!DirectoryExists(DataDir(programDir))) CreateFolder(DataDir(programDir));
    RemoveLeftoverFiles(DataDir(programDir));
    try {
        if (!FileExists(path)) WriteFileAtomically(path, {});
        ReadIndex(path);
    } catch (const AppError&) {
        // What is in memory stays: after an earlier load it is the index (saved at the
        // last save point, changed since only by the user), else it is nothing.
        if (!everRead_) unread_ = true;
        throw;
    }
}

void EntryStore::Save(const std::wstring& programDir) {
    if (unread_) {
        try {
            ReadIndex(IndexPath(programDir));
        } catch (const AppError&) {
            throw FileCreateError(IndexPath(programDir));
        }
    }
    WriteFileAtomically(IndexPath(programDir), Lines.FileText());
    savedAt_ = Lines.Changes();
}

void EntryStore::DeleteEntry(const std::wstring& programDir, const Date& date) {
    RequireRead();
    const std::wstring note = NotePath(programDir, date);
    // The note steps aside first: a locked note stops everything before anything changed.
    const std::wstring aside = FileExists(note) ? MoveFileAside(note) : std::wstring();
    const int index = FindEntryLine(DateKey(date));
    if (index < 0 && aside.empty()) return;  // nothing to delete
    std::wstring line;
    if (index >= 0) {
        line = Lines[static_cast<size_t>(index)];
        Lines.erase(static_cast<size_t>(index));
    }
    try {
        Save(programDir);
    } catch (const AppError& error) {
        if (index >= 0) Lines.insert(static_cast<size_t>(index), line);
        if (!aside.empty() && !RenameFile(aside, note))
            throw AppError(error.Text() + L"\nA nap jegyzete nem került vissza a helyére, most itt van: " + aside +
                           L"\nA program a bejegyzések következő betöltésekor visszateszi.");
        throw;
    }
    if (!aside.empty()) RemoveTemporaryFile(aside);
}

void EntryStore::SettleAsideNotes(const std::wstring& dataDir) {
    for (const std::wstring& name : FileNamesIn(dataDir, std::wstring(L"*") + kAsideSuffix)) {
        const std::wstring original = AsideOriginalName(name);
        if (original.size() != 12) continue;  // "yyyymmdd.rtf"
        const std::wstring aside = dataDir + L"\\" + name, note = dataDir + L"\\" + original;
        const bool dayHasLine = FindEntryLine(original.substr(0, 8)) >= 0;
        if (!dayHasLine)
            RemoveTemporaryFile(aside);
        else if (!FileExists(note))
            RenameFile(aside, note);
    }
}
