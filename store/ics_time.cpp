#include "store/ics_time.h"

#include <algorithm>
#include <set>

#include "store/ics_reader.h"
#include "store/ics_recurrence.h"

namespace {

constexpr Minutes kDay = 24 * 60;
// A zone's history is a few dozen changes; more is not read (every time looks at all).
constexpr size_t kMaxObservances = 64;

std::optional<int> Digits(std::wstring_view text, size_t at, size_t count) {
    if (at + count > text.size()) return std::nullopt;
    int value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

std::wstring Lower(std::wstring_view text) {
    std::wstring out(text);
    for (wchar_t& c : out)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return out;
}

std::wstring TrimBlanks(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t' || text.front() == L'"')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t' || text.back() == L'"')) text.remove_suffix(1);
    return std::wstring(text);
}

// "+0100", "-0500", "+013000": minutes east of UTC.
std::optional<int> ParseOffset(std::wstring_view text) {
    const std::wstring t = TrimBlanks(text);
    if (t.size() < 5 || (t[0] != L'+' && t[0] != L'-')) return std::nullopt;
    const auto hours = Digits(t, 1, 2), minutes = Digits(t, 3, 2);
    if (!hours || !minutes || *hours > 23 || *minutes > 59) return std::nullopt;
    const int value = *hours * 60 + *minutes;
    return t[0] == L'-' ? -value : value;
}

std::optional<Date> OnsetDate(const Observance& o, int year) {
    if (o.monthDays.empty()) return NthWeekdayOfMonth(year, o.month, o.nth, o.weekday);
    std::vector<int> days = o.monthDays;
    std::sort(days.begin(), days.end());
    for (int day : days) {
        if (day < 1 || day > DaysInMonth(year, o.month)) continue;
        const Date d{year, o.month, day};
        if (o.weekday == 0 || MondayFirstDayOfWeek(d) == o.weekday) return d;
    }
    return std::nullopt;
}

enum class Rule { None, European, American };

struct KnownZone {
    const wchar_t* name;
    int standard;  // minutes east of UTC
    Rule rule;
};

// Each name with the rule it follows today. Older rules are not kept: a file that
// needs them brings its VTIMEZONE.
constexpr KnownZone kKnownZones[] = {
    {L"UTC", 0, Rule::None}, {L"Etc/UTC", 0, Rule::None}, {L"Etc/GMT", 0, Rule::None}, {L"GMT", 0, Rule::None},
    {L"Etc/Universal", 0, Rule::None}, {L"Universal", 0, Rule::None}, {L"Zulu", 0, Rule::None},
    {L"Coordinated Universal Time", 0, Rule::None},
    {L"Atlantic/Reykjavik", 0, Rule::None}, {L"Greenwich Standard Time", 0, Rule::None},
    // Western European time
    {L"Europe/London", 0, Rule::European}, {L"Europe/Dublin", 0, Rule::European},
    {L"Europe/Lisbon", 0, Rule::European}, {L"Atlantic/Canary", 0, Rule::European},
    {L"Atlantic/Madeira", 0, Rule::European}, {L"Atlantic/Faroe", 0, Rule::European},
    {L"Europe/Guernsey", 0, Rule::European}, {L"Europe/Jersey", 0, Rule::European},
    {L"Europe/Isle_of_Man", 0, Rule::European}, {L"WET", 0, Rule::European},
    {L"GMT Standard Time", 0, Rule::European},
    // Central European time
    {L"Europe/Budapest", 60, Rule::European}, {L"Europe/Vienna", 60, Rule::European},
    {L"Europe/Berlin", 60, Rule::European}, {L"Europe/Prague", 60, Rule::European},
    {L"Europe/Bratislava", 60, Rule::European}, {L"Europe/Warsaw", 60, Rule::European},
    {L"Europe/Paris", 60, Rule::European}, {L"Europe/Rome", 60, Rule::European},
    {L"Europe/Madrid", 60, Rule::European}, {L"Europe/Amsterdam", 60, Rule::European},
    {L"Europe/Brussels", 60, Rule::European}, {L"Europe/Luxembourg", 60, Rule::European},
    {L"Europe/Zurich", 60, Rule::European}, {L"Europe/Stockholm", 60, Rule::European},
    {L"Europe/Oslo", 60, Rule::European}, {L"Europe/Copenhagen", 60, Rule::European},
    {L"Europe/Belgrade", 60, Rule::European}, {L"Europe/Zagreb", 60, Rule::European},
    {L"Europe/Ljubljana", 60, Rule::European}, {L"Europe/Sarajevo", 60, Rule::European},
    {L"Europe/Skopje", 60, Rule::European}, {L"Europe/Podgorica", 60, Rule::European},
    {L"Europe/Tirane", 60, Rule::European}, {L"Europe/Malta", 60, Rule::European},
    {L"Europe/Monaco", 60, Rule::European}, {L"Europe/Andorra", 60, Rule::European},
    {L"Europe/Gibraltar", 60, Rule::European}, {L"Europe/Vaduz", 60, Rule::European},
    {L"Europe/San_Marino", 60, Rule::European}, {L"Europe/Vatican", 60, Rule::European},
    {L"Europe/Busingen", 60, Rule::European}, {L"Africa/Ceuta", 60, Rule::European},
    {L"Arctic/Longyearbyen", 60, Rule::European}, {L"CET", 60, Rule::European},
    {L"W. Europe Standard Time", 60, Rule::European}, {L"Central Europe Standard Time", 60, Rule::European},
    {L"Central European Standard Time", 60, Rule::European}, {L"Romance Standard Time", 60, Rule::European},
    // Eastern European time
    {L"Europe/Bucharest", 120, Rule::European}, {L"Europe/Sofia", 120, Rule::European},
    {L"Europe/Athens", 120, Rule::European}, {L"Europe/Helsinki", 120, Rule::European},
    {L"Europe/Kiev", 120, Rule::European}, {L"Europe/Kyiv", 120, Rule::European},
    {L"Europe/Riga", 120, Rule::European}, {L"Europe/Tallinn", 120, Rule::European},
    {L"Europe/Vilnius", 120, Rule::European}, {L"Europe/Chisinau", 120, Rule::European},
    {L"Europe/Mariehamn", 120, Rule::European}, {L"Europe/Uzhgorod", 120, Rule::European},
    {L"Europe/Zaporozhye", 120, Rule::European}, {L"Asia/Nicosia", 120, Rule::European},
    {L"Asia/Famagusta", 120, Rule::European}, {L"EET", 120, Rule::European},
    {L"FLE Standard Time", 120, Rule::European}, {L"GTB Standard Time", 120, Rule::European},
    {L"E. Europe Standard Time", 120, Rule::European},
    // No daylight saving time
    {L"Europe/Kaliningrad", 120, Rule::None}, {L"Kaliningrad Standard Time", 120, Rule::None},
    {L"Europe/Moscow", 180, Rule::None}, {L"Europe/Minsk", 180, Rule::None},
    {L"Europe/Istanbul", 180, Rule::None}, {L"Europe/Simferopol", 180, Rule::None},
    {L"Europe/Volgograd", 180, Rule::None}, {L"Russian Standard Time", 180, Rule::None},
    {L"Belarus Standard Time", 180, Rule::None}, {L"Turkey Standard Time", 180, Rule::None},
    {L"America/Phoenix", -420, Rule::None}, {L"US Mountain Standard Time", -420, Rule::None},
    // North America
    {L"America/New_York", -300, Rule::American}, {L"Eastern Standard Time", -300, Rule::American},
    {L"America/Chicago", -360, Rule::American}, {L"Central Standard Time", -360, Rule::American},
    {L"America/Denver", -420, Rule::American}, {L"Mountain Standard Time", -420, Rule::American},
    {L"America/Los_Angeles", -480, Rule::American}, {L"Pacific Standard Time", -480, Rule::American},
};

Observance YearlyChange(int from, int to, int month, int nth, int wallMinuteBefore, int weekday = 7) {
    Observance o;
    o.offsetFrom = from;
    o.offsetTo = to;
    o.month = month;
    o.nth = nth;
    o.weekday = weekday;
    o.start = MinutesOf(Date{1970, 1, 1}, 0, 0) + wallMinuteBefore;
    return o;
}

TimeZone MakeZone(const KnownZone& known) {
    const int standard = known.standard, dst = known.standard + 60;
    TimeZone zone;
    switch (known.rule) {
        case Rule::None: return TimeZone::Fixed(standard);
        case Rule::European:
            // Both changes at 01:00 UTC: the last Sundays of March and October.
            zone.observances.push_back(YearlyChange(standard, dst, 3, -1, 60 + standard));
            zone.observances.push_back(YearlyChange(dst, standard, 10, -1, 60 + dst));
            return zone;
        case Rule::American:
            // 02:00 local: the second Sunday of March and the first of November.
            zone.observances.push_back(YearlyChange(standard, dst, 3, 2, 120));
            zone.observances.push_back(YearlyChange(dst, standard, 11, 1, 120));
            return zone;
    }
    return zone;
}

std::optional<Observance> ObservanceOf(const IcsComponent& c) {
    const IcsProperty* from = c.Find("TZOFFSETFROM");
    const IcsProperty* to = c.Find("TZOFFSETTO");
    const IcsProperty* start = c.Find("DTSTART");
    if (!to || !start) return std::nullopt;
    const auto offsetTo = ParseOffset(to->value);
    const auto offsetFrom = from ? ParseOffset(from->value) : offsetTo;
    const auto startTime = ParseIcsTime(start->value, L"", false);
    if (!offsetTo || !offsetFrom || !startTime) return std::nullopt;
    Observance o;
    o.offsetFrom = *offsetFrom;
    o.offsetTo = *offsetTo;
    o.start = startTime->Wall();
    if (const IcsProperty* rrule = c.Find("RRULE")) {
        const Recurrence r = ParseRecurrence(rrule->value);
        if (r.frequency == Frequency::Yearly && r.unsupported.empty()) {
            o.month = r.byMonth.empty() ? startTime->date.month : r.byMonth.front();
            if (!r.byDay.empty()) {
                o.nth = r.byDay.front().nth;
                o.weekday = r.byDay.front().weekday;
            }
            o.monthDays = r.byMonthDay;
            if (o.monthDays.empty() && (o.nth == 0 || o.weekday == 0)) o.monthDays = {startTime->date.day};
            if (!r.until.empty()) {
                if (const auto until = ParseIcsTime(r.until, L"", false))
                    o.until = until->Wall() - (until->kind == IcsTime::Kind::Utc ? 0 : o.offsetFrom);
            }
        }
    }
    for (const IcsProperty& p : c.properties) {
        if (p.name != "RDATE") continue;
        for (const std::wstring& item : SplitIcsList(p.value))
            if (const auto t = ParseIcsTime(item, L"", false)) o.extraOnsets.push_back(t->Wall());
    }
    return o;
}

void CollectZoneNames(const IcsComponent& c, std::set<std::wstring>& names) {
    for (const IcsProperty& p : c.properties) {
        std::wstring zone = p.Parameter("TZID");
        if (!zone.empty()) names.insert(std::move(zone));
    }
    for (const IcsComponent& child : c.children) CollectZoneNames(child, names);
}

}  // namespace

Minutes MinutesOf(const Date& d, int hour, int minute) { return SerialOf(d) * kDay + hour * 60 + minute; }

Date DateOfMinutes(Minutes m) {
    Minutes day = m / kDay;
    if (m % kDay < 0) --day;
    return DateFromSerial(day);
}

int MinuteOfDay(Minutes m) {
    Minutes r = m % kDay;
    if (r < 0) r += kDay;
    return static_cast<int>(r);
}

std::optional<IcsTime> ParseIcsTime(std::wstring_view value, const std::wstring& zone, bool dateOnly) {
    const std::wstring v = TrimBlanks(value);
    const auto year = Digits(v, 0, 4), month = Digits(v, 4, 2), day = Digits(v, 6, 2);
    if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month))
        return std::nullopt;
    IcsTime t;
    t.date = Date{*year, *month, *day};
    if (v.size() == 8 || dateOnly) {
        if (v.size() != 8 && v[8] != L'T') return std::nullopt;
        return t;
    }
    const auto hour = Digits(v, 9, 2), minute = Digits(v, 11, 2);
    if (v[8] != L'T' || !hour || !minute || *hour > 23 || *minute > 59) return std::nullopt;
    size_t rest = 13;
    if (Digits(v, 13, 2)) rest = 15;  // seconds are written but do not count here
    t.hour = *hour;
    t.minute = *minute;
    const std::wstring_view tail = std::wstring_view(v).substr(rest);
    if (tail == L"Z" || tail == L"z") {
        t.kind = IcsTime::Kind::Utc;
    } else if (!tail.empty()) {
        return std::nullopt;
    } else {
        t.kind = zone.empty() ? IcsTime::Kind::Floating : IcsTime::Kind::Zoned;
        t.zone = zone;
    }
    return t;
}

std::optional<IcsTime> ParseIcsTime(const IcsProperty& property) {
    const std::wstring type = Lower(property.Parameter("VALUE"));
    return ParseIcsTime(property.value, TrimBlanks(property.Parameter("TZID")), type == L"date");
}

TimeZone TimeZone::Fixed(int offsetMinutes) {
    Observance o;
    o.offsetFrom = o.offsetTo = offsetMinutes;
    o.start = MinutesOf(Date{1, 1, 1});
    TimeZone zone;
    zone.observances.push_back(o);
    return zone;
}

int TimeZone::OffsetAtUtc(Minutes utc) const {
    bool found = false;
    Minutes latest = 0;
    int offset = 0;
    auto consider = [&](Minutes onset, int to) {
        if (onset > utc || (found && onset <= latest)) return;
        found = true;
        latest = onset;
        offset = to;
    };
    const Observance* earliest = nullptr;
    for (const Observance& o : observances) {
        const Minutes first = o.start - o.offsetFrom;
        if (!earliest || first < earliest->start - earliest->offsetFrom) earliest = &o;
        consider(first, o.offsetTo);
        for (Minutes extra : o.extraOnsets) consider(extra - o.offsetFrom, o.offsetTo);
        if (o.month == 0) continue;
        const int year = DateOfMinutes(std::min(utc, o.until)).year;
        for (int y : {year - 1, year}) {
            const auto date = OnsetDate(o, y);
            if (!date) continue;
            const Minutes onset = MinutesOf(*date) + MinuteOfDay(o.start) - o.offsetFrom;
            if (onset >= first && onset <= o.until) consider(onset, o.offsetTo);
        }
    }
    if (found) return offset;
    return earliest ? earliest->offsetFrom : 0;
}

Minutes TimeZone::ToUtc(Minutes wall) const {
    // The offsets a day before and a day after: around a change they differ, and
    // only those that give the wall-clock time back are right.
    const int before = OffsetAtUtc(wall - kDay), after = OffsetAtUtc(wall + kDay);
    std::optional<Minutes> best;
    for (int offset : {before, after}) {
        const Minutes utc = wall - offset;
        if (FromUtc(utc) == wall && (!best || utc < *best)) best = utc;
    }
    return best ? *best : wall - before;
}

std::optional<TimeZone> KnownTimeZone(std::wstring_view name) {
    const std::wstring wanted = Lower(TrimBlanks(name));
    for (size_t from = 0; from != std::wstring::npos;) {
        const std::wstring_view tail = std::wstring_view(wanted).substr(from);
        for (const KnownZone& known : kKnownZones)
            if (Lower(known.name) == tail) return MakeZone(known);
        const size_t slash = wanted.find(L'/', from);
        from = slash == std::wstring::npos ? slash : slash + 1;
    }
    return std::nullopt;
}

TimeZone WindowsTimeZone(int bias, int standardBias, int daylightBias, const WindowsZoneChange& toStandard,
                         const WindowsZoneChange& toDaylight) {
    const int standard = -(bias + standardBias), daylight = -(bias + daylightBias);
    if (toDaylight.month < 1 || toDaylight.month > 12 || toStandard.month < 1 || toStandard.month > 12)
        return TimeZone::Fixed(standard);
    auto change = [](int from, int to, const WindowsZoneChange& c) {
        return YearlyChange(from, to, c.month, c.week >= 5 ? -1 : std::max(c.week, 1), c.hour * 60 + c.minute,
                            c.dayOfWeek == 0 ? 7 : c.dayOfWeek);
    };
    TimeZone zone;
    zone.observances.push_back(change(standard, daylight, toDaylight));
    zone.observances.push_back(change(daylight, standard, toStandard));
    return zone;
}

TimeZone HungarianTimeZone() { return *KnownTimeZone(L"Europe/Budapest"); }

TimeZone ZoneOfComponent(const IcsComponent& vtimezone) {
    TimeZone zone;
    for (const IcsComponent& child : vtimezone.children) {
        if (child.name != "STANDARD" && child.name != "DAYLIGHT") continue;
        if (zone.observances.size() >= kMaxObservances) break;
        if (auto o = ObservanceOf(child)) zone.observances.push_back(std::move(*o));
    }
    return zone;
}

IcsZones::IcsZones(const IcsComponent& calendar, TimeZone local) : utc_(TimeZone::Fixed(0)), local_(std::move(local)) {
    for (const IcsComponent& c : calendar.children) {
        if (c.name != "VTIMEZONE") continue;
        const std::wstring id = TrimBlanks(c.Text("TZID"));
        TimeZone zone = ZoneOfComponent(c);
        if (!id.empty() && !zone.observances.empty() && !zones_.count(id)) zones_.emplace(id, std::move(zone));
    }
    std::set<std::wstring> names;
    CollectZoneNames(calendar, names);
    for (const std::wstring& name : names) {
        if (zones_.count(name)) continue;
        if (auto known = KnownTimeZone(name)) zones_.emplace(name, std::move(*known));
    }
    const std::wstring calendarZone = TrimBlanks(calendar.Text("X-WR-TIMEZONE"));
    if (!calendarZone.empty()) {
        if (auto it = zones_.find(calendarZone); it != zones_.end()) calendarZone_ = it->second;
        else calendarZone_ = KnownTimeZone(calendarZone);
    }
}

const TimeZone* IcsZones::ZoneOf(const IcsTime& t) const {
    switch (t.kind) {
        case IcsTime::Kind::Date: return nullptr;
        case IcsTime::Kind::Utc: return &utc_;
        case IcsTime::Kind::Zoned: {
            const auto it = zones_.find(t.zone);
            return it == zones_.end() ? nullptr : &it->second;
        }
        case IcsTime::Kind::Floating: return calendarZone_ ? &*calendarZone_ : nullptr;
    }
    return nullptr;
}

Minutes IcsZones::ToLocal(Minutes wall, const TimeZone* zone) const {
    return zone ? local_.FromUtc(zone->ToUtc(wall)) : wall;
}
