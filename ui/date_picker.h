// A date field: the system's date picker holding one whole day, written as Hungarians
// write dates ("2026. 12. 09."), whatever the system's own format. The arrow keys
// change the part that has the focus; Alt+Down opens the month's calendar.
#pragma once

#include <windows.h>

#include "platform/eljaras.h"
#include "ui/standard_controls.h"

class DatePicker : public StandardControl {
public:
    void Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style = 0);
    Date Value() const;
    void SetValue(const Date& day) const;
};
