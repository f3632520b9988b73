#include "app/Munkaszunet.h"

#include "resources/resource_ids.h"
#include "ui/secondary_frame.h"
#include "ui/secondary_rows.h"

namespace {

constexpr int kWidth = 470, kHeight = 214;

}  // namespace

std::wstring MovedDaysFileText(const std::wstring& yearsText, const std::wstring& error) {
    if (!error.empty()) return error + L" – csak a kiszámított ünnepek érvényesek.";
    if (yearsText.empty()) return L"A Data\\Munkarend.txt egy év áthelyezett napjait sem tartalmazza.";
    return L"Áthelyezett napok (Data\\Munkarend.txt): " + yearsText + L".";
}

Tfrm_Munkaszunet::Tfrm_Munkaszunet(bool on, std::wstring filesText, COLORREF outer, COLORREF inner)
    : Form(SecondaryWindowOptions(L"TivornMunkaszunetWindow", kWidth, kHeight)),
      on_(on),
      filesText_(std::move(filesText)),
      outer_(outer),
      inner_(inner) {}

std::span<const ControlRow<Tfrm_Munkaszunet>> Tfrm_Munkaszunet::Controls() {
    using T = Tfrm_Munkaszunet;
    static const ControlRow<T> rows[] = {
        CloseButtonRow<T>(kWidth - 44, &T::sbBezarClick),
        WorkingPanelRow<T>(kWidth - 8, kHeight - 36),
        {.name = L"cbMunkaszunet", .field = &T::cbMunkaszunet, .parent = &T::Panel1, .x = 12, .y = 10, .w = 300,
         .h = 18, .text = L"Magyar munkaszüneti napok", .style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP},
        {.name = L"lblLeiras1", .field = &T::lblLeiras1, .parent = &T::Panel1, .x = 12, .y = 34, .w = kWidth - 32,
         .h = 16, .text = L"Bekapcsolva kiemelt színű minden nap, amikor a munkavállalók nem dolgoznak:"},
        {.name = L"lblLeiras2", .field = &T::lblLeiras2, .parent = &T::Panel1, .x = 12, .y = 50, .w = kWidth - 32,
         .h = 16, .text = L"az ünnepek (nagypéntek, húsvét, pünkösd is) és a rendeletek pihenőnapjai;"},
        {.name = L"lblLeiras3", .field = &T::lblLeiras3, .parent = &T::Panel1, .x = 12, .y = 66, .w = kWidth - 32,
         .h = 16, .text = L"a helyettük ledolgozandó szombat kis jelet kap. Kikapcsolva csak a hétvégék"},
        {.name = L"lblLeiras4", .field = &T::lblLeiras4, .parent = &T::Panel1, .x = 12, .y = 82, .w = kWidth - 32,
         .h = 16, .text = L"és a hat rögzített ünnep kiemelt."},
        {.name = L"lblEvek", .field = &T::lblEvek, .parent = &T::Panel1, .x = 12, .y = 108, .w = kWidth - 32, .h = 16},
        {.name = L"btnRendben", .field = &T::btnRendben, .parent = &T::Panel1, .x = kWidth - 8 - 184, .y = 142,
         .w = 90, .h = 25, .text = L"Rendben", .handler = &T::btnRendbenClick,
         .style = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, .id = IDOK},
        {.name = L"btnMegsem", .field = &T::btnMegsem, .parent = &T::Panel1, .x = kWidth - 8 - 90, .y = 142, .w = 80,
         .h = 25, .text = L"Mégsem", .style = BS_PUSHBUTTON | WS_TABSTOP, .id = IDCANCEL},
    };
    return rows;
}

void Tfrm_Munkaszunet::FormCreate() {
    CreateOuterPanel(p, *this);
    p.SetColor(outer_);
    CreateTitlePanel(pCim, p, kWidth - 44, L"  Magyar munkaszüneti napok");
    pCim.SetColor(inner_);
    // The texts are plain lines on the panel's face.
    for (DrawnPanel* label : {&lblLeiras1, &lblLeiras2, &lblLeiras3, &lblLeiras4, &lblEvek}) {
        label->BevelOuter = Bevel::None;
        label->CaptionAlignment = Alignment::Left;
    }
    BuildControls(*this, Controls());
    Panel1.SetColor(inner_);
    for (DrawnPanel* label : {&lblLeiras1, &lblLeiras2, &lblLeiras3, &lblLeiras4, &lblEvek}) label->SetColor(inner_);
    lblEvek.SetCaption(filesText_);
    cbMunkaszunet.SetChecked(on_);
    OnCommand(IDCANCEL, [this] { sbBezarClick(); });
}

void Tfrm_Munkaszunet::FormShow() { cbMunkaszunet.Focus(); }

bool Tfrm_Munkaszunet::On() const { return cbMunkaszunet ? cbMunkaszunet.Checked() : on_; }

void Tfrm_Munkaszunet::sbBezarClick() { Close(mrCancel); }

void Tfrm_Munkaszunet::btnRendbenClick() { Close(mrOk); }

bool Tfrm_Munkaszunet::FormKeyPress(wchar_t key) {
    return EscapeCloses(key, [this] { sbBezarClick(); });
}
