#include "app/command_line.h"

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The program name ends at the next quote when it starts with one, else at the
// first blank; backslashes are part of a path there, never escapes.
size_t SkipProgramName(std::wstring_view line) {
    size_t i = 0;
    if (!line.empty() && line[0] == L'"') {
        const size_t close = line.find(L'"', 1);
        i = close == std::wstring_view::npos ? line.size() : close + 1;
    }
    while (i < line.size() && !IsBlank(line[i])) ++i;
    return i;
}

}  // namespace

std::vector<std::wstring> CommandLineParameters(std::wstring_view line) {
    std::vector<std::wstring> out;
    size_t i = SkipProgramName(line);
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::wstring parameter;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            size_t slashes = 0;
            while (i < line.size() && line[i] == L'\\') ++slashes, ++i;
            if (i < line.size() && line[i] == L'"') {
                // 2n backslashes + quote: n backslashes and a quote that toggles;
                // 2n+1: n backslashes and a literal quote.
                parameter.append(slashes / 2, L'\\');
                if (slashes % 2 == 1) {
                    parameter += L'"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    parameter += L'"';  // "" inside quotes is one quote
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                parameter.append(slashes, L'\\');
                if (i < line.size() && (quoted || !IsBlank(line[i]))) parameter += line[i++];
            }
        }
        out.push_back(std::move(parameter));
    }
    return out;
}
