// The "Magyar munkaszüneti napok" option of the main window: whether the month, the
// printed calendar and the export follow the Hungarian working calendar, kept in the
// program's registry key, and the calendar itself, read from Data\Munkarend.txt at
// its first use after each show of the main window.
#pragma once

#include <string>

#include "store/work_calendar.h"

class RegistryValues;

class WorkDaysOption {
public:
    static constexpr const wchar_t* kValueName = L"MunkaszunetiNapok";  // "1": on

    void Read(const RegistryValues& values);
    // Sets the option and stores it in `registryKey`.
    void Set(bool on, const std::wstring& registryKey);
    bool On() const { return on_; }

    // The calendar of the program's file. A file that cannot be read leaves the
    // computed holidays alone, and its error waits for TakeError.
    const WorkCalendar& Calendar(const std::wstring& programDir);
    // The calendar while the option is on, else null (the fixed red-letter rule).
    const WorkCalendar* Active(const std::wstring& programDir) { return on_ ? &Calendar(programDir) : nullptr; }
    // The last reading's error ("" when it was read).
    const std::wstring& Error() const { return error_; }
    // The error once, for the message box; then "".
    std::wstring TakeError();
    // The next use reads the file again (the user may have brought it up to date).
    void Reload() { loaded_ = false; }

private:
    bool on_ = false;
    bool loaded_ = false;
    bool reported_ = false;
    WorkCalendar calendar_;
    std::wstring error_;
};
