// The printed month calendar: one A4 landscape page with the month's title
// ("yyyy. mmmm"), the seven week-day headers and six weeks of day cells drawn by
// the month view's own day-cell painter, laid out in millimetres; previewed in the
// report preview and printed from there (with "Microsoft Print to PDF" it is the
// month as a PDF file too).
#pragma once

#include <windows.h>

#include <string>

#include "app/month_model.h"
#include "report/report.h"

// The scheme colours the page takes from the month view.
struct CalendarPageColours {
    COLORREF cell = 0xC0C0C0;    // the cells' idle colour (slot 2)
    COLORREF header = 0x808080;  // the week-day headers (slot 5)
};

class TqrNaptar {
public:
    TqrNaptar() = default;
    TqrNaptar(const TqrNaptar&) = delete;
    TqrNaptar& operator=(const TqrNaptar&) = delete;

    static constexpr const wchar_t* kTitle = L"Havi naptár";

    // The window the preview belongs to.
    void Create(HWND owner) { owner_ = owner; }

    // The page of a month: `monthTitle` over the cells as the month view fills them.
    static ReportDocument Build(const std::wstring& monthTitle, const MonthCells& cells,
                                const CalendarPageColours& colours);

    // Shows the preview and waits until it is closed; while it is open a further
    // request does nothing (returns false).
    bool Preview(const ReportDocument& doc);

private:
    HWND owner_ = nullptr;
    bool busy_ = false;
};

// "yyyy. mmmm" with the regional month name.
std::wstring CalendarMonthTitle(int year, int month, const MonthNames& names);
