#include <gtest/gtest.h>

#include <array>

#include "appearance/color_schemes.h"
#include "platform/errors.h"

namespace {

// A line in the file's layout: the name in 14 columns, then ten 9-column fields
// right-aligned, each followed by one blank.
std::wstring Line(const std::wstring& name, const std::array<std::wstring, 10>& fields) {
    std::wstring line = name;
    line.resize(14, L' ');
    for (const auto& field : fields) {
        line += std::wstring(9 - field.size(), L' ') + field;
        line += L' ';
    }
    return line;
}

const std::array<std::wstring, 10> kDefaults = {L"$8080FF", L"$C0C0C0", L"$E9E9E9", L"$A8A8A8", L"$808080",
                                                L"$C0C0C0", L"$0",      L"$0",      L"$0",      L"$0"};

}  // namespace

TEST(Schemes, AFullLineIsReadFieldByFieldUpToItsLastColumn) {
    std::array<std::wstring, 10> fields = kDefaults;
    fields[6] = L"16777215";   // decimal
    fields[9] = L"$8000000F";  // a system colour in the last field
    std::wstring line = Line(L"Ősz", fields);
    ASSERT_EQ(line.size(), 114u);
    line.pop_back();  // the last ignored column may be missing
    ASSERT_EQ(line.size(), 113u);
    EXPECT_EQ(SchemeName(line), L"Ősz");
    SchemeSlots slots = ParseSchemeLine(line);
    EXPECT_EQ(slots[1], 0x8080FF);
    EXPECT_EQ(slots[2], 0xC0C0C0);
    EXPECT_EQ(slots[6], 0xC0C0C0);
    EXPECT_EQ(slots[7], 16777215);
    EXPECT_EQ(slots[10], static_cast<int32_t>(0x8000000F));
    EXPECT_EQ(SchemeDrawColour(line), 0x8080FF);
}

TEST(Schemes, FieldsSitAtFixedColumnsWhateverTheNameIs) {
    // A name filling all 14 columns and fields filling all nine: nothing runs together.
    std::array<std::wstring, 10> fields;
    for (int i = 0; i < 10; ++i) fields[static_cast<size_t>(i)] = std::wstring(8, L'0') + std::to_wstring(i);
    std::wstring line = Line(L"Levendulamező1", fields);
    EXPECT_EQ(SchemeName(line), L"Levendulamező1");
    SchemeSlots slots = ParseSchemeLine(line);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(slots[static_cast<size_t>(i)], i - 1) << i;
    // The tenth field is the whole rest of the line.
    EXPECT_EQ(SchemeField(line + L"12", 10), L"000000009 12");
}

TEST(Schemes, ALineEndingBeforeTheLastFieldFailsWithTheConversionError) {
    std::wstring line = Line(L"Rövid", kDefaults).substr(0, 104);
    EXPECT_EQ(SchemeField(line, 9), L"$0");
    EXPECT_EQ(SchemeField(line, 10), L"");
    try {
        ParseSchemeLine(line);
        FAIL() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_EQ(e.Text(), L"'' is not a valid integer value");
    }
    // Slot 1 is still good, so the list draws it in its colour.
    EXPECT_EQ(SchemeDrawColour(line), 0x8080FF);
    EXPECT_THROW(ParseSchemeLine(L"Csak név"), ConvertError);
    EXPECT_EQ(SchemeName(L"Csak név"), L"Csak név");
    EXPECT_EQ(SchemeName(L""), L"");
}

TEST(Schemes, ABadFieldAnywhereFailsAndNamesTheField) {
    for (size_t bad : {0u, 4u, 9u}) {
        std::array<std::wstring, 10> fields = kDefaults;
        fields[bad] = L"$zöld";
        try {
            ParseSchemeLine(Line(L"Hibás", fields));
            ADD_FAILURE() << "no error for field " << bad + 1;
        } catch (const ConvertError& e) {
            EXPECT_EQ(e.Text(), L"'$zöld' is not a valid integer value");
        }
    }
    std::array<std::wstring, 10> fields = kDefaults;
    fields[0] = L"piros";
    EXPECT_EQ(SchemeDrawColour(Line(L"Hibás", fields)), 0) << "a bad first field is drawn black";
    fields = kDefaults;
    fields[3] = L"";
    EXPECT_THROW(ParseSchemeLine(Line(L"Üres mező", fields)), ConvertError);
}
