// What keeps entries from being lost: the atomic writer's temporary files, the clean-up
// of what a killed save left, an index that could not be read, damaged bytes in the
// index, and the deletion of a day whose files cannot all change.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/codec1250.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/temp_files.h"
#include "store/entry_store.h"
#include "temp_folder.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace fs = std::filesystem;

namespace {

// File names as UTF-8 (std::u8string): the same on Linux in any locale and under Wine.
std::vector<std::u8string> NamesIn(const fs::path& folder) {
    std::vector<std::u8string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().u8string());
    std::sort(names.begin(), names.end());
    return names;
}

bool HasTemporaryFile(const fs::path& folder) {
    for (const auto& name : NamesIn(folder))
        if (name.find(u8".tivorn-tmp") != std::u8string::npos) return true;
    return false;
}

void MakeReadOnly(const fs::path& file) {
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);
}

std::string Entry(int day, const std::wstring& title) {
    return EncodeCp1250(MakeDayEntry(Date{2026, 12, day}, title, L"", 0xFF, 0));
}

}  // namespace

TEST(TemporaryFiles, NamesStandBesideTheTargetWithEightHexDigitsAndOurSuffix) {
    EXPECT_EQ(TemporaryFileName(L"C:\\prog\\Data\\index.txt", 0x00ab12cdu),
              L"C:\\prog\\Data\\index.txt.00ab12cd.tivorn-tmp");
    EXPECT_EQ(TemporaryFileName(L"x", 0), L"x.00000000.tivorn-tmp");
    EXPECT_EQ(TemporaryFileName(L"x", 0xFFFFFFFFu), L"x.ffffffff.tivorn-tmp");
}

TEST(TemporaryFiles, OnlyOurLeftoversAreRecognised) {
    struct Case {
        const wchar_t* name;
        bool leftover;
    };
    const Case cases[] = {
        {L"index.txt.0123abcd.tivorn-tmp", true}, {L"20261206.rtf.ffffffff.tivorn-tmp", true},
        {L"jegyzet.rtf.00000000.TIVORN-TMP", true}, {L"index.txt.tmp", true},
        {L"INDEX.TXT.TMP", true},                  {L"jegyzet.rtf.tmp", true},
        {L"20261206.rtf.tmp", true},               {L"19991231.RTF.TMP", true},
        {L".tivorn-tmp", false},                   {L"index.txt", false},
        {L"jegyzet.rtf", false},                   {L"20261206.rtf", false},
        {L"Névnapok.txt", false},                  {L"Névnapok.txt.tmp", false},
        {L"2026120.rtf.tmp", false},               {L"202612061.rtf.tmp", false},
        {L"2026120a.rtf.tmp", false},              {L"levél.tmp", false},
        {L"x.tivorn-tmp.bak", false},              {L"index.tmp", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsLeftoverFileName(c.name), c.leftover) << WideToUtf8(c.name);
}

TEST(AtomicWrite, LeavesNoTemporaryFileAndNeverTouchesAUsersFileOfTheOldTemporaryName) {
    TempFolder folder;
    // A user's own files beside the target, one with the name earlier versions used as
    // their temporary file: "Save as" into this folder must leave it alone.
    folder.WriteBytes(u8"levél.rtf.tmp", "a user's file");
    folder.WriteBytes(u8"levél.rtf", "old");
    WriteFileAtomically(folder.Dir() + L"/levél.rtf", "new");
    EXPECT_EQ(folder.ReadBytes(u8"levél.rtf"), "new");
    EXPECT_EQ(folder.ReadBytes(u8"levél.rtf.tmp"), "a user's file");
    EXPECT_EQ(NamesIn(folder.Path()), (std::vector<std::u8string>{u8"levél.rtf", u8"levél.rtf.tmp"}));
}

TEST(AtomicWrite, AStaleOldTemporaryThatNoWriterCanOpenNoLongerBlocksSaving) {
    TempFolder folder;
    folder.WriteBytes("Data/index.txt", Entry(6, L"régi") + "\r\n");
    fs::create_directories(folder.Path() / "Data" / "index.txt.tmp");  // nothing can be written there
    EntryStore store;
    store.Load(folder.Dir());
    store.Lines.push_back(MakeDayEntry(Date{2026, 12, 7}, L"új", L"", 0, 0));
    ASSERT_NO_THROW(store.Save(folder.Dir()));
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), SerializeIndexText(store.Lines));
}

TEST(AtomicWrite, AFailedReplaceKeepsTheOldFileByteForByteAndRemovesItsTemporary) {
    TempFolder folder;
    folder.WriteBytes("Data/index.txt", "20261206old\r\n");
    MakeReadOnly(folder.Path() / "Data" / "index.txt");
    try {
        WriteFileAtomically(folder.Dir() + L"/Data/index.txt", "20261206new\r\n");
        FAIL() << "replacing a read-only file reported success";
    } catch (const FileCreateError& e) {
        EXPECT_EQ(e.Text(), L"Cannot create file " + folder.Dir() + L"/Data/index.txt");
    }
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), "20261206old\r\n");
    EXPECT_FALSE(HasTemporaryFile(folder.Path() / "Data"));
    // A folder that does not exist cannot hold the temporary file either.
    EXPECT_THROW(WriteFileAtomically(folder.Dir() + L"/nincs/index.txt", "x"), FileCreateError);
}

#ifndef _WIN32
// A full disk, for real: the file-size limit makes every write past it fail.
TEST(AtomicWrite, AFullDiskFailsTheSaveAndKeepsTheOldIndex) {
    TempFolder folder;
    const std::string old = Entry(6, L"régi") + "\r\n";
    folder.WriteBytes("Data/index.txt", old);
    EntryStore store;
    store.Load(folder.Dir());
    for (int i = 0; i < 2000; ++i) store.Lines.push_back(MakeDayEntry(Date{2026, 12, 7}, L"sok", L"", 0, 0));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    bool failed = false;
    try {
        store.Save(folder.Dir());
    } catch (const FileCreateError&) {
        failed = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_TRUE(failed) << "a save that could not be written reported success";
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), old);
    EXPECT_FALSE(HasTemporaryFile(folder.Path() / "Data"));
    EXPECT_EQ(store.Lines.size(), 2001u) << "nothing in memory is lost";
    store.Save(folder.Dir());  // space is back
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), SerializeIndexText(store.Lines));
}
#endif

TEST(Leftovers, LoadRemovesWhatAKilledSaveLeftAndNothingElse) {
    TempFolder folder;
    const std::string index = Entry(6, L"megmarad") + "\r\n";
    folder.WriteBytes("Data/index.txt", index);
    for (const char* name : {"index.txt.1a2b3c4d.tivorn-tmp", "20261206.rtf.00000001.tivorn-tmp", "index.txt.tmp",
                             "jegyzet.rtf.tmp", "20261206.rtf.tmp", "JEGYZET.RTF.00000000.TIVORN-TMP", "19991231.RTF.TMP"})
        folder.WriteBytes(std::string("Data/") + name, "cut short");
    MakeReadOnly(folder.Path() / "Data" / "index.txt.tmp");  // a stale read-only one goes too
    const std::vector<std::u8string> kept = {u8"20261206.rtf", u8"Névnapok.txt", u8"index.txt",
                                             u8"jegyzet.rtf",  u8"levél.tmp",    u8"x.tivorn-tmp.bak"};
    for (const auto& name : kept)
        if (name != u8"index.txt") folder.WriteBytes(fs::path(u8"Data") / name, "keep");

    EntryStore store;
    store.Load(folder.Dir());
    EXPECT_EQ(NamesIn(folder.Path() / "Data"), kept);
    for (const auto& name : kept) {
        if (name == u8"index.txt") continue;
        EXPECT_EQ(folder.ReadBytes(fs::path(u8"Data") / name), "keep");
    }
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), index);
}

// A note a delete moved aside is the only copy when the rollback could not put it
// back: no start may sweep it away. Its day's line (the index on the disk was not
// changed) brings it back; a day without a line was deleted, and its note goes.
TEST(DeleteEntry, ANoteLeftAsideComesBackWhileItsDayHasALine) {
    TempFolder folder;
    folder.WriteBytes("Data/index.txt", Entry(5, L"van jegyzete") + "\r\n" + Entry(6, L"visszajön") + "\r\n");
    folder.WriteBytes("Data/20261205.rtf", "{\\rtf1 new}");
    folder.WriteBytes("Data/20261205.rtf.0000000a.tivorn-old", "{\\rtf1 older}");
    folder.WriteBytes("Data/20261206.rtf.1a2b3c4d.tivorn-old", "{\\rtf1 only copy}");
    folder.WriteBytes("Data/20261207.rtf.00000001.tivorn-old", "{\\rtf1 deleted}");
    EntryStore store;
    store.Load(folder.Dir());
    EXPECT_EQ(folder.ReadBytes("Data/20261206.rtf"), "{\\rtf1 only copy}");
    EXPECT_EQ(folder.ReadBytes("Data/20261205.rtf"), "{\\rtf1 new}");
    EXPECT_EQ(folder.ReadBytes("Data/20261205.rtf.0000000a.tivorn-old"), "{\\rtf1 older}") << "both kept";
    EXPECT_EQ(NamesIn(folder.Path() / "Data"),
              (std::vector<std::u8string>{u8"20261205.rtf", u8"20261205.rtf.0000000a.tivorn-old", u8"20261206.rtf",
                                          u8"index.txt"}));
    EXPECT_EQ(AsideOriginalName(L"20261206.RTF.0A1B2C3D.TIVORN-OLD"), L"20261206.RTF");
    for (const wchar_t* name : {L"20261206.rtf.tivorn-old", L"20261206.rtf.0a1b2c3x.tivorn-old", L"x.tivorn-tmp"})
        EXPECT_EQ(AsideOriginalName(name), L"") << WideToUtf8(name);
}

TEST(IndexText, NulBytesAreKeptAndNoLineAfterThemIsLost) {
    const std::string bytes = std::string("20261206a\0b\r\n", 13) + "20261207c\r\n" + std::string("\0\0\r\n", 4) +
                              "20261208d\r\n";
    const auto lines = ParseIndexText(bytes);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::wstring(L"20261206a\0b", 11));
    EXPECT_EQ(lines[1], L"20261207c");
    EXPECT_EQ(lines[3], L"20261208d");
    EXPECT_EQ(SerializeIndexText(lines), bytes);

    TempFolder folder;
    folder.WriteBytes("Data/index.txt", bytes);
    EntryStore store;
    store.Load(folder.Dir());
    EXPECT_EQ(store.FindEntryLine(L"20261208"), 3);
    store.Save(folder.Dir());
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), bytes) << "a save point writes every line back";
}

TEST(UnreadIndex, NothingIsWrittenOpenedOrDeletedUntilTheIndexCanBeRead) {
    TempFolder folder;
    // A folder in the index's place: it exists, and cannot be read as a file.
    fs::create_directories(folder.Path() / "Data" / "index.txt");
    folder.WriteBytes("Data/20261206.rtf", "{\\rtf1 the day's note}");
    EntryStore store;
    EXPECT_THROW(store.Load(folder.Dir()), AppError);
    EXPECT_TRUE(store.Unread());
    EXPECT_TRUE(store.Lines.empty());

    try {
        store.Save(folder.Dir());
        FAIL() << "a save point without a readable index reported success";
    } catch (const FileCreateError& e) {
        EXPECT_EQ(e.Text(), L"Cannot create file " + EntryStore::IndexPath(folder.Dir()));
    }
    EXPECT_THROW(store.OpenDay(L"20261206"), FileOpenError) << "the editor must not open an unknown day";
    EXPECT_TRUE(store.Lines.empty()) << "no placeholder";
    EXPECT_THROW(store.DeleteEntry(folder.Dir(), Date{2026, 12, 6}), FileOpenError);
    EXPECT_EQ(folder.ReadBytes("Data/20261206.rtf"), "{\\rtf1 the day's note}");
    EXPECT_TRUE(fs::is_directory(folder.Path() / "Data" / "index.txt"));

    // Readable again (the other program let it go), without a new load: the next day
    // opened reads it first, and so does the next save point.
    fs::remove(folder.Path() / "Data" / "index.txt");
    folder.WriteBytes("Data/index.txt", Entry(6, L"megvan") + "\r\n");
    EXPECT_EQ(store.OpenDay(L"20261206"), 0);
    EXPECT_FALSE(store.Unread());
    EXPECT_FALSE(store.ChangedSinceSaved());
    EntryStore atSave;
    fs::rename(folder.Path() / "Data" / "index.txt", folder.Path() / "Data" / "moved");
    fs::create_directories(folder.Path() / "Data" / "index.txt");
    EXPECT_THROW(atSave.Load(folder.Dir()), AppError);
    fs::remove(folder.Path() / "Data" / "index.txt");
    fs::rename(folder.Path() / "Data" / "moved", folder.Path() / "Data" / "index.txt");
    atSave.Save(folder.Dir());
    EXPECT_EQ(atSave.FindEntryLine(L"20261206"), 0);
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), Entry(6, L"megvan") + "\r\n");
}

TEST(UnreadIndex, AFailedReloadKeepsTheEntriesInMemoryAndTheNextSaveWritesThem) {
    TempFolder folder;
    folder.WriteBytes("Data/index.txt", Entry(6, L"első") + "\r\n");
    EntryStore store;
    store.Load(folder.Dir());
    EXPECT_FALSE(store.ChangedSinceSaved());
    store.Lines.push_back(MakeDayEntry(Date{2026, 12, 7}, L"még nem mentett", L"", 0, 0));
    EXPECT_TRUE(store.ChangedSinceSaved());
    const auto inMemory = store.Lines;

    fs::remove(folder.Path() / "Data" / "index.txt");
    fs::create_directories(folder.Path() / "Data" / "index.txt");
    EXPECT_THROW(store.Load(folder.Dir()), AppError);
    EXPECT_FALSE(store.Unread());
    EXPECT_EQ(store.Lines, inMemory);
    EXPECT_EQ(store.OpenDay(L"20261207"), 1);

    fs::remove(folder.Path() / "Data" / "index.txt");
    store.Save(folder.Dir());
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), SerializeIndexText(inMemory));
    EXPECT_FALSE(store.ChangedSinceSaved());
}

TEST(DeleteEntry, NoteAndLineGoTogetherAndTheIndexFollowsAtOnce) {
    TempFolder folder;
    folder.WriteBytes("Data/index.txt", Entry(5, L"marad") + "\r\n" + Entry(6, L"törlendő") + "\r\n");
    folder.WriteBytes("Data/20261206.rtf", "{\\rtf1 x}");
    EntryStore store;
    store.Load(folder.Dir());
    store.DeleteEntry(folder.Dir(), Date{2026, 12, 6});
    EXPECT_EQ(store.FindEntryLine(L"20261206"), -1);
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), Entry(5, L"marad") + "\r\n");
    EXPECT_EQ(NamesIn(folder.Path() / "Data"), (std::vector<std::u8string>{u8"index.txt"}));

    // A day without an entry: nothing changes and nothing is written.
    MakeReadOnly(folder.Path() / "Data" / "index.txt");
    EXPECT_NO_THROW(store.DeleteEntry(folder.Dir(), Date{2026, 12, 20}));
}

TEST(DeleteEntry, AnIndexThatCannotBeSavedPutsTheNoteAndTheLineBack) {
    TempFolder folder;
    const std::string index = Entry(6, L"törlendő") + "\r\n" + Entry(5, L"marad") + "\r\n";
    folder.WriteBytes("Data/index.txt", index);
    folder.WriteBytes("Data/20261206.rtf", "{\\rtf1 the note}");
    EntryStore store;
    store.Load(folder.Dir());
    const auto lines = store.Lines;
    MakeReadOnly(folder.Path() / "Data" / "index.txt");

    EXPECT_THROW(store.DeleteEntry(folder.Dir(), Date{2026, 12, 6}), FileCreateError);
    EXPECT_EQ(store.Lines, lines) << "the line is back in its place";
    EXPECT_EQ(folder.ReadBytes("Data/20261206.rtf"), "{\\rtf1 the note}");
    EXPECT_EQ(folder.ReadBytes("Data/index.txt"), index);
    EXPECT_FALSE(HasTemporaryFile(folder.Path() / "Data"));
}
