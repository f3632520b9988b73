// The iCalendar export's small window: which entries go to the file (the shown
// month, the shown year or the whole diary), in the house style (outer panel,
// title strip with its close button, Escape closes). Made at each use.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <span>
#include <string>

#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

enum class ExportScope { Month, Year, All };

class Tfrm_Exportalas : public Form {
public:
    // `monthText` and `yearText` name the shown month and year on the choices;
    // `outer` and `inner` are the scheme's panel colours (slots 1 and 6).
    Tfrm_Exportalas(std::wstring monthText, std::wstring yearText, COLORREF outer, COLORREF inner);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    Button rbHonap;
    Button rbEv;
    Button rbMind;
    Button btnExport;
    Button btnMegsem;

    // The window's controls below its title strip, in tab order.
    static std::span<const ControlRow<Tfrm_Exportalas>> Controls();

    ExportScope Scope() const;
    void SetScope(ExportScope scope);
    void btnExportClick();
    void sbBezarClick();

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormKeyPress(wchar_t key) override;

private:
    std::wstring monthText_, yearText_;
    COLORREF outer_, inner_;
    ExportScope initial_ = ExportScope::Month;
};

// The save dialog of the .ics files; tests replace it.
struct ExportDialogs {
    std::function<bool(OPENFILENAMEW&)> Save;
};
ExportDialogs& CurrentExportDialogs();

// Asks for a .ics file name, `suggested` first; "" when the user cancels.
std::wstring AskIcsFileName(HWND owner, const std::wstring& title, const std::wstring& suggested);
