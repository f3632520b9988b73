// The colour-scheme file's lines. Property: the name is at most the 14-column name
// without blanks around it; a line either gives all ten slots, each the whole number
// of its field, or fails with ConvertError only; the list's draw colour is slot 1 or
// black.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "appearance/color_schemes.h"
#include "fuzz_check.h"
#include "platform/errors.h"
#include "store/entry_store.h"

namespace {

std::optional<int32_t> FieldNumber(const std::wstring& line, int slot) {
    const std::wstring field = SchemeField(line, slot);
    if (field.empty()) return std::nullopt;
    try {
        return TextToInt(field);
    } catch (const ConvertError&) {
        return std::nullopt;
    }
}

void CheckLine(const std::wstring& line) {
    const std::wstring name = SchemeName(line);
    FUZZ_CHECK(name.size() <= 14);
    FUZZ_CHECK(name.empty() || (name.front() != L' ' && name.back() != L' '));
    FUZZ_CHECK(line.find(name) != std::wstring::npos);
    for (int slot : {0, 11, -1}) FUZZ_CHECK(SchemeField(line, slot).empty());

    bool allNumbers = true;
    for (int slot = 1; slot <= 10; ++slot) allNumbers = allNumbers && FieldNumber(line, slot).has_value();
    try {
        const SchemeSlots slots = ParseSchemeLine(line);
        FUZZ_CHECK(allNumbers);
        for (int slot = 1; slot <= 10; ++slot) FUZZ_CHECK(slots[static_cast<size_t>(slot)] == *FieldNumber(line, slot));
    } catch (const ConvertError&) {
        FUZZ_CHECK(!allNumbers);
    }
    FUZZ_CHECK(SchemeDrawColour(line) == FieldNumber(line, 1).value_or(0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (const std::wstring& line : ParseIndexText(BytesOf(data, size))) CheckLine(line);
    return 0;
}
