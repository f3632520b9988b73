// The file, print and font dialog commands of the rich-text windows: the common
// dialogs (replaceable, so tests answer them without a user) and the conversions
// between the font dialog's LOGFONT and the note's character format.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <richedit.h>

#include <functional>

// The common dialogs, replaceable so tests can answer them without a user.
struct EditorDialogs {
    std::function<bool(OPENFILENAMEW&)> Open;
    std::function<bool(OPENFILENAMEW&)> Save;
    std::function<bool(CHOOSEFONTW&)> Font;
    std::function<bool(PRINTDLGW&)> Print;
};
EditorDialogs& CurrentEditorDialogs();

// The font dialog works on LOGFONT, the note on CHARFORMAT2.
LOGFONTW LogFontOfCharFormat(const CHARFORMAT2W& cf, int dpi);
// `pointSize10` is the dialog's size in tenths of a point.
CHARFORMAT2W CharFormatOfLogFont(const LOGFONTW& lf, int pointSize10, COLORREF colour, int dpi);
