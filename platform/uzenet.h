// The message window: one notice, an OK button and a beep.
#pragma once

#include <string>

#include "ui/form.h"

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
    HWND Memo1() const { return memo_; }
    HWND BitBtn1() const { return ok_; }

protected:
    void FormCreate() override;
    void FormShow() override;
    virtual void CreateButtons();
    Layout layout_;
    HWND memo_ = nullptr;
    HWND ok_ = nullptr;
    Font memoFont_;
};

// Shows `text` in a new message window and returns when it is closed.
void ShowMessageWindow(const std::wstring& text);
