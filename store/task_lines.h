// The monthly task list as text: the list line of an index line, the month's lines
// in the order the list shows them, and what the printed list and the note pane
// take from a line. No window system here.
//
// List line (67 characters for a whole index line):
//   1-11 date "yyyy.mm.dd." | 12-31 title 1 | 32-51 title 2 | 52-59 colour 1 | 60-67 colour 2
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "store/entry_store.h"

constexpr size_t kListDateWidth = 11;
constexpr size_t kReportLineLength = kListDateWidth + 2 * kTitleWidth;  // 51

// Text order for the list: negative, zero or positive like wcscmp. The program passes
// the user's locale without case; tests pass something simple.
using TextCompare = std::function<int(const std::wstring&, const std::wstring&)>;

// The list line of an index line. Pieces are cut from the line as far as it goes and
// never padded again, so a short index line gives a short list line.
std::wstring ListLine(const std::wstring& indexLine);

// List lines of the index lines whose first six characters are `monthKey` ("yyyymm"),
// ascending under `compare` (equal lines keep their stored order).
std::vector<std::wstring> MonthListLines(const EntryStore& store, const std::wstring& monthKey,
                                         const TextCompare& compare);

// What the printed list takes of a line: its first 51 characters.
std::wstring ReportLineOfListLine(const std::wstring& listLine);
std::wstring ReportLine(const std::wstring& indexLine);
std::vector<std::wstring> ReportLines(const std::vector<std::wstring>& listLines);

// Columns of a list line as the list shows them (trailing blanks kept).
std::wstring ListDateText(const std::wstring& listLine);    // 1-11
std::wstring ListTitle1Text(const std::wstring& listLine);  // 12-31
std::wstring ListTitle2Text(const std::wstring& listLine);  // 32-51
std::wstring ListColour1Text(const std::wstring& listLine); // 52-59
std::wstring ListColour2Text(const std::wstring& listLine); // 60-67

// "yyyy.mm.dd." of a list row -> the note's file name without extension, "yyyymmdd".
std::wstring NoteFileOfRow(const std::wstring& dateText);
