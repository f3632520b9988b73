// Calendar files and the import plan made of them. Property: a file is read whole
// or refused with an IcsError, never a fault; the plan of a file that is read keeps
// to its range and its limit, titles fit their 20 characters, and each note's rich
// text reads back as the note's text.
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
            FUZZ_CHECK(day.date.year == 2026);
            FUZZ_CHECK(day.title1.size() <= 20 && day.title2.size() <= 20);
            FUZZ_CHECK(!day.uids.empty());
            FUZZ_CHECK(day.noteRtf.empty() == day.noteText.empty());
            if (!day.noteRtf.empty()) FUZZ_CHECK(RtfToPlainText(day.noteRtf) == AsNoteReadsBack(day.noteText));
        }
    }
    for (const SkippedEvent& s : plan.skipped) FUZZ_CHECK(!s.reason.empty() && s.times > 0);
    return 0;
}
