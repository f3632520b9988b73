#include "editors/jegyzettomb.h"

#include "app/main.h"
#include "platform/file_io.h"
#include "ui/application.h"
#include "ui/secondary_frame.h"

Tfrm_Jegyzettomb* frm_Jegyzettomb = nullptr;

Tfrm_Jegyzettomb::Tfrm_Jegyzettomb() : TRichNoteForm(SecondaryWindowOptions(L"TivornJegyzettombWindow", 589, 412)) {}

Tfrm_Jegyzettomb::~Tfrm_Jegyzettomb() {
    if (frm_Jegyzettomb == this) frm_Jegyzettomb = nullptr;
}

std::wstring Tfrm_Jegyzettomb::NotepadPath(const std::wstring& programDir) {
    return programDir + L"\\Data\\jegyzet.rtf";
}

void Tfrm_Jegyzettomb::FormCreate() { CreateFrame({545, 581, 377}, L"  Jegyzettömb", L"Bezárás"); }

void Tfrm_Jegyzettomb::CreateInsides() {
    CreateFileBar(577, false);
    CreateNote(8, 60, 565, 309, 0);
    CreateFormatBar(577);
}

void Tfrm_Jegyzettomb::OpenNotepad() {
    const std::wstring path = NotepadPath(frm_Main->ProgramDir);
    std::optional<std::string> content;
    if (!Application::Get().Guard([&] {
            if (FileExists(path)) content = ReadWholeFile(path);
        }))
        return;
    fileContent_ = std::move(content);
    ShowModal();
}

void Tfrm_Jegyzettomb::FormShow() {
    ShowOwnFontInBars();
    // The first opening has no file yet: an empty notepad.
    if (fileContent_)
        Megjegyzes.LoadAny(*fileContent_);
    else
        ClearToOwnFont();
    fileContent_.reset();
    SetFocus(Megjegyzes.Handle());
}

void Tfrm_Jegyzettomb::sbMentBezarClick() {
    frm_Main->TakeSnapshotOfTheDay();  // the notepad as it was, before its first change of the day
    SaveNoteFile(NotepadPath(frm_Main->ProgramDir));
    Close(mrOk);
}

void Tfrm_Jegyzettomb::sbBezarClick() { Close(mrCancel); }
