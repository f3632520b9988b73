#include "sync/day_resource.h"

#include "platform/errors.h"
#include "store/ics_event.h"
#include "store/ics_reader.h"
#include "store/reminders.h"

namespace {

uint64_t Fnv1a(std::string_view bytes) {
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::wstring TrimEnd(std::wstring text) {
    const size_t end = text.find_last_not_of(L" \t\r\n");
    text.erase(end == std::wstring::npos ? 0 : end + 1);
    return text;
}

std::wstring JoinedTitles(const std::wstring& a, const std::wstring& b) {
    if (a.empty() || b.empty()) return a + b;
    return a + L" " + b;
}

}  // namespace

std::string DayResource(const CalendarEvent& event, const DateTime& stampUtc) {
    return WriteCalendar({event}, stampUtc, L"Tivorn");
}

uint64_t DayResourceHash(const CalendarEvent& event) {
    return Fnv1a(DayResource(event, DateTime{Date{2000, 1, 1}, 0, 0, 0}));
}

RemoteDay ReadRemoteDay(std::string_view ics, int allDayMinute) {
    RemoteDay remote;
    try {
        const IcsComponent calendar = ReadIcs(ics);
        const std::vector<IcsEvent> events = EventsOf(calendar);
        const IcsEvent* main = nullptr;
        for (const IcsEvent& e : events)
            if (e.kind == IcsEvent::Kind::Event && !e.recurrenceId) {
                main = &e;
                break;
            }
        if (!main) {
            remote.passedOver = L"nincs benne naptári esemény";
            return remote;
        }
        remote.uid = main->uid;
        remote.summary = main->summary;
        if (events.size() > 1) {
            remote.passedOver = L"megváltoztatott előfordulásai vannak";
            return remote;
        }
        ImportOptions options;
        options.first = Date{1900, 1, 1};
        options.last = Date{2199, 12, 31};
        options.maxDays = 2;
        options.allDayMinute = allDayMinute;
        if (!main->rrule.empty() && main->rrule.find(L"YEARLY") == std::wstring::npos) {
            remote.passedOver = skip_reason::kRule;
            return remote;
        }
        ImportPlan plan = PlanImport(calendar, [](const Date&) { return false; }, {}, options);
        if (!plan.skipped.empty()) {
            remote.passedOver = plan.skipped.front().reason;
            return remote;
        }
        if (plan.additions.size() != 1) {
            remote.passedOver = plan.additions.empty() ? L"nincs olvasható napja" : L"több napos esemény";
            return remote;
        }
        ImportedDay day = std::move(plan.additions.front());
        // A phone changes SUMMARY and leaves the program's own fields as they were:
        // then the summary is the truth, the colours stay.
        if (main->entry && TrimEnd(main->summary) != JoinedTitles(main->entry->title1, main->entry->title2)) {
            SplitTitle split = SplitSummary(main->summary);
            day.title1 = std::move(split.title1);
            day.title2 = std::move(split.title2);
        }
        remote.day = std::move(day);
    } catch (const AppError& e) {
        remote.passedOver = e.Text();
    }
    return remote;
}

DayContent ContentOf(const CalendarEvent& event) {
    if (event.entry) return {event.entry->title1, event.entry->title2, TrimEnd(event.description)};
    return {event.summary, L"", TrimEnd(event.description)};
}

DayContent ContentOf(const ImportedDay& day) { return {day.title1, day.title2, TrimEnd(day.noteText)}; }
