#include "store/hungarian_time.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr int64_t kSerialOf1970 = 25569;  // 1970-01-01 in the platform's day count

Instant MidnightUtc(const Date& day) { return (SerialOf(day) - kSerialOf1970) * kSecondsPerDay; }

Date LastSunday(int year, int month) {
    const Date last{year, month, DaysInMonth(year, month)};
    return AddDays(last, -(MondayFirstDayOfWeek(last) % 7));
}

bool SummerTime(Instant moment) {
    const int year = DateFromSerial(kSerialOf1970 + (moment >= 0 ? moment / kSecondsPerDay : (moment - kSecondsPerDay + 1) / kSecondsPerDay)).year;
    return moment >= MidnightUtc(LastSunday(year, 3)) + kSecondsPerHour && moment < MidnightUtc(LastSunday(year, 10)) + kSecondsPerHour;
}

int Number(std::wstring_view digits) {
    int n = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return -1;
        n = n * 10 + (c - L'0');
    }
    return n;
}

}  // namespace

Instant InstantNow() { return static_cast<Instant>(std::time(nullptr)); }

Instant LocalToInstant(const Date& day, int minuteOfDay) {
    const Instant wall = MidnightUtc(day) + minuteOfDay * kSecondsPerMinute;
    const Instant asSummer = wall - 2 * kSecondsPerHour, asWinter = wall - kSecondsPerHour;
    if (SummerTime(asSummer)) return asSummer;  // also the first of a doubled time
    return asWinter;                           // winter time, or a skipped time read as winter
}

DateTime InstantToLocal(Instant moment) {
    const Instant wall = moment + (SummerTime(moment) ? 2 * kSecondsPerHour : kSecondsPerHour);
    const Instant days = wall >= 0 ? wall / kSecondsPerDay : (wall - kSecondsPerDay + 1) / kSecondsPerDay;
    const Instant seconds = wall - days * kSecondsPerDay;
    return DateTime{DateFromSerial(kSerialOf1970 + days), static_cast<int>(seconds / kSecondsPerHour),
                    static_cast<int>(seconds % kSecondsPerHour / kSecondsPerMinute), static_cast<int>(seconds % kSecondsPerMinute)};
}

std::wstring InstantText(Instant moment) {
    const Instant days = moment >= 0 ? moment / kSecondsPerDay : (moment - kSecondsPerDay + 1) / kSecondsPerDay;
    const Instant seconds = moment - days * kSecondsPerDay;
    wchar_t text[24];
    std::swprintf(text, 24, L"%lsT%02d%02d%02dZ", DateKey(DateFromSerial(kSerialOf1970 + days)).c_str(),
                  static_cast<int>(seconds / kSecondsPerHour), static_cast<int>(seconds % kSecondsPerHour / kSecondsPerMinute),
                  static_cast<int>(seconds % kSecondsPerMinute));
    return text;
}

std::optional<Instant> ParseInstantText(std::wstring_view text) {
    if (text.size() != 16 || text[8] != L'T' || text[15] != L'Z') return std::nullopt;
    const Date day{Number(text.substr(0, 4)), Number(text.substr(4, 2)), Number(text.substr(6, 2))};
    const int hour = Number(text.substr(9, 2)), minute = Number(text.substr(11, 2)), second = Number(text.substr(13, 2));
    if (day.year < 1900 || day.month < 1 || day.month > 12 || day.day < 1 || day.day > DaysInMonth(day.year, day.month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return std::nullopt;
    return MidnightUtc(day) + hour * kSecondsPerHour + minute * kSecondsPerMinute + second;
}
