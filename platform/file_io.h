// The few file operations the program needs, with Windows-style paths
// ("C:\prog\Data\index.txt"). Windows and POSIX implementations behave alike so the
// store can be tested natively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Whole file as bytes. Throws FileOpenError with the path.
std::string ReadWholeFile(const std::wstring& path);

// Replaces the file atomically: the bytes go to a new temporary file of our own in
// the same folder (TemporaryFileName), are flushed to disk, and the temporary file then
// takes the place of the old one. On any failure the old file is untouched, the
// temporary file is removed and FileCreateError is thrown.
void WriteFileAtomically(const std::wstring& path, std::string_view bytes);

// Moves an existing file to a new temporary name of our own beside it and returns that
// name, so it can be put back (RenameFile) or finally removed. Throws FileDeleteError
// when the file cannot be moved (locked, read-only folder).
std::wstring MoveFileAside(const std::wstring& path);
// Renames a file; false when the target exists or the move fails.
bool RenameFile(const std::wstring& from, const std::wstring& to);

bool FileExists(const std::wstring& path);
bool DirectoryExists(const std::wstring& path);
bool CreateFolder(const std::wstring& path);     // one level; false when it could not be made
bool DeleteFileIfExists(const std::wstring& path);  // false only when it exists and stays
// Deletes one of our temporary files, a read-only one too; false when it stays.
bool RemoveTemporaryFile(const std::wstring& path);
// Names (not paths) of the plain files directly in a folder whose names match the
// pattern (Windows wildcards "*" and "?", letter case ignored; a pattern may also
// match a file's short name on Windows); empty when the folder cannot be read.
std::vector<std::wstring> FileNamesIn(const std::wstring& folder, const std::wstring& pattern = L"*");
