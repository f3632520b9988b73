// Reading iCalendar files (RFC 5545) as other calendars write them: content lines
// unfolded (CR LF or a bare LF followed by a blank or a tab), parameters with quoted
// values, components nested as BEGIN/END say. UTF-8 with or without a byte order
// mark; a file that is not valid UTF-8 is read as Windows-1250, as older Windows
// programs write it. The whole file is read or none of it: a damaged or oversized
// file throws IcsError with a text the user can be shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/errors.h"

// A file that cannot be read as a calendar; the text says why, in Hungarian.
class IcsError : public AppError {
public:
    explicit IcsError(std::wstring text) : AppError(std::move(text)) {}
};

// What a hostile or runaway file may cost at most.
struct IcsLimits {
    size_t maxBytes = 32u << 20;
    size_t maxComponents = 100000;
    size_t maxProperties = 1000000;
    size_t maxDepth = 8;
};

struct IcsParameter {
    std::string name;    // upper case
    std::wstring value;  // quotes removed
};

struct IcsProperty {
    std::string name;  // upper case
    std::vector<IcsParameter> parameters;
    std::wstring value;  // as written: TEXT values still escaped (UnescapeIcsText)
    size_t line = 0;     // physical line (from 1) where the property starts

    // The parameter's value, or "" when the property has none of that name.
    std::wstring Parameter(std::string_view name) const;
};

struct IcsComponent {
    std::string name;  // upper case, e.g. "VEVENT"
    std::vector<IcsProperty> properties;
    std::vector<IcsComponent> children;
    size_t line = 0;

    // The first property of that name, or null.
    const IcsProperty* Find(std::string_view name) const;
    // Unescaped text of the first property of that name ("" when there is none).
    std::wstring Text(std::string_view name) const;
};

// The calendar of the file: one VCALENDAR (several in a row are read as one).
// Throws IcsError for a file over the limits, without a calendar, with an END that
// closes no open component, or cut off before its components end.
IcsComponent ReadIcs(std::string_view bytes, const IcsLimits& limits = {});
// Throws ReadIcs's IcsError for a file of `size` bytes over the limit, so a huge file
// can be refused before it is read.
void CheckIcsSize(uint64_t size, const IcsLimits& limits = {});

// A TEXT value: "\\", "\;", "\," and "\n" or "\N" as the characters they stand for;
// an unknown escape keeps the character after the backslash.
std::wstring UnescapeIcsText(std::wstring_view value);

// Splits a value at the commas that are not escaped (TEXT lists, EXDATE lists).
std::vector<std::wstring> SplitIcsList(std::wstring_view value);
