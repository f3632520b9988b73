// A month step under Wine, from the click to the fully painted grid, with an index
// of 100,000 lines. Prints the median, the 95th percentile and the slowest step.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "app/main.h"
#include "platform/file_io.h"
#include "ui/application.h"

int main() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring dir = std::wstring(temp) + L"tivorn-bench";
    CreateDirectoryW(dir.c_str(), nullptr);
    CreateDirectoryW((dir + L"\\Data").c_str(), nullptr);
    EntryStore index;
    std::mt19937 random(42);
    for (int i = 0; i < 100000; ++i)
        index.Lines.push_back(MakeDayEntry(DateFromSerial(36526 + static_cast<int64_t>(random() % 20000)),
                                           L"Fogorvos", L"10 óra", 0xFF, 0));
    index.Save(dir);
    WriteFileAtomically(dir + L"\\Data\\Névnapok.txt", std::string(365 * 10, '\n'));

    Application::Get().ShowError = [](const std::wstring&) {};
    Diary diary(dir, RegionalMonthNames());
    Tfrm_Main main(diary);
    main.Create();
    main.Show();
    Application::Get().ProcessMessages();

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    auto ms = [&](const LARGE_INTEGER& a, const LARGE_INTEGER& b) {
        return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(frequency.QuadPart);
    };
    const int steps = 240;  // twenty years forward and back again
    std::vector<double> times, fills;
    times.reserve(steps);
    fills.reserve(steps);
    for (int i = 0; i < steps; ++i) {
        QueryPerformanceCounter(&start);
        if (i < steps / 2)
            main.tbEloreClick();
        else
            main.tbVisszaClick();
        LARGE_INTEGER filled;
        QueryPerformanceCounter(&filled);
        RedrawWindow(main.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        QueryPerformanceCounter(&end);
        fills.push_back(ms(start, filled));
        times.push_back(ms(start, end));
        Application::Get().ProcessMessages();
    }
    auto percentile = [](std::vector<double> v, double p) {
        std::sort(v.begin(), v.end());
        return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
    };
    std::printf("month step, click to painted grid, 100000-line index, %d steps: median %.2f ms, "
                "95th percentile %.2f ms, slowest %.2f ms (filling: median %.2f ms, 95th percentile %.2f ms)\n",
                steps, percentile(times, 0.5), percentile(times, 0.95), percentile(times, 1.0), percentile(fills, 0.5),
                percentile(fills, 0.95));
    // The data side alone, under Wine.
    QueryPerformanceCounter(&start);
    for (int i = 0; i < steps; ++i) {
        MonthCells cells = diary.Month(2026, 1 + i % 12);
        if (!cells[20].visible) std::printf("?");
    }
    QueryPerformanceCounter(&end);
    std::printf("data side of a month fill: %.2f ms\n",
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) /
                    steps);
    // One day cell's face into an off-screen canvas.
    {
        HDC screen = GetDC(nullptr);
        MemoryCanvas canvas(screen, 105, 72);
        ReleaseDC(nullptr, screen);
        Canvas c(canvas.Dc());
        QueryPerformanceCounter(&start);
        for (int i = 0; i < 420; ++i) main.Cells[10]->Paint(c);
        QueryPerformanceCounter(&end);
        std::printf("one day cell's face: %.3f ms\n",
                    1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                        static_cast<double>(frequency.QuadPart) / 420);
    }
    // Painting alone: the whole window repainted without any change.
    QueryPerformanceCounter(&start);
    for (int i = 0; i < steps; ++i) {
        RedrawWindow(main.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
    }
    QueryPerformanceCounter(&end);
    std::printf("repainting the whole window: %.2f ms\n",
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) /
                    steps);
    return 0;
}
