// Calendar files and the import plan made of them. Property: a file is read whole
// or refused with an IcsError, never a fault; the plan of a file that is read keeps
// to its range (a yearly entry may start before it) and its limit, titles fit their 20
// characters, each note's rich text reads back as the note's text, and the reminders
// are ones the diary can hold, each once.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "store/ics_import.h"
#include "store/ics_reader.h"
#include "store/rtf_text.h"

namespace {

// The note's text as rich text can hold it: line breaks as LF, other control
// characters but the tab left out, and the paragraph mark that ends the document.
std::wstring AsNoteReadsBack(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r') {
            out += L'\n';
            if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else if (c == L'\n' || c == L'\t' || c >= 0x20) {
            out += c;
        }
    }
    return out + L'\n';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    IcsComponent calendar;
    try {
        calendar = ReadIcs(BytesOf(data, size));
    } catch (const IcsError& e) {
        FUZZ_CHECK(!e.Text().empty());
        return 0;
    }
    FUZZ_CHECK(calendar.name == "VCALENDAR");
    ImportOptions options;
    options.first = Date{2026, 1, 1};
    options.last = Date{2026, 12, 31};
    options.maxDays = 50;
    const ImportPlan plan = PlanImport(calendar, [](const Date& d) { return d.day % 7 == 0; }, {}, options);
    FUZZ_CHECK(plan.additions.size() + plan.conflicts.size() <= options.maxDays);
    for (const auto* days : {&plan.additions, &plan.conflicts}) {
        for (const ImportedDay& day : *days) {
            FUZZ_CHECK(day.yearly ? SerialOf(day.date) <= SerialOf(options.last) : day.date.year == 2026);
            for (size_t i = 0; i < day.reminders.size(); ++i) {
                const Reminder& r = day.reminders[i];
                FUZZ_CHECK(r.day == day.date && IsLeadDayChoice(r.leadDays));
                FUZZ_CHECK(r.minute == kAllDay || (r.minute >= 0 && r.minute < 24 * 60));
                for (size_t k = 0; k < i; ++k) FUZZ_CHECK(!(day.reminders[k] == r));
            }
            FUZZ_CHECK(day.title1.size() <= 20 && day.title2.size() <= 20);
            FUZZ_CHECK(!day.uids.empty());
            FUZZ_CHECK(day.noteRtf.empty() == day.noteText.empty());
            if (!day.noteRtf.empty()) FUZZ_CHECK(RtfToPlainText(day.noteRtf) == AsNoteReadsBack(day.noteText));
        }
    }
    for (const SkippedEvent& s : plan.skipped) FUZZ_CHECK(!s.reason.empty() && s.times > 0);
    return 0;
}
