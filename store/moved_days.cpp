#include "store/moved_days.h"

#include <algorithm>

#include "platform/file_io.h"
#include "platform/text_file.h"

namespace {

constexpr std::wstring_view kBlanks = L" \t";
constexpr int kFirstYear = 1900, kLastYear = 2199;  // the years a calendar of today's decrees can mean

std::wstring_view TrimView(std::wstring_view s) {
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::wstring_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// Splits off the first blank-separated word.
std::wstring_view NextWord(std::wstring_view& rest) {
    rest = TrimView(rest);
    const size_t end = std::min(rest.find_first_of(kBlanks), rest.size());
    const std::wstring_view word = rest.substr(0, end);
    rest = TrimView(rest.substr(end));
    return word;
}

bool AllDigits(std::wstring_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

int Number(std::wstring_view digits) {
    int n = 0;
    for (wchar_t c : digits) n = n * 10 + (c - L'0');
    return n;
}

// "yyyy.mm.dd." (the last dot may be left out) as a real day.
bool ReadDate(std::wstring_view word, Date& date) {
    if (word.size() == 11 && word.back() == L'.') word.remove_suffix(1);
    if (word.size() != 10 || word[4] != L'.' || word[7] != L'.') return false;
    const std::wstring_view y = word.substr(0, 4), m = word.substr(5, 2), d = word.substr(8, 2);
    if (!AllDigits(y) || !AllDigits(m) || !AllDigits(d)) return false;
    date = Date{Number(y), Number(m), Number(d)};
    return date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

}  // namespace

MovedDaysError::MovedDaysError(const std::wstring& file, size_t line, const std::wstring& reason)
    : AppError(L"Hibás munkarend-fájl: " + file + L", " + std::to_wstring(line) + L". sor: " + reason) {}

MovedDays ParseMovedDays(std::wstring_view text, const std::wstring& fileName) {
    MovedDays result;
    size_t lineNumber = 0;
    while (!text.empty()) {
        const size_t end = std::min(text.find(L'\n'), text.size());
        std::wstring_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        ++lineNumber;
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
        line = TrimView(line);
        if (line.empty() || line[0] == L';' || line[0] == L'#') continue;
        auto fail = [&](const std::wstring& reason) { throw MovedDaysError(fileName, lineNumber, reason); };

        std::wstring_view rest = line;
        const std::wstring_view first = NextWord(rest);
        if (first.size() == 4 && AllDigits(first)) {
            const int year = Number(first);
            if (year < kFirstYear || year > kLastYear) fail(L"az évszám nem 1900 és 2199 közé esik");
            if (std::find(result.years.begin(), result.years.end(), year) != result.years.end())
                fail(L"a(z) " + std::wstring(first) + L". év másodszor szerepel");
            result.years.push_back(year);
            continue;
        }
        MovedDay day;
        if (!ReadDate(first, day.date)) fail(L"nem dátum és nem évszám: „" + std::wstring(first) + L"”");
        if (day.date.year < kFirstYear || day.date.year > kLastYear) fail(L"az év nem 1900 és 2199 közé esik");
        if (result.years.empty()) fail(L"a napok előtt az év sora hiányzik");
        const std::wstring_view kind = NextWord(rest);
        if (kind == L"pihenőnap")
            day.restDay = true;
        else if (kind != L"munkanap")
            fail(L"„pihenőnap” vagy „munkanap” kell a dátum után, nem „" + std::wstring(kind) + L"”");
        const bool weekend = MondayFirstDayOfWeek(day.date) >= 6;
        if (day.restDay && weekend) fail(L"a pihenőnap hétvégére esik");
        if (!day.restDay && !weekend) fail(L"az áthelyezett munkanap hétköznapra esik");
        for (const MovedDay& seen : result.days)
            if (seen.date == day.date) fail(L"a nap másodszor szerepel");
        day.note = std::wstring(rest);
        result.days.push_back(std::move(day));
    }
    std::sort(result.years.begin(), result.years.end());
    return result;
}

MovedDays LoadMovedDays(const std::wstring& path) {
    if (!FileExists(path)) throw FileOpenError(path);
    return ParseMovedDays(DecodeTextFile(ReadWholeFile(path)), path);
}
