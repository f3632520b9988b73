// The readers of the reminders' files (reminder_files.h). The first byte picks the
// file and whether its first line is put in front (so most inputs reach the records).
// Property: a text is refused with ReminderFileError or read; what is read is written
// and read again to the same values with nothing skipped, and every occurrence named
// in the state reads back to the same name.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "store/reminder_files.h"
#include "store/reminder_schedule.h"

namespace {

template <class Parse, class Write>
void RoundTrip(Parse parse, Write write, const std::string& text) {
    decltype(parse(text, L"")) first;
    try {
        first = parse(text, L"f.txt");
    } catch (const ReminderFileError& e) {
        FUZZ_CHECK(e.Text().find(L"f.txt") != std::wstring::npos);
        return;
    }
    const auto again = parse(write(first.value), L"f.txt");
    FUZZ_CHECK(again.skipped == 0);
    FUZZ_CHECK(again.value == first.value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    static const char* const kHeads[] = {"Tivorn emlékeztetők 1\n", "Tivorn évenkénti bejegyzések 1\n",
                                         "Tivorn emberek 1\n", "Tivorn emlékeztetők állapota 1\n"};
    const int kind = data[0] % 4;
    std::string text(BytesOf(data + 1, size - 1));
    if (data[0] & 4) text = kHeads[kind] + text;
    switch (kind) {
        case 0: RoundTrip(ParseRemindersFile, WriteRemindersFile, text); break;
        case 1: RoundTrip(ParseYearlyFile, WriteYearlyFile, text); break;
        case 2: RoundTrip(ParsePeopleFile, WritePeopleFile, text); break;
        default:
            RoundTrip(ParseReminderStateFile, WriteReminderStateFile, text);
            try {
                for (const std::wstring& key : ParseReminderStateFile(text, L"f.txt").value.done)
                    if (const auto o = OccurrenceOfKey(key)) FUZZ_CHECK(o->Key() == key);
            } catch (const ReminderFileError&) {
            }
    }
    return 0;
}
