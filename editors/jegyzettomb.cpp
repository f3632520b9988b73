#include "editors/jegyzettomb.h"

#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/secondary_frame.h"


namespace {

constexpr int kTitlePanelWidth = 545, kBarWidth = 577;

}  // namespace

Tfrm_Jegyzettomb::Tfrm_Jegyzettomb() : TRichNoteForm(SecondaryWindowOptions(L"TivornJegyzettombWindow", 589, 412)) {}

Tfrm_Jegyzettomb::~Tfrm_Jegyzettomb() = default;

std::span<const ControlRow<Tfrm_Jegyzettomb>> Tfrm_Jegyzettomb::Controls() {
    using T = Tfrm_Jegyzettomb;
    static const ControlRow<T> rows[] = {
        // The frame, made with the window.
        {.name = L"sbMentBezar", .field = &T::sbMentBezar, .parent = &T::pCim, .x = 492, .y = 2, .w = 23, .h = 22,
         .text = L"Bezárás mentéssel", .handler = &T::sbMentBezarClick, .picture = IDI_SB_SAVECLOSE},
        {.name = L"sbBezar", .field = &T::sbBezar, .parent = &T::pCim, .x = 516, .y = 2, .w = 23, .h = 22,
         .text = L"Bezárás", .handler = &T::sbBezarClick, .picture = IDI_SB_CLOSE},
        {.name = L"Panel1", .field = &T::Panel1, .parent = &T::p, .x = 4, .y = 32, .w = 581, .h = 377,
         .colour = 0xC0C0C0},
        // At the first showing, between the file bar (ToolBar) and the format bar (tbarFormaz).
        {.name = L"Megjegyzes", .field = &T::Megjegyzes, .parent = &T::Panel1, .x = 8, .y = 60, .w = 565, .h = 309,
         .style = WS_VSCROLL | ES_AUTOVSCROLL},
    };
    return rows;
}

// Everything is made at the first showing: a start makes only the window itself.
void Tfrm_Jegyzettomb::CreateInsides() {
    CreateFrame(*this, Controls(), kTitlePanelWidth, L"  Jegyzettömb");
    CreateEditingControls(*this, Controls(), kBarWidth, false);
}

void Tfrm_Jegyzettomb::OpenNotepad(Diary& diary) {
    std::optional<std::string> content;
    if (!Application::Get().Guard([&] { content = diary.OpenNotepad(); })) return;
    EnsureInsides();
    // The first opening has no file yet: an empty notepad.
    if (!content)
        ClearToOwnFont();
    else if (!LoadNoteOrAsk(*content))
        return;
    SetProgramDir(diary.ProgramDir());
    diary_ = &diary;
    ShowModal();
    diary_ = nullptr;
}

void Tfrm_Jegyzettomb::FormShow() {
    // The bars show the font at the caret of the loaded note.
    MegjegyzesSelectionChange();
    Megjegyzes.Focus();
}

void Tfrm_Jegyzettomb::sbMentBezarClick() {
    // When it cannot be stored the error is shown and the window stays open.
    if (diary_) diary_->StoreNotepad(NoteRtf(diary_->DataDir() + L"\\" + DiarySearch::kNotepadFile));
    Close(mrOk);
}

void Tfrm_Jegyzettomb::sbBezarClick() { Close(mrCancel); }
