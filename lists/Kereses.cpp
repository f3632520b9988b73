#include "lists/Kereses.h"

#include <commctrl.h>

#include <algorithm>

#include "lists/search_rows.h"
#include "platform/eljaras_win.h"
#include "platform/errors.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/dpi.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"
#include "ui/list_texts.h"

namespace {

constexpr UINT_PTR kTypingTimer = 1;   // the search runs when typing pauses
constexpr UINT_PTR kReadingTimer = 2;  // reads the notes in slices
constexpr int kTypingPauseMs = 200;
constexpr UINT kDiaryChanged = WM_APP + 1;  // the diary changed (posted from any thread)
constexpr auto kReadingSlice = std::chrono::milliseconds(40);
constexpr int kDesignedWidth = 620, kDesignedHeight = 440;
constexpr int kMinimumWidth = 420, kMinimumHeight = 240;

struct ColumnDef {
    const wchar_t* caption;
    int width;
};
constexpr ColumnDef kColumns[] = {{L"Dátum", 78}, {L"Címszó I.", 120}, {L"Címszó II.", 120}, {L"Részlet", 260}};

// A size kept in the registry; 0 when missing or damaged.
int StoredSize(const wchar_t* name) {
    try {
        return TextToInt(ReadRegString(HKEY_CURRENT_USER, kProgramRegistryKey, name));
    } catch (const ConvertError&) {
        return 0;
    }
}

}  // namespace

Tfrm_Kereses::Tfrm_Kereses(Diary& diary)
    : Form([] {
          FormOptions o = SecondaryWindowOptions(L"TivornKeresesWindow", kDesignedWidth, kDesignedHeight);
          o.resizable = true;
          return o;
      }()),
      diary_(diary) {}

void Tfrm_Kereses::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, kDesignedWidth - 80, L"  Keresés a naplóban");
    pDarab.BevelOuter = Bevel::None;
    pDarab.CaptionAlignment = Alignment::Left;
    BuildControls(*this, Controls());
    BindResultList();
    // Enter: in the box it searches at once, in the list it opens the day.
    OnCommand(IDOK, [this] { EnterPressed(); });
    // A change may come from another thread: it is taken up on the window's own.
    changes_ = diary_.Subscribe([hwnd = Handle()](const DiaryChange&) { PostMessageW(hwnd, kDiaryChanged, 0, 0); });

    const int width = StoredSize(kWidthValue), height = StoredSize(kHeightValue);
    if (width >= Px(kMinimumWidth) && height >= Px(kMinimumHeight))
        SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client = ClientRect();
    OnSize(client.right, client.bottom);
}

// Where OnSize puts the controls in the window of the designed size.
std::span<const ControlRow<Tfrm_Kereses>> Tfrm_Kereses::Controls() {
    using T = Tfrm_Kereses;
    constexpr int panelW = kDesignedWidth - 8, panelH = kDesignedHeight - 36;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kDesignedWidth - 80, &T::sbBezarClick, L"Bezárás"),
        WorkingPanelRow<T>(panelW, panelH),
        {.name = L"Label1", .field = {}, .parent = &T::Panel1, .x = 8, .y = 12, .text = L"Keresett szavak"},
        {.name = L"edtKeres", .field = &T::edtKeres, .parent = &T::Panel1, .x = 96, .y = 8, .w = panelW - 96 - 150,
         .h = 21, .handler = &T::edtKeresChange,
         .hint = L"A szavak mindegyikének szerepelnie kell, bármilyen sorrendben"},
        {.name = L"cbPontos", .field = &T::cbPontos, .parent = &T::Panel1, .x = panelW - 140, .y = 10, .w = 130,
         .h = 17, .text = L"Pontos egyezés", .handler = &T::cbPontosClick, .style = WS_TABSTOP | BS_AUTOCHECKBOX,
         .hint = L"Kis- és nagybetű, ékezetek is számítanak"},
        {.name = L"lvTalalatok", .field = &T::lvTalalatok, .parent = &T::Panel1, .x = 8, .y = 36, .w = panelW - 16,
         .h = panelH - 36 - 32, .style = WS_VSCROLL},
        {.name = L"pDarab", .field = &T::pDarab, .parent = &T::Panel1, .x = 8, .y = panelH - 28, .w = panelW - 16,
         .h = 22},
    };
    return rows;
}

void Tfrm_Kereses::BindResultList() {
    for (const ColumnDef& column : kColumns) lvTalalatok.AddColumn(column.caption, column.width);
    const int id = lvTalalatok.Id();
    ServeCellTexts(*this, lvTalalatok, [this](int row, int column) { return CellText(row, column); });
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
            // Black, as an entry's titles start, unless the scheme's cells are dark.
            const auto text = [this](int32_t own) { return TitleWordColour(listFace_, ResolveColour(own), listColour_); };
            draw.clrText = text(0);
            if (row < hits_.size() && draw.iSubItem == kSearchTitle1) draw.clrText = text(hits_[row].colour1);
            if (row < hits_.size() && draw.iSubItem == kSearchTitle2) draw.clrText = text(hits_[row].colour2);
            return CDRF_NEWFONT;
        }
        default:
            return CDRF_DODEFAULT;
    }
}

std::wstring Tfrm_Kereses::CellText(int row, int column) const {
    if (row < 0 || static_cast<size_t>(row) >= hits_.size()) return {};
    return SearchCellText(hits_[static_cast<size_t>(row)], column);
}

void Tfrm_Kereses::ApplyScheme(const SchemeColours& colours) {
    const COLORREF panels = ResolveColour(colours[6]), list = ResolveColour(colours[2]);
    p.SetColor(ResolveColour(colours[1]));
    pCim.SetColor(panels);
    Panel1.SetColor(panels);
    pDarab.SetColor(panels);
    listColour_ = list;
    listFace_ = ColoursToDraw(colours, false, SystemColours{}).face;
    lvTalalatok.SetBackgroundColour(list);
}

void Tfrm_Kereses::OnSize(int w, int h) {
    if (!Panel1.Handle()) return;
    const int panelW = w - Px(8), panelH = h - Px(36);
    p.SetBounds(0, 0, w, h);
    pCim.SetBounds(Px(40), Px(4), w - Px(80), Px(26));
    sbBezar.SetBounds(w - Px(80) - Px(29), Px(2), Px(23), Px(22));
    Panel1.SetBounds(Px(4), Px(32), panelW, panelH);
    cbPontos.MoveTo(panelW - Px(140), Px(10), Px(130), Px(17));
    edtKeres.MoveTo(Px(96), Px(8), std::max(Px(60), panelW - Px(96) - Px(150)), Px(21));
    const int listW = panelW - Px(16), listH = panelH - Px(36) - Px(32);
    lvTalalatok.MoveTo(Px(8), Px(36), listW, std::max(0, listH));
    pDarab.SetBounds(Px(8), panelH - Px(28), listW, Px(22));
    // The snippet takes the room the other columns leave.
    int others = 0;
    for (int i = 0; i < kSearchSnippet; ++i) others += lvTalalatok.ColumnWidth(i);
    lvTalalatok.SetColumnWidth(kSearchSnippet, std::max(Px(120), listW - others - GetSystemMetrics(SM_CXVSCROLL) - Px(4)));
}

LRESULT Tfrm_Kereses::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kDiaryChanged) {
        // The changed notes are read again in slices, and the shown search is redone.
        if (Visible() && !edtKeres.Text().empty()) {
            StartReading();
            edtKeresChange();
        }
        return 0;
    }
    if (msg == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize = {Px(kMinimumWidth), Px(kMinimumHeight)};
        return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
}

void Tfrm_Kereses::FormShow() {
    StartReading();
    edtKeres.SelectAll();
    edtKeres.Focus();
    // The words of the last search stay; its results are brought up to date.
    if (!edtKeres.Text().empty()) SearchNow();
}

// Width and height are kept for the next run.
void Tfrm_Kereses::FormHide() {
    KillTimer(Handle(), kTypingTimer);
    RECT r{};
    GetWindowRect(Handle(), &r);
    WriteRegString(HKEY_CURRENT_USER, kProgramRegistryKey, kWidthValue, std::to_wstring(r.right - r.left));
    WriteRegString(HKEY_CURRENT_USER, kProgramRegistryKey, kHeightValue, std::to_wstring(r.bottom - r.top));
}

bool Tfrm_Kereses::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}

void Tfrm_Kereses::sbBezarClick() { Close(mrCancel); }

// Notes new or changed since they were last read are read in slices between
// messages, so the window answers while the first search after start reads them.
void Tfrm_Kereses::StartReading() {
    diary_.SearchPlan();
    if (!diary_.SearchReady()) SetTimer(Handle(), kReadingTimer, 1, nullptr);
}

void Tfrm_Kereses::edtKeresChange() { SetTimer(Handle(), kTypingTimer, kTypingPauseMs, nullptr); }

void Tfrm_Kereses::OnTimer(UINT_PTR id) {
    if (id == kTypingTimer) {
        KillTimer(Handle(), kTypingTimer);
        searchWanted_ = true;
        if (diary_.SearchReady()) ShowHits();
        else ShowCount();
    } else if (id == kReadingTimer) {
        if (!diary_.SearchWork(std::chrono::steady_clock::now() + kReadingSlice)) {
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
    ReadAll();
    ShowHits();
}

void Tfrm_Kereses::ReadAll() {
    diary_.SearchPlan();
    // In slices: between them the diary's lock is free for a store from another thread.
    while (!diary_.SearchWork(std::chrono::steady_clock::now() + kReadingSlice)) {
    }
}

void Tfrm_Kereses::ShowHits() {
    searchWanted_ = false;
    const SearchQuery query(edtKeres.Text(), cbPontos.Checked());
    // The selected day stays selected when it is still found.
    const int selected = lvTalalatok.SelectedIndex();
    const std::wstring selectedKey =
        selected >= 0 && static_cast<size_t>(selected) < hits_.size() ? hits_[static_cast<size_t>(selected)].dateKey : L"-";
    hits_ = diary_.Find(query);
    lvTalalatok.SetItemCount(static_cast<int>(hits_.size()));
    for (size_t i = 0; i < hits_.size(); ++i)
        if (hits_[i].dateKey == selectedKey) {
            lvTalalatok.Select(static_cast<int>(i));
            lvTalalatok.EnsureVisible(static_cast<int>(i));
        }
    lvTalalatok.Redraw();
    ShowCount();
}

void Tfrm_Kereses::ShowCount() {
    if (searchWanted_ && !diary_.SearchReady()) {
        pDarab.SetCaption(L"Jegyzetek beolvasása… (még " + std::to_wstring(diary_.SearchPending()) + L")");
        return;
    }
    if (SearchQuery(edtKeres.Text(), false).Empty()) {
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
    if (lvTalalatok.Focused()) {
        OpenResult();
        return;
    }
    SearchNow();
    if (!hits_.empty()) {
        if (lvTalalatok.SelectedIndex() < 0) lvTalalatok.Select(0);
        lvTalalatok.Focus();
    }
}

void Tfrm_Kereses::OpenResult(int row) {
    if (row < 0) row = lvTalalatok.SelectedIndex();
    if (row < 0 || static_cast<size_t>(row) >= hits_.size()) return;
    const SearchHit hit = hits_[static_cast<size_t>(row)];
    if (hit.dateKey.empty()) {
        if (OpenNotepad) OpenNotepad();
    } else if (OpenDay) {
        OpenDay(DateOfKey(hit.dateKey));
    }
    // The editor may have changed the day: the results follow it.
    SearchNow();
    lvTalalatok.Focus();
}
