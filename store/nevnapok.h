// The name-day table: the Hungarian name day of every date, from "\Data\Névnapok.txt"
// (one Windows-1250 line per day of a common year, 1 January first).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/eljaras.h"

class TNevnapok {
public:
    static constexpr const wchar_t* kLeapDay = L"Szökőnap";
    static constexpr const wchar_t* kPlaceholder = L"xxx";
    static constexpr const wchar_t* kMissingFileMessage = L"Hiányzó Névnapok.txt file";
    static constexpr size_t kDaysInCommonYear = 365;

    // Loads the file. A missing or unreadable file calls `reportMissing` (the owner
    // shows the message box) and gives "xxx" for every day; a short file gives "xxx"
    // for the days it lacks. Never throws because of the file.
    TNevnapok(const std::wstring& fileName, const std::function<void()>& reportMissing);

    // Only the month and day matter; every 29 February is "Szökőnap".
    std::wstring GetNameDay(const Date& date) const;

    // The days (of the common year 2001) whose names include `name`, letter case and
    // accents aside ("Ágota" finds "Agota" too); several for a name with several name days.
    std::vector<Date> DaysOfName(const std::wstring& name) const;

    static std::wstring FilePath(const std::wstring& programDir) { return programDir + L"\\Data\\Névnapok.txt"; }

private:
    void LoadNames(const std::wstring& fileName);
    void FillPlaceholders();

    std::vector<std::wstring> FNames;
};
