#include "editors/note_commands.h"

#include "editors/RichEditBar.h"
#include "platform/eljaras_win.h"
#include "platform/emil.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/kerdes.h"
#include "report/printing.h"
#include "ui/application.h"
#include "ui/dpi.h"

LOGFONTW LogFontOfCharFormat(const CHARFORMAT2W& cf, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -PixelHeightOfTwips(static_cast<int>(cf.yHeight), dpi);
    lf.lfWeight = (cf.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (cf.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    lf.lfUnderline = (cf.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
    lf.lfStrikeOut = (cf.dwEffects & CFE_STRIKEOUT) ? TRUE : FALSE;
    lf.lfCharSet = cf.bCharSet;
    lstrcpynW(lf.lfFaceName, cf.szFaceName, LF_FACESIZE);
    return lf;
}

CHARFORMAT2W CharFormatOfLogFont(const LOGFONTW& lf, int pointSize10, COLORREF colour, int dpi) {
    CHARFORMAT2W cf = MakeCharFormat(CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT |
                                     CFM_COLOR | CFM_CHARSET);
    cf.yHeight = TwipsOfDialogFont(pointSize10, static_cast<int>(lf.lfHeight), dpi);
    if (lf.lfWeight >= FW_BOLD) cf.dwEffects |= CFE_BOLD;
    if (lf.lfItalic) cf.dwEffects |= CFE_ITALIC;
    if (lf.lfUnderline) cf.dwEffects |= CFE_UNDERLINE;
    if (lf.lfStrikeOut) cf.dwEffects |= CFE_STRIKEOUT;
    cf.crTextColor = colour;
    cf.bCharSet = lf.lfCharSet;
    lstrcpynW(cf.szFaceName, lf.lfFaceName, LF_FACESIZE);
    return cf;
}

EditorDialogs& CurrentEditorDialogs() {
    static EditorDialogs dialogs{
        [](OPENFILENAMEW& ofn) {
            Application::Get().EnsureCom();  // the explorer-style dialog runs on COM
            return GetOpenFileNameW(&ofn) != FALSE;
        },
        [](OPENFILENAMEW& ofn) {
            Application::Get().EnsureCom();
            return GetSaveFileNameW(&ofn) != FALSE;
        },
        [](CHOOSEFONTW& cf) { return ChooseFontW(&cf) != FALSE; },
        [](PRINTDLGW& pd) { return PrintDlgW(&pd) != FALSE; },
    };
    return dialogs;
}

namespace {

constexpr size_t kNameBuffer = 32768;

// The parts both file dialogs share; `buffer` holds the last name and receives the chosen one.
OPENFILENAMEW FileDialogRecord(HWND owner, const std::wstring& filter, std::wstring& buffer, const wchar_t* title) {
    buffer.resize(kNameBuffer, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = L"rtf";
    return ofn;
}

}  // namespace

void TRichNoteForm::tbUresClick() { Megjegyzes.Clear(); }

void TRichNoteForm::LoadNoteFile(const std::wstring& path) { Megjegyzes.LoadAny(ReadWholeFile(path)); }

bool TRichNoteForm::LoadNoteOrAsk(std::string_view bytes) {
    if (Megjegyzes.LoadAny(bytes)) return true;
    return ShowQuestionWindow(L"A jegyzet fájlja sérült, csak egy része olvasható be. Megnyissam így? "
                              L"Mentéssel a sérült fájl helyére a most látható rész kerül.",
                              QuestionDefault::No);
}

void TRichNoteForm::SaveNoteFile(const std::wstring& path) {
    const std::optional<std::string> rtf = Megjegyzes.StreamOutRtf();
    if (!rtf) throw FileCreateError(path);  // the old file stays as it is
    WriteFileAtomically(path, *rtf);
}

std::string TRichNoteForm::NoteRtf(const std::wstring& file) const {
    std::optional<std::string> rtf = Megjegyzes.StreamOutRtf();
    if (!rtf) throw FileCreateError(file);
    return std::move(*rtf);
}

void TRichNoteForm::tbMegnyitClick() {
    static const std::wstring filter = DialogFilter(L"Rich text file-ok (*.rtf)|*.rtf|Text file-ok|*.txt");
    std::wstring buffer = openFile_;
    OPENFILENAMEW ofn = FileDialogRecord(Handle(), filter, buffer, L"File megnyitása");
    ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!CurrentEditorDialogs().Open(ofn)) return;
    openFile_ = buffer.c_str();
    LoadNoteFile(openFile_);
}

void TRichNoteForm::tbMentClick() {
    static const std::wstring filter = DialogFilter(L"Rich Text file-ok (*.rtf)|*.rtf");
    std::wstring buffer = saveFile_;
    OPENFILENAMEW ofn = FileDialogRecord(Handle(), filter, buffer, L"File mentése másként");
    ofn.lpstrInitialDir = L"c:\\Dokumentumok";
    // Replacing a file asks first: a silently overwritten document would be lost.
    ofn.Flags = OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!CurrentEditorDialogs().Save(ofn)) return;
    saveFile_ = buffer.c_str();
    SaveNoteFile(saveFile_);
}

void TRichNoteForm::tbNyomtatClick() {
    // A note is laid out for the whole printable area of an A4 page.
    const PrinterDc printer =
        ChoosePrinter(Handle(), PaperSize::A4, PaperOrientation::Portrait, CurrentEditorDialogs().Print);
    if (!printer) return;
    if (Megjegyzes.Print(printer.Get(), kPrintJobName) == 0) throw PrintError(kPrintJobName);
}

void TRichNoteForm::tbFontClick() {
    const CHARFORMAT2W current = Megjegyzes.SelectionFormat();
    const int dpi = Dpi();
    LOGFONTW lf = LogFontOfCharFormat(current, dpi);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = Handle();
    cf.lpLogFont = &lf;
    cf.Flags = CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
    cf.rgbColors = current.crTextColor;
    if (!CurrentEditorDialogs().Font(cf)) return;
    Megjegyzes.SetSelectionFormat(CharFormatOfLogFont(lf, cf.iPointSize, cf.rgbColors, dpi));
    MegjegyzesSelectionChange();
}

void TRichNoteForm::tbOpenWordClick() {
    const std::wstring& dir = programDir_;
    const std::wstring copy = dir + L"\\doctmp.rtf", link = dir + L"\\tmp.lnk";
    SaveNoteFile(copy);
    CreateShortcut(copy, dir, L"", link);
    OpenFileWithShell(link);
    ToolBar.SetEnabled(L"tbVisszatolt", true);
}

void TRichNoteForm::tbVisszatoltClick() {
    ToolBar.SetEnabled(L"tbVisszatolt", false);
    LoadNoteFile(ProgramDir() + L"\\doctmp.rtf");
}
