#include "platform/uzenet.h"


Tfrm_uzenet::Layout Tfrm_uzenet::MessageLayout() {
    return Layout{L"Üzenet", 309, 141, L"!", L"Courier New", 73, 241, 301};
}

namespace {

FormOptions OptionsOf(const Tfrm_uzenet::Layout& layout) {
    FormOptions o;
    o.className = L"TivornMessageWindow";
    o.border = BorderStyle::Dialog;
    o.clientWidth = layout.clientWidth;
    o.clientHeight = layout.clientHeight;
    o.caption = layout.caption;
    o.captionIsAppTitle = false;
    o.keyPreview = false;
    o.font = FontSpec{L"MS Sans Serif", 0, 11};
    return o;
}

}  // namespace

Tfrm_uzenet::Tfrm_uzenet(const Layout& layout) : Form(OptionsOf(layout)), kind_(layout) {}

void Tfrm_uzenet::FormCreate() {
    // The symbol with its grey shadow underneath.
    Drawn().AddLabel(L"Label2", 6, 6, kind_.symbol,
                     MakeFont(FontSpec{kind_.symbolFont, 0, kind_.symbolPixels, true}), 0x808080);
    Drawn().AddLabel(L"Label1", 4, 4, kind_.symbol,
                     MakeFont(FontSpec{kind_.symbolFont, 0, kind_.symbolPixels, true}), 0x0000FF);
    Drawn().AddBevelLine(4, 84, kind_.bevelWidth, 5);
    memoFont_ = MakeFont(FontSpec{L"MS Sans Serif", 0, 13});
    memo_.CreateMemo(Handle(), 60, 12, kind_.memoWidth, 69, NewControlId(), memoFont_.Get(), ES_READONLY | ES_CENTER);
    UseArrowCursor(memo_.Handle());
    CreateButtons();
}

void Tfrm_uzenet::CreateButtons() {
    ok_.Create(Handle(), 220, 104, 75, 25, IDOK, FormFont(), BS_DEFPUSHBUTTON | WS_TABSTOP, L"OK");
    OnCommand(IDOK, [this] { Close(mrOk); });
    OnCommand(IDCANCEL, [this] { Close(mrCancel); });
}

void Tfrm_uzenet::SetText(const std::wstring& text) {
    if (!Handle()) Create();
    memo_.SetText(text);
}

void Tfrm_uzenet::FormShow() {
    MessageBeep(MB_OK);
    ok_.Focus();
}

void ShowMessageWindow(const std::wstring& text) {
    Tfrm_uzenet window;
    window.SetText(text);
    window.ShowModal();
}
