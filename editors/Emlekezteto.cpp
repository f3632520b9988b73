#include "editors/Emlekezteto.h"

#include <algorithm>

#include <commctrl.h>

#include "app/reminder_text.h"
#include "platform/eljaras_win.h"
#include "platform/errors.h"
#include "platform/kerdes.h"
#include "platform/windows_start.h"
#include "resources/resource_ids.h"
#include "ui/list_texts.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 360, kHeight = 300;
constexpr int kPanelW = kWidth - 8, kPanelH = kHeight - 36;
constexpr struct {
    const wchar_t* caption;
    int width;
} kColumns[] = {{L"Idő", 90}, {L"Mikor", 220}};

}  // namespace

Tfrm_Emlekezteto::Tfrm_Emlekezteto(Diary& diary, const Date& day, const std::wstring& dayText, COLORREF outer,
                                   COLORREF panels)
    : Form(SecondaryWindowOptions(L"TivornEmlekeztetoWindow", kWidth, kHeight)),
      diary_(diary),
      day_(day),
      dayText_(dayText),
      outer_(outer),
      panels_(panels) {}

std::span<const ControlRow<Tfrm_Emlekezteto>> Tfrm_Emlekezteto::Controls() {
    using T = Tfrm_Emlekezteto;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 80, &T::sbBezarClick, L"Bezárás mentés nélkül (Esc)"),
        WorkingPanelRow<T>(kPanelW, kPanelH),
        {.name = L"lvLista", .field = &T::lvLista, .parent = &T::Panel1, .x = 8, .y = 8, .w = kPanelW - 16, .h = 108},
        {.name = L"cbEgeszNap", .field = &T::cbEgeszNap, .parent = &T::Panel1, .x = 8, .y = 128, .w = 78, .h = 17,
         .text = L"&egész nap", .handler = &T::cbEgeszNapClick, .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
         .hint = L"Az egész napos emlékeztetők időpontjában"},
        {.name = L"edtIdo", .field = &T::edtIdo, .parent = &T::Panel1, .x = 90, .y = 126, .w = 50, .h = 21,
         .hint = L"Az emlékeztető időpontja (óó:pp)"},
        {.name = L"cmbElotte", .field = &T::cmbElotte, .parent = &T::Panel1, .x = 148, .y = 126, .w = 140,
         .h = 160, .hint = L"Hány nappal a nap előtt jöjjön"},
        {.name = L"btnHozzaad", .field = &T::btnHozzaad, .parent = &T::Panel1, .x = 8, .y = 156, .w = 104, .h = 25,
         .text = L"&Hozzáadás", .handler = &T::btnHozzaadClick, .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP},
        {.name = L"btnModosit", .field = &T::btnModosit, .parent = &T::Panel1, .x = 116, .y = 156, .w = 104,
         .h = 25, .text = L"&Módosítás", .handler = &T::btnModositClick, .style = BS_PUSHBUTTON | WS_TABSTOP,
         .hint = L"A kijelölt emlékeztető a fenti adatokkal"},
        {.name = L"btnTorol", .field = &T::btnTorol, .parent = &T::Panel1, .x = 224, .y = 156, .w = 104, .h = 25,
         .text = L"&Törlés", .handler = &T::btnTorolClick, .style = BS_PUSHBUTTON | WS_TABSTOP},
        {.name = L"cbEvente", .field = &T::cbEvente, .parent = &T::Panel1, .x = 8, .y = 196, .w = 110, .h = 17,
         .text = L"minden é&vben", .handler = &T::cbEventeClick, .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
         .hint = L"A bejegyzés minden későbbi évben is megjelenik"},
        {.name = L"cbSorszam", .field = &T::cbSorszam, .parent = &T::Panel1, .x = 124, .y = 196, .w = 200,
         .h = 17, .text = L"&sorszámmal, pl. „(42.)”", .handler = &T::cbSorszamClick, .style = BS_AUTOCHECKBOX | WS_TABSTOP,
         .hint = L"A cím után az évek sorszáma, pl. születésnapnál"},
        {.name = L"btnRendben", .field = &T::btnRendben, .parent = &T::Panel1, .x = kPanelW - 8 - 84 - 4 - 84,
         .y = kPanelH - 36, .w = 84, .h = 25, .text = L"Rendben", .handler = &T::btnRendbenClick,
         .style = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, .id = IDOK},
        {.name = L"btnMegse", .field = &T::btnMegse, .parent = &T::Panel1, .x = kPanelW - 8 - 84, .y = kPanelH - 36,
         .w = 84, .h = 25, .text = L"Mégsem", .handler = &T::sbBezarClick, .style = BS_PUSHBUTTON | WS_TABSTOP,
         .id = IDCANCEL},
    };
    return rows;
}

void Tfrm_Emlekezteto::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, kWidth - 80, L"  Emlékeztető – " + dayText_);
    BuildControls(*this, Controls());
    p.SetColor(outer_);
    for (BevelPanel* panel : {&pCim, &Panel1}) panel->SetColor(panels_);
    for (const auto& column : kColumns) lvLista.AddColumn(column.caption, column.width);
    ServeCellTexts(*this, lvLista, [this](int row, int column) { return CellText(row, column); });
    OnNotify(lvLista.Id(), LVN_ITEMCHANGED, [this](NMHDR* hdr) -> LRESULT {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(hdr);
        const int row = change->iItem;
        if ((change->uNewState & LVIS_SELECTED) && row >= 0 && static_cast<size_t>(row) < reminders_.size())
            ShowInFields(reminders_[static_cast<size_t>(row)]);
        return 0;
    });
    for (int days : kLeadDayChoices) cmbElotte.Add(LeadDaysText(days));
    edtIdo.SetLimit(5);

    reminders_ = stored_ = diary_.RemindersOf(day_);
    yearly_ = diary_.Yearly(day_);
    cbEvente.SetChecked(yearly_.has_value());
    cbSorszam.SetChecked(yearly_ && yearly_->count);
    ShowInFields(Reminder{day_, kAllDay, 0});
    edtIdo.SetText(L"08:00");
    Refill(0);
}

std::wstring Tfrm_Emlekezteto::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= reminders_.size()) return {};
    const Reminder& r = reminders_[static_cast<size_t>(row)];
    return column == 0 ? ReminderTimeText(r.minute) : LeadDaysText(r.leadDays);
}

int Tfrm_Emlekezteto::SelectedRow() const {
    const int row = lvLista.SelectedIndex();
    return row >= 0 && static_cast<size_t>(row) < reminders_.size() ? row : -1;
}

void Tfrm_Emlekezteto::Refill(int selected) {
    lvLista.SetItemCount(static_cast<int>(reminders_.size()));
    if (!reminders_.empty()) lvLista.Select(std::clamp(selected, 0, static_cast<int>(reminders_.size()) - 1));
    lvLista.Redraw();
    btnModosit.SetEnabled(!reminders_.empty());
    btnTorol.SetEnabled(!reminders_.empty());
}

void Tfrm_Emlekezteto::ShowInFields(const Reminder& reminder) {
    cbEgeszNap.SetChecked(reminder.minute == kAllDay);
    if (reminder.minute != kAllDay) edtIdo.SetText(ReminderTimeText(reminder.minute));
    cbEgeszNapClick();
    const auto* choice = std::find(std::begin(kLeadDayChoices), std::end(kLeadDayChoices), reminder.leadDays);
    cmbElotte.SetSelectedIndex(choice == std::end(kLeadDayChoices) ? 0 : static_cast<int>(choice - kLeadDayChoices));
}

Reminder Tfrm_Emlekezteto::FromFields() const {
    Reminder r{day_, kAllDay, kLeadDayChoices[std::max(cmbElotte.SelectedIndex(), 0)]};
    if (!cbEgeszNap.Checked()) {
        const std::wstring typed = edtIdo.Text();
        const auto minute = ParseReminderTime(typed);
        if (!minute) throw AppError(L"„" + typed + L"” nem időpont: óó:pp alakban adja meg, például 18:30.");
        r.minute = *minute;
    }
    return r;
}

void Tfrm_Emlekezteto::btnHozzaadClick() {
    const Reminder r = FromFields();
    auto at = std::find(reminders_.begin(), reminders_.end(), r);
    if (at == reminders_.end()) at = reminders_.insert(reminders_.end(), r);
    Refill(static_cast<int>(at - reminders_.begin()));
}

void Tfrm_Emlekezteto::btnModositClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    reminders_[static_cast<size_t>(row)] = FromFields();
    Refill(row);
}

void Tfrm_Emlekezteto::btnTorolClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    reminders_.erase(reminders_.begin() + row);
    Refill(row);
}

// Only what changed goes to the diary: a day without an entry can still be looked at.
void Tfrm_Emlekezteto::btnRendbenClick() {
    if (reminders_ != stored_) {
        diary_.SetReminders(day_, reminders_);
        stored_ = reminders_;
        if (!reminders_.empty()) OfferStartWithWindows();
    }
    const bool yearly = cbEvente.Checked(), count = yearly && cbSorszam.Checked();
    if (yearly != yearly_.has_value() || (yearly_ && yearly_->count != count)) diary_.SetYearly(day_, yearly, count);
    Close(mrOk);
}

// A reminder comes only while the program runs: the first one made offers the start
// with Windows, once (the reminders' list window turns it on and off later).
void Tfrm_Emlekezteto::OfferStartWithWindows() {
    if (ReadRegString(HKEY_CURRENT_USER, kProgramRegistryKey, kStartOfferedValue) == L"1") return;
    WriteRegString(HKEY_CURRENT_USER, kProgramRegistryKey, kStartOfferedValue, L"1");
    if (StartsWithWindows()) return;
    // The question window holds about four short lines: the rest is in the guide.
    if (ShowQuestionWindow(L"Az emlékeztetők csak futó programban jönnek. Induljon a Tivorn a Windows-zal, a tálcán?",
                           QuestionDefault::No))
        SetStartsWithWindows(true);
}

bool Tfrm_Emlekezteto::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}
