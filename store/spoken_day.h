// What a screen reader says of a day of the month view: the date in words, the week
// day, the holiday, the name day, the titles and whether the day has a note, e.g.
// "2026. december 9., szerda, Natália névnapja, Fogorvos 10 óra, van jegyzet".
#pragma once

#include <string>

#include "store/month_model.h"

// Lower-case Hungarian names, January and Monday first.
const wchar_t* HungarianMonthName(int month);        // 1..12
const wchar_t* HungarianWeekdayName(int mondayFirst);  // 1 = hétfő .. 7 = vasárnap

// The spoken name of a shown cell; "ma" follows the week day when the cell is `today`.
// A hidden cell (another month's place) has none.
std::wstring SpokenDayName(const CellContent& cell, const Date& today);
