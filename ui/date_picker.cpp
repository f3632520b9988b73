#include "ui/date_picker.h"

#include <commctrl.h>

#include "ui/common_controls.h"

void DatePicker::Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style) {
    EnsureCommonControls();
    CreateWindowOf(DATETIMEPICK_CLASSW, WS_TABSTOP | DTS_SHORTDATEFORMAT | style, 0, parent, x, y, w, h, id, font);
    Send(DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"yyyy'. 'MM'. 'dd'.'"));
}

Date DatePicker::Value() const {
    SYSTEMTIME time{};
    Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return Date{time.wYear, time.wMonth, time.wDay};
}

void DatePicker::SetValue(const Date& day) const {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(day.year);
    time.wMonth = static_cast<WORD>(day.month);
    time.wDay = static_cast<WORD>(day.day);
    Send(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}
