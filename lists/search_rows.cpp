#include "lists/search_rows.h"

Date DateOfKey(const std::wstring& key) {
    return Date{std::stoi(key.substr(0, 4)), std::stoi(key.substr(4, 2)), std::stoi(key.substr(6, 2))};
}

std::wstring SearchCellText(const SearchHit& hit, int column) {
    switch (column) {
        case kSearchDate:
            return hit.dateKey.empty() ? L"Jegyzettömb" : FormatDottedDate(DateOfKey(hit.dateKey));
        case kSearchTitle1:
            return hit.title1;
        case kSearchTitle2:
            return hit.title2;
        case kSearchSnippet:
            return hit.snippet;
        default:
            return {};
    }
}
