// Time stamps of the start-up's main steps, to find where the time goes. Only when
// the environment variable TIVORN_STARTUP_TRACE names a file: the steps are then
// written there once the main window is up. Without it nothing is noted or written.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class StartupTrace {
public:
    static constexpr const wchar_t* kVariable = L"TIVORN_STARTUP_TRACE";

    StartupTrace();
    bool Enabled() const { return !path_.empty(); }
    // Notes a step as done now.
    void Mark(const wchar_t* step);
    // Writes the steps (milliseconds since the process was created, and since the
    // step before) to the file; later marks are ignored.
    void Finish();

    // The lines Finish writes.
    std::wstring Report() const;

private:
    struct Step {
        std::wstring name;
        double ms;
    };
    std::wstring path_;
    std::vector<Step> steps_;
    FILETIME created_{};
    bool finished_ = false;
};
