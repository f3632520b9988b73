// Hands the clicked day to the entry editor.
#include "app/main.h"

void Tfrm_Main::EditCurrentDay() {
    // Until the editor exists, the day stays as it was: drop an unused placeholder.
    EntryIndex.LeaveWithoutStoring(CurrentLine);
}
