#include "store/month_model.h"

#include "store/entry_store.h"
#include "store/nevnapok.h"
#include "store/work_calendar.h"

int FirstCellOf(int year, int month) { return MondayFirstDayOfWeek(Date{year, month, 1}); }

int DayOfCell(int k, int firstCell, int daysInMonth) {
    if (k < firstCell || k - firstCell >= daysInMonth) return 0;
    return k - firstCell + 1;
}

MonthCells BuildMonthCells(int year, int month, const EntryStore& index, const TNevnapok& names,
                           const MonthNames& monthNames, const WorkCalendar* calendar) {
    MonthCells cells{};
    const int first = FirstCellOf(year, month);
    const int days = DaysInMonth(year, month);

    // Line index of each day of the month; later lines overwrite earlier ones.
    std::array<int, 32> lineOfDay;
    lineOfDay.fill(-1);
    const std::wstring key = MonthKey(Date{year, month, 1});
    const IndexLines& lines = index.Lines;
    std::wstring head;  // the line's date, reused: no allocation per line
    for (size_t i = 0; i < lines.size(); ++i) {
        lines.CopyTo(i, head, 8);
        if (head.size() < 8 || head.compare(0, 6, key) != 0) continue;
        int tens = head[6] - L'0', ones = head[7] - L'0';
        if (tens < 0 || tens > 9 || ones < 0 || ones > 9) continue;
        int day = tens * 10 + ones;
        if (day >= 1 && day <= days) lineOfDay[static_cast<size_t>(day)] = static_cast<int>(i);
    }

    for (int k = 1; k <= kGridCells; ++k) {
        CellContent& cell = cells[static_cast<size_t>(k - 1)];
        cell.day = DayOfCell(k, first, days);
        if (cell.day == 0) continue;
        cell.visible = true;
        cell.date = Date{year, month, cell.day};
        cell.nameDay = names.GetNameDay(cell.date);
        cell.hint = FormatLongDate(cell.date, monthNames) + L". " + cell.nameDay + L" napja";
        if (calendar) {
            const WorkDay workDay = calendar->Day(cell.date);
            cell.marks = MarksOf(workDay);
            cell.dayLabel = DayLabel(workDay);
            if (const std::wstring hint = DayHint(workDay); !hint.empty()) cell.hint += L" – " + hint;
        }
        int lineIndex = lineOfDay[static_cast<size_t>(cell.day)];
        if (lineIndex < 0) continue;
        const std::wstring line = lines[static_cast<size_t>(lineIndex)];
        cell.txt1 = EntryTitle1(line);
        cell.txt2 = EntryTitle2(line);
        cell.colour1 = EntryColour1(line);
        cell.colour2 = EntryColour2(line);
        cell.hasEntry = true;
    }
    return cells;
}
