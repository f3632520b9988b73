#include "appearance/szinek.h"
#include "ui/dpi.h"

#include "ui/secondary_frame.h"

#include "appearance/color_schemes.h"
#include "platform/file_io.h"
#include "resources/resource_ids.h"
#include "store/entry_store.h"
#include "ui/application.h"


namespace {

FormOptions SzinekOptions() {
    FormOptions o = SecondaryWindowOptions(L"TivornSzinekWindow", 487, 251 + 26);  // a row below for the Windows setting
    o.caption = L"Színek beállítása";
    o.captionIsAppTitle = false;
    o.topMost = true;
    return o;
}

}  // namespace

Tfrm_szinek::Tfrm_szinek() : Form(SzinekOptions()) {
    ChooseColour = [](CHOOSECOLORW& dialog) { return ChooseColorW(&dialog) != FALSE; };
    for (BevelPanel* bevel : Bevels) {
        bevel->BevelOuter = Bevel::Lowered;
        bevel->BevelInner = Bevel::Raised;
    }
    // No background of its own: the swatch's colour shows through the flat button.
    for (BevelPanel* swatch : Panels) swatch->BevelOuter = Bevel::None;
}

Tfrm_szinek::~Tfrm_szinek() = default;

std::wstring Tfrm_szinek::SchemesPath(const std::wstring& programDir) { return programDir + L"\\Színek.txt"; }

std::span<const ControlRow<Tfrm_szinek>> Tfrm_szinek::Controls() {
    using T = Tfrm_szinek;
    static const ControlRow<T> rows[] = {
        // Slots 1..5 in the left column, 6..10 in the right, rows 40 apart.
        {.name = L"Bevel1", .field = &T::Bevel1, .x = 8, .y = 8, .w = 233, .h = 37},
        {.name = L"Label1", .field = {}, .parent = &T::Bevel1, .x = 85, .y = 12, .text = L"Háttérszín"},
        {.name = L"Panel1", .field = &T::Panel1, .parent = &T::Bevel1, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton1", .field = &T::SpeedButton1, .parent = &T::Panel1, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton1Click},
        {.name = L"Bevel2", .field = &T::Bevel2, .x = 8, .y = 48, .w = 233, .h = 37},
        {.name = L"Label2", .field = {}, .parent = &T::Bevel2, .x = 85, .y = 12, .text = L"Napok panel színe"},
        {.name = L"Panel2", .field = &T::Panel2, .parent = &T::Bevel2, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton2", .field = &T::SpeedButton2, .parent = &T::Panel2, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton2Click},
        {.name = L"Bevel3", .field = &T::Bevel3, .x = 8, .y = 88, .w = 233, .h = 37},
        {.name = L"Label3", .field = {}, .parent = &T::Bevel3, .x = 85, .y = 12, .text = L"Napok panel aktív színe"},
        {.name = L"Panel3", .field = &T::Panel3, .parent = &T::Bevel3, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton3", .field = &T::SpeedButton3, .parent = &T::Panel3, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton3Click},
        {.name = L"Bevel4", .field = &T::Bevel4, .x = 8, .y = 128, .w = 233, .h = 37},
        {.name = L"Label4", .field = {}, .parent = &T::Bevel4, .x = 85, .y = 12, .text = L"Napok panel kattintásra"},
        {.name = L"Panel4", .field = &T::Panel4, .parent = &T::Bevel4, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton4", .field = &T::SpeedButton4, .parent = &T::Panel4, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton4Click},
        {.name = L"Bevel5", .field = &T::Bevel5, .x = 8, .y = 168, .w = 233, .h = 37},
        {.name = L"Label5", .field = {}, .parent = &T::Bevel5, .x = 85, .y = 12,
         .text = L"Napok kijelzés háttérszíne"},
        {.name = L"Panel5", .field = &T::Panel5, .parent = &T::Bevel5, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton5", .field = &T::SpeedButton5, .parent = &T::Panel5, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton5Click},
        {.name = L"Bevel6", .field = &T::Bevel6, .x = 246, .y = 8, .w = 233, .h = 37},
        {.name = L"Label6", .field = {}, .parent = &T::Bevel6, .x = 85, .y = 12, .text = L"További panelek színei"},
        {.name = L"Panel6", .field = &T::Panel6, .parent = &T::Bevel6, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton6", .field = &T::SpeedButton6, .parent = &T::Panel6, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton6Click},
        {.name = L"Bevel7", .field = &T::Bevel7, .x = 246, .y = 48, .w = 233, .h = 37},
        {.name = L"Label7", .field = {}, .parent = &T::Bevel7, .x = 85, .y = 12, .text = L"Nem használt"},
        {.name = L"Panel7", .field = &T::Panel7, .parent = &T::Bevel7, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton7", .field = &T::SpeedButton7, .parent = &T::Panel7, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton7Click},
        {.name = L"Bevel8", .field = &T::Bevel8, .x = 246, .y = 88, .w = 233, .h = 37},
        {.name = L"Label8", .field = {}, .parent = &T::Bevel8, .x = 85, .y = 12, .text = L"Nem használt"},
        {.name = L"Panel8", .field = &T::Panel8, .parent = &T::Bevel8, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton8", .field = &T::SpeedButton8, .parent = &T::Panel8, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton8Click},
        {.name = L"Bevel9", .field = &T::Bevel9, .x = 246, .y = 128, .w = 233, .h = 37},
        {.name = L"Label9", .field = {}, .parent = &T::Bevel9, .x = 85, .y = 12, .text = L"Nem használt"},
        {.name = L"Panel9", .field = &T::Panel9, .parent = &T::Bevel9, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton9", .field = &T::SpeedButton9, .parent = &T::Panel9, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton9Click},
        {.name = L"Bevel10", .field = &T::Bevel10, .x = 246, .y = 168, .w = 233, .h = 37},
        {.name = L"Label10", .field = {}, .parent = &T::Bevel10, .x = 85, .y = 12, .text = L"Nem használt"},
        {.name = L"Panel10", .field = &T::Panel10, .parent = &T::Bevel10, .x = 4, .y = 4, .w = 73, .h = 29},
        {.name = L"SpeedButton10", .field = &T::SpeedButton10, .parent = &T::Panel10, .x = 0, .y = 0, .w = 73, .h = 29,
         .handler = &T::SpeedButton10Click},
        // The bottom row; Enter is OK and Escape is Mégsem wherever the focus is.
        {.name = L"BitBtn3", .field = &T::BitBtn3, .x = 8, .y = 216, .w = 89, .h = 25, .text = L"Alapérték",
         .handler = &T::BitBtn3Click, .style = BS_PUSHBUTTON | WS_TABSTOP},
        {.name = L"Label11", .field = {}, .x = 108, .y = 222, .text = L"Színsémák"},
        {.name = L"cbSzinsema", .field = &T::cbSzinsema, .x = 166, .y = 217, .w = 133, .h = 200,
         .handler = &T::cbSzinsemaChange, .style = CBS_OWNERDRAWFIXED | CBS_HASSTRINGS},
        {.name = L"BitBtn1", .field = &T::BitBtn1, .x = 316, .y = 216, .w = 75, .h = 25, .text = L"OK",
         .handler = &T::BitBtn1Click, .style = BS_DEFPUSHBUTTON | WS_TABSTOP, .id = IDOK},
        {.name = L"BitBtn2", .field = &T::BitBtn2, .x = 404, .y = 216, .w = 75, .h = 25, .text = L"Mégsem",
         .handler = &T::BitBtn2Click, .style = BS_PUSHBUTTON | WS_TABSTOP, .id = IDCANCEL},
        {.name = L"cbWindowsTema", .field = &T::cbWindowsTema, .x = 8, .y = 251, .w = 471, .h = 20,
         .text = L"A Windows világos/sötét beállítását követi", .handler = &T::cbWindowsTemaClick,
         .style = BS_AUTOCHECKBOX | WS_TABSTOP},
    };
    return rows;
}

// Everything is made at the first showing: a start makes only the window itself.
void Tfrm_szinek::CreateInsides() {
    BuildControls(*this, Controls());
    defaultsIcon_ = IconHandle(IDI_SB_DEFAULTS, 16);
    if (defaultsIcon_.Get()) BitBtn3.SetIcon(defaultsIcon_.Get());
    itemFont_ = MakeFont(FontSpec{L"MS Sans Serif", 8, 0, true, false, false, EASTEUROPE_CHARSET});
    OnDrawItem(cbSzinsema.Id(), [this](DRAWITEMSTRUCT& item) { cbSzinsemaDrawItem(item); });
    cbSzinsema.SetItemHeight(0, 16);
    cbSzinsema.SetItemHeight(-1, 16);

    cd.lStructSize = sizeof(cd);
    cd.hwndOwner = Handle();
    cd.lpCustColors = customColours_.data();
    cd.Flags = CC_RGBINIT | CC_FULLOPEN;
    customColours_.fill(RGB(255, 255, 255));
}

void Tfrm_szinek::FormShow() {
    ClosedByButton = false;
    backup_ = Colours();
    followBackup_ = owner_.followWindows && *owner_.followWindows;
    cbWindowsTema.SetChecked(followBackup_);
    ShowSwatches();
    LoadSchemes();
}

void Tfrm_szinek::LoadSchemes() {
    SchemeLines.clear();
    cbSzinsema.Clear();
    // Without the file the list stays empty and the rest of the window works.
    Application::Get().Guard([this] { SchemeLines = ParseIndexText(ReadWholeFile(SchemesPath(owner_.programDir))); });
    for (const auto& line : SchemeLines) cbSzinsema.Add(SchemeName(line));
    cbSzinsema.SetSelectedIndex(-1);
}

void Tfrm_szinek::ShowSwatches() {
    for (int n = 1; n <= kSlots; ++n)
        Panels[static_cast<size_t>(n - 1)]->SetColor(ResolveColour(Colours()[static_cast<size_t>(n)]));
    for (auto& button : SpeedButtons) button->Invalidate();
}

void Tfrm_szinek::SpeedButtonClick(int slot) {
    if (!ChooseColour(cd)) return;
    Colours()[static_cast<size_t>(slot)] = static_cast<int32_t>(cd.rgbResult);
    Apply();
    Panels[static_cast<size_t>(slot - 1)]->SetColor(cd.rgbResult);
    SpeedButtons[static_cast<size_t>(slot - 1)]->Invalidate();
}

void Tfrm_szinek::cbSzinsemaChange() {
    const int k = cbSzinsema.SelectedIndex();
    if (k < 0 || static_cast<size_t>(k) >= SchemeLines.size()) return;
    // Every field is read before anything changes: a damaged line changes nothing.
    const SchemeSlots slots = ParseSchemeLine(SchemeLines[static_cast<size_t>(k)]);
    Colours() = slots;
    ShowSwatches();
    Apply();
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
    if (owner_.save) owner_.save();
    Hide();
}

void Tfrm_szinek::cbWindowsTemaClick() {
    if (!owner_.followWindows) return;
    *owner_.followWindows = cbWindowsTema.Checked();
    Apply();
}

void Tfrm_szinek::RestoreBackup() {
    Colours() = backup_;
    if (owner_.followWindows) *owner_.followWindows = followBackup_;
}

void Tfrm_szinek::BitBtn2Click() {
    RestoreBackup();
    Apply();
    ClosedByButton = true;
    Hide();
}

void Tfrm_szinek::BitBtn3Click() {
    Colours() = kDesignedScheme;
    Apply();
    ShowSwatches();
}

void Tfrm_szinek::FormHide() {
    if (ClosedByButton) return;
    RestoreBackup();
    Apply();
}

bool Tfrm_szinek::FormKeyPress(wchar_t key) {
    // Escape in the open scheme list only closes the list.
    if (key != L'\x1B' || cbSzinsema.DroppedDown()) return false;
    BitBtn2Click();
    return true;
}
