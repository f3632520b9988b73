// The message window: one notice, an OK button and a beep.
#pragma once

#include <string>

#include "ui/form.h"
#include "ui/standard_controls.h"

class Tfrm_uzenet : public Form {
public:
    // `caption`, `symbol` and the sizes differ between the message and the question window.
    struct Layout {
        const wchar_t* caption;
        int clientWidth, clientHeight;
        const wchar_t* symbol;
        const wchar_t* symbolFont;
        int symbolPixels;
        int memoWidth;
        int bevelWidth;
    };
    explicit Tfrm_uzenet(const Layout& layout = MessageLayout());
    static Layout MessageLayout();

    void SetText(const std::wstring& text);
    const Edit& Memo1() const { return memo_; }
    const Button& BitBtn1() const { return ok_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    virtual void CreateButtons();
    Layout kind_;
    Edit memo_;
    Button ok_;
    Font memoFont_;
};

// Shows `text` in a new message window and returns when it is closed.
void ShowMessageWindow(const std::wstring& text);
