// The Windows-1250 codec. Every byte decodes to one character and encodes back to
// itself; text encodes to one byte per character, and exactly the characters the code
// page cannot hold become '?' and are counted.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/codec1250.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = BytesOf(data, size);
    const std::wstring decoded = DecodeCp1250(bytes);
    FUZZ_CHECK(decoded.size() == bytes.size());
    size_t missing = 99;
    FUZZ_CHECK(EncodeCp1250(decoded, &missing) == bytes);
    FUZZ_CHECK(missing == 0);

    const std::wstring text = WideOf(data, size);
    const std::string encoded = EncodeCp1250(text, &missing);
    FUZZ_CHECK(encoded.size() == text.size());
    const std::wstring back = DecodeCp1250(encoded);
    size_t changed = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (back[i] == text[i]) continue;
        FUZZ_CHECK(encoded[i] == '?');
        ++changed;
    }
    FUZZ_CHECK(changed == missing);
    return 0;
}
