// The "Magyar munkaszüneti napok" option's window (the "Továbbiak" menu): a check box
// that switches the month view, the printed month calendar and the iCalendar export
// from the fixed red-letter rule to the Hungarian working calendar, and which years'
// moved days the program knows. House style: outer panel, title strip with its close
// button, Escape closes. Made at each use.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "ui/control_table.h"
#include "ui/drawn_panel.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_Munkaszunet : public Form {
public:
    // `on`: the option now; `filesText`: what the file gives (the years, or its error);
    // `outer` and `inner`: the scheme's panel colours (slots 1 and 6).
    Tfrm_Munkaszunet(bool on, std::wstring filesText, COLORREF outer, COLORREF inner);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    Button cbMunkaszunet;
    DrawnPanel lblLeiras1{L"lblLeiras1"}, lblLeiras2{L"lblLeiras2"}, lblLeiras3{L"lblLeiras3"};
    DrawnPanel lblLeiras4{L"lblLeiras4"};
    DrawnPanel lblEvek{L"lblEvek"};
    Button btnRendben;
    Button btnMegsem;

    static std::span<const ControlRow<Tfrm_Munkaszunet>> Controls();

    bool On() const;  // the box as the user left it
    void btnRendbenClick();
    void sbBezarClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormKeyPress(wchar_t key) override;

private:
    bool on_;
    std::wstring filesText_;
    COLORREF outer_, inner_;
};

// "Áthelyezett napok: 2010–2026 (Data\Munkarend.txt)", or the file's error.
std::wstring MovedDaysFileText(const std::wstring& yearsText, const std::wstring& error);
