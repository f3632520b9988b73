// The reminders' files: what the readers make of damaged files (a damaged line is
// skipped and counted, a file of another kind or a newer version is refused whole),
// and that what is written reads back the same.
#include <gtest/gtest.h>

#include <string>

#include "store/reminder_files.h"

namespace {

// The counts the readers give for a text: records read, lines skipped; -1 when refused.
struct Counts {
    int records = 0, skipped = 0;
    friend bool operator==(const Counts&, const Counts&) = default;
};

template <class Parse, class Size>
Counts CountsOf(Parse parse, Size size, const std::string& text) {
    try {
        const auto result = parse(text, L"f.txt");
        return {static_cast<int>(size(result.value)), static_cast<int>(result.skipped)};
    } catch (const ReminderFileError&) {
        return {-1, -1};
    }
}

}  // namespace

TEST(ReminderFiles, DamagedLinesAreSkippedAndForeignFilesRefused) {
    const auto reminders = [](const std::string& text) {
        return CountsOf(ParseRemindersFile, [](const RemindersFile& f) { return f.reminders.size(); }, text);
    };
    const auto yearly = [](const std::string& text) {
        return CountsOf(ParseYearlyFile, [](const auto& v) { return v.size(); }, text);
    };
    const auto people = [](const std::string& text) {
        return CountsOf(ParsePeopleFile, [](const auto& v) { return v.size(); }, text);
    };
    const auto state = [](const std::string& text) {
        return CountsOf(ParseReminderStateFile,
                        [](const ReminderState& s) { return s.done.size() + s.snoozed.size() + (s.lastChecked ? 1 : 0); },
                        text);
    };
    const std::string r = "Tivorn emlékeztetők 1\r\n", y = "Tivorn évenkénti bejegyzések 1\n", p = "Tivorn emberek 1\n",
                      s = "Tivorn emlékeztetők állapota 1\n";
    const struct {
        const char* what;
        Counts counts, expected;
    } cases[] = {
        {"an empty file", reminders(""), {0, 0}},
        {"the header only", reminders(r), {0, 0}},
        {"good lines, blank lines between", reminders(r + "20261224\t18:30\t1\r\n\r\n20261224\tegész nap\t0\r\n"), {2, 0}},
        {"a day that does not exist", reminders(r + "20260230\t08:00\t0\n"), {0, 1}},
        {"a time that does not exist", reminders(r + "20261224\t24:00\t0\n20261224\t8:00\t0\n"), {0, 2}},
        {"days before that cannot be chosen", reminders(r + "20261224\t08:00\t5\n20261224\t08:00\t-1\n"), {0, 2}},
        {"a field too many or too few", reminders(r + "20261224\t08:00\t0\tx\n20261224\t08:00\n"), {0, 2}},
        {"a line cut short by a crash", reminders(r + "20261224\t08:00\t0\n2026122"), {1, 1}},
        {"another kind of file", reminders(y + "20261224\n"), {-1, -1}},
        {"a newer version", reminders("Tivorn emlékeztetők 2\n20261224\t08:00\t0\n"), {-1, -1}},
        {"no version", reminders("Tivorn emlékeztetők\n"), {-1, -1}},
        {"the index file in its place", reminders("20261224Karácsony\n"), {-1, -1}},
        {"yearly marks", yearly(y + "19840314\tsorszámmal\n20001010\n20001010\tx\n1984031\n"), {2, 2}},
        {"people", people(p + "Kovács Anna\t3\t0726,1122\nPéter\t0\t\n\t1\t0101\nÉva\t2\t1301\nÉva\t2\n"), {2, 3}},
        {"a person whose name day is cut", people(p + "Éva\t2\t1224,12\n"), {0, 1}},
        {"state", state(s + "ellenőrizve\t20261209T095500Z\nkész\tE 20261224 20261224 0800 0\n"
                            "halasztva\t20261209T100500Z\tN 20260726 3 Anna\nhalasztva\tholnap\tN x\n"
                            "kész\t\nkész\t x\nellenőrizve\t2026-12-09\n"),
         {3, 4}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.counts, c.expected) << c.what;
}

TEST(ReminderFiles, WhatIsWrittenReadsBackTheSame) {
    RemindersFile file{7 * 60 + 45, {{{2026, 12, 24}, 18 * 60 + 30, 1}, {{2024, 2, 29}, kAllDay, 14}}};
    EXPECT_EQ(ParseRemindersFile(WriteRemindersFile(file), L"f").value, file);
    const std::vector<YearlyMark> marks{{{1984, 3, 14}, true}, {{2000, 10, 10}, false}};
    EXPECT_EQ(ParseYearlyFile(WriteYearlyFile(marks), L"f").value, marks);
    // A name cannot break its line or its field.
    const std::vector<Person> people{{L"Kovács Anna", 3, {{7, 26}, {11, 22}}}, {L"Péter", 0, {}}};
    EXPECT_EQ(ParsePeopleFile(WritePeopleFile(people), L"f").value, people);
    EXPECT_EQ(ParsePeopleFile(WritePeopleFile({{L"Tab\tés\r\nsor", 1, {{2, 29}}}}), L"f").value,
              (std::vector<Person>{{L"Tab és  sor", 1, {{2, 29}}}}));
    ReminderState state{1796900100, {L"E 20261224 20261224 0800 0"}, {{L"N 20260726 3 Kovács Anna", 1796900700}}};
    EXPECT_EQ(ParseReminderStateFile(WriteReminderStateFile(state), L"f").value, state);
}
