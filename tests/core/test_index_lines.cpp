#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/codec1250.h"
#include "store/entry_store.h"
#include "store/index_lines.h"

// Long runs of edits as a user makes them (lines replaced, placeholders appended
// and removed, deletions undone) read back exactly like a plain list of strings,
// through every compaction of the buffer.
TEST(IndexLines, EditsReadBackLikeAPlainListThroughEveryCompaction) {
    std::mt19937 random(7);
    std::vector<std::wstring> model;
    IndexLines lines;
    auto someLine = [&](int n) -> std::wstring {
        switch (n % 5) {
            case 0: return MakeDayEntry(Date{2026, 1 + n % 12, 1 + n % 28}, L"Fogorvos ő", L"", 0xFF, 0);
            case 1: return L"";
            case 2: return std::wstring(L"Привет ") + std::to_wstring(n);  // not Windows-1250
            case 3: return std::wstring(L"kézzel\0írt", 10) + std::to_wstring(n);
            default: return L"\x01  \x01\x01" + std::wstring(static_cast<size_t>(n), L' ') + L"\x01" + std::to_wstring(n);
        }
    };
    for (int step = 0; step < 20000; ++step) {
        const int n = static_cast<int>(random() % 1000);
        const size_t at = model.empty() ? 0 : random() % model.size();
        switch (random() % 4) {
            case 0: model.push_back(someLine(n)); lines.push_back(model.back()); break;
            case 1: if (!model.empty()) { model[at] = someLine(n); lines.Set(at, model[at]); } break;
            case 2: if (!model.empty()) { model.erase(model.begin() + static_cast<long>(at)); lines.erase(at); } break;
            default: model.insert(model.begin() + static_cast<long>(at), someLine(n)); lines.insert(at, model[at]);
        }
    }
    ASSERT_EQ(lines.ToVector(), model);
    for (size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(lines.Length(i), model[i].size());
        std::wstring head;
        lines.CopyTo(i, head, 8);
        EXPECT_EQ(head, model[i].substr(0, 8));
        EXPECT_EQ(lines.StartsWith(i, L"2026"), model[i].rfind(L"2026", 0) == 0);
    }
    EXPECT_THROW(lines.Set(model.size(), L"x"), std::out_of_range);
    EXPECT_THROW(lines.at(model.size()), std::out_of_range);
}

// The file holds Windows-1250: what it cannot hold becomes '?' there, while the line
// in memory keeps what was typed until it is read again.
TEST(IndexLines, ATypedCharacterOutsideTheCodePageIsKeptInMemoryAndAQuestionMarkOnDisk) {
    IndexLines lines{L"20261208Привет őrült", L"20261209\u0081\u0098 \x20AC"};
    EXPECT_EQ(lines[0], L"20261208Привет őrült");
    EXPECT_EQ(lines.FileText(), "20261208?????? \xF5r\xFClt\r\n20261209\x81\x98 \x80\r\n");
    EXPECT_EQ(IndexLines::FromFileText(lines.FileText())[1], lines[1]);
    EXPECT_TRUE(lines.StartsWith(0, L"20261208Прив"));
    EXPECT_FALSE(lines.StartsWith(0, L"20261208Привет őrült!"));
    // Every byte of a file survives a load and a save unchanged.
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') everyByte += static_cast<char>(b);
    const std::string blanks = "   \x01" + std::string(600, ' ') + "\x01\x01  x" + std::string(255, ' ');
    const std::string file = everyByte + "\r\n" + blanks + "\r\n" + everyByte + "\r\n";
    EXPECT_EQ(IndexLines::FromFileText(file).FileText(), file);
}

// A file is read through its own buffer when it holds no escape byte and through a
// second one when it does; both read every line as a plain split at CR LF, CR and LF
// would, whatever the line lengths, blank runs and line ends (which the packer's
// eight-byte steps cross at every alignment).
TEST(IndexLines, FilesOfAnyShapeReadLikeAPlainSplitWithOrWithoutTheirOwnBuffer) {
    std::mt19937 random(11);
    const std::string alphabet = "      abc\xF5\xFB\x8A$019\x01\r\n";
    for (int round = 0; round < 400; ++round) {
        std::string file;
        const size_t size = random() % 300;
        const bool escapes = round % 2 == 0;
        for (size_t i = 0; i < size; ++i) {
            char c = alphabet[random() % alphabet.size()];
            if (c == '\x01' && !escapes) c = ' ';
            if (random() % 8 == 0) file.append(random() % 40, ' ');  // a field's padding
            file += c;
        }
        std::vector<std::wstring> expected;
        std::wstring line;
        for (size_t i = 0; i < file.size(); ++i) {
            const char c = file[i];
            if (c != '\r' && c != '\n') {
                line += DecodeCp1250Byte(static_cast<unsigned char>(c));
                continue;
            }
            expected.push_back(std::exchange(line, L""));
            if (c == '\r' && i + 1 < file.size() && file[i + 1] == '\n') ++i;
        }
        if (!line.empty()) expected.push_back(line);

        const IndexLines viewed = IndexLines::FromFileText(std::string_view(file));
        const IndexLines reused = IndexLines::FromFileText(std::string(file));
        ASSERT_EQ(viewed.ToVector(), expected) << "round " << round;
        ASSERT_EQ(reused.ToVector(), expected) << "round " << round;
        for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(reused.Length(i), expected[i].size());
    }
}
