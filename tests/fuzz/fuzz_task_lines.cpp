// The task list's lines made from index lines. Property: a list line holds the index
// line's pieces in their columns, the printed list takes its first 51 characters, a
// row's date names the day's note file, and the month's list holds exactly the
// month's lines in ascending order.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string>

#include "fuzz_check.h"
#include "store/task_lines.h"

namespace {

void CheckLine(const std::wstring& index) {
    const std::wstring list = ListLine(index);
    // Three dots in the date; nothing of the index line past its 64 characters.
    FUZZ_CHECK(list.size() == std::min<size_t>(index.size(), kDayEntryLength) + 3);
    FUZZ_CHECK(ReportLine(index) == list.substr(0, kReportLineLength));
    if (index.size() < 8) return;
    const std::wstring date = ListDateText(list);
    FUZZ_CHECK(date == index.substr(0, 4) + L"." + index.substr(4, 2) + L"." + index.substr(6, 2) + L".");
    FUZZ_CHECK(NoteFileOfRow(date) == index.substr(0, 8));
    FUZZ_CHECK(ListTitle1Text(list) == EntryTitle1(index));
    FUZZ_CHECK(ListTitle2Text(list) == EntryTitle2(index));
    FUZZ_CHECK(ListColour1Text(list) == EntryField(index, 49, kColourWidth));
    FUZZ_CHECK(ListColour2Text(list) == EntryField(index, 57, kColourWidth));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EntryStore store;
    store.Lines = ParseIndexText(BytesOf(data, size));
    for (const auto& line : store.Lines) CheckLine(line);
    if (store.Lines.empty() || store.Lines.front().size() < 6) return 0;

    const std::wstring month = store.Lines.front().substr(0, 6);
    const TextCompare compare = [](const std::wstring& a, const std::wstring& b) { return a.compare(b); };
    const std::vector<std::wstring> listed = MonthListLines(store, month, compare);
    FUZZ_CHECK(listed.size() == store.SelectMonth(month).size());
    for (size_t i = 0; i < listed.size(); ++i) {
        FUZZ_CHECK(NoteFileOfRow(ListDateText(listed[i])).compare(0, 6, month) == 0);
        if (i > 0) FUZZ_CHECK(compare(listed[i - 1], listed[i]) <= 0);
    }
    FUZZ_CHECK(ReportLines(listed).size() == listed.size());
    return 0;
}
