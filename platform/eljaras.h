// Shared procedures of the program that need no window system: fixed-width text,
// tolerant whole-number parsing, colour texts and calendar arithmetic.
// The registry, folder and shortcut procedures are in eljaras_win.h.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Left-aligned, blank-filled or cut text of exactly `width` characters.
std::wstring PadText(const std::wstring& value, int width);

// Whole number in decimal, or hexadecimal after "$", "x" or "0x"; optional sign,
// blanks allowed only in front; empty text gives 0. Throws ConvertError.
int32_t TextToInt(const std::wstring& text);

// "$" and upper-case hexadecimal digits without leading zeros ($FF, $0, $8000000F).
std::wstring ColorToHexText(int32_t colour);

std::wstring Trim(const std::wstring& text);

// A calendar day. Replaces the floating-point date-time: only whole days matter.
struct Date {
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const Date&, const Date&) = default;
};

struct DateTime {
    Date date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

int YearOfDate(const Date& d);
int MonthOfDate(const Date& d);
int DayOfDate(const Date& d);
int MondayFirstDayOfWeek(const Date& d);  // 1 = Monday .. 7 = Sunday
int DaysInMonth(int year, int month);     // 28..31, or -1 for a month outside 1..12
bool IsLeapYear(int year);

// Days since 30 December 1899, the platform's day count.
int64_t SerialOf(const Date& d);
Date DateFromSerial(int64_t serial);
Date AddDays(const Date& d, int64_t days);

// One month step keeping the day number; a day the target month lacks becomes its last day.
Date AddMonthsClamped(const Date& d, int months);

DateTime Now();
Date Today();

// Full month names of the user's regional settings, January first.
using MonthNames = std::array<std::wstring, 12>;

std::wstring DateKey(const Date& d);                              // yyyymmdd
std::wstring MonthKey(const Date& d);                             // yyyymm
std::wstring FormatYearMonth(const Date& d, const MonthNames& n); // yyyy.mmmm
std::wstring FormatLongDate(const Date& d, const MonthNames& n);  // yyyy.mmmm.dd
std::wstring FormatDottedDate(const Date& d);                     // yyyy.mm.dd.
std::wstring FormatClock(const DateTime& t, const MonthNames& n); // yyyy.mmmm.dd - hh:mm:ss
