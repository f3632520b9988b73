#include "store/snapshot_days.h"

#include <algorithm>
#include <map>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "store/rtf_text.h"
#include "store/snapshots.h"

namespace {

constexpr const char* kNotepadName = "jegyzet.rtf";

std::string NoteName(const std::wstring& dateKey) {
    return dateKey.empty() ? kNotepadName : std::string(dateKey.begin(), dateKey.end()) + ".rtf";
}

const ZipEntry* Find(const std::vector<ZipEntry>& files, const std::string& name) {
    const auto it = std::find_if(files.begin(), files.end(), [&](const ZipEntry& e) { return e.name == name; });
    return it == files.end() ? nullptr : &*it;
}

std::vector<std::wstring> IndexLinesOf(const std::vector<ZipEntry>& files) {
    const ZipEntry* index = Find(files, "index.txt");
    return index ? ParseIndexText(index->bytes) : std::vector<std::wstring>();
}

bool IsDayNoteName(const std::string& name) {
    return name.size() == 12 && name.ends_with(".rtf") &&
           std::all_of(name.begin(), name.begin() + 8, [](char c) { return c >= '0' && c <= '9'; });
}

std::wstring Trimmed(std::wstring text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
    while (!text.empty() && blank(text.back())) text.pop_back();
    size_t start = 0;
    while (start < text.size() && blank(text[start])) ++start;
    return text.substr(start);
}

}  // namespace

std::wstring FirstLineOfNote(std::string_view bytes) {
    const std::wstring text = RtfToPlainText(bytes);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = Trimmed(text.substr(start, end - start));
        if (!line.empty()) return line;
        start = end + 1;
    }
    return {};
}

std::wstring SnapshotLine(const std::vector<ZipEntry>& files, const std::wstring& dateKey) {
    if (dateKey.empty()) return {};
    std::wstring found;
    for (const std::wstring& line : IndexLinesOf(files))
        if (line.starts_with(dateKey)) found = line;  // the last one wins, as in the store
    return found;
}

std::optional<std::string> SnapshotNote(const std::vector<ZipEntry>& files, const std::wstring& dateKey) {
    const ZipEntry* note = Find(files, NoteName(dateKey));
    if (!note) return std::nullopt;
    return note->bytes;
}

std::vector<SnapshotDay> SnapshotDays(const std::vector<ZipEntry>& files) {
    std::map<std::wstring, SnapshotDay, std::greater<>> days;
    for (const std::wstring& line : IndexLinesOf(files)) {
        if (line.size() < 8) continue;
        SnapshotDay& day = days[line.substr(0, 8)];
        day.dateKey = line.substr(0, 8);
        day.title1 = Trimmed(EntryTitle1(line));
        day.title2 = Trimmed(EntryTitle2(line));
        day.hasLine = true;
    }
    for (const ZipEntry& file : files) {
        if (!IsDayNoteName(file.name)) continue;
        SnapshotDay& day = days[std::wstring(file.name.begin(), file.name.begin() + 8)];
        day.dateKey = std::wstring(file.name.begin(), file.name.begin() + 8);
        day.hasNote = true;
        day.firstLine = FirstLineOfNote(file.bytes);
    }
    std::vector<SnapshotDay> rows;
    for (auto& [key, day] : days) rows.push_back(std::move(day));
    if (const ZipEntry* notepad = Find(files, kNotepadName))
        rows.push_back(SnapshotDay{.firstLine = FirstLineOfNote(notepad->bytes), .hasNote = true});
    return rows;
}

void RestoreOneDay(const std::wstring& programDir, EntryStore& store, const std::vector<ZipEntry>& files,
                   const std::wstring& dateKey, const std::wstring& presentSnapshot, const Date& today) {
    if (!dateKey.empty()) store.RequireRead();
    const std::string index = store.Lines.FileText();
    WriteSnapshot(programDir, presentSnapshot, today, &index);

    const std::string name = NoteName(dateKey);
    const std::wstring notePath = EntryStore::DataDir(programDir) + L"\\" + std::wstring(name.begin(), name.end());
    const std::optional<std::string> present =
        FileExists(notePath) ? std::optional<std::string>(ReadWholeFile(notePath)) : std::nullopt;
    const std::optional<std::string> old = SnapshotNote(files, dateKey);
    // The note first: when it cannot be written, nothing else has changed.
    if (old)
        WriteFileAtomically(notePath, *old);
    else if (present && !DeleteFileIfExists(notePath))
        throw FileDeleteError(notePath);
    if (dateKey.empty()) return;  // the notepad has no line

    const int at = store.FindEntryLine(dateKey);
    const std::wstring presentLine = at >= 0 ? store.Lines[static_cast<size_t>(at)] : std::wstring();
    const std::wstring oldLine = SnapshotLine(files, dateKey);
    if (at >= 0 && !oldLine.empty())
        store.Lines.Set(static_cast<size_t>(at), oldLine);
    else if (at >= 0)
        store.Lines.erase(static_cast<size_t>(at));
    else if (!oldLine.empty())
        store.Lines.push_back(oldLine);
    try {
        store.Save(programDir);
    } catch (const AppError&) {
        // The day as it was: its line and its note.
        if (at >= 0 && !oldLine.empty())
            store.Lines.Set(static_cast<size_t>(at), presentLine);
        else if (at >= 0)
            store.Lines.insert(static_cast<size_t>(at), presentLine);
        else if (!oldLine.empty())
            store.Lines.erase(store.Lines.size() - 1);
        try {
            if (present)
                WriteFileAtomically(notePath, *present);
            else
                DeleteFileIfExists(notePath);
        } catch (const AppError&) {
            // The present note is safe in the snapshot taken first; the save's error is the one to tell.
        }
        throw;
    }
}
