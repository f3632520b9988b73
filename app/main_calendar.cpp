// The month calendar print.
#include "app/main.h"
#include "lists/HaviNaptar.h"

void Tfrm_Main::mniHaviNaptarClick() {
    if (!NameDays) return;
    const MonthCells cells = BuildMonthCells(ShownYear, ShownMonth, EntryIndex, *NameDays, Months);
    const CalendarPageColours colours{ResolveColour(Szin[2]), ResolveColour(Szin[5])};
    qrNaptar.Create(Handle());
    qrNaptar.Preview(TqrNaptar::Build(CalendarMonthTitle(ShownYear, ShownMonth, Months), cells, colours));
}
