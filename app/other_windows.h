// The program's long-lived windows besides the main window. wWinMain makes them once
// and hands them to the main window, which opens them; a test gives only those it
// needs, and the main window passes over a missing one.
#pragma once

#include "ui/scheme_colours.h"

class Tfrm_About;
class Tfrm_Reszlet;
class TqrLista;
class Tfrm_Jegyzettomb;
class Tfrm_NevnapKeres;
class Tfrm_szinek;
class Tfrm_Lista;

struct OtherWindows {
    Tfrm_About* about = nullptr;
    Tfrm_Reszlet* reszlet = nullptr;
    TqrLista* printedList = nullptr;
    Tfrm_Jegyzettomb* jegyzettomb = nullptr;
    Tfrm_NevnapKeres* nevnapKeres = nullptr;
    Tfrm_szinek* szinek = nullptr;
    Tfrm_Lista* lista = nullptr;
};

// A window's following of the scheme: its ApplyScheme at every change.
template <class Window>
[[nodiscard]] SchemeNotice::Following FollowScheme(SchemeNotice& schemes, Window& window) {
    return schemes.Follow([&window](const SchemeColours& colours) { window.ApplyScheme(colours); });
}
