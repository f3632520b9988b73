#include "store/index_preload.h"

#include "store/entry_store.h"

IndexPreload::~IndexPreload() {
    // A read still running touches the data folder: the program waits for it.
    if (read_.valid()) read_.wait();
}

void IndexPreload::Start(const std::wstring& programDir) {
    if (read_.valid()) return;
    programDir_ = programDir;
    read_ = std::async(std::launch::async, [dir = programDir] { return EntryStore::ReadIndex(dir); });
}

std::optional<IndexLines> IndexPreload::Take(const std::wstring& programDir) {
    if (!read_.valid()) return std::nullopt;
    if (programDir != programDir_) {
        read_.wait();  // its folder is not the one asked for; what it read is dropped
        read_ = {};
        return std::nullopt;
    }
    auto read = std::move(read_);
    return read.get();
}
