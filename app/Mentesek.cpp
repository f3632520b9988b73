#include "app/Mentesek.h"

#include <algorithm>

#include <commctrl.h>

#include "platform/kerdes.h"
#include "platform/uzenet.h"
#include "app/snapshot_text.h"
#include "platform/errors.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/dpi.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"
#include "ui/list_texts.h"

namespace {

constexpr int kWidth = 440, kHeight = 340;
enum Column { kDate, kEntries, kSize };
struct ColumnDef {
    const wchar_t* caption;
    int width;
    int format;
};
constexpr ColumnDef kColumns[] = {
    {L"Mentés ideje", 170, LVCFMT_LEFT}, {L"Fájlok", 80, LVCFMT_RIGHT}, {L"Méret", 110, LVCFMT_RIGHT}};

}  // namespace

Tfrm_Mentesek::Tfrm_Mentesek(Diary& diary)
    : Form(SecondaryWindowOptions(L"TivornMentesekWindow", kWidth, kHeight)), diary_(diary) {}

void Tfrm_Mentesek::SetSchemeColours(COLORREF outer, COLORREF panels) {
    outer_ = outer;
    panels_ = panels;
    if (Tartalma) Tartalma->SetSchemeColours(outer, panels);
}

void Tfrm_Mentesek::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, kWidth - 80, L"  Biztonsági mentések");
    pInfo.BevelOuter = Bevel::None;
    pInfo.CaptionAlignment = Alignment::Left;
    BuildControls(*this, Controls());
    for (const ColumnDef& column : kColumns) lvMentesek.AddColumn(column.caption, column.width, column.format);
    ServeCellTexts(*this, lvMentesek, [this](int row, int column) { return CellText(row, column); });
    OnNotify(lvMentesek.Id(), NM_DBLCLK, [this](NMHDR*) -> LRESULT {
        btnVisszaallitClick();
        return 0;
    });
    OnCommand(IDOK, [this] { btnVisszaallitClick(); });  // Enter
}

std::span<const ControlRow<Tfrm_Mentesek>> Tfrm_Mentesek::Controls() {
    using T = Tfrm_Mentesek;
    constexpr int panelH = kHeight - 36;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 80, &T::sbBezarClick, L"Bezárás"),
        WorkingPanelRow<T>(kWidth - 8, panelH),
        {.name = L"pInfo", .field = &T::pInfo, .parent = &T::Panel1, .x = 8, .y = 6, .w = kWidth - 24, .h = 18,
         .text = L"A program naponta egyszer, az első mentés előtt menti az adatokat."},
        {.name = L"lvMentesek", .field = &T::lvMentesek, .parent = &T::Panel1, .x = 8, .y = 28, .w = kWidth - 24,
         .h = panelH - 28 - 44},
        {.name = L"btnMegnyit", .field = &T::btnMegnyit, .parent = &T::Panel1, .x = kWidth - 24 - 130 - 8 - 130 + 8,
         .y = panelH - 36, .w = 130, .h = 25, .text = L"Megnyitás…", .handler = &T::btnMegnyitClick,
         .style = WS_TABSTOP | BS_PUSHBUTTON,
         .hint = L"A kijelölt mentés napjai; egyetlen nap vagy a jegyzettömb visszaállítása"},
        {.name = L"btnVisszaallit", .field = &T::btnVisszaallit, .parent = &T::Panel1, .x = kWidth - 24 - 130 + 8,
         .y = panelH - 36, .w = 130, .h = 25, .text = L"Visszaállítás…", .handler = &T::btnVisszaallitClick,
         .style = WS_TABSTOP | BS_PUSHBUTTON,
         .hint = L"A kijelölt mentés visszaállítása (előtte a mostani állapot is mentődik)"},
    };
    return rows;
}

void Tfrm_Mentesek::FormShow() {
    p.SetColor(outer_);
    for (BevelPanel* panel : {&pCim, &Panel1, &pInfo}) panel->SetColor(panels_);
    FillList();
    lvMentesek.Focus();
}

void Tfrm_Mentesek::FillList(const std::wstring& selected) {
    rows_.clear();
    const std::wstring& dir = diary_.ProgramDir();
    for (const SnapshotFile& file : ListSnapshots(dir)) {
        Row row{file, {}};
        // A snapshot never changes once written: each is opened only once a run.
        auto known = counted_.find(file.name);
        if (known != counted_.end() && known->second.first == file.size) {
            row.entries = known->second.second;
        } else {
            try {
                row.entries = std::to_wstring(SnapshotEntryCount(dir, file.name));
            } catch (const AppError&) {
                row.entries = L"sérült";
            }
            counted_[file.name] = {file.size, row.entries};
        }
        rows_.push_back(std::move(row));
    }
    lvMentesek.SetItemCount(static_cast<int>(rows_.size()));
    // After a restore the restored snapshot stays selected, never the one of the state
    // before it (a stray Enter would undo the restore); if it is gone, none is.
    const auto chosen = std::find_if(rows_.begin(), rows_.end(), [&](const Row& r) {
        return selected.empty() || r.file.name == selected;
    });
    if (chosen != rows_.end()) lvMentesek.Select(static_cast<int>(chosen - rows_.begin()));
    lvMentesek.Redraw();
    btnVisszaallit.SetEnabled(!rows_.empty());
    btnMegnyit.SetEnabled(!rows_.empty());
}

std::wstring Tfrm_Mentesek::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return {};
    const Row& r = rows_[static_cast<size_t>(row)];
    switch (column) {
        case kDate:
            return SnapshotWhenText(r.file);
        case kEntries:
            return r.entries;
        case kSize:
            return SnapshotSizeText(r.file.size);
        default:
            return {};
    }
}

int Tfrm_Mentesek::SelectedRow() const { return lvMentesek.SelectedIndex(); }

void Tfrm_Mentesek::btnVisszaallitClick() {
    const int row = SelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
    const SnapshotFile file = rows_[static_cast<size_t>(row)].file;
    if (Restore(file)) FillList(file.name);
}

bool Tfrm_Mentesek::Restore(const SnapshotFile& file) {
    const std::wstring when = SnapshotWhenText(file);
    if (!ShowQuestionWindow(L"Visszaállítsam a " + when + L" mentést? A mostani állapotról előbb új mentés készül."))
        return false;
    diary_.RestoreSnapshot(file.name);  // the windows follow from the change notice
    ShowMessageWindow(L"A " + when + L" mentés visszaállítása megtörtént.");
    return true;
}

void Tfrm_Mentesek::btnMegnyitClick() {
    const int row = SelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return;
    const SnapshotFile file = rows_[static_cast<size_t>(row)].file;
    if (!Tartalma) {
        Tartalma = std::make_unique<Tfrm_MentesTartalma>(diary_);
        Tartalma->SetSchemeColours(outer_, panels_);
        Tartalma->Create(Handle());
    }
    // A restore there made a snapshot of its own: the list shows it, the opened one selected.
    if (Tartalma->Open(file.name, SnapshotWhenText(file))) FillList(file.name);
}

bool Tfrm_Mentesek::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}

void Tfrm_Mentesek::sbBezarClick() { Close(mrCancel); }
