// The moved days of the yearly decrees on the working days around the holidays
// ("a 20XX. évi munkaszüneti napok körüli munkarendről"): the bridge rest days and the
// Saturdays worked in their place. They cannot be computed, so they come from a plain
// text file beside the program (Data\Munkarend.txt) that the user can bring up to
// date without a new program:
//
//   ; a comment
//   2026 10/2025. (IV. 30.) NGM rendelet      a year whose decree the file knows
//   2026.01.02. pihenőnap ledolgozás: január 10.
//   2026.01.10. munkanap  január 2.           for a working day: the day it replaces
//
// A year line with no day lines after it is a year known to have no moved days.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/errors.h"
#include "platform/eljaras.h"

struct MovedDay {
    Date date;
    bool restDay = false;  // else a working day (a Saturday worked)
    std::wstring note;
};

struct MovedDays {
    std::vector<int> years;      // the years whose decree the file holds, ascending
    std::vector<MovedDay> days;  // in the file's order
};

// A line of the file that cannot be read: names the file, the line and what is wrong.
class MovedDaysError : public AppError {
public:
    MovedDaysError(const std::wstring& file, size_t line, const std::wstring& reason);
};

// Reads the file's text (Windows-1250, or UTF-8/UTF-16 with a mark). Throws
// MovedDaysError at the first line it cannot read: a damaged file gives no half data.
MovedDays ParseMovedDays(std::wstring_view text, const std::wstring& fileName);

// Reads the file; throws FileOpenError when it is missing or unreadable.
MovedDays LoadMovedDays(const std::wstring& path);

inline std::wstring MovedDaysPath(const std::wstring& programDir) { return programDir + L"\\Data\\Munkarend.txt"; }
