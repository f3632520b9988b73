#include "ui/rich_edit.h"

#include <commdlg.h>
#include "ui/controls.h"

#include <algorithm>

#include "platform/text_file.h"
#include "ui/canvas.h"

CHARFORMAT2W MakeCharFormat(DWORD mask) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = mask;
    return cf;
}

PARAFORMAT2 MakeParaFormat(DWORD mask) {
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof(pf);
    pf.dwMask = mask;
    return pf;
}

int PointsOfCharFormat(const CHARFORMAT2W& cf) { return static_cast<int>(cf.yHeight / 20); }

std::wstring FaceOfCharFormat(const CHARFORMAT2W& cf) {
    return std::wstring(cf.szFaceName, wcsnlen(cf.szFaceName, LF_FACESIZE));
}

bool LooksLikeRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

bool IsCompleteRtf(std::string_view bytes) {
    const size_t last = bytes.find_last_not_of(std::string_view("\r\n\0 ", 4));
    return LooksLikeRtf(bytes) && last != std::string_view::npos && bytes[last] == '}';
}

namespace {

struct ReadCursor {
    std::string_view bytes;
    size_t position = 0;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* got) {
    auto* cursor = reinterpret_cast<ReadCursor*>(cookie);
    size_t n = std::min(static_cast<size_t>(wanted), cursor->bytes.size() - cursor->position);
    memcpy(buffer, cursor->bytes.data() + cursor->position, n);
    cursor->position += n;
    *got = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK WriteChunk(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done) {
    try {
        reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer),
                                                       static_cast<size_t>(count));
    } catch (...) {
        *done = 0;
        return ERROR_NOT_ENOUGH_MEMORY;  // stops the stream; the control reports it
    }
    *done = count;
    return 0;
}

}  // namespace

void RichEdit::Create(HWND parent, int x, int y, int w, int h, int id, DWORD style, HFONT font) {
    // Rich edit 4.1, loaded with the first box (the month view needs none).
    static const HMODULE library = LoadLibraryW(L"Msftedit.dll");
    (void)library;
    id_ = id;
    hwnd_ = CreateControl(MSFTEDIT_CLASS, WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | style, 0, x, y, w, h, parent, id,
                          font);
    // No length limit beyond memory: long diaries must load whole.
    SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    SendMessageW(hwnd_, EM_SETEVENTMASK, 0, ENM_SELCHANGE);
}

bool RichEdit::StreamIn(std::string_view bytes, WPARAM format) {
    ReadCursor cursor{bytes};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&cursor), 0, ReadChunk};
    SendMessageW(hwnd_, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return stream.dwError == 0;
}

std::optional<std::string> RichEdit::StreamOutRtf() const {
    std::string out;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, WriteChunk};
    SendMessageW(hwnd_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0 || !IsCompleteRtf(out)) return std::nullopt;
    return out;
}

std::string RichEdit::SaveRtf() const { return StreamOutRtf().value_or(std::string()); }

bool RichEdit::LoadRtf(std::string_view rtf) {
    const bool streamed = StreamIn(rtf, SF_RTF);
    return streamed && IsCompleteRtf(rtf);
}

bool RichEdit::LoadPlainText(std::string_view bytes) {
    // Decoded here, never by the control: it would use the system's ANSI code page.
    const std::wstring text = DecodeTextFile(bytes);
    return StreamIn(std::string_view(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)),
                    SF_TEXT | SF_UNICODE);
}

bool RichEdit::LoadAny(std::string_view bytes) { return LooksLikeRtf(bytes) ? LoadRtf(bytes) : LoadPlainText(bytes); }

void RichEdit::Clear() { SetWindowTextW(hwnd_, L""); }

std::wstring RichEdit::Text() const {
    GETTEXTLENGTHEX length{GTL_DEFAULT, 1200};
    LRESULT n = SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    std::wstring text(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
    GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    LRESULT got = SendMessageW(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

void RichEdit::SetText(const std::wstring& text) { SetWindowTextW(hwnd_, text.c_str()); }

void RichEdit::Select(int start, int end) {
    CHARRANGE range{start, end};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

CHARRANGE RichEdit::Selection() const {
    CHARRANGE range{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void RichEdit::ReplaceSelection(const std::wstring& text) {
    SendMessageW(hwnd_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

CHARFORMAT2W RichEdit::SelectionFormat() const {
    CHARFORMAT2W cf = MakeCharFormat(0);
    SendMessageW(hwnd_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf;
}

void RichEdit::SetSelectionFormat(const CHARFORMAT2W& cf) {
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

void RichEdit::SetAllFormat(const CHARFORMAT2W& cf) {
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

PARAFORMAT2 RichEdit::ParagraphFormat() const {
    PARAFORMAT2 pf = MakeParaFormat(0);
    SendMessageW(hwnd_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    return pf;
}

void RichEdit::SetParagraphFormat(const PARAFORMAT2& pf) {
    SendMessageW(hwnd_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
}

int RichEdit::Print(HDC printer, const std::wstring& jobName) const {
    PrintJob job(printer, jobName);
    if (!job.Started()) return 0;
    // The printable area in twips, the same rectangle for the page and the text.
    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX), dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    RECT area{0, 0, MulDiv(GetDeviceCaps(printer, HORZRES), 1440, dpiX),
              MulDiv(GetDeviceCaps(printer, VERTRES), 1440, dpiY)};
    GETTEXTLENGTHEX length{GTL_DEFAULT, 1200};
    const LONG total = static_cast<LONG>(SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    FORMATRANGE range{};
    range.hdc = range.hdcTarget = printer;
    range.rcPage = area;
    range.chrg = {0, -1};
    int pages = 0;
    bool failed = false;
    do {
        range.rc = area;
        if (StartPage(printer) <= 0) {
            failed = true;
            break;
        }
        LONG next = static_cast<LONG>(SendMessageW(hwnd_, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
        if (EndPage(printer) <= 0) {
            failed = true;
            break;
        }
        ++pages;
        if (next <= range.chrg.cpMin) break;  // nothing fitted: stop rather than loop
        range.chrg.cpMin = next;
    } while (range.chrg.cpMin < total);
    SendMessageW(hwnd_, EM_FORMATRANGE, FALSE, 0);  // frees the cached layout
    if (failed) return 0;  // the job is aborted
    return job.End() ? pages : 0;
}

void RichEdit::SetBackgroundColour(COLORREF colour) const {
    SendMessageW(hwnd_, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(colour));
}

void RichEdit::ScrollToTop() const { SendMessageW(hwnd_, WM_VSCROLL, SB_TOP, 0); }

void RichEdit::ScrollToCaret() const { SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0); }

int RichEdit::TextLength() const {
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT n = SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    return n > 0 ? static_cast<int>(n) : 0;
}

int RichEdit::Find(const std::wstring& what, CHARRANGE where) const {
    FINDTEXTEXW find{};
    find.chrg = where;
    find.lpstrText = what.c_str();
    return static_cast<int>(
        SendMessageW(hwnd_, EM_FINDTEXTEXW, FR_DOWN | FR_MATCHCASE, reinterpret_cast<LPARAM>(&find)));
}

void RichEdit::Cut() const { SendMessageW(hwnd_, WM_CUT, 0, 0); }

void RichEdit::Copy() const { SendMessageW(hwnd_, WM_COPY, 0, 0); }

void RichEdit::Paste() const { SendMessageW(hwnd_, WM_PASTE, 0, 0); }
