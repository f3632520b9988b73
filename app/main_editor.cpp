// Hands the clicked day to the entry editor.
#include "app/main.h"
#include "editors/Reszlet.h"
#include "ui/application.h"

void Tfrm_Main::EditCurrentDay() {
    // A note that cannot be read is reported and the editor stays closed; the day's
    // line exists then, so there is no placeholder to leave behind.
    if (!frm_Reszlet || !frm_Reszlet->OpenCurrentDay()) EntryIndex.LeaveWithoutStoring(CurrentLine);
}

void Tfrm_Main::OpenDayFromSearch(const Date& day) {
    ShowMonth(day);
    n1Click(*Cells[static_cast<size_t>(FirstCell + day.day - 2)]);
}
