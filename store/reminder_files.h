// The files of the reminders, beside the index in the Data folder, each UTF-8 text
// with one record per line (fields apart by tabs) after a first line that names the
// file's kind and version ("Tivorn emberek 1"):
//
//   emlekeztetok.txt  the reminders of days' entries, and the time of "egész nap"
//                     alapidő   08:00
//                     20261224  18:30      1        (day, time, days before)
//                     20261224  egész nap  0
//   evente.txt        the entries shown every year, with their count when wanted
//                     19840314  sorszámmal
//   emberek.txt       the people whose name days are remembered
//                     Kovács Anna  3  0726,1122     (name, days before, name days)
//   emlekeztetok-allapot.txt
//                     ellenőrizve  20261209T095500Z (the last check, UTC)
//                     kész         <occurrence>
//                     halasztva    20261209T100500Z  <occurrence>
//
// A reader takes what it can: a damaged line is skipped and counted (the day's
// snapshot keeps the file as it was before the next write). A file that is not of its
// kind, or of a newer version, is refused whole, so it is never overwritten.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/eljaras.h"
#include "platform/errors.h"
#include "store/hungarian_time.h"

constexpr int kAllDay = -1;  // a reminder's time: "egész nap", at the all-day time
constexpr int kDefaultAllDayMinute = 8 * 60;
constexpr int kLeadDayChoices[] = {0, 1, 2, 3, 7, 14};
bool IsLeadDayChoice(int days);

struct Reminder {
    Date day;              // the entry's day
    int minute = kAllDay;  // time of day 0..1439, or kAllDay
    int leadDays = 0;      // one of kLeadDayChoices
    friend bool operator==(const Reminder&, const Reminder&) = default;
};

struct YearlyMark {
    Date day;            // the entry's own (first) day
    bool count = false;  // later years show "(n.)"
    friend bool operator==(const YearlyMark&, const YearlyMark&) = default;
};

struct MonthDay {
    int month = 1, day = 1;
    friend bool operator==(const MonthDay&, const MonthDay&) = default;
};

struct Person {
    std::wstring name;
    int leadDays = 0;
    std::vector<MonthDay> nameDays;  // the ones the user keeps
    friend bool operator==(const Person&, const Person&) = default;
};

struct Snooze {
    std::wstring occurrence;  // OccurrenceKey
    Instant until = 0;
    friend bool operator==(const Snooze&, const Snooze&) = default;
};

struct ReminderState {
    std::optional<Instant> lastChecked;
    std::vector<std::wstring> done;  // occurrences dismissed ("Kész")
    std::vector<Snooze> snoozed;
    friend bool operator==(const ReminderState&, const ReminderState&) = default;
};

struct RemindersFile {
    int allDayMinute = kDefaultAllDayMinute;
    std::vector<Reminder> reminders;
    friend bool operator==(const RemindersFile&, const RemindersFile&) = default;
};

// A file that is not of its kind or is newer than the program: names the file.
class ReminderFileError : public AppError {
public:
    ReminderFileError(const std::wstring& file, const std::wstring& reason);
};

constexpr const wchar_t* kRemindersFileName = L"emlekeztetok.txt";
constexpr const wchar_t* kYearlyFileName = L"evente.txt";
constexpr const wchar_t* kPeopleFileName = L"emberek.txt";
constexpr const wchar_t* kReminderStateFileName = L"emlekeztetok-allapot.txt";

// What a reader made of a file, and how many lines it had to skip.
template <class T>
struct ReadResult {
    T value{};
    size_t skipped = 0;
};

// Readers of the files' bytes (an empty text is an empty file); they throw
// ReminderFileError for a file they refuse.
ReadResult<RemindersFile> ParseRemindersFile(std::string_view bytes, const std::wstring& fileName);
ReadResult<std::vector<YearlyMark>> ParseYearlyFile(std::string_view bytes, const std::wstring& fileName);
ReadResult<std::vector<Person>> ParsePeopleFile(std::string_view bytes, const std::wstring& fileName);
ReadResult<ReminderState> ParseReminderStateFile(std::string_view bytes, const std::wstring& fileName);

std::string WriteRemindersFile(const RemindersFile& file);
std::string WriteYearlyFile(const std::vector<YearlyMark>& marks);
std::string WritePeopleFile(const std::vector<Person>& people);
std::string WriteReminderStateFile(const ReminderState& state);

// "hh:mm" of a minute of the day, "egész nap" for kAllDay.
std::wstring ReminderTimeText(int minute);
