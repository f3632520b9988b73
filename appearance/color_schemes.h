// Lines of "Színek.txt", the colour schemes offered in the colour window. A line is
// the scheme's name in columns 1-14, then for slot i = 1..10 a nine-character whole
// number (decimal or "$" hexadecimal, blank-padded) at columns 10i+5 .. 10i+13, each
// followed by one column that is not read. The tenth field is the rest of the line
// from column 105.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Slots 1..10 of a scheme; index 0 is unused, as in the program's colour table.
using SchemeSlots = std::array<int32_t, 11>;

// The name shown in the list: columns 1-14 without the blanks around it.
std::wstring SchemeName(const std::wstring& line);

// The trimmed text of slot `slot` (1..10); empty when the line ends before it.
std::wstring SchemeField(const std::wstring& line, int slot);

// All ten slots. A field that is empty or no whole number throws ConvertError; the
// caller applies nothing then, because everything is read before it is returned.
SchemeSlots ParseSchemeLine(const std::wstring& line);

// Slot 1, the colour the list draws the scheme in; black when that field is no
// number, so painting a damaged line never fails.
int32_t SchemeDrawColour(const std::wstring& line);
