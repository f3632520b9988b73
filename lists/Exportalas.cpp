#include "lists/Exportalas.h"

#include <vector>

#include "resources/resource_ids.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 330, kHeight = 170;

}  // namespace

Tfrm_Exportalas::Tfrm_Exportalas(std::wstring monthText, std::wstring yearText, COLORREF outer, COLORREF inner)
    : Form(SecondaryWindowOptions(L"TivornExportalasWindow", kWidth, kHeight)),
      monthText_(std::move(monthText)),
      yearText_(std::move(yearText)),
      outer_(outer),
      inner_(inner) {}

void Tfrm_Exportalas::FormCreate() {
    CreateOuterPanel(p, *this);
    p.SetColor(outer_);
    CreateTitlePanel(pCim, p, kWidth - 44, L"  Exportálás iCalendar fájlba");
    pCim.SetColor(inner_);
    BuildControls(*this, Controls());
    Panel1.SetColor(inner_);
    // The choices name the shown month and year.
    rbHonap.SetText(rbHonap.Text() + L" (" + monthText_ + L")");
    rbEv.SetText(rbEv.Text() + L" (" + yearText_ + L")");
    OnCommand(IDCANCEL, [this] { sbBezarClick(); });
    SetScope(initial_);
}

std::span<const ControlRow<Tfrm_Exportalas>> Tfrm_Exportalas::Controls() {
    using T = Tfrm_Exportalas;
    constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 44, &T::sbBezarClick),
        WorkingPanelRow<T>(kWidth - 8, kHeight - 36),
        {.name = L"Label1", .field = {}, .parent = &T::Panel1, .x = 12, .y = 10, .text = L"Mit vigyek a fájlba?"},
        {.name = L"rbHonap", .field = &T::rbHonap, .parent = &T::Panel1, .x = 20, .y = 30, .w = 290, .h = 18,
         .text = L"A látott hónap bejegyzéseit", .style = kRadio | WS_GROUP | WS_TABSTOP},
        {.name = L"rbEv", .field = &T::rbEv, .parent = &T::Panel1, .x = 20, .y = 50, .w = 290, .h = 18,
         .text = L"A látott év bejegyzéseit", .style = kRadio},
        {.name = L"rbMind", .field = &T::rbMind, .parent = &T::Panel1, .x = 20, .y = 70, .w = 290, .h = 18,
         .text = L"A teljes naplót", .style = kRadio},
        {.name = L"btnExport", .field = &T::btnExport, .parent = &T::Panel1, .x = 140, .y = 98, .w = 90, .h = 25,
         .text = L"Exportálás…", .handler = &T::btnExportClick, .style = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
         .id = IDOK},
        {.name = L"btnMegsem", .field = &T::btnMegsem, .parent = &T::Panel1, .x = 234, .y = 98, .w = 80, .h = 25,
         .text = L"Mégsem", .style = BS_PUSHBUTTON | WS_TABSTOP, .id = IDCANCEL},
    };
    return rows;
}

void Tfrm_Exportalas::FormShow() {
    const Button& chosen = Scope() == ExportScope::Year ? rbEv : Scope() == ExportScope::All ? rbMind : rbHonap;
    chosen.Focus();
}

ExportScope Tfrm_Exportalas::Scope() const {
    if (rbEv && rbEv.Checked()) return ExportScope::Year;
    if (rbMind && rbMind.Checked()) return ExportScope::All;
    return rbHonap ? ExportScope::Month : initial_;
}

void Tfrm_Exportalas::SetScope(ExportScope scope) {
    initial_ = scope;
    if (!rbHonap) return;
    rbHonap.SetChecked(scope == ExportScope::Month);
    rbEv.SetChecked(scope == ExportScope::Year);
    rbMind.SetChecked(scope == ExportScope::All);
}

void Tfrm_Exportalas::sbBezarClick() { Close(mrCancel); }

void Tfrm_Exportalas::btnExportClick() { Close(mrOk); }

bool Tfrm_Exportalas::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}

ExportDialogs& CurrentExportDialogs() {
    static ExportDialogs dialogs{[](OPENFILENAMEW& ofn) { return GetSaveFileNameW(&ofn) != FALSE; }};
    return dialogs;
}

std::wstring AskIcsFileName(HWND owner, const std::wstring& title, const std::wstring& suggested) {
    std::vector<wchar_t> name(32768, L'\0');
    lstrcpynW(name.data(), suggested.c_str(), static_cast<int>(name.size()));
    static const wchar_t kFilter[] = L"iCalendar fájlok (*.ics)\0*.ics\0Minden fájl (*.*)\0*.*\0\0";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = L"ics";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING |
                OFN_EXPLORER;
    if (!CurrentExportDialogs().Save(ofn)) return {};
    return name.data();
}
