#include <gtest/gtest.h>

#include "app/command_line.h"

using Parameters = std::vector<std::wstring>;

TEST(CommandLine, TheProgramNameIsSkippedWithOrWithoutQuotes) {
    EXPECT_EQ(CommandLineParameters(L"tivorn.exe"), Parameters{});
    EXPECT_EQ(CommandLineParameters(L"\"C:\\Program Files\\Tivorn\\tivorn.exe\" /tray"), Parameters{L"/tray"});
    EXPECT_EQ(CommandLineParameters(L"C:\\Tivorn\\tivorn.exe   /tray  "), Parameters{L"/tray"});
    // A backslash before the closing quote of the name is part of the path.
    EXPECT_EQ(CommandLineParameters(L"\"C:\\Tivorn\\\" x"), Parameters{L"x"});
    EXPECT_EQ(CommandLineParameters(L""), Parameters{});
}

TEST(CommandLine, QuotesGroupAndBackslashesEscapeOnlyAQuote) {
    EXPECT_EQ(CommandLineParameters(L"p a\tb"), (Parameters{L"a", L"b"}));
    EXPECT_EQ(CommandLineParameters(L"p \"two words\" x\"y z\"w"), (Parameters{L"two words", L"xy zw"}));
    EXPECT_EQ(CommandLineParameters(L"p C:\\a\\b\\ \"\""), (Parameters{L"C:\\a\\b\\", L""}));
    EXPECT_EQ(CommandLineParameters(L"p a\\\"b"), Parameters{L"a\"b"});             // \" is a quote
    EXPECT_EQ(CommandLineParameters(L"p a\\\\\"b c\""), Parameters{L"a\\b c"});     // \\" is \ and a grouping quote
    EXPECT_EQ(CommandLineParameters(L"p \"a\"\"b\""), Parameters{L"a\"b"});         // "" inside quotes
    EXPECT_EQ(CommandLineParameters(L"p \"never closed"), Parameters{L"never closed"});
    EXPECT_EQ(CommandLineParameters(L"p \"Névnapok ő\""), Parameters{L"Névnapok ő"});
}
