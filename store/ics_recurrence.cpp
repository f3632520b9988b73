#include "store/ics_recurrence.h"

#include <algorithm>

namespace {

// A whole number of the rule, with an optional sign; none for anything else.
std::optional<int> Number(std::wstring_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (i == text.size() || text.size() - i > 6) return std::nullopt;
    int value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        value = value * 10 + (text[i] - L'0');
    }
    return negative ? -value : value;
}

int WeekdayOf(std::wstring_view code) {
    static constexpr std::wstring_view kCodes[] = {L"MO", L"TU", L"WE", L"TH", L"FR", L"SA", L"SU"};
    for (int i = 0; i < 7; ++i)
        if (code == kCodes[i]) return i + 1;
    return 0;
}

std::vector<std::wstring_view> Split(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start));
        if (end == std::wstring_view::npos) return parts;
        start = end + 1;
    }
}

bool NumberList(std::wstring_view text, int least, int most, std::vector<int>& out) {
    for (std::wstring_view part : Split(text, L',')) {
        const auto n = Number(part);
        if (!n || *n == 0 || *n < least || *n > most) return false;
        out.push_back(*n);
    }
    return true;
}

std::wstring Upper(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

// Does `day` of the month (with `days` days) stand in the nth place for its weekday?
bool MatchesWeekday(const WeekdayRule& rule, int day, int days, int weekday) {
    if (rule.weekday != weekday) return false;
    if (rule.nth > 0) return (day - 1) / 7 + 1 == rule.nth;
    if (rule.nth < 0) return (days - day) / 7 + 1 == -rule.nth;
    return true;
}

bool DayMatches(const Recurrence& r, const Date& d) {
    const int days = DaysInMonth(d.year, d.month);
    if (!r.byMonth.empty() && std::find(r.byMonth.begin(), r.byMonth.end(), d.month) == r.byMonth.end()) return false;
    if (!r.byMonthDay.empty() &&
        std::none_of(r.byMonthDay.begin(), r.byMonthDay.end(),
                     [&](int md) { return md > 0 ? md == d.day : days + 1 + md == d.day; }))
        return false;
    const int weekday = MondayFirstDayOfWeek(d);
    return r.byDay.empty() || std::any_of(r.byDay.begin(), r.byDay.end(), [&](const WeekdayRule& w) {
               return MatchesWeekday(w, d.day, days, weekday);
           });
}

// The dates of one month that the BY parts allow; without BYMONTHDAY and BYDAY the
// day of the series' start (none in a month that lacks it).
void MonthCandidates(const Recurrence& r, int year, int month, int startDay, std::vector<Date>& out) {
    if (r.byMonthDay.empty() && r.byDay.empty()) {
        if (startDay <= DaysInMonth(year, month)) out.push_back(Date{year, month, startDay});
        return;
    }
    for (int day = 1; day <= DaysInMonth(year, month); ++day)
        if (DayMatches(r, Date{year, month, day})) out.push_back(Date{year, month, day});
}

void ApplySetPositions(const std::vector<int>& positions, std::vector<Date>& candidates) {
    if (positions.empty()) return;
    std::vector<Date> kept;
    const int n = static_cast<int>(candidates.size());
    for (int i = 0; i < n; ++i) {
        for (int p : positions) {
            if ((p > 0 && p - 1 == i) || (p < 0 && n + p == i)) {
                kept.push_back(candidates[static_cast<size_t>(i)]);
                break;
            }
        }
    }
    candidates = std::move(kept);
}

}  // namespace

Recurrence ParseRecurrence(std::wstring_view value) {
    Recurrence r;
    auto refuse = [&](std::wstring_view part) {
        if (r.unsupported.empty()) r.unsupported.assign(part);
    };
    for (std::wstring_view part : Split(value, L';')) {
        if (part.empty()) continue;
        const size_t eq = part.find(L'=');
        const std::wstring name = Upper(part.substr(0, eq));
        const std::wstring text = eq == std::wstring_view::npos ? L"" : Upper(part.substr(eq + 1));
        if (name == L"FREQ") {
            r.frequency = text == L"DAILY"     ? Frequency::Daily
                          : text == L"WEEKLY"  ? Frequency::Weekly
                          : text == L"MONTHLY" ? Frequency::Monthly
                          : text == L"YEARLY"  ? Frequency::Yearly
                                               : Frequency::None;
            if (r.frequency == Frequency::None) refuse(part);
        } else if (name == L"INTERVAL") {
            const auto n = Number(text);
            if (n && *n >= 1) r.interval = *n;
            else refuse(part);
        } else if (name == L"COUNT") {
            const auto n = Number(text);
            if (n && *n >= 1) r.count = *n;
            else refuse(part);
        } else if (name == L"UNTIL") {
            r.until.assign(part.substr(eq + 1));
        } else if (name == L"BYMONTH") {
            if (!NumberList(text, 1, 12, r.byMonth)) refuse(part);
        } else if (name == L"BYMONTHDAY") {
            if (!NumberList(text, -31, 31, r.byMonthDay)) refuse(part);
        } else if (name == L"BYSETPOS") {
            if (!NumberList(text, -366, 366, r.bySetPos)) refuse(part);
        } else if (name == L"BYDAY") {
            for (std::wstring_view item : Split(text, L',')) {
                WeekdayRule w;
                w.weekday = item.size() >= 2 ? WeekdayOf(item.substr(item.size() - 2)) : 0;
                const auto nth = item.size() > 2 ? Number(item.substr(0, item.size() - 2)) : std::optional<int>(0);
                if (w.weekday == 0 || !nth || *nth < -5 || *nth > 5) {
                    refuse(part);
                    break;
                }
                w.nth = *nth;
                r.byDay.push_back(w);
            }
        } else if (name == L"WKST") {
            if (const int wd = WeekdayOf(text)) r.weekStart = wd;
        } else if (name == L"BYHOUR" || name == L"BYMINUTE" || name == L"BYSECOND") {
            // Times within the day: the dates stay the same.
        } else {
            refuse(part);  // BYWEEKNO, BYYEARDAY, and anything unknown
        }
    }
    if (r.frequency == Frequency::None && r.unsupported.empty()) r.unsupported = L"FREQ";
    const bool ordinals = std::any_of(r.byDay.begin(), r.byDay.end(), [](const WeekdayRule& w) { return w.nth != 0; });
    // Ordinals count within a month; in a whole year or a week this reader has none.
    if (ordinals && (r.frequency == Frequency::Daily || r.frequency == Frequency::Weekly ||
                     (r.frequency == Frequency::Yearly && r.byMonth.empty())))
        refuse(L"BYDAY");
    return r;
}

std::optional<Date> NthWeekdayOfMonth(int year, int month, int nth, int weekday) {
    const int days = DaysInMonth(year, month);
    if (days < 0 || nth == 0) return std::nullopt;
    if (nth > 0) {
        const int first = (weekday - MondayFirstDayOfWeek(Date{year, month, 1}) + 7) % 7 + 1;
        const int day = first + 7 * (nth - 1);
        if (day > days) return std::nullopt;
        return Date{year, month, day};
    }
    const int last = days - (MondayFirstDayOfWeek(Date{year, month, days}) - weekday + 7) % 7;
    const int day = last - 7 * (-nth - 1);
    if (day < 1) return std::nullopt;
    return Date{year, month, day};
}

namespace {

// The periods wholly before `from` that a series without COUNT need not look at.
int64_t PeriodsBefore(const Recurrence& r, const Date& start, const Date& from) {
    if (r.count != 0 || SerialOf(from) <= SerialOf(start)) return 0;
    int64_t span = 0;
    switch (r.frequency) {
        case Frequency::Daily: span = SerialOf(from) - SerialOf(start); break;
        case Frequency::Weekly: span = (SerialOf(from) - SerialOf(start)) / 7; break;
        case Frequency::Monthly: span = (int64_t{from.year} - start.year) * 12 + (from.month - start.month); break;
        case Frequency::Yearly: span = from.year - start.year; break;
        case Frequency::None: break;
    }
    return std::max<int64_t>(span / r.interval - 1, 0);
}

}  // namespace

bool ExpandRecurrence(const Recurrence& r, const Date& start, const Date& from, const Date& last, size_t& periods,
                      const std::function<bool(const Date&)>& visit) {
    const int64_t first = SerialOf(start), end = SerialOf(last);
    int emitted = 0;
    // False once the series is over.
    auto emit = [&](const Date& d) {
        if (SerialOf(d) > end) return false;
        ++emitted;
        if (!visit(d)) return false;
        return r.count == 0 || emitted < r.count;
    };
    if (!emit(start) || r.frequency == Frequency::None || !r.unsupported.empty()) return true;
    std::vector<Date> candidates;
    const int64_t step = r.interval;
    for (int64_t period = PeriodsBefore(r, start, from);; ++period) {
        if (periods == 0) return false;
        --periods;
        candidates.clear();
        const int64_t p = period * step;
        switch (r.frequency) {
            case Frequency::Daily: {
                if (first + p > end) return true;
                const Date d = DateFromSerial(first + p);
                if (DayMatches(r, d)) candidates.push_back(d);
                break;
            }
            case Frequency::Weekly: {
                const int back = (MondayFirstDayOfWeek(start) - r.weekStart + 7) % 7;
                const int64_t weekFirst = first - back + 7 * p;
                if (weekFirst > end) return true;
                for (int i = 0; i < 7; ++i) {
                    const Date d = DateFromSerial(weekFirst + i);
                    const int wd = MondayFirstDayOfWeek(d);
                    const bool day = r.byDay.empty() ? wd == MondayFirstDayOfWeek(start)
                                                     : std::any_of(r.byDay.begin(), r.byDay.end(),
                                                                   [&](const WeekdayRule& w) { return w.weekday == wd; });
                    if (day && (r.byMonth.empty() ||
                                std::find(r.byMonth.begin(), r.byMonth.end(), d.month) != r.byMonth.end()))
                        candidates.push_back(d);
                }
                break;
            }
            case Frequency::Monthly: {
                const int64_t index = static_cast<int64_t>(start.year) * 12 + (start.month - 1) + p;
                if (index / 12 > last.year) return true;
                const int year = static_cast<int>(index / 12), month = static_cast<int>(index % 12) + 1;
                if (SerialOf(Date{year, month, 1}) > end) return true;
                if (r.byMonth.empty() || std::find(r.byMonth.begin(), r.byMonth.end(), month) != r.byMonth.end())
                    MonthCandidates(r, year, month, start.day, candidates);
                break;
            }
            case Frequency::Yearly: {
                if (start.year + p > last.year) return true;
                const int year = static_cast<int>(start.year + p);
                if (SerialOf(Date{year, 1, 1}) > end) return true;
                if (r.byMonth.empty()) {
                    MonthCandidates(r, year, start.month, start.day, candidates);
                } else {
                    std::vector<int> months = r.byMonth;
                    std::sort(months.begin(), months.end());
                    months.erase(std::unique(months.begin(), months.end()), months.end());
                    for (int month : months) MonthCandidates(r, year, month, start.day, candidates);
                }
                break;
            }
            case Frequency::None: return true;
        }
        ApplySetPositions(r.bySetPos, candidates);
        for (const Date& d : candidates) {
            if (SerialOf(d) <= first) continue;
            if (!emit(d)) return true;
        }
    }
}
