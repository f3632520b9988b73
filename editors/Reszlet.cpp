#include "editors/Reszlet.h"

#include <commctrl.h>
#include <windowsx.h>

#include "editors/Emlekezteto.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/dpi.h"
#include "ui/secondary_frame.h"


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

constexpr int kTitlePanelWidth = 413, kBarWidth = 445;

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

std::span<const ControlRow<Tfrm_Reszlet>> Tfrm_Reszlet::Controls() {
    using T = Tfrm_Reszlet;
    static const ControlRow<T> rows[] = {
        // The frame, made with the window.
        {.name = L"sbMentBezar", .field = &T::sbMentBezar, .parent = &T::pCim, .x = 360, .y = 2, .w = 23, .h = 22,
         .text = L"Bezárás mentéssel", .handler = &T::sbMentBezarClick, .picture = IDI_SB_SAVECLOSE},
        {.name = L"sbBezar", .field = &T::sbBezar, .parent = &T::pCim, .x = 384, .y = 2, .w = 23, .h = 22,
         .text = L"Bezárás mentés nélkül", .handler = &T::sbBezarClick, .picture = IDI_SB_CLOSE},
        {.name = L"Panel1", .field = &T::Panel1, .parent = &T::p, .x = 4, .y = 32, .w = 449, .h = 377,
         .colour = 0xC0C0C0},
        // At the first showing, after the file bar (ToolBar) and before the format bar (tbarFormaz).
        {.name = L"Label1", .field = {}, .parent = &T::Panel1, .x = 8, .y = 66, .text = L"Címszavak"},
        {.name = L"Cimszo1", .field = &T::Cimszo1, .parent = &T::Panel1, .x = 92, .y = 64, .w = 167, .h = 21,
         .handler = &T::Cimszo1Enter, .code = EN_SETFOCUS},
        {.name = L"Cimszo2", .field = &T::Cimszo2, .parent = &T::Panel1, .x = 272, .y = 64, .w = 167, .h = 21,
         .handler = &T::Cimszo2Enter, .code = EN_SETFOCUS},
        {.name = L"Megjegyzes", .field = &T::Megjegyzes, .parent = &T::Panel1, .x = 8, .y = 92, .w = 433, .h = 277,
         .handler = &T::MegjegyzesEnter, .code = EN_SETFOCUS, .style = WS_VSCROLL | ES_AUTOVSCROLL | ES_NOHIDESEL},
        // Beside the closing buttons: the strip has no room after them.
        {.name = L"sbEmlekezteto", .field = &T::sbEmlekezteto, .parent = &T::pCim, .x = 336, .y = 2, .w = 23,
         .h = 22, .text = L"Emlékeztető…", .handler = &T::sbEmlekeztetoClick, .picture = IDI_SB_REMINDER,
         .tooltip = true},
    };
    return rows;
}

std::span<const MenuItemRow<Tfrm_Reszlet>> Tfrm_Reszlet::ColourMenu() {
    using T = Tfrm_Reszlet;
    static const MenuItemRow<T> rows[] = {
        {L"Fekete1", L"Fekete", -1, nullptr, &T::Fekete1Click},
        {L"Fehr1", L"Fehér", -1, nullptr, &T::Fehr1Click},
        {L"Piros1", L"Piros", -1, nullptr, &T::Piros1Click},
        {L"Srga1", L"Sárga", -1, nullptr, &T::Srga1Click},
        {L"Zld1", L"Zöld", -1, nullptr, &T::Zld1Click},
        {L"Kk1", L"Kék", -1, nullptr, &T::Kk1Click},
        {L"Lila1", L"Lila", -1, nullptr, &T::Lila1Click},
        {L"Barna1", L"Barna", -1, nullptr, &T::Barna1Click},
        {L"Trkisz1", L"Türkisz", -1, nullptr, &T::Trkisz1Click},
        {L"Stttrkisz1", L"Sötét türkisz", -1, nullptr, &T::Stttrkisz1Click},
        {L"Sttkk1", L"Sötét kék", -1, nullptr, &T::Sttkk1Click},
        {L"Sttzld1", L"Sötét zöld", -1, nullptr, &T::Sttzld1Click},
    };
    return rows;
}

Tfrm_Reszlet::Tfrm_Reszlet() : TRichNoteForm(SecondaryWindowOptions(L"TivornReszletWindow", 458, 414)) {
    PopupColourMenu = [this](POINT at) { pmSzinek.Popup(at.x, at.y); };
}

Tfrm_Reszlet::~Tfrm_Reszlet() {
    for (HWND field : {Cimszo1.Handle(), Cimszo2.Handle(), Megjegyzes.Handle()})
        if (field) RemoveWindowSubclass(field, FieldProc, 1);
}

// Everything is made at the first showing: a start makes only the window itself.
void Tfrm_Reszlet::CreateInsides() {
    CreateFrame(*this, Controls(), kTitlePanelWidth, L"");
    CreateEditingControls(*this, Controls(), kBarWidth, true);
    for (HWND field : {Cimszo1.Handle(), Cimszo2.Handle(), Megjegyzes.Handle()})
        SetWindowSubclass(field, FieldProc, 1, reinterpret_cast<DWORD_PTR>(this));
    CreateColourMenu();
}

void Tfrm_Reszlet::CreateColourMenu() {
    menuFont_ = MenuFont();
    pmSzinek.Create(*this, ColourMenu(), nullptr);
    pmSzinek.SetOwnerDrawn();
    for (const auto& row : ColourMenu()) {
        const int id = pmSzinek.IdOf(row.name);
        const COLORREF colour = ColourOfItem(row.name).value_or(clBlack);
        OnMeasureItem(id, [this, caption = row.caption](MEASUREITEMSTRUCT& m) {
            WindowDC screen(nullptr);
            SIZE text = Canvas(screen.Get()).TextSize(caption, menuFont_.Get());
            m.itemWidth = static_cast<UINT>(27 + text.cx + 12);
            m.itemHeight = static_cast<UINT>(std::max<LONG>(text.cy + 6, GetSystemMetrics(SM_CYMENUSIZE)));
        });
        OnDrawItem(id, [this, caption = row.caption, colour](DRAWITEMSTRUCT& d) {
            DrawColorItem(d.hDC, d.rcItem, caption, colour, d.itemState & ODS_SELECTED, menuFont_.Get());
        });
    }
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
        if (field == Cimszo1.Handle() || field == Cimszo2.Handle()) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, ResolveColour(field == Cimszo1.Handle() ? colour1_ : colour2_));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
    }
    return TRichNoteForm::HandleMessage(msg, wp, lp);
}

void Tfrm_Reszlet::FormShow() {
    // The bars show the font at the caret of the loaded note.
    MegjegyzesSelectionChange();
    Cimszo1.Focus();
}

bool Tfrm_Reszlet::OneOfTheFieldsFocused() const {
    return Cimszo1.Focused() || Cimszo2.Focused() || Megjegyzes.Focused();
}

bool Tfrm_Reszlet::FormSysKey(UINT vk) {
    if (!OneOfTheFieldsFocused()) return false;
    const std::optional<uint32_t> colour = ColourOfShortcut(vk);
    if (!colour) return false;
    SzinClick(*colour);
    return true;
}

void Tfrm_Reszlet::ClipboardOnTarget(ClipboardCommand command) {
    switch (FEditTarget) {
        case 1:
            RunClipboardCommand(Cimszo1, command);
            break;
        case 2:
            RunClipboardCommand(Cimszo2, command);
            break;
        case 3:
            RunClipboardCommand(Megjegyzes, command);
            break;
        default:
            break;
    }
}

void Tfrm_Reszlet::ColourDropDown(POINT screen) { PopupColourMenu(screen); }

void Tfrm_Reszlet::SzinClick(COLORREF colour) {
    switch (FEditTarget) {
        case 1:
            colour1_ = static_cast<int32_t>(colour);
            Cimszo1.Invalidate();
            break;
        case 2:
            colour2_ = static_cast<int32_t>(colour);
            Cimszo2.Invalidate();
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
    Cimszo1.SetText(title1);
    Cimszo2.SetText(title2);
}

std::optional<EditedDay> Tfrm_Reszlet::EditDay(Diary& diary, const Date& day, StoreDay store) {
    bool loaded = false;
    if (!Application::Get().Guard([&] {
            const OpenedDay opened = diary.Open(day);  // before anything of the window changes
            EnsureInsides();
            loaded = LoadDay(opened);
        }) ||
        !loaded)
        return std::nullopt;
    day_ = day;
    diary_ = &diary;
    store_ = std::move(store);
    stored_.reset();
    SetProgramDir(diary.ProgramDir());
    pCim.SetCaption(L"   " + FormatLongDate(day, diary.Months()));
    const Diary::DayHold editing = diary.Hold(day);  // the sync stores nothing under the editor
    ShowModal();
    store_ = nullptr;
    diary_ = nullptr;
    return std::exchange(stored_, std::nullopt);
}

bool Tfrm_Reszlet::LoadDay(const OpenedDay& opened) {
    // A day without a note (a new day too) opens with an empty one; a damaged one asks.
    SetTitles(opened.entry.title1, opened.entry.title2, opened.entry.colour1, opened.entry.colour2);
    if (!opened.note) {
        ClearToOwnFont();
        return true;
    }
    return LoadNoteOrAsk(*opened.note);
}

void Tfrm_Reszlet::sbMentBezarClick() {
    EditedDay edited{{Cimszo1.Text(), Cimszo2.Text(), colour1_, colour2_},
                     NoteRtf(EntryStore::NotePath(ProgramDir(), day_))};
    // When the day cannot be stored the error is shown and the window stays open.
    if (store_) store_(day_, edited);
    stored_ = std::move(edited);
    Close(mrOk);
}

void Tfrm_Reszlet::sbBezarClick() { Close(mrCancel); }

void Tfrm_Reszlet::sbEmlekeztetoClick() {
    if (!diary_) return;
    Tfrm_Emlekezteto window(*diary_, day_, FormatDottedDate(day_), p.Color(), pCim.Color());
    window.Create(Handle());
    window.ShowModal();
}
