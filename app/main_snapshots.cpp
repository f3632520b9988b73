// The "Biztonsági mentések" window, made at its first use; it restores through the
// diary, and the month follows from the change notice.
#include "app/Mentesek.h"
#include "app/main.h"

void Tfrm_Main::mniMentesekClick() {
    if (!Mentesek) {
        Mentesek = std::make_unique<Tfrm_Mentesek>(diary_);
        Mentesek->Create(Handle());
    }
    Mentesek->SetSchemeColours(ResolveColour(Szin[1]), ResolveColour(Szin[6]));
    Mentesek->ShowModal();
}
