#include "appearance/red_letter_day.h"

bool IsRedLetterDay(const Date& date) {
    if (MondayFirstDayOfWeek(date) >= 6) return true;
    struct MonthDay {
        int month, day;
    };
    static constexpr MonthDay kHolidays[] = {{1, 1}, {5, 1}, {8, 20}, {10, 23}, {12, 25}, {12, 26}};
    for (const MonthDay& h : kHolidays)
        if (date.month == h.month && date.day == h.day) return true;
    return false;
}
