// Answers of a CalDAV server. Property: an answer is read or refused with a
// DavXmlError that says why, never a fault; what is read keeps to the response limit
// and every status is an HTTP status or 0.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "sync/dav_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kMaxItems = 20;
    Multistatus answer;
    try {
        answer = ParseMultistatus(BytesOf(data, size), kMaxItems);
    } catch (const DavXmlError& e) {
        FUZZ_CHECK(e.what()[0] != '\0');
        return 0;
    }
    FUZZ_CHECK(answer.items.size() <= kMaxItems);
    for (const DavItem& item : answer.items) FUZZ_CHECK(item.status == 0 || (item.status >= 100 && item.status <= 999));
    return 0;
}
