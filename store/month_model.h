// The data side of the month view: which cell shows which day and what each
// visible cell holds. Pure, so it is tested and measured without windows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "appearance/grid_layout.h"
#include "appearance/red_letter_day.h"
#include "platform/eljaras.h"

class EntryStore;
class TNevnapok;
class WorkCalendar;

// Number of the cell (1..7) that shows the 1st of the month.
int FirstCellOf(int year, int month);

// Day shown by cell k, or 0 when the cell is hidden in this month.
int DayOfCell(int k, int firstCell, int daysInMonth);

struct CellContent {
    bool visible = false;
    int day = 0;
    Date date;
    std::wstring nameDay;
    std::wstring hint;
    std::wstring txt1, txt2;
    int32_t colour1 = 0, colour2 = 0;
    bool hasEntry = false;
    // With the working calendar: how the cell marks the day (none: the fixed rule),
    // and the holiday's name, "pihenőnap" or "áthelyezett munkanap" for the paper.
    std::optional<DayMarks> marks;
    std::wstring dayLabel;
    // A day without an entry of its own that shows a yearly entry of an earlier year:
    // the titles and colours are that entry's; the count ("42.") when it is asked for.
    bool repeated = false;
    int repeatCount = 0;
    Date repeatOrigin{0, 0, 0};
    friend bool operator==(const CellContent&, const CellContent&) = default;
};

using MonthCells = std::array<CellContent, kGridCells>;

// Fills the 42 cells of the month in one pass over the index (the last line of a
// date wins, as in every look-up). With a working calendar the days are marked by it
// and the hint names the holiday or the moved day.
MonthCells BuildMonthCells(int year, int month, const EntryStore& index, const TNevnapok& names,
                           const MonthNames& monthNames, const WorkCalendar* calendar = nullptr);
