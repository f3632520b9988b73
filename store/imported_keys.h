// The import keys of the days earlier imports wrote ("Data\Importalt.txt", UTF-8, one
// key a line): an import passes them over, so a file imported twice adds nothing new.
// The diary writes the file last in an import's batch and puts it back with the days
// when the batch fails; the snapshots hold it with the other data files.
#pragma once

#include <set>
#include <string>
#include <string_view>

inline constexpr const wchar_t* kImportedKeysFile = L"Importalt.txt";

std::wstring ImportedKeysPath(const std::wstring& programDir);

// The keys of the file's text. A damaged file loses only its damaged lines: a line
// that is not valid UTF-8, or is blank, is absent.
std::set<std::wstring> ParseImportedKeys(std::string_view bytes);

// The file's text: the keys in order, one a line (CR LF). A key with a control
// character in it cannot be a line of its own and is left out.
std::string ImportedKeysText(const std::set<std::wstring>& keys);
