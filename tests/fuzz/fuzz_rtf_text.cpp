// The notes' rich text read as plain text for the search. Property: no character
// comes out without a byte of its own; text that is not RTF is read as Windows-1250;
// and any bytes, escaped as a rich-edit control writes them, read back as themselves.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "platform/codec1250.h"
#include "store/rtf_text.h"

namespace {

// The bytes as the text of a document: braces and backslashes escaped, line ends
// and NUL (which the reader passes over in the file) as \'xx.
std::string Document(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0 ";
    for (char c : text) {
        if (c == '{' || c == '}' || c == '\\') {
            rtf += '\\';
            rtf += c;
        } else if (c == '\r' || c == '\n' || c == '\0') {
            rtf += "\\'";
            rtf += kHex[static_cast<unsigned char>(c) >> 4];
            rtf += kHex[c & 0xF];
        } else {
            rtf += c;
        }
    }
    return rtf + "}";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = BytesOf(data, size);
    const std::wstring text = RtfToPlainText(bytes);
    FUZZ_CHECK(text.size() <= bytes.size());
    if (!bytes.starts_with("{\\rtf")) FUZZ_CHECK(text == DecodeCp1250(bytes));
    FUZZ_CHECK(RtfToPlainText(Document(bytes)) == DecodeCp1250(bytes));
    return 0;
}
