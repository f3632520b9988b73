// Windows-1250 text conversion. Files the program reads and writes as text are
// Windows-1250 whatever the system's ANSI code page is, so a file written on one
// Windows reads the same on every other (and under Wine with any Linux locale).
#pragma once

#include <string>
#include <string_view>

std::wstring DecodeCp1250(std::string_view bytes);
wchar_t DecodeCp1250Byte(unsigned char byte);

// Characters that Windows-1250 cannot hold become '?'; their number is reported
// through `unconvertible` when it is given.
std::string EncodeCp1250(std::wstring_view text, size_t* unconvertible = nullptr);
