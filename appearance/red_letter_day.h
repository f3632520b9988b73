// Which days the day cell writes in the holiday colour. Plain date logic, kept out of
// the window so it is tested natively.
#pragma once

#include "platform/eljaras.h"

// Saturdays, Sundays and the fixed holidays (1 January, 1 May, 20 August,
// 23 October, 25 and 26 December); no movable feast.
bool IsRedLetterDay(const Date& date);

// How a cell marks its day when the Hungarian working calendar is on: the holiday
// colour for a day off, a small mark for a Saturday worked in place of another day.
struct DayMarks {
    bool redLetter = false;
    bool movedWorkday = false;
    friend bool operator==(const DayMarks&, const DayMarks&) = default;
};
