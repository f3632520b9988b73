#include "platform/text_file.h"

#include "platform/codec1250.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

// wchar_t is UTF-16 on Windows and UTF-32 on Linux.
void Append(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}

// One UTF-8 sequence at `i`: its code point and length, or length 0 when invalid.
size_t Utf8Sequence(std::string_view bytes, size_t i, char32_t& c) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char b = byte(i);
    size_t length;
    char32_t minimum;
    if (b < 0x80) {
        c = b;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        length = 2, c = b & 0x1F, minimum = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3, c = b & 0x0F, minimum = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4, c = b & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

std::wstring DecodeUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const size_t length = Utf8Sequence(bytes, i, c);
        if (length == 0) {
            Append(out, kReplacement);
            ++i;
        } else {
            Append(out, c);
            i += length;
        }
    }
    return out;
}

std::wstring DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring out;
    out.reserve(bytes.size() / 2);
    auto unit = [&](size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        Append(out, c);
    }
    if (bytes.size() % 2 != 0) Append(out, kReplacement);
    return out;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const size_t length = Utf8Sequence(bytes, i, c);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kUtf16LeMark)) return TextEncoding::Utf16LittleEndian;
    if (StartsWith(bytes, kUtf16BeMark)) return TextEncoding::Utf16BigEndian;
    if (StartsWith(bytes, kUtf8Mark) || IsValidUtf8(bytes)) return TextEncoding::Utf8;
    return TextEncoding::Windows1250;
}

std::wstring DecodeTextFile(std::string_view bytes) {
    switch (DetectTextEncoding(bytes)) {
        case TextEncoding::Utf16LittleEndian:
            return DecodeUtf16(bytes.substr(kUtf16LeMark.size()), false);
        case TextEncoding::Utf16BigEndian:
            return DecodeUtf16(bytes.substr(kUtf16BeMark.size()), true);
        case TextEncoding::Utf8:
            return DecodeUtf8(StartsWith(bytes, kUtf8Mark) ? bytes.substr(kUtf8Mark.size()) : bytes);
        case TextEncoding::Windows1250:
            break;
    }
    return DecodeCp1250(bytes);
}
