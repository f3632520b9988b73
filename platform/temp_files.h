// Temporary files of our own: the names the atomic writes and deletions use, and the
// clean-up of what a program killed in the middle of a save left in the data folder.
#pragma once

#include <cstdint>
#include <string>

// Suffix of every temporary file the program makes.
inline constexpr const wchar_t* kTemporarySuffix = L".tivorn-tmp";

// "<path>.<8 hex digits>.tivorn-tmp": beside the file it stands for, named after it,
// and with a suffix no user's file has.
std::wstring TemporaryFileName(const std::wstring& path, uint32_t number);
// A fresh random number for TemporaryFileName; callers try another on a collision.
uint32_t RandomTemporaryNumber();

// A file of ours that a save cut short left behind: any "*.tivorn-tmp", and the fixed
// names earlier versions used ("index.txt.tmp", "jegyzet.rtf.tmp", "yyyymmdd.rtf.tmp").
// Letter case does not matter, as in Windows file names.
bool IsLeftoverFileName(const std::wstring& name);

// Removes the leftovers from the data folder; nothing else there is touched. Returns
// how many were removed (one that cannot be removed stays until a later start).
int RemoveLeftoverFiles(const std::wstring& dataDir);
