#include "store/html_text.h"

#include <cstdint>

namespace {

std::wstring LowerAscii(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

// The tag's name in lower case, without "/" and attributes ("br", "/p" gives "p").
std::wstring TagName(std::wstring_view tag, bool& closing) {
    size_t i = 0;
    closing = i < tag.size() && tag[i] == L'/';
    if (closing) ++i;
    size_t end = i;
    while (end < tag.size() && ((tag[end] >= L'a' && tag[end] <= L'z') || (tag[end] >= L'A' && tag[end] <= L'Z') ||
                                (tag[end] >= L'0' && tag[end] <= L'9')))
        ++end;
    return LowerAscii(tag.substr(i, end - i));
}

bool IsKnownTag(const std::wstring& name) {
    static constexpr std::wstring_view kTags[] = {L"br", L"p",  L"div", L"b",    L"i",  L"u",      L"a",
                                                  L"ul", L"ol", L"li",  L"span", L"em", L"strong", L"html"};
    for (std::wstring_view t : kTags)
        if (name == t) return true;
    return false;
}

// "&amp;", "&#233;", "&#x151;": the character, or none for an unknown name.
bool ReadReference(std::wstring_view text, size_t& i, std::wstring& out) {
    const size_t semicolon = text.find(L';', i);
    if (semicolon == std::wstring_view::npos || semicolon - i > 10) return false;
    const std::wstring name = LowerAscii(text.substr(i + 1, semicolon - i - 1));
    char32_t c = 0;
    if (name == L"amp") c = L'&';
    else if (name == L"lt") c = L'<';
    else if (name == L"gt") c = L'>';
    else if (name == L"quot") c = L'"';
    else if (name == L"apos") c = L'\'';
    else if (name == L"nbsp") c = L' ';
    else if (name.size() > 1 && name[0] == L'#') {
        const bool hex = name[1] == L'x';
        uint32_t value = 0;
        for (size_t k = hex ? 2 : 1; k < name.size(); ++k) {
            const wchar_t d = name[k];
            const int digit = d >= L'0' && d <= L'9' ? d - L'0' : hex && d >= L'a' && d <= L'f' ? d - L'a' + 10 : -1;
            if (digit < 0 || value > 0x10FFFF) return false;
            value = value * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
        }
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
        c = value;
    } else {
        return false;
    }
    if (sizeof(wchar_t) == 2 && c >= 0x10000) {
        out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        out += static_cast<wchar_t>(c);
    }
    i = semicolon + 1;
    return true;
}

}  // namespace

bool LooksLikeHtml(std::wstring_view text) {
    for (size_t i = text.find(L'<'); i != std::wstring_view::npos; i = text.find(L'<', i + 1)) {
        const size_t close = text.find(L'>', i);
        if (close == std::wstring_view::npos) return false;
        bool closing = false;
        if (IsKnownTag(TagName(text.substr(i + 1, close - i - 1), closing))) return true;
    }
    return false;
}

std::wstring HtmlToPlainText(std::wstring_view html) {
    std::wstring out;
    out.reserve(html.size());
    for (size_t i = 0; i < html.size();) {
        const wchar_t c = html[i];
        if (c == L'<') {
            const size_t close = html.find(L'>', i);
            if (close == std::wstring_view::npos) break;  // a tag cut off: the rest is no text
            bool closing = false;
            const std::wstring name = TagName(html.substr(i + 1, close - i - 1), closing);
            if (name == L"br" || (closing && (name == L"p" || name == L"div" || name == L"li"))) out += L'\n';
            else if (!closing && name == L"li") out += L"\u2022 ";
            i = close + 1;
        } else if (c == L'&' && ReadReference(html, i, out)) {
            continue;
        } else {
            // Line breaks of the source are blanks in HTML; the tags make the lines.
            out += c == L'\r' || c == L'\n' ? L' ' : c;
            ++i;
        }
    }
    return out;
}
