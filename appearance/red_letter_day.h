// Which days the day cell writes in the holiday colour. Plain date logic, kept out of
// the window so it is tested natively.
#pragma once

#include "platform/eljaras.h"

// Saturdays, Sundays and the fixed holidays (1 January, 1 May, 20 August,
// 23 October, 25 and 26 December); no movable feast.
bool IsRedLetterDay(const Date& date);
