// Snapshots of the data folder: what they hold, which ones are kept, and restoring.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>

#include "platform/errors.h"
#include "store/entry_store.h"
#include "store/snapshot_days.h"
#include "store/snapshots.h"
#include "store/zip_archive.h"
#include "temp_folder.h"

namespace {

// "Data\Mentések\<name>": built from wide text, as narrow paths are not UTF-8 on Windows.
std::filesystem::path Kept(const std::wstring& name) {
    return std::filesystem::path(L"Data") / std::filesystem::path(u8"Mentések") / name;
}

std::string AllBytes() {
    std::string bytes;
    for (int i = 0; i < 256 * 40; ++i) bytes += static_cast<char>(i * 7 % 256);
    return bytes;
}

class SnapshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        temp.WriteBytes("Data/index.txt", "20261206Fogorvos            10 \xF3ra              $FF     $0      \r\n");
        temp.WriteBytes("Data/20261206.rtf", "{\\rtf1 Fogorvos\\par}");
        temp.WriteBytes("Data/20261207.rtf", AllBytes());
        temp.WriteBytes("Data/jegyzet.rtf", "{\\rtf1 jegyzet\\par}");
        temp.WriteBytes(std::filesystem::path(L"Data") / std::filesystem::path(u8"Névnapok.txt"), "nevnapok");  // installed, not the user's
        temp.WriteBytes("Data/20261206.rtf.tmp", "left over");
    }
    std::string Read(const std::string& relative) const { return temp.ReadBytes(relative); }
    TempFolder temp;
};

std::vector<std::string> Names(const std::vector<ZipEntry>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries) out.push_back(e.name);
    return out;
}

}  // namespace

TEST_F(SnapshotTest, HoldsTheIndexEveryNoteAndTheNotepadByteForByteOncePerDay) {
    const Date today{2026, 12, 8};
    ASSERT_TRUE(TakeDailySnapshot(temp.Dir(), today));
    const std::string zip = temp.ReadBytes(Kept(L"2026-12-08.zip"));
    ASSERT_FALSE(zip.empty());
    const auto entries = ReadZip(zip);
    EXPECT_EQ(Names(entries),
              (std::vector<std::string>{"index.txt", "20261206.rtf", "20261207.rtf", "jegyzet.rtf"}));
    for (const auto& entry : entries) EXPECT_EQ(entry.bytes, Read("Data/" + entry.name)) << entry.name;
    EXPECT_EQ(SnapshotEntryCount(temp.Dir(), L"2026-12-08.zip"), 4u);

    // Later save points of the day leave the day's snapshot as it was taken.
    temp.WriteBytes("Data/20261206.rtf", "changed");
    EXPECT_FALSE(TakeDailySnapshot(temp.Dir(), today));
    EXPECT_EQ(temp.ReadBytes(Kept(L"2026-12-08.zip")), zip);

    // The index as it stands in memory can stand in for the file.
    const std::string memory = "20261224Szenteste\r\n";
    WriteSnapshot(temp.Dir(), ExtraSnapshotName({today, 10, 15, 0}), today, &memory);
    auto extra = ReadZip(temp.ReadBytes(Kept(L"2026-12-08_101500.zip")));
    EXPECT_EQ(extra[0].bytes, memory);
    const auto listed = ListSnapshots(temp.Dir());
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].name, L"2026-12-08_101500.zip") << "newest first";
    EXPECT_EQ(listed[1].size, zip.size());
}

// The snapshot made in slices while the program waits: the same archive as the one
// made at once, and a change of the day finishes it first, so it holds the old files.
TEST_F(SnapshotTest, MadeInSlicesItHoldsTheFilesAsTheyStoodBeforeTheFirstChange) {
    const Date today{2026, 12, 8};
    const std::string original = Read("Data/jegyzet.rtf");
    SnapshotInSlices slices;
    ASSERT_TRUE(slices.Start(temp.Dir(), today));
    EXPECT_FALSE(slices.Work(std::chrono::steady_clock::time_point::min())) << "one file per slice at least";
    EXPECT_TRUE(slices.Active());
    slices.Finish();  // the first change of the day calls it before writing
    temp.WriteBytes("Data/jegyzet.rtf", "changed");
    EXPECT_FALSE(slices.Active());
    const auto entries = ReadZip(temp.ReadBytes(Kept(L"2026-12-08.zip")));
    EXPECT_EQ(Names(entries), (std::vector<std::string>{"index.txt", "20261206.rtf", "20261207.rtf", "jegyzet.rtf"}));
    EXPECT_EQ(entries[3].bytes, original);
    EXPECT_EQ(entries[2].bytes, AllBytes());
    EXPECT_FALSE(slices.Start(temp.Dir(), today)) << "the day has its snapshot";
}

TEST(SnapshotNames, OnlyTheProgramsOwnNamesAreSnapshots) {
    EXPECT_EQ(SnapshotDate(L"2026-02-28.zip"), (Date{2026, 2, 28}));
    EXPECT_EQ(SnapshotDate(L"2024-02-29_235959.zip"), (Date{2024, 2, 29}));
    for (const wchar_t* other : {L"2026-02-30.zip", L"2026-13-01.zip", L"2026-1-01.zip", L"2026-01-01.ZIP",
                                 L"2026-01-01_1200.zip", L"mentes.zip", L"2026-01-01.zip.tmp"})
        EXPECT_FALSE(SnapshotDate(other)) << WideToUtf8(other);
    EXPECT_EQ(DailySnapshotName(Date{2026, 3, 5}), L"2026-03-05.zip");
}

TEST(SnapshotRetention, ASimulatedYearKeepsFourteenDaysAndOnePerMonth) {
    std::set<std::wstring> folder = {L"notes.txt"};  // not a snapshot: never touched
    std::set<std::wstring> made;
    Date day{2025, 11, 20};
    for (int i = 0; i < 400; ++i, day = AddDays(day, 1)) {
        if (i % 9 == 4) continue;  // days the program was not used
        folder.insert(DailySnapshotName(day));
        made.insert(DailySnapshotName(day));
        if (i == 390) folder.insert(ExtraSnapshotName({day, 9, 0, 0}));  // before a restore
        for (const auto& name : SnapshotsToDelete({folder.begin(), folder.end()}, day)) folder.erase(name);
    }
    const Date today = AddDays(day, -1);  // 2026-12-24
    ASSERT_EQ(today, (Date{2026, 12, 24}));
    std::vector<std::wstring> kept(folder.begin(), folder.end());
    std::sort(kept.begin(), kept.end(), std::greater<>());
    ASSERT_TRUE(folder.count(L"notes.txt"));
    kept.erase(std::remove(kept.begin(), kept.end(), L"notes.txt"), kept.end());

    // The 14 newest, whatever their days (the extra one before a restore among them)...
    std::vector<std::wstring> newest(kept.begin(), kept.begin() + 14);
    EXPECT_EQ(newest.front(), L"2026-12-24.zip");
    EXPECT_EQ(newest.back(), L"2026-12-11.zip");
    EXPECT_EQ(std::count(newest.begin(), newest.end(), L"2026-12-15_090000.zip"), 1);
    // ...and the newest of each month from January to November (December's is among the 14).
    std::vector<std::wstring> monthly(kept.begin() + 14, kept.end());
    EXPECT_EQ(monthly, (std::vector<std::wstring>{L"2026-11-30.zip", L"2026-10-31.zip", L"2026-09-30.zip",
                                                  L"2026-08-31.zip", L"2026-07-31.zip", L"2026-06-30.zip",
                                                  L"2026-05-31.zip", L"2026-04-30.zip", L"2026-03-31.zip",
                                                  L"2026-02-28.zip", L"2026-01-31.zip"}));
    // Each is the last snapshot made in its month.
    for (const auto& name : monthly)
        for (const auto& other : made)
            EXPECT_FALSE(other.substr(0, 7) == name.substr(0, 7) && other > name) << WideToUtf8(other);
    // Nothing of December 2025: twelve months back from December 2026 start with January.
    EXPECT_TRUE(SnapshotsToDelete(kept, today).empty());
}

TEST_F(SnapshotTest, RestoreBringsBackTheFilesAndRemovesTheNewOnes) {
    const Date today{2026, 12, 8};
    ASSERT_TRUE(TakeDailySnapshot(temp.Dir(), today));
    const std::string index = Read("Data/index.txt"), note = Read("Data/20261207.rtf");
    temp.WriteBytes("Data/index.txt", "20270101Új\r\n");
    temp.WriteBytes("Data/20261207.rtf", "overwritten");
    temp.WriteBytes("Data/20270101.rtf", "a new day");
    std::filesystem::remove(temp.Path() / "Data" / "jegyzet.rtf");

    RestoreSnapshot(temp.Dir(), L"2026-12-08.zip");
    EXPECT_EQ(Read("Data/index.txt"), index);
    EXPECT_EQ(Read("Data/20261207.rtf"), note);
    EXPECT_EQ(Read("Data/jegyzet.rtf"), "{\\rtf1 jegyzet\\par}");
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "Data" / "20270101.rtf"));
    EXPECT_EQ(temp.ReadBytes(std::filesystem::path(L"Data") / std::filesystem::path(u8"Névnapok.txt")), "nevnapok") << "the installed files stay";
}

TEST_F(SnapshotTest, ADamagedOrForeignSnapshotChangesNothing) {
    ASSERT_TRUE(TakeDailySnapshot(temp.Dir(), Date{2026, 12, 8}));
    std::string zip = temp.ReadBytes(Kept(L"2026-12-08.zip"));
    temp.WriteBytes("Data/index.txt", "current\r\n");

    std::string damaged = zip;
    damaged[damaged.size() / 2] ^= 0x55;  // inside the compressed data: the CRC tells
    temp.WriteBytes(Kept(L"2026-12-07.zip"), damaged);
    EXPECT_THROW(RestoreSnapshot(temp.Dir(), L"2026-12-07.zip"), AppError);
    temp.WriteBytes(Kept(L"2026-12-06.zip"), zip.substr(0, zip.size() - 30));
    EXPECT_THROW(RestoreSnapshot(temp.Dir(), L"2026-12-06.zip"), ZipError);
    temp.WriteBytes(Kept(L"2026-12-05.zip"), MakeZip({{"index.txt", "x"}, {"..\\..\\evil.txt", "x"}}));
    EXPECT_THROW(RestoreSnapshot(temp.Dir(), L"2026-12-05.zip"), ZipError);
    temp.WriteBytes(Kept(L"2026-12-04.zip"), MakeZip({{"20261206.rtf", "x"}}));
    EXPECT_THROW(RestoreSnapshot(temp.Dir(), L"2026-12-04.zip"), ZipError) << "no index: not a snapshot";
    EXPECT_EQ(Read("Data/index.txt"), "current\r\n");
    EXPECT_EQ(Read("Data/20261206.rtf"), "{\\rtf1 Fogorvos\\par}");
    EXPECT_THROW(CountZipEntries("not a zip"), ZipError);
}

// One day back from a snapshot: its note and line as they were, everything written
// since kept, and the state before the restore in a snapshot of its own. The notepad
// alone the same way; a day the snapshot did not have goes away.
TEST_F(SnapshotTest, OneDayOrTheNotepadComesBackAloneAndTheRestStays) {
    const Date today{2026, 12, 8};
    WriteSnapshot(temp.Dir(), DailySnapshotName(today), today);
    const auto files = ReadSnapshot(temp.Dir(), DailySnapshotName(today));
    const auto days = SnapshotDays(files);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_EQ(days[0].dateKey, L"20261207");
    EXPECT_FALSE(days[0].hasLine);
    EXPECT_EQ(days[1].dateKey, L"20261206");
    EXPECT_EQ(days[1].title1, L"Fogorvos");
    EXPECT_EQ(days[1].title2, L"10 óra");
    EXPECT_EQ(days[1].firstLine, L"Fogorvos");
    EXPECT_EQ(days[2].dateKey, L"");
    EXPECT_EQ(days[2].firstLine, L"jegyzet");

    // Since then: the 6th rewritten, a new 9th, the notepad changed.
    EntryStore store;
    store.Load(temp.Dir());
    store.Lines.Set(0, MakeDayEntry(Date{2026, 12, 6}, L"Elrontva", L"", 0, 0));
    store.Lines.push_back(MakeDayEntry(Date{2026, 12, 9}, L"Új nap", L"", 0, 0));
    store.Save(temp.Dir());
    temp.WriteBytes("Data/20261206.rtf", "{\\rtf1 elrontva\\par}");
    temp.WriteBytes("Data/20261209.rtf", "{\\rtf1 uj\\par}");
    temp.WriteBytes("Data/jegyzet.rtf", "{\\rtf1 uj jegyzet\\par}");

    const struct {
        std::wstring key, snapshot;
    } restores[] = {{L"20261206", L"2026-12-09_100000.zip"}, {L"", L"2026-12-09_100001.zip"},
                    {L"20261209", L"2026-12-09_100002.zip"}};
    for (const auto& r : restores) RestoreOneDay(temp.Dir(), store, files, r.key, r.snapshot, today);
    EXPECT_EQ(Read("Data/20261206.rtf"), "{\\rtf1 Fogorvos\\par}");
    EXPECT_EQ(store.Lines[0], SnapshotLine(files, L"20261206"));
    EXPECT_EQ(Read("Data/jegyzet.rtf"), "{\\rtf1 jegyzet\\par}");
    EXPECT_FALSE(std::filesystem::exists(temp.Path() / "Data" / "20261209.rtf")) << "the snapshot had no 9th";
    EXPECT_EQ(store.FindEntryLine(L"20261209"), -1);
    EXPECT_EQ(Read("Data/20261207.rtf"), AllBytes()) << "the other days stay";
    EXPECT_EQ(Read("Data/index.txt"), store.Lines.FileText()) << "saved at once";
    // Each restore kept the state before it.
    const auto before = ReadSnapshot(temp.Dir(), L"2026-12-09_100000.zip");
    EXPECT_EQ(*SnapshotNote(before, L"20261206"), "{\\rtf1 elrontva\\par}");
    EXPECT_EQ(*SnapshotNote(ReadSnapshot(temp.Dir(), L"2026-12-09_100001.zip"), L""), "{\\rtf1 uj jegyzet\\par}");
}

TEST(ZipArchive, EmptyAndLargeEntriesSurviveTheRoundTrip) {
    std::string large(3'000'000, 'a');
    for (size_t i = 0; i < large.size(); i += 997) large[i] = static_cast<char>(i);
    const auto entries = ReadZip(MakeZip({{"empty.rtf", ""}, {"large.rtf", large}}));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].bytes, "");
    EXPECT_EQ(entries[1].bytes, large);
}

TEST(ZipArchive, ADirectoryThatMiscountsItsEntriesIsDamaged) {
    const std::string zip = MakeZip({{"index.txt", "x"}, {"20261206.rtf", "y"}});
    const auto counting = [&](unsigned entries) {
        std::string bytes = zip;
        const size_t end = bytes.size() - 22;  // the directory's end record (no comment)
        for (size_t at : {end + 8, end + 10}) {
            bytes[at] = static_cast<char>(entries & 0xFF);
            bytes[at + 1] = static_cast<char>(entries >> 8);
        }
        return bytes;
    };
    EXPECT_EQ(ReadZip(counting(2)).size(), 2u);
    EXPECT_THROW(ReadZip(counting(3)), ZipError) << "the directory breaks off: only part of it would be read";
    EXPECT_THROW(CountZipEntries(counting(0xFFFF)), ZipError) << "more entries than the archive has room for";
}
