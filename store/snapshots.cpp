#include "store/snapshots.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string_view>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/folder_list.h"
#include "store/entry_store.h"
#include "store/imported_keys.h"
#include "store/reminder_files.h"
#include "store/zip_archive.h"

namespace {

bool Digits(const std::wstring& text, size_t from, size_t count) {
    if (text.size() < from + count) return false;
    for (size_t i = from; i < from + count; ++i)
        if (text[i] < L'0' || text[i] > L'9') return false;
    return true;
}

// "yyyymmdd.rtf", "index.txt", "jegyzet.rtf", the reminders' files and the imports'
// keys: the files a snapshot holds.
bool IsDataFileName(const std::wstring& name) {
    if (name == L"index.txt" || name == L"jegyzet.rtf" || name == kImportedKeysFile) return true;
    if (name == kRemindersFileName || name == kYearlyFileName || name == kPeopleFileName ||
        name == kReminderStateFileName)
        return true;
    return name.size() == 12 && Digits(name, 0, 8) && std::wstring_view(name).ends_with(L".rtf");
}

std::string Ascii(const std::wstring& name) { return std::string(name.begin(), name.end()); }

std::wstring Wide(const std::string& name) { return std::wstring(name.begin(), name.end()); }

int MonthNumber(const Date& d) { return d.year * 12 + d.month - 1; }

// "index.txt" first, then the notes and the notepad by name, as the archive holds them.
std::vector<std::wstring> DataFileNames(const std::wstring& programDir) {
    std::vector<std::wstring> names;
    for (const FolderEntry& entry : ListFolder(EntryStore::DataDir(programDir)))
        if (entry.name != L"index.txt" && IsDataFileName(entry.name)) names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    if (FileExists(EntryStore::IndexPath(programDir))) names.insert(names.begin(), L"index.txt");
    return names;
}

}  // namespace

std::wstring SnapshotFolder(const std::wstring& programDir) {
    return EntryStore::DataDir(programDir) + L"\\Mentések";
}

std::wstring DailySnapshotName(const Date& day) {
    wchar_t name[32];
    std::swprintf(name, 32, L"%04d-%02d-%02d.zip", day.year, day.month, day.day);
    return name;
}

std::wstring ExtraSnapshotName(const DateTime& when) {
    wchar_t name[40];
    std::swprintf(name, 40, L"%04d-%02d-%02d_%02d%02d%02d.zip", when.date.year, when.date.month, when.date.day,
                  when.hour, when.minute, when.second);
    return name;
}

std::optional<Date> SnapshotDate(const std::wstring& name) {
    const bool zip = std::wstring_view(name).ends_with(L".zip");
    const bool daily = zip && name.size() == 14;
    const bool extra = zip && name.size() == 21 && name[10] == L'_' && Digits(name, 11, 6);
    if (!(daily || extra) || !Digits(name, 0, 4) || name[4] != L'-' || !Digits(name, 5, 2) || name[7] != L'-' ||
        !Digits(name, 8, 2))
        return std::nullopt;
    Date d{std::stoi(name.substr(0, 4)), std::stoi(name.substr(5, 2)), std::stoi(name.substr(8, 2))};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month)) return std::nullopt;
    return d;
}

std::vector<SnapshotFile> ListSnapshots(const std::wstring& programDir) {
    std::vector<SnapshotFile> out;
    for (const FolderEntry& entry : ListFolder(SnapshotFolder(programDir)))
        if (auto date = SnapshotDate(entry.name)) out.push_back({entry.name, *date, entry.size});
    // The names sort by time: "yyyy-mm-dd.zip" before "yyyy-mm-dd_hhmmss.zip" of the day.
    std::sort(out.begin(), out.end(), [](const SnapshotFile& a, const SnapshotFile& b) { return a.name > b.name; });
    return out;
}

std::vector<std::wstring> SnapshotsToDelete(const std::vector<std::wstring>& snapshots, const Date& today) {
    std::vector<std::wstring> names;
    for (const auto& name : snapshots)
        if (SnapshotDate(name)) names.push_back(name);
    std::sort(names.begin(), names.end(), std::greater<>());
    std::set<std::wstring> kept(names.begin(), names.begin() + std::min(names.size(), kDailySnapshotsKept));
    std::set<int> monthsSeen;
    const int thisMonth = MonthNumber(today);
    for (const auto& name : names) {  // newest first: the first of a month is its newest
        const int month = MonthNumber(*SnapshotDate(name));
        if (month > thisMonth - kMonthlySnapshotsKept && month <= thisMonth && monthsSeen.insert(month).second)
            kept.insert(name);
    }
    std::vector<std::wstring> removed;
    for (const auto& name : names)
        if (!kept.count(name)) removed.push_back(name);
    return removed;
}

std::vector<ZipEntry> CollectDataFiles(const std::wstring& programDir, const std::string* indexText) {
    const std::wstring data = EntryStore::DataDir(programDir);
    std::vector<ZipEntry> entries;
    if (indexText)
        entries.push_back({"index.txt", *indexText});
    else if (FileExists(EntryStore::IndexPath(programDir)))
        entries.push_back({"index.txt", ReadWholeFile(EntryStore::IndexPath(programDir))});
    for (const auto& name : DataFileNames(programDir))
        if (name != L"index.txt") entries.push_back({Ascii(name), ReadWholeFile(data + L"\\" + name)});
    return entries;
}

namespace {

void StoreSnapshot(const std::wstring& programDir, const std::wstring& name, const Date& today,
                   const std::string& archive) {
    const std::wstring folder = SnapshotFolder(programDir);
    if (!DirectoryExists(folder) && !CreateFolder(folder)) throw FileCreateError(folder);
    WriteFileAtomically(folder + L"\\" + name, archive);
    std::vector<std::wstring> present;
    for (const SnapshotFile& file : ListSnapshots(programDir)) present.push_back(file.name);
    // A snapshot that cannot be removed now goes at a later one.
    for (const auto& old : SnapshotsToDelete(present, today)) DeleteFileIfExists(folder + L"\\" + old);
}

}  // namespace

void WriteSnapshot(const std::wstring& programDir, const std::wstring& name, const Date& today,
                   const std::string* indexText) {
    StoreSnapshot(programDir, name, today, MakeZip(CollectDataFiles(programDir, indexText)));
}

SnapshotInSlices::SnapshotInSlices() = default;
SnapshotInSlices::~SnapshotInSlices() = default;

bool SnapshotInSlices::Start(const std::wstring& programDir, const Date& today) {
    Stop();
    if (FileExists(SnapshotFolder(programDir) + L"\\" + DailySnapshotName(today))) return false;
    programDir_ = programDir;
    today_ = today;
    names_ = DataFileNames(programDir);
    zip_ = std::make_unique<ZipWriter>();
    return true;
}

bool SnapshotInSlices::Work(std::chrono::steady_clock::time_point deadline) {
    if (!zip_) return true;
    try {
        const std::wstring data = EntryStore::DataDir(programDir_);
        while (next_ < names_.size()) {
            const std::wstring& name = names_[next_++];
            zip_->Add(Ascii(name), ReadWholeFile(data + L"\\" + name));
            if (std::chrono::steady_clock::now() >= deadline) return false;
        }
        StoreSnapshot(programDir_, DailySnapshotName(today_), today_, zip_->Finish());
    } catch (...) {
        Stop();
        throw;
    }
    Stop();
    return true;
}

void SnapshotInSlices::Finish() { Work(std::chrono::steady_clock::time_point::max()); }

void SnapshotInSlices::Stop() {
    zip_.reset();
    names_.clear();
    next_ = 0;
}
bool TakeDailySnapshot(const std::wstring& programDir, const Date& today) {
    const std::wstring name = DailySnapshotName(today);
    if (FileExists(SnapshotFolder(programDir) + L"\\" + name)) return false;
    WriteSnapshot(programDir, name, today);
    return true;
}

size_t SnapshotEntryCount(const std::wstring& programDir, const std::wstring& name) {
    return CountZipEntries(ReadWholeFile(SnapshotFolder(programDir) + L"\\" + name));
}

std::vector<ZipEntry> ReadSnapshot(const std::wstring& programDir, const std::wstring& name) {
    std::vector<ZipEntry> entries = ReadZip(ReadWholeFile(SnapshotFolder(programDir) + L"\\" + name));
    bool index = false;
    for (const ZipEntry& entry : entries) {
        // Only the program's own files, and never a path: nothing outside the folder.
        if (!IsDataFileName(Wide(entry.name))) throw ZipError(L"A mentés idegen fájlt tartalmaz: " + Wide(entry.name));
        index |= entry.name == "index.txt";
    }
    if (!index) throw ZipError(L"A mentésből hiányzik az index.txt");
    return entries;
}

void RestoreDataFiles(const std::wstring& programDir, const std::vector<ZipEntry>& files) {
    const std::wstring data = EntryStore::DataDir(programDir);
    std::set<std::wstring> restored;
    for (const ZipEntry& entry : files) {
        WriteFileAtomically(data + L"\\" + Wide(entry.name), entry.bytes);
        restored.insert(Wide(entry.name));
    }
    for (const FolderEntry& file : ListFolder(data))
        if (IsDataFileName(file.name) && !restored.count(file.name)) DeleteFileIfExists(data + L"\\" + file.name);
}

void RestoreSnapshot(const std::wstring& programDir, const std::wstring& name) {
    RestoreDataFiles(programDir, ReadSnapshot(programDir, name));
}
