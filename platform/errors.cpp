#include "platform/errors.h"

#include "platform/utf8.h"

AppError::AppError(std::wstring text) : text_(std::move(text)), utf8_(WideToUtf8(text_)) {}

FileOpenError::FileOpenError(const std::wstring& path) : AppError(L"Cannot open file " + path) {}

FileCreateError::FileCreateError(const std::wstring& path) : AppError(L"Cannot create file " + path) {}

PrintError::PrintError(const std::wstring& jobName) : AppError(L"Cannot print " + jobName) {}

FileDeleteError::FileDeleteError(const std::wstring& path) : AppError(L"Cannot delete file " + path) {}

ConvertError::ConvertError(const std::wstring& text)
    : AppError(L"'" + text + L"' is not a valid integer value") {}

std::string WideToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&out](char32_t c) { AppendUtf8(out, c); });
    return out;
}

std::wstring Utf8ToWide(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        char32_t c;
        int extra;
        if (b < 0x80) { c = b; extra = 0; }
        else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; extra = 1; }
        else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; extra = 2; }
        else if ((b & 0xF8) == 0xF0) { c = b & 0x07; extra = 3; }
        else { out += L'?'; ++i; continue; }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) { ok = false; break; }
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        if (!ok) { out += L'?'; ++i; continue; }
        i += extra + 1;
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0x10000) {
                c -= 0x10000;
                out += static_cast<wchar_t>(0xD800 + (c >> 10));
                out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
                continue;
            }
        }
        out += static_cast<wchar_t>(c);
    }
    return out;
}
