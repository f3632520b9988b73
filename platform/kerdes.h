// The question window: a yes-or-no question with OK and "Mégsem", and a beep.
#pragma once

#include <string>

#include "platform/uzenet.h"

class Tfrm_kerdez : public Tfrm_uzenet {
public:
    Tfrm_kerdez();
    HWND BitBtn2() const { return cancel_; }

protected:
    void CreateButtons() override;

private:
    HWND cancel_ = nullptr;
};

// True exactly when the question was answered with OK.
bool ShowQuestionWindow(const std::wstring& text);
