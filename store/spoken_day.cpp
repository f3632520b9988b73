#include "store/spoken_day.h"

#include <array>

namespace {

constexpr std::array<const wchar_t*, 12> kMonths = {L"január",  L"február", L"március",   L"április",
                                                    L"május",   L"június",  L"július",    L"augusztus",
                                                    L"szeptember", L"október", L"november", L"december"};
constexpr std::array<const wchar_t*, 7> kWeekdays = {L"hétfő",  L"kedd",    L"szerda",  L"csütörtök",
                                                     L"péntek", L"szombat", L"vasárnap"};

void AddPart(std::wstring& text, const std::wstring& part) {
    if (!part.empty()) text += L", " + part;
}

}  // namespace

const wchar_t* HungarianMonthName(int month) {
    return month >= 1 && month <= 12 ? kMonths[static_cast<size_t>(month - 1)] : L"";
}

const wchar_t* HungarianWeekdayName(int mondayFirst) {
    return mondayFirst >= 1 && mondayFirst <= 7 ? kWeekdays[static_cast<size_t>(mondayFirst - 1)] : L"";
}

std::wstring SpokenDayName(const CellContent& cell, const Date& today) {
    if (!cell.visible) return {};
    const Date& d = cell.date;
    std::wstring text = std::to_wstring(d.year) + L". " + HungarianMonthName(d.month) + L" " + std::to_wstring(d.day) +
                        L"., " + HungarianWeekdayName(MondayFirstDayOfWeek(d));
    if (d == today) text += L", ma";
    AddPart(text, cell.dayLabel);
    const std::wstring nameDay = Trim(cell.nameDay);
    if (!nameDay.empty()) text += L", " + nameDay + L" névnapja";
    // The titles as the cell shows them, without the blanks that fill their fields.
    const std::wstring first = Trim(cell.txt1), second = Trim(cell.txt2);
    AddPart(text, first.empty() || second.empty() ? first + second : first + L" " + second);
    if (cell.repeated)
        AddPart(text, cell.repeatCount ? L"minden évben, " + std::to_wstring(cell.repeatCount) + L". alkalommal"
                                       : std::wstring(L"minden évben"));
    if (cell.hasEntry) text += L", van jegyzet";
    return text;
}
