#include "store/work_calendar.h"

#include <algorithm>

#include "store/holidays.h"

WorkDay WorkCalendar::Day(const Date& date) const {
    for (const MovedDay& moved : moved_.days)
        if (moved.date == date) return {moved.restDay ? DayKind::RestDay : DayKind::MovedWorkday, moved.note};
    if (const wchar_t* holiday = HolidayName(date)) return {DayKind::Holiday, holiday};
    if (MondayFirstDayOfWeek(date) >= 6) return {DayKind::Weekend, {}};
    return {};
}

bool WorkCalendar::Knows(int year) const {
    return std::binary_search(moved_.years.begin(), moved_.years.end(), year);
}

std::vector<DayRun> LongWeekends(const WorkCalendar& calendar, int year) {
    std::vector<DayRun> runs;
    // From the last day of the year before to the first of the year after, so that a
    // run over either new year is whole.
    Date day = AddDays(Date{year, 1, 1}, -1);
    while (calendar.Day(day).Off()) day = AddDays(day, -1);
    const int64_t end = SerialOf(Date{year + 1, 1, 1});
    while (SerialOf(day) <= end) {
        if (!calendar.Day(day).Off()) {
            day = AddDays(day, 1);
            continue;
        }
        DayRun run{day, day};
        while (calendar.Day(AddDays(run.last, 1)).Off()) run.last = AddDays(run.last, 1);
        if (run.Length() >= 3 && run.last.year >= year && run.first.year <= year) runs.push_back(run);
        day = AddDays(run.last, 1);
    }
    return runs;
}

DayMarks MarksOf(const WorkDay& day) { return DayMarks{day.Off(), day.kind == DayKind::MovedWorkday}; }

std::wstring DayLabel(const WorkDay& day) {
    switch (day.kind) {
        case DayKind::Holiday: return day.name;
        case DayKind::RestDay: return L"pihenőnap";
        case DayKind::MovedWorkday: return L"áthelyezett munkanap";
        default: return {};
    }
}

std::wstring DayHint(const WorkDay& day) {
    switch (day.kind) {
        case DayKind::Holiday: return day.name;
        case DayKind::RestDay: return day.name.empty() ? L"pihenőnap" : L"pihenőnap (" + day.name + L")";
        case DayKind::MovedWorkday:
            return day.name.empty() ? L"Áthelyezett munkanap" : L"Áthelyezett munkanap (" + day.name + L" helyett)";
        default: return {};
    }
}

std::wstring YearsText(const std::vector<int>& years) {
    std::wstring text;
    for (size_t i = 0; i < years.size();) {
        size_t j = i;
        while (j + 1 < years.size() && years[j + 1] == years[j] + 1) ++j;
        if (!text.empty()) text += L", ";
        text += std::to_wstring(years[i]);
        if (j > i) text += L"–" + std::to_wstring(years[j]);
        i = j + 1;
    }
    return text;
}

std::wstring LongWeekendText(const WorkCalendar& calendar, const DayRun& run, int year, const MonthNames& months) {
    auto dayText = [&](const Date& d) {
        std::wstring text = d.year == year ? L"" : std::to_wstring(d.year) + L". ";
        return text + months[static_cast<size_t>(d.month - 1)] + L" " + std::to_wstring(d.day) + L".";
    };
    std::wstring text = dayText(run.first) + L" – " + dayText(run.last) + L" (" + std::to_wstring(run.Length()) +
                        L" nap)";
    std::wstring reasons;
    for (Date d = run.first; SerialOf(d) <= SerialOf(run.last); d = AddDays(d, 1)) {
        const std::wstring label = DayLabel(calendar.Day(d));
        if (label.empty()) continue;
        reasons += (reasons.empty() ? L"" : L", ") + label;
    }
    return reasons.empty() ? text : text + L": " + reasons;
}
