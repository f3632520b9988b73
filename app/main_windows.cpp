// Tool bar buttons that open the program's other windows.
#include "app/main.h"
#include "appearance/szinek.h"
#include "editors/jegyzettomb.h"
#include "lists/Lista.h"
#include "lists/ListaNyom.h"
#include "lists/task_lines.h"
#include "lists/NevnapKeres.h"

// The shown month's task list; the list lives while its window is open.
void Tfrm_Main::tbListaClick() {
    if (!frm_Lista) return;
    frm_Lista->slLista = ListLinesOfMonth(EntryIndex, CurrentDate);
    frm_Lista->EnsureInsides();  // the caption goes to the title strip made there
    frm_Lista->pCim.SetCaption(L"   " + FormatYearMonth(CurrentDate, Months));
    frm_Lista->ShowModal();
    frm_Lista->slLista.clear();
}

void Tfrm_Main::tbListaNyomtatClick() {
    if (qrLista)
        qrLista->Preview(ReportLines(ListLinesOfMonth(EntryIndex, CurrentDate)), FormatYearMonth(CurrentDate, Months));
}

void Tfrm_Main::tbJegyzettombClick() {
    if (frm_Jegyzettomb) frm_Jegyzettomb->OpenNotepad();
}

void Tfrm_Main::tbNevnapKeresClick() {
    if (frm_NevnapKeres) frm_NevnapKeres->ShowModal();
}

// Modeless: the colour window stays open beside the main window.
void Tfrm_Main::tbSzinekClick() {
    if (frm_szinek) frm_szinek->Show();
}
