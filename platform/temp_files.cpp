#include "platform/temp_files.h"

#include <cstdio>
#include <cwctype>
#include <random>

#include "platform/file_io.h"

std::wstring TemporaryFileName(const std::wstring& path, uint32_t number) {
    wchar_t hex[16];
    std::swprintf(hex, 16, L".%08x", static_cast<unsigned>(number));
    return path + hex + kTemporarySuffix;
}

std::wstring AsideFileName(const std::wstring& path, uint32_t number) {
    wchar_t hex[16];
    std::swprintf(hex, 16, L".%08x", static_cast<unsigned>(number));
    return path + hex + kAsideSuffix;
}

uint32_t RandomTemporaryNumber() { return static_cast<uint32_t>(std::random_device{}()); }

namespace {

std::wstring Lower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsOldNoteTemporary(const std::wstring& name) {
    if (name.size() != 16 || !EndsWith(name, L".rtf.tmp")) return false;
    for (size_t i = 0; i < 8; ++i)
        if (name[i] < L'0' || name[i] > L'9') return false;
    return true;
}

}  // namespace

std::wstring AsideOriginalName(const std::wstring& name) {
    const std::wstring suffix = kAsideSuffix;
    const std::wstring lower = Lower(name);
    constexpr size_t kNumber = 9;  // ".<8 hex digits>"
    if (!EndsWith(lower, suffix) || lower.size() <= suffix.size() + kNumber) return {};
    const size_t dot = lower.size() - suffix.size() - kNumber;
    if (lower[dot] != L'.') return {};
    for (size_t i = dot + 1; i < dot + kNumber; ++i)
        if (!std::iswxdigit(static_cast<wint_t>(lower[i]))) return {};
    return name.substr(0, dot);
}

bool IsLeftoverFileName(const std::wstring& name) {
    const std::wstring lower = Lower(name);
    if (EndsWith(lower, kTemporarySuffix) && lower.size() > std::wstring(kTemporarySuffix).size()) return true;
    return lower == L"index.txt.tmp" || lower == L"jegyzet.rtf.tmp" || IsOldNoteTemporary(lower);
}

int RemoveLeftoverFiles(const std::wstring& dataDir) {
    int removed = 0;
    // Every leftover name ends in "tmp": the data folder's many notes are not even
    // listed, which a start would otherwise wait for in a diary of many years.
    for (const auto& name : FileNamesIn(dataDir, L"*tmp"))
        if (IsLeftoverFileName(name) && RemoveTemporaryFile(dataDir + L"\\" + name)) ++removed;
    return removed;
}
