// The day's snapshot under Wine: ten years of daily notes (3,650 RTF files of about
// 2 KB) and a 36,500-line index. Prints how long the first change of a day waits
// for the snapshot of the data folder taken before it, split into reading the files
// and making the zip.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "bench/diary_notes.h"
#include "platform/codec1250.h"
#include "platform/file_io.h"
#include "store/entry_store.h"
#include "store/snapshots.h"
#include "store/zip_archive.h"

namespace {

using bench::kWords;
using bench::NoteRtf;

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"tivorn-bench-snapshot";
    CreateDirectoryW(dir.c_str(), nullptr);
    CreateDirectoryW((dir + L"\\Data").c_str(), nullptr);

    // Made by the first run and kept, as a user's notes are written long before.
    std::mt19937 random(7);
    EntryStore index;
    const Date last{2026, 12, 31};
    const bool made = !FileExists(EntryStore::IndexPath(dir));
    for (int i = 0; i < 36500; ++i) {
        const Date day = AddDays(last, -i);
        index.Lines.push_back(MakeDayEntry(day, kWords[random() % std::size(kWords)], L"10 óra", 0xFF, 0));
        if (i < 3650) {
            const std::string note = NoteRtf(random);
            if (made) WriteFileAtomically(EntryStore::NotePath(dir, day), note);
        }
    }
    if (made) index.Save(dir);
    std::printf("diary: %zu index lines, 3650 notes (%s)\n", index.Lines.size(),
                made ? "just written" : "written by an earlier run");

    // Each round is a new day's first change: the day's snapshot is removed first.
    const Date today{2027, 1, 15};
    const std::wstring snapshot = SnapshotFolder(dir) + L"\\" + DailySnapshotName(today);
    std::vector<double> waits, reads, zips;
    size_t bytes = 0;
    for (int round = 0; round < 5; ++round) {
        DeleteFileW(snapshot.c_str());
        auto start = std::chrono::steady_clock::now();
        TakeDailySnapshot(dir, today);
        waits.push_back(Ms(std::chrono::steady_clock::now() - start));

        start = std::chrono::steady_clock::now();
        const std::vector<ZipEntry> files = CollectDataFiles(dir);
        reads.push_back(Ms(std::chrono::steady_clock::now() - start));
        start = std::chrono::steady_clock::now();
        bytes = MakeZip(files).size();
        zips.push_back(Ms(std::chrono::steady_clock::now() - start));
    }
    std::printf("first change of the day waits for the snapshot: median %.1f ms of 5 (reading the files %.1f ms, "
                "making the zip %.1f ms, %zu bytes)\n",
                Median(waits), Median(reads), Median(zips), bytes);

    // As the main window makes it: in slices of 8 ms from its first clock tick, while
    // it waits for the user; the first change then only finishes what is left.
    std::vector<double> slowestSlices, finishes;
    for (int round = 0; round < 5; ++round) {
        DeleteFileW(snapshot.c_str());
        SnapshotInSlices slices;
        slices.Start(dir, today);
        double slowest = 0;
        for (bool done = false; !done;) {
            const auto start = std::chrono::steady_clock::now();
            done = slices.Work(start + std::chrono::milliseconds(8));
            slowest = std::max(slowest, Ms(std::chrono::steady_clock::now() - start));
        }
        slowestSlices.push_back(slowest);
        const auto start = std::chrono::steady_clock::now();
        if (slices.Active()) slices.Finish();
        else TakeDailySnapshot(dir, today);  // exists: nothing to do
        finishes.push_back(Ms(std::chrono::steady_clock::now() - start));
    }
    std::printf("made in slices while idle: first change waits median %.2f ms; slowest slice median %.1f ms\n",
                Median(finishes), Median(slowestSlices));
    return 0;
}
