#include "app/HosszuHetvegek.h"

#include "resources/resource_ids.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 480, kHeight = 300;

}  // namespace

std::wstring DecreeText(const WorkCalendar& calendar, int year) {
    const std::wstring y = std::to_wstring(year);
    if (calendar.Knows(year)) return L"A " + y + L". évi munkarend-rendelet ismert: áthelyezett napjai is számítanak.";
    const std::wstring years = YearsText(calendar.Years());
    return L"A " + y + L". évi rendelet nem ismert (" + (years.empty() ? L"nincs ismert év" : L"ismert: " + years) +
           L"): csak az ünnepek és a hétvégék.";
}

Tfrm_HosszuHetvegek::Tfrm_HosszuHetvegek(const WorkCalendar& calendar, int year, const MonthNames& months,
                                         COLORREF outer, COLORREF inner)
    : Form(SecondaryWindowOptions(L"TivornHosszuHetvegekWindow", kWidth, kHeight)),
      calendar_(calendar),
      year_(year),
      months_(months),
      outer_(outer),
      inner_(inner) {}

std::span<const ControlRow<Tfrm_HosszuHetvegek>> Tfrm_HosszuHetvegek::Controls() {
    using T = Tfrm_HosszuHetvegek;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 44, &T::sbBezarClick),
        WorkingPanelRow<T>(kWidth - 8, kHeight - 36),
        {.name = L"lblEv", .field = &T::lblEv, .parent = &T::Panel1, .x = 10, .y = 8, .w = kWidth - 28, .h = 18},
        {.name = L"lblRendelet", .field = &T::lblRendelet, .parent = &T::Panel1, .x = 10, .y = 28, .w = kWidth - 28,
         .h = 16},
        {.name = L"meLista", .field = &T::meLista, .parent = &T::Panel1, .x = 10, .y = 50, .w = kWidth - 28, .h = 172,
         .style = ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_BORDER},
        {.name = L"btnElozo", .field = &T::btnElozo, .parent = &T::Panel1, .x = 10, .y = 232, .w = 100, .h = 25,
         .text = L"◄ Előző év", .handler = &T::btnElozoClick, .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP},
        {.name = L"btnKovetkezo", .field = &T::btnKovetkezo, .parent = &T::Panel1, .x = 114, .y = 232, .w = 100,
         .h = 25, .text = L"Következő év ►", .handler = &T::btnKovetkezoClick, .style = BS_PUSHBUTTON | WS_TABSTOP},
        {.name = L"btnBezar", .field = &T::btnBezar, .parent = &T::Panel1, .x = kWidth - 8 - 90, .y = 232, .w = 80,
         .h = 25, .text = L"Bezárás", .style = BS_DEFPUSHBUTTON | WS_TABSTOP, .id = IDCANCEL},
    };
    return rows;
}

void Tfrm_HosszuHetvegek::FormCreate() {
    CreateOuterPanel(p, *this);
    p.SetColor(outer_);
    CreateTitlePanel(pCim, p, kWidth - 44, L"  Hosszú hétvégék");
    pCim.SetColor(inner_);
    for (DrawnPanel* label : {&lblEv, &lblRendelet}) {
        label->BevelOuter = Bevel::None;
        label->CaptionAlignment = Alignment::Left;
    }
    lblEv.SetFont(FontSpec{L"Tahoma", 0, 13, true, false, false, EASTEUROPE_CHARSET});
    BuildControls(*this, Controls());
    Panel1.SetColor(inner_);
    for (DrawnPanel* label : {&lblEv, &lblRendelet}) label->SetColor(inner_);
    OnCommand(IDCANCEL, [this] { sbBezarClick(); });
    ShowYear(year_);
}

void Tfrm_HosszuHetvegek::ShowYear(int year) {
    year_ = year;
    if (!meLista) return;
    const auto runs = LongWeekends(calendar_, year);
    lblEv.SetCaption(std::to_wstring(year) + L": " + std::to_wstring(runs.size()) + L" hosszú hétvége");
    lblRendelet.SetCaption(DecreeText(calendar_, year));
    std::wstring text;
    for (const DayRun& run : runs) text += LongWeekendText(calendar_, run, year, months_) + L"\r\n";
    meLista.SetText(text);
}

void Tfrm_HosszuHetvegek::sbBezarClick() { Close(mrCancel); }

bool Tfrm_HosszuHetvegek::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}
