#include "store/reminder_files.h"

#include <algorithm>

#include "platform/text_file.h"

namespace {

constexpr int kVersion = 1;
constexpr std::wstring_view kAllDayText = L"egész nap";

struct Kind {
    std::wstring_view name;  // the first line is "Tivorn <name> <version>"
};
constexpr Kind kReminders{L"emlékeztetők"}, kYearly{L"évenkénti bejegyzések"}, kPeople{L"emberek"},
    kState{L"emlékeztetők állapota"};

std::vector<std::wstring_view> Split(std::wstring_view text, wchar_t separator) {
    std::vector<std::wstring_view> parts;
    while (true) {
        const size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        if (end == std::wstring_view::npos) return parts;
        text.remove_prefix(end + 1);
    }
}

int Number(std::wstring_view digits) {
    if (digits.empty() || digits.size() > 6) return -1;
    int n = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return -1;
        n = n * 10 + (c - L'0');
    }
    return n;
}

bool HasControl(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x20 || c == 0x7F; });
}

std::optional<Date> ReadDay(std::wstring_view field) {
    if (field.size() != 8) return std::nullopt;
    const Date d{Number(field.substr(0, 4)), Number(field.substr(4, 2)), Number(field.substr(6, 2))};
    if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month))
        return std::nullopt;
    return d;
}

std::optional<int> ReadTime(std::wstring_view field) {
    if (field == kAllDayText) return kAllDay;
    if (field.size() != 5 || field[2] != L':') return std::nullopt;
    const int hour = Number(field.substr(0, 2)), minute = Number(field.substr(3, 2));
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
    return hour * 60 + minute;
}

std::optional<int> ReadLead(std::wstring_view field) {
    const int days = Number(field);
    if (!IsLeadDayChoice(days)) return std::nullopt;
    return days;
}

std::optional<MonthDay> ReadMonthDay(std::wstring_view field) {
    if (field.size() != 4) return std::nullopt;
    const MonthDay md{Number(field.substr(0, 2)), Number(field.substr(2, 2))};
    if (md.month < 1 || md.month > 12 || md.day < 1 || md.day > DaysInMonth(2000, md.month)) return std::nullopt;
    return md;
}

// The records of a file after its first line, each split into its fields; blank
// lines are no records. `read` gives false for a record it cannot take.
template <class Read>
size_t ReadRecords(std::string_view bytes, const Kind& kind, const std::wstring& fileName, Read read) {
    const std::wstring text = DecodeTextFile(bytes);
    std::vector<std::wstring_view> lines = Split(text, L'\n');
    for (auto& line : lines)
        if (!line.empty() && line.back() == L'\r') line.remove_suffix(1);
    if (lines.size() == 1 && lines[0].empty()) return 0;  // an empty file
    const std::wstring prefix = L"Tivorn " + std::wstring(kind.name) + L" ";
    if (!lines[0].starts_with(prefix)) throw ReminderFileError(fileName, L"nem ilyen fájl");
    const int version = Number(lines[0].substr(prefix.size()));
    if (version < 1) throw ReminderFileError(fileName, L"nem ilyen fájl");
    if (version > kVersion) throw ReminderFileError(fileName, L"a program újabb változata írta");
    size_t skipped = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].find_first_not_of(L" \t") == std::wstring_view::npos) continue;
        if (!read(Split(lines[i], L'\t'))) ++skipped;
    }
    return skipped;
}

std::string Write(const Kind& kind, const std::vector<std::wstring>& records) {
    std::string out = WideToUtf8(L"Tivorn " + std::wstring(kind.name) + L" " + std::to_wstring(kVersion)) + "\r\n";
    for (const auto& record : records) out += WideToUtf8(record) + "\r\n";
    return out;
}

// A name as one field: what would break the line or the field becomes a blank.
std::wstring FieldText(std::wstring text) {
    for (auto& c : text)
        if (c < 0x20 || c == 0x7F) c = L' ';
    return Trim(text);
}

wchar_t Digit(int n) { return static_cast<wchar_t>(L'0' + n % 10); }

}  // namespace

bool IsLeadDayChoice(int days) { return std::find(std::begin(kLeadDayChoices), std::end(kLeadDayChoices), days) != std::end(kLeadDayChoices); }

ReminderFileError::ReminderFileError(const std::wstring& file, const std::wstring& reason)
    : AppError(L"Az emlékeztetők fájlja nem olvasható: " + file + L" (" + reason + L")") {}

std::wstring ReminderTimeText(int minute) {
    if (minute == kAllDay) return std::wstring(kAllDayText);
    return {Digit(minute / 600), Digit(minute / 60), L':', Digit(minute % 60 / 10), Digit(minute % 10)};
}

ReadResult<RemindersFile> ParseRemindersFile(std::string_view bytes, const std::wstring& fileName) {
    ReadResult<RemindersFile> result;
    result.skipped = ReadRecords(bytes, kReminders, fileName, [&](const std::vector<std::wstring_view>& f) {
        if (f.size() == 2 && f[0] == L"alapidő") {
            const auto minute = ReadTime(f[1]);
            if (!minute || *minute == kAllDay) return false;
            result.value.allDayMinute = *minute;
            return true;
        }
        if (f.size() != 3) return false;
        const auto day = ReadDay(f[0]);
        const auto minute = ReadTime(f[1]);
        const auto lead = ReadLead(f[2]);
        if (!day || !minute || !lead) return false;
        result.value.reminders.push_back(Reminder{*day, *minute, *lead});
        return true;
    });
    return result;
}

ReadResult<std::vector<YearlyMark>> ParseYearlyFile(std::string_view bytes, const std::wstring& fileName) {
    ReadResult<std::vector<YearlyMark>> result;
    result.skipped = ReadRecords(bytes, kYearly, fileName, [&](const std::vector<std::wstring_view>& f) {
        const auto day = ReadDay(f[0]);
        if (!day || f.size() > 2 || (f.size() == 2 && f[1] != L"sorszámmal")) return false;
        result.value.push_back(YearlyMark{*day, f.size() == 2});
        return true;
    });
    return result;
}

ReadResult<std::vector<Person>> ParsePeopleFile(std::string_view bytes, const std::wstring& fileName) {
    ReadResult<std::vector<Person>> result;
    result.skipped = ReadRecords(bytes, kPeople, fileName, [&](const std::vector<std::wstring_view>& f) {
        if (f.size() != 3) return false;
        Person person{Trim(std::wstring(f[0])), 0, {}};
        const auto lead = ReadLead(f[1]);
        if (person.name.empty() || HasControl(person.name) || !lead) return false;
        person.leadDays = *lead;
        if (!f[2].empty())
            for (std::wstring_view part : Split(f[2], L',')) {
                const auto md = ReadMonthDay(part);
                if (!md) return false;
                person.nameDays.push_back(*md);
            }
        result.value.push_back(std::move(person));
        return true;
    });
    return result;
}

ReadResult<ReminderState> ParseReminderStateFile(std::string_view bytes, const std::wstring& fileName) {
    ReadResult<ReminderState> result;
    ReminderState& state = result.value;
    auto key = [](std::wstring_view text) { return !text.empty() && !HasControl(text) && Trim(std::wstring(text)) == text; };
    result.skipped = ReadRecords(bytes, kState, fileName, [&](const std::vector<std::wstring_view>& f) {
        if (f.size() == 2 && f[0] == L"ellenőrizve") {
            const auto moment = ParseInstantText(f[1]);
            if (!moment) return false;
            state.lastChecked = *moment;
            return true;
        }
        if (f.size() == 2 && f[0] == L"kész" && key(f[1])) {
            state.done.emplace_back(f[1]);
            return true;
        }
        if (f.size() == 3 && f[0] == L"halasztva" && key(f[2])) {
            const auto until = ParseInstantText(f[1]);
            if (!until) return false;
            state.snoozed.push_back(Snooze{std::wstring(f[2]), *until});
            return true;
        }
        return false;
    });
    return result;
}

std::string WriteRemindersFile(const RemindersFile& file) {
    std::vector<std::wstring> records{L"alapidő\t" + ReminderTimeText(file.allDayMinute)};
    for (const Reminder& r : file.reminders)
        records.push_back(DateKey(r.day) + L"\t" + ReminderTimeText(r.minute) + L"\t" + std::to_wstring(r.leadDays));
    return Write(kReminders, records);
}

std::string WriteYearlyFile(const std::vector<YearlyMark>& marks) {
    std::vector<std::wstring> records;
    for (const YearlyMark& mark : marks) records.push_back(DateKey(mark.day) + (mark.count ? L"\tsorszámmal" : L""));
    return Write(kYearly, records);
}

std::string WritePeopleFile(const std::vector<Person>& people) {
    std::vector<std::wstring> records;
    for (const Person& person : people) {
        std::wstring days;
        for (const MonthDay& md : person.nameDays) {
            if (!days.empty()) days += L',';
            days += {Digit(md.month / 10), Digit(md.month), Digit(md.day / 10), Digit(md.day)};
        }
        records.push_back(FieldText(person.name) + L"\t" + std::to_wstring(person.leadDays) + L"\t" + days);
    }
    return Write(kPeople, records);
}

std::string WriteReminderStateFile(const ReminderState& state) {
    std::vector<std::wstring> records;
    if (state.lastChecked) records.push_back(L"ellenőrizve\t" + InstantText(*state.lastChecked));
    for (const auto& key : state.done) records.push_back(L"kész\t" + FieldText(key));
    for (const Snooze& s : state.snoozed) records.push_back(L"halasztva\t" + InstantText(s.until) + L"\t" + FieldText(s.occurrence));
    return Write(kState, records);
}
