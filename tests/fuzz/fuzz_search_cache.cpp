// The search's cache file. Property: a cache that is read is written back and reads
// again as the same texts (written alike); a refused one leaves the texts that were
// there before as they were.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "store/diary_search.h"

namespace {

constexpr std::string_view kGoodCache = "TIVORN KERESES 1\n20260101\t12\t-5\t5\nvacsi\nVEGE\n";

DiarySearch Search() { return DiarySearch(nullptr, nullptr); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = BytesOf(data, size);
    DiarySearch search = Search();
    FUZZ_CHECK(search.LoadCache(kGoodCache));
    const std::string before = search.CacheBytes();
    if (!search.LoadCache(bytes)) {
        FUZZ_CHECK(search.CacheBytes() == before);
        return 0;
    }
    const std::string written = search.CacheBytes();
    DiarySearch again = Search();
    FUZZ_CHECK(again.LoadCache(written));
    FUZZ_CHECK(again.CachedNotes() == search.CachedNotes());
    FUZZ_CHECK(again.CacheBytes() == written);
    return 0;
}
