// Save points besides closing, and coming back to the front.
#include "app/main.h"
#include "platform/uzenet.h"

void Tfrm_Main::tbListaMentClick() {
    SaveIndex();
    ShowMessageWindow(L"Az adatbázis mentése megtörtént.");
}

void Tfrm_Main::tbTrayClick() {}

bool Tfrm_Main::FormKeyPress(wchar_t) { return false; }

void Tfrm_Main::FirstTick() { FirstTickDone = true; }

void Tfrm_Main::ClosingTray() {}

bool Tfrm_Main::HandleTrayMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void Tfrm_Main::BringBack() {
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    if (!IsWindowVisible(Handle())) Show();
    SetForegroundWindow(Handle());
}
