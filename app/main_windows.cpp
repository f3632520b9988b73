// Tool bar buttons that open the program's other windows.
#include "app/main.h"
#include "editors/jegyzettomb.h"

void Tfrm_Main::tbListaClick() {}

void Tfrm_Main::tbListaNyomtatClick() {}

void Tfrm_Main::tbJegyzettombClick() {
    if (frm_Jegyzettomb) frm_Jegyzettomb->ShowModal();
}

void Tfrm_Main::tbNevnapKeresClick() {}

void Tfrm_Main::tbSzinekClick() {}
