// The reader of the moved working days (Data\Munkarend.txt) and the working calendar
// made from it. Property: a text is refused with MovedDaysError or read whole; what is
// read keeps its own rules (rest days on weekdays, worked days on weekends, each day
// once, the years ascending and each once), the calendar gives back every day as the
// file has it, and the long weekends of a known year are runs of three or more days off.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/text_file.h"
#include "store/moved_days.h"
#include "store/work_calendar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring text = DecodeTextFile(std::string(reinterpret_cast<const char*>(data), size));
    MovedDays moved;
    try {
        moved = ParseMovedDays(text, L"Munkarend.txt");
    } catch (const MovedDaysError& e) {
        FUZZ_CHECK(e.Text().find(L". sor: ") != std::wstring::npos);
        return 0;
    }
    FUZZ_CHECK(std::adjacent_find(moved.years.begin(), moved.years.end(),
                                  [](int a, int b) { return a >= b; }) == moved.years.end());
    const WorkCalendar calendar(moved);
    for (const MovedDay& day : moved.days) {
        const bool weekend = MondayFirstDayOfWeek(day.date) >= 6;
        FUZZ_CHECK(day.restDay != weekend);
        const WorkDay seen = calendar.Day(day.date);
        FUZZ_CHECK(seen.kind == (day.restDay ? DayKind::RestDay : DayKind::MovedWorkday));
        FUZZ_CHECK(seen.name == day.note);
    }
    if (!moved.years.empty()) {
        const int year = moved.years.front();
        for (const DayRun& run : LongWeekends(calendar, year)) {
            FUZZ_CHECK(run.Length() >= 3);
            FUZZ_CHECK(run.first.year <= year && run.last.year >= year);
            for (Date d = run.first; SerialOf(d) <= SerialOf(run.last); d = AddDays(d, 1))
                FUZZ_CHECK(calendar.Day(d).Off());
        }
    }
    return 0;
}
