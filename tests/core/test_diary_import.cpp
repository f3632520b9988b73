// Importing through the diary: the program's own export read back into an empty diary
// (yearly entries and reminders too), the remembered import keys that make a second import add nothing, their file read
// back from damage, kept by the snapshots and undone with a failed batch.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/codec1250.h"
#include "platform/errors.h"
#include "store/diary.h"
#include "store/diary_export.h"
#include "store/ics_import.h"
#include "store/ics_reader.h"
#include "store/imported_keys.h"
#include "store/rtf_text.h"
#include "store/snapshot_days.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const DateTime kNow{Date{2026, 12, 8}, 10, 0, 0};

ImportOptions Years2026And2027() {
    ImportOptions o;
    o.first = {2026, 1, 1};
    o.last = {2027, 12, 31};
    return o;
}

// What the import window does with the plan's new days: one batch with their keys.
size_t ImportFile(Diary& diary, const std::string& ics) {
    const std::set<std::wstring> known = diary.ImportedKeys();
    const ImportPlan plan = diary.WithEntries([&](const EntryStore& entries) {
        return PlanImport(ReadIcs(ics), entries, known, Years2026And2027());
    });
    std::vector<DayToStore> days;
    std::vector<std::wstring> keys;
    for (const ImportedDay& day : plan.additions) {
        days.push_back({day.date, {day.title1, day.title2, day.colour1, day.colour2}, day.noteRtf, day.yearly,
                        day.reminders});
        keys.insert(keys.end(), day.uids.begin(), day.uids.end());
    }
    diary.StoreMany(days, keys);
    return days.size();
}

}  // namespace

TEST(DiaryImport, OwnExportIntoAnEmptyDiaryGivesTheSameDaysAndASecondImportAddsNothing) {
    TempFolder from, to;
    Diary source(from.Dir(), MonthNames{}, [] { return kNow; });
    source.Load();
    const Date birth{1984, 3, 14}, dentist{2026, 12, 8};
    const std::vector<DayToStore> stored = {
        // A yearly entry from before the import's range, and a later year's own entry on its day.
        {birth, {L"Anna", L"születésnap", 0xFF, 0}, "", true, {{birth, kAllDay, 1}, {birth, 18 * 60 + 30, 0}}},
        {{2026, 3, 14}, {L"Anna", L"ebéd", 0, 0}, ""},
        {dentist, {L"Fogorvos", L"10 óra", 0xFF, 0x8000}, PlainTextToRtf(L"Vigyem: útlevél\n\tbeható"), false,
         {{dentist, 9 * 60, 7}}},
        {{2026, 12, 24}, {L"Szenteste; ajándék,", L"\\ és {zárójel}", 0x800000, 0}, ""},
        {{2027, 3, 15}, {L"", L"csak második", 0, 0xFF00FF}, PlainTextToRtf(L"€ és ő")},
    };
    source.StoreMany(stored);
    const std::wstring path = from.Dir() + L"\\ki.ics";
    source.Export(ExportRange::All(), path, kNow);
    const std::string ics = from.ReadBytes("ki.ics");

    Diary target(to.Dir(), MonthNames{}, [] { return kNow; });
    target.Load();
    ASSERT_EQ(ImportFile(target, ics), stored.size());
    for (const DayToStore& day : stored) {
        SCOPED_TRACE(WideToUtf8(DateKey(day.date)));
        const OpenedDay back = target.Open(day.date);
        EXPECT_EQ(back.entry, day.entry);
        EXPECT_EQ(back.note ? RtfToPlainText(*back.note) : L"", day.noteRtf.empty() ? L"" : RtfToPlainText(day.noteRtf));
        EXPECT_EQ(target.Yearly(day.date).has_value(), day.yearly);
        EXPECT_EQ(target.RemindersOf(day.date), day.reminders);
    }
    EXPECT_EQ(target.ImportedKeys().size(), stored.size());
    const std::string index = to.ReadBytes("Data/index.txt");
    EXPECT_EQ(ImportFile(target, ics), 0u) << "every day remembered";
    EXPECT_EQ(to.ReadBytes("Data/index.txt"), index);
    // The day's snapshot came before the first import: no keys yet. Restoring it puts
    // them back as they were; the snapshot of the state before the restore keeps them.
    const auto hasKeys = [&](const std::wstring& snapshot) {
        bool found = false;
        for (const ZipEntry& file : ReadSnapshot(to.Dir(), snapshot)) found |= file.name == "Importalt.txt";
        return found;
    };
    EXPECT_FALSE(hasKeys(L"2026-12-08.zip"));
    target.RestoreSnapshot(L"2026-12-08.zip");
    EXPECT_TRUE(target.ImportedKeys().empty());
    EXPECT_TRUE(hasKeys(ExtraSnapshotName(kNow)));
}

TEST(DiaryImport, TheKeysFileLosesOnlyItsDamagedLines) {
    const struct {
        const char* bytes;
        std::set<std::wstring> keys;
    } cases[] = {
        {"", {}},
        {"\xEF\xBB\xBF" "a@x\r\nb/20261208\r\n", {L"a@x", L"b/20261208"}},
        {"a\n\n  \nb", {L"a", L"b"}},
        {"j\xC3\xB3\r\n\xFF\xFErossz\r\nc\r\n", {L"jó", L"c"}},  // not UTF-8: absent
        {"cut\xC3", {}},
        {"tab\there\r\nok", {L"ok"}},
        {"a\r\n\xEF\xBB\xBF" "b", {L"a"}},  // a mark inside: written first it would read back as "b"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(ParseImportedKeys(c.bytes), c.keys);
    }
    EXPECT_EQ(ImportedKeysText({L"b", L"a\nb", L"á"}), "b\r\n\xC3\xA1\r\n") << "a key with a line break is no line";

    TempFolder folder;
    folder.WriteBytes("Data/Importalt.txt", "r\xE9gi\r\nj\xC3\xB3\r\n");
    Diary diary(folder.Dir(), MonthNames{}, [] { return kNow; });
    diary.Load();
    EXPECT_EQ(diary.ImportedKeys(), (std::set<std::wstring>{L"jó"}));
    diary.StoreMany({{Date{2026, 12, 8}, DayEntry{L"új"}, ""}}, {L"új@x"});
    EXPECT_EQ(folder.ReadBytes("Data/Importalt.txt"), "j\xC3\xB3\r\n\xC3\xBAj@x\r\n");
}
