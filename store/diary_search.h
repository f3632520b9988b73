// Full-text search over the diary: the title words of every index line, the text
// of every day's note and the notepad. The plain texts of the notes are kept in
// memory and read again only when a file's size or time has changed, so only the
// first search after start reads the whole diary; that reading is done in slices
// the caller sizes, so a window stays responsive while it runs. The texts are also
// kept in a cache file in the data folder, so the next start reads only what changed
// since; the cache is only ever a help: a missing or damaged one is rebuilt.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string_view>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/folder_list.h"
#include "store/index_lines.h"
#include "store/search_match.h"

struct SearchHit {
    std::wstring dateKey;  // "yyyymmdd"; empty for the notepad
    int line = -1;         // index of the day's line in the entry index
    std::wstring title1, title2;
    int32_t colour1 = 0, colour2 = 0;
    std::wstring snippet;  // the note around the first hit
    bool yearly = false;   // an entry shown every year ("minden évben"; the diary marks it)
};

// True when the data folder's listing shows no cache file, or at least
// DiarySearch::kReadsWorthSaving notes (the notepad included) written after it: the
// first search would read them all, so reading them ahead and writing the cache pays.
bool SearchCacheWorthRenewing(const std::vector<FolderEntry>& dataFolder);

class DiarySearch {
public:
    using FileReader = std::function<std::string(const std::wstring& path)>;
    using FolderLister = std::function<std::vector<FolderEntry>(const std::wstring& folder)>;
    using FileWriter = std::function<void(const std::wstring& path, std::string_view bytes)>;

    // The readers are replaceable for tests; by default the real files. Without a
    // writer no cache file is read or written.
    DiarySearch();
    DiarySearch(FileReader reader, FolderLister lister, FileWriter writer = nullptr);

    // Looks at the data folder and notes the files that are new or changed since
    // they were last read (and forgets the deleted ones). Cheap: one folder listing.
    void Plan(const std::wstring& dataDir);
    // Reads noted files until the deadline has passed (at least one per call).
    // True when nothing is left to read.
    bool Work(std::chrono::steady_clock::time_point deadline);
    bool Ready() const { return pending_.empty(); }
    size_t Pending() const { return pending_.size(); }
    size_t CachedNotes() const { return texts_.size(); }

    // The days of `indexLines` (and the notepad) that match, newest first. The last
    // line of a date stands for the day, as everywhere in the program. Notes not yet
    // read count as empty, so call it when Ready().
    std::vector<SearchHit> Find(const IndexLines& indexLines, const SearchQuery& query) const;

    // Plan and read everything at once.
    void Refresh(const std::wstring& dataDir);

    static constexpr const wchar_t* kNotepadFile = L"jegyzet.rtf";
    static constexpr const wchar_t* kCacheFile = L"kereses.cache";

    // The cache file's bytes: every text read whole, with the stamps it was read at.
    std::string CacheBytes() const;
    // Takes the texts of a cache file; false (and nothing taken) when it is not one
    // this program wrote whole.
    bool LoadCache(std::string_view bytes);

    // Notes written after the cache file (or no cache file) that make a first search
    // slow enough to be worth reading ahead: as many as a reading saves the cache for.
    static constexpr size_t kReadsWorthSaving = 16;

private:
    struct NoteText {
        uint64_t size = 0;
        int64_t writeTime = 0;
        std::wstring text;    // plain text
        std::wstring folded;  // the same, folded for matching
    };
    struct PendingFile {
        std::wstring key;  // "yyyymmdd" or the notepad's name
        uint64_t size;
        int64_t writeTime;
    };
    void Read(const PendingFile& file);
    void SaveCacheIfChanged();
    static SearchHit Hit(const std::wstring& line, int index);

    FileReader reader_;
    FolderLister lister_;
    FileWriter writer_;
    std::wstring dataDir_;
    // Notes read since the cache file was written. A few changed notes cost the next
    // start little, so the file (megabytes for years of notes) is written again only
    // after a larger reading.
    size_t readSinceSave_ = 0;
    std::unordered_map<std::wstring, NoteText> texts_;
    std::vector<PendingFile> pending_;
};
