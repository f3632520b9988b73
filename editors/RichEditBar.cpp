#include "editors/RichEditBar.h"
#include "ui/dpi.h"

#include "ui/secondary_frame.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>

#include "app/main.h"
#include "platform/eljaras_win.h"
#include "platform/emil.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "report/printing.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/controls.h"

// ---------------------------------------------------------------------------------
// Pieces without a window

std::wstring DialogFilter(const std::wstring& pipes) {
    std::wstring out = pipes;
    std::replace(out.begin(), out.end(), L'|', L'\0');
    out.push_back(L'\0');
    out.push_back(L'\0');
    return out;
}

int ParseFontSize(const std::wstring& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == L' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    if (i >= text.size()) throw ConvertError(text);
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') throw ConvertError(text);
        value = value * 10 + (text[i] - L'0');
        if (value > 0x7FFFFFFFLL) throw ConvertError(text);
    }
    return static_cast<int>(negative ? -value : value);
}

namespace {

bool LessIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

}  // namespace

std::vector<std::wstring> SortedFontNames(std::vector<std::wstring> names) {
    std::erase_if(names, [](const std::wstring& n) { return n.empty() || n[0] == L'@'; });
    std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
    names.erase(std::unique(names.begin(), names.end(), SameIgnoringCase), names.end());
    return names;
}

int FontIndexOf(const std::vector<std::wstring>& names, const std::wstring& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (SameIgnoringCase(names[i], name)) return static_cast<int>(i);
    return -1;
}

LOGFONTW LogFontOfCharFormat(const CHARFORMAT2W& cf, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(static_cast<int>(cf.yHeight), dpi, 1440);
    lf.lfWeight = (cf.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (cf.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    lf.lfUnderline = (cf.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
    lf.lfStrikeOut = (cf.dwEffects & CFE_STRIKEOUT) ? TRUE : FALSE;
    lf.lfCharSet = cf.bCharSet;
    lstrcpynW(lf.lfFaceName, cf.szFaceName, LF_FACESIZE);
    return lf;
}

CHARFORMAT2W CharFormatOfLogFont(const LOGFONTW& lf, int pointSize10, COLORREF colour, int dpi) {
    CHARFORMAT2W cf = MakeCharFormat(CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
                                     CFM_COLOR | CFM_CHARSET);
    // Tenths of a point are half twips; without them the height gives the size.
    cf.yHeight = pointSize10 > 0 ? pointSize10 * 2 : MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 1440, dpi);
    if (lf.lfWeight >= FW_BOLD) cf.dwEffects |= CFE_BOLD;
    if (lf.lfItalic) cf.dwEffects |= CFE_ITALIC;
    if (lf.lfUnderline) cf.dwEffects |= CFE_UNDERLINE;
    if (lf.lfStrikeOut) cf.dwEffects |= CFE_STRIKEOUT;
    cf.crTextColor = colour;
    cf.bCharSet = lf.lfCharSet;
    lstrcpynW(cf.szFaceName, lf.lfFaceName, LF_FACESIZE);
    return cf;
}

EditorDialogs& CurrentEditorDialogs() {
    static EditorDialogs dialogs{
        [](OPENFILENAMEW& ofn) {
            Application::Get().EnsureCom();  // the explorer-style dialog runs on COM
            return GetOpenFileNameW(&ofn) != FALSE;
        },
        [](OPENFILENAMEW& ofn) {
            Application::Get().EnsureCom();
            return GetSaveFileNameW(&ofn) != FALSE;
        },
        [](CHOOSEFONTW& cf) { return ChooseFontW(&cf) != FALSE; },
        [](PRINTDLGW& pd) { return PrintDlgW(&pd) != FALSE; },
    };
    return dialogs;
}

// ---------------------------------------------------------------------------------
// Building the window

namespace {

constexpr int kFileButtonWidth = 27, kFileButtonHeight = 25, kColourButtonWidth = 40;
constexpr int kFormatButtonWidth = 25, kFormatButtonHeight = 22;
constexpr int kComboWidth = 153, kComboItemHeight = 13, kComboVisibleItems = 10;
constexpr int kSizeEditWidth = 26, kUpDownWidth = 15, kSizeEditHeight = 21;
constexpr int kComboSlot = 0, kSizeSlot = 2;  // placeholder separators of the format bar
constexpr size_t kNameBuffer = 32768;

std::wstring SizeTextOf(int points) { return std::to_wstring(points); }

std::wstring ProgramDir() { return frm_Main ? frm_Main->ProgramDir : std::wstring(); }

// Vertically centred child in a tool bar slot.
RECT SlotRect(HWND bar, int index) {
    RECT r{};
    SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
}

}  // namespace

namespace {

// Controls hosted in the format bar sit in the place of a separator (real pixels).
void PlaceInSlot(HWND control, const RECT& slot) {
    SetWindowPos(control, nullptr, slot.left, slot.top + 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

TRichNoteForm::~TRichNoteForm() {
    if (tbarFormaz.Handle()) RemoveWindowSubclass(tbarFormaz.Handle(), FormatBarProc, 1);
}

void TRichNoteForm::CreateFrame(const FrameLayout& layout, const std::wstring& caption, const wchar_t* closeHint) {
    CreateOuterPanel(p, *this);
    const int titleWidth = layout.titleWidth;
    CreateTitlePanel(pCim, p, titleWidth, caption);
    sbMentBezar.Create(pCim.Handle(), titleWidth - 53, 2, 23, 22, IDI_SB_SAVECLOSE, L"Bezárás mentéssel");
    sbMentBezar.OnClick = [this] { sbMentBezarClick(); };
    sbBezar.Create(pCim.Handle(), titleWidth - 29, 2, 23, 22, IDI_SB_CLOSE, closeHint);
    sbBezar.OnClick = [this] { sbBezarClick(); };

    CreateFramePanel(Panel1, p.Handle(), 4, 32, layout.panelWidth, layout.panelHeight, 0xC0C0C0);
}

void TRichNoteForm::CreateFileBar(int width, bool colourButton) {
    editImages_ = ImageList(IDI_EDIT_FIRST, IDI_EDIT_COUNT);
    ToolBar.Create(*this, Panel1.Handle(), 2, 2, width, 29, editImages_.Get(), kFileButtonWidth, kFileButtonHeight, 2);
    std::vector<ToolButtonDef> buttons = {
        {L"tbUres", 0, L"Üres lap"},
        {L"tbMegnyit", 1, L"File megnyitása"},
        {L"tbMent", 2, L"File mentése másként"},
        {nullptr, 16, nullptr},
        {L"tbNyomtat", 3, L"Megjegyzés nyomtatása"},
        {nullptr, 15, nullptr},
        {L"tbKivag", 4, L"Kivág"},
        {L"tbMasol", 5, L"Másol"},
        {L"tbBeilleszt", 6, L"Beilleszt"},
        {nullptr, 16, nullptr},
    };
    if (colourButton) {
        buttons.push_back({L"tbSzinek", 7, nullptr, BTNS_DROPDOWN});
        buttons.push_back({nullptr, 16, nullptr});  // ToolButton10
    }
    buttons.insert(buttons.end(), {
                                      {L"tbFont", 8, L"Betűtípus"},
                                      {nullptr, 16, nullptr},
                                      {L"tbOpenWord", 9, L"File megnyitása Word szövegszerkesztővel"},
                                      {L"tbVisszatolt", 10, L"Word programból visszatöltés"},
                                  });
    ToolBar.AddButtons(buttons);
    SetClassLongPtrW(ToolBar.Handle(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_HAND)));
    ToolBar.OnClick(L"tbUres", [this] { tbUresClick(); });
    ToolBar.OnClick(L"tbMegnyit", [this] { tbMegnyitClick(); });
    ToolBar.OnClick(L"tbMent", [this] { tbMentClick(); });
    ToolBar.OnClick(L"tbNyomtat", [this] { tbNyomtatClick(); });
    ToolBar.OnClick(L"tbKivag", [this] { tbKivagClick(); });
    ToolBar.OnClick(L"tbMasol", [this] { tbMasolClick(); });
    ToolBar.OnClick(L"tbBeilleszt", [this] { tbBeillesztClick(); });
    ToolBar.OnClick(L"tbFont", [this] { tbFontClick(); });
    ToolBar.OnClick(L"tbOpenWord", [this] { tbOpenWordClick(); });
    ToolBar.OnClick(L"tbVisszatolt", [this] { tbVisszatoltClick(); });
    ToolBar.SetEnabled(L"tbVisszatolt", false);
    if (colourButton) {
        // The colour button with its arrow is 40 wide (the bar's layout has it so);
        // tool bar versions differ in whether the width given includes the arrow.
        const int id = ToolBar.IdOf(L"tbSzinek");
        auto width = [&] {
            RECT r = ToolBar.ButtonRect(L"tbSzinek");
            return static_cast<int>(r.right - r.left);
        };
        TBBUTTONINFOW info{sizeof(info), TBIF_SIZE};
        for (int guess = kColourButtonWidth, tries = 0; width() != kColourButtonWidth && tries < 2; ++tries) {
            info.cx = static_cast<WORD>(guess);
            SendMessageW(ToolBar.Handle(), TB_SETBUTTONINFOW, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&info));
            guess -= width() - kColourButtonWidth;
        }
        OnNotify(GetDlgCtrlID(ToolBar.Handle()), TBN_DROPDOWN, [this](NMHDR* hdr) -> LRESULT {
            auto* info = reinterpret_cast<NMTOOLBARW*>(hdr);
            if (info->iItem != ToolBar.IdOf(L"tbSzinek")) return TBDDRET_NODEFAULT;
            RECT r = ToolBar.ButtonRect(L"tbSzinek");
            MapWindowPoints(ToolBar.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
            ColourDropDown(r);
            return TBDDRET_DEFAULT;
        });
    }
}

void TRichNoteForm::CreateFormatBar(int width) {
    formatImages_ = ImageList(IDI_FORMAT_FIRST, IDI_FORMAT_COUNT);
    ttMarker_ = IconHandle(IDI_TT_MARKER, 32);
    tbarFormaz.Create(*this, Panel1.Handle(), 2, 31, width, 30, formatImages_.Get(), kFormatButtonWidth,
                      kFormatButtonHeight, 2);
    tbarFormaz.AddButtons({
        {nullptr, kComboWidth, nullptr},  // cbBetuTipus
        {nullptr, 8, nullptr},
        {nullptr, kSizeEditWidth + kUpDownWidth, nullptr},  // edtBetuMeret, UpDown1
        {nullptr, 17, nullptr},
        {L"tbFelkover", 0, L"Félkövér", BTNS_CHECK},
        {L"tbDolt", 1, L"Dőlt", BTNS_CHECK},
        {L"tbAlahuzott", 2, L"Aláhúzott", BTNS_CHECK},
        {nullptr, 8, nullptr},
        {L"tbBalra", 3, L"Balra igazítás", BTNS_CHECKGROUP},
        {L"tbKozepre", 4, L"Középre igazítás", BTNS_CHECKGROUP},
        {L"tbJobbra", 5, L"Jobbra igazítás", BTNS_CHECKGROUP},
        {nullptr, 8, nullptr},
        {L"tbFelsorolas", 6, nullptr, BTNS_CHECK},
    });
    tbarFormaz.SetChecked(L"tbBalra", true);
    tbarFormaz.OnClick(L"tbFelkover", [this] { tbFelkoverClick(); });
    tbarFormaz.OnClick(L"tbDolt", [this] { tbDoltClick(); });
    tbarFormaz.OnClick(L"tbAlahuzott", [this] { tbAlahuzottClick(); });
    tbarFormaz.OnClick(L"tbBalra", [this] { tbBalraClick(); });
    tbarFormaz.OnClick(L"tbKozepre", [this] { tbKozepreClick(); });
    tbarFormaz.OnClick(L"tbJobbra", [this] { tbJobbraClick(); });
    tbarFormaz.OnClick(L"tbFelsorolas", [this] { tbFelsorolasClick(); });
    SetClassLongPtrW(tbarFormaz.Handle(), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_HAND)));
    // The bar hosts the combo and the size box; their messages go on to this form.
    SetWindowSubclass(tbarFormaz.Handle(), FormatBarProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SetWindowLongPtrW(tbarFormaz.Handle(), GWL_EXSTYLE,
                      GetWindowLongPtrW(tbarFormaz.Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);

    const int comboId = NewControlId();
    OnMeasureItem(comboId, [](MEASUREITEMSTRUCT& m) { m.itemHeight = static_cast<UINT>(Px(kComboItemHeight)); });
    OnDrawItem(comboId, [this](DRAWITEMSTRUCT& item) { DrawFontItem(item); });
    OnCommand(comboId, [this] { cbBetuTipusChange(); }, CBN_SELCHANGE);
    RECT slot = SlotRect(tbarFormaz.Handle(), kComboSlot);
    cbBetuTipus = CreateControl(WC_COMBOBOXW,
                                WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0,
                                0, 0, kComboWidth, 21 + kComboItemHeight * kComboVisibleItems + 2,
                                tbarFormaz.Handle(), comboId, FormFont());
    PlaceInSlot(cbBetuTipus, slot);
    SendMessageW(cbBetuTipus, CB_SETITEMHEIGHT, 0, Px(kComboItemHeight));
    Application::Get().SetHint(cbBetuTipus, L"Betűtípus választás");

    const int editId = NewControlId();
    OnCommand(editId, [this] { edtBetuMeretExit(); }, EN_KILLFOCUS);
    slot = SlotRect(tbarFormaz.Handle(), kSizeSlot);
    edtBetuMeret = CreateControl(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 0, 0, kSizeEditWidth,
                                 kSizeEditHeight, tbarFormaz.Handle(), editId, FormFont(), L"0");
    PlaceInSlot(edtBetuMeret, slot);
    Application::Get().SetHint(edtBetuMeret, L"Betűméret magadása");
    UpDown1 = CreateControl(UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, kUpDownWidth,
                            kSizeEditHeight, tbarFormaz.Handle(), NewControlId(), nullptr);
    PlaceInSlot(UpDown1, RECT{slot.left + Px(kSizeEditWidth), slot.top, slot.right, slot.bottom});
    SendMessageW(UpDown1, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edtBetuMeret), 0);
    SendMessageW(UpDown1, UDM_SETRANGE32, 0, 100);
    SendMessageW(UpDown1, UDM_SETPOS32, 0, 0);
    SetWindowTextW(edtBetuMeret, L"0");

    FillFontList();
}

void TRichNoteForm::CreateNote(int x, int y, int w, int h, DWORD style) {
    const int id = NewControlId();
    Megjegyzes.Create(Panel1.Handle(), x, y, w, h, id, WS_VSCROLL | ES_AUTOVSCROLL | style, FormFont());
    OnNotify(id, EN_SELCHANGE, [this](NMHDR*) -> LRESULT {
        MegjegyzesSelectionChange();
        return 0;
    });
}

LRESULT CALLBACK TRichNoteForm::FormatBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TRichNoteForm*>(data);
    switch (msg) {
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            // From the hosted combo and size box (the bar's own commands go to its parent).
            return RouteToForm(hwnd, msg, wp, lp);
        case WM_VSCROLL:
            if (reinterpret_cast<HWND>(lp) == self->UpDown1 && LOWORD(wp) == SB_THUMBPOSITION)
                Application::Get().Guard([self] { self->UpDown1Click(); });
            return 0;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

namespace {

int CALLBACK CollectFontFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM data) {
    reinterpret_cast<std::vector<std::wstring>*>(data)->emplace_back(lf->lfFaceName);
    return 1;
}

}  // namespace

void TRichNoteForm::FillFontList() {
    std::vector<std::wstring> names;
    WindowDC screen(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(
        screen.Get(), &query,
        CollectFontFamily, reinterpret_cast<LPARAM>(&names), 0);
    fonts_ = SortedFontNames(std::move(names));
    for (const auto& name : fonts_) SendMessageW(cbBetuTipus, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

void TRichNoteForm::DrawFontItem(DRAWITEMSTRUCT& item) {
    Canvas canvas(item.hDC);
    const RECT r = item.rcItem;
    const bool selected = item.itemState & ODS_SELECTED;
    canvas.Fill(r, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= fonts_.size()) return;
    const std::wstring& name = fonts_[item.itemID];
    {
        // The marker's picture is 32x32 with the glyph in its corner: clipped to the item.
        const int saved = SaveDC(item.hDC);
        IntersectClipRect(item.hDC, r.left, r.top, r.right, r.bottom);
        DrawIconEx(item.hDC, r.left + 2, r.top + 1, ttMarker_.Get(), 32, 32, 0, nullptr, DI_NORMAL);
        RestoreDC(item.hDC, saved);
    }
    // Each name in its own typeface, whatever character sets the typeface has.
    FontSpec fontSpec{name, kNotePoints};
    fontSpec.charset = DEFAULT_CHARSET;
    Font face = MakeFont(fontSpec);
    RECT text{r.left + Px(20), r.top, r.right, r.bottom};
    canvas.TextInRect(text, name, face.Get(), GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
}

// ---------------------------------------------------------------------------------
// What the bars show

std::wstring TRichNoteForm::FontComboText() const { return WindowText(cbBetuTipus); }

std::wstring TRichNoteForm::SizeText() const { return WindowText(edtBetuMeret); }

void TRichNoteForm::ShowFontName(const std::wstring& face) {
    SendMessageW(cbBetuTipus, CB_SETCURSEL, static_cast<WPARAM>(FontIndexOf(fonts_, face)), 0);
}

void TRichNoteForm::ShowOwnFontInBars() {
    updating_ = true;
    ShowFontName(kNoteFace);
    SetWindowTextW(edtBetuMeret, SizeTextOf(kNotePoints).c_str());
    SendMessageW(UpDown1, UDM_SETPOS32, 0, kNotePoints);
    updating_ = false;
}

void TRichNoteForm::ClearToOwnFont() {
    Megjegyzes.Clear();
    CHARFORMAT2W cf = MakeCharFormat(CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                                     CFM_STRIKEOUT);
    cf.yHeight = kNotePoints * 20;
    cf.crTextColor = 0;
    lstrcpynW(cf.szFaceName, kNoteFace, LF_FACESIZE);
    Megjegyzes.SetAllFormat(cf);
    PARAFORMAT2 pf = MakeParaFormat(PFM_ALIGNMENT | PFM_NUMBERING);
    pf.wAlignment = PFA_LEFT;
    Megjegyzes.SetParagraphFormat(pf);
    MegjegyzesSelectionChange();
}

void TRichNoteForm::MegjegyzesSelectionChange() {
    struct Quiet {
        bool& flag;
        ~Quiet() { flag = false; }
    } quiet{updating_ = true};
    const CHARFORMAT2W cf = Megjegyzes.SelectionFormat();
    tbarFormaz.SetChecked(L"tbFelkover", cf.dwEffects & CFE_BOLD);
    tbarFormaz.SetChecked(L"tbDolt", cf.dwEffects & CFE_ITALIC);
    tbarFormaz.SetChecked(L"tbAlahuzott", cf.dwEffects & CFE_UNDERLINE);
    const PARAFORMAT2 pf = Megjegyzes.ParagraphFormat();
    tbarFormaz.SetChecked(L"tbFelsorolas", pf.wNumbering == PFN_BULLET);
    const int points = PointsOfCharFormat(cf);
    SetWindowTextW(edtBetuMeret, SizeTextOf(points).c_str());
    SendMessageW(UpDown1, UDM_SETPOS32, 0, std::clamp(points, 0, 100));
    ShowFontName(FaceOfCharFormat(cf));
    for (const wchar_t* name : {L"tbBalra", L"tbKozepre", L"tbJobbra"}) tbarFormaz.SetChecked(name, false);
    switch (pf.wAlignment) {
        case PFA_LEFT:
            tbarFormaz.SetChecked(L"tbBalra", true);
            break;
        case PFA_CENTER:
            tbarFormaz.SetChecked(L"tbKozepre", true);
            break;
        case PFA_RIGHT:
            tbarFormaz.SetChecked(L"tbJobbra", true);
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------------------------
// File tool bar

void TRichNoteForm::tbUresClick() { Megjegyzes.Clear(); }

void TRichNoteForm::LoadNoteFile(const std::wstring& path) { Megjegyzes.LoadAny(ReadWholeFile(path)); }

void TRichNoteForm::SaveNoteFile(const std::wstring& path) {
    const std::optional<std::string> rtf = Megjegyzes.StreamOutRtf();
    if (!rtf) throw FileCreateError(path);  // the old file stays as it is
    WriteFileAtomically(path, *rtf);
}

namespace {

// The parts both file dialogs share; `buffer` holds the last name and receives the chosen one.
OPENFILENAMEW FileDialogRecord(HWND owner, const std::wstring& filter, std::wstring& buffer, const wchar_t* title) {
    buffer.resize(kNameBuffer, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = L"rtf";
    return ofn;
}

}  // namespace

void TRichNoteForm::tbMegnyitClick() {
    static const std::wstring filter = DialogFilter(L"Rich text file-ok (*.rtf)|*.rtf|Text file-ok|*.txt");
    std::wstring buffer = openFile_;
    OPENFILENAMEW ofn = FileDialogRecord(Handle(), filter, buffer, L"File megnyitása");
    ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!CurrentEditorDialogs().Open(ofn)) return;
    openFile_ = buffer.c_str();
    LoadNoteFile(openFile_);
}

void TRichNoteForm::tbMentClick() {
    static const std::wstring filter = DialogFilter(L"Rich Text file-ok (*.rtf)|*.rtf");
    std::wstring buffer = saveFile_;
    OPENFILENAMEW ofn = FileDialogRecord(Handle(), filter, buffer, L"File mentése másként");
    ofn.lpstrInitialDir = L"c:\\Dokumentumok";
    // Replacing a file asks first: a silently overwritten document would be lost.
    ofn.Flags = OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!CurrentEditorDialogs().Save(ofn)) return;
    saveFile_ = buffer.c_str();
    SaveNoteFile(saveFile_);
}

void TRichNoteForm::tbNyomtatClick() {
    // A note is laid out for the whole printable area of an A4 page.
    const PrinterDc printer =
        ChoosePrinter(Handle(), PaperSize::A4, PaperOrientation::Portrait, CurrentEditorDialogs().Print);
    if (!printer) return;
    if (Megjegyzes.Print(printer.Get(), kPrintJobName) == 0) throw PrintError(kPrintJobName);
}

void TRichNoteForm::tbKivagClick() {
    if (HWND target = ClipboardTarget()) SendMessageW(target, WM_CUT, 0, 0);
}

void TRichNoteForm::tbMasolClick() {
    if (HWND target = ClipboardTarget()) SendMessageW(target, WM_COPY, 0, 0);
}

void TRichNoteForm::tbBeillesztClick() {
    if (HWND target = ClipboardTarget()) SendMessageW(target, WM_PASTE, 0, 0);
}

void TRichNoteForm::tbFontClick() {
    const CHARFORMAT2W current = Megjegyzes.SelectionFormat();
    const int dpi = ScreenDpi();
    LOGFONTW lf = LogFontOfCharFormat(current, dpi);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = Handle();
    cf.lpLogFont = &lf;
    cf.Flags = CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
    cf.rgbColors = current.crTextColor;
    if (!CurrentEditorDialogs().Font(cf)) return;
    Megjegyzes.SetSelectionFormat(CharFormatOfLogFont(lf, cf.iPointSize, cf.rgbColors, dpi));
    MegjegyzesSelectionChange();
}

void TRichNoteForm::tbOpenWordClick() {
    const std::wstring dir = ProgramDir();
    const std::wstring copy = dir + L"\\doctmp.rtf", link = dir + L"\\tmp.lnk";
    SaveNoteFile(copy);
    CreateShortcut(copy, dir, L"", link);
    OpenFileWithShell(link);
    ToolBar.SetEnabled(L"tbVisszatolt", true);
}

void TRichNoteForm::tbVisszatoltClick() {
    ToolBar.SetEnabled(L"tbVisszatolt", false);
    LoadNoteFile(ProgramDir() + L"\\doctmp.rtf");
}

// ---------------------------------------------------------------------------------
// Format tool bar

void TRichNoteForm::cbBetuTipusChange() {
    if (updating_) return;
    SetFocus(Megjegyzes.Handle());
    const LRESULT index = SendMessageW(cbBetuTipus, CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= fonts_.size()) return;
    CHARFORMAT2W cf = MakeCharFormat(CFM_FACE);
    lstrcpynW(cf.szFaceName, fonts_[static_cast<size_t>(index)].c_str(), LF_FACESIZE);
    Megjegyzes.SetSelectionFormat(cf);
}

void TRichNoteForm::edtBetuMeretExit() {
    if (updating_ || !Visible()) return;
    SetFocus(Megjegyzes.Handle());
    const int points = ParseFontSize(WindowText(edtBetuMeret));
    if (points <= 0) return;  // a size of nothing would make the text vanish
    CHARFORMAT2W cf = MakeCharFormat(CFM_SIZE);
    cf.yHeight = points * 20;
    Megjegyzes.SetSelectionFormat(cf);
}

void TRichNoteForm::UpDown1Click() {
    // The arrows have already written their number into the box.
    edtBetuMeretExit();
}

void TRichNoteForm::ApplyEffect(DWORD mask, DWORD effect, bool on) {
    if (updating_) return;
    CHARFORMAT2W cf = MakeCharFormat(mask);
    cf.dwEffects = on ? effect : 0;
    Megjegyzes.SetSelectionFormat(cf);
}

void TRichNoteForm::tbFelkoverClick() { ApplyEffect(CFM_BOLD, CFE_BOLD, tbarFormaz.Checked(L"tbFelkover")); }

void TRichNoteForm::tbDoltClick() { ApplyEffect(CFM_ITALIC, CFE_ITALIC, tbarFormaz.Checked(L"tbDolt")); }

void TRichNoteForm::tbAlahuzottClick() {
    ApplyEffect(CFM_UNDERLINE, CFE_UNDERLINE, tbarFormaz.Checked(L"tbAlahuzott"));
}

void TRichNoteForm::ApplyAlignment(WORD alignment) {
    if (updating_) return;
    SetFocus(Megjegyzes.Handle());
    PARAFORMAT2 pf = MakeParaFormat(PFM_ALIGNMENT);
    pf.wAlignment = alignment;
    Megjegyzes.SetParagraphFormat(pf);
}

void TRichNoteForm::tbBalraClick() { ApplyAlignment(PFA_LEFT); }

void TRichNoteForm::tbKozepreClick() { ApplyAlignment(PFA_CENTER); }

void TRichNoteForm::tbJobbraClick() { ApplyAlignment(PFA_RIGHT); }

void TRichNoteForm::tbFelsorolasClick() {
    if (updating_) return;
    SetFocus(Megjegyzes.Handle());
    PARAFORMAT2 pf = MakeParaFormat(PFM_NUMBERING);
    pf.wNumbering = tbarFormaz.Checked(L"tbFelsorolas") ? PFN_BULLET : 0;
    Megjegyzes.SetParagraphFormat(pf);
}

bool TRichNoteForm::FormKeyPress(wchar_t key) {
    if (key != L'\x1B') return false;
    sbBezarClick();
    return true;
}
