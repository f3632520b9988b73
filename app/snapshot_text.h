// How the snapshots window shows a snapshot: when it was taken and how large it is.
#pragma once

#include <cstdint>
#include <string>

#include "store/snapshots.h"

// "2026.12.08." for a day's snapshot; "2026.12.08. 10:15:00" for one taken before a restore.
std::wstring SnapshotWhenText(const SnapshotFile& file);

// "12 KB" (rounded up) below a megabyte, "1.5 MB" from there.
std::wstring SnapshotSizeText(uint64_t bytes);
