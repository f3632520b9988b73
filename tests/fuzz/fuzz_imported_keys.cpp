// The reader of the imports' keys (Data\Importalt.txt). Property: any bytes give a set
// of keys without blank ones, and the text written of that set reads back as the same
// set (so a damaged file, once written again, is a clean one that loses nothing more).
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "store/imported_keys.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto keys = ParseImportedKeys(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::wstring& key : keys) FUZZ_CHECK(!key.empty());
    const auto again = ParseImportedKeys(ImportedKeysText(keys));
    for (const std::wstring& key : again) FUZZ_CHECK(keys.count(key) == 1);
    FUZZ_CHECK(ParseImportedKeys(ImportedKeysText(again)) == again);
    return 0;
}
