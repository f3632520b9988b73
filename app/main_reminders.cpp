// The reminders as the main window serves them: the clock's check, the one window of
// what came due, the balloon over the notification-area icon, and muting it.
#include "app/EmlekeztetoLista.h"
#include "app/Emlekeztetok.h"
#include "app/Ismerosok.h"
#include "app/main.h"
#include "app/reminder_text.h"
#include "editors/Emlekezteto.h"
#include "ui/application.h"

Tfrm_Emlekeztetok& Tfrm_Main::RemindersWindow() {
    if (!Emlekeztetok) {
        Emlekeztetok = std::make_unique<Tfrm_Emlekeztetok>(diary_);
        Emlekeztetok->ApplyScheme(Szin);
        // The same road as a click on the day's cell, with the window back first when
        // the program was hidden in the notification area.
        Emlekeztetok->OpenDay = [this](const Date& day) {
            if (trIcon.Active()) trIconDblClick();
            OpenDayFromSearch(day);
        };
        Emlekeztetok->Create(Handle());
        remindersFollowScheme_ = FollowScheme(schemeChanges_, *Emlekeztetok);
    }
    return *Emlekeztetok;
}

void Tfrm_Main::CheckReminders() {
    trIcon.ExpireBalloon(GetTickCount64());
    const std::vector<Occurrence> due = diary_.DueReminders(InstantNow());
    if (due.empty()) return;
    RemindersWindow().AddDue(due);
    if (RemindersMuted) return;
    std::vector<std::wstring> lines;
    for (const Occurrence& o : due) lines.push_back(DueLineText(o, diary_.ReminderTitle(o)));
    const BalloonTexts balloon = ReminderBalloon(lines);
    trIcon.ShowBalloon(balloon.title, balloon.text);
}

void Tfrm_Main::mniNemitasClick() {
    RemindersMuted = !RemindersMuted;
    CheckMenuItem(pmTray.Handle(), static_cast<UINT>(pmTray.IdOf(L"mniNemitas")),
                  MF_BYCOMMAND | (RemindersMuted ? MF_CHECKED : MF_UNCHECKED));
    WriteRegString(HKEY_CURRENT_USER, kRegistryKey, kMutedValue, RemindersMuted ? L"1" : L"0");
}

void Tfrm_Main::mniEmlekeztetokClick() {
    Tfrm_EmlekeztetoLista window(diary_, ResolveColour(Szin[1]), ResolveColour(Szin[6]));
    window.Create(Handle());
    window.ShowModal();
}

void Tfrm_Main::mniIsmerosokClick() {
    Tfrm_Ismerosok window(diary_, ResolveColour(Szin[1]), ResolveColour(Szin[6]));
    window.Create(Handle());
    window.ShowModal();
}

void Tfrm_Main::mniEmlekeztetoClick() {
    if (HoverDay < 1 || HoverDay > DaysInMonth(ShownYear, ShownMonth)) return;
    const Date day{ShownYear, ShownMonth, HoverDay};
    Tfrm_Emlekezteto window(diary_, day, FormatDottedDate(day), ResolveColour(Szin[1]), ResolveColour(Szin[6]));
    window.Create(Handle());
    window.ShowModal();
}
