#include "report/text_wrap.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view TrimRight(std::wstring_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The longest start of `word` (at least one character) that fits.
size_t FittingPrefix(std::wstring_view word, int maxWidth, const TextWidth& width) {
    size_t low = 1, high = word.size();
    while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (width(word.substr(0, mid)) <= maxWidth)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

void WrapParagraph(std::wstring_view para, int maxWidth, const TextWidth& width, std::vector<std::wstring>& out) {
    if (TrimRight(para).empty()) {
        out.emplace_back();
        return;
    }
    size_t pos = 0;
    while (pos < para.size()) {
        // Extend the line word by word while it fits.
        size_t end = pos, fitted = pos;
        while (end < para.size()) {
            size_t next = end;
            while (next < para.size() && IsBlank(para[next])) ++next;
            while (next < para.size() && !IsBlank(para[next])) ++next;
            if (width(TrimRight(para.substr(pos, next - pos))) > maxWidth) break;
            fitted = end = next;
        }
        if (fitted == pos) {
            // Not even the first word fits: break it inside.
            size_t wordEnd = pos;
            while (wordEnd < para.size() && !IsBlank(para[wordEnd])) ++wordEnd;
            if (wordEnd == pos) {  // leading blanks wider than the column
                while (pos < para.size() && IsBlank(para[pos])) ++pos;
                continue;
            }
            fitted = pos + FittingPrefix(para.substr(pos, wordEnd - pos), maxWidth, width);
        }
        out.emplace_back(TrimRight(para.substr(pos, fitted - pos)));
        pos = fitted;
        while (pos < para.size() && IsBlank(para[pos])) ++pos;
    }
}

}  // namespace

std::vector<std::wstring> WrapText(std::wstring_view text, int maxWidth, const TextWidth& width) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (true) {
        size_t nl = text.find(L'\n', start);
        std::wstring_view para = text.substr(start, nl == std::wstring_view::npos ? std::wstring_view::npos : nl - start);
        if (!para.empty() && para.back() == L'\r') para.remove_suffix(1);
        WrapParagraph(para, maxWidth, width, lines);
        if (nl == std::wstring_view::npos) break;
        start = nl + 1;
    }
    return lines;
}
