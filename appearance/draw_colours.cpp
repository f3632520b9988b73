#include "appearance/draw_colours.h"

#include "appearance/contrast.h"

namespace {

// A light face for dark cells: every text at least 4.5:1 on all three cell states.
constexpr FaceColours kNightFace = {
    .today = {0x600060, 0xFF90FF},
    .redLetter = {0x000000, 0x00FFFF},
    .ordinary = {0x000000, 0xE0E0FF},
    .nameDay = 0xFFD8B0,
    .note = {0x4040FF, 0xC0C0FF},
    .noNote = {0x584438, 0xA09488},
    .movedWorkday = 0xFFD8B0,
    .fitTitles = true,
    .title = 0xF0F0F0,
};

FaceColours SystemFace(const SystemColours& s) {
    FaceColours face{};
    // No shadows: a shadow in the cell's own colour is not drawn at all.
    face.today = {s.window, s.highlight};
    face.redLetter = face.ordinary = {s.window, s.windowText};
    face.nameDay = s.windowText;
    face.note = {s.highlight, s.windowText};
    face.noNote = {s.window, s.grayText};
    face.movedWorkday = s.windowText;
    face.fixedTitles = true;
    face.title = s.windowText;
    face.focusAlwaysShown = true;
    return face;
}

uint32_t Rgb(int32_t colour) { return static_cast<uint32_t>(colour) & 0xFFFFFF; }

}  // namespace

bool IsDarkScheme(const SchemeSlots& scheme) {
    const uint32_t cells = Rgb(scheme[2]);
    return ContrastRatio(cells, 0xFFFFFF) > ContrastRatio(cells, 0x000000);
}

DrawColours ColoursToDraw(const SchemeSlots& scheme, bool highContrast, const SystemColours& system) {
    DrawColours c;
    c.highContrast = highContrast;
    if (highContrast) {
        const auto face = static_cast<int32_t>(system.buttonFace), window = static_cast<int32_t>(system.window);
        c.slots = scheme;
        c.slots[1] = c.slots[4] = c.slots[5] = c.slots[6] = face;
        c.slots[2] = c.slots[3] = window;
        c.face = SystemFace(system);
        c.headerText = c.weekendHeaderText = c.monthTitle = c.stripText = system.buttonText;
        c.dark = RelativeLuminance(system.window) < 0.5;
        return c;
    }
    c.slots = scheme;
    c.dark = IsDarkScheme(scheme);
    c.face = c.dark ? kNightFace : kDesignedFace;
    c.headerText = 0xFFFFFF;
    c.weekendHeaderText = 0x00FFFF;
    c.monthTitle = 0x000080;
    c.stripText = 0x000000;
    return c;
}

std::vector<TextPair> TextPairs(const DrawColours& colours) {
    const FaceColours& f = colours.face;
    const auto slot = [&](int n) { return Rgb(colours.slots[static_cast<size_t>(n)]); };
    std::vector<TextPair> pairs;
    const std::pair<const wchar_t*, int> cells[] = {
        {L"napok panel", 2}, {L"aktív", 3}, {L"kattintásra", 4}};
    for (const auto& [state, n] : cells) {
        const std::wstring on = L" / " + std::wstring(state);
        pairs.push_back({L"napszám" + on, f.ordinary.number, slot(n)});
        pairs.push_back({L"ünnepnap, hétvége" + on, f.redLetter.number, slot(n)});
        pairs.push_back({L"mai nap" + on, f.today.number, slot(n)});
        pairs.push_back({L"névnap" + on, f.nameDay, slot(n)});
        pairs.push_back({L"címszó (fekete)" + on, TitleWordColour(f, 0x000000, slot(n)), slot(n)});
    }
    pairs.push_back({L"hétköznap fejléce", colours.headerText, slot(5)});
    pairs.push_back({L"hétvége fejléce", colours.weekendHeaderText, slot(5)});
    pairs.push_back({L"hónap a címsávon", colours.monthTitle, slot(6)});
    pairs.push_back({L"súgósor, óra", colours.stripText, slot(6)});
    return pairs;
}
