#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "appearance/contrast.h"
#include "appearance/draw_colours.h"
#include "platform/file_io.h"
#include "store/entry_store.h"
#include "platform/errors.h"

namespace {

std::vector<std::wstring> SchemeFileLines() {
#ifdef _WIN32
    const std::wstring path = L"Z:" + Utf8ToWide(TIVORN_SOURCE_DIR) + L"/data/Színek.txt";
#else
    const std::wstring path = Utf8ToWide(TIVORN_SOURCE_DIR) + L"/data/Színek.txt";
#endif
    return ParseIndexText(ReadWholeFile(path));
}

// Windows' "High Contrast Black" and "High Contrast White" system colours.
constexpr SystemColours kBlackTheme{0x000000, 0xFFFFFF, 0xFFFF00, 0x000000, 0x000000, 0xFFFFFF, 0x00FF3F};
constexpr SystemColours kWhiteTheme{0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x600000};

}  // namespace

TEST(Contrast, RatiosOfKnownPairs) {
    const struct {
        uint32_t a, b;
        double ratio;
    } cases[] = {
        {0x000000, 0xFFFFFF, 21.0}, {0xFFFFFF, 0x000000, 21.0}, {0x8080FF, 0x8080FF, 1.0},
        {0x808080, 0xFFFFFF, 3.95}, {0x0000FF, 0xFFFFFF, 4.0},  {0xFF0000, 0x000000, 2.44},
    };
    for (const auto& c : cases) EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01) << std::hex << c.a << " " << c.b;
}

// The night scheme is the last line of the scheme file, after every earlier one, and
// each of its texts stands out at 4.5:1 at least; the earlier schemes are light and
// keep the designed face.
TEST(Contrast, NightSchemeIsLastAndReadable) {
    const std::vector<std::wstring> lines = SchemeFileLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(SchemeName(lines.back()), L"Éjszaka");
    EXPECT_EQ(ParseSchemeLine(lines.back()), kNightScheme);
    for (size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_FALSE(IsDarkScheme(ParseSchemeLine(lines[i]))) << i;

    const DrawColours night = ColoursToDraw(kNightScheme, false, kBlackTheme);
    EXPECT_TRUE(night.dark);
    for (const TextPair& pair : TextPairs(night))
        EXPECT_GE(ContrastRatio(pair.text, pair.background), kReadableContrast) << WideToUtf8(pair.what);
    EXPECT_EQ(TitleWordColour(night.face, 0x00FFFF, 0x403028), 0x00FFFFu) << "a readable title keeps its colour";
    for (uint32_t own : {0x0000FFu, 0x008000u, 0x000000u}) {  // red, green, black on the night cell
        const uint32_t drawn = TitleWordColour(night.face, own, 0x403028);
        EXPECT_GE(ContrastRatio(drawn, 0x403028), kReadableContrast) << own;
        if (own == 0x0000FF) {
            EXPECT_GT(drawn & 0xFF, (drawn >> 16) & 0xFF) << "lightened, still red";
        }
    }
}

// High contrast draws with the system's colours whatever the scheme; off, the scheme's.
TEST(Contrast, HighContrastTakesTheSystemColours) {
    for (const SchemeSlots& scheme : {SchemeSlots(kNightScheme), SchemeSlots{0, 0x8080FF, 0xC0C0C0, 0xE9E9E9,
                                                                             0xA8A8A8, 0x808080, 0xC0C0C0}}) {
        for (const SystemColours& system : {kBlackTheme, kWhiteTheme}) {
            const DrawColours c = ColoursToDraw(scheme, true, system);
            EXPECT_EQ(c.slots[2], static_cast<int32_t>(system.window));
            EXPECT_EQ(c.slots[6], static_cast<int32_t>(system.buttonFace));
            EXPECT_EQ(c.face.ordinary.number, system.windowText);
            EXPECT_EQ(c.face.today.number, system.highlight);
            EXPECT_EQ(TitleWordColour(c.face, 0x0000FF, c.slots[2]), system.windowText);
            EXPECT_EQ(c.monthTitle, system.buttonText);
            EXPECT_TRUE(c.face.focusAlwaysShown);
            EXPECT_EQ(c.dark, system.window == 0);
        }
        const DrawColours off = ColoursToDraw(scheme, false, kBlackTheme);
        EXPECT_EQ(off.slots, scheme);
        EXPECT_FALSE(off.face.focusAlwaysShown);
    }
    const DrawColours designed = ColoursToDraw(kNightScheme, false, kBlackTheme);
    EXPECT_EQ(ColoursToDraw({0, 0x8080FF, 0xC0C0C0}, false, kBlackTheme).face.ordinary.number, 0x000080u);
    EXPECT_NE(designed.face.ordinary.number, 0x000080u);
}
