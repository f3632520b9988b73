// The main window's controls: the title strip with the tool bar and the month
// arrows, the status bar with the hint and the clock, and the tool bar's buttons.
#include "app/main.h"

#include "resources/resource_ids.h"

namespace {

constexpr int kTitleBarHeight = 33;
constexpr int kStatusHeight = 25;
constexpr int kGridHeight = 493;

}  // namespace

std::span<const ControlRow<Tfrm_Main>> Tfrm_Main::Controls() {
    using T = Tfrm_Main;
    static const ControlRow<T> rows[] = {
        {.name = L"pFejlec", .field = &T::pFejlec, .x = 0, .y = 0, .w = 786, .h = kTitleBarHeight},
        {.name = L"ToolBar1", .field = &T::ToolBar1, .parent = &T::pFejlec, .x = 2, .y = 2, .w = 520,
         .h = kTitleBarHeight - 4, .handler = &T::CreateToolBar},
        {.name = L"tbVissza", .field = &T::tbVissza, .parent = &T::pFejlec, .x = 528, .y = 4, .w = 25, .h = 25,
         .text = L"Előző hónap", .handler = &T::tbVisszaClick, .picture = IDI_SB_PREV, .tooltip = true},
        {.name = L"tbElore", .field = &T::tbElore, .parent = &T::pFejlec, .x = 556, .y = 4, .w = 25, .h = 25,
         .text = L"Következő hónap", .handler = &T::tbEloreClick, .picture = IDI_SB_NEXT, .tooltip = true},
        // The status bar along the bottom, under the grid area.
        {.name = L"Panel2", .field = &T::Panel2, .x = 0, .y = kTitleBarHeight + kGridHeight, .w = 786,
         .h = kStatusHeight},
        {.name = L"pHint", .field = &T::pHint, .parent = &T::Panel2, .x = 0, .y = 0, .w = 291, .h = kStatusHeight},
        {.name = L"pIdo", .field = &T::pIdo, .parent = &T::Panel2, .x = 291, .y = 0, .w = 786 - 291,
         .h = kStatusHeight},
    };
    return rows;
}

std::span<const ToolButtonRow<Tfrm_Main>> Tfrm_Main::ToolButtons() {
    using T = Tfrm_Main;
    static const ToolButtonRow<T> rows[] = {
        {L"tbLista", 12, L"Havi feladatok listája megtekintés", &T::tbListaClick},
        {L"tbListaNyomtat", 0, L"Lista nyomtatás", &T::tbListaNyomtatClick},
        {L"tbListaMent", 1, L"Lista mentés", &T::tbListaMentClick},
        {nullptr, 8, nullptr},
        {L"tbJegyzettomb", 8, L"Jegyzettömb megnyitása", &T::tbJegyzettombClick},
        {L"tbNevnapKeres", 9, L"Névnap keresése", &T::tbNevnapKeresClick},
        {nullptr, 8, nullptr},
        {L"tbSzinek", 7, L"Program színeinek beállítása", &T::tbSzinekClick},
        {nullptr, 8, nullptr},
        {L"tbHlp", 2, L"Súgó", &T::tbHlpClick},
        {L"tbAbout", 3, L"Névjegy", &T::tbAboutClick},
        {nullptr, 8, nullptr},
        {L"tbLevel", 4, L"Levél küldése Ketrabonak", &T::tbLevelClick},
        {L"tbHonlap", 5, L"Ketrabo honlapja", &T::tbHonlapClick},
        {nullptr, 8, nullptr},
        {L"tbTray", 11, L"Tálcára rak (dupla kattintásra újra nyitható)", &T::tbTrayClick},
        {L"tbKilep", 6, L"Kilépés a programból", &T::tbKilepClick},
        {nullptr, 8, nullptr},
        {L"tbTovabbiak", 13, L"További lehetőségek", &T::tbTovabbiakClick, BTNS_WHOLEDROPDOWN},
    };
    return rows;
}

// Made at its place among the title strip's controls, where its row puts it.
void Tfrm_Main::CreateToolBar() {
    const auto& row = RowOf(Controls(), L"ToolBar1");
    ToolBar1.Create(pFejlec, row.x, row.y, row.w, row.h, ImageListMain, 25, 25, 4);
    ToolBar1.AddButtons(*this, ToolButtons());
    CreateTovabbiak();
}
