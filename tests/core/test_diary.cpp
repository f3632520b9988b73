// The diary's changes: what a store, a batch and a delete write and in which order,
// that a failed one leaves every file and line as it was and tells no one, the day's
// snapshot before the first change, and the change notices.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

#include "platform/codec1250.h"
#include "platform/errors.h"
#include "store/diary.h"
#include "store/snapshot_days.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

const Date kDay5{2026, 12, 5}, kDay6{2026, 12, 6}, kDay7{2026, 12, 7}, kDay9{2026, 12, 9};
const std::string kNote6 = "{\\rtf1 the 6th\\par}";

std::string Line(const Date& day, const std::wstring& title) {
    return EncodeCp1250(MakeDayEntry(day, title, L"", 0xFF, 0)) + "\r\n";
}

// The plain files of the data folder with their bytes (the snapshots' folder apart).
std::map<std::string, std::string> DataFiles(const TempFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder.Path() / "Data"))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = folder.ReadBytes(fs::path("Data") / entry.path().filename());
    return files;
}

fs::path Kept(const std::wstring& name) { return fs::path(L"Data") / fs::path(u8"Mentések") / name; }

std::vector<std::string> DaysOf(const DiaryChange& change) {
    std::vector<std::string> keys;
    for (const Date& day : change.days) keys.push_back(WideToUtf8(DateKey(day)));
    return keys;
}

class DiaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteBytes("Data/index.txt", Line(kDay5, L"ötödike") + Line(kDay6, L"hatodika"));
        folder.WriteBytes("Data/20261206.rtf", kNote6);
    }
    // A diary of the folder, loaded, its notices and warnings recorded.
    Diary& Loaded() {
        diary.SetWarning([this](const std::wstring& text) { warnings.push_back(text); });
        diary.Load();
        subscription = diary.Subscribe([this](const DiaryChange& change) {
            std::lock_guard lock(noticesLock);  // notices come on the thread that made the change
            notices.push_back(change);
        });
        return diary;
    }
    IndexLines AllLines() const { return diary.WithEntries([](const EntryStore& s) { return s.Lines; }); }

    TempFolder folder;
    DateTime now{Date{2026, 12, 8}, 10, 0, 0};
    std::mutex noticesLock;
    std::vector<DiaryChange> notices;
    std::vector<std::wstring> warnings;
    Diary diary{folder.Dir() + L"\\", MonthNames{}, [this] { return now; }};
    Diary::Subscription subscription;
};

}  // namespace

TEST_F(DiaryTest, AStoreWritesNoteAndLineAfterTheDaysSnapshotAndTellsTheDay) {
    Diary& d = Loaded();
    notices.clear();
    // The day's snapshot begun in slices: the store finishes it before changing anything.
    EXPECT_FALSE(d.SnapshotWork(std::chrono::steady_clock::time_point::min()));

    d.Store(kDay6, DayEntry{L"új cím", L"második", 0xFF0000, 0x00FF00}, "{\\rtf1 new 6th}");
    d.Store(kDay7, DayEntry{L"hetedike", L"", 0, 0}, "{\\rtf1 the 7th}");
    EXPECT_TRUE(d.SnapshotWork(std::chrono::steady_clock::time_point::min())) << "nothing left today";

    const auto kept = ReadSnapshot(folder.Dir(), L"2026-12-08.zip");
    EXPECT_EQ(*SnapshotNote(kept, L"20261206"), kNote6);
    EXPECT_FALSE(SnapshotNote(kept, L"20261207"));
    EXPECT_EQ(folder.ReadBytes("Data/20261207.rtf"), "{\\rtf1 the 7th}");
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), AllLines().FileText());
    ASSERT_EQ(notices.size(), 2u);
    EXPECT_EQ(DaysOf(notices[0]), std::vector<std::string>{"20261206"});
    EXPECT_EQ(DaysOf(notices[1]), std::vector<std::string>{"20261207"});
    EXPECT_FALSE(notices[0].all || notices[0].notepad);

    const OpenedDay six = d.Open(kDay6);
    EXPECT_TRUE(six.hasLine);
    EXPECT_EQ(six.entry, (DayEntry{L"új cím", L"második", 0xFF0000, 0x00FF00}));
    EXPECT_EQ(six.note, "{\\rtf1 new 6th}");
    const OpenedDay eight = d.Open(Date{2026, 12, 8});
    EXPECT_FALSE(eight.hasLine);
    EXPECT_FALSE(eight.note);
    const MonthCells cells = d.Month(2026, 12);
    const auto seventh = std::find_if(cells.begin(), cells.end(), [](const CellContent& c) { return c.day == 7; });
    EXPECT_TRUE(seventh->hasEntry);
    EXPECT_EQ(Trim(seventh->txt1), L"hetedike");
    EXPECT_TRUE(warnings.empty());

    // A batch: one notice for its days; a day given twice is stored as its last says.
    notices.clear();
    d.StoreMany({{kDay9, {L"első"}, "a"}, {kDay5, {L"ötödike"}, "b"}, {kDay9, {L"utolsó"}, "c"}});
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(DaysOf(notices[0]), (std::vector<std::string>{"20261209", "20261205"}));
    EXPECT_EQ(d.Open(kDay9).entry.title1, L"utolsó");
    EXPECT_EQ(folder.ReadBytes("Data/20261209.rtf"), "c");
}

TEST_F(DiaryTest, AFailedChangeLeavesEveryFileAndLineAsItWasAndTellsNoOne) {
    const auto readOnly = [](const fs::path& file) {
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
    };
    const DayEntry entry{L"új", L"", 0, 0};
    const struct Case {
        const char* what;
        std::function<void(const TempFolder&)> before;
        std::function<void(Diary&)> change;
        const wchar_t* error;
    } cases[] = {
        {"the note of a day with one cannot be written",
         [&](const TempFolder& f) { readOnly(f.Path() / "Data/20261206.rtf"); },
         [&](Diary& d) { d.Store(kDay6, entry, "new"); }, L"Cannot create file"},
        {"the note of a new day cannot be written",
         [](const TempFolder& f) { fs::create_directories(f.Path() / "Data/20261207.rtf"); },
         [&](Diary& d) { d.Store(kDay7, entry, "new"); }, L"Cannot create file"},
        {"a batch whose second note cannot be written",
         [](const TempFolder& f) { fs::create_directories(f.Path() / "Data/20261209.rtf"); },
         [&](Diary& d) { d.StoreMany({{kDay7, entry, "7"}, {kDay9, entry, "9"}}); }, L"Cannot create file"},
        {"a batch whose index cannot be saved",
         [&](const TempFolder& f) { readOnly(f.Path() / "Data/index.txt"); },
         [&](Diary& d) { d.StoreMany({{kDay6, entry, "6"}, {kDay7, entry, "7"}}); }, L"Cannot create file"},
        {"an import whose remembered keys cannot be written",
         [](const TempFolder& f) { fs::create_directories(f.Path() / "Data/Importalt.txt"); },
         [&](Diary& d) { d.StoreMany({{kDay6, entry, "6"}, {kDay7, entry, "7"}}, {L"uid-6", L"uid-7"}); },
         L"Cannot create file"},
        // Its keys and its reminders' file were written: both go again.
        {"an import whose yearly marks cannot be written",
         [&](const TempFolder& f) {
             f.WriteBytes("Data/evente.txt", WriteYearlyFile({}));
             readOnly(f.Path() / "Data/evente.txt");
         },
         [&](Diary& d) { d.StoreMany({{kDay7, entry, "7", true, {{kDay7, 9 * 60, 1}}}}, {L"uid-7"}); },
         L"Cannot create file"},
        {"a delete whose index cannot be saved",
         [&](const TempFolder& f) { readOnly(f.Path() / "Data/index.txt"); },
         [&](Diary& d) { d.Delete(kDay6); }, L"Cannot create file"},
        {"a store while the index is unread",
         [](const TempFolder& f) {
             fs::remove(f.Path() / "Data/index.txt");
             fs::create_directories(f.Path() / "Data/index.txt");
         },
         [&](Diary& d) { d.Store(kDay6, entry, "new"); }, L"Cannot open file"},
        {"a delete while the index is unread",
         [](const TempFolder& f) {
             fs::remove(f.Path() / "Data/index.txt");
             fs::create_directories(f.Path() / "Data/index.txt");
         },
         [&](Diary& d) { d.Delete(kDay6); }, L"Cannot open file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder f;
        f.WriteBytes("Data/index.txt", Line(kDay5, L"ötödike") + Line(kDay6, L"hatodika"));
        f.WriteBytes("Data/20261206.rtf", kNote6);
        c.before(f);
        Diary d(f.Dir(), MonthNames{}, [this] { return now; });
        try {
            d.Load();
        } catch (const AppError&) {
            EXPECT_TRUE(d.Unread());
        }
        const auto files = DataFiles(f);
        const IndexLines lines = d.WithEntries([](const EntryStore& s) { return s.Lines; });
        int told = 0;
        const auto told1 = d.Subscribe([&](const DiaryChange&) { ++told; });
        try {
            c.change(d);
            ADD_FAILURE() << "the change reported success";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.Text().starts_with(c.error)) << WideToUtf8(e.Text());
        }
        EXPECT_EQ(DataFiles(f), files) << "no file changed, none left behind";
        EXPECT_EQ(d.WithEntries([](const EntryStore& s) { return s.Lines; }), lines);
        EXPECT_EQ(told, 0);
        for (const auto& file : fs::directory_iterator(f.Path() / "Data"))  // removable under Wine too
            fs::permissions(file.path(), fs::perms::owner_write, fs::perm_options::add);
    }
}

TEST_F(DiaryTest, ADeleteTellsItsDayAndADayWithoutAnEntryIsNoChange) {
    Diary& d = Loaded();
    notices.clear();
    d.Delete(kDay6);
    d.Delete(Date{2026, 12, 20});
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(DaysOf(notices[0]), std::vector<std::string>{"20261206"});
    EXPECT_FALSE(d.Open(kDay6).hasLine);
    EXPECT_EQ(DataFiles(folder).count("20261206.rtf"), 0u);
    EXPECT_EQ(*SnapshotNote(ReadSnapshot(folder.Dir(), L"2026-12-08.zip"), L"20261206"), kNote6);
}

TEST_F(DiaryTest, AFailedSnapshotIsReportedOnceADayAndNeverStopsTheSave) {
    folder.WriteBytes(fs::path(L"Data") / fs::path(u8"Mentések"), "a file where the snapshots' folder goes");
    Diary& d = Loaded();
    d.Store(kDay7, DayEntry{L"hetedike"}, "7");
    d.StoreNotepad("jegyzet");
    d.Delete(kDay6);
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_EQ(folder.ReadBytes("Data/20261207.rtf"), "7");
    EXPECT_EQ(*d.OpenNotepad(), "jegyzet");
    EXPECT_FALSE(d.Open(kDay6).hasLine);
    now.date = kDay9;
    d.Store(kDay7, DayEntry{L"hetedike"}, "7 again");
    ASSERT_EQ(warnings.size(), 2u) << "a new day, a new report";
    EXPECT_TRUE(warnings[1].starts_with(L"A napi biztonsági mentés nem sikerült")) << WideToUtf8(warnings[1]);
}

TEST_F(DiaryTest, ANoticeReachesOnlyTheSubscriptionsThatStillExist) {
    Diary& d = Loaded();
    int kept = 0, ended = 0, selfEnding = 0;
    auto keep = d.Subscribe([&](const DiaryChange&) { ++kept; });
    auto moved = std::move(keep);
    {
        auto gone = d.Subscribe([&](const DiaryChange&) { ++ended; });
    }
    Diary::Subscription own;
    own = d.Subscribe([&](const DiaryChange&) {
        ++selfEnding;
        own.Reset();  // a window closing in its own notice
    });
    d.Store(kDay7, DayEntry{L"hetedike"}, "7");
    d.Delete(kDay7);
    EXPECT_EQ(kept, 2);
    EXPECT_EQ(ended, 0);
    EXPECT_EQ(selfEnding, 1);
}

TEST_F(DiaryTest, RestoresTellTheirDayOrEverythingAndKeepThePresentFirst) {
    Diary& d = Loaded();
    d.Store(kDay6, DayEntry{L"elrontva"}, "spoilt");  // the day's snapshot keeps the 6th as it was
    const auto files = ReadSnapshot(folder.Dir(), L"2026-12-08.zip");
    notices.clear();

    now.second = 1;
    d.RestoreDay(files, L"20261206");
    EXPECT_EQ(folder.ReadBytes("Data/20261206.rtf"), kNote6);
    EXPECT_EQ(d.Open(kDay6).entry.title1, L"hatodika");
    EXPECT_EQ(*SnapshotNote(ReadSnapshot(folder.Dir(), L"2026-12-08_100001.zip"), L"20261206"), "spoilt");

    d.Store(kDay7, DayEntry{L"hetedike"}, "7");
    now.second = 2;
    d.RestoreSnapshot(L"2026-12-08.zip");
    EXPECT_FALSE(d.Open(kDay7).hasLine) << "the snapshot had no 7th";
    EXPECT_FALSE(fs::exists(folder.Path() / "Data/20261207.rtf"));
    EXPECT_TRUE(fs::exists(folder.Path() / Kept(L"2026-12-08_100002.zip")));

    ASSERT_EQ(notices.size(), 3u);
    EXPECT_EQ(DaysOf(notices[0]), std::vector<std::string>{"20261206"});
    EXPECT_TRUE(notices[2].all);
}

TEST_F(DiaryTest, StoresFromTwoThreadsAllLand) {
    Diary& d = Loaded();
    notices.clear();
    const auto storeDays = [&](int first) {
        for (int day = first; day < first + 8; ++day) d.Store(Date{2027, 1, day}, DayEntry{L"szál"}, "x");
    };
    std::thread other(storeDays, 1);
    storeDays(11);
    other.join();
    EXPECT_EQ(notices.size(), 16u);
    Diary reread(folder.Dir());
    reread.Load();
    for (int day : {1, 8, 11, 18}) EXPECT_TRUE(reread.Open(Date{2027, 1, day}).hasLine) << day;
}

// The editor's store whose index cannot be saved: the files stay as they were, the
// day stays in memory (shown, opened, asked about at closing) and the next write of
// the index writes its note first.
TEST_F(DiaryTest, AStoreWhoseIndexFailsIsKeptInMemoryUntilTheIndexCanBeWritten) {
    const fs::path index = folder.Path() / "Data/index.txt";
    const auto writable = [&](bool yes) {
        fs::permissions(index, fs::perms::owner_write, yes ? fs::perm_options::add : fs::perm_options::remove);
    };
    const struct Case {
        const char* what;
        std::function<void(Diary&)> next;  // the write that finds the index writable again
    } cases[] = {
        {"a save point", [](Diary& d) { d.Save(); }},
        {"the next store", [](Diary& d) { d.Store(kDay9, DayEntry{L"kilencedike"}, "9"); }},
        {"a delete of another day", [](Diary& d) { d.Delete(kDay5); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        folder.WriteBytes("Data/index.txt", Line(kDay5, L"ötödike") + Line(kDay6, L"hatodika"));
        folder.WriteBytes("Data/20261206.rtf", kNote6);
        fs::remove(folder.Path() / "Data/20261207.rtf");
        Diary d(folder.Dir(), MonthNames{}, [this] { return now; });
        d.Load();
        const auto files = DataFiles(folder);
        writable(false);
        int told = 0;
        const auto subscribed = d.Subscribe([&](const DiaryChange& change) { told += change.Touches(kDay7); });
        for (const Date& day : {kDay6, kDay7})
            EXPECT_THROW(d.Store(day, DayEntry{L"új"}, "new"), FileCreateError);
        EXPECT_EQ(DataFiles(folder), files);
        EXPECT_EQ(told, 1);
        EXPECT_TRUE(d.ChangedSinceSaved());
        EXPECT_EQ(d.Open(kDay7).note, "new");
        EXPECT_THROW(d.Save(), FileCreateError);
        EXPECT_EQ(DataFiles(folder), files);

        writable(true);
        c.next(d);
        EXPECT_FALSE(d.ChangedSinceSaved());
        EXPECT_EQ(folder.ReadBytes("Data/20261206.rtf"), "new");
        EXPECT_EQ(folder.ReadBytes("Data/20261207.rtf"), "new");
        EXPECT_EQ(folder.ReadBytes("Data/index.txt"), d.WithEntries([](const EntryStore& s) { return s.Lines; }).FileText());
        Diary again(folder.Dir());
        again.Load();
        EXPECT_EQ(again.Open(kDay7).entry.title1, L"új") << "read back from the files";
    }
}
