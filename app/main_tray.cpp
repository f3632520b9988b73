// The notification-area mode: hiding the main window behind an icon, coming back,
// the icon's menu, the "/tray" start, and the save point before hiding.
#include "app/main.h"
#include "app/Emlekeztetok.h"
#include "platform/uzenet.h"
#include "ui/application.h"

void Tfrm_Main::CreateTrayParts() {
    trIcon.SetLastingIcon(Application::Get().Icon(16));  // the application keeps it for the run
    trIcon.SetToolTip(L"Tivorn program (dupla kattintás = megnyitás)");
    trIcon.OnDblClick = [this] { trIconDblClick(); };
    trIcon.OnRightClick = [this](int x, int y) { trIconRightClick(x, y); };

    using T = Tfrm_Main;
    static const MenuItemRow<T> menu[] = {
        {L"Tivornprogrammegnyits1", L"Tivorn program megnyitás", 11, nullptr, &T::trIconDblClick},
        {L"Jegyzettmb1", L"Jegyzettömb", 8, nullptr, &T::tbJegyzettombClick},
        {L"Nvnapkeress1", L"Névnap keresés", 9, nullptr, &T::tbNevnapKeresClick},
        {L"Feladatlistabngsz1", L"Feladat lista böngésző", 12, nullptr, &T::tbListaClick},
        {L"Feladatoknyomtats1", L"Feladatok nyomtatás", 0, nullptr, &T::tbListaNyomtatClick},
        {nullptr, L"N43"},
        {L"Programbezrsa1", L"Program bezárása", 6, nullptr, &T::FormCloseQuery},
        {nullptr, L"N44"},
        {L"mniNemitas", L"Emlékeztetők némítása", -1, nullptr, &T::mniNemitasClick},
    };
    pmTray.Create(*this, std::span<const MenuItemRow<T>>(menu), &ImageListMain);
    RemindersMuted = ReadRegString(HKEY_CURRENT_USER, kRegistryKey, kMutedValue) == L"1";
    CheckMenuItem(pmTray.Handle(), static_cast<UINT>(pmTray.IdOf(L"mniNemitas")),
                  MF_BYCOMMAND | (RemindersMuted ? MF_CHECKED : MF_UNCHECKED));
    trIcon.OnBalloonClick = [this] { RemindersWindow().Show(); };

    FirstTickDone = false;
    if (StartsInTray()) {
        trIcon.SetActive(true);
        ShowWindow(Handle(), SW_HIDE);
    }
}

bool Tfrm_Main::StartsInTray() const { return !Parameters.empty() && Parameters[0] == L"/tray"; }

void Tfrm_Main::tbListaMentClick() {
    SaveIndex();
    ShowMessageWindow(L"Az adatbázis mentése megtörtént.");
}

// Hiding is a save point: the program may stay hidden until the computer is switched
// off. When the save fails the error is shown and the window stays where it is.
void Tfrm_Main::tbTrayClick() {
    Application::Get().Guard([this] {
        SaveIndex();
        trIcon.SetActive(true);
        Hide();
    });
}

bool Tfrm_Main::FormKeyPress(wchar_t key) {
    if (key != 27) return false;
    tbTrayClick();
    return true;
}

void Tfrm_Main::trIconDblClick() {
    trIcon.SetActive(false);
    // Coming back before the "/tray" start's first clock tick must not be undone by it.
    FirstTickDone = true;
    Application::Get().Guard([this] {
        Show();  // the show sequence: index read back, settings, today's month
        if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    });
}

void Tfrm_Main::trIconRightClick(int x, int y) { pmTray.Popup(x, y); }

void Tfrm_Main::FirstTick() {
    if (!FirstTickDone && StartsInTray()) {
        // The message loop showed the window at start; it goes behind the icon now.
        trIcon.SetActive(true);
        Hide();
    }
    FirstTickDone = true;
}

void Tfrm_Main::ClosingTray() { trIcon.SetActive(false); }

void Tfrm_Main::BringBack() {
    if (trIcon.Active()) {
        trIconDblClick();
        return;
    }
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    if (!IsWindowVisible(Handle())) Application::Get().Guard([this] { Show(); });
    SetForegroundWindow(Handle());
}
