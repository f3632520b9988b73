#include "platform/startup_trace.h"

#include <cstdio>
#include <memory>

#include "platform/errors.h"

namespace {

double MsBetween(const FILETIME& from, const FILETIME& to) {
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(static_cast<long long>(ticks(to) - ticks(from))) / 10000.0;  // 100 ns units
}

}  // namespace

StartupTrace::StartupTrace() {
    wchar_t path[MAX_PATH] = L"";
    const DWORD n = GetEnvironmentVariableW(kVariable, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    path_ = path;
    FILETIME exit{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created_, &exit, &kernel, &user);
    steps_.reserve(32);
}

void StartupTrace::Mark(const wchar_t* step) {
    if (path_.empty() || finished_) return;
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    steps_.push_back(Step{step, MsBetween(created_, now)});
}

std::wstring StartupTrace::Report() const {
    std::wstring out;
    double before = 0;
    for (const auto& step : steps_) {
        wchar_t line[160];
        swprintf(line, 160, L"%9.1f ms %+8.1f ms  ", step.ms, step.ms - before);
        out += line + step.name + L"\r\n";
        before = step.ms;
    }
    return out;
}

void StartupTrace::Finish() {
    if (path_.empty() || finished_) return;
    finished_ = true;
    // Plainly written, not flushed to the disk: the start being timed must not wait
    // for its own measurement. A trace that cannot be written is a lost measurement.
    const std::string text = WideToUtf8(Report());
    const std::unique_ptr<FILE, int (*)(FILE*)> file(_wfopen(path_.c_str(), L"wb"), &std::fclose);
    if (file) std::fwrite(text.data(), 1, text.size(), file.get());
}
