// Writing the iCalendar files from the program folder: notes read as plain text,
// the file replaced whole or not at all.
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "store/diary_export.h"
#include "store/work_calendar.h"
#include "store/entry_store.h"
#include "temp_folder.h"

namespace {

constexpr DateTime kStamp{Date{2026, 12, 8}, 9, 30, 0};

}  // namespace

TEST(DiaryExport, NotesGiveTheirPlainTextWithoutTrailingBlankLines) {
    TempFolder folder;
    folder.WriteBytes("Data/20261208.rtf",
                      "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}}\\f0 Els\\'f5 sor\\par M\\'e1sodik\\par\\par }");
    folder.WriteBytes("Data/20261209.rtf", "sima sz\xF6veg\r\n\r\n");  // not RTF: read as Windows-1250 text
    EXPECT_EQ(NotePlainText(folder.Dir(), Date{2026, 12, 8}), L"Első sor\nMásodik");
    EXPECT_EQ(NotePlainText(folder.Dir(), Date{2026, 12, 9}), L"sima szöveg");
    EXPECT_EQ(NotePlainText(folder.Dir(), Date{2026, 12, 10}), L"");  // no note file
}

TEST(DiaryExport, WritesTheFileWholeOrLeavesTheOldOne) {
    TempFolder folder;
    EntryStore index;
    index.Lines = {MakeDayEntry(Date{2026, 12, 8}, L"Fogorvos", L"", 0, 0),
                   MakeDayEntry(Date{2027, 1, 2}, L"Más év", L"", 0, 0)};
    folder.WriteBytes("Data/20261208.rtf", "{\\rtf1\\ansi 10 \\'f3rakor}");
    const std::wstring path = folder.Dir() + L"\\ki.ics";
    EXPECT_EQ(ExportDiary(folder.Dir(), index, ExportRange::Year(Date{2026, 1, 1}), path, kStamp), 1u);
    const std::string file = folder.ReadBytes("ki.ics");
    EXPECT_NE(file.find("SUMMARY:Fogorvos\r\nDESCRIPTION:10 \xC3\xB3rakor\r\n"), std::string::npos);
    EXPECT_NE(file.find("DTSTAMP:20261208T093000Z\r\n"), std::string::npos);
    EXPECT_NE(file.find("X-WR-CALNAME:Tivorn\r\n"), std::string::npos);
    EXPECT_EQ(file.find("2027"), std::string::npos);

    // A file that cannot be replaced (read-only) keeps its old contents.
    std::filesystem::permissions(folder.Path() / "ki.ics", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_THROW(ExportDiary(folder.Dir(), index, ExportRange::All(), path, kStamp), FileCreateError);
    std::filesystem::permissions(folder.Path() / "ki.ics", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(folder.ReadBytes("ki.ics"), file);
    EXPECT_THROW(ExportDiary(folder.Dir(), index, ExportRange::All(), folder.Dir() + L"\\nincs\\ki.ics", kStamp),
                 FileCreateError);
}

TEST(DiaryExport, WithTheWorkingCalendarItsDaysOfTheRangeGoAlong) {
    TempFolder folder;
    EntryStore index;
    index.Lines = {MakeDayEntry(Date{2026, 12, 8}, L"Fogorvos", L"", 0, 0)};
    const WorkCalendar calendar(ParseMovedDays(L"2026\n2026.12.12. munkanap december 24.\n"
                                               L"2026.12.24. pihenőnap ledolgozás: december 12.\n",
                                               L"Munkarend.txt"));
    const std::wstring path = folder.Dir() + L"\\ki.ics";
    EXPECT_EQ(ExportDiary(folder.Dir(), index, ExportRange::Month(Date{2026, 12, 1}), path, kStamp, &calendar), 5u);
    const std::string file = folder.ReadBytes("ki.ics");
    const char* inOrder[] = {"DTSTART;VALUE=DATE:20261208", "SUMMARY:\xC3\x81thelyezett munkanap (december 24. helyett)",
                             "SUMMARY:Pihen\xC5\x91nap (ledolgoz\xC3\xA1s: december 12.)", "SUMMARY:Kar\xC3\xA1" "csony\r\n",
                             "SUMMARY:Kar\xC3\xA1" "csony m\xC3\xA1snapja"};
    size_t at = 0;
    for (const char* text : inOrder) {
        at = file.find(text, at);
        ASSERT_NE(at, std::string::npos) << text;
    }
    EXPECT_EQ(file.find("DTSTART;VALUE=DATE:20261213"), std::string::npos) << "no weekend of its own";
}
