// The diary search under Wine: ten years of daily notes (3,650 RTF files of about
// 2 KB, written as the rich-edit control writes them) and a 36,500-line index.
// Prints the very first search (no cache: every note read and converted), the first
// search after a later start (the cache file and the folder listing) and the later
// ones (texts in memory), which the search window must keep under 1 s and 100 ms.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include "bench/diary_notes.h"
#include "platform/codec1250.h"
#include "platform/file_io.h"
#include "store/diary_search.h"
#include "store/entry_store.h"

namespace {

using bench::kWords;
using bench::NoteRtf;

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Processor time of this process so far (user + kernel), in ms: on a machine that
// other work shares, it tells what the search itself costs.
double CpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"tivorn-bench-search";
    const std::wstring data = dir + L"\\Data";
    CreateDirectoryW(dir.c_str(), nullptr);
    CreateDirectoryW(data.c_str(), nullptr);

    // The diary is made by the first run and kept: a user's notes were written long
    // before the program starts, so the runs after the first measure a settled folder
    // (the first one reads files whose writing the system is still finishing).
    std::mt19937 random(7);
    EntryStore index;
    const Date last{2026, 12, 31};
    const bool made = !FileExists(EntryStore::IndexPath(dir));
    size_t noteBytes = 0;
    for (int i = 0; i < 36500; ++i) {
        const Date day = AddDays(last, -i);
        index.Lines.push_back(MakeDayEntry(day, kWords[random() % std::size(kWords)], L"10 óra", 0xFF, 0));
        if (i < 3650) {
            const std::string note = NoteRtf(random);
            noteBytes += note.size();
            if (made) WriteFileAtomically(EntryStore::NotePath(dir, day), note);
        }
    }
    if (made) index.Save(dir);
    std::printf("diary: %zu index lines, 3650 notes, %.0f bytes per note on average (%s)\n", index.Lines.size(),
                static_cast<double>(noteBytes) / 3650.0, made ? "just written" : "written by an earlier run");

    // The very first search of all: no cache file yet, every note read and converted
    // (and the cache written for the starts after it).
    DeleteFileW((data + L"\\" + DiarySearch::kCacheFile).c_str());
    auto start = std::chrono::steady_clock::now();
    double cpu = CpuMs();
    {
        DiarySearch first;
        first.Refresh(data);
        auto found = first.Find(index.Lines, SearchQuery(L"gergo kozos", false));
        std::printf("very first search, no cache (reads every note): %.1f ms (processor %.1f ms), %zu days found\n",
                    Ms(std::chrono::steady_clock::now() - start), CpuMs() - cpu, found.size());
    }

    // The first search after a later start: the cache file read, the folder listed,
    // nothing else (the notes have not changed since).
    DiarySearch search;
    start = std::chrono::steady_clock::now();
    cpu = CpuMs();
    search.Refresh(data);
    auto hits = search.Find(index.Lines, SearchQuery(L"gergo kozos", false));
    std::printf("first search after start (cache of the texts): %.1f ms (processor %.1f ms), %zu days found\n",
                Ms(std::chrono::steady_clock::now() - start), CpuMs() - cpu, hits.size());

    // What typing costs: the window searches the texts in memory.
    const wchar_t* const queries[] = {L"vacsora", L"orseg usz", L"Gergő", L"hatarido konyvtar posta", L"zzz",
                                      L"e",       L"szerelo",   L"SÉTA",  L"ebéd Zsófi",              L"o"};
    double total = 0, slowest = 0;
    int runs = 0;
    cpu = CpuMs();
    for (int round = 0; round < 3; ++round)
        for (const wchar_t* words : queries) {
            start = std::chrono::steady_clock::now();
            hits = search.Find(index.Lines, SearchQuery(words, round == 2));
            const double ms = Ms(std::chrono::steady_clock::now() - start);
            total += ms;
            slowest = std::max(slowest, ms);
            ++runs;
        }
    std::printf("later searches (texts in memory): average %.1f ms, slowest %.1f ms, processor %.1f ms each (%d runs)\n",
                total / runs, slowest, (CpuMs() - cpu) / runs, runs);

    // What reopening the window or closing the editor adds: the folder listed again.
    start = std::chrono::steady_clock::now();
    cpu = CpuMs();
    search.Refresh(data);
    std::printf("refresh with nothing changed: %.1f ms (processor %.1f ms)\n", Ms(std::chrono::steady_clock::now() - start),
                CpuMs() - cpu);
    // One note changed by the editor between two searches (and put back).
    const std::string before = ReadWholeFile(EntryStore::NotePath(dir, last));
    WriteFileAtomically(EntryStore::NotePath(dir, last), before + " ");
    start = std::chrono::steady_clock::now();
    search.Refresh(data);
    hits = search.Find(index.Lines, SearchQuery(L"vacsora", false));
    std::printf("refresh and search after one note changed: %.1f ms\n", Ms(std::chrono::steady_clock::now() - start));
    WriteFileAtomically(EntryStore::NotePath(dir, last), before);
    return 0;
}
