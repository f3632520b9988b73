// Starting the program with Windows, hidden in the notification area: the per-user
// "Run" value "Tivorn" that names the program file with "/tray". Off unless the user
// turns it on; the program offers it once, when the first reminder is made.
#pragma once

#include <string>

inline constexpr const wchar_t* kRunKey = L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const wchar_t* kRunValue = L"Tivorn";

// The value's text for the running program: "\"C:\...\tivorn.exe\" /tray".
std::wstring TrayStartCommand();
// True when the value names a start of this program file.
bool StartsWithWindows();
void SetStartsWithWindows(bool on);
