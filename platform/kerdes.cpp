#include "platform/kerdes.h"

Tfrm_kerdez::Tfrm_kerdez(QuestionDefault defaultAnswer)
    : Tfrm_uzenet(Layout{L"Kérdés", 279, 140, L"?", L"Comic Sans MS", 59, 209, 273}), default_(defaultAnswer) {}

void Tfrm_kerdez::CreateButtons() {
    const bool yes = default_ == QuestionDefault::Yes;
    ok_.Create(Handle(), 108, 104, 75, 25, IDOK, FormFont(), (yes ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP,
               L"OK");
    cancel_.Create(Handle(), 188, 104, 75, 25, IDCANCEL, FormFont(), (yes ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON) | WS_TABSTOP,
                   L"Mégsem");
    OnCommand(IDOK, [this] { Close(mrOk); });
    OnCommand(IDCANCEL, [this] { Close(mrCancel); });
}

void Tfrm_kerdez::FormShow() {
    Tfrm_uzenet::FormShow();
    if (default_ == QuestionDefault::No) cancel_.Focus();
}

bool ShowQuestionWindow(const std::wstring& text, QuestionDefault defaultAnswer) {
    Tfrm_kerdez window(defaultAnswer);
    window.SetText(text);
    return window.ShowModal() == mrOk;
}
