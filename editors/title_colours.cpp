#include "editors/title_colours.h"

const std::array<TitleColour, 12> kTitleColours = {{
    {L"Fekete1", L'F', clBlack},
    {L"Fehr1", L'E', clWhite},
    {L"Piros1", L'P', clRed},
    {L"Srga1", L'S', clYellow},
    {L"Zld1", L'Z', clLime},
    {L"Kk1", L'K', clBlue},
    {L"Lila1", L'L', clFuchsia},
    {L"Barna1", L'B', clMaroon},
    {L"Trkisz1", L'T', clAqua},
    {L"Stttrkisz1", L'I', clTeal},
    {L"Sttkk1", L'A', clNavy},
    {L"Sttzld1", L'D', clGreen},
}};

std::optional<uint32_t> ColourOfShortcut(unsigned key) {
    for (const auto& c : kTitleColours)
        if (static_cast<unsigned>(c.key) == key) return c.colour;
    return std::nullopt;
}

std::optional<uint32_t> ColourOfItem(std::wstring_view item) {
    for (const auto& c : kTitleColours)
        if (item == c.item) return c.colour;
    return std::nullopt;
}
