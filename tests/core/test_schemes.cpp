#include <gtest/gtest.h>

#include <array>

#include "appearance/color_schemes.h"
#include "platform/errors.h"

namespace {

// A line in the file's layout: the name in 14 columns, then ten right-aligned
// 9-column fields, each followed by one blank (114 characters).
std::wstring Line(const std::wstring& name, std::array<std::wstring, 10> fields) {
    std::wstring line = name;
    line.resize(14, L' ');
    for (const auto& field : fields) line += std::wstring(9 - field.size(), L' ') + field + L' ';
    return line;
}

const std::array<std::wstring, 10> kDefaults = {L"$8080FF", L"$C0C0C0", L"$E9E9E9", L"$A8A8A8", L"$808080",
                                                L"$C0C0C0", L"$0",      L"$0",      L"$0",      L"$0"};

std::wstring ErrorOf(const std::wstring& line) {
    try {
        ParseSchemeLine(line);
    } catch (const ConvertError& e) {
        return e.Text();
    }
    return L"no error";
}

}  // namespace

TEST(Schemes, FieldsAreReadAtFixedColumnsUpToTheLineEnd) {
    auto fields = kDefaults;
    fields[6] = L"000016777";  // a field filling all nine columns
    fields[9] = L"$8000000F";
    std::wstring line = Line(L"Levendulamező1", fields);  // a name filling all fourteen
    line.pop_back();                                      // 113 characters: the last blank may be missing
    EXPECT_EQ(SchemeName(line), L"Levendulamező1");
    const SchemeSlots slots = ParseSchemeLine(line);
    EXPECT_EQ(slots[1], 0x8080FF);
    EXPECT_EQ(slots[6], 0xC0C0C0);
    EXPECT_EQ(slots[7], 16777);
    EXPECT_EQ(slots[10], static_cast<int32_t>(0x8000000F));
    EXPECT_EQ(SchemeField(line + L"x 12", 10), L"$8000000F") << "text after column 113 is ignored";
    EXPECT_EQ(ParseSchemeLine(line + L" megjegyzés")[10], static_cast<int32_t>(0x8000000F));
    EXPECT_EQ(SchemeDrawColour(line), 0x8080FF);
}

TEST(Schemes, ShortLinesAndBadFieldsFailWithTheConversionError) {
    const std::wstring shortLine = Line(L"Rövid", kDefaults).substr(0, 104);
    EXPECT_EQ(ErrorOf(shortLine), L"'' is not a valid integer value");
    EXPECT_EQ(SchemeDrawColour(shortLine), 0x8080FF) << "slot 1 is still good";
    EXPECT_EQ(ErrorOf(L"Csak név"), L"'' is not a valid integer value");
    for (size_t bad : {0u, 4u, 9u}) {
        auto fields = kDefaults;
        fields[bad] = L"$zöld";
        EXPECT_EQ(ErrorOf(Line(L"Hibás", fields)), L"'$zöld' is not a valid integer value") << bad;
    }
    auto fields = kDefaults;
    fields[0] = L"piros";
    EXPECT_EQ(SchemeDrawColour(Line(L"Hibás", fields)), 0) << "drawn black";
}

TEST(Schemes, NamesOfEveryLengthUpToTheColumnKeepTheirFieldsInPlace) {
    const std::wstring full = L"Őszi est, kék2";  // fourteen characters, inner blanks included
    ASSERT_EQ(full.size(), 14u);
    for (size_t length = 0; length <= full.size(); ++length) {
        std::wstring name = full.substr(0, length);
        const std::wstring line = Line(name, kDefaults);
        while (!name.empty() && name.back() == L' ') name.pop_back();  // "Őszi " is shown as "Őszi"
        EXPECT_EQ(SchemeName(line), name) << length;
        const SchemeSlots slots = ParseSchemeLine(line);
        EXPECT_EQ(slots[1], 0x8080FF) << length;
        EXPECT_EQ(slots[5], 0x808080) << length;
        EXPECT_EQ(slots[10], 0) << length;
    }
    EXPECT_EQ(SchemeName(Line(L"  Téli", kDefaults)), L"Téli") << "blanks in front are not part of the name";
    // A name longer than its column is cut there.
    EXPECT_EQ(SchemeName(L"Nagyon hosszú név$8080FF"), L"Nagyon hosszú");
}
