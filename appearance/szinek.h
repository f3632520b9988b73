// The colour window: the ten colour slots of the program as swatches to click, the
// schemes of "Színek.txt" to choose from, the defaults, OK and Cancel. It stays open
// beside the main window; every change shows at once in all windows.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/panel.h"
#include "ui/speed_button.h"

class Tfrm_szinek : public Form {
public:
    Tfrm_szinek();
    ~Tfrm_szinek() override;

    static std::wstring SchemesPath(const std::wstring& programDir);
    static constexpr int kSlots = 10;

    // Slot n (1..10) at index n - 1.
    std::array<std::unique_ptr<Panel>, kSlots> Bevels;   // Bevel1..Bevel10
    std::array<std::unique_ptr<Panel>, kSlots> Panels;   // Panel1..Panel10, the swatches
    std::array<std::unique_ptr<SpeedButton>, kSlots> SpeedButtons;
    HWND BitBtn1 = nullptr;  // OK
    HWND BitBtn2 = nullptr;  // Mégsem
    HWND BitBtn3 = nullptr;  // Alapérték
    HWND cbSzinsema = nullptr;
    CHOOSECOLORW cd{};

    // True when OK or Mégsem closed the window; any other way of hiding it undoes the changes.
    bool ClosedByButton = false;
    // The scheme file's lines, in list order.
    std::vector<std::wstring> SchemeLines;

    // The colour dialog; tests answer it instead of a user.
    std::function<bool(CHOOSECOLORW&)> ChooseColour;

    void SpeedButtonClick(int slot);
    void cbSzinsemaChange();
    void cbSzinsemaDrawItem(DRAWITEMSTRUCT& item);
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

    COLORREF SwatchColour(int slot) const { return Panels[static_cast<size_t>(slot - 1)]->Color(); }

protected:
    void FormCreate() override;
    void FormShow() override;
    void FormHide() override;
    bool FormKeyPress(wchar_t key) override;

private:
    void ShowSwatches();
    void LoadSchemes();

    Font itemFont_;
    IconHandle defaultsIcon_;
    std::array<COLORREF, 16> customColours_{};
};

extern Tfrm_szinek* frm_szinek;
