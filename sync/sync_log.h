// The sync's log in the data folder ("Data\Szinkron-naplo.txt", UTF-8): what was sent
// and received, one line each with its time; only the last few hundred lines are kept.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/eljaras.h"

inline constexpr const wchar_t* kSyncLogFile = L"Szinkron-naplo.txt";

class SyncLog {
public:
    explicit SyncLog(std::wstring path, size_t keepLines = 400) : path_(std::move(path)), keep_(keepLines) {}
    static std::wstring PathIn(const std::wstring& programDir);

    void Line(const DateTime& at, const std::wstring& text);
    // Appends the lines noted since the last write, drops the oldest past the limit,
    // replaces the file atomically. A log that cannot be written is no error of the sync.
    void Write() noexcept;
    const std::vector<std::string>& Pending() const { return pending_; }

private:
    std::wstring path_;
    size_t keep_;
    std::vector<std::string> pending_;
};
