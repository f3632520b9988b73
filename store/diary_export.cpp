#include "store/diary_export.h"

#include <algorithm>
#include <ctime>
#include <iterator>

#include "platform/file_io.h"
#include "store/entry_store.h"
#include "store/nevnapok.h"
#include "store/rtf_text.h"
#include "store/work_calendar.h"

std::wstring NotePlainText(const std::wstring& programDir, const Date& date) {
    const std::wstring path = EntryStore::NotePath(programDir, date);
    if (!FileExists(path)) return {};
    std::wstring text = RtfToPlainText(ReadWholeFile(path));
    const size_t end = text.find_last_not_of(L" \t\r\n");
    text.erase(end == std::wstring::npos ? 0 : end + 1);
    return text;
}

size_t ExportDiary(const std::wstring& programDir, const EntryStore& index, const ExportRange& range,
                   const std::wstring& path, const DateTime& stampUtc, const WorkCalendar* calendar,
                   const std::function<void(CalendarEvent&)>& decorate) {
    auto events = DiaryEvents(index, range, [&](const Date& date) { return NotePlainText(programDir, date); });
    if (decorate)
        for (CalendarEvent& e : events) decorate(e);
    if (calendar) {
        std::vector<int> years;
        if (!range.datePrefix.empty()) {
            years.push_back(std::stoi(range.datePrefix.substr(0, 4)));
        } else {
            years = calendar->Years();
            for (const CalendarEvent& e : events) years.push_back(e.date.year);
        }
        auto days = WorkCalendarEvents(*calendar, years, range);
        events.insert(events.end(), std::make_move_iterator(days.begin()), std::make_move_iterator(days.end()));
        std::stable_sort(events.begin(), events.end(), [](const CalendarEvent& a, const CalendarEvent& b) {
            return SerialOf(a.date) < SerialOf(b.date);
        });
    }
    WriteFileAtomically(path, WriteCalendar(events, stampUtc, L"Tivorn"));
    return events.size();
}

size_t ExportNameDays(const TNevnapok& names, int year, const std::wstring& path, const DateTime& stampUtc) {
    const auto events = NameDayEvents(names, year);
    WriteFileAtomically(path, WriteCalendar(events, stampUtc, L"Névnapok"));
    return events.size();
}

DateTime UtcNow() {
    const std::time_t t = std::time(nullptr);
    std::tm utc{};
#ifdef _WIN32
    gmtime_s(&utc, &t);
#else
    gmtime_r(&t, &utc);
#endif
    return DateTime{Date{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday}, utc.tm_hour, utc.tm_min, utc.tm_sec};
}
