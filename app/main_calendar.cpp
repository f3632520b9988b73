// The month calendar print, the two iCalendar exports and the import (the "Továbbiak" menu).
#include "app/Importalas.h"
#include "app/main.h"
#include "lists/Exportalas.h"
#include "lists/HaviNaptar.h"
#include "platform/uzenet.h"
#include "store/diary_export.h"

void Tfrm_Main::mniHaviNaptarClick() {
    if (!diary_.NameDays()) return;
    const MonthCells cells = diary_.Month(ShownYear, ShownMonth, ActiveWorkCalendar());
    qrNaptar.Create(Handle());
    qrNaptar.Preview(TqrNaptar::Build(CalendarMonthTitle(ShownYear, ShownMonth, Months()), cells));
}

void Tfrm_Main::mniIcalExportClick() {
    const std::wstring month = CalendarMonthTitle(ShownYear, ShownMonth, Months());
    const std::wstring year = std::to_wstring(ShownYear);
    Tfrm_Exportalas window(month, year, ResolveColour(Szin[1]), ResolveColour(Szin[6]));
    window.SetScope(lastExportScope_);
    window.Create(Handle());
    if (window.ShowModal() != mrOk) return;
    lastExportScope_ = window.Scope();

    const Date shown{ShownYear, ShownMonth, 1};
    ExportRange range = ExportRange::All();
    std::wstring suggested = L"Tivorn napló.ics";
    if (lastExportScope_ == ExportScope::Month) {
        range = ExportRange::Month(shown);
        suggested = L"Tivorn " + month + L".ics";
    } else if (lastExportScope_ == ExportScope::Year) {
        range = ExportRange::Year(shown);
        suggested = L"Tivorn " + year + L".ics";
    }
    const std::wstring path = AskIcsFileName(Handle(), L"Exportálás iCalendar fájlba", suggested);
    if (path.empty()) return;
    // With the working calendar on, its holidays and moved days go with the entries;
    // the diary adds the reminders as alarms and the yearly entries as yearly series.
    const WorkCalendar* calendar = ActiveWorkCalendar();
    const size_t count = diary_.Export(range, path, UtcNow(), calendar);
    ShowMessageWindow(std::to_wstring(count) +
                      (calendar ? L" esemény (bejegyzések, munkaszüneti és áthelyezett napok) került a fájlba."
                                : L" bejegyzés került a fájlba."));
}

void Tfrm_Main::mniNevnapIcalClick() {
    const std::shared_ptr<const TNevnapok> nameDays = diary_.NameDays();
    if (!nameDays) return;
    // The series start early enough for the month shown and for today.
    const int firstYear = std::min(ShownYear, Today().year);
    if (NameDayEvents(*nameDays, firstYear).empty()) {
        ShowMessageWindow(L"Nincsenek névnapok: hiányzik a Névnapok.txt.");
        return;
    }
    const std::wstring path = AskIcsFileName(Handle(), L"Névnapok iCalendar fájlba", L"Névnapok.ics");
    if (path.empty()) return;
    const size_t count = ExportNameDays(*nameDays, firstYear, path, UtcNow());
    ShowMessageWindow(std::to_wstring(count) + L" névnap került a fájlba, évente ismétlődő eseményként.");
}

void Tfrm_Main::mniIcalImportClick() {
    const std::wstring path = AskIcsFileToOpen(Handle());
    if (path.empty()) return;
    // A file that is no calendar, or too big, stops here with its reason: nothing is written.
    IcsComponent calendar = ReadCalendarFile(path);
    Tfrm_Importalas window(diary_, std::move(calendar), path.substr(path.find_last_of(L"\\/") + 1), Today(),
                           ResolveColour(Szin[1]), ResolveColour(Szin[6]));
    window.Create(Handle());
    if (window.ShowModal() != mrOk) return;
    ShowMessageWindow(ImportedText(window.Imported()));
}
