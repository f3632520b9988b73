#include "app/Ismerosok.h"

#include <algorithm>

#include <commctrl.h>

#include "app/reminder_text.h"
#include "platform/errors.h"
#include "platform/kerdes.h"
#include "resources/resource_ids.h"
#include "ui/list_texts.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 460, kHeight = 360;
constexpr int kPanelW = kWidth - 8, kPanelH = kHeight - 36;
constexpr int kBoxesTop = 196;
constexpr struct {
    const wchar_t* caption;
    int width;
} kColumns[] = {{L"Név", 150}, {L"Mikor", 110}, {L"Névnapok", 160}};

}  // namespace

Tfrm_Ismerosok::Tfrm_Ismerosok(Diary& diary, COLORREF outer, COLORREF panels)
    : Form(SecondaryWindowOptions(L"TivornIsmerosokWindow", kWidth, kHeight)),
      diary_(diary),
      outer_(outer),
      panels_(panels),
      months_(diary.Months()) {}

std::span<const ControlRow<Tfrm_Ismerosok>> Tfrm_Ismerosok::Controls() {
    using T = Tfrm_Ismerosok;
    constexpr int y = kPanelH - 36;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 80, &T::sbBezarClick),
        WorkingPanelRow<T>(kPanelW, kPanelH),
        {.name = L"lvLista", .field = &T::lvLista, .parent = &T::Panel1, .x = 8, .y = 8, .w = kPanelW - 16, .h = 146},
        {.name = L"Label1", .field = {}, .parent = &T::Panel1, .x = 8, .y = 168, .text = L"Név:"},
        {.name = L"edtNev", .field = &T::edtNev, .parent = &T::Panel1, .x = 40, .y = 164, .w = 190, .h = 21,
         .handler = &T::edtNevChange, .code = EN_CHANGE, .hint = L"Az ismerős neve; a névnapjai alatta jelennek meg"},
        {.name = L"cmbElotte", .field = &T::cmbElotte, .parent = &T::Panel1, .x = 238, .y = 164, .w = 140, .h = 160,
         .hint = L"Hány nappal a névnap előtt jöjjön az emlékeztető"},
        {.name = L"btnHozzaad", .field = &T::btnHozzaad, .parent = &T::Panel1, .x = 8, .y = y - 2, .w = 96, .h = 25,
         .text = L"&Hozzáadás", .handler = &T::btnHozzaadClick, .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP},
        {.name = L"btnModosit", .field = &T::btnModosit, .parent = &T::Panel1, .x = 108, .y = y - 2, .w = 96, .h = 25,
         .text = L"&Módosítás", .handler = &T::btnModositClick, .style = BS_PUSHBUTTON | WS_TABSTOP},
        {.name = L"btnTorol", .field = &T::btnTorol, .parent = &T::Panel1, .x = 208, .y = y - 2, .w = 96, .h = 25,
         .text = L"&Törlés", .handler = &T::btnTorolClick, .style = BS_PUSHBUTTON | WS_TABSTOP},
        {.name = L"btnBezar", .field = &T::btnBezar, .parent = &T::Panel1, .x = kPanelW - 8 - 84, .y = y - 2,
         .w = 84, .h = 25, .text = L"Bezárás", .style = BS_PUSHBUTTON | WS_TABSTOP, .id = IDCANCEL},
    };
    return rows;
}

void Tfrm_Ismerosok::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, kWidth - 80, L"  Névnapok – ismerőseim");
    BuildControls(*this, Controls());
    for (size_t i = 0; i < kDayBoxes; ++i) {
        const int x = 8 + static_cast<int>(i % 4) * 108, y = kBoxesTop + static_cast<int>(i / 4) * 22;
        cbNapok[i].Create(Panel1.Handle(), x, y, 104, 17, NewControlId(), FormFont(), BS_AUTOCHECKBOX | WS_TABSTOP, L"");
        cbNapok[i].SetVisible(false);
    }
    p.SetColor(outer_);
    for (BevelPanel* panel : {&pCim, &Panel1}) panel->SetColor(panels_);
    for (const auto& column : kColumns) lvLista.AddColumn(column.caption, column.width);
    ServeCellTexts(*this, lvLista, [this](int row, int column) { return CellText(row, column); });
    OnNotify(lvLista.Id(), LVN_ITEMCHANGED, [this](NMHDR* hdr) -> LRESULT {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(hdr);
        const int row = change->iItem;
        if ((change->uNewState & LVIS_SELECTED) && row >= 0 && static_cast<size_t>(row) < people_.size()) {
            const Person& person = people_[static_cast<size_t>(row)];
            edtNev.SetText(person.name);  // offers all its days (EN_CHANGE)...
            OfferNameDays(person.name, person.nameDays);  // ...of which the kept ones are checked
            const auto* lead = std::find(std::begin(kLeadDayChoices), std::end(kLeadDayChoices), person.leadDays);
            cmbElotte.SetSelectedIndex(lead == std::end(kLeadDayChoices) ? 0 : static_cast<int>(lead - kLeadDayChoices));
        }
        return 0;
    });
    for (int days : kLeadDayChoices) cmbElotte.Add(LeadDaysText(days));
    cmbElotte.SetSelectedIndex(0);
    OnCommand(IDCANCEL, [this] { sbBezarClick(); });
    FillList({});
}

std::wstring Tfrm_Ismerosok::DayText(const MonthDay& day) const {
    const std::wstring& month = months_[static_cast<size_t>(day.month - 1)];
    if (month.empty()) return FormatDottedDate(Date{2000, day.month, day.day}).substr(5);
    return month + L" " + std::to_wstring(day.day) + L".";
}

void Tfrm_Ismerosok::FillList(const std::wstring& selected) {
    people_ = diary_.People();
    lvLista.SetItemCount(static_cast<int>(people_.size()));
    const auto at = std::find_if(people_.begin(), people_.end(), [&](const Person& p) { return p.name == selected; });
    if (at != people_.end()) lvLista.Select(static_cast<int>(at - people_.begin()));
    lvLista.Redraw();
    btnModosit.SetEnabled(!people_.empty());
    btnTorol.SetEnabled(!people_.empty());
}

std::wstring Tfrm_Ismerosok::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= people_.size()) return {};
    const Person& person = people_[static_cast<size_t>(row)];
    if (column == 0) return person.name;
    if (column == 1) return LeadDaysText(person.leadDays);
    std::wstring days;
    for (const MonthDay& day : person.nameDays) days += (days.empty() ? L"" : L", ") + DayText(day);
    return days;
}

void Tfrm_Ismerosok::OfferNameDays(const std::wstring& name, const std::vector<MonthDay>& kept) {
    offered_ = diary_.NameDaysOf(name);
    if (offered_.size() > kDayBoxes) offered_.resize(kDayBoxes);
    for (size_t i = 0; i < kDayBoxes; ++i) {
        const bool used = i < offered_.size();
        cbNapok[i].SetVisible(used);
        if (!used) continue;
        cbNapok[i].SetText(DayText(offered_[i]));
        cbNapok[i].SetChecked(kept.empty() || std::find(kept.begin(), kept.end(), offered_[i]) != kept.end());
    }
}

Person Tfrm_Ismerosok::FromFields() const {
    Person person{edtNev.Text(), kLeadDayChoices[std::max(cmbElotte.SelectedIndex(), 0)], {}};
    for (size_t i = 0; i < offered_.size(); ++i)
        if (cbNapok[i].Checked()) person.nameDays.push_back(offered_[i]);
    if (person.nameDays.empty())
        throw AppError(offered_.empty() ? L"„" + person.name + L"” nem szerepel a névnaptárban."
                                        : std::wstring(L"Jelöljön meg legalább egy névnapot."));
    return person;
}

int Tfrm_Ismerosok::SelectedRow() const {
    const int row = lvLista.SelectedIndex();
    return row >= 0 && static_cast<size_t>(row) < people_.size() ? row : -1;
}

void Tfrm_Ismerosok::btnHozzaadClick() {
    const Person person = FromFields();
    diary_.AddPerson(person);
    FillList(person.name);
}

void Tfrm_Ismerosok::btnModositClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    const Person person = FromFields();
    diary_.ChangePerson(people_[static_cast<size_t>(row)].name, person);
    FillList(person.name);
}

void Tfrm_Ismerosok::btnTorolClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    const std::wstring name = people_[static_cast<size_t>(row)].name;
    if (!ShowQuestionWindow(L"Törlöm „" + name + L"” névnapjának emlékeztetőjét?")) return;
    diary_.DeletePerson(name);
    FillList({});
}

bool Tfrm_Ismerosok::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}
