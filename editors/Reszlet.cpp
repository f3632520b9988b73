#include "editors/Reszlet.h"
#include "ui/dpi.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/main.h"
#include "platform/file_io.h"
#include "store/entry_store.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/secondary_frame.h"

Tfrm_Reszlet* frm_Reszlet = nullptr;

const std::array<ColourMenuItem, 12> kColourMenuItems = {{
    {L"Fekete1", L"Fekete", L'F', 0x000000},
    {L"Fehr1", L"Fehér", L'E', 0xFFFFFF},
    {L"Piros1", L"Piros", L'P', 0x0000FF},
    {L"Srga1", L"Sárga", L'S', 0x00FFFF},
    {L"Zld1", L"Zöld", L'Z', 0x00FF00},
    {L"Kk1", L"Kék", L'K', 0xFF0000},
    {L"Lila1", L"Lila", L'L', 0xFF00FF},
    {L"Barna1", L"Barna", L'B', 0x000080},
    {L"Trkisz1", L"Türkisz", L'T', 0xFFFF00},
    {L"Stttrkisz1", L"Sötét türkisz", L'I', 0x808000},
    {L"Sttkk1", L"Sötét kék", L'A', 0x800000},
    {L"Sttzld1", L"Sötét zöld", L'D', 0x008000},
}};

void DrawColorItem(HDC dc, const RECT& item, const std::wstring& caption, COLORREF colour, bool highlighted,
                   HFONT font) {
    Canvas canvas(dc);
    canvas.Fill(item, highlighted ? 0x800000 : GetSysColor(COLOR_BTNFACE));
    RECT text = item;
    text.left = Px(27);
    canvas.TextInRect(text, caption, font, colour);
    canvas.Rectangle(RECT{item.left + Px(3), item.top + 1, item.left + Px(23), item.bottom - 1}, colour, 0x000000);
}

namespace {

Font MenuFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    LOGFONTW lf{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        lf = metrics.lfMenuFont;
    else
        lf.lfHeight = -11;
    lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    lf.lfCharSet = EASTEUROPE_CHARSET;
    return Font(CreateFontIndirectW(&lf));
}

}  // namespace

Tfrm_Reszlet::Tfrm_Reszlet() : TRichNoteForm(SecondaryWindowOptions(L"TivornReszletWindow", 458, 414)) {
    PopupColourMenu = [this](POINT at) {
        SetForegroundWindow(Handle());
        TrackPopupMenu(pmSzinek.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
        PostMessageW(Handle(), WM_NULL, 0, 0);
    };
}

Tfrm_Reszlet::~Tfrm_Reszlet() {
    for (HWND field : {Cimszo1, Cimszo2, Megjegyzes.Handle()})
        if (field) RemoveWindowSubclass(field, FieldProc, 1);
    if (frm_Reszlet == this) frm_Reszlet = nullptr;
}

void Tfrm_Reszlet::FormCreate() { CreateFrame({413, 449, 377}, L"", L"Bezárás mentés nélkül"); }

void Tfrm_Reszlet::CreateInsides() {
    CreateFileBar(445, true);
    Panel1.Drawn().AddLabel(L"Label1", 8, 66, L"Címszavak");

    const int id1 = NewControlId(), id2 = NewControlId();
    Cimszo1 = CreateControl(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 92, 64, 167, 21, Panel1.Handle(),
                            id1, FormFont());
    Cimszo2 = CreateControl(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 272, 64, 167, 21,
                            Panel1.Handle(), id2, FormFont());
    OnCommand(id1, [this] { Cimszo1Enter(); }, EN_SETFOCUS);
    OnCommand(id2, [this] { Cimszo2Enter(); }, EN_SETFOCUS);

    CreateNote(8, 92, 433, 277, ES_NOHIDESEL);
    OnCommand(Megjegyzes.Id(), [this] { MegjegyzesEnter(); }, EN_SETFOCUS);
    CreateFormatBar(445);

    for (HWND field : {Cimszo1, Cimszo2, Megjegyzes.Handle()})
        SetWindowSubclass(field, FieldProc, 1, reinterpret_cast<DWORD_PTR>(this));
    CreateColourMenu();
}

void Tfrm_Reszlet::CreateColourMenu() {
    menuFont_ = MenuFont();
    pmSzinek = MenuHandle::CreatePopup();
    for (size_t i = 0; i < kColourMenuItems.size(); ++i) {
        const ColourMenuItem& item = kColourMenuItems[i];
        const int id = NewControlId();
        colourIds_[i] = id;
        AppendMenuW(pmSzinek.Get(), MF_OWNERDRAW, static_cast<UINT_PTR>(id), reinterpret_cast<LPCWSTR>(i));
        OnMeasureItem(id, [this, &item](MEASUREITEMSTRUCT& m) {
            WindowDC screen(nullptr);
            SIZE text = Canvas(screen.Get()).TextSize(item.caption, menuFont_.Get());
            m.itemWidth = static_cast<UINT>(27 + text.cx + 12);
            m.itemHeight = static_cast<UINT>(std::max<LONG>(text.cy + 6, GetSystemMetrics(SM_CYMENUSIZE)));
        });
        OnDrawItem(id, [this, &item](DRAWITEMSTRUCT& d) {
            DrawColorItem(d.hDC, d.rcItem, item.caption, item.colour, d.itemState & ODS_SELECTED, menuFont_.Get());
        });
        OnCommand(id, [this, &item] { SzinClick(item.colour); });
    }
}

int Tfrm_Reszlet::ColourItemId(const std::wstring& name) const {
    for (size_t i = 0; i < kColourMenuItems.size(); ++i)
        if (name == kColourMenuItems[i].name) return colourIds_[i];
    return -1;
}

LRESULT CALLBACK Tfrm_Reszlet::FieldProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Tfrm_Reszlet*>(data);
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            // The pressed field becomes the colour menu's target before anything else.
            if (GetFocus() != hwnd) SetFocus(hwnd);
            break;
        case WM_CONTEXTMENU: {
            POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            if (lp == -1) {  // from the keyboard: at the field
                RECT r{};
                GetWindowRect(hwnd, &r);
                at = {r.left + 4, r.top + 4};
            }
            if (GetFocus() != hwnd) SetFocus(hwnd);
            Application::Get().Guard([&] { self->PopupColourMenu(at); });
            return 0;
        }
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT Tfrm_Reszlet::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLOREDIT) {
        HWND field = reinterpret_cast<HWND>(lp);
        if (field == Cimszo1 || field == Cimszo2) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, ResolveColour(field == Cimszo1 ? colour1_ : colour2_));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
    }
    return TRichNoteForm::HandleMessage(msg, wp, lp);
}

void Tfrm_Reszlet::FormShow() {
    ShowOwnFontInBars();
    SetFocus(Cimszo1);
}

bool Tfrm_Reszlet::FormSysKey(UINT vk) {
    HWND focus = GetFocus();
    if (focus != Cimszo1 && focus != Cimszo2 && focus != Megjegyzes.Handle()) return false;
    for (const auto& item : kColourMenuItems)
        if (static_cast<UINT>(item.key) == vk) {
            SzinClick(item.colour);
            return true;
        }
    return false;
}

HWND Tfrm_Reszlet::ClipboardTarget() const {
    switch (FEditTarget) {
        case 1:
            return Cimszo1;
        case 2:
            return Cimszo2;
        case 3:
            return Megjegyzes.Handle();
        default:
            return nullptr;
    }
}

void Tfrm_Reszlet::ColourDropDown(const RECT& screenButton) { PopupColourMenu({screenButton.left, screenButton.bottom}); }

void Tfrm_Reszlet::SzinClick(COLORREF colour) {
    switch (FEditTarget) {
        case 1:
            colour1_ = static_cast<int32_t>(colour);
            InvalidateRect(Cimszo1, nullptr, TRUE);
            break;
        case 2:
            colour2_ = static_cast<int32_t>(colour);
            InvalidateRect(Cimszo2, nullptr, TRUE);
            break;
        case 3: {
            CHARFORMAT2W cf = MakeCharFormat(CFM_COLOR);
            cf.crTextColor = colour;
            Megjegyzes.SetSelectionFormat(cf);
            break;
        }
        default:
            break;
    }
}

void Tfrm_Reszlet::SetTitles(const std::wstring& title1, const std::wstring& title2, int32_t colour1,
                             int32_t colour2) {
    colour1_ = colour1;
    colour2_ = colour2;
    SetWindowTextW(Cimszo1, title1.c_str());
    SetWindowTextW(Cimszo2, title2.c_str());
}

void Tfrm_Reszlet::LoadCurrentDay() {
    EnsureInsides();
    Tfrm_Main& m = *frm_Main;
    const std::wstring line = m.EntryIndex.Lines.at(static_cast<size_t>(m.CurrentLine));
    if (line.empty()) {
        // A new day: the placeholder line.
        SetTitles(L"", L"", 0, 0);
        ClearToOwnFont();
    } else {
        // A day whose note file is missing opens with an empty note; one that exists
        // but cannot be read stops here, before anything has changed.
        const std::wstring path = EntryStore::NotePath(m.ProgramDir, m.CurrentDate);
        const bool hasNote = FileExists(path);
        const std::string note = hasNote ? ReadWholeFile(path) : std::string();
        SetTitles(Trim(EntryTitle1(line)), Trim(EntryTitle2(line)), EntryColour1(line), EntryColour2(line));
        if (hasNote)
            Megjegyzes.LoadAny(note);
        else
            ClearToOwnFont();
    }
    pCim.SetCaption(L"   " + FormatLongDate(m.CurrentDate, m.Months));
}

void Tfrm_Reszlet::sbMentBezarClick() {
    Tfrm_Main& m = *frm_Main;
    const std::wstring title1 = WindowText(Cimszo1), title2 = WindowText(Cimszo2);
    const std::wstring line = MakeDayEntry(m.CurrentDate, title1, title2, colour1_, colour2_);
    // The note first: when it cannot be written, the index and the cell stay as they
    // were and the window stays open. The day's snapshot comes before anything.
    m.TakeSnapshotOfTheDay();
    SaveNoteFile(EntryStore::NotePath(m.ProgramDir, m.CurrentDate));
    m.EntryIndex.Lines.at(static_cast<size_t>(m.CurrentLine)) = line;
    m.SaveIndex();
    if (TJPanel* cell = m.CurrentCell) {
        cell->SetTxt1(PadText(title1, kTitleWidth));
        cell->SetMSzin1(ResolveColour(colour1_));
        cell->SetTxt2(PadText(title2, kTitleWidth));
        cell->SetMSzin2(ResolveColour(colour2_));
        cell->SetVanFile(true);
    }
    Close(mrOk);
}

void Tfrm_Reszlet::sbBezarClick() {
    // Leaving without saving drops the day's line when it is still an empty placeholder.
    frm_Main->EntryIndex.LeaveWithoutStoring(frm_Main->CurrentLine);
    Close(mrCancel);
}
