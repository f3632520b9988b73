#include "app/MentesTartalma.h"

#include <commctrl.h>

#include "platform/kerdes.h"
#include "platform/uzenet.h"
#include "lists/search_rows.h"
#include "platform/file_io.h"
#include "resources/resource_ids.h"
#include "store/snapshots.h"
#include "ui/application.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"
#include "ui/list_texts.h"

namespace {

constexpr int kWidth = 640, kHeight = 470;
constexpr int kBoxWidth = (kWidth - 24 - 8) / 2;
enum Column { kDayColumn, kTitles, kFirstLine };
struct ColumnDef {
    const wchar_t* caption;
    int width;
};
constexpr ColumnDef kColumns[] = {{L"Nap", 100}, {L"Címszavak", 190}, {L"A jegyzet első sora", 290}};

std::wstring DayText(const SnapshotDay& day) {
    return day.dateKey.empty() ? L"Jegyzettömb" : FormatDottedDate(DateOfKey(day.dateKey));
}

}  // namespace

Tfrm_MentesTartalma::Tfrm_MentesTartalma(Diary& diary)
    : Form(SecondaryWindowOptions(L"TivornMentesTartalmaWindow", kWidth, kHeight)), diary_(diary) {}

void Tfrm_MentesTartalma::SetSchemeColours(COLORREF outer, COLORREF panels) {
    outer_ = outer;
    panels_ = panels;
}

std::span<const ControlRow<Tfrm_MentesTartalma>> Tfrm_MentesTartalma::Controls() {
    using T = Tfrm_MentesTartalma;
    constexpr int panelH = kHeight - 36;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 80, &T::sbBezarClick, L"Bezárás"),
        WorkingPanelRow<T>(kWidth - 8, panelH),
        {.name = L"lvNapok", .field = &T::lvNapok, .parent = &T::Panel1, .x = 8, .y = 8, .w = kWidth - 24, .h = 200},
        {.name = L"A mentésben:", .parent = &T::Panel1, .x = 8, .y = 214, .text = L"A mentésben:"},
        {.name = L"Most:", .parent = &T::Panel1, .x = 16 + kBoxWidth, .y = 214, .text = L"Most:"},
        {.name = L"reMentett", .field = &T::reMentett, .parent = &T::Panel1, .x = 8, .y = 232, .w = kBoxWidth,
         .h = 130, .style = WS_VSCROLL | ES_AUTOVSCROLL | ES_READONLY},
        {.name = L"reMost", .field = &T::reMost, .parent = &T::Panel1, .x = 16 + kBoxWidth, .y = 232, .w = kBoxWidth,
         .h = 130, .style = WS_VSCROLL | ES_AUTOVSCROLL | ES_READONLY},
        {.name = L"btnNapVissza", .field = &T::btnNapVissza, .parent = &T::Panel1, .x = kWidth - 24 - 170 + 8,
         .y = panelH - 36, .w = 170, .h = 25, .text = L"Ez a nap vissza…", .handler = &T::btnNapVisszaClick,
         .style = WS_TABSTOP | BS_PUSHBUTTON,
         .hint = L"Csak a kijelölt nap (vagy a jegyzettömb) visszaállítása; minden más marad"},
    };
    return rows;
}

void Tfrm_MentesTartalma::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, kWidth - 80, L"  Mentés tartalma");
    BuildControls(*this, Controls());
    for (const ColumnDef& column : kColumns) lvNapok.AddColumn(column.caption, column.width);
    ServeCellTexts(*this, lvNapok, [this](int row, int column) { return CellText(row, column); });
    OnNotify(lvNapok.Id(), LVN_ITEMCHANGED, [this](NMHDR* hdr) -> LRESULT {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(hdr);
        if ((change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_SELECTED)) ShowPreview();
        return 0;
    });
}

bool Tfrm_MentesTartalma::Open(const std::wstring& name, const std::wstring& when) {
    if (!Application::Get().Guard([&] { Load(name, when); })) return false;
    ShowModal();
    return true;
}

void Tfrm_MentesTartalma::Load(const std::wstring& name, const std::wstring& when) {
    EnsureInsides();
    files_ = ReadSnapshot(diary_.ProgramDir(), name);
    days_ = SnapshotDays(files_);
    when_ = when;
    pCim.SetCaption(L"  Mentés tartalma: " + when);
    lvNapok.SetItemCount(static_cast<int>(days_.size()));
    if (!days_.empty()) lvNapok.Select(0);
    ShowPreview();
    lvNapok.Redraw();
    btnNapVissza.SetEnabled(!days_.empty());
}

void Tfrm_MentesTartalma::FormShow() {
    p.SetColor(outer_);
    for (BevelPanel* panel : {&pCim, &Panel1}) panel->SetColor(panels_);
    lvNapok.Focus();
}

std::wstring Tfrm_MentesTartalma::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= days_.size()) return {};
    const SnapshotDay& day = days_[static_cast<size_t>(row)];
    switch (column) {
        case kDayColumn:
            return DayText(day);
        case kTitles:
            return day.title2.empty() ? day.title1 : day.title1 + L", " + day.title2;
        case kFirstLine:
            return day.firstLine;
        default:
            return {};
    }
}

void Tfrm_MentesTartalma::ShowPreview() {
    const int row = lvNapok.SelectedIndex();
    reMentett.Clear();
    reMost.Clear();
    if (row < 0 || static_cast<size_t>(row) >= days_.size()) return;
    const std::wstring& key = days_[static_cast<size_t>(row)].dateKey;
    if (const auto old = SnapshotNote(files_, key)) reMentett.LoadAny(*old);
    // Today's text only to look at: a note that cannot be read now shows nothing.
    Application::Get().Guard([&] {
        const std::optional<std::string> now =
            key.empty() ? diary_.OpenNotepad() : diary_.Open(DateOfKey(key)).note;
        if (now) reMost.LoadAny(*now);
    });
}

void Tfrm_MentesTartalma::btnNapVisszaClick() {
    const int row = lvNapok.SelectedIndex();
    if (row < 0 || static_cast<size_t>(row) >= days_.size()) return;
    const SnapshotDay day = days_[static_cast<size_t>(row)];
    const std::wstring what = day.dateKey.empty() ? L"a jegyzettömböt" : L"a(z) " + DayText(day) + L" napot";
    if (ShowQuestionWindow(L"Visszaállítsam " + what + L" a " + when_ + L" mentésből? Más nem változik.")) {
        diary_.RestoreDay(files_, day.dateKey);  // the month follows from the change notice
        ShowMessageWindow((day.dateKey.empty() ? L"A jegyzettömb" : L"A(z) " + DayText(day) + L" nap") +
                          L" visszaállítása megtörtént.");
        ShowPreview();
    }
    lvNapok.Focus();
}

bool Tfrm_MentesTartalma::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}
