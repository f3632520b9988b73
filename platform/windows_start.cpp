#include "platform/windows_start.h"

#include <windows.h>

#include <vector>

#include "platform/eljaras_win.h"

std::wstring TrayStartCommand() {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    return L"\"" + std::wstring(path.data(), length) + L"\" /tray";
}

bool StartsWithWindows() {
    const std::wstring value = ReadRegString(HKEY_CURRENT_USER, kRunKey, kRunValue);
    return !value.empty() && CompareStringOrdinal(value.c_str(), -1, TrayStartCommand().c_str(), -1, TRUE) == CSTR_EQUAL;
}

void SetStartsWithWindows(bool on) {
    if (on)
        WriteRegString(HKEY_CURRENT_USER, kRunKey, kRunValue, TrayStartCommand());
    else
        RegDeleteKeyValueW(HKEY_CURRENT_USER, std::wstring(kRunKey).substr(1).c_str(), kRunValue);
}
