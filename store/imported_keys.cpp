#include "store/imported_keys.h"

#include <algorithm>

#include "platform/errors.h"
#include "platform/text_file.h"
#include "store/entry_store.h"

namespace {

// A control character cannot stand in a line; a byte-order mark at a line's start
// would be taken for the file's own at the first line.
bool HasControl(std::wstring_view key) {
    return std::any_of(key.begin(), key.end(), [](wchar_t c) { return c < 0x20 || c == 0x7F || c == 0xFEFF; });
}

}  // namespace

std::wstring ImportedKeysPath(const std::wstring& programDir) {
    return EntryStore::DataDir(programDir) + L"\\" + kImportedKeysFile;
}

std::set<std::wstring> ParseImportedKeys(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::set<std::wstring> keys;
    while (!bytes.empty()) {
        const size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.find_first_not_of(' ') == std::string_view::npos || !IsValidUtf8(line)) continue;
        std::wstring key = Utf8ToWide(line);
        if (!HasControl(key)) keys.insert(std::move(key));
    }
    return keys;
}

std::string ImportedKeysText(const std::set<std::wstring>& keys) {
    std::string text;
    for (const std::wstring& key : keys) {
        if (key.empty() || HasControl(key)) continue;
        text += WideToUtf8(key);
        text += "\r\n";
    }
    return text;
}
