#include "platform/eljaras.h"

#include <cstdio>
#include <ctime>

#include "platform/errors.h"

std::wstring PadText(const std::wstring& value, int width) {
    if (width <= 0) return {};
    std::wstring out = value.substr(0, static_cast<size_t>(width));
    out.resize(static_cast<size_t>(width), L' ');
    return out;
}

namespace {

int DigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

int32_t TextToInt(const std::wstring& text) {
    if (text.empty()) return 0;
    size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i] == L'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == L'$' || text[i] == L'x' || text[i] == L'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == L'0' && (text[i + 1] == L'x' || text[i + 1] == L'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size()) throw ConvertError(text);
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = DigitValue(text[i]);
        if (digit < 0 || digit >= base) throw ConvertError(text);
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > 0xFFFFFFFFull) throw ConvertError(text);
    }
    if (base == 16) {
        // Hexadecimal covers the full 32 bits: $8000000F is the system colour -2147483633.
        auto bits = static_cast<uint32_t>(value);
        if (negative) bits = 0u - bits;
        return static_cast<int32_t>(bits);
    }
    if (negative) {
        if (value > 0x80000000ull) throw ConvertError(text);
        return static_cast<int32_t>(-static_cast<int64_t>(value));
    }
    if (value > 0x7FFFFFFFull) throw ConvertError(text);
    return static_cast<int32_t>(value);
}

std::wstring ColorToHexText(int32_t colour) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"$%X", static_cast<unsigned>(static_cast<uint32_t>(colour)));
    return buffer;
}

std::wstring Trim(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

int YearOfDate(const Date& d) { return d.year; }
int MonthOfDate(const Date& d) { return d.month; }
int DayOfDate(const Date& d) { return d.day; }

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return -1;
    if (month == 2 && IsLeapYear(year)) return 29;
    return kDays[month - 1];
}

// Days from 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's algorithm).
namespace {

int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr int64_t kSerialOfUnixEpoch = 25569;  // 1970-01-01 counted from 1899-12-30

}  // namespace

int64_t SerialOf(const Date& d) { return DaysFromCivil(d.year, d.month, d.day) + kSerialOfUnixEpoch; }

Date DateFromSerial(int64_t serial) {
    int64_t z = serial - kSerialOfUnixEpoch + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2));
    return Date{year, month, day};
}

Date AddDays(const Date& d, int64_t days) { return DateFromSerial(SerialOf(d) + days); }

int MondayFirstDayOfWeek(const Date& d) {
    // Serial 2 (1900-01-01) was a Monday.
    int64_t r = (SerialOf(d) - 2) % 7;
    if (r < 0) r += 7;
    return static_cast<int>(r) + 1;
}

Date AddMonthsClamped(const Date& d, int months) {
    int index = d.year * 12 + (d.month - 1) + months;
    int year = index >= 0 ? index / 12 : (index - 11) / 12;
    int month = index - year * 12 + 1;
    int last = DaysInMonth(year, month);
    return Date{year, month, d.day > last ? last : d.day};
}

DateTime Now() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return DateTime{Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min,
                    local.tm_sec};
}

Date Today() { return Now().date; }

namespace {

std::wstring Digits(int value, int width) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%0*d", width, value);
    return buffer;
}

const std::wstring& MonthName(const Date& d, const MonthNames& n) {
    static const std::wstring none;
    return d.month >= 1 && d.month <= 12 ? n[static_cast<size_t>(d.month - 1)] : none;
}

}  // namespace

std::wstring DateKey(const Date& d) { return Digits(d.year, 4) + Digits(d.month, 2) + Digits(d.day, 2); }

std::wstring MonthKey(const Date& d) { return Digits(d.year, 4) + Digits(d.month, 2); }

std::wstring FormatYearMonth(const Date& d, const MonthNames& n) {
    return Digits(d.year, 4) + L"." + MonthName(d, n);
}

std::wstring FormatLongDate(const Date& d, const MonthNames& n) {
    return FormatYearMonth(d, n) + L"." + Digits(d.day, 2);
}

std::wstring FormatDottedDate(const Date& d) {
    return Digits(d.year, 4) + L"." + Digits(d.month, 2) + L"." + Digits(d.day, 2) + L".";
}

std::wstring FormatClock(const DateTime& t, const MonthNames& n) {
    return FormatLongDate(t.date, n) + L" - " + Digits(t.hour, 2) + L":" + Digits(t.minute, 2) + L":" +
           Digits(t.second, 2);
}
