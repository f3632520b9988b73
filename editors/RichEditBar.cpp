#include "editors/RichEditBar.h"

#include "resources/resource_ids.h"
#include "ui/secondary_frame.h"

namespace {

constexpr int kFileButtonWidth = 27, kFileButtonHeight = 25, kColourButtonWidth = 40;

using T = TRichNoteForm;

// The file tool bar; the entry editor's has the colour button after the clipboard buttons.
const ToolButtonRow<T> kFileButtons[] = {
    {L"tbUres", 0, L"Üres lap", &T::tbUresClick},
    {L"tbMegnyit", 1, L"File megnyitása", &T::tbMegnyitClick},
    {L"tbMent", 2, L"File mentése másként", &T::tbMentClick},
    {nullptr, 16, nullptr},  // ToolButton2
    {L"tbNyomtat", 3, L"Megjegyzés nyomtatása", &T::tbNyomtatClick},
    {nullptr, 15, nullptr},  // ToolButton5
    {L"tbKivag", 4, L"Kivág", &T::tbKivagClick},
    {L"tbMasol", 5, L"Másol", &T::tbMasolClick},
    {L"tbBeilleszt", 6, L"Beilleszt", &T::tbBeillesztClick},
    {nullptr, 16, nullptr},  // ToolButton1
};
const ToolButtonRow<T> kColourButtons[] = {
    // Its arrow opens the colour menu; its face does nothing.
    {L"tbSzinek", 7, nullptr, nullptr, BTNS_DROPDOWN, kColourButtonWidth},
    {nullptr, 16, nullptr},  // ToolButton10
};
const ToolButtonRow<T> kFontAndWordButtons[] = {
    {L"tbFont", 8, L"Betűtípus", &T::tbFontClick},
    {nullptr, 16, nullptr},  // ToolButton6
    {L"tbOpenWord", 9, L"File megnyitása Word szövegszerkesztővel", &T::tbOpenWordClick},
    {L"tbVisszatolt", 10, L"Word programból visszatöltés", &T::tbVisszatoltClick},
};

// After the font list and the size box.
const ToolButtonRow<T> kFormatButtons[] = {
    {L"tbFelkover", 0, L"Félkövér", &T::tbFelkoverClick, BTNS_CHECK},
    {L"tbDolt", 1, L"Dőlt", &T::tbDoltClick, BTNS_CHECK},
    {L"tbAlahuzott", 2, L"Aláhúzott", &T::tbAlahuzottClick, BTNS_CHECK},
    {nullptr, 8, nullptr},  // ToolButton8
    {L"tbBalra", 3, L"Balra igazítás", &T::tbBalraClick, BTNS_CHECKGROUP},
    {L"tbKozepre", 4, L"Középre igazítás", &T::tbKozepreClick, BTNS_CHECKGROUP},
    {L"tbJobbra", 5, L"Jobbra igazítás", &T::tbJobbraClick, BTNS_CHECKGROUP},
    {nullptr, 8, nullptr},  // ToolButton3
    {L"tbFelsorolas", 6, nullptr, &T::tbFelsorolasClick, BTNS_CHECK},
};

const FormatBarParts kFormatBarParts{.firstPicture = IDI_FORMAT_FIRST,
                                     .pictureCount = IDI_FORMAT_COUNT,
                                     .marker = IDI_TT_MARKER,
                                     .fontHint = L"Betűtípus választás",
                                     .sizeHint = L"Betűméret magadása",
                                     .smallestSize = kSmallestArrowSize,
                                     .largestSize = kLargestArrowSize};

}  // namespace

void TRichNoteForm::ApplyScheme(const SchemeColours& colours) {
    p.SetColor(ResolveColour(colours[1]));
    Panel1.SetColor(ResolveColour(colours[6]));
    ToolBar.SetColor(ResolveColour(colours[6]));
    tbarFormaz.SetColor(ResolveColour(colours[6]));
    pCim.SetColor(ResolveColour(colours[6]));
}

// Building the window

void TRichNoteForm::CreateFramePanels(int titleWidth, const std::wstring& caption) {
    CreateOuterPanel(p, *this);
    CreateTitlePanel(pCim, p, titleWidth, caption);
}

void TRichNoteForm::CreateFileBar(int width, bool colourButton) {
    editImages_ = ImageList(IDI_EDIT_FIRST, IDI_EDIT_COUNT);
    ToolBar.Create(Panel1, 2, 2, width, 29, editImages_, kFileButtonWidth, kFileButtonHeight, 2);
    ToolBar.AddButtons(*this, std::span<const ToolButtonRow<T>>(kFileButtons));
    if (colourButton) {
        ToolBar.AddButtons(*this, std::span<const ToolButtonRow<T>>(kColourButtons));
        ToolBar.OnDropDown(L"tbSzinek",
                           [this] { ToolBar.OpenBelow(L"tbSzinek", [this](POINT at) { ColourDropDown(at); }); });
    }
    ToolBar.AddButtons(*this, std::span<const ToolButtonRow<T>>(kFontAndWordButtons));
    ToolBar.SetEnabled(L"tbVisszatolt", false);
}

void TRichNoteForm::CreateFormatBar(int width) {
    tbarFormaz.Create(*this, Panel1, 2, 31, width, 30, kFormatBarParts,
                      std::span<const ToolButtonRow<T>>(kFormatButtons));
    tbarFormaz.SetChecked(L"tbBalra", true);
    tbarFormaz.OnFontChange = [this] { cbBetuTipusChange(); };
    tbarFormaz.OnSizeExit = [this] { edtBetuMeretExit(); };
    tbarFormaz.OnArrowClick = [this] { UpDown1Click(); };
    tbarFormaz.SetFontNames(SortedFontNames(InstalledFontFamilies(), CompareFontNames));
}

void TRichNoteForm::HookNote() {
    OnNotify(Megjegyzes.Id(), EN_SELCHANGE, [this](NMHDR*) -> LRESULT {
        MegjegyzesSelectionChange();
        return 0;
    });
}

// What the bars show

int TRichNoteForm::FontIndexOf(const std::wstring& name) const {
    return ::FontIndexOf(FontNames(), name, CompareFontNames);
}

// The face at the caret is always shown: one the system's list lacks joins it. A mixed
// selection has no face, and shows none.
void TRichNoteForm::ShowFontName(const std::wstring& face) {
    int index = FontIndexOf(face);
    if (index < 0 && !face.empty()) index = tbarFormaz.InsertFontName(face, CompareFontNames);
    tbarFormaz.ShowFontAt(index);
}

void TRichNoteForm::ClearToOwnFont() {
    Megjegyzes.Clear();
    CHARFORMAT2W cf = MakeCharFormat(CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                                     CFM_STRIKEOUT);
    cf.yHeight = kNotePoints * 20;
    cf.crTextColor = 0;
    lstrcpynW(cf.szFaceName, kNoteFace, LF_FACESIZE);
    Megjegyzes.SetAllFormat(cf);
    PARAFORMAT2 pf = MakeParaFormat(PFM_ALIGNMENT | PFM_NUMBERING);
    pf.wAlignment = PFA_LEFT;
    Megjegyzes.SetParagraphFormat(pf);
    MegjegyzesSelectionChange();
}

void TRichNoteForm::MegjegyzesSelectionChange() {
    struct Quiet {
        bool& flag;
        ~Quiet() { flag = false; }
    } quiet{updating_ = true};
    const CHARFORMAT2W cf = Megjegyzes.SelectionFormat();
    tbarFormaz.SetChecked(L"tbFelkover", cf.dwEffects & CFE_BOLD);
    tbarFormaz.SetChecked(L"tbDolt", cf.dwEffects & CFE_ITALIC);
    tbarFormaz.SetChecked(L"tbAlahuzott", cf.dwEffects & CFE_UNDERLINE);
    const PARAFORMAT2 pf = Megjegyzes.ParagraphFormat();
    tbarFormaz.SetChecked(L"tbFelsorolas", pf.wNumbering == PFN_BULLET);
    const int points = PointsOfCharFormat(cf);
    tbarFormaz.ShowSize(FontSizeText(points), ArrowPositionOf(points));
    ShowFontName(FaceOfCharFormat(cf));
    for (const wchar_t* name : {L"tbBalra", L"tbKozepre", L"tbJobbra"}) tbarFormaz.SetChecked(name, false);
    switch (pf.wAlignment) {
        case PFA_LEFT:
            tbarFormaz.SetChecked(L"tbBalra", true);
            break;
        case PFA_CENTER:
            tbarFormaz.SetChecked(L"tbKozepre", true);
            break;
        case PFA_RIGHT:
            tbarFormaz.SetChecked(L"tbJobbra", true);
            break;
        default:
            break;
    }
}

// Format tool bar

void TRichNoteForm::cbBetuTipusChange() {
    if (updating_) return;
    Megjegyzes.Focus();
    const int index = tbarFormaz.ChosenFontIndex();
    if (index < 0) return;
    CHARFORMAT2W cf = MakeCharFormat(CFM_FACE);
    lstrcpynW(cf.szFaceName, FontNames()[static_cast<size_t>(index)].c_str(), LF_FACESIZE);
    Megjegyzes.SetSelectionFormat(cf);
}

void TRichNoteForm::edtBetuMeretExit() {
    if (updating_ || !Visible()) return;
    Megjegyzes.Focus();
    const int points = ParseFontSize(SizeText());
    if (points <= 0) return;  // a size of nothing would make the text vanish
    CHARFORMAT2W cf = MakeCharFormat(CFM_SIZE);
    cf.yHeight = points * 20;
    Megjegyzes.SetSelectionFormat(cf);
}

void TRichNoteForm::UpDown1Click() {
    // The arrows have already written their number into the box.
    edtBetuMeretExit();
}

void TRichNoteForm::ApplyEffect(DWORD mask, DWORD effect, bool on) {
    if (updating_) return;
    CHARFORMAT2W cf = MakeCharFormat(mask);
    cf.dwEffects = on ? effect : 0;
    Megjegyzes.SetSelectionFormat(cf);
}

void TRichNoteForm::tbFelkoverClick() { ApplyEffect(CFM_BOLD, CFE_BOLD, tbarFormaz.Checked(L"tbFelkover")); }

void TRichNoteForm::tbDoltClick() { ApplyEffect(CFM_ITALIC, CFE_ITALIC, tbarFormaz.Checked(L"tbDolt")); }

void TRichNoteForm::tbAlahuzottClick() {
    ApplyEffect(CFM_UNDERLINE, CFE_UNDERLINE, tbarFormaz.Checked(L"tbAlahuzott"));
}

void TRichNoteForm::ApplyAlignment(WORD alignment) {
    if (updating_) return;
    Megjegyzes.Focus();
    PARAFORMAT2 pf = MakeParaFormat(PFM_ALIGNMENT);
    pf.wAlignment = alignment;
    Megjegyzes.SetParagraphFormat(pf);
}

void TRichNoteForm::tbBalraClick() { ApplyAlignment(PFA_LEFT); }

void TRichNoteForm::tbKozepreClick() { ApplyAlignment(PFA_CENTER); }

void TRichNoteForm::tbJobbraClick() { ApplyAlignment(PFA_RIGHT); }

void TRichNoteForm::tbFelsorolasClick() {
    if (updating_) return;
    Megjegyzes.Focus();
    PARAFORMAT2 pf = MakeParaFormat(PFM_NUMBERING);
    pf.wNumbering = tbarFormaz.Checked(L"tbFelsorolas") ? PFN_BULLET : 0;
    Megjegyzes.SetParagraphFormat(pf);
}

bool TRichNoteForm::FormKeyPress(wchar_t key) {
    if (key != L'\x1B') return false;
    sbBezarClick();
    return true;
}
