// What every fuzz target shares: a failed property stops the run with a message,
// which libFuzzer reports as a crash and keeps the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

inline std::string_view BytesOf(const unsigned char* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input taken as UTF-16 units (little-endian pairs), for readers that get text
// from a window rather than from a file.
inline std::wstring WideOf(const unsigned char* data, size_t size) {
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    return text;
}
