// The Hungarian working calendar's two windows of the "Továbbiak" menu, and the
// calendar the month, the printed calendar and the export follow while it is on.
#include "app/HosszuHetvegek.h"
#include "app/Munkaszunet.h"
#include "app/main.h"
#include "ui/application.h"

const WorkCalendar* Tfrm_Main::ActiveWorkCalendar() {
    const WorkCalendar* calendar = WorkDays.Active(ProgramDir);
    // A damaged or missing file is told once; the computed holidays stand meanwhile.
    if (const std::wstring error = calendar ? WorkDays.TakeError() : std::wstring(); !error.empty())
        Application::Get().ShowErrorBox(error);
    return calendar;
}

void Tfrm_Main::mniMunkaszunetClick() {
    WorkDays.Reload();  // the window tells what the file holds now
    const WorkCalendar& calendar = WorkDays.Calendar(ProgramDir);
    Tfrm_Munkaszunet window(WorkDays.On(), MovedDaysFileText(YearsText(calendar.Years()), WorkDays.Error()),
                            ResolveColour(Szin[1]), ResolveColour(Szin[6]));
    window.Create(Handle());
    if (window.ShowModal() != mrOk || window.On() == WorkDays.On()) return;
    WorkDays.Set(window.On(), kRegistryKey);
    WorkDays.TakeError();  // the window has shown it
    FillMonthCells();
}

void Tfrm_Main::mniHosszuHetvegekClick() {
    const WorkCalendar& calendar = WorkDays.Calendar(ProgramDir);
    Tfrm_HosszuHetvegek window(calendar, ShownYear, Months(), ResolveColour(Szin[1]), ResolveColour(Szin[6]));
    window.Create(Handle());
    window.ShowModal();
}
