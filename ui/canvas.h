// A small GDI canvas with RAII for every handle it makes or selects.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

#include "ui/unique_handle.h"

struct DeleteGdiObject {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
// Owns one GDI object (pen, brush, font, bitmap); move-only, deleted once.
template <class H>
using GdiObject = UniqueHandle<H, DeleteGdiObject>;

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() { SelectObject(dc_, old_); }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A memory DC compatible with `reference` (null: the screen); deleted once.
class MemoryDc {
public:
    explicit MemoryDc(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// BeginPaint/EndPaint of one WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    HDC Get() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }  // what needs painting

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A print job on a printer DC: StartDoc; EndDoc when finished, AbortDoc when it is
// left any other way (a page that failed, an exception).
class PrintJob {
public:
    PrintJob(HDC printer, const std::wstring& name) : printer_(printer) {
        DOCINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszDocName = name.c_str();
        started_ = StartDocW(printer, &info) > 0;
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    ~PrintJob() {
        if (started_) AbortDoc(printer_);
    }
    bool Started() const { return started_; }
    // True when the whole job went to the spooler.
    bool End() { return std::exchange(started_, false) && EndDoc(printer_) > 0; }

private:
    HDC printer_;
    bool started_ = false;
};

// GetDC/ReleaseDC pair.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { ReleaseDC(hwnd_, dc_); }
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// A 32-bpp top-down DIB section (rows from the top, BGRA pixels at `bits`).
Bitmap CreateTopDownDib(HDC reference, int width, int height, void** bits);

// An off-screen 32-bpp top-down DIB with its DC; used for flicker-free painting
// and by tests that read pixels.
class MemoryCanvas {
public:
    MemoryCanvas(HDC reference, int width, int height);
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF Pixel(int x, int y) const;  // as a COLORREF ($00BBGGRR)
    void BlitTo(HDC target, int x, int y) const;

private:
    MemoryDc dc_;
    void* bits_ = nullptr;
    Bitmap buffer_;
    SelectGuard select_;
    int width_ = 0;
    int height_ = 0;
};

// Font of the given face; `points` > 0 means a size in points at the screen's DPI,
// `pixels` > 0 a character height in pixels.
struct FontSpec {
    std::wstring face = L"MS Sans Serif";
    int points = 0;
    int pixels = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    BYTE charset = EASTEUROPE_CHARSET;  // Hungarian texts: ő and ű on every system
};
Font MakeFont(const FontSpec& wanted);

class Canvas {
public:
    explicit Canvas(HDC dc) : dc_(dc) {}
    HDC Dc() const { return dc_; }

    void Fill(const RECT& r, COLORREF colour);
    // Delphi-style 3D frame: `width` nested rectangles, left/top in `topLeft`,
    // right/bottom in `bottomRight`; `r` shrinks by `width`.
    void Frame3D(RECT& r, COLORREF topLeft, COLORREF bottomRight, int width);
    void Text(int x, int y, const std::wstring& text, HFONT font, COLORREF colour);
    // Single line, vertically centred in `r`, clipped to it.
    void TextInRect(const RECT& r, const std::wstring& text, HFONT font, COLORREF colour, UINT align = DT_LEFT);
    void Ellipse(const RECT& r, COLORREF fill, COLORREF outline);
    void Rectangle(const RECT& r, COLORREF fill, COLORREF outline);
    SIZE TextSize(const std::wstring& text, HFONT font);

private:
    HDC dc_;
};

// Answers WM_PAINT: BeginPaint, `paint` into an off-screen copy of the client
// area, one copy to the screen, EndPaint. No flicker, whatever `paint` draws.
void PaintDoubleBuffered(HWND hwnd, const std::function<void(Canvas&)>& paint);

// Colours may name system colours ($80000000 | index), as stored colour values do.
COLORREF ResolveColour(int32_t colour);
