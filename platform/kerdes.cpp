#include "platform/kerdes.h"

#include "ui/controls.h"

Tfrm_kerdez::Tfrm_kerdez() : Tfrm_uzenet(Layout{L"Kérdés", 279, 140, L"?", L"Comic Sans MS", 59, 209, 273}) {}

void Tfrm_kerdez::CreateButtons() {
    ok_ = CreateControl(L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 108, 104, 75, 25, Handle(), IDOK, FormFont(),
                        L"OK");
    cancel_ = CreateControl(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 188, 104, 75, 25, Handle(), IDCANCEL,
                            FormFont(), L"Mégsem");
    OnCommand(IDOK, [this] { Close(mrOk); });
    OnCommand(IDCANCEL, [this] { Close(mrCancel); });
}

bool ShowQuestionWindow(const std::wstring& text) {
    Tfrm_kerdez window;
    window.SetText(text);
    return window.ShowModal() == mrOk;
}
