// The files of one folder with their sizes and last-write times, in one pass over
// the folder: the search keeps its extracted note texts fresh by these stamps, and
// the snapshot list shows the zip files' sizes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FolderEntry {
    std::wstring name;     // file name without the folder
    uint64_t size = 0;     // bytes
    int64_t writeTime = 0; // last write, in the system's own units (only compared, never shown)
};

// Plain files of `folder` (no sub-folders), in no particular order; an empty list
// when the folder does not exist or cannot be read.
std::vector<FolderEntry> ListFolder(const std::wstring& folder);
