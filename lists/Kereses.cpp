#include "lists/Kereses.h"

#include <commctrl.h>

#include <algorithm>

#include "app/main.h"
#include "editors/jegyzettomb.h"
#include "platform/eljaras_win.h"
#include "platform/errors.h"
#include "store/entry_store.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/secondary_frame.h"

namespace {

constexpr UINT_PTR kTypingTimer = 1;   // the search runs when typing pauses
constexpr UINT_PTR kReadingTimer = 2;  // reads the notes in slices
constexpr int kTypingPauseMs = 200;
constexpr auto kReadingSlice = std::chrono::milliseconds(40);
constexpr int kDesignedWidth = 620, kDesignedHeight = 440;
constexpr int kMinimumWidth = 420, kMinimumHeight = 240;

enum Column { kDate, kTitle1, kTitle2, kSnippet };
struct ColumnDef {
    const wchar_t* caption;
    int width;
};
constexpr ColumnDef kColumns[] = {{L"Dátum", 78}, {L"Címszó I.", 120}, {L"Címszó II.", 120}, {L"Részlet", 260}};

// A size kept in the registry; 0 when missing or damaged.
int StoredSize(const wchar_t* name) {
    try {
        return TextToInt(ReadRegString(HKEY_CURRENT_USER, Tfrm_Main::kRegistryKey, name));
    } catch (const ConvertError&) {
        return 0;
    }
}

Date DateOfKey(const std::wstring& key) {
    return Date{std::stoi(key.substr(0, 4)), std::stoi(key.substr(4, 2)), std::stoi(key.substr(6, 2))};
}

}  // namespace

Tfrm_Kereses::Tfrm_Kereses() : Form([] {
    FormOptions o = SecondaryWindowOptions(L"TivornKeresesWindow", kDesignedWidth, kDesignedHeight);
    o.resizable = true;
    return o;
}()) {}

void Tfrm_Kereses::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, kDesignedWidth - 80, L"  Keresés a naplóban");
    sbBezar.Create(pCim.Handle(), kDesignedWidth - 80 - 29, 2, 23, 22, IDI_SB_CLOSE, L"Bezárás");
    sbBezar.OnClick = [this] { sbBezarClick(); };
    CreateFramePanel(Panel1, p.Handle(), 4, 32, kDesignedWidth - 8, kDesignedHeight - 36, 0xC0C0C0);

    Panel1.Drawn().AddLabel(L"Label1", 8, 12, L"Keresett szavak");
    const int editId = NewControlId();
    edtKeres = CreateControl(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 96, 8, 300, 21, Panel1.Handle(),
                             editId, FormFont());
    Application::Get().SetHint(edtKeres, L"A szavak mindegyikének szerepelnie kell, bármilyen sorrendben");
    OnCommand(editId, [this] { edtKeresChange(); }, EN_CHANGE);
    const int exactId = NewControlId();
    cbPontos = CreateControl(WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, 0, 410, 10, 130, 17, Panel1.Handle(), exactId,
                             FormFont(), L"Pontos egyezés");
    Application::Get().SetHint(cbPontos, L"Kis- és nagybetű, ékezetek is számítanak");
    OnCommand(exactId, [this] { SearchNow(); }, BN_CLICKED);
    CreateResultList();
    pDarab.BevelOuter = Bevel::None;
    pDarab.CaptionAlignment = Alignment::Left;
    pDarab.Create(Panel1.Handle(), 8, kDesignedHeight - 36 - 28, 300, 22);
    // Enter: in the box it searches at once, in the list it opens the day.
    OnCommand(IDOK, [this] { EnterPressed(); });

    const int width = StoredSize(kWidthValue), height = StoredSize(kHeightValue);
    if (width >= Px(kMinimumWidth) && height >= Px(kMinimumHeight))
        SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = ClientRect();
    OnSize(client.right, client.bottom);
}

void Tfrm_Kereses::CreateResultList() {
    const int id = NewControlId();
    lvTalalatok = CreateControl(WC_LISTVIEWW,
                                WS_TABSTOP | WS_VSCROLL | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                                    LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                                WS_EX_CLIENTEDGE, 8, 36, 580, 300, Panel1.Handle(), id, FormFont());
    ListView_SetExtendedListViewStyle(lvTalalatok, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int i = 0; i < 4; ++i) {
        LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM};
        column.pszText = const_cast<wchar_t*>(kColumns[i].caption);
        column.cx = Px(kColumns[i].width);
        column.iSubItem = i;
        ListView_InsertColumn(lvTalalatok, i, &column);
    }
    OnNotify(id, LVN_GETDISPINFOW, [this](NMHDR* hdr) -> LRESULT {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(hdr)->item;
        if (item.mask & LVIF_TEXT) {
            cellText_ = CellText(item.iItem, item.iSubItem);
            item.pszText = cellText_.data();
        }
        return 0;
    });
    OnNotify(id, NM_CUSTOMDRAW,
             [this](NMHDR* hdr) -> LRESULT { return DrawResultRow(*reinterpret_cast<NMLVCUSTOMDRAW*>(hdr)); });
    OnNotify(id, NM_DBLCLK, [this](NMHDR* hdr) -> LRESULT {
        const int row = reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem;
        if (row >= 0) OpenResult(row);
        return 0;
    });
}

// The title columns in the titles' own colours, on the day cells' colour.
LRESULT Tfrm_Kereses::DrawResultRow(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const size_t row = draw.nmcd.dwItemSpec;
            draw.clrTextBk = listColour_;
            draw.clrText = 0;
            if (row < hits_.size() && draw.iSubItem == kTitle1) draw.clrText = ResolveColour(hits_[row].colour1);
            if (row < hits_.size() && draw.iSubItem == kTitle2) draw.clrText = ResolveColour(hits_[row].colour2);
            return CDRF_NEWFONT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

std::wstring Tfrm_Kereses::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= hits_.size()) return {};
    const SearchHit& hit = hits_[static_cast<size_t>(row)];
    switch (column) {
        case kDate:
            return hit.dateKey.empty() ? L"Jegyzettömb" : FormatDottedDate(DateOfKey(hit.dateKey));
        case kTitle1:
            return hit.title1;
        case kTitle2:
            return hit.title2;
        case kSnippet:
            return hit.snippet;
        default:
            return {};
    }
}

void Tfrm_Kereses::ApplySchemeColours(COLORREF outer, COLORREF panels, COLORREF list) {
    p.SetColor(outer);
    pCim.SetColor(panels);
    Panel1.SetColor(panels);
    pDarab.SetColor(panels);
    listColour_ = list;
    ListView_SetBkColor(lvTalalatok, list);
    ListView_SetTextBkColor(lvTalalatok, list);
    InvalidateRect(lvTalalatok, nullptr, FALSE);
}

void Tfrm_Kereses::OnSize(int w, int h) {
    if (!Panel1.Handle()) return;
    const int panelW = w - Px(8), panelH = h - Px(36);
    p.SetBounds(0, 0, w, h);
    pCim.SetBounds(Px(40), Px(4), w - Px(80), Px(26));
    sbBezar.SetBounds(w - Px(80) - Px(29), Px(2), Px(23), Px(22));
    Panel1.SetBounds(Px(4), Px(32), panelW, panelH);
    MoveWindow(cbPontos, panelW - Px(140), Px(10), Px(130), Px(17), TRUE);
    MoveWindow(edtKeres, Px(96), Px(8), std::max(Px(60), panelW - Px(96) - Px(150)), Px(21), TRUE);
    const int listW = panelW - Px(16), listH = panelH - Px(36) - Px(32);
    MoveWindow(lvTalalatok, Px(8), Px(36), listW, std::max(0, listH), TRUE);
    pDarab.SetBounds(Px(8), panelH - Px(28), listW, Px(22));
    // The snippet takes the room the other columns leave.
    int others = 0;
    for (int i = 0; i < kSnippet; ++i) others += ListView_GetColumnWidth(lvTalalatok, i);
    ListView_SetColumnWidth(lvTalalatok, kSnippet,
                            std::max(Px(120), listW - others - GetSystemMetrics(SM_CXVSCROLL) - Px(4)));
}

LRESULT Tfrm_Kereses::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize = {Px(kMinimumWidth), Px(kMinimumHeight)};
        return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
}

std::wstring Tfrm_Kereses::DataDir() const { return frm_Main ? EntryStore::DataDir(frm_Main->ProgramDir) : L""; }

void Tfrm_Kereses::FormShow() {
    if (frm_Main) {
        const auto& szin = frm_Main->Szin;
        ApplySchemeColours(ResolveColour(szin[1]), ResolveColour(szin[6]), ResolveColour(szin[2]));
    }
    StartReading();
    SendMessageW(edtKeres, EM_SETSEL, 0, -1);
    SetFocus(edtKeres);
    // The words of the last search stay; its results are brought up to date.
    if (GetWindowTextLengthW(edtKeres) > 0) SearchNow();
}

// Width and height are kept for the next run.
void Tfrm_Kereses::FormHide() {
    KillTimer(Handle(), kTypingTimer);
    RECT r{};
    GetWindowRect(Handle(), &r);
    WriteRegString(HKEY_CURRENT_USER, Tfrm_Main::kRegistryKey, kWidthValue, std::to_wstring(r.right - r.left));
    WriteRegString(HKEY_CURRENT_USER, Tfrm_Main::kRegistryKey, kHeightValue, std::to_wstring(r.bottom - r.top));
}

bool Tfrm_Kereses::FormKeyPress(wchar_t key) {
    if (key != L'\x1B') return false;
    sbBezarClick();
    return true;
}

void Tfrm_Kereses::sbBezarClick() { Close(mrCancel); }

// Notes new or changed since they were last read are read in slices between
// messages, so the window answers while the first search after start reads them.
void Tfrm_Kereses::StartReading() {
    search_.Plan(DataDir());
    if (!search_.Ready()) SetTimer(Handle(), kReadingTimer, 1, nullptr);
}

void Tfrm_Kereses::edtKeresChange() { SetTimer(Handle(), kTypingTimer, kTypingPauseMs, nullptr); }

void Tfrm_Kereses::OnTimer(UINT_PTR id) {
    if (id == kTypingTimer) {
        KillTimer(Handle(), kTypingTimer);
        searchWanted_ = true;
        if (search_.Ready()) ShowHits();
        else ShowCount();
    } else if (id == kReadingTimer) {
        if (!search_.Work(std::chrono::steady_clock::now() + kReadingSlice)) {
            if (searchWanted_) ShowCount();
            return;
        }
        KillTimer(Handle(), kReadingTimer);
        if (searchWanted_) ShowHits();
    }
}

void Tfrm_Kereses::SearchNow() {
    KillTimer(Handle(), kTypingTimer);
    KillTimer(Handle(), kReadingTimer);
    search_.Plan(DataDir());
    while (!search_.Work(std::chrono::steady_clock::time_point::max())) {
    }
    ShowHits();
}

void Tfrm_Kereses::ShowHits() {
    searchWanted_ = false;
    const bool exact = SendMessageW(cbPontos, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const SearchQuery query(WindowText(edtKeres), exact);
    // The selected day stays selected when it is still found.
    const int selected = ListView_GetNextItem(lvTalalatok, -1, LVNI_SELECTED);
    const std::wstring selectedKey =
        selected >= 0 && static_cast<size_t>(selected) < hits_.size() ? hits_[static_cast<size_t>(selected)].dateKey : L"-";
    hits_ = frm_Main ? search_.Find(frm_Main->EntryIndex.Lines, query) : std::vector<SearchHit>{};
    ListView_SetItemCountEx(lvTalalatok, static_cast<int>(hits_.size()), 0);
    for (size_t i = 0; i < hits_.size(); ++i)
        if (hits_[i].dateKey == selectedKey) {
            ListView_SetItemState(lvTalalatok, static_cast<int>(i), LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
            ListView_EnsureVisible(lvTalalatok, static_cast<int>(i), FALSE);
        }
    InvalidateRect(lvTalalatok, nullptr, FALSE);
    ShowCount();
}

void Tfrm_Kereses::ShowCount() {
    if (searchWanted_ && !search_.Ready()) {
        pDarab.SetCaption(L"Jegyzetek beolvasása… (még " + std::to_wstring(search_.Pending()) + L")");
        return;
    }
    if (SearchQuery(WindowText(edtKeres), false).Empty()) {
        pDarab.SetCaption(L"");
        return;
    }
    const size_t days = std::count_if(hits_.begin(), hits_.end(), [](const SearchHit& h) { return !h.dateKey.empty(); });
    const bool notepad = days < hits_.size();
    std::wstring text = days == 0 ? L"Nincs találat a napok között" : L"Talált napok: " + std::to_wstring(days);
    if (notepad) text += L" (és a jegyzettömb)";
    pDarab.SetCaption(text);
}

void Tfrm_Kereses::EnterPressed() {
    if (GetFocus() == lvTalalatok) {
        OpenResult();
        return;
    }
    SearchNow();
    if (!hits_.empty()) {
        if (ListView_GetNextItem(lvTalalatok, -1, LVNI_SELECTED) < 0)
            ListView_SetItemState(lvTalalatok, 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        SetFocus(lvTalalatok);
    }
}

void Tfrm_Kereses::OpenResult(int row) {
    if (row < 0) row = ListView_GetNextItem(lvTalalatok, -1, LVNI_SELECTED);
    if (row < 0 || static_cast<size_t>(row) >= hits_.size() || !frm_Main) return;
    const SearchHit hit = hits_[static_cast<size_t>(row)];
    if (hit.dateKey.empty()) {
        if (frm_Jegyzettomb) frm_Jegyzettomb->ShowModal();
    } else {
        frm_Main->OpenDayFromSearch(DateOfKey(hit.dateKey));
    }
    // The editor may have changed the day: the results follow it.
    SearchNow();
    SetFocus(lvTalalatok);
}
