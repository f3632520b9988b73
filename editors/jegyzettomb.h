// The notepad: one rich-text note of the program, kept in "Data\jegyzet.rtf".
#pragma once

#include <optional>
#include <span>
#include <string>

#include "editors/RichEditBar.h"

class Tfrm_Jegyzettomb : public TRichNoteForm {
public:
    Tfrm_Jegyzettomb();
    ~Tfrm_Jegyzettomb() override;

    static std::wstring NotepadPath(const std::wstring& programDir);
    // The window's controls in tab order: the frame's rows, then the note (made at the
    // first showing, between the file bar and the format bar).
    static std::span<const ControlRow<Tfrm_Jegyzettomb>> Controls();

    // The one way to open the notepad: reads the notepad file and shows the window
    // modally. A file that exists but cannot be read is reported and the window stays
    // closed: its box must never offer an older text for saving over the real file.
    void OpenNotepad();

    void sbMentBezarClick() override;
    void sbBezarClick() override;

protected:
    void CreateInsides() override;
    void FormShow() override;

private:
    // Shown only through OpenNotepad, which reads the file first.
    using TRichNoteForm::ShowModal;
};

extern Tfrm_Jegyzettomb* frm_Jegyzettomb;
