// Shared procedures that need Windows: registry values, the user's shell folders,
// shell links and the regional month names.
#pragma once

#include <windows.h>

#include <string>

#include "platform/eljaras.h"
#include "ui/unique_handle.h"

// Key paths begin with a backslash and are taken from the root ("\Software\Ketrabo\Tivorn\").
// The program's own registry key under HKEY_CURRENT_USER.
inline constexpr const wchar_t* kProgramRegistryKey = L"\\Software\\Ketrabo\\Tivorn\\";

std::wstring ReadRegString(HKEY root, const std::wstring& key, const std::wstring& name);

struct CloseRegKey {
    void operator()(HKEY k) const { RegCloseKey(k); }
};
using RegKey = UniqueHandle<HKEY, CloseRegKey>;

// One key kept open to read several text values: under Wine every registry call is a
// round trip to the server, and a value read on its own takes four.
class RegistryValues {
public:
    RegistryValues(HKEY root, const std::wstring& key);

    // The value's text; empty when the key or the value is missing. Throws AppError
    // for a value that is no text.
    std::wstring ReadString(const std::wstring& name) const;

private:
    RegKey key_;
};
bool WriteRegString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text);
void EnsureRegKey(HKEY root, const std::wstring& key);

std::wstring GetDesktopFolder();
std::wstring GetProgramsFolder();

// Writes a shell link (.lnk). Throws AppError when the shell link object cannot be made.
void CreateShortcut(const std::wstring& target, const std::wstring& workingFolder, const std::wstring& arguments,
                    const std::wstring& linkFile);

// Full month names of the user's regional settings.
MonthNames RegionalMonthNames();

// Folder of the running program, without a trailing backslash.
std::wstring ExecutableFolder();
