#include "app/Emlekeztetok.h"

#include <algorithm>

#include <commctrl.h>

#include "app/reminder_text.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/canvas.h"
#include "ui/list_texts.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 480, kHeight = 272;
constexpr int kPanelW = kWidth - 8, kPanelH = kHeight - 36;
enum Column { kDayColumn, kTimeColumn, kTitleColumn };
struct ColumnDef {
    const wchar_t* caption;
    int width;
};
constexpr ColumnDef kColumns[] = {{L"Nap", 86}, {L"Idő", 70}, {L"Emlékeztető", 290}};

}  // namespace

Tfrm_Emlekeztetok::Tfrm_Emlekeztetok(Diary& diary)
    : Form(SecondaryWindowOptions(L"TivornEmlekeztetokWindow", kWidth, kHeight)), diary_(diary) {}

std::span<const ControlRow<Tfrm_Emlekeztetok>> Tfrm_Emlekeztetok::Controls() {
    using T = Tfrm_Emlekeztetok;
    constexpr int y = kPanelH - 36;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 80, &T::sbBezarClick),
        WorkingPanelRow<T>(kPanelW, kPanelH),
        {.name = L"lvLista", .field = &T::lvLista, .parent = &T::Panel1, .x = 8, .y = 8, .w = kPanelW - 16,
         .h = y - 16, .hint = L"Dupla kattintás vagy Enter: a nap megnyitása"},
        {.name = L"Label1", .field = {}, .parent = &T::Panel1, .x = 8, .y = y + 6, .text = L"Szundi:"},
        {.name = L"btn10Perc", .field = &T::btn10Perc, .parent = &T::Panel1, .x = 52, .y = y, .w = 62, .h = 25,
         .text = L"&10 perc", .handler = &T::btn10PercClick, .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP,
         .hint = L"A kijelölt emlékeztető 10 perc múlva újra jön"},
        {.name = L"btn1Ora", .field = &T::btn1Ora, .parent = &T::Panel1, .x = 118, .y = y, .w = 62, .h = 25,
         .text = L"1 ó&ra", .handler = &T::btn1OraClick, .style = BS_PUSHBUTTON | WS_TABSTOP,
         .hint = L"A kijelölt emlékeztető egy óra múlva újra jön"},
        {.name = L"btnHolnap", .field = &T::btnHolnap, .parent = &T::Panel1, .x = 184, .y = y, .w = 62, .h = 25,
         .text = L"&holnap", .handler = &T::btnHolnapClick, .style = BS_PUSHBUTTON | WS_TABSTOP,
         .hint = L"A kijelölt emlékeztető holnap, az egész napos időben jön újra"},
        {.name = L"btnKesz", .field = &T::btnKesz, .parent = &T::Panel1, .x = kPanelW - 8 - 84 - 4 - 84, .y = y,
         .w = 84, .h = 25, .text = L"&Kész", .handler = &T::btnKeszClick, .style = BS_PUSHBUTTON | WS_TABSTOP,
         .hint = L"A kijelölt emlékeztető kész: nem jön többet"},
        {.name = L"btnMindKesz", .field = &T::btnMindKesz, .parent = &T::Panel1, .x = kPanelW - 8 - 84, .y = y,
         .w = 84, .h = 25, .text = L"&Mind kész", .handler = &T::btnMindKeszClick,
         .style = BS_PUSHBUTTON | WS_TABSTOP, .hint = L"Minden listázott emlékeztető kész"},
    };
    return rows;
}

void Tfrm_Emlekeztetok::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, kWidth - 80, L"  Emlékeztetők");
    BuildControls(*this, Controls());
    for (const ColumnDef& column : kColumns) lvLista.AddColumn(column.caption, column.width);
    ServeCellTexts(*this, lvLista, [this](int row, int column) { return CellText(row, column); });
    OnNotify(lvLista.Id(), NM_DBLCLK, [this](NMHDR*) -> LRESULT {
        OpenSelected();
        return 0;
    });
    OnCommand(IDOK, [this] { OpenSelected(); });  // Enter
    p.SetColor(outer_);
    for (BevelPanel* panel : {&pCim, &Panel1}) panel->SetColor(panels_);
}

void Tfrm_Emlekeztetok::ApplyScheme(const SchemeColours& colours) {
    outer_ = ResolveColour(colours[1]);
    panels_ = ResolveColour(colours[6]);
    if (!Panel1.Handle()) return;
    p.SetColor(outer_);
    for (BevelPanel* panel : {&pCim, &Panel1}) panel->SetColor(panels_);
}

void Tfrm_Emlekeztetok::AddDue(const std::vector<Occurrence>& due) {
    for (const Occurrence& o : due) {
        const bool listed = std::any_of(items_.begin(), items_.end(), [&](const Occurrence& i) { return i.Key() == o.Key(); });
        if (listed) continue;
        items_.push_back(o);
        titles_.push_back(diary_.ReminderTitle(o));
    }
    Refill(std::max(SelectedRow(), 0));
    if (!IsWindowVisible(Handle())) {
        SetWindowTextW(Handle(), Application::Get().Title.c_str());
        ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    }
}

std::wstring Tfrm_Emlekeztetok::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= items_.size()) return {};
    const Occurrence& o = items_[static_cast<size_t>(row)];
    switch (column) {
        case kDayColumn:
            return FormatDottedDate(o.day);
        case kTimeColumn:
            return ReminderTimeText(o.minute);
        case kTitleColumn:
            return titles_[static_cast<size_t>(row)];
        default:
            return {};
    }
}

int Tfrm_Emlekeztetok::SelectedRow() const {
    const int row = lvLista.Handle() ? lvLista.SelectedIndex() : -1;
    return row >= 0 && static_cast<size_t>(row) < items_.size() ? row : -1;
}

void Tfrm_Emlekeztetok::Refill(int selected) {
    if (!lvLista.Handle()) return;
    lvLista.SetItemCount(static_cast<int>(items_.size()));
    if (!items_.empty()) lvLista.Select(std::min(selected, static_cast<int>(items_.size()) - 1));
    lvLista.Redraw();
    for (Button* b : {&btn10Perc, &btn1Ora, &btnHolnap, &btnKesz, &btnMindKesz}) b->SetEnabled(!items_.empty());
}

void Tfrm_Emlekeztetok::RemoveRow(int row) {
    items_.erase(items_.begin() + row);
    titles_.erase(titles_.begin() + row);
    Refill(row);
    if (items_.empty()) Hide();
}

// The diary keeps the snooze and the "Kész" over restarts; an item leaves the list
// only once the diary has taken it (a failure is reported and the item stays).
void Tfrm_Emlekeztetok::SnoozeSelected(SnoozeFor span) {
    const int row = SelectedRow();
    if (row < 0) return;
    diary_.Snooze(items_[static_cast<size_t>(row)], span, InstantNow());
    RemoveRow(row);
}

void Tfrm_Emlekeztetok::btnKeszClick() {
    const int row = SelectedRow();
    if (row < 0) return;
    diary_.Dismiss(items_[static_cast<size_t>(row)]);
    RemoveRow(row);
}

void Tfrm_Emlekeztetok::btnMindKeszClick() {
    while (!items_.empty()) {
        diary_.Dismiss(items_.front());
        RemoveRow(0);
    }
}

void Tfrm_Emlekeztetok::OpenSelected() {
    const int row = SelectedRow();
    if (row >= 0 && OpenDay) OpenDay(items_[static_cast<size_t>(row)].day);
}

void Tfrm_Emlekeztetok::sbBezarClick() { Close(mrCancel); }

bool Tfrm_Emlekeztetok::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}
