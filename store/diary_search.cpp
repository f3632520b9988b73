#include "store/diary_search.h"

#include <algorithm>
#include <unordered_set>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/text_file.h"
#include "platform/utf8.h"
#include "store/entry_store.h"
#include "store/rtf_text.h"

namespace {

// "yyyymmdd.rtf": the note of a day.
bool IsNoteName(const std::wstring& name, std::wstring& key) {
    if (name.size() != 12) return false;
    for (size_t i = 0; i < 8; ++i)
        if (name[i] < L'0' || name[i] > L'9') return false;
    std::wstring extension = FoldForSearch(name.substr(8));
    if (extension != L".rtf") return false;
    key = name.substr(0, 8);
    return true;
}

bool IsDateKey(const std::wstring& line) {
    if (line.size() < 8) return false;
    for (size_t i = 0; i < 8; ++i)
        if (line[i] < L'0' || line[i] > L'9') return false;
    return true;
}

}  // namespace

bool SearchCacheWorthRenewing(const std::vector<FolderEntry>& dataFolder) {
    const auto cache = std::find_if(dataFolder.begin(), dataFolder.end(), [](const FolderEntry& entry) {
        return FoldForSearch(entry.name) == DiarySearch::kCacheFile;
    });
    if (cache == dataFolder.end()) return true;
    size_t newer = 0;
    for (const FolderEntry& entry : dataFolder) {
        std::wstring key;
        const bool note = FoldForSearch(entry.name) == DiarySearch::kNotepadFile || IsNoteName(entry.name, key);
        if (note && entry.writeTime > cache->writeTime && ++newer >= DiarySearch::kReadsWorthSaving) return true;
    }
    return false;
}

DiarySearch::DiarySearch() : DiarySearch(ReadWholeFile, ListFolder, WriteFileAtomically) {}

DiarySearch::DiarySearch(FileReader reader, FolderLister lister, FileWriter writer)
    : reader_(std::move(reader)), lister_(std::move(lister)), writer_(std::move(writer)) {}

void DiarySearch::Plan(const std::wstring& dataDir) {
    if (dataDir != dataDir_) {
        texts_.clear();
        if (writer_) {
            try {
                LoadCache(reader_(dataDir + L"\\" + kCacheFile));
            } catch (const std::exception&) {
                // No cache yet (or it cannot be read): every note is read once.
            }
        }
    }
    dataDir_ = dataDir;
    pending_.clear();
    std::unordered_set<std::wstring> present;
    for (const FolderEntry& entry : lister_(dataDir)) {
        std::wstring key;
        if (FoldForSearch(entry.name) == kNotepadFile)
            key = kNotepadFile;
        else if (!IsNoteName(entry.name, key))
            continue;
        present.insert(key);
        auto it = texts_.find(key);
        if (it == texts_.end() || it->second.size != entry.size || it->second.writeTime != entry.writeTime)
            pending_.push_back({key, entry.size, entry.writeTime});
    }
    std::erase_if(texts_, [&](const auto& item) { return !present.count(item.first); });
    if (pending_.empty()) SaveCacheIfChanged();
}

void DiarySearch::Read(const PendingFile& file) {
    const std::wstring name = file.key == kNotepadFile ? file.key : file.key + L".rtf";
    NoteText note;
    note.size = file.size;
    note.writeTime = file.writeTime;
    try {
        note.text = RtfToPlainText(reader_(dataDir_ + L"\\" + name));
    } catch (const AppError&) {
        // A note that cannot be read now (locked, removed meanwhile) is tried again
        // at the next search; until then it has no text.
        note.writeTime = -1;
    }
    note.folded = FoldForSearch(note.text);
    texts_[file.key] = std::move(note);
    ++readSinceSave_;
}

bool DiarySearch::Work(std::chrono::steady_clock::time_point deadline) {
    while (!pending_.empty()) {
        Read(pending_.back());
        pending_.pop_back();
        if (std::chrono::steady_clock::now() >= deadline) break;
    }
    if (pending_.empty()) SaveCacheIfChanged();
    return pending_.empty();
}

namespace {

constexpr std::string_view kCacheHeader = "TIVORN KERESES 1\n";
constexpr std::string_view kCacheEnd = "VEGE\n";

// One field of a record up to `stop`; false when the bytes end before it.
bool TakeField(std::string_view& bytes, char stop, std::string_view& field) {
    const size_t end = bytes.find(stop);
    if (end == std::string_view::npos) return false;
    field = bytes.substr(0, end);
    bytes.remove_prefix(end + 1);
    return true;
}

// A decimal number of at most `limit`, digits only: the cache holds no other kind.
bool ParseDigits(std::string_view field, uint64_t limit, uint64_t& value) {
    if (field.empty()) return false;
    value = 0;
    for (char c : field) {
        if (c < '0' || c > '9') return false;
        const auto digit = static_cast<uint64_t>(c - '0');
        if (value > (limit - digit) / 10) return false;  // past the field's range
        value = value * 10 + digit;
    }
    return true;
}

// A size or a length.
bool TakeCount(std::string_view& bytes, char stop, uint64_t& value) {
    std::string_view field;
    return TakeField(bytes, stop, field) && ParseDigits(field, UINT64_MAX, value);
}

// A file's time, which may be negative (the Linux file clock counts back from its
// epoch). -1 marks a note that could not be read; such a note is never written.
bool TakeTime(std::string_view& bytes, char stop, int64_t& value) {
    std::string_view field;
    if (!TakeField(bytes, stop, field)) return false;
    const bool negative = field.starts_with('-');
    if (negative) field.remove_prefix(1);
    uint64_t magnitude = 0;
    const uint64_t limit = negative ? uint64_t{1} << 63 : INT64_MAX;
    if (!ParseDigits(field, limit, magnitude)) return false;
    value = static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
    return value != -1;
}

}  // namespace

// Records: key TAB size TAB time TAB length LF, then `length` bytes of UTF-8 text
// and LF; the closing line tells a whole file from a cut one. The records go in key
// order, so the same texts always make the same file. The bytes are made in one
// buffer sized beforehand: years of notes are megabytes, and growing them (or a
// string per note) costs more than the conversion itself.
std::string DiarySearch::CacheBytes() const {
    auto utf8Length = [](std::wstring_view text) {
        size_t length = 0;
        ForEachCodePoint(text, [&length](char32_t c) {
            length += c < 0x80 ? 1 : c < 0x800 ? 2 : (c < 0x10000 || c > 0x10FFFF) ? 3 : 4;
        });
        return length;
    };
    std::vector<const std::wstring*> keys;
    keys.reserve(texts_.size());
    size_t total = kCacheHeader.size() + kCacheEnd.size();
    for (const auto& [key, note] : texts_) {
        keys.push_back(&key);
        total += 3 * key.size() + 64 + 3 * note.text.size();
    }
    std::sort(keys.begin(), keys.end(), [](const std::wstring* a, const std::wstring* b) { return *a < *b; });
    std::string out;
    out.reserve(total);
    out += kCacheHeader;
    for (const std::wstring* keyPointer : keys) {
        const std::wstring& key = *keyPointer;
        const NoteText& note = texts_.at(key);
        if (note.writeTime == -1) continue;  // not read: tried again next time
        ForEachCodePoint(key, [&out](char32_t c) { AppendUtf8(out, c); });
        out += '\t';
        out += std::to_string(note.size);
        out += '\t';
        out += std::to_string(note.writeTime);
        out += '\t';
        out += std::to_string(utf8Length(note.text));
        out += '\n';
        ForEachCodePoint(note.text, [&out](char32_t c) { AppendUtf8(out, c); });
        out += '\n';
    }
    out += kCacheEnd;
    return out;
}

bool DiarySearch::LoadCache(std::string_view bytes) {
    if (bytes.substr(0, kCacheHeader.size()) != kCacheHeader) return false;
    bytes.remove_prefix(kCacheHeader.size());
    std::unordered_map<std::wstring, NoteText> loaded;
    while (bytes != kCacheEnd) {
        std::string_view key;
        NoteText note;
        uint64_t length = 0;
        if (!TakeField(bytes, '\t', key) || !TakeCount(bytes, '\t', note.size) ||
            !TakeTime(bytes, '\t', note.writeTime) || !TakeCount(bytes, '\n', length) ||
            length >= bytes.size() || bytes[static_cast<size_t>(length)] != '\n')
            return false;
        // CacheBytes writes valid UTF-8 only; other bytes would not read back as the
        // same text.
        const std::string_view text = bytes.substr(0, static_cast<size_t>(length));
        if (!IsValidUtf8(key) || !IsValidUtf8(text)) return false;
        note.text = Utf8ToWide(text);
        note.folded = FoldForSearch(note.text);
        bytes.remove_prefix(text.size() + 1);
        loaded[Utf8ToWide(key)] = std::move(note);
    }
    texts_ = std::move(loaded);
    readSinceSave_ = 0;
    return true;
}

void DiarySearch::SaveCacheIfChanged() {
    if (!writer_ || readSinceSave_ < kReadsWorthSaving || dataDir_.empty()) return;
    try {
        writer_(dataDir_ + L"\\" + kCacheFile, CacheBytes());
        readSinceSave_ = 0;
    } catch (const std::exception&) {
        // A cache that cannot be written (full disk, read-only folder) only costs the
        // next start a full reading; the search itself has what it needs.
    }
}

void DiarySearch::Refresh(const std::wstring& dataDir) {
    Plan(dataDir);
    while (!Work(std::chrono::steady_clock::time_point::max())) {
    }
}

SearchHit DiarySearch::Hit(const std::wstring& line, int index) {
    SearchHit hit;
    hit.dateKey = line.substr(0, 8);
    hit.line = index;
    hit.title1 = Trim(EntryTitle1(line));
    hit.title2 = Trim(EntryTitle2(line));
    hit.colour1 = EntryColour1(line);
    hit.colour2 = EntryColour2(line);
    return hit;
}

namespace {

// "yyyymmdd" as a number, for a cheap look-up of the day's last line.
int DateNumber(const std::wstring& line) {
    int value = 0;
    for (size_t i = 0; i < 8; ++i) value = value * 10 + (line[i] - L'0');
    return value;
}

}  // namespace

std::vector<SearchHit> DiarySearch::Find(const IndexLines& indexLines, const SearchQuery& query) const {
    std::vector<SearchHit> hits;
    if (query.Empty()) return hits;
    // The last line of each date is the day's line.
    std::unordered_map<int, int> lastLine;
    lastLine.reserve(indexLines.size());
    std::wstring line, key, titles;  // reused: no allocation per line or day
    for (size_t i = 0; i < indexLines.size(); ++i) {
        indexLines.CopyTo(i, key, 8);
        if (IsDateKey(key)) lastLine[DateNumber(key)] = static_cast<int>(i);
    }

    static const NoteText kNoNote;
    for (const auto& [date, index] : lastLine) {
        indexLines.CopyTo(static_cast<size_t>(index), line);
        // Both titles (positions 9-48) as one text, prepared for matching.
        const std::wstring_view both = std::wstring_view(line).substr(8, 2 * kTitleWidth);
        titles.assign(both);
        if (!query.Exact())
            for (wchar_t& c : titles) c = FoldCharacter(c);
        key.assign(line, 0, 8);
        auto it = texts_.find(key);
        const NoteText& note = it != texts_.end() ? it->second : kNoNote;
        const std::wstring& noteText = query.Exact() ? note.text : note.folded;
        if (!query.MatchesAll({titles, noteText})) continue;
        SearchHit hit = Hit(line, index);
        hit.snippet = SnippetAround(note.text, query.FirstHit(noteText));
        hits.push_back(std::move(hit));
    }
    std::sort(hits.begin(), hits.end(), [](const SearchHit& a, const SearchHit& b) { return a.dateKey > b.dateKey; });

    if (auto it = texts_.find(kNotepadFile); it != texts_.end()) {
        const std::wstring& text = query.Exact() ? it->second.text : it->second.folded;
        if (query.MatchesAll({text})) {
            SearchHit notepad;
            notepad.snippet = SnippetAround(it->second.text, query.FirstHit(text));
            hits.push_back(std::move(notepad));
        }
    }
    return hits;
}
