// The snapshots' zip reader. Property: a damaged archive is a ZipError, never a
// fault; the directory counts no more entries than it has room for; an archive that
// is read whole has as many entries as its directory counts, and they are zipped
// again and read back as themselves.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "store/zip_archive.h"

namespace {

// The smallest entry of a zip's directory: its fixed 46 bytes, without a name.
constexpr size_t kDirectoryEntryBytes = 46;

bool Same(const std::vector<ZipEntry>& a, const std::vector<ZipEntry>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const ZipEntry& x, const ZipEntry& y) { return x.name == y.name && x.bytes == y.bytes; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view archive = BytesOf(data, size);
    std::optional<size_t> count;
    try {
        count = CountZipEntries(archive);
        FUZZ_CHECK(*count <= archive.size() / kDirectoryEntryBytes);
    } catch (const ZipError&) {
        // not even counted: ReadZip must refuse it too (checked below)
    }
    std::vector<ZipEntry> entries;
    try {
        entries = ReadZip(archive);
    } catch (const ZipError&) {
        return 0;
    }
    FUZZ_CHECK(count && entries.size() == *count);
    // minizip looks for the directory's end record only past the first byte, so an
    // archive of no entries (nothing but that record) does not open again.
    if (entries.empty()) return 0;
    FUZZ_CHECK(Same(ReadZip(MakeZip(entries)), entries));
    return 0;
}
