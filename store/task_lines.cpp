#include "store/task_lines.h"

#include <algorithm>

std::wstring ListLine(const std::wstring& indexLine) {
    auto field = [&](size_t position, size_t width) { return EntryField(indexLine, position, width); };
    return field(1, 4) + L"." + field(5, 2) + L"." + field(7, 2) + L"." + field(9, kTitleWidth) +
           field(9 + kTitleWidth, kTitleWidth) + field(9 + 2 * kTitleWidth, kColourWidth) +
           field(9 + 2 * kTitleWidth + kColourWidth, kColourWidth);
}

std::vector<std::wstring> MonthListLines(const EntryStore& store, const std::wstring& monthKey,
                                         const TextCompare& compare) {
    std::vector<std::wstring> lines;
    for (const auto& line : store.SelectMonth(monthKey)) lines.push_back(ListLine(line));
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const std::wstring& a, const std::wstring& b) { return compare(a, b) < 0; });
    return lines;
}

std::wstring ReportLineOfListLine(const std::wstring& listLine) { return listLine.substr(0, kReportLineLength); }

std::wstring ReportLine(const std::wstring& indexLine) { return ReportLineOfListLine(ListLine(indexLine)); }

std::vector<std::wstring> ReportLines(const std::vector<std::wstring>& listLines) {
    std::vector<std::wstring> out;
    out.reserve(listLines.size());
    for (const auto& line : listLines) out.push_back(ReportLineOfListLine(line));
    return out;
}

std::wstring ListDateText(const std::wstring& l) { return EntryField(l, 1, kListDateWidth); }
std::wstring ListTitle1Text(const std::wstring& l) { return EntryField(l, 12, kTitleWidth); }
std::wstring ListTitle2Text(const std::wstring& l) { return EntryField(l, 12 + kTitleWidth, kTitleWidth); }
std::wstring ListColour1Text(const std::wstring& l) { return EntryField(l, 52, kColourWidth); }
std::wstring ListColour2Text(const std::wstring& l) { return EntryField(l, 52 + kColourWidth, kColourWidth); }

std::wstring NoteFileOfRow(const std::wstring& dateText) {
    return EntryField(dateText, 1, 4) + EntryField(dateText, 6, 2) + EntryField(dateText, 9, 2);
}
