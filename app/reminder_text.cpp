#include "app/reminder_text.h"

#include "platform/eljaras.h"

namespace {

constexpr size_t kBalloonTitle = 63, kBalloonText = 255;

std::wstring Cut(std::wstring text, size_t limit) {
    if (text.size() > limit) text = text.substr(0, limit - 1) + L"…";
    return text;
}

}  // namespace

std::optional<int> ParseReminderTime(std::wstring_view text) {
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ') text.remove_suffix(1);
    const size_t colon = text.find(L':');
    if (colon == std::wstring_view::npos || colon < 1 || colon > 2 || text.size() != colon + 3) return std::nullopt;
    int parts[2] = {0, 0};
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == colon) continue;
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
        int& part = parts[i < colon ? 0 : 1];
        part = part * 10 + (text[i] - L'0');
    }
    if (parts[0] > 23 || parts[1] > 59) return std::nullopt;
    return parts[0] * 60 + parts[1];
}

std::wstring LeadDaysText(int days) {
    return days == 0 ? std::wstring(L"a napján") : std::to_wstring(days) + L" nappal előtte";
}

std::wstring DueLineText(const Occurrence& occurrence, const std::wstring& title) {
    return FormatDottedDate(occurrence.day) + L" " + ReminderTimeText(occurrence.minute) + L" – " + title;
}

BalloonTexts ReminderBalloon(const std::vector<std::wstring>& lines) {
    BalloonTexts balloon;
    balloon.title = lines.size() == 1 ? L"Emlékeztető" : std::to_wstring(lines.size()) + L" emlékeztető";
    for (const std::wstring& line : lines) balloon.text += (balloon.text.empty() ? L"" : L"\n") + line;
    balloon.title = Cut(balloon.title, kBalloonTitle);
    balloon.text = Cut(balloon.text, kBalloonText);
    return balloon;
}
