// The notepad: one rich-text note of the program, kept in "Data\jegyzet.rtf".
#pragma once

#include <optional>
#include <span>
#include <string>

#include "editors/RichEditBar.h"
#include "store/diary.h"

class Tfrm_Jegyzettomb : public TRichNoteForm {
public:
    Tfrm_Jegyzettomb();
    ~Tfrm_Jegyzettomb() override;

    // The window's controls in tab order: the frame's rows, then the note (made at the
    // first showing, between the file bar and the format bar).
    static std::span<const ControlRow<Tfrm_Jegyzettomb>> Controls();

    // The one way to open the notepad: reads it through the diary and shows the window
    // modally; saving stores it there (Diary::StoreNotepad). A file that exists but
    // cannot be read is reported and the window stays closed: its box must never offer
    // an older text for saving over the real file.
    void OpenNotepad(Diary& diary);

    void sbMentBezarClick() override;
    void sbBezarClick() override;

protected:
    void CreateInsides() override;
    void FormShow() override;

private:
    // Shown only through OpenNotepad, which reads the file first.
    using TRichNoteForm::ShowModal;
    Diary* diary_ = nullptr;  // while the window is open
};

