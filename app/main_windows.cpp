// Tool bar buttons that open the program's other windows.
#include "app/main.h"

void Tfrm_Main::tbListaClick() {}

void Tfrm_Main::tbListaNyomtatClick() {}

void Tfrm_Main::tbJegyzettombClick() {}

void Tfrm_Main::tbNevnapKeresClick() {}

void Tfrm_Main::tbSzinekClick() {}
