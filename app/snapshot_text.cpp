#include "app/snapshot_text.h"

#include <cstdio>

#include "platform/eljaras.h"

std::wstring SnapshotWhenText(const SnapshotFile& file) {
    std::wstring text = FormatDottedDate(file.date);
    // "yyyy-mm-dd_hhmmss.zip": the time follows the underscore.
    if (file.name.size() == 21)
        text += L" " + file.name.substr(11, 2) + L":" + file.name.substr(13, 2) + L":" + file.name.substr(15, 2);
    return text;
}

std::wstring SnapshotSizeText(uint64_t bytes) {
    wchar_t text[32];
    if (bytes < 1024 * 1024)
        std::swprintf(text, 32, L"%llu KB", static_cast<unsigned long long>((bytes + 1023) / 1024));
    else
        std::swprintf(text, 32, L"%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    return text;
}
