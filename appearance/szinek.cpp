#include "appearance/szinek.h"
#include "ui/dpi.h"

#include "ui/secondary_frame.h"

#include "app/main.h"
#include "appearance/color_schemes.h"
#include "platform/file_io.h"
#include "resources/resource_ids.h"
#include "store/entry_store.h"
#include "ui/application.h"
#include "ui/controls.h"

Tfrm_szinek* frm_szinek = nullptr;

namespace {

constexpr const wchar_t* kSlotCaptions[Tfrm_szinek::kSlots] = {
    L"Háttérszín",         L"Napok panel színe",          L"Napok panel aktív színe",
    L"Napok panel kattintásra", L"Napok kijelzés háttérszíne", L"További panelek színei",
    L"Nem használt",       L"Nem használt",               L"Nem használt",
    L"Nem használt"};

constexpr int kBevelWidth = 233, kBevelHeight = 37, kRowStep = 40;
constexpr int kSwatchWidth = 73, kSwatchHeight = 29;
constexpr int kButtonTop = 216, kButtonHeight = 25;

FormOptions SzinekOptions() {
    FormOptions o = SecondaryWindowOptions(L"TivornSzinekWindow", 487, 251);
    o.caption = L"Színek beállítása";
    o.captionIsAppTitle = false;
    o.topMost = true;
    return o;
}

SchemeColours& Colours() { return frm_Main->Szin; }

}  // namespace

Tfrm_szinek::Tfrm_szinek() : Form(SzinekOptions()) {
    ChooseColour = [](CHOOSECOLORW& dialog) { return ChooseColorW(&dialog) != FALSE; };
}

Tfrm_szinek::~Tfrm_szinek() {
    if (frm_szinek == this) frm_szinek = nullptr;
}

std::wstring Tfrm_szinek::SchemesPath(const std::wstring& programDir) { return programDir + L"\\Színek.txt"; }

void Tfrm_szinek::FormCreate() {
    for (int i = 0; i < kSlots; ++i) {
        const auto k = static_cast<size_t>(i);
        const int x = i < 5 ? 8 : 246, y = 8 + kRowStep * (i % 5);
        const std::wstring n = std::to_wstring(i + 1);
        Bevels[k] = std::make_unique<Panel>(L"Bevel" + n);
        Bevels[k]->BevelOuter = Bevel::Lowered;
        Bevels[k]->BevelInner = Bevel::Raised;
        Bevels[k]->Create(Handle(), x, y, kBevelWidth, kBevelHeight);
        Bevels[k]->Drawn().AddLabel(L"Label" + n, 4 + kSwatchWidth + 8, 12, kSlotCaptions[i]);

        Panels[k] = std::make_unique<Panel>(L"Panel" + n);
        Panels[k]->BevelOuter = Bevel::None;
        Panels[k]->Create(Bevels[k]->Handle(), 4, 4, kSwatchWidth, kSwatchHeight);
        // No background of its own: the swatch's colour shows through the flat button.
        SpeedButtons[k] = std::make_unique<SpeedButton>(L"SpeedButton" + n);
        SpeedButtons[k]->Create(Panels[k]->Handle(), 0, 0, kSwatchWidth, kSwatchHeight, 0, L"");
        SpeedButtons[k]->OnClick = [this, i] { SpeedButtonClick(i + 1); };
    }

    BitBtn3 = CreateControl(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 8, kButtonTop, 89, kButtonHeight, Handle(),
                            NewControlId(), FormFont(), L"Alapérték");
    defaultsIcon_ = IconHandle(IDI_SB_DEFAULTS, 16);
    if (defaultsIcon_.Get())
        SendMessageW(BitBtn3, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(defaultsIcon_.Get()));
    OnCommand(GetDlgCtrlID(BitBtn3), [this] { BitBtn3Click(); });

    Drawn().AddLabel(L"Label11", 108, kButtonTop + 6, L"Színsémák");
    itemFont_ = MakeFont(FontSpec{L"MS Sans Serif", 8, 0, true, false, false, EASTEUROPE_CHARSET});
    const int comboId = NewControlId();
    OnDrawItem(comboId, [this](DRAWITEMSTRUCT& item) { cbSzinsemaDrawItem(item); });
    cbSzinsema = CreateControl(L"COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL |
                                                WS_TABSTOP,
                               0, 166, kButtonTop + 1, 133, 200, Handle(), comboId, FormFont());
    SendMessageW(cbSzinsema, CB_SETITEMHEIGHT, 0, Px(16));
    SendMessageW(cbSzinsema, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Px(16));
    OnCommand(comboId, [this] { cbSzinsemaChange(); }, CBN_SELCHANGE);

    // Enter is OK and Escape is Mégsem wherever the focus is.
    BitBtn1 = CreateControl(L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 316, kButtonTop, 75, kButtonHeight, Handle(),
                            IDOK, FormFont(), L"OK");
    OnCommand(IDOK, [this] { BitBtn1Click(); });
    BitBtn2 = CreateControl(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 404, kButtonTop, 75, kButtonHeight, Handle(),
                            IDCANCEL, FormFont(), L"Mégsem");
    OnCommand(IDCANCEL, [this] { BitBtn2Click(); });

    cd.lStructSize = sizeof(cd);
    cd.hwndOwner = Handle();
    cd.lpCustColors = customColours_.data();
    cd.Flags = CC_RGBINIT | CC_FULLOPEN;
    customColours_.fill(RGB(255, 255, 255));
}

void Tfrm_szinek::FormShow() {
    ClosedByButton = false;
    frm_Main->SzinBackup = Colours();
    ShowSwatches();
    LoadSchemes();
}

void Tfrm_szinek::LoadSchemes() {
    SchemeLines.clear();
    SendMessageW(cbSzinsema, CB_RESETCONTENT, 0, 0);
    // Without the file the list stays empty and the rest of the window works.
    Application::Get().Guard([this] { SchemeLines = ParseIndexText(ReadWholeFile(SchemesPath(frm_Main->ProgramDir))); });
    for (const auto& line : SchemeLines)
        SendMessageW(cbSzinsema, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(SchemeName(line).c_str()));
    SendMessageW(cbSzinsema, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void Tfrm_szinek::ShowSwatches() {
    for (int n = 1; n <= kSlots; ++n)
        Panels[static_cast<size_t>(n - 1)]->SetColor(ResolveColour(Colours()[static_cast<size_t>(n)]));
    for (auto& button : SpeedButtons) button->Invalidate();
}

void Tfrm_szinek::SpeedButtonClick(int slot) {
    if (!ChooseColour(cd)) return;
    Colours()[static_cast<size_t>(slot)] = static_cast<int32_t>(cd.rgbResult);
    frm_Main->ApplyColours();
    Panels[static_cast<size_t>(slot - 1)]->SetColor(cd.rgbResult);
    SpeedButtons[static_cast<size_t>(slot - 1)]->Invalidate();
}

void Tfrm_szinek::cbSzinsemaChange() {
    const LRESULT k = SendMessageW(cbSzinsema, CB_GETCURSEL, 0, 0);
    if (k < 0 || static_cast<size_t>(k) >= SchemeLines.size()) return;
    // Every field is read before anything changes: a damaged line changes nothing.
    const SchemeSlots slots = ParseSchemeLine(SchemeLines[static_cast<size_t>(k)]);
    Colours() = slots;
    ShowSwatches();
    frm_Main->ApplyColours();
}

void Tfrm_szinek::cbSzinsemaDrawItem(DRAWITEMSTRUCT& item) {
    Canvas canvas(item.hDC);
    const RECT r = item.rcItem;
    const bool selected = item.itemState & ODS_SELECTED;
    canvas.Fill(r, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= SchemeLines.size()) return;
    const std::wstring& line = SchemeLines[item.itemID];
    const COLORREF colour = ResolveColour(SchemeDrawColour(line));
    canvas.Ellipse(RECT{r.left + 1, r.top + 1, Px(15), r.bottom - 1}, colour, colour);
    RECT text = r;
    text.left += 20;
    canvas.TextInRect(text, SchemeName(line), itemFont_.Get(), colour);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(item.hDC, &r);
}

void Tfrm_szinek::BitBtn1Click() {
    ClosedByButton = true;
    frm_Main->SaveColours();
    Hide();
}

void Tfrm_szinek::BitBtn2Click() {
    Colours() = frm_Main->SzinBackup;
    frm_Main->ApplyColours();
    ClosedByButton = true;
    Hide();
}

void Tfrm_szinek::BitBtn3Click() {
    Colours() = Tfrm_Main::DefaultSzin;
    frm_Main->ApplyColours();
    ShowSwatches();
}

void Tfrm_szinek::FormHide() {
    if (ClosedByButton) return;
    Colours() = frm_Main->SzinBackup;
    frm_Main->ApplyColours();
}

bool Tfrm_szinek::FormKeyPress(wchar_t key) {
    // Escape in the open scheme list only closes the list.
    if (key != L'\x1B' || SendMessageW(cbSzinsema, CB_GETDROPPEDSTATE, 0, 0)) return false;
    BitBtn2Click();
    return true;
}
