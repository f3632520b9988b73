// The printed month calendar: one A4 landscape page with the month's title
// ("yyyy. mmmm"), the seven week-day headers and six weeks of day cells, laid out in
// millimetres and drawn for paper as a wall calendar is: white, thin lines, dark day
// numbers, the red-letter days in red (with the working calendar the holidays' names
// too), the name day small under the number, the title words in their colours where
// those read on white, and the rest of the cell free for handwriting. Previewed in
// the report preview and printed from there (with "Microsoft Print to PDF" it is the
// month as a PDF file too).
#pragma once

#include <windows.h>

#include <string>

#include "store/month_model.h"
#include "report/report.h"

class TqrNaptar {
public:
    TqrNaptar() = default;
    TqrNaptar(const TqrNaptar&) = delete;
    TqrNaptar& operator=(const TqrNaptar&) = delete;

    static constexpr const wchar_t* kTitle = L"Havi naptár";

    // The window the preview belongs to.
    void Create(HWND owner) { owner_ = owner; }

    // The page of a month: `monthTitle` over the cells as the month view fills them.
    static ReportDocument Build(const std::wstring& monthTitle, const MonthCells& cells);

    // Shows the preview and waits until it is closed; while it is open a further
    // request does nothing (returns false).
    bool Preview(const ReportDocument& doc);

private:
    HWND owner_ = nullptr;
    bool busy_ = false;
};

// "yyyy. mmmm" with the regional month name.
std::wstring CalendarMonthTitle(int year, int month, const MonthNames& names);
