// The rich-text equipment the day entry editor and the notepad share: the window
// frame (panels, close buttons), the file tool bar, the format tool bar with the
// font list and the size box, the note box, the common dialogs and every handler
// behind them. Each window adds only its own fields and its save and close steps.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/rich_edit.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/panel.h"
#include "ui/speed_button.h"
#include "ui/toolbar.h"

// --- pieces that need no window ---------------------------------------------------

// "Name|*.ext|Name|*.ext" -> the NUL-separated, double-NUL-terminated filter of the file dialogs.
std::wstring DialogFilter(const std::wstring& pipes);

// The size box's text as a whole decimal number (optional blanks in front, optional
// sign). Anything else throws ConvertError with the text.
int ParseFontSize(const std::wstring& text);

// Sorted alphabetically, case-insensitively, each name once; vertical fonts ("@...") left out.
std::vector<std::wstring> SortedFontNames(std::vector<std::wstring> names);
// Position of `name` in `names`, case-insensitively; -1 when missing.
int FontIndexOf(const std::vector<std::wstring>& names, const std::wstring& name);

// The font dialog works on LOGFONT, the note on CHARFORMAT2.
LOGFONTW LogFontOfCharFormat(const CHARFORMAT2W& cf, int dpi);
// `pointSize10` is the dialog's size in tenths of a point.
CHARFORMAT2W CharFormatOfLogFont(const LOGFONTW& lf, int pointSize10, COLORREF colour, int dpi);

// The note box's own font, shown by the bars whenever a window opens.
inline constexpr const wchar_t* kNoteFace = L"MS Sans Serif";
inline constexpr int kNotePoints = 8;
// Printer job name of a printed note.
inline constexpr const wchar_t* kPrintJobName = L"Tivorn program";

// The common dialogs, replaceable so tests can answer them without a user.
struct EditorDialogs {
    std::function<bool(OPENFILENAMEW&)> Open;
    std::function<bool(OPENFILENAMEW&)> Save;
    std::function<bool(CHOOSEFONTW&)> Font;
    std::function<bool(PRINTDLGW&)> Print;
};
EditorDialogs& CurrentEditorDialogs();

// --- the shared window --------------------------------------------------------------

class TRichNoteForm : public Form {
public:
    explicit TRichNoteForm(FormOptions options) : Form(std::move(options)) {}
    ~TRichNoteForm() override;

    // Frame
    Panel p{L"p"};
    Panel pCim{L"pCim"};
    SpeedButton sbMentBezar{L"sbMentBezar"};
    SpeedButton sbBezar{L"sbBezar"};
    Panel Panel1{L"Panel1"};
    // File tool bar and format tool bar
    ::ToolBar ToolBar;
    ::ToolBar tbarFormaz;
    HWND cbBetuTipus = nullptr;
    HWND edtBetuMeret = nullptr;
    HWND UpDown1 = nullptr;
    RichEdit Megjegyzes;

    // --- handlers (both windows) --------------------------------------------------------
    void tbUresClick();
    void tbMegnyitClick();
    void tbMentClick();
    void tbNyomtatClick();
    void tbKivagClick();
    void tbMasolClick();
    void tbBeillesztClick();
    void tbFontClick();
    void tbOpenWordClick();
    void tbVisszatoltClick();
    void cbBetuTipusChange();
    void edtBetuMeretExit();
    void UpDown1Click();
    void tbFelkoverClick();
    void tbDoltClick();
    void tbAlahuzottClick();
    void tbBalraClick();
    void tbKozepreClick();
    void tbJobbraClick();
    void tbFelsorolasClick();
    void MegjegyzesSelectionChange();
    virtual void sbMentBezarClick() = 0;
    virtual void sbBezarClick() = 0;

    // Note file operations behind the dialogs: RTF or plain text in; always RTF out.
    void LoadNoteFile(const std::wstring& path);
    void SaveNoteFile(const std::wstring& path);

    // What the bars show.
    std::wstring FontComboText() const;
    const std::vector<std::wstring>& FontNames() const { return fonts_; }
    std::wstring SizeText() const;

protected:
    // Building blocks, called by the windows in their tab order.
    struct FrameLayout {
        int titleWidth;                // pCim at 40,4, 26 high; the close buttons at its right end
        int panelWidth, panelHeight;   // Panel1 at 4,32
    };
    void CreateFrame(const FrameLayout& layout, const std::wstring& caption, const wchar_t* closeHint);
    void CreateFileBar(int width, bool colourButton);
    void CreateFormatBar(int width);
    void CreateNote(int x, int y, int w, int h, DWORD style);

    // Field that cut, copy and paste work on; null: none.
    virtual HWND ClipboardTarget() const { return Megjegyzes.Handle(); }
    // The colour button's arrow (only the entry editor has one).
    virtual void ColourDropDown(const RECT& screenButton) { (void)screenButton; }

    // Combo and size box show the note box's own font.
    void ShowOwnFontInBars();
    // Empties the note and sets the typing attributes back to the box's own font
    // (black, regular, left-aligned, no bullets).
    void ClearToOwnFont();
    bool FormKeyPress(wchar_t key) override;
    void FormCloseQuery() override { sbBezarClick(); }

private:
    void FillFontList();
    void ShowFontName(const std::wstring& face);
    void ApplyEffect(DWORD mask, DWORD effect, bool on);
    void ApplyAlignment(WORD alignment);
    void DrawFontItem(DRAWITEMSTRUCT& item);
    static LRESULT CALLBACK FormatBarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

    ImageList editImages_;
    ImageList formatImages_;
    IconHandle ttMarker_;
    std::vector<std::wstring> fonts_;
    std::wstring openFile_;  // last names of the dialogs during the run
    std::wstring saveFile_;
    bool updating_ = false;  // the program is setting the bars: their handlers stay quiet
};
