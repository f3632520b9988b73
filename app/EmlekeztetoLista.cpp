#include "app/EmlekeztetoLista.h"

#include <algorithm>

#include <commctrl.h>

#include "app/reminder_text.h"
#include "editors/Emlekezteto.h"
#include "platform/kerdes.h"
#include "platform/uzenet.h"
#include "platform/windows_start.h"
#include "resources/resource_ids.h"
#include "ui/list_texts.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 560, kHeight = 340;
constexpr int kPanelW = kWidth - 8, kPanelH = kHeight - 36;
enum Column { kComesColumn, kDayColumn, kTimeColumn, kTitleColumn, kStateColumn };
constexpr struct {
    const wchar_t* caption;
    int width;
} kColumns[] = {{L"Mikor jön", 112}, {L"Nap", 80}, {L"Idő", 62}, {L"Emlékeztető", 200}, {L"Állapot", 60}};

}  // namespace

Tfrm_EmlekeztetoLista::Tfrm_EmlekeztetoLista(Diary& diary, COLORREF outer, COLORREF panels)
    : Form(SecondaryWindowOptions(L"TivornEmlekeztetoListaWindow", kWidth, kHeight)),
      diary_(diary),
      outer_(outer),
      panels_(panels) {}

std::span<const ControlRow<Tfrm_EmlekeztetoLista>> Tfrm_EmlekeztetoLista::Controls() {
    using T = Tfrm_EmlekeztetoLista;
    constexpr int y = kPanelH - 36;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 80, &T::sbBezarClick),
        WorkingPanelRow<T>(kPanelW, kPanelH),
        {.name = L"lvLista", .field = &T::lvLista, .parent = &T::Panel1, .x = 8, .y = 8, .w = kPanelW - 16,
         .h = y - 44, .hint = L"Az egy éven belül jövő emlékeztetők; dupla kattintás: módosítás"},
        {.name = L"btnModosit", .field = &T::btnModosit, .parent = &T::Panel1, .x = 8, .y = y - 30, .w = 110,
         .h = 25, .text = L"&Módosítás…", .handler = &T::btnModositClick,
         .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, .hint = L"A nap emlékeztetőinek ablaka"},
        {.name = L"btnTorol", .field = &T::btnTorol, .parent = &T::Panel1, .x = 122, .y = y - 30, .w = 110, .h = 25,
         .text = L"&Törlés", .handler = &T::btnTorolClick, .style = BS_PUSHBUTTON | WS_TABSTOP},
        {.name = L"Label1", .field = {}, .parent = &T::Panel1, .x = 252, .y = y - 26,
         .text = L"Az „egész nap” ideje:"},
        {.name = L"edtEgeszNap", .field = &T::edtEgeszNap, .parent = &T::Panel1, .x = 376, .y = y - 28, .w = 50,
         .h = 21, .handler = &T::edtEgeszNapChange, .code = EN_CHANGE,
         .hint = L"Az egész napos emlékeztetők és a névnapok ideje (óó:pp)"},
        {.name = L"cbIndulas", .field = &T::cbIndulas, .parent = &T::Panel1, .x = 8, .y = y + 4, .w = 330, .h = 17,
         .text = L"&Indítás a Windows-zal, a tálcán", .handler = &T::cbIndulasClick,
         .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP,
         .hint = L"A program bejelentkezéskor elindul az értesítési területen, így az emlékeztetők megjönnek"},
        {.name = L"btnBezar", .field = &T::btnBezar, .parent = &T::Panel1, .x = kPanelW - 8 - 84, .y = y, .w = 84,
         .h = 25, .text = L"Bezárás", .style = BS_PUSHBUTTON | WS_TABSTOP, .id = IDCANCEL},
    };
    return rows;
}

void Tfrm_EmlekeztetoLista::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, kWidth - 80, L"  Emlékeztetők");
    BuildControls(*this, Controls());
    p.SetColor(outer_);
    for (BevelPanel* panel : {&pCim, &Panel1}) panel->SetColor(panels_);
    for (const auto& column : kColumns) lvLista.AddColumn(column.caption, column.width);
    ServeCellTexts(*this, lvLista, [this](int row, int column) { return CellText(row, column); });
    OnNotify(lvLista.Id(), NM_DBLCLK, [this](NMHDR*) -> LRESULT {
        btnModositClick();
        return 0;
    });
    OnCommand(IDOK, [this] { btnModositClick(); });  // Enter
    OnCommand(IDCANCEL, [this] { sbBezarClick(); });
    cbIndulas.SetChecked(StartsWithWindows());
    edtEgeszNap.SetLimit(5);
    edtEgeszNap.SetText(ReminderTimeText(diary_.AllDayMinute()));
    FillList();
}

void Tfrm_EmlekeztetoLista::FillList(int selected) {
    const Instant now = InstantNow();
    items_ = diary_.ComingReminders(now, now + kAhead);
    titles_.clear();
    for (const Occurrence& o : items_) titles_.push_back(diary_.ReminderTitle(o));
    lvLista.SetItemCount(static_cast<int>(items_.size()));
    if (!items_.empty()) lvLista.Select(std::clamp(selected, 0, static_cast<int>(items_.size()) - 1));
    lvLista.Redraw();
    btnModosit.SetEnabled(!items_.empty());
    btnTorol.SetEnabled(!items_.empty());
}

std::wstring Tfrm_EmlekeztetoLista::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= items_.size()) return {};
    const Occurrence& o = items_[static_cast<size_t>(row)];
    switch (column) {
        case kComesColumn: {
            const DateTime comes = InstantToLocal(o.due);
            return FormatDottedDate(comes.date) + L" " + ReminderTimeText(comes.hour * 60 + comes.minute);
        }
        case kDayColumn:
            return FormatDottedDate(o.day);
        case kTimeColumn:
            return o.kind == OccurrenceKind::NameDay ? L"névnap" : ReminderTimeText(o.minute);
        case kTitleColumn:
            return titles_[static_cast<size_t>(row)];
        case kStateColumn:
            return o.done ? L"kész" : o.snoozed ? L"halasztva" : L"";
        default:
            return {};
    }
}

const Occurrence* Tfrm_EmlekeztetoLista::SelectedEntry() const {
    const int row = lvLista.SelectedIndex();
    if (row < 0 || static_cast<size_t>(row) >= items_.size()) return nullptr;
    const Occurrence& o = items_[static_cast<size_t>(row)];
    if (o.kind == OccurrenceKind::NameDay) {
        ShowMessageWindow(L"Egy ismerős névnapját a „Névnapok – ismerőseim…” ablakban lehet módosítani vagy törölni.");
        return nullptr;
    }
    return &o;
}

void Tfrm_EmlekeztetoLista::btnModositClick() {
    const Occurrence* o = SelectedEntry();
    if (!o) return;
    const int row = lvLista.SelectedIndex();
    Tfrm_Emlekezteto window(diary_, o->origin, FormatDottedDate(o->origin), outer_, panels_);
    window.Create(Handle());
    window.ShowModal();
    FillList(row);
}

void Tfrm_EmlekeztetoLista::btnTorolClick() {
    const Occurrence* o = SelectedEntry();
    if (!o) return;
    const int row = lvLista.SelectedIndex();
    if (!ShowQuestionWindow(L"Törlöm a(z) „" + titles_[static_cast<size_t>(row)] + L"” emlékeztetőjét (" +
                            ReminderTimeText(o->minute) + L", " + LeadDaysText(o->leadDays) + L")?"))
        return;
    diary_.DeleteReminder(Reminder{o->origin, o->minute, o->leadDays});
    FillList(row);
}

// Taken as soon as the field holds a time: a half-typed one ("8:") waits, and the list
// shows at once when the all-day reminders come.
void Tfrm_EmlekeztetoLista::edtEgeszNapChange() {
    const auto minute = ParseReminderTime(edtEgeszNap.Text());
    if (!minute || *minute == diary_.AllDayMinute()) return;
    diary_.SetAllDayMinute(*minute);
    FillList(lvLista.SelectedIndex());
}

void Tfrm_EmlekeztetoLista::cbIndulasClick() { SetStartsWithWindows(cbIndulas.Checked()); }

bool Tfrm_EmlekeztetoLista::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}
