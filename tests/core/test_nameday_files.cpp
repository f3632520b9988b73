// The installed name-day files against an independent list of the standard Hungarian
// name-day calendar (tests/data/nevnapok-hu.txt, UTF-8, one line per day of a common
// year): the list the month view reads and the document the name-day search shows
// hold the same names on the same days.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/codec1250.h"
#include "platform/eljaras.h"
#include "platform/errors.h"
#include "platform/file_io.h"

namespace {

std::wstring SourcePath(const std::wstring& relative) {
#ifdef _WIN32
    return L"Z:" + Utf8ToWide(TIVORN_SOURCE_DIR) + L"/" + relative;  // Wine's drive of the Unix root
#else
    return Utf8ToWide(TIVORN_SOURCE_DIR) + L"/" + relative;
#endif
}

std::vector<std::wstring> SplitLines(const std::wstring& text, const std::wstring& end) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t at; (at = text.find(end, start)) != std::wstring::npos; start = at + end.size())
        lines.push_back(text.substr(start, at - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::wstring> Reference() {
    return SplitLines(Utf8ToWide(ReadWholeFile(SourcePath(L"tests/data/nevnapok-hu.txt"))), L"\n");
}

// "{\b\fs22 Janu\'e1r}\par" and "janu\'e1r 7.  Apoll\'f3nia\par": the escapes decoded.
std::wstring DecodeRtfLine(const std::string& line) {
    std::string bytes;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line.compare(i, 2, "\\'") == 0 && i + 3 < line.size()) {
            bytes.push_back(static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16)));
            i += 3;
        } else {
            bytes.push_back(line[i]);
        }
    }
    return DecodeCp1250(bytes);
}

}  // namespace

TEST(NameDayFiles, TheInstalledListIsTheStandardCalendarInWindows1250WithCrLf) {
    const std::vector<std::wstring> reference = Reference();
    ASSERT_EQ(reference.size(), 365u);
    const std::string bytes = ReadWholeFile(SourcePath(L"data/Data/Névnapok.txt"));
    const std::vector<std::wstring> installed = SplitLines(DecodeCp1250(bytes), L"\r\n");
    ASSERT_EQ(installed.size(), reference.size());
    for (size_t i = 0; i < reference.size(); ++i) EXPECT_EQ(installed[i], reference[i]) << "day " << i + 1;
    // Every line ends in CR LF, no bare LF anywhere.
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ASSERT_GT(i, 0u);
            ASSERT_EQ(bytes[i - 1], '\r') << "at byte " << i;
        }
}

TEST(NameDayFiles, TheNameDayDocumentListsTheSameNamesDayByDay) {
    const std::vector<std::wstring> reference = Reference();
    const std::string rtf = ReadWholeFile(SourcePath(L"data/Data/Névnapok.rtf"));
    std::vector<std::wstring> days;  // "január 1." .. "december 31."
    std::vector<std::wstring> names;
    size_t start = 0;
    for (size_t end; (end = rtf.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string raw = rtf.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        const std::wstring line = DecodeRtfLine(raw);
        const size_t gap = line.find(L".  ");
        if (line.empty() || line[0] == L'{' || line[0] == L'\\' || gap == std::wstring::npos) continue;
        ASSERT_EQ(line.substr(line.size() - 4), L"\\par") << WideToUtf8(line);
        const std::wstring day = line.substr(0, gap + 1), name = line.substr(gap + 3, line.size() - 4 - gap - 3);
        if (day == L"február 29.") {  // the document also names the leap day
            EXPECT_EQ(name, L"Szökőnap");
            continue;
        }
        days.push_back(day);
        names.push_back(name);
    }
    ASSERT_EQ(names.size(), reference.size());
    const wchar_t* months[] = {L"január", L"február", L"március",   L"április", L"május",    L"június",
                               L"július", L"augusztus", L"szeptember", L"október", L"november", L"december"};
    size_t i = 0;
    for (int month = 1; month <= 12; ++month)
        for (int day = 1; day <= DaysInMonth(2026, month); ++day, ++i) {
            EXPECT_EQ(days[i], std::wstring(months[month - 1]) + L" " + std::to_wstring(day) + L".");
            EXPECT_EQ(names[i], reference[i]) << WideToUtf8(days[i]);
        }
}
