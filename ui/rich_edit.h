// A thin wrapper over the rich edit control (Msftedit.dll, "RICHEDIT50W"): the note
// as RTF in memory, character and paragraph formats of the selection, printing.
#pragma once

#include <windows.h>
#include <richedit.h>

#include <optional>
#include <string>
#include <string_view>

// Character format with cbSize set and the given mask.
CHARFORMAT2W MakeCharFormat(DWORD mask);
// Paragraph format with cbSize set and the given mask.
PARAFORMAT2 MakeParaFormat(DWORD mask);

// Sizes in a character format are in twips (1/20 point).
int PointsOfCharFormat(const CHARFORMAT2W& cf);
std::wstring FaceOfCharFormat(const CHARFORMAT2W& cf);

// True when the bytes are RTF (they begin with "{\rtf"); other files are plain text.
bool LooksLikeRtf(std::string_view bytes);
// True when RTF bytes are whole: they begin with "{\rtf" and end with the closing
// brace (line breaks and NULs after it allowed).
bool IsCompleteRtf(std::string_view bytes);

class RichEdit {
public:
    RichEdit() = default;
    RichEdit(const RichEdit&) = delete;
    RichEdit& operator=(const RichEdit&) = delete;

    // `style` adds to WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN;
    // the box reports selection changes (EN_SELCHANGE) to its parent.
    void Create(HWND parent, int x, int y, int w, int h, int id, DWORD style, HFONT font);
    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }
    void Focus() const { SetFocus(hwnd_); }
    bool Focused() const { return hwnd_ && GetFocus() == hwnd_; }

    // The whole note as RTF; none when the control reported an error or the stream
    // did not come out whole (a cut stream must never replace a good file).
    std::optional<std::string> StreamOutRtf() const;
    // The same, empty on failure (for callers that only look).
    std::string SaveRtf() const;
    // Replaces the whole note. False when the control stopped on an error or the RTF
    // is cut short: the box then holds only part of it.
    bool LoadRtf(std::string_view rtf);
    // Plain text: UTF-16 with its byte-order mark, UTF-8 (with a mark, or valid without
    // one), else Windows-1250, whatever the system's code page is.
    bool LoadPlainText(std::string_view bytes);
    // RTF with its formatting, anything else as plain text; false as LoadRtf.
    bool LoadAny(std::string_view bytes);
    void Clear();

    // Plain text of the note; paragraphs end in "\r".
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    void Select(int start, int end);
    CHARRANGE Selection() const;
    void ReplaceSelection(const std::wstring& text);

    void SetBackgroundColour(COLORREF colour) const;
    void ScrollToTop() const;
    void ScrollToCaret() const;
    // Length of the plain text, a paragraph end counted as one character.
    int TextLength() const;
    // Start of the first occurrence of `what` in `where` (case-sensitive, forwards); -1 none.
    int Find(const std::wstring& what, CHARRANGE where) const;
    void Cut() const;
    void Copy() const;
    void Paste() const;

    CHARFORMAT2W SelectionFormat() const;
    // Changes the parts named in cf.dwMask; at a bare caret, the next typed text.
    void SetSelectionFormat(const CHARFORMAT2W& cf);
    // Changes the whole note and the typing attributes.
    void SetAllFormat(const CHARFORMAT2W& cf);
    PARAFORMAT2 ParagraphFormat() const;
    void SetParagraphFormat(const PARAFORMAT2& pf);

    // Prints the whole note over the printable area of `printer`, page after page,
    // as one job called `jobName`. Returns the number of pages; 0 when the job failed.
    int Print(HDC printer, const std::wstring& jobName) const;

private:
    bool StreamIn(std::string_view bytes, WPARAM format);
    HWND hwnd_ = nullptr;
    int id_ = 0;
};
