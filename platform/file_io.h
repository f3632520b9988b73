// The few file operations the program needs, with Windows-style paths
// ("C:\prog\Data\index.txt"). Windows and POSIX implementations behave alike so the
// store can be tested natively.
#pragma once

#include <string>
#include <string_view>

// Whole file as bytes. Throws FileOpenError with the path.
std::string ReadWholeFile(const std::wstring& path);

// Replaces the file atomically: the bytes go to a temporary file in the same folder,
// are flushed to disk, and the temporary file then takes the place of the old one.
// On any failure the old file is untouched, the temporary file is removed and
// FileCreateError is thrown.
void WriteFileAtomically(const std::wstring& path, std::string_view bytes);

bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
bool CreateFolder(const std::wstring& path);     // one level; false when it could not be made
bool DeleteFileIfExists(const std::wstring& path);  // false only when it exists and stays
