// "Hosszú hétvégék" (the "Továbbiak" menu): a year's runs of three or more days off
// by the Hungarian working calendar, with which year it is and whether that year's
// decree of moved days is known. The year steps with two buttons. House style:
// outer panel, title strip with its close button, Escape closes. Made at each use.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "platform/eljaras.h"
#include "store/work_calendar.h"
#include "ui/control_table.h"
#include "ui/drawn_panel.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_HosszuHetvegek : public Form {
public:
    Tfrm_HosszuHetvegek(const WorkCalendar& calendar, int year, const MonthNames& months, COLORREF outer,
                        COLORREF inner);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    DrawnPanel lblEv{L"lblEv"};
    DrawnPanel lblRendelet{L"lblRendelet"};
    Edit meLista;
    Button btnElozo;
    Button btnKovetkezo;
    Button btnBezar;

    static std::span<const ControlRow<Tfrm_HosszuHetvegek>> Controls();

    int Year() const { return year_; }
    void ShowYear(int year);
    void btnElozoClick() { ShowYear(year_ - 1); }
    void btnKovetkezoClick() { ShowYear(year_ + 1); }
    void sbBezarClick();

protected:
    void FormCreate() override;
    bool FormKeyPress(wchar_t key) override;

private:
    const WorkCalendar& calendar_;
    int year_;
    MonthNames months_;
    COLORREF outer_, inner_;
};

// "A 2026. évi rendelet ismert: …" or why the year has no moved days.
std::wstring DecreeText(const WorkCalendar& calendar, int year);
