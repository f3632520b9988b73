#include "lists/NevnapKeres.h"

#include <commctrl.h>
#include <commdlg.h>

#include "platform/file_io.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/cursors.h"
#include "ui/secondary_frame.h"


Tfrm_NevnapKeres::Tfrm_NevnapKeres() : Form(SecondaryWindowOptions(L"TivornNevnapKeresWindow", 389, 413)) {}

Tfrm_NevnapKeres::~Tfrm_NevnapKeres() {
    if (Megjegyzes.Handle()) RemoveWindowSubclass(Megjegyzes.Handle(), DocumentProc, 1);
}

std::wstring Tfrm_NevnapKeres::DocumentPath(const std::wstring& programDir) {
    return programDir + L"\\Data\\Névnapok.rtf";
}

std::span<const ControlRow<Tfrm_NevnapKeres>> Tfrm_NevnapKeres::Controls() {
    using T = Tfrm_NevnapKeres;
    static const ControlRow<T> rows[] = {
        {.name = L"sbBezar", .field = &T::sbBezar, .parent = &T::pCim, .x = 316, .y = 2, .w = 23, .h = 22,
         .text = L"Bezárás", .handler = &T::sbBezarClick, .picture = IDI_SB_CLOSE},
        {.name = L"Panel1", .field = &T::Panel1, .parent = &T::p, .x = 4, .y = 32, .w = 381, .h = 377,
         .colour = 0xC0C0C0},
        // Along the top of Panel1 inside its two bevels.
        {.name = L"Panel2", .field = &T::Panel2, .parent = &T::Panel1, .x = 2, .y = 2, .w = 377, .h = 41,
         .colour = 0xC0C0C0},
        {.name = L"Label1", .field = {}, .parent = &T::Panel2, .x = 4, .y = 12, .text = L"Keresendő névnap"},
        {.name = L"edtKeres", .field = &T::edtKeres, .parent = &T::Panel2, .x = 100, .y = 8, .w = 205, .h = 21},
        {.name = L"sbKeres", .field = &T::sbKeres, .parent = &T::Panel2, .x = 308, .y = 8, .w = 30, .h = 22,
         .text = L"Első keresése", .handler = &T::sbKeresClick, .picture = IDI_SB_FIND, .tooltip = true},
        {.name = L"sbTovabbKeres", .field = &T::sbTovabbKeres, .parent = &T::Panel2, .x = 340, .y = 8, .w = 30,
         .h = 22, .text = L"Következő keresése", .handler = &T::sbTovabbKeresClick, .picture = IDI_SB_FINDNEXT,
         .tooltip = true},
    };
    return rows;
}

// Everything is made at the first showing: a start makes only the window itself.
void Tfrm_NevnapKeres::CreateInsides() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, 345, L"  Névnapok");
    BuildControls(*this, Controls());
    documentFont_ = MakeFont(FontSpec{L"Verdana", 9});
    Megjegyzes.Create(Panel1.Handle(), 8, 48, 365, 321, NewControlId(), ES_READONLY | ES_NOHIDESEL | WS_VSCROLL,
                      documentFont_.Get());
    Megjegyzes.SetBackgroundColour(documentColour_);
    SetWindowSubclass(Megjegyzes.Handle(), DocumentProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

// The document is only read: the arrow, not the text cursor, over it.
LRESULT CALLBACK Tfrm_NevnapKeres::DocumentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_SETCURSOR && LOWORD(lp) == HTCLIENT) {
        SetCursor(ArrowCursor());
        return TRUE;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void Tfrm_NevnapKeres::ApplyScheme(const SchemeColours& colours) {
    p.SetColor(ResolveColour(colours[1]));
    Panel1.SetColor(ResolveColour(colours[6]));
    Panel2.SetColor(ResolveColour(colours[6]));
    pCim.SetColor(ResolveColour(colours[6]));
    documentColour_ = ResolveColour(colours[6]);  // for a box made later
    if (Megjegyzes.Handle()) Megjegyzes.SetBackgroundColour(documentColour_);
}

void Tfrm_NevnapKeres::FormShow() {
    // A document that cannot be read is reported; the window opens with what it held.
    Application::Get().Guard([this] {
        const std::wstring path = DocumentPath(programDir_);
        Megjegyzes.LoadRtf(ReadWholeFile(path));
    });
    Megjegyzes.Select(0, 0);
    Megjegyzes.ScrollToTop();
    Megjegyzes.ScrollToCaret();
    edtKeres.SetText(L"");
    edtKeres.Focus();
}

bool Tfrm_NevnapKeres::FormKeyPress(wchar_t key) {
    if (key != L'\x1B') return false;
    sbBezarClick();
    return true;
}

void Tfrm_NevnapKeres::sbBezarClick() { Close(mrCancel); }

std::wstring Tfrm_NevnapKeres::SearchText() const { return edtKeres.Text(); }

int32_t Tfrm_NevnapKeres::DocumentLength() const {
    return Megjegyzes.TextLength();
}

int32_t Tfrm_NevnapKeres::FindInDocument(const std::wstring& what, TextRange where) const {
    return Megjegyzes.Find(what, CHARRANGE{where.start, where.end});
}

void Tfrm_NevnapKeres::ShowMatch(const std::optional<TextRange>& match) {
    if (!match) return;
    SetFocus(Megjegyzes.Handle());
    Megjegyzes.Select(match->start, match->end);
    Megjegyzes.ScrollToCaret();
}

void Tfrm_NevnapKeres::sbKeresClick() {
    ShowMatch(FindFirstMatch(SearchText(), DocumentLength(),
                             [this](const std::wstring& what, TextRange where) { return FindInDocument(what, where); }));
}

void Tfrm_NevnapKeres::sbTovabbKeresClick() {
    const CHARRANGE selection = Megjegyzes.Selection();
    ShowMatch(FindNextMatch(SearchText(), TextRange{selection.cpMin, selection.cpMax}, DocumentLength(),
                            [this](const std::wstring& what, TextRange where) { return FindInDocument(what, where); }));
}
