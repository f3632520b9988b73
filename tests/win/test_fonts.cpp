// The fonts of the program's prefix draw as on Windows: Tahoma Bold at the day
// numbers' size is bold, not the regular face's bitmaps under a bold name.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Ink of `text` (the darkness of every pixel, summed) drawn black on white in Tahoma `pixels` high.
int InkOf(const std::wstring& text, int pixels, int weight) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = 200;
    info.bmiHeader.biHeight = -40;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all{0, 0, 200, 40};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    LOGFONTW lf{};
    lf.lfHeight = -pixels;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, 0);
    TextOutW(dc, 2, 2, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
    int ink = 0;
    const auto* pixel = static_cast<const DWORD*>(bits);
    for (int i = 0; i < 200 * 40; ++i) ink += 0xFF - static_cast<int>(pixel[i] & 0xFF);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ink;
}

TEST(Fonts, DayNumbersInTahomaBoldAreBold) {
    const int pixels = 16;  // 12 pt at 96 dpi
    const int regular = InkOf(L"1 12 25 31", pixels, FW_NORMAL);
    const int bold = InkOf(L"1 12 25 31", pixels, FW_BOLD);
    EXPECT_GT(regular, 0);
    EXPECT_GT(bold, regular * 5 / 4) << "regular " << regular << ", bold " << bold;
}

}  // namespace
