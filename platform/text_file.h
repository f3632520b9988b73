// Plain text files of unknown origin, as the editors open them: a byte-order mark
// decides; without one, text that is valid UTF-8 is UTF-8, anything else is the
// Hungarian Windows code page (1250), whatever the system's own code page is.
#pragma once

#include <string>
#include <string_view>

enum class TextEncoding { Utf16LittleEndian, Utf16BigEndian, Utf8, Windows1250 };

// Strict: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
bool IsValidUtf8(std::string_view bytes);

TextEncoding DetectTextEncoding(std::string_view bytes);

// The text without its byte-order mark. A broken UTF-16 unit becomes U+FFFD.
std::wstring DecodeTextFile(std::string_view bytes);
