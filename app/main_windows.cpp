// Tool bar buttons that open the program's other windows.
#include "app/main.h"
#include "appearance/szinek.h"
#include "editors/jegyzettomb.h"
#include "lists/NevnapKeres.h"

void Tfrm_Main::tbListaClick() {}

void Tfrm_Main::tbListaNyomtatClick() {}

void Tfrm_Main::tbJegyzettombClick() {
    if (frm_Jegyzettomb) frm_Jegyzettomb->ShowModal();
}

void Tfrm_Main::tbNevnapKeresClick() {
    if (frm_NevnapKeres) frm_NevnapKeres->ShowModal();
}

// Modeless: the colour window stays open beside the main window.
void Tfrm_Main::tbSzinekClick() {
    if (frm_szinek) frm_szinek->Show();
}
