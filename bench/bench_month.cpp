// The data side of filling a month from a large index, natively.
#include <benchmark/benchmark.h>

#include <random>

#include "store/month_model.h"
#include "store/entry_store.h"
#include "store/nevnapok.h"

namespace {

EntryStore MakeIndex(size_t lines) {
    EntryStore index;
    std::mt19937 random(42);
    index.Lines.reserve(lines);
    for (size_t i = 0; i < lines; ++i) {
        Date d = DateFromSerial(36526 + static_cast<int64_t>(random() % 20000));  // 2000 .. 2054
        index.Lines.push_back(MakeDayEntry(d, L"Fogorvos", L"10 óra", 0xFF, 0));
    }
    return index;
}

void FillMonthFromLargeIndex(benchmark::State& state) {
    const EntryStore index = MakeIndex(static_cast<size_t>(state.range(0)));
    const TNevnapok names(L"/nonexistent/Névnapok.txt", {});
    const MonthNames months{L"január", L"február", L"március", L"április", L"május", L"június",
                            L"július", L"augusztus", L"szeptember", L"október", L"november", L"december"};
    int month = 0;
    for (auto _ : state) {
        MonthCells cells = BuildMonthCells(2026, 1 + (month++ % 12), index, names, months);
        benchmark::DoNotOptimize(cells);
    }
}

}  // namespace

BENCHMARK(FillMonthFromLargeIndex)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

