// The index file's reader and writer. Property: every line that was read is written
// back byte-equal; only the line ends become CR LF (a last line without one gets it).
// The look-ups on the parsed list stay inside it and agree with each other.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "store/entry_store.h"

namespace {

// The lines of the text as a plain reference splitter sees them: ends at CR LF, CR
// or LF; every other byte, NUL included, belongs to its line.
std::vector<std::string> ReferenceLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string current;
    bool open = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            current += c;
            open = true;
        }
    }
    if (open) lines.push_back(current);
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = BytesOf(data, size);
    const std::vector<std::wstring> lines = ParseIndexText(bytes);
    const std::vector<std::string> expected = ReferenceLines(bytes);
    FUZZ_CHECK(lines.size() == expected.size());

    std::string expectedText;
    for (const auto& line : expected) expectedText += line + "\r\n";
    const std::string written = SerializeIndexText(lines);
    FUZZ_CHECK(written == expectedText);
    // What was written reads back as the same lines.
    FUZZ_CHECK(ParseIndexText(written) == lines);

    EntryStore store;
    store.Lines = lines;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::wstring& line = lines[i];
        FUZZ_CHECK(EntryTitle1(line).size() <= static_cast<size_t>(kTitleWidth));
        FUZZ_CHECK(EntryTitle2(line).size() <= static_cast<size_t>(kTitleWidth));
        (void)EntryColour1(line);  // damaged colour fields read as black, never throw
        (void)EntryColour2(line);
        if (line.size() < 8) continue;
        const std::wstring date = line.substr(0, 8);
        const int found = store.FindEntryLine(date);
        // The last line of the date wins.
        FUZZ_CHECK(found >= static_cast<int>(i) && found < static_cast<int>(lines.size()));
        FUZZ_CHECK(lines[static_cast<size_t>(found)].compare(0, 8, date) == 0);
        for (const auto& picked : store.SelectMonth(date.substr(0, 6))) FUZZ_CHECK(picked.compare(0, 6, date, 0, 6) == 0);
    }
    // Opening and leaving a day without storing leaves the list as it was.
    if (!lines.empty() && lines.front().size() >= 8) {
        const std::wstring date = lines.front().substr(0, 8) + L"x";
        const int line = store.OpenDay(date);
        store.LeaveWithoutStoring(line);
        FUZZ_CHECK(store.Lines == lines);
        store.DeleteEntryLine(lines.front().substr(0, 8));
        FUZZ_CHECK(store.Lines.size() == lines.size() - 1);
    }
    return 0;
}
