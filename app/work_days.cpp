#include "app/work_days.h"

#include "platform/eljaras_win.h"

void WorkDaysOption::Read(const RegistryValues& values) {
    try {
        on_ = values.ReadString(kValueName) == L"1";
    } catch (const AppError&) {
        on_ = false;  // a value of the wrong type: the default
    }
}

void WorkDaysOption::Set(bool on, const std::wstring& registryKey) {
    on_ = on;
    WriteRegString(HKEY_CURRENT_USER, registryKey, kValueName, on ? L"1" : L"0");
}

const WorkCalendar& WorkDaysOption::Calendar(const std::wstring& programDir) {
    if (loaded_) return calendar_;
    loaded_ = true;
    try {
        calendar_ = WorkCalendar(LoadMovedDays(MovedDaysPath(programDir)));
        error_.clear();
    } catch (const AppError& e) {
        calendar_ = WorkCalendar();
        if (e.Text() != error_) reported_ = false;  // a new fault is told again
        error_ = e.Text();
    }
    return calendar_;
}

std::wstring WorkDaysOption::TakeError() {
    if (error_.empty() || reported_) return {};
    reported_ = true;
    return error_;
}
