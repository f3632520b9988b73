#include "store/ics_event.h"

#include "platform/errors.h"
#include "store/entry_store.h"
#include "store/html_text.h"
#include "store/ics_reader.h"

namespace {

void AddTimes(const IcsProperty& p, std::vector<IcsTime>& out) {
    const bool dateOnly = p.Parameter("VALUE") == L"DATE" || p.Parameter("VALUE") == L"date";
    for (const std::wstring& item : SplitIcsList(p.value))
        if (auto t = ParseIcsTime(item, p.Parameter("TZID"), dateOnly)) out.push_back(std::move(*t));
}

// The X-TIVORN-… fields when all of them are there and fit an index line.
std::optional<EntryFields> EntryFieldsOf(const IcsComponent& c) {
    const IcsProperty *t1 = c.Find("X-TIVORN-TITLE1"), *t2 = c.Find("X-TIVORN-TITLE2");
    const IcsProperty *c1 = c.Find("X-TIVORN-COLOR1"), *c2 = c.Find("X-TIVORN-COLOR2");
    if (!t1 || !t2 || !c1 || !c2) return std::nullopt;
    EntryFields fields{UnescapeIcsText(t1->value), UnescapeIcsText(t2->value), 0, 0};
    if (fields.title1.size() > kTitleWidth || fields.title2.size() > kTitleWidth) return std::nullopt;
    for (const std::wstring* title : {&fields.title1, &fields.title2})
        for (wchar_t ch : *title)
            if (ch < 0x20) return std::nullopt;
    try {
        fields.colour1 = TextToInt(UnescapeIcsText(c1->value));
        fields.colour2 = TextToInt(UnescapeIcsText(c2->value));
    } catch (const ConvertError&) {
        return std::nullopt;
    }
    return fields;
}

}  // namespace

std::vector<IcsEvent> EventsOf(const IcsComponent& calendar) {
    std::vector<IcsEvent> events;
    for (const IcsComponent& c : calendar.children) {
        IcsEvent e;
        if (c.name == "VEVENT") e.kind = IcsEvent::Kind::Event;
        else if (c.name == "VTODO") e.kind = IcsEvent::Kind::Todo;
        else if (c.name == "VJOURNAL") e.kind = IcsEvent::Kind::Journal;
        else continue;
        e.line = c.line;
        e.uid = c.Text("UID");
        e.summary = c.Text("SUMMARY");
        e.entry = EntryFieldsOf(c);
        e.description = c.Text("DESCRIPTION");
        // This program writes plain text: a note that shows HTML stays as it is.
        if (!e.entry && LooksLikeHtml(e.description)) e.description = HtmlToPlainText(e.description);
        e.location = c.Text("LOCATION");
        e.cancelled = c.Text("STATUS") == L"CANCELLED";
        if (const IcsProperty* p = c.Find("DTSTART")) {
            e.startText = p->value;
            e.start = ParseIcsTime(*p);
        }
        if (const IcsProperty* p = c.Find(e.kind == IcsEvent::Kind::Todo ? "DUE" : "DTEND")) e.end = ParseIcsTime(*p);
        e.duration = c.Text("DURATION");
        if (const IcsProperty* p = c.Find("RRULE")) e.rrule = p->value;
        if (const IcsProperty* p = c.Find("RECURRENCE-ID")) e.recurrenceId = ParseIcsTime(*p);
        for (const IcsProperty& p : c.properties) {
            if (p.name == "RDATE") AddTimes(p, e.extraDates);
            else if (p.name == "EXDATE") AddTimes(p, e.exceptDates);
        }
        for (const IcsComponent& alarm : c.children) {
            if (alarm.name != "VALARM") continue;
            const IcsProperty* trigger = alarm.Find("TRIGGER");
            e.alarms.push_back(IcsAlarm{alarm.Text("ACTION"), trigger ? trigger->value : L"",
                                        trigger && trigger->Parameter("RELATED") == L"END", alarm.Text("DESCRIPTION")});
        }
        events.push_back(std::move(e));
    }
    return events;
}

std::optional<int> DurationDays(const std::wstring& duration) {
    // P[n]W or P[n]D[T…]: the time part of a day adds no day of its own.
    size_t i = 0;
    if (i < duration.size() && duration[i] == L'+') ++i;
    if (i >= duration.size() || duration[i] != L'P') return std::nullopt;
    ++i;
    long long days = 0, number = 0;
    bool digits = false;
    for (; i < duration.size() && duration[i] != L'T'; ++i) {
        const wchar_t ch = duration[i];
        if (ch >= L'0' && ch <= L'9') {
            if (number < 100000) number = number * 10 + (ch - L'0');
            digits = true;
        } else if ((ch == L'D' || ch == L'W') && digits) {
            days += ch == L'W' ? number * 7 : number;
            number = 0;
            digits = false;
        } else {
            return std::nullopt;
        }
    }
    if (days > 100000) days = 100000;
    return static_cast<int>(days);
}
