// The sync's addresses. The input is a request URL and an href, one line each.
// Properties: a URL that is read writes back as text that reads the same; an href made
// absolute is a URL that resolves to itself and is the same resource as itself; what
// the user typed becomes an address that, typed again, stays the same; a file name's
// encoding stays one path segment.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "sync/dav_url.h"

namespace {

std::wstring Widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = BytesOf(data, size);
    const size_t cut = input.find('\n');
    const std::string base(input.substr(0, cut));
    const std::string_view href = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

    if (const std::optional<Url> url = ParseUrl(base)) {
        FUZZ_CHECK(!url->path.empty() && url->path[0] == '/');
        FUZZ_CHECK(url->port >= 1 && url->port <= 65535);
        FUZZ_CHECK(ParseUrl(UrlText(*url)) == url);
    }
    if (const std::optional<std::string> resolved = ResolveHref(base, href)) {
        FUZZ_CHECK(ParseUrl(*resolved).has_value());
        FUZZ_CHECK(ResolveHref(base, *resolved) == resolved);
        FUZZ_CHECK(SameResource(*resolved, *resolved));
    }
    if (const std::optional<std::string> address = AddressFromUserText(WideOf(data, size))) {
        FUZZ_CHECK(ParseUrl(*address).has_value());
        FUZZ_CHECK(AddressFromUserText(Widened(*address)) == address);
    }
    const std::string segment = PercentEncodePathSegment(href);
    FUZZ_CHECK(segment.find('/') == std::string::npos && segment.find('?') == std::string::npos);
    return 0;
}
