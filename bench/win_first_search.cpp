// The first search of a diary that has never been searched: ten years of daily notes
// (3,650 RTF files, bench/diary_notes.h), no search cache and no snapshot of the day,
// as at the first start after an upgrade. The main window reads the notes while it
// waits and writes the search's cache file; prints when that file is there, the
// longest message meanwhile, and the search window's first search after it.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "app/main.h"
#include "bench/diary_notes.h"
#include "lists/Kereses.h"
#include "platform/file_io.h"
#include "ui/application.h"

namespace {

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void RemoveFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

int main(int argc, char**) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"tivorn-bench-first-search";
    const std::wstring data = dir + L"\\Data";
    CreateDirectoryW(dir.c_str(), nullptr);
    CreateDirectoryW(data.c_str(), nullptr);
    if (!FileExists(EntryStore::IndexPath(dir))) {
        std::mt19937 random(7);
        EntryStore index;
        const Date last{2026, 12, 31};
        for (int i = 0; i < 36500; ++i) {
            const Date day = AddDays(last, -i);
            index.Lines.push_back(MakeDayEntry(day, bench::kWords[random() % std::size(bench::kWords)], L"10 óra", 0xFF, 0));
            if (i < 3650) WriteFileAtomically(EntryStore::NotePath(dir, day), bench::NoteRtf(random));
        }
        index.Save(dir);
        WriteFileAtomically(data + L"\\Névnapok.txt", std::string(365 * 10, '\n'));
        std::printf("diary written (36500 index lines, 3650 notes); run again for settled figures\n");
    }
    DeleteFileW((data + L"\\" + DiarySearch::kCacheFile).c_str());
    if (argc < 2) RemoveFolder(SnapshotFolder(dir));

    Application::Get().ShowError = [](const std::wstring&) {};
    const auto start = std::chrono::steady_clock::now();
    Diary diary(dir, RegionalMonthNames());
    Tfrm_Main main(diary);
    main.Create();
    main.Show();
    // The user looks at the month: only the messages the window gives itself.
    double longest = 0;
    auto readingDone = start;
    while (Ms(std::chrono::steady_clock::now() - start) < 60000) {
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        const auto before = std::chrono::steady_clock::now();
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        const double took = Ms(std::chrono::steady_clock::now() - before);
        if (took > 40) std::printf("  message %04x took %.0f ms\n", msg.message, took);
        longest = std::max(longest, took);
        if (FileExists(data + L"\\" + DiarySearch::kCacheFile)) {
            readingDone = std::chrono::steady_clock::now();
            break;
        }
    }
    std::printf("after start, the notes read while the window waits: the search's cache written %.0f ms after "
                "start (the day's snapshot first); longest message meanwhile %.1f ms\n",
                Ms(readingDone - start), longest);

    Tfrm_Kereses& search = main.SearchWindow();
    search.Show();
    Application::Get().ProcessMessages();
    search.edtKeres.SetText(L"gergo kozos");
    const auto searchStart = std::chrono::steady_clock::now();
    search.SearchNow();
    std::printf("the first search after it (search window: the cache read, the list filled): %.1f ms\n",
                Ms(std::chrono::steady_clock::now() - searchStart));
    search.Close(mrCancel);
    return 0;
}
