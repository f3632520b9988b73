// Temporary files of our own: the names the atomic writes and deletions use, and the
// clean-up of what a program killed in the middle of a save left in the data folder.
#pragma once

#include <cstdint>
#include <string>

// Suffix of every temporary file the program makes.
inline constexpr const wchar_t* kTemporarySuffix = L".tivorn-tmp";
// Suffix of a day's note moved aside while its entry is deleted. Never swept blindly:
// a delete whose rollback could not put the note back leaves the only copy under it.
inline constexpr const wchar_t* kAsideSuffix = L".tivorn-old";

// "<path>.<8 hex digits>.tivorn-tmp": beside the file it stands for, named after it,
// and with a suffix no user's file has.
std::wstring TemporaryFileName(const std::wstring& path, uint32_t number);
// "<path>.<8 hex digits>.tivorn-old": the note moved aside (MoveFileAside).
std::wstring AsideFileName(const std::wstring& path, uint32_t number);
// The file an aside name stands for ("20261206.rtf" of "20261206.rtf.0a1b2c3d.tivorn-old"),
// empty for any other name.
std::wstring AsideOriginalName(const std::wstring& name);
// A fresh random number for TemporaryFileName; callers try another on a collision.
uint32_t RandomTemporaryNumber();

// A file of ours that a save cut short left behind: any "*.tivorn-tmp", and the fixed
// names earlier versions used ("index.txt.tmp", "jegyzet.rtf.tmp", "yyyymmdd.rtf.tmp").
// Letter case does not matter, as in Windows file names.
bool IsLeftoverFileName(const std::wstring& name);

// Removes the leftovers from the data folder; nothing else there is touched. Returns
// how many were removed (one that cannot be removed stays until a later start).
int RemoveLeftoverFiles(const std::wstring& dataDir);
