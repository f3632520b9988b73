// Plain text of a rich-text (RTF) document, for searching the notes without a
// rich-edit control: groups, control words, \'xx bytes in Windows-1250, \uN with
// its fallback characters skipped, paragraph and tab marks; font, colour and style
// tables, document information, pictures and every \* group are left out.
#pragma once

#include <string>
#include <string_view>

// Paragraph and line breaks become L'\n', tabs L'\t'. Text that is not RTF at all
// (no leading "{\rtf") is read as plain Windows-1250 text, as the rich-edit control
// loads such a file.
std::wstring RtfToPlainText(std::string_view rtf);

// Plain text as a note the rich-edit control loads: the note box's own font,
// Windows-1250 characters as \'xx, any other character as \uN with "?" for readers
// without Unicode; a line break (LF, CR LF or CR) ends a paragraph, a tab is \tab.
// RtfToPlainText reads it back as the text with LF line breaks and one more LF.
std::string PlainTextToRtf(std::wstring_view text);
