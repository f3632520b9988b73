#include "lists/Exportalas.h"

#include <vector>

#include "resources/resource_ids.h"
#include "ui/controls.h"
#include "ui/secondary_frame.h"

namespace {

constexpr int kWidth = 330, kHeight = 170;

}  // namespace

Tfrm_Exportalas::Tfrm_Exportalas(std::wstring monthText, std::wstring yearText, COLORREF outer, COLORREF inner)
    : Form(SecondaryWindowOptions(L"TivornExport", kWidth, kHeight)),
      monthText_(std::move(monthText)),
      yearText_(std::move(yearText)),
      outer_(outer),
      inner_(inner) {}

void Tfrm_Exportalas::FormCreate() {
    CreateOuterPanel(p, *this);
    p.SetColor(outer_);
    CreateTitlePanel(pCim, p, kWidth - 44, L"  Exportálás iCalendar fájlba");
    pCim.SetColor(inner_);
    sbBezar.Create(pCim.Handle(), kWidth - 44 - 29, 2, 23, 22, IDI_SB_CLOSE, L"Bezárás (Esc)");
    sbBezar.OnClick = [this] { Close(mrCancel); };

    CreateFramePanel(Panel1, p.Handle(), 4, 32, kWidth - 8, kHeight - 36, inner_);
    Panel1.Drawn().AddLabel(L"Label1", 12, 10, L"Mit vigyek a fájlba?");
    const DWORD radio = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
    rbHonap = CreateControl(L"BUTTON", radio | WS_GROUP | WS_TABSTOP, 0, 20, 30, 290, 18, Panel1.Handle(),
                            NewControlId(), FormFont(), L"A látott hónap bejegyzéseit (" + monthText_ + L")");
    rbEv = CreateControl(L"BUTTON", radio, 0, 20, 50, 290, 18, Panel1.Handle(), NewControlId(), FormFont(),
                         L"A látott év bejegyzéseit (" + yearText_ + L")");
    rbMind = CreateControl(L"BUTTON", radio, 0, 20, 70, 290, 18, Panel1.Handle(), NewControlId(), FormFont(),
                           L"A teljes naplót");
    btnExport = CreateControl(L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 140, 98, 90, 25,
                              Panel1.Handle(), IDOK, FormFont(), L"Exportálás…");
    btnMegsem = CreateControl(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 234, 98, 80, 25, Panel1.Handle(), IDCANCEL,
                              FormFont(), L"Mégsem");
    OnCommand(IDOK, [this] { btnExportClick(); });
    OnCommand(IDCANCEL, [this] { Close(mrCancel); });
    SetScope(initial_);
}

void Tfrm_Exportalas::FormShow() {
    const HWND chosen = Scope() == ExportScope::Year ? rbEv : Scope() == ExportScope::All ? rbMind : rbHonap;
    SetFocus(chosen);
}

ExportScope Tfrm_Exportalas::Scope() const {
    if (rbEv && SendMessageW(rbEv, BM_GETCHECK, 0, 0) == BST_CHECKED) return ExportScope::Year;
    if (rbMind && SendMessageW(rbMind, BM_GETCHECK, 0, 0) == BST_CHECKED) return ExportScope::All;
    return rbHonap ? ExportScope::Month : initial_;
}

void Tfrm_Exportalas::SetScope(ExportScope scope) {
    initial_ = scope;
    if (!rbHonap) return;
    SendMessageW(rbHonap, BM_SETCHECK, scope == ExportScope::Month ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(rbEv, BM_SETCHECK, scope == ExportScope::Year ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(rbMind, BM_SETCHECK, scope == ExportScope::All ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Tfrm_Exportalas::btnExportClick() { Close(mrOk); }

bool Tfrm_Exportalas::FormKeyPress(wchar_t key) {
    if (key != L'\x1B') return false;
    Close(mrCancel);
    return true;
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
