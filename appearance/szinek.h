// The colour window: the ten colour slots of the program as swatches to click, the
// schemes of "Színek.txt" to choose from, the defaults, OK and Cancel. It stays open
// beside the main window; every change shows at once in all windows.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <span>

#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/scheme_colours.h"
#include "ui/speed_button.h"
#include "ui/standard_controls.h"

class Tfrm_szinek : public Form {
public:
    Tfrm_szinek();
    ~Tfrm_szinek() override;

    static std::wstring SchemesPath(const std::wstring& programDir);

    // What the window changes: the program's scheme, in place; `apply` shows it in
    // every window at once, `save` keeps it for the next start. "Színek.txt" is in
    // the program folder.
    struct Owner {
        SchemeColours* scheme = nullptr;
        std::wstring programDir;
        bool* followWindows = nullptr;  // the night scheme while Windows' apps are dark
        std::function<void()> apply;
        std::function<void()> save;
    };
    void SetOwner(Owner owner) { owner_ = std::move(owner); }
    static constexpr int kSlots = 10;

    // Slot n (1..10): its frame, its swatch and the flat button over the swatch.
    BevelPanel Bevel1{L"Bevel1"}, Bevel2{L"Bevel2"}, Bevel3{L"Bevel3"}, Bevel4{L"Bevel4"}, Bevel5{L"Bevel5"};
    BevelPanel Bevel6{L"Bevel6"}, Bevel7{L"Bevel7"}, Bevel8{L"Bevel8"}, Bevel9{L"Bevel9"}, Bevel10{L"Bevel10"};
    BevelPanel Panel1{L"Panel1"}, Panel2{L"Panel2"}, Panel3{L"Panel3"}, Panel4{L"Panel4"}, Panel5{L"Panel5"};
    BevelPanel Panel6{L"Panel6"}, Panel7{L"Panel7"}, Panel8{L"Panel8"}, Panel9{L"Panel9"}, Panel10{L"Panel10"};
    SpeedButton SpeedButton1{L"SpeedButton1"}, SpeedButton2{L"SpeedButton2"}, SpeedButton3{L"SpeedButton3"};
    SpeedButton SpeedButton4{L"SpeedButton4"}, SpeedButton5{L"SpeedButton5"}, SpeedButton6{L"SpeedButton6"};
    SpeedButton SpeedButton7{L"SpeedButton7"}, SpeedButton8{L"SpeedButton8"}, SpeedButton9{L"SpeedButton9"};
    SpeedButton SpeedButton10{L"SpeedButton10"};
    // The same, slot n at index n - 1.
    const std::array<BevelPanel*, kSlots> Bevels{&Bevel1, &Bevel2, &Bevel3, &Bevel4, &Bevel5,
                                            &Bevel6, &Bevel7, &Bevel8, &Bevel9, &Bevel10};
    const std::array<BevelPanel*, kSlots> Panels{&Panel1, &Panel2, &Panel3, &Panel4, &Panel5,
                                            &Panel6, &Panel7, &Panel8, &Panel9, &Panel10};
    const std::array<SpeedButton*, kSlots> SpeedButtons{&SpeedButton1, &SpeedButton2, &SpeedButton3, &SpeedButton4,
                                                        &SpeedButton5, &SpeedButton6, &SpeedButton7, &SpeedButton8,
                                                        &SpeedButton9, &SpeedButton10};
    Button BitBtn1;  // OK
    Button BitBtn2;  // Mégsem
    Button BitBtn3;  // Alapérték
    Button cbWindowsTema;  // follows Windows' light/dark setting
    ComboBox cbSzinsema;
    CHOOSECOLORW cd{};

    // True when OK or Mégsem closed the window; any other way of hiding it undoes the changes.
    bool ClosedByButton = false;
    // The scheme file's lines, in list order.
    std::vector<std::wstring> SchemeLines;

    // The colour dialog; tests answer it instead of a user.
    std::function<bool(CHOOSECOLORW&)> ChooseColour;

    // The window's controls in tab order.
    static std::span<const ControlRow<Tfrm_szinek>> Controls();

    void SpeedButtonClick(int slot);
    void SpeedButton1Click() { SpeedButtonClick(1); }
    void SpeedButton2Click() { SpeedButtonClick(2); }
    void SpeedButton3Click() { SpeedButtonClick(3); }
    void SpeedButton4Click() { SpeedButtonClick(4); }
    void SpeedButton5Click() { SpeedButtonClick(5); }
    void SpeedButton6Click() { SpeedButtonClick(6); }
    void SpeedButton7Click() { SpeedButtonClick(7); }
    void SpeedButton8Click() { SpeedButtonClick(8); }
    void SpeedButton9Click() { SpeedButtonClick(9); }
    void SpeedButton10Click() { SpeedButtonClick(10); }
    void cbSzinsemaChange();
    void cbSzinsemaDrawItem(DRAWITEMSTRUCT& item);
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void cbWindowsTemaClick();

    COLORREF SwatchColour(int slot) const { return Panels[static_cast<size_t>(slot - 1)]->Color(); }

protected:
    void CreateInsides() override;
    void FormShow() override;
    void FormHide() override;
    bool FormKeyPress(wchar_t key) override;

private:
    void ShowSwatches();
    void RestoreBackup();
    void LoadSchemes();
    SchemeColours& Colours() { return *owner_.scheme; }
    void Apply() {
        if (owner_.apply) owner_.apply();
    }

    Owner owner_;
    SchemeColours backup_{};  // the scheme when the window was shown: Mégsem brings it back
    bool followBackup_ = false;
    Font itemFont_;
    IconHandle defaultsIcon_;
    std::array<COLORREF, 16> customColours_{};
};

