#include "store/nevnapok.h"

#include <algorithm>

#include "platform/file_io.h"
#include "store/entry_store.h"
#include "store/search_match.h"

namespace {

constexpr int kDaysBeforeMonth[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

}  // namespace

TNevnapok::TNevnapok(const std::wstring& fileName, const std::function<void()>& reportMissing) {
    try {
        LoadNames(fileName);
    } catch (...) {
        FNames.clear();
        if (reportMissing) reportMissing();
    }
    FillPlaceholders();
}

void TNevnapok::LoadNames(const std::wstring& fileName) {
    // The index file's reader has exactly the line rules of this file too.
    FNames = ParseIndexText(ReadWholeFile(fileName));
}

void TNevnapok::FillPlaceholders() {
    while (FNames.size() < kDaysInCommonYear) FNames.emplace_back(kPlaceholder);
}

std::wstring TNevnapok::GetNameDay(const Date& date) const {
    if (date.month == 2 && date.day == 29) return kLeapDay;
    if (date.month < 1 || date.month > 12 || date.day < 1) return kPlaceholder;
    size_t line = static_cast<size_t>(kDaysBeforeMonth[date.month] + date.day - 1);
    return line < FNames.size() ? FNames[line] : std::wstring(kPlaceholder);
}

std::vector<Date> TNevnapok::DaysOfName(const std::wstring& name) const {
    const std::wstring wanted = FoldForSearch(Trim(name));
    std::vector<Date> days;
    if (wanted.empty()) return days;
    for (Date d{2001, 1, 1}; d.year == 2001; d = AddDays(d, 1)) {
        const std::wstring names = GetNameDay(d);
        size_t start = 0;
        while (start <= names.size()) {
            const size_t end = std::min(names.find(L',', start), names.size());
            if (FoldForSearch(Trim(names.substr(start, end - start))) == wanted) {
                days.push_back(d);
                break;
            }
            start = end + 1;
        }
    }
    return days;
}
