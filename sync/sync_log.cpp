#include "sync/sync_log.h"

#include <cstdio>

#include "platform/errors.h"
#include "platform/file_io.h"
#include "store/entry_store.h"

std::wstring SyncLog::PathIn(const std::wstring& programDir) {
    return EntryStore::DataDir(programDir) + L"\\" + kSyncLogFile;
}

void SyncLog::Line(const DateTime& at, const std::wstring& text) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", at.date.year, at.date.month, at.date.day,
                  at.hour, at.minute, at.second);
    std::string line = stamp + WideToUtf8(text);
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    pending_.push_back(std::move(line));
}

void SyncLog::Write() noexcept {
    if (pending_.empty()) return;
    try {
        std::vector<std::string_view> lines;
        std::string old;
        if (FileExists(path_)) old = ReadWholeFile(path_);
        for (size_t start = 0; start < old.size();) {
            size_t end = old.find('\n', start);
            if (end == std::string::npos) end = old.size();
            std::string_view line(old.data() + start, end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (!line.empty()) lines.push_back(line);
            start = end + 1;
        }
        for (const std::string& line : pending_) lines.push_back(line);
        const size_t first = lines.size() > keep_ ? lines.size() - keep_ : 0;
        std::string text;
        for (size_t i = first; i < lines.size(); ++i) {
            text += lines[i];
            text += "\r\n";
        }
        WriteFileAtomically(path_, text);
        pending_.clear();
    } catch (...) {
        // The lines wait for the next write.
    }
}
