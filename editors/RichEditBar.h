// The rich-text equipment the day entry editor and the notepad share: the window
// frame (panels, close buttons), the file tool bar, the format tool bar with the
// font list and the size box, the note box and every handler behind them. Each
// window adds only its own fields, its table of controls and its save and close steps.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "editors/note_commands.h"
#include "editors/note_format.h"
#include "ui/button_bar.h"
#include "ui/control_table.h"
#include "ui/form.h"
#include "ui/format_bar.h"
#include "ui/image_list.h"
#include "ui/panel.h"
#include "ui/rich_edit.h"
#include "ui/scheme_colours.h"
#include "ui/speed_button.h"

// What cut, copy and paste do to their target field.
enum class ClipboardCommand { Cut, Copy, Paste };

template <class Field>
void RunClipboardCommand(const Field& field, ClipboardCommand command) {
    switch (command) {
        case ClipboardCommand::Cut:
            field.Cut();
            break;
        case ClipboardCommand::Copy:
            field.Copy();
            break;
        case ClipboardCommand::Paste:
            field.Paste();
            break;
    }
}

class TRichNoteForm : public Form {
public:
    explicit TRichNoteForm(FormOptions options) : Form(std::move(options)) {}

    // Frame
    // The scheme's colours on the window's face (slot 1) and strips (slot 6).
    void ApplyScheme(const SchemeColours& colours);

    BevelPanel p{L"p"};
    BevelPanel pCim{L"pCim"};
    SpeedButton sbMentBezar{L"sbMentBezar"};
    SpeedButton sbBezar{L"sbBezar"};
    BevelPanel Panel1{L"Panel1"};
    // File tool bar and format tool bar (with cbBetuTipus, edtBetuMeret, UpDown1)
    PanelButtonBar ToolBar;
    FormatBar tbarFormaz;
    RichEdit Megjegyzes;

    // Handlers (both windows)
    void tbUresClick();
    void tbMegnyitClick();
    void tbMentClick();
    void tbNyomtatClick();
    void tbKivagClick() { ClipboardOnTarget(ClipboardCommand::Cut); }
    void tbMasolClick() { ClipboardOnTarget(ClipboardCommand::Copy); }
    void tbBeillesztClick() { ClipboardOnTarget(ClipboardCommand::Paste); }
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
    // The note as RTF, for its owner to store in `file`; throws FileCreateError for
    // the file when the box cannot give it (nothing is stored then).
    std::string NoteRtf(const std::wstring& file) const;
    // The program folder: the copy opened in a word processor goes there.
    void SetProgramDir(std::wstring dir) { programDir_ = std::move(dir); }
    const std::wstring& ProgramDir() const { return programDir_; }

    // What the bars show.
    std::wstring FontComboText() const { return tbarFormaz.FontText(); }
    const std::vector<std::wstring>& FontNames() const { return tbarFormaz.FontNames(); }
    std::wstring SizeText() const { return tbarFormaz.SizeText(); }
    // Position of a font name in the font list, without regard to letter case; -1 when missing.
    int FontIndexOf(const std::wstring& name) const;

protected:
    // The first rows of each window's table: its frame (sbMentBezar, sbBezar, Panel1),
    // made first; then the other rows. All of it at the first showing.
    static constexpr size_t kFrameRows = 3;
    // The frame's panels around the table's first rows; pCim is `titleWidth` wide.
    template <class Owner>
    void CreateFrame(Owner& owner, std::span<const ControlRow<Owner>> rows, int titleWidth,
                     const std::wstring& caption) {
        CreateFramePanels(titleWidth, caption);
        BuildControls(owner, rows.first(kFrameRows));
    }
    // The insides in tab order: the file bar, the table's other rows, the format bar.
    template <class Owner>
    void CreateEditingControls(Owner& owner, std::span<const ControlRow<Owner>> rows, int barWidth,
                               bool colourButton) {
        CreateFileBar(barWidth, colourButton);
        BuildControls(owner, rows.subspan(kFrameRows));
        HookNote();
        CreateFormatBar(barWidth);
    }

    // Cut, copy or paste on the field they work on (the note; the entry editor: the field entered last).
    virtual void ClipboardOnTarget(ClipboardCommand command) { RunClipboardCommand(Megjegyzes, command); }
    // The colour button's arrow (only the entry editor has one): its menu at a screen point.
    virtual void ColourDropDown(POINT screen) { (void)screen; }

    // Loads a note file's bytes into the box. One that cannot be read whole (cut
    // short, damaged) is said so, and the user chooses whether to open what could be
    // read; false when not: the window must then stay closed, so that no save can put
    // the part in place of the file.
    bool LoadNoteOrAsk(std::string_view bytes);
    // Empties the note and sets the typing attributes back to the box's own font
    // (black, regular, left-aligned, no bullets).
    void ClearToOwnFont();
    bool FormKeyPress(wchar_t key) override;
    void FormCloseQuery() override { sbBezarClick(); }

private:
    std::wstring programDir_;
    void CreateFramePanels(int titleWidth, const std::wstring& caption);
    void CreateFileBar(int width, bool colourButton);
    void CreateFormatBar(int width);
    void HookNote();
    void ShowFontName(const std::wstring& face);
    void ApplyEffect(DWORD mask, DWORD effect, bool on);
    void ApplyAlignment(WORD alignment);

    ImageList editImages_;
    std::wstring openFile_;  // last names of the dialogs during the run
    std::wstring saveFile_;
    bool updating_ = false;  // the program is setting the bars: their handlers stay quiet
};
