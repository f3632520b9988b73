// iCalendar export of a century of daily entries (36,500), each with a note text,
// natively: collecting the events and writing the file (the goal is under 1 s).
#include <benchmark/benchmark.h>

#include "store/entry_store.h"
#include "store/icalendar.h"

namespace {

void ExportCenturyOfEntries(benchmark::State& state) {
    EntryStore index;
    Date d{2000, 1, 1};
    for (int i = 0; i < 36500; ++i, d = AddDays(d, 1))
        index.Lines.push_back(MakeDayEntry(d, L"Fogorvos", L"10 óra", 0xFF, 0x8000));
    const std::wstring note =
        L"Vigyem: útlevél, kártya; a beutaló.\nUtána bevásárlás a piacon, és telefon anyának a hétvégéről.";
    size_t bytes = 0;
    for (auto _ : state) {
        const auto events = DiaryEvents(index, ExportRange::All(), [&](const Date&) { return note; });
        const std::string file = WriteCalendar(events, DateTime{Date{2026, 12, 8}, 8, 0, 0}, L"Tivorn");
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(ExportCenturyOfEntries)->Unit(benchmark::kMillisecond);
