// Tool bar buttons that open the program's other windows.
#include "app/main.h"
#include "appearance/szinek.h"
#include "editors/jegyzettomb.h"
#include "lists/Lista.h"
#include "lists/ListaNyom.h"
#include "store/task_lines.h"
#include "lists/NevnapKeres.h"

// The shown month's task list; the list lives while its window is open.
void Tfrm_Main::tbListaClick() {
    if (!Others.lista) return;
    Others.lista->OnPrint = [printedList = Others.printedList](const std::vector<std::wstring>& lines, const std::wstring& title) {
        if (printedList) printedList->Preview(ReportLines(lines), title);
    };
    // The month's lines with the yearly entries of earlier years among them.
    auto lines = diary_.MonthListLines(CurrentDate.year, CurrentDate.month, CompareUserText);
    Others.lista->ShowMonth(diary_, std::move(lines), FormatYearMonth(CurrentDate, Months()));
}

void Tfrm_Main::tbListaNyomtatClick() {
    if (Others.printedList)
        Others.printedList->Preview(
            ReportLines(diary_.MonthListLines(CurrentDate.year, CurrentDate.month, CompareUserText)),
            FormatYearMonth(CurrentDate, Months()));
}

void Tfrm_Main::tbJegyzettombClick() {
    if (Others.jegyzettomb) Others.jegyzettomb->OpenNotepad(diary_);
}

void Tfrm_Main::tbNevnapKeresClick() {
    if (!Others.nevnapKeres) return;
    Others.nevnapKeres->SetProgramDir(ProgramDir);
    Others.nevnapKeres->ShowModal();
}

// Modeless: the colour window stays open beside the main window.
void Tfrm_Main::tbSzinekClick() {
    if (!Others.szinek) return;
    Others.szinek->SetOwner(
        {&Szin, ProgramDir, &FollowWindowsTheme, [this] { ApplyColours(); }, [this] { SaveColours(); }});
    Others.szinek->Show();
}
