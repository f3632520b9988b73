// Hungarian local time (CET, CEST from the last Sunday of March to the last Sunday
// of October, both changes at 01:00 UTC), worked out by the program itself: a
// reminder must come due at the same wall-clock time whatever zone the system (or
// Wine) is set to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/eljaras.h"

// A moment: seconds since 1970-01-01 00:00 UTC.
using Instant = int64_t;

constexpr Instant kSecondsPerMinute = 60, kSecondsPerHour = 3600, kSecondsPerDay = 86400;

Instant InstantNow();

// The moment of a wall-clock time `minuteOfDay` (0..1439) on `day`. A time the
// spring change skips (02:30 on the last Sunday of March) is read with the offset
// before the change, so it falls an hour later on the clock (03:30); a time the
// autumn change gives twice is its first occurrence (summer time).
Instant LocalToInstant(const Date& day, int minuteOfDay);
DateTime InstantToLocal(Instant moment);

// "yyyymmddThhmmssZ" and back; none for anything else.
std::wstring InstantText(Instant moment);
std::optional<Instant> ParseInstantText(std::wstring_view text);
