// The iCalendar writer, read back by a reader of its own written from RFC 5545
// (unfolding, content lines, TEXT unescaping, UTF-8), independent of the writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "platform/codec1250.h"
#include "store/entry_store.h"
#include "store/icalendar.h"
#include "store/nevnapok.h"
#include "temp_folder.h"

namespace {

// The independent reader

// Decodes strict UTF-8 (no overlong forms, no surrogates); throws on anything else.
std::wstring DecodeUtf8(const std::string& bytes) {
    std::wstring out;
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= bytes.size() + (extra == 0 ? 1 : 0)) throw std::runtime_error("bad UTF-8 lead");
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(bytes[i + k]);
            if ((t & 0xC0) != 0x80) throw std::runtime_error("bad UTF-8 continuation");
            c = (c << 6) | (t & 0x3F);
        }
        const char32_t least[] = {0, 0x80, 0x800, 0x10000};
        if (c < least[extra] || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) throw std::runtime_error("bad code point");
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<wchar_t>(c);
        }
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}

std::wstring UnescapeText(const std::string& value) {
    std::string raw;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            raw += value[i];
            continue;
        }
        if (++i == value.size()) throw std::runtime_error("backslash at the end");
        switch (value[i]) {
            case '\\': raw += '\\'; break;
            case ';': raw += ';'; break;
            case ',': raw += ','; break;
            case 'n':
            case 'N': raw += '\n'; break;
            default: throw std::runtime_error("unknown escape");
        }
    }
    return DecodeUtf8(raw);
}

struct Property {
    std::string params;  // after the name, without the leading ';'
    std::string value;
};
using Component = std::multimap<std::string, Property>;

struct ParsedCalendar {
    Component calendar;
    std::vector<Component> events;
    size_t physicalLines = 0;
};

ParsedCalendar Parse(const std::string& file) {
    ParsedCalendar parsed;
    // Physical lines: every one ends with CR LF; none is longer than 75 octets or
    // splits a UTF-8 character (each decodes on its own).
    std::vector<std::string> logical;
    size_t start = 0;
    while (start < file.size()) {
        const size_t end = file.find("\r\n", start);
        if (end == std::string::npos) throw std::runtime_error("line without CR LF");
        const std::string line = file.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos) throw std::runtime_error("bare CR or LF");
        if (line.size() > 75) throw std::runtime_error("line longer than 75 octets: " + line);
        DecodeUtf8(line);
        ++parsed.physicalLines;
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            if (logical.empty()) throw std::runtime_error("continuation first");
            logical.back() += line.substr(1);
        } else {
            logical.push_back(line);
        }
        start = end + 2;
    }
    std::vector<std::string> stack;
    for (const std::string& line : logical) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) throw std::runtime_error("no colon: " + line);
        const std::string head = line.substr(0, colon), value = line.substr(colon + 1);
        const size_t semicolon = head.find(';');
        const std::string name = head.substr(0, semicolon);
        const std::string params = semicolon == std::string::npos ? "" : head.substr(semicolon + 1);
        if (name == "BEGIN") {
            stack.push_back(value);
            if (value == "VEVENT") parsed.events.emplace_back();
        } else if (name == "END") {
            if (stack.empty() || stack.back() != value) throw std::runtime_error("unbalanced END:" + value);
            stack.pop_back();
        } else if (stack.size() == 2 && stack.back() == "VEVENT") {
            parsed.events.back().insert({name, Property{params, value}});
        } else if (stack.size() == 1 && stack.back() == "VCALENDAR") {
            parsed.calendar.insert({name, Property{params, value}});
        } else {
            throw std::runtime_error("property outside a component: " + line);
        }
    }
    if (!stack.empty()) throw std::runtime_error("component not closed");
    return parsed;
}

const Property& One(const Component& c, const std::string& name) {
    if (c.count(name) != 1) throw std::runtime_error("not exactly one " + name);
    return c.find(name)->second;
}

// Fixtures

constexpr DateTime kStamp{Date{2026, 12, 8}, 7, 5, 9};

std::wstring NoteOf(const std::map<std::wstring, std::wstring>& notes, const Date& d) {
    auto it = notes.find(DateKey(d));
    return it == notes.end() ? std::wstring() : it->second;
}

}  // namespace

TEST(ICalendar, DiaryEntriesReadBackAsAllDayEventsInDateOrder) {
    EntryStore index;
    index.Lines = {
        MakeDayEntry(Date{2026, 12, 31}, L"Szilveszter", L"buli", 0xFF, 0),
        MakeDayEntry(Date{2026, 12, 8}, L"Régi cím", L"", 0, 0),
        MakeDayEntry(Date{2026, 12, 8}, L"Fogorvos", L"10 óra", 0xFF, 0x8000),  // the last line of a date counts
        MakeDayEntry(Date{2026, 11, 30}, L"Más hónap", L"", 0, 0),
        L"20261299" + std::wstring(56, L' '),  // no real day
        L"2026",                                // cut short
        MakeDayEntry(Date{2026, 12, 1}, L"", L"", 0, 0),
        MakeDayEntry(Date{2026, 12, 2}, L"", L"csak második", 0, 0),
    };
    const std::wstring longNote = L"Hosszú jegyzet: " + std::wstring(40, L'ő') + L" € 😀 vége";
    const std::map<std::wstring, std::wstring> notes = {
        {L"20261208", L"Vigyem: útlevél, kártya; \\ jel\r\nÚj sor\nmég egy\rés\tegy\x01 tab"},
        {L"20261231", longNote},
        {L"20261130", L"nem kerül bele"},
    };
    int noteReads = 0;
    const auto events = DiaryEvents(index, ExportRange::Month(Date{2026, 12, 8}), [&](const Date& d) {
        ++noteReads;
        return NoteOf(notes, d);
    });
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(noteReads, 4);

    const ParsedCalendar parsed = Parse(WriteCalendar(events, kStamp, L"Tivorn napló"));
    EXPECT_EQ(One(parsed.calendar, "VERSION").value, "2.0");
    EXPECT_FALSE(One(parsed.calendar, "PRODID").value.empty());
    EXPECT_EQ(UnescapeText(One(parsed.calendar, "X-WR-CALNAME").value), L"Tivorn napló");
    ASSERT_EQ(parsed.events.size(), 4u);

    const char* starts[] = {"20261201", "20261202", "20261208", "20261231"};
    const char* ends[] = {"20261202", "20261203", "20261209", "20270101"};
    for (size_t i = 0; i < 4; ++i) {
        const Component& e = parsed.events[i];
        EXPECT_EQ(One(e, "DTSTART").params, "VALUE=DATE");
        EXPECT_EQ(One(e, "DTSTART").value, starts[i]);
        EXPECT_EQ(One(e, "DTEND").params, "VALUE=DATE");
        EXPECT_EQ(One(e, "DTEND").value, ends[i]);
        EXPECT_EQ(One(e, "DTSTAMP").value, "20261208T070509Z");
        EXPECT_EQ(UnescapeText(One(e, "UID").value), L"tivorn-" + DecodeUtf8(starts[i]) + L"@ketrabo.example");
        EXPECT_EQ(e.count("RRULE"), 0u);
    }
    // Titles trimmed and joined; a day with no titles has no SUMMARY.
    EXPECT_EQ(parsed.events[0].count("SUMMARY"), 0u);
    EXPECT_EQ(UnescapeText(One(parsed.events[1], "SUMMARY").value), L"csak második");
    EXPECT_EQ(UnescapeText(One(parsed.events[2], "SUMMARY").value), L"Fogorvos 10 óra");
    EXPECT_EQ(UnescapeText(One(parsed.events[3], "SUMMARY").value), L"Szilveszter buli");
    // Line breaks of any kind come back as one "\n"; control characters but the tab are dropped.
    EXPECT_EQ(UnescapeText(One(parsed.events[2], "DESCRIPTION").value),
              L"Vigyem: útlevél, kártya; \\ jel\nÚj sor\nmég egy\nés\tegy tab");
    EXPECT_EQ(UnescapeText(One(parsed.events[3], "DESCRIPTION").value), longNote);
    EXPECT_EQ(parsed.events[0].count("DESCRIPTION"), 0u);
    EXPECT_GT(parsed.physicalLines, 2u + 6u + 4u * 8u);  // the long note was folded
}

TEST(ICalendar, RangesTakeTheMonthTheYearOrEverything) {
    EntryStore index;
    for (const Date& d : {Date{2025, 12, 31}, Date{2026, 1, 1}, Date{2026, 12, 8}, Date{2026, 12, 9}, Date{2027, 2, 28}})
        index.Lines.push_back(MakeDayEntry(d, L"x", L"", 0, 0));
    const Date shown{2026, 12, 8};
    EXPECT_EQ(DiaryEvents(index, ExportRange::Month(shown), {}).size(), 2u);
    EXPECT_EQ(DiaryEvents(index, ExportRange::Year(shown), {}).size(), 3u);
    EXPECT_EQ(DiaryEvents(index, ExportRange::All(), {}).size(), 5u);
    EXPECT_TRUE(DiaryEvents(index, ExportRange::Month(Date{2026, 6, 1}), {}).empty());
    // An empty calendar is still a whole, valid file.
    const ParsedCalendar empty = Parse(WriteCalendar({}, kStamp, L""));
    EXPECT_TRUE(empty.events.empty());
    EXPECT_EQ(empty.calendar.count("X-WR-CALNAME"), 0u);
}

TEST(ICalendar, EscapesTextSpecialCharacters) {
    EXPECT_EQ(EscapeIcsText(L"a\\b;c,d"), "a\\\\b\\;c\\,d");
    EXPECT_EQ(EscapeIcsText(L"1\r\n2\n3\r4\n\n5"), "1\\n2\\n3\\n4\\n\\n5");
    EXPECT_EQ(EscapeIcsText(L"ő:\"x\""), "\xC5\x91:\"x\"");  // colon and quotes need no escape in TEXT
    EXPECT_EQ(EscapeIcsText(L"\x7F\x1B"), "");
}

TEST(ICalendar, FoldsAt75OctetsNeverInsideACharacter) {
    // Every position of a multi-byte character against the fold: 1 to 4 octets,
    // after every length of ASCII prefix.
    const std::wstring characters[] = {L"a", L"ő", L"€", L"😀"};
    for (const std::wstring& ch : characters) {
        for (size_t prefix = 0; prefix < 8; ++prefix) {
            std::wstring value = std::wstring(prefix, L'x');
            for (int i = 0; i < 80; ++i) value += ch;
            std::string file;
            AppendContentLine(file, "SUMMARY:" + EscapeIcsText(value));
            std::vector<size_t> lengths;
            for (size_t s = 0, e; (e = file.find("\r\n", s)) != std::string::npos; s = e + 2) {
                const std::string line = file.substr(s, e - s);
                EXPECT_LE(line.size(), 75u);
                EXPECT_NO_THROW(DecodeUtf8(line)) << "a fold split a character";
                lengths.push_back(line.size());
            }
            ASSERT_GT(lengths.size(), 1u);
            EXPECT_GE(lengths[0], 72u);  // folds as late as the character allows
            std::string unfolded;
            for (size_t s = 0, e; (e = file.find("\r\n", s)) != std::string::npos; s = e + 2)
                unfolded += file.substr(s == 0 ? 0 : s + 1, e - s - (s == 0 ? 0 : 1));
            EXPECT_EQ(UnescapeText(unfolded.substr(8)), value);
        }
    }
    std::string exact;
    AppendContentLine(exact, std::string(75, 'a'));
    EXPECT_EQ(exact, std::string(75, 'a') + "\r\n");
    std::string longer;
    AppendContentLine(longer, std::string(76, 'a'));
    EXPECT_EQ(longer, std::string(75, 'a') + "\r\n a\r\n");
}

TEST(ICalendar, UidsAreStablePerDayAndUniqueAcrossACentury) {
    EntryStore index;
    Date d{2000, 1, 1};
    for (int i = 0; i < 36500; ++i, d = AddDays(d, 1)) index.Lines.push_back(MakeDayEntry(d, L"Nap", L"", 0, 0));
    const auto first = DiaryEvents(index, ExportRange::All(), {});
    ASSERT_EQ(first.size(), 36500u);
    std::set<std::wstring> uids;
    for (const CalendarEvent& e : first) uids.insert(e.uid);
    EXPECT_EQ(uids.size(), 36500u);
    // A decade of them read back (the whole century is the benchmark's work).
    const ParsedCalendar parsed = Parse(WriteCalendar(DiaryEvents(index, ExportRange{L"200"}, {}), kStamp, L"Tivorn"));
    ASSERT_EQ(parsed.events.size(), 3653u);
    for (size_t i = 0; i < parsed.events.size(); i += 97)
        EXPECT_EQ(UnescapeText(One(parsed.events[i], "UID").value), first[i].uid);

    // Again later, with other titles and notes and the lines in another order: the
    // same day keeps its UID.
    std::vector<std::wstring> reversed = index.Lines.ToVector();
    std::reverse(reversed.begin(), reversed.end());
    index.Lines = reversed;
    index.Lines.push_back(MakeDayEntry(Date{2026, 12, 8}, L"Átírva", L"", 0, 0));
    const auto again = DiaryEvents(index, ExportRange::Year(Date{2026, 1, 1}), [](const Date&) { return L"új"; });
    ASSERT_EQ(again.size(), 365u);
    for (const CalendarEvent& e : again) EXPECT_EQ(e.uid, EntryUid(e.date));
    EXPECT_EQ(EntryUid(Date{2026, 12, 8}), first[static_cast<size_t>(SerialOf(Date{2026, 12, 8}) - SerialOf(Date{2000, 1, 1}))].uid);
    EXPECT_NE(EntryUid(Date{2026, 12, 8}), EntryUid(Date{2026, 12, 9}));
}

TEST(ICalendar, NameDaysAreAYearlySeriesWithoutTheLeapDay) {
    TempFolder folder;
    std::string text;
    for (int n = 1; n <= 365; ++n) text += (n == 1 ? std::string("Fruzsina") : EncodeCp1250(L"Név ") + std::to_string(n)) + "\r\n";
    text += EncodeCp1250(L"Ábel, Ádám") + "\r\n";  // a 366th line is never read
    folder.WriteBytes(u8"Data/Névnapok.txt", text);
    const TNevnapok names(TNevnapok::FilePath(folder.Dir()), {});

    for (int year : {2026, 2028}) {
        const auto events = NameDayEvents(names, year);
        const ParsedCalendar parsed = Parse(WriteCalendar(events, kStamp, L"Névnapok"));
        ASSERT_EQ(parsed.events.size(), 365u) << year;
        std::set<std::string> uids;
        for (const Component& e : parsed.events) {
            EXPECT_EQ(One(e, "RRULE").value, "FREQ=YEARLY");
            EXPECT_EQ(One(e, "DTSTART").value.substr(0, 4), std::to_string(year));
            EXPECT_EQ(One(e, "DTSTART").params, "VALUE=DATE");
            EXPECT_EQ(UnescapeText(One(e, "SUMMARY").value).find(TNevnapok::kLeapDay), std::wstring::npos);
            uids.insert(One(e, "UID").value);
        }
        EXPECT_EQ(uids.size(), 365u);
        EXPECT_EQ(UnescapeText(One(parsed.events[0], "SUMMARY").value), L"Fruzsina napja");
        EXPECT_EQ(One(parsed.events[58], "DTSTART").value, std::to_string(year) + "0228");
        EXPECT_EQ(One(parsed.events[58], "DTEND").value, std::to_string(year) + (year == 2028 ? "0229" : "0301"));
        EXPECT_EQ(One(parsed.events[59], "DTSTART").value, std::to_string(year) + "0301");
        EXPECT_EQ(UnescapeText(One(parsed.events[59], "SUMMARY").value), L"Név 60 napja");
        EXPECT_EQ(UnescapeText(One(parsed.events[364], "SUMMARY").value), L"Név 365 napja");
    }
    EXPECT_EQ(NameDayUid(3, 1), NameDayEvents(names, 2030)[59].uid);

    // Without the file every day is the placeholder: no events rather than 365 "xxx".
    const TNevnapok missing(L"/nonexistent/Névnapok.txt", {});
    EXPECT_TRUE(NameDayEvents(missing, 2026).empty());
}
