// How the reminders' windows and the notification-area balloon name a reminder:
// its time, how long before the day it comes, and the balloon's two texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/reminder_schedule.h"

// A time of day typed by the user: "8:05", "18:30"; none when it is not one.
std::optional<int> ParseReminderTime(std::wstring_view text);

// "a napján", "3 nappal előtte".
std::wstring LeadDaysText(int days);

// A due item's line: "2026.12.24. 18:30 – Szenteste" (the title as the diary gives it).
std::wstring DueLineText(const Occurrence& occurrence, const std::wstring& title);

// The balloon: "Emlékeztető" or "3 emlékeztető", and the lines one under the other,
// cut with "…" to what the shell shows (63 and 255 characters).
struct BalloonTexts {
    std::wstring title, text;
};
BalloonTexts ReminderBalloon(const std::vector<std::wstring>& lines);
