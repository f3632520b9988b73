// Writing the iCalendar files: the diary's entries of a range with their notes'
// plain text, and the name days. The file is replaced whole or not at all.
#pragma once

#include <functional>
#include <string>

#include "store/icalendar.h"

class EntryStore;
class TNevnapok;
class WorkCalendar;

// Plain text of a day's note file ("" when the day has no note file), trimmed of the
// blank lines and spaces a rich-text note ends with. Throws FileOpenError when the
// file exists but cannot be read.
std::wstring NotePlainText(const std::wstring& programDir, const Date& date);

// Writes the entries of `range` to `path`, and with a working calendar its holidays
// and moved days of the range's years (the whole diary: the entries' years and the
// years the calendar knows); returns the number of events written.
// Throws FileOpenError for a note that cannot be read, FileCreateError when the
// file cannot be written (an existing file then stays as it was).
// `decorate`, when given, adds to each entry's event what the index does not hold
// (its reminders, its yearly repeat).
size_t ExportDiary(const std::wstring& programDir, const EntryStore& index, const ExportRange& range,
                   const std::wstring& path, const DateTime& stampUtc, const WorkCalendar* calendar = nullptr,
                   const std::function<void(CalendarEvent&)>& decorate = {});

// The time of an export in UTC, as DTSTAMP wants it.
DateTime UtcNow();

// Writes the name days as yearly series from `year`; returns the number of events.
size_t ExportNameDays(const TNevnapok& names, int year, const std::wstring& path, const DateTime& stampUtc);
