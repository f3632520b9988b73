#include "platform/kerdes.h"

#include "ui/controls.h"

Tfrm_kerdez::Tfrm_kerdez(QuestionDefault defaultAnswer)
    : Tfrm_uzenet(Layout{L"Kérdés", 279, 140, L"?", L"Comic Sans MS", 59, 209, 273}), default_(defaultAnswer) {}

void Tfrm_kerdez::CreateButtons() {
    const bool yes = default_ == QuestionDefault::Yes;
    ok_ = CreateControl(L"BUTTON", (yes ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, 0, 108, 104, 75, 25,
                        Handle(), IDOK, FormFont(), L"OK");
    cancel_ = CreateControl(L"BUTTON", (yes ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON) | WS_TABSTOP, 0, 188, 104, 75, 25,
                            Handle(), IDCANCEL, FormFont(), L"Mégsem");
    OnCommand(IDOK, [this] { Close(mrOk); });
    OnCommand(IDCANCEL, [this] { Close(mrCancel); });
}

void Tfrm_kerdez::FormShow() {
    Tfrm_uzenet::FormShow();
    if (default_ == QuestionDefault::No) SetFocus(cancel_);
}

bool ShowQuestionWindow(const std::wstring& text, QuestionDefault defaultAnswer) {
    Tfrm_kerdez window(defaultAnswer);
    window.SetText(text);
    return window.ShowModal() == mrOk;
}
