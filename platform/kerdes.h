// The question window: a yes-or-no question with OK and "Mégsem", and a beep.
#pragma once

#include <string>

#include "platform/uzenet.h"

// Which button Enter presses: OK, or "Mégsem" for a question whose safe answer is no.
enum class QuestionDefault { Yes, No };

class Tfrm_kerdez : public Tfrm_uzenet {
public:
    explicit Tfrm_kerdez(QuestionDefault defaultAnswer = QuestionDefault::Yes);
    const Button& BitBtn2() const { return cancel_; }

protected:
    void CreateButtons() override;
    void FormShow() override;

private:
    QuestionDefault default_;
    Button cancel_;
};

// True exactly when the question was answered with OK.
bool ShowQuestionWindow(const std::wstring& text, QuestionDefault defaultAnswer = QuestionDefault::Yes);
