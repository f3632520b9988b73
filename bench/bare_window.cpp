// The yardstick of the start-up benchmark: a bare Win32 window (register a class,
// create, show, paint) and nothing else. Like Tivorn it writes the time stamps of
// its steps to the file TIVORN_STARTUP_TRACE names, when it names one.
#include <windows.h>

#include <cstdio>

// Milliseconds since the process was created, as Tivorn's own trace counts them.
static double MsSinceCreated() {
    FILETIME created{}, exit{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exit, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(static_cast<long long>(ticks(now) - ticks(created))) / 10000.0;
}

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(dc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
            TextOutW(dc, 8, 8, L"Bare", 4);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const double started = MsSinceCreated();
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"BareWindow";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, L"BareWindow", L"Bare window", WS_OVERLAPPEDWINDOW, 6, 7, 794, 578, nullptr,
                                nullptr, instance, nullptr);
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    wchar_t trace[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"TIVORN_STARTUP_TRACE", trace, MAX_PATH);
    if (n > 0 && n < MAX_PATH) {
        const double painted = MsSinceCreated();
        if (FILE* f = _wfopen(trace, L"w")) {
            std::fprintf(f, "%9.1f ms %+8.1f ms  wWinMain\n", started, started);
            std::fprintf(f, "%9.1f ms %+8.1f ms  first paint done\n", painted, painted - started);
            std::fclose(f);
        }
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
