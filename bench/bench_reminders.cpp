// The main window's one-second check of the reminders with a century of entries
// (36,500) and 1,000 reminders, a third of them on yearly entries, and 20 people:
// what a tick costs (the goal is under 0.1 ms), and what a change of the reminders
// costs with the schedule made again.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/codec1250.h"
#include "store/diary.h"

namespace {

namespace fs = std::filesystem;

class BigDiary {
public:
    BigDiary() : path_(fs::temp_directory_path() / ("tivorn-bench-" + std::to_string(std::random_device{}()))) {
        fs::create_directories(path_ / "Data");
        std::string index;
        for (Date d{1930, 1, 1}; index.size() < 36500u * 66; d = AddDays(d, 1))
            index += EncodeCp1250(MakeDayEntry(d, L"Fogorvos", L"10 óra", 0xFF, 0)) + "\r\n";
        std::ofstream(path_ / "Data" / "index.txt", std::ios::binary) << index;
        std::mt19937 random(42);
        RemindersFile file;
        std::vector<YearlyMark> yearly;
        for (int i = 0; i < 1000; ++i) {
            const bool yearlyOne = i % 3 == 0;
            // Yearly ones on old days, the others over the coming two years.
            const Date day = yearlyOne ? DateFromSerial(11000 + random() % 35000) : DateFromSerial(46000 + random() % 730);
            file.reminders.push_back({day, static_cast<int>(random() % 1440), kLeadDayChoices[random() % 6]});
            if (yearlyOne) yearly.push_back({day, true});
        }
        std::vector<Person> people;
        for (int i = 0; i < 20; ++i) people.push_back({L"Ember " + std::to_wstring(i), 1, {{1 + i % 12, 1 + i}}});
        std::ofstream(path_ / "Data" / "emlekeztetok.txt", std::ios::binary) << WriteRemindersFile(file);
        std::ofstream(path_ / "Data" / "evente.txt", std::ios::binary) << WriteYearlyFile(yearly);
        std::ofstream(path_ / "Data" / "emberek.txt", std::ios::binary) << WritePeopleFile(people);
        diary = std::make_unique<Diary>(path_.wstring());
        diary->Load();
    }
    ~BigDiary() {
        diary.reset();
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::unique_ptr<Diary> diary;

private:
    fs::path path_;
};

// A tick a second, as the timer does, from a December day on: most find nothing due,
// a few find reminders and write the state file.
void ReminderTick(benchmark::State& state) {
    BigDiary big;
    Instant now = LocalToInstant({2026, 12, 1}, 0);
    big.diary->DueReminders(now);  // the first check ever
    size_t due = 0;
    double worstDue = 0, worstEmpty = 0;  // microseconds: a tick with items writes the state file
    size_t slowEmpty = 0;                 // ticks without items over 0.1 ms (a loaded machine's pauses)
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const size_t items = big.diary->DueReminders(++now).size();
        const double took = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
        double& worst = items ? worstDue : worstEmpty;
        worst = std::max(worst, took);
        slowEmpty += !items && took > 100;
        due += items;
    }
    state.counters["due"] = static_cast<double>(due);
    state.counters["worst_empty_us"] = worstEmpty;
    state.counters["worst_due_us"] = worstDue;
    state.counters["slow_empty"] = static_cast<double>(slowEmpty);
}

// A change of the reminders as the user makes it: the reminders' file written (atomically,
// flushed), the schedule made again from the reminders alone (never a pass over the
// index), then the timer's next check, which finds it made.
void ReminderChangeAndNextTick(benchmark::State& state) {
    BigDiary big;
    Instant now = LocalToInstant({2026, 12, 1}, 0);
    big.diary->DueReminders(now);
    for (auto _ : state) {
        big.diary->SetAllDayMinute(8 * 60 + static_cast<int>(now % 2));
        big.diary->DueReminders(++now);
    }
}

}  // namespace

BENCHMARK(ReminderTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReminderChangeAndNextTick)->Unit(benchmark::kMillisecond);
