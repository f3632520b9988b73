// Times programs from launch to their visible, painted main window, taking turns
// in one Wine prefix (each round begins with the next program, so that none always
// comes first): round after round each program is started, its first visible
// captioned window awaited, the window's thread waited for until it has handled its
// pending messages (so the show sequence and the first paint are done), and the
// program ended. Prints every round, then the median of each program and its ratio
// to the first one.
//
//   startup_timer.exe ROUNDS NAME=PATH\prog.exe [NAME=PATH\prog.exe ...]
//
// With STARTUP_TRACE_FOLDER=folder each start is handed its own trace file,
// folder\NAME-ROUND.txt, in TIVORN_STARTUP_TRACE (round 0 is the warm-up).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Program {
    std::wstring name, path;
    std::vector<double> ms;
};

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindShown(HWND hwnd, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && IsWindowVisible(hwnd) && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Seconds(const LARGE_INTEGER& a, const LARGE_INTEGER& b, const LARGE_INTEGER& f) {
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Launch to visible and idle main window, in milliseconds; negative on failure.
double TimeOne(const Program& p, int round) {
    wchar_t folder[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"STARTUP_TRACE_FOLDER", folder, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        const std::wstring trace = std::wstring(folder) + L"\\" + p.name + L"-" + std::to_wstring(round) + L".txt";
        SetEnvironmentVariableW(L"TIVORN_STARTUP_TRACE", trace.c_str());
    }
    std::wstring command = L"\"" + p.path + L"\"";
    std::wstring programFolder = p.path.substr(0, p.path.find_last_of(L'\\'));
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER f, start, now;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, programFolder.c_str(), &si, &pi))
        return -1;
    double result = -1;
    for (;;) {
        Search s{pi.dwProcessId, nullptr};
        EnumWindows(FindShown, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(s.found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
            QueryPerformanceCounter(&now);
            result = 1000.0 * Seconds(start, now, f);
            break;
        }
        QueryPerformanceCounter(&now);
        if (Seconds(start, now, f) > 60 || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    Sleep(200);  // let the window system settle before the next start
    return result;
}

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: startup_timer ROUNDS NAME=PATH ...\n");
        return 2;
    }
    const int rounds = std::max(1, _wtoi(argv[1]));
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        std::wstring arg = argv[i];
        const size_t eq = arg.find(L'=');
        programs.push_back(Program{arg.substr(0, eq), arg.substr(eq + 1), {}});
    }
    for (auto& p : programs) TimeOne(p, 0);  // warm-up round: caches, first-run registry values
    // Each round starts with the next program: a start right after another one is
    // slower than the first of a round, so every program takes every place in turn.
    const size_t count = programs.size();
    for (int r = 1; r <= rounds; ++r) {
        std::vector<double> round(count, -1);
        for (size_t k = 0; k < count; ++k) {
            const size_t i = (static_cast<size_t>(r - 1) + k) % count;
            round[i] = TimeOne(programs[i], r);
            if (round[i] >= 0) programs[i].ms.push_back(round[i]);
        }
        std::wprintf(L"round %2d:", r);
        for (size_t i = 0; i < count; ++i) std::wprintf(L"  %ls %7.1f ms", programs[i].name.c_str(), round[i]);
        std::wprintf(L"\n");
        std::fflush(stdout);
    }
    const double base = Median(programs[0].ms);
    for (const auto& p : programs) {
        const double m = Median(p.ms);
        std::wprintf(L"median %-14ls %7.1f ms  ratio %.2f  (%zu rounds)\n", p.name.c_str(), m, base > 0 ? m / base : 0.0,
                     p.ms.size());
    }
    return 0;
}
