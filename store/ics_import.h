// What importing a calendar file would do to the diary, worked out before anything is
// written: the day entries it would add, the days that already have an entry, and
// what it passes over with the reason. A day entry holds one day, so the events of a
// date become one entry: the first event's text in the titles, all of them in the note.
// Series are spread into the days of the chosen range, except a plain yearly one
// (a birthday): that is one entry on its own first day, marked to show every year.
// The events' alarms become the days' reminders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/eljaras.h"
#include "store/ics_time.h"
#include "store/reminder_files.h"

class EntryStore;
struct IcsComponent;

struct ImportOptions {
    Date first, last;                             // the days the import may fill; series expand over them
    size_t maxDays = 1000;                        // the most days one import takes (added or in conflict)
    TimeZone local = HungarianTimeZone();         // the zone of the diary's days and times
    int32_t colour1 = 0, colour2 = 0;             // title colours of an imported day
    // The diary's time of "egész nap" reminders: a whole-day event's alarm at it is one.
    int allDayMinute = kDefaultAllDayMinute;
};

// One day entry, as a batch store takes it.
struct ImportedDay {
    Date date;
    std::wstring title1, title2;  // at most 20 characters each
    int32_t colour1 = 0, colour2 = 0;
    std::string noteRtf;    // empty: the day gets no note
    std::wstring noteText;  // the note's text, for the preview
    // The import keys of the day's events: the store remembers them, and a later
    // import passes them over.
    std::vector<std::wstring> uids;
    // The first day of a plain yearly series ("minden évben"): later years show it.
    bool yearly = false;
    std::vector<Reminder> reminders;  // from the events' alarms, each once
};

struct SkippedEvent {
    std::wstring summary;
    std::optional<Date> date;  // the first date concerned, when it is known
    size_t times = 1;          // how many dates of the event this row stands for
    std::wstring reason;
};

struct ImportPlan {
    std::vector<ImportedDay> additions;  // days without an entry, in date order
    std::vector<ImportedDay> conflicts;  // days that have one: written only if the user chooses so
    std::vector<SkippedEvent> skipped;
};

using HasEntry = std::function<bool(const Date&)>;

ImportPlan PlanImport(const IcsComponent& calendar, const HasEntry& hasEntry, const std::set<std::wstring>& imported,
                      const ImportOptions& options);
ImportPlan PlanImport(const IcsComponent& calendar, const EntryStore& index, const std::set<std::wstring>& imported,
                      const ImportOptions& options);

// A title cut into the two title words at word boundaries (a word longer than a
// title word is cut where it must); what does not fit is the rest.
struct SplitTitle {
    std::wstring title1, title2, rest;
};
SplitTitle SplitSummary(const std::wstring& summary);

// Reasons a row of `skipped` gives (also used by the tests).
namespace skip_reason {
inline constexpr const wchar_t* kTodo = L"feladat (VTODO), nem naptári bejegyzés";
inline constexpr const wchar_t* kNoDate = L"nincs kezdő dátuma";
inline constexpr const wchar_t* kBadDate = L"olvashatatlan dátum";
inline constexpr const wchar_t* kCancelled = L"lemondott esemény";
inline constexpr const wchar_t* kRule = L"nem támogatott ismétlődés";
inline constexpr const wchar_t* kOutside = L"a választott időszakon kívül";
inline constexpr const wchar_t* kLimit = L"a napok száma elérte a korlátot";
inline constexpr const wchar_t* kImported = L"korábban már importálva";
inline constexpr const wchar_t* kTooLong = L"egy évnél hosszabb esemény";
}  // namespace skip_reason
