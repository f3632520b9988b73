// The Hungarian public holidays ("munkaszüneti napok"), each from the year it became
// one: the fixed days and those that follow Easter, which is computed.
#pragma once

#include <string>
#include <vector>

#include "platform/eljaras.h"

// Easter Sunday of the Gregorian calendar (the anonymous Gregorian algorithm).
Date EasterSunday(int year);

struct PublicHoliday {
    Date date;
    const wchar_t* name;  // Hungarian, as calendars print it ("Nagypéntek")
};

// The holiday on `date` (null when the day is none), counting each from its first year.
const wchar_t* HolidayName(const Date& date);

// The holidays of a year in date order.
std::vector<PublicHoliday> HolidaysOf(int year);
