// The Hungarian working calendar: what an employee of the ordinary Monday-to-Friday
// week has off on a day (weekends, public holidays, the decrees' bridge rest days) and
// which Saturdays are worked instead; and the year's long weekends.
#pragma once

#include <string>
#include <vector>

#include "appearance/red_letter_day.h"
#include "platform/eljaras.h"
#include "store/moved_days.h"

enum class DayKind { Workday, Weekend, Holiday, RestDay, MovedWorkday };

struct WorkDay {
    DayKind kind = DayKind::Workday;
    std::wstring name;  // the holiday's name, or the file's note of a moved day
    bool Off() const { return kind == DayKind::Weekend || kind == DayKind::Holiday || kind == DayKind::RestDay; }
};

class WorkCalendar {
public:
    WorkCalendar() = default;  // the holidays alone: no year's decree known
    explicit WorkCalendar(MovedDays moved) : moved_(std::move(moved)) {}

    WorkDay Day(const Date& date) const;
    // The years whose decree is known (listed in the file), ascending.
    const std::vector<int>& Years() const { return moved_.years; }
    bool Knows(int year) const;

private:
    MovedDays moved_;
};

// A run of consecutive days.
struct DayRun {
    Date first, last;
    int Length() const { return static_cast<int>(SerialOf(last) - SerialOf(first)) + 1; }
};

// The runs of three or more days off that touch `year`, in date order (a run over the
// new year belongs to both years).
std::vector<DayRun> LongWeekends(const WorkCalendar& calendar, int year);

DayMarks MarksOf(const WorkDay& day);
// Under the day number on paper: the holiday's name, "pihenőnap", "áthelyezett munkanap".
std::wstring DayLabel(const WorkDay& day);
// Added to the day's hint: the holiday's name, "pihenőnap (…)", "Áthelyezett munkanap (… helyett)".
std::wstring DayHint(const WorkDay& day);

// "2010–2026", "2010–2012, 2015"; empty for none.
std::wstring YearsText(const std::vector<int>& years);

// "április 3. – április 6. (4 nap): Nagypéntek, Húsvétvasárnap, Húsvéthétfő"; a day of
// another year than `year` is written with its year.
std::wstring LongWeekendText(const WorkCalendar& calendar, const DayRun& run, int year, const MonthNames& months);
