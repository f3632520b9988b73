// Reading the entry index beside the making of the windows: at start the index file
// is read and packed on a thread of its own while the main window and the others
// are made, and the first show sequence takes the lines (or the read's error) from
// it instead of reading the file then. A century of daily entries is a few
// milliseconds of work that the start no longer waits for.
#pragma once

#include <future>
#include <optional>
#include <string>

#include "store/index_lines.h"

class IndexPreload {
public:
    IndexPreload() = default;
    IndexPreload(const IndexPreload&) = delete;
    IndexPreload& operator=(const IndexPreload&) = delete;
    ~IndexPreload();

    // Starts reading the index of the program folder, as EntryStore::ReadIndex does
    // (the Data folder made when missing, the leftovers of cut-short saves removed,
    // an empty index made when there is none). Does nothing while a read waits.
    void Start(const std::wstring& programDir);

    // The lines read for that program folder, once: later calls, and a call for
    // another folder, give nothing, so that the caller reads the file itself. The
    // read's error is thrown here, in the caller's thread.
    std::optional<IndexLines> Take(const std::wstring& programDir);

private:
    std::wstring programDir_;
    std::future<IndexLines> read_;
};
