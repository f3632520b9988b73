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
    frm_Lista->OnPrint = [](const std::vector<std::wstring>& lines, const std::wstring& title) {
        if (qrLista) qrLista->Preview(ReportLines(lines), title);
    };
    auto lines = diary_.WithEntries([this](const EntryStore& entries) { return ListLinesOfMonth(entries, CurrentDate); });
    frm_Lista->ShowMonth(diary_, std::move(lines), FormatYearMonth(CurrentDate, Months()));
}

void Tfrm_Main::tbListaNyomtatClick() {
    if (qrLista)
        qrLista->Preview(ReportLines(diary_.WithEntries(
                             [this](const EntryStore& entries) { return ListLinesOfMonth(entries, CurrentDate); })),
                         FormatYearMonth(CurrentDate, Months()));
}

void Tfrm_Main::tbJegyzettombClick() {
    if (frm_Jegyzettomb) frm_Jegyzettomb->OpenNotepad(diary_);
}

void Tfrm_Main::tbNevnapKeresClick() {
    if (!frm_NevnapKeres) return;
    frm_NevnapKeres->SetProgramDir(ProgramDir);
    frm_NevnapKeres->ShowModal();
}

// Modeless: the colour window stays open beside the main window.
void Tfrm_Main::tbSzinekClick() {
    if (!frm_szinek) return;
    frm_szinek->SetOwner({&Szin, ProgramDir, [this] { ApplyColours(); }, [this] { SaveColours(); }});
    frm_szinek->Show();
}
