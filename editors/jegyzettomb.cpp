#include "editors/jegyzettomb.h"

#include "app/main.h"
#include "platform/file_io.h"
#include "ui/application.h"

Tfrm_Jegyzettomb* frm_Jegyzettomb = nullptr;

namespace {

FormOptions JegyzettombOptions() {
    FormOptions o;
    o.className = L"TivornJegyzettombWindow";
    o.border = BorderStyle::ToolWindow;
    o.clientWidth = 589;
    o.clientHeight = 412;
    o.font = FontSpec{L"MS Sans Serif", 8};
    return o;
}

}  // namespace

Tfrm_Jegyzettomb::Tfrm_Jegyzettomb() : TRichNoteForm(JegyzettombOptions()) {}

Tfrm_Jegyzettomb::~Tfrm_Jegyzettomb() {
    if (frm_Jegyzettomb == this) frm_Jegyzettomb = nullptr;
}

std::wstring Tfrm_Jegyzettomb::NotepadPath(const std::wstring& programDir) {
    return programDir + L"\\Data\\jegyzet.rtf";
}

void Tfrm_Jegyzettomb::FormCreate() {
    CreateFrame({545, 581, 377}, L"  Jegyzettömb", L"Bezárás");
    CreateFileBar(577, false);
    CreateNote(8, 60, 565, 309, 0);
    CreateFormatBar(577);
}

void Tfrm_Jegyzettomb::FormShow() {
    ShowOwnFontInBars();
    // The first opening has no file yet: an empty notepad. A file that cannot be read
    // is reported and the window opens with what it held.
    Application::Get().Guard([this] {
        const std::wstring path = NotepadPath(frm_Main->ProgramDir);
        if (FileExists(path))
            LoadNoteFile(path);
        else
            ClearToOwnFont();
    });
    SetFocus(Megjegyzes.Handle());
}

void Tfrm_Jegyzettomb::sbMentBezarClick() {
    SaveNoteFile(NotepadPath(frm_Main->ProgramDir));
    Close(mrOk);
}

void Tfrm_Jegyzettomb::sbBezarClick() { Close(mrCancel); }
