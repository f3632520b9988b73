// TextToInt against a plain reference: blanks before the number, an optional sign,
// then decimal digits or "$"/"x"/"0x" with hexadecimal digits. Decimal must fit in a
// signed 32-bit number; hexadecimal fills 32 bits (a minus negates them). Anything
// else is a ConvertError, never another failure. ColorToHexText reads back.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "platform/eljaras.h"
#include "platform/errors.h"

namespace {

std::optional<int32_t> Reference(const std::wstring& t) {
    if (t.empty()) return 0;
    size_t i = t.find_first_not_of(L' ');
    if (i == std::wstring::npos) return std::nullopt;
    bool negative = false;
    if (t[i] == L'-' || t[i] == L'+') negative = t[i++] == L'-';
    int base = 10;
    if (i < t.size() && (t[i] == L'$' || t[i] == L'x' || t[i] == L'X')) {
        base = 16;
        ++i;
    } else if (t.compare(i, 2, L"0x") == 0 || t.compare(i, 2, L"0X") == 0) {
        base = 16;
        i += 2;
    }
    if (i >= t.size()) return std::nullopt;
    unsigned long long value = 0;
    for (; i < t.size(); ++i) {
        const wchar_t c = t[i];
        int digit = -1;
        if (c >= L'0' && c <= L'9') digit = c - L'0';
        else if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
        else if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (base == 16) return static_cast<int32_t>(negative ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value));
    const long long signedValue = negative ? -static_cast<long long>(value) : static_cast<long long>(value);
    if (signedValue < INT32_MIN || signedValue > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(signedValue);
}

std::optional<int32_t> Actual(const std::wstring& text) {
    try {
        return TextToInt(text);
    } catch (const ConvertError&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Short inputs as bytes (the registry and file texts), every input also as UTF-16.
    std::wstring narrow;
    for (size_t i = 0; i < size; ++i) narrow += static_cast<wchar_t>(data[i]);
    for (const std::wstring& text : {narrow, WideOf(data, size)}) {
        const std::optional<int32_t> actual = Actual(text);
        FUZZ_CHECK(actual == Reference(text));
        if (actual) FUZZ_CHECK(Actual(ColorToHexText(*actual)) == actual);
    }
    if (size >= 4) {
        int32_t value = static_cast<int32_t>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24);
        FUZZ_CHECK(TextToInt(ColorToHexText(value)) == value);
        FUZZ_CHECK(TextToInt(std::to_wstring(value)) == value);
    }
    return 0;
}
