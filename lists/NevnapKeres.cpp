#include "lists/NevnapKeres.h"

#include <commctrl.h>
#include <commdlg.h>

#include "app/main.h"
#include "platform/file_io.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/secondary_frame.h"

Tfrm_NevnapKeres* frm_NevnapKeres = nullptr;

namespace {


}  // namespace

Tfrm_NevnapKeres::Tfrm_NevnapKeres() : Form(SecondaryWindowOptions(L"TivornNevnapKeresWindow", 389, 413)) {}

Tfrm_NevnapKeres::~Tfrm_NevnapKeres() {
    if (Megjegyzes.Handle()) RemoveWindowSubclass(Megjegyzes.Handle(), DocumentProc, 1);
    if (frm_NevnapKeres == this) frm_NevnapKeres = nullptr;
}

std::wstring Tfrm_NevnapKeres::DocumentPath(const std::wstring& programDir) {
    return programDir + L"\\Data\\Névnapok.rtf";
}

void Tfrm_NevnapKeres::FormCreate() {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, 345, L"  Névnapok");
    sbBezar.Create(pCim.Handle(), 316, 2, 23, 22, IDI_SB_CLOSE, L"Bezárás");
    sbBezar.OnClick = [this] { sbBezarClick(); };

    CreateFramePanel(Panel1, p.Handle(), 4, 32, 381, 377, 0xC0C0C0);

    // Along the top of Panel1 inside its two bevels.
    CreateFramePanel(Panel2, Panel1.Handle(), 2, 2, 381 - 4, 41, 0xC0C0C0);
    Panel2.Drawn().AddLabel(L"Label1", 4, 12, L"Keresendő névnap");
    edtKeres = CreateControl(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 100, 8, 205, 21,
                             Panel2.Handle(), NewControlId(), FormFont());
    sbKeres.Create(Panel2.Handle(), 308, 8, 30, 22, IDI_SB_FIND, L"Első keresése", true);
    sbKeres.OnClick = [this] { sbKeresClick(); };
    sbTovabbKeres.Create(Panel2.Handle(), 340, 8, 30, 22, IDI_SB_FINDNEXT, L"Következő keresése", true);
    sbTovabbKeres.OnClick = [this] { sbTovabbKeresClick(); };
}

void Tfrm_NevnapKeres::CreateInsides() {
    documentFont_ = MakeFont(FontSpec{L"Verdana", 9});
    Megjegyzes.Create(Panel1.Handle(), 8, 48, 365, 321, NewControlId(), ES_READONLY | ES_NOHIDESEL | WS_VSCROLL,
                      documentFont_.Get());
    SetMegjegyzesColor(documentColour_);
    SetWindowSubclass(Megjegyzes.Handle(), DocumentProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

// The document is only read: the arrow, not the text cursor, over it.
LRESULT CALLBACK Tfrm_NevnapKeres::DocumentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_SETCURSOR && LOWORD(lp) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return TRUE;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void Tfrm_NevnapKeres::SetMegjegyzesColor(COLORREF colour) {
    documentColour_ = colour;  // for a box made later
    if (Megjegyzes.Handle()) SendMessageW(Megjegyzes.Handle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(colour));
}

void Tfrm_NevnapKeres::FormShow() {
    // A document that cannot be read is reported; the window opens with what it held.
    Application::Get().Guard([this] {
        const std::wstring path = DocumentPath(frm_Main ? frm_Main->ProgramDir : std::wstring());
        Megjegyzes.LoadRtf(ReadWholeFile(path));
    });
    Megjegyzes.Select(0, 0);
    SendMessageW(Megjegyzes.Handle(), WM_VSCROLL, SB_TOP, 0);
    SendMessageW(Megjegyzes.Handle(), EM_SCROLLCARET, 0, 0);
    SetWindowTextW(edtKeres, L"");
    SetFocus(edtKeres);
}

bool Tfrm_NevnapKeres::FormKeyPress(wchar_t key) {
    if (key != L'\x1B') return false;
    sbBezarClick();
    return true;
}

void Tfrm_NevnapKeres::sbBezarClick() { Close(mrCancel); }

std::wstring Tfrm_NevnapKeres::SearchText() const { return WindowText(edtKeres); }

int32_t Tfrm_NevnapKeres::DocumentLength() const {
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    LRESULT n = SendMessageW(Megjegyzes.Handle(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    return n > 0 ? static_cast<int32_t>(n) : 0;
}

int32_t Tfrm_NevnapKeres::FindInDocument(const std::wstring& what, TextRange where) const {
    FINDTEXTEXW find{};
    find.chrg = CHARRANGE{where.start, where.end};
    find.lpstrText = what.c_str();
    LRESULT k = SendMessageW(Megjegyzes.Handle(), EM_FINDTEXTEXW, FR_DOWN | FR_MATCHCASE,
                             reinterpret_cast<LPARAM>(&find));
    return static_cast<int32_t>(k);
}

void Tfrm_NevnapKeres::ShowMatch(const std::optional<TextRange>& match) {
    if (!match) return;
    SetFocus(Megjegyzes.Handle());
    Megjegyzes.Select(match->start, match->end);
    SendMessageW(Megjegyzes.Handle(), EM_SCROLLCARET, 0, 0);
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
