// The notepad: one rich-text note of the program, kept in "Data\jegyzet.rtf".
#pragma once

#include <string>

#include "editors/RichEditBar.h"

class Tfrm_Jegyzettomb : public TRichNoteForm {
public:
    Tfrm_Jegyzettomb();
    ~Tfrm_Jegyzettomb() override;

    static std::wstring NotepadPath(const std::wstring& programDir);

    void sbMentBezarClick() override;
    void sbBezarClick() override;

protected:
    void FormCreate() override;
    void CreateInsides() override;
    void FormShow() override;
};

extern Tfrm_Jegyzettomb* frm_Jegyzettomb;
