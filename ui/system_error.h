// Errors the system reports through GetLastError, as the program's own error type.
#pragma once

#include <windows.h>

#include <string>

// The system's text for `code` ("Az ablak nem hozható létre…" on a Hungarian system),
// without the trailing line break; the number when the system has no text for it.
std::wstring SystemErrorText(DWORD code);
// Throws AppError with the system's text of the last error, after `what`.
[[noreturn]] void ThrowLastError(const std::wstring& what);
