// The rows of the diary search's result list: the day a hit belongs to and the
// texts of its columns.
#pragma once

#include <string>

#include "platform/eljaras.h"
#include "store/diary_search.h"

enum SearchColumn { kSearchDate, kSearchTitle1, kSearchTitle2, kSearchSnippet, kSearchColumnCount };

// The day of an index key "yyyymmdd".
Date DateOfKey(const std::wstring& key);

// "yyyy.mm.dd." (the notepad: "Jegyzettömb"), the titles, the snippet; empty past the last column.
std::wstring SearchCellText(const SearchHit& hit, int column);
