#include "store/holidays.h"

#include <algorithm>

namespace {

// `offset`: days from Easter Sunday for the movable feasts; `month` 0 marks them.
// `firstYear`: the first year the day was a day off (0: in every year the program
// knows). Where the years come from is written in Data\Munkarend.txt.
struct HolidayRule {
    int month, day, offset, firstYear;
    const wchar_t* name;
};

constexpr HolidayRule kRules[] = {
    {1, 1, 0, 0, L"Újév"},
    {3, 15, 0, 1989, L"Nemzeti ünnep"},
    {0, 0, -2, 2017, L"Nagypéntek"},
    {0, 0, 0, 0, L"Húsvétvasárnap"},
    {0, 0, 1, 0, L"Húsvéthétfő"},
    {5, 1, 0, 0, L"A munka ünnepe"},
    {0, 0, 49, 1993, L"Pünkösdvasárnap"},
    {0, 0, 50, 1993, L"Pünkösdhétfő"},
    {8, 20, 0, 0, L"Az államalapítás ünnepe"},
    {10, 23, 0, 1990, L"Nemzeti ünnep"},
    {11, 1, 0, 1999, L"Mindenszentek"},
    {12, 25, 0, 0, L"Karácsony"},
    {12, 26, 0, 0, L"Karácsony másnapja"},
};

Date DateOf(const HolidayRule& rule, int year, const Date& easter) {
    return rule.month ? Date{year, rule.month, rule.day} : AddDays(easter, rule.offset);
}

}  // namespace

Date EasterSunday(int year) {
    const int a = year % 19, b = year / 100, c = year % 100, d = b / 4, e = b % 4;
    const int f = (b + 8) / 25, g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4, k = c % 4, l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31, day = (h + l - 7 * m + 114) % 31 + 1;
    return Date{year, month, day};
}

const wchar_t* HolidayName(const Date& date) {
    const Date easter = EasterSunday(date.year);
    for (const HolidayRule& rule : kRules)
        if (date.year >= rule.firstYear && DateOf(rule, date.year, easter) == date) return rule.name;
    return nullptr;
}

std::vector<PublicHoliday> HolidaysOf(int year) {
    const Date easter = EasterSunday(year);
    std::vector<PublicHoliday> days;
    for (const HolidayRule& rule : kRules)
        if (year >= rule.firstYear) days.push_back({DateOf(rule, year, easter), rule.name});
    std::sort(days.begin(), days.end(),
              [](const PublicHoliday& a, const PublicHoliday& b) { return SerialOf(a.date) < SerialOf(b.date); });
    return days;
}
