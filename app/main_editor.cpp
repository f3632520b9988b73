// Hands a day to the entry editor and stores what it gives back; the month follows
// from the diary's change notice.
#include "app/main.h"
#include "editors/Reszlet.h"

void Tfrm_Main::EditDay(const Date& day) {
    if (!Others.reszlet) return;
    Others.reszlet->EditDay(diary_, day, [this](const Date& stored, const EditedDay& edited) {
        diary_.Store(stored, edited.entry, edited.noteRtf);
    });
}

void Tfrm_Main::OpenDayFromSearch(const Date& day) {
    ShowMonth(day);
    n1Click(*Cells[static_cast<size_t>(FirstCell + day.day - 2)]);
}
