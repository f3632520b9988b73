#include "ui/canvas.h"
#include "ui/dpi.h"

#include <algorithm>
#include <memory>

MemoryCanvas::MemoryCanvas(HDC reference, int width, int height)
    : dc_(reference),
      buffer_(CreateTopDownDib(reference, width > 0 ? width : 1, height > 0 ? height : 1, &bits_)),
      select_(dc_.Get(), buffer_.Get()),
      width_(width > 0 ? width : 1),
      height_(height > 0 ? height : 1) {}

Bitmap CreateTopDownDib(HDC reference, int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return Bitmap(CreateDIBSection(reference, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

COLORREF MemoryCanvas::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    GdiFlush();
    DWORD v = static_cast<const DWORD*>(bits_)[static_cast<size_t>(y) * static_cast<size_t>(width_) + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void MemoryCanvas::BlitTo(HDC target, int x, int y) const {
    BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

Font MakeFont(const FontSpec& wanted) {
    LOGFONTW lf{};
    if (wanted.pixels > 0)
        lf.lfHeight = -Px(wanted.pixels);
    else
        lf.lfHeight = -MulDiv(wanted.points > 0 ? wanted.points : 8, Dpi(), 72);
    lf.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = wanted.italic;
    lf.lfUnderline = wanted.underline;
    lf.lfCharSet = wanted.charset;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, wanted.face.c_str(), LF_FACESIZE);
    return Font(CreateFontIndirectW(&lf));
}

COLORREF ResolveColour(int32_t colour) {
    if (colour < 0) return GetSysColor(colour & 0xFF);
    return static_cast<COLORREF>(colour) & 0x00FFFFFF;
}

void Canvas::Fill(const RECT& r, COLORREF colour) {
    SetDCBrushColor(dc_, colour);
    FillRect(dc_, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Canvas::Frame3D(RECT& r, COLORREF topLeft, COLORREF bottomRight, int width) {
    for (int i = 0; i < width; ++i) {
        if (r.right - r.left < 1 || r.bottom - r.top < 1) break;
        RECT top{r.left, r.top, r.right - 1, r.top + 1};
        RECT left{r.left, r.top, r.left + 1, r.bottom - 1};
        RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
        RECT right{r.right - 1, r.top, r.right, r.bottom};
        Fill(top, topLeft);
        Fill(left, topLeft);
        Fill(bottom, bottomRight);
        Fill(right, bottomRight);
        InflateRect(&r, -1, -1);
    }
}

void Canvas::Text(int x, int y, const std::wstring& text, HFONT font, COLORREF colour) {
    if (text.empty()) return;
    SelectGuard f(dc_, font);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, colour);
    SetTextAlign(dc_, TA_LEFT | TA_TOP);
    TextOutW(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void Canvas::TextInRect(const RECT& r, const std::wstring& text, HFONT font, COLORREF colour, UINT align) {
    if (text.empty()) return;
    SelectGuard f(dc_, font);
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, colour);
    RECT box = r;
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &box,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void Canvas::Ellipse(const RECT& r, COLORREF fill, COLORREF outline) {
    Brush brush(CreateSolidBrush(fill));
    Pen pen(CreatePen(PS_SOLID, 1, outline));
    SelectGuard b(dc_, brush.Get());
    SelectGuard p(dc_, pen.Get());
    ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

void Canvas::Rectangle(const RECT& r, COLORREF fill, COLORREF outline) {
    Brush brush(CreateSolidBrush(fill));
    Pen pen(CreatePen(PS_SOLID, 1, outline));
    SelectGuard b(dc_, brush.Get());
    SelectGuard p(dc_, pen.Get());
    ::Rectangle(dc_, r.left, r.top, r.right, r.bottom);
}

SIZE Canvas::TextSize(const std::wstring& text, HFONT font) {
    SelectGuard f(dc_, font);
    SIZE size{};
    GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

namespace {

// The off-screen buffers of a thread's paints. Small paints (a button, a cell, a strip)
// share one buffer kept for the whole run. A large one (the month grid) is kept too
// while paints follow each other, as making a bitmap of its size costs more than the
// drawing (under Wine, a 786 x 493 bitmap made and dropped took about 8 ms, twice the
// grid's drawing), and is let go after a pause, so no window-sized bitmap stays in
// memory while the program waits.
constexpr int kSmallBufferPixels = 320 * 240;
constexpr UINT kLargeBufferPauseMs = 5000;

struct PaintBuffers {
    std::unique_ptr<MemoryCanvas> small;
    std::unique_ptr<MemoryCanvas> large;
    UINT_PTR dropTimer = 0;
};
thread_local PaintBuffers buffers;

void CALLBACK DropLargeBuffer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    buffers.dropTimer = 0;
    buffers.large.reset();
}

// A buffer of at least width x height, made from `dc` when none kept is big enough.
MemoryCanvas& BufferFor(HDC dc, int width, int height) {
    auto& small = buffers.small;
    const int smallWidth = std::max(width, small ? small->Width() : 0);
    const int smallHeight = std::max(height, small ? small->Height() : 0);
    if (smallWidth * smallHeight <= kSmallBufferPixels) {
        if (!small || small->Width() < width || small->Height() < height)
            small = std::make_unique<MemoryCanvas>(dc, smallWidth, smallHeight);
        return *small;
    }
    auto& large = buffers.large;
    if (!large || large->Width() < width || large->Height() < height) {
        const int largeWidth = std::max(width, large ? large->Width() : 0);
        const int largeHeight = std::max(height, large ? large->Height() : 0);
        large.reset();
        large = std::make_unique<MemoryCanvas>(dc, largeWidth, largeHeight);
    }
    // Each large paint puts the letting go off again.
    buffers.dropTimer = SetTimer(nullptr, buffers.dropTimer, kLargeBufferPauseMs, DropLargeBuffer);
    return *large;
}

}  // namespace

void PaintDoubleBuffered(HWND hwnd, const std::function<void(Canvas&)>& paint) {
    PaintDc target(hwnd);
    HDC dc = target.Get();
    // Only what can show: a window whose children cover it (they clip its painting)
    // has nothing of its own to paint, and no buffer is made for it.
    RECT visible{}, area{};
    const int clip = GetClipBox(dc, &visible);
    if (clip == NULLREGION) return;
    if (clip == ERROR) visible = target.Area();
    if (!IntersectRect(&area, &target.Area(), &visible)) return;
    const int width = area.right - area.left, height = area.bottom - area.top;
    // The off-screen buffer covers only the part that needs painting.
    MemoryCanvas* buffer = &BufferFor(dc, width, height);
    HDC back = buffer->Dc();
    SelectClipRgn(back, nullptr);
    // The window's own coordinates, shifted so the area's corner is the buffer's.
    SetViewportOrgEx(back, -area.left, -area.top, nullptr);
    IntersectClipRect(back, area.left, area.top, area.right, area.bottom);
    Canvas canvas(back);
    paint(canvas);
    BitBlt(dc, area.left, area.top, width, height, back, area.left, area.top, SRCCOPY);
}

