#include "store/diary_export.h"

#include <ctime>

#include "platform/file_io.h"
#include "store/entry_store.h"
#include "store/nevnapok.h"
#include "store/rtf_text.h"

std::wstring NotePlainText(const std::wstring& programDir, const Date& date) {
    const std::wstring path = EntryStore::NotePath(programDir, date);
    if (!FileExists(path)) return {};
    std::wstring text = RtfToPlainText(ReadWholeFile(path));
    const size_t end = text.find_last_not_of(L" \t\r\n");
    text.erase(end == std::wstring::npos ? 0 : end + 1);
    return text;
}

size_t ExportDiary(const std::wstring& programDir, const EntryStore& index, const ExportRange& range,
                   const std::wstring& path, const DateTime& stampUtc) {
    const auto events =
        DiaryEvents(index, range, [&](const Date& date) { return NotePlainText(programDir, date); });
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
