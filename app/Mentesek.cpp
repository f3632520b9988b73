#include "app/Mentesek.h"

#include <commctrl.h>

#include <cstdio>

#include "app/main.h"
#include "platform/errors.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/secondary_frame.h"

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

// "2026.12.08." or, for a snapshot taken before a restore, "2026.12.08. 10:15:00".
std::wstring WhenText(const SnapshotFile& file) {
    std::wstring text = FormatDottedDate(file.date);
    if (file.name.size() == 21)
        text += L" " + file.name.substr(11, 2) + L":" + file.name.substr(13, 2) + L":" + file.name.substr(15, 2);
    return text;
}

std::wstring SizeText(uint64_t bytes) {
    wchar_t text[32];
    if (bytes < 1024 * 1024)
        std::swprintf(text, 32, L"%llu KB", static_cast<unsigned long long>((bytes + 1023) / 1024));
    else
        std::swprintf(text, 32, L"%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}

}  // namespace

Tfrm_Mentesek::Tfrm_Mentesek() : Form(SecondaryWindowOptions(L"TivornMentesekWindow", kWidth, kHeight)) {}

void Tfrm_Mentesek::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, kWidth - 80, L"  Biztonsági mentések");
    sbBezar.Create(pCim.Handle(), kWidth - 80 - 29, 2, 23, 22, IDI_SB_CLOSE, L"Bezárás");
    sbBezar.OnClick = [this] { sbBezarClick(); };
    CreateFramePanel(Panel1, p.Handle(), 4, 32, kWidth - 8, kHeight - 36, 0xC0C0C0);

    pInfo.BevelOuter = Bevel::None;
    pInfo.CaptionAlignment = Alignment::Left;
    pInfo.Create(Panel1.Handle(), 8, 6, kWidth - 24, 18,
                 L"A program naponta egyszer, az első mentés előtt menti az adatokat.");
    const int listId = NewControlId();
    lvMentesek = CreateControl(WC_LISTVIEWW,
                               WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                   LVS_NOSORTHEADER,
                               WS_EX_CLIENTEDGE, 8, 28, kWidth - 24, kHeight - 36 - 28 - 44, Panel1.Handle(), listId,
                               FormFont());
    ListView_SetExtendedListViewStyle(lvMentesek, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT};
        column.fmt = kColumns[i].format;
        column.pszText = const_cast<wchar_t*>(kColumns[i].caption);
        column.cx = Px(kColumns[i].width);
        column.iSubItem = i;
        ListView_InsertColumn(lvMentesek, i, &column);
    }
    OnNotify(listId, LVN_GETDISPINFOW, [this](NMHDR* hdr) -> LRESULT {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(hdr)->item;
        if (item.mask & LVIF_TEXT) {
            cellText_ = CellText(item.iItem, item.iSubItem);
            item.pszText = cellText_.data();
        }
        return 0;
    });
    OnNotify(listId, NM_DBLCLK, [this](NMHDR*) -> LRESULT {
        btnVisszaallitClick();
        return 0;
    });
    const int buttonId = NewControlId();
    btnVisszaallit = CreateControl(WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0, kWidth - 24 - 130 + 8,
                                   kHeight - 36 - 36, 130, 25, Panel1.Handle(), buttonId, FormFont(),
                                   L"Visszaállítás…");
    Application::Get().SetHint(btnVisszaallit, L"A kijelölt mentés visszaállítása (előtte a mostani állapot is mentődik)");
    OnCommand(buttonId, [this] { btnVisszaallitClick(); }, BN_CLICKED);
    OnCommand(IDOK, [this] { btnVisszaallitClick(); });  // Enter
}

void Tfrm_Mentesek::FormShow() {
    if (frm_Main) {
        const auto& szin = frm_Main->Szin;
        p.SetColor(ResolveColour(szin[1]));
        for (Panel* panel : {&pCim, &Panel1, &pInfo}) panel->SetColor(ResolveColour(szin[6]));
    }
    FillList();
    SetFocus(lvMentesek);
}

void Tfrm_Mentesek::FillList() {
    rows_.clear();
    const std::wstring dir = frm_Main ? frm_Main->ProgramDir : std::wstring();
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
    ListView_SetItemCountEx(lvMentesek, static_cast<int>(rows_.size()), 0);
    if (!rows_.empty()) ListView_SetItemState(lvMentesek, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    InvalidateRect(lvMentesek, nullptr, FALSE);
    EnableWindow(btnVisszaallit, !rows_.empty());
}

std::wstring Tfrm_Mentesek::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size()) return {};
    const Row& r = rows_[static_cast<size_t>(row)];
    switch (column) {
        case kDate:
            return WhenText(r.file);
        case kEntries:
            return r.entries;
        case kSize:
            return SizeText(r.file.size);
        default:
            return {};
    }
}

int Tfrm_Mentesek::SelectedRow() const { return ListView_GetNextItem(lvMentesek, -1, LVNI_SELECTED); }

void Tfrm_Mentesek::btnVisszaallitClick() {
    const int row = SelectedRow();
    if (row < 0 || static_cast<size_t>(row) >= rows_.size() || !frm_Main) return;
    const SnapshotFile file = rows_[static_cast<size_t>(row)].file;
    if (frm_Main->RestoreFromSnapshot(file.name, WhenText(file))) FillList();
}

bool Tfrm_Mentesek::FormKeyPress(wchar_t key) {
    if (key != L'\x1B') return false;
    sbBezarClick();
    return true;
}

void Tfrm_Mentesek::sbBezarClick() { Close(mrCancel); }
