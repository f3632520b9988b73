#include "store/ics_alarm.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

bool SameLetters(std::wstring_view text, std::wstring_view upper) {
    return text.size() == upper.size() && std::equal(text.begin(), text.end(), upper.begin(), [](wchar_t a, wchar_t b) {
               return (a >= L'a' && a <= L'z' ? a - L'a' + L'A' : a) == b;
           });
}

}  // namespace

std::optional<int64_t> DurationMinutes(std::wstring_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (i >= text.size() || text[i] != L'P') return std::nullopt;
    ++i;
    // Seconds in all; a year of them at most is plenty for an alarm.
    constexpr int64_t kMost = 400LL * 24 * 3600;
    int64_t seconds = 0, number = 0;
    bool digits = false, time = false, any = false;
    for (; i < text.size(); ++i) {
        const wchar_t ch = text[i];
        if (ch >= L'0' && ch <= L'9') {
            number = std::min<int64_t>(number * 10 + (ch - L'0'), kMost);
            digits = true;
            continue;
        }
        if (ch == L'T' && !time && !digits) {
            time = true;
            continue;
        }
        if (!digits) return std::nullopt;
        int64_t unit = 0;
        if (!time && ch == L'W') unit = 7 * 24 * 3600;
        else if (!time && ch == L'D') unit = 24 * 3600;
        else if (time && ch == L'H') unit = 3600;
        else if (time && ch == L'M') unit = 60;
        else if (time && ch == L'S') unit = 1;
        else return std::nullopt;
        seconds = std::min(seconds + number * unit, kMost);
        number = 0;
        digits = false;
        any = true;
    }
    if (!any || digits) return std::nullopt;
    // Toward the earlier minute: -PT30S is a minute before, PT30S the minute itself.
    return negative ? -((seconds + 59) / 60) : seconds / 60;
}

std::optional<Minutes> AlarmMoment(const IcsAlarm& alarm, Minutes start, Minutes end, bool ownStart,
                                   const std::function<Minutes(const IcsTime&)>& toLocal) {
    if (!alarm.action.empty() && !SameLetters(alarm.action, L"DISPLAY") && !SameLetters(alarm.action, L"AUDIO"))
        return std::nullopt;
    if (const auto offset = DurationMinutes(alarm.trigger)) return (alarm.fromEnd ? end : start) + *offset;
    if (!ownStart) return std::nullopt;
    const auto at = ParseIcsTime(alarm.trigger, L"", false);
    if (!at) return std::nullopt;
    return toLocal(*at);
}

Reminder ReminderOfAlarm(const Date& day, Minutes moment, std::optional<int> allDayMinute) {
    const int64_t before = SerialOf(day) - SerialOf(DateOfMinutes(moment));
    const auto choice = std::find_if(std::begin(kLeadDayChoices), std::end(kLeadDayChoices),
                                     [&](int lead) { return lead >= before; });
    Reminder reminder;
    reminder.day = day;
    reminder.leadDays = choice == std::end(kLeadDayChoices) ? kLeadDayChoices[std::size(kLeadDayChoices) - 1] : *choice;
    reminder.minute = MinuteOfDay(moment);
    if (allDayMinute && reminder.minute == *allDayMinute) reminder.minute = kAllDay;
    return reminder;
}
