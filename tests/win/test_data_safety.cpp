// No entry is ever lost: an index or note the program cannot read or change, rich text
// that does not stream out whole, registry values of the wrong type, and a save that
// cannot happen at closing.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "app/main.h"
#include "editors/Reszlet.h"
#include "editors/jegyzettomb.h"
#include "harness.h"
#include "platform/codec1250.h"
#include "platform/errors.h"
#include "platform/kerdes.h"
#include "store/snapshots.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace {

// Another program holding a file open without sharing it.
class FileLock {
public:
    explicit FileLock(const std::wstring& path)
        : h_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Held() const { return h_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        h_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE h_;
};

// A rich edit control whose stream-out breaks off: it delivers `delivered` and then,
// when `reportError` is set, reports a write error as a full disk would.
struct BrokenStream {
    std::string delivered;
    bool reportError = true;
};

LRESULT CALLBACK BreakStreamOut(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg != EM_STREAMOUT) return DefSubclassProc(hwnd, msg, wp, lp);
    auto* broken = reinterpret_cast<BrokenStream*>(data);
    auto* stream = reinterpret_cast<EDITSTREAM*>(lp);
    LONG done = 0;
    stream->pfnCallback(stream->dwCookie, reinterpret_cast<LPBYTE>(broken->delivered.data()),
                        static_cast<LONG>(broken->delivered.size()), &done);
    if (broken->reportError) stream->dwError = ERROR_DISK_FULL;
    return done;
}

class DataSafetyTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        CreateDirectoryW((Dir() + L"\\Data").c_str(), nullptr);
    }
    void TearDown() override {
        notepad.reset();
        editor.reset();
        main.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        SetFileAttributesW(IndexPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        WinTest::TearDown();
    }

    // Today's snapshot was taken earlier: a locked file then gives only the error of
    // the step under test, not the snapshot's notice too.
    void TodaysSnapshotTaken() {
        const std::wstring folder = SnapshotFolder(Dir());
        CreateDirectoryW(folder.c_str(), nullptr);
        HANDLE file = CreateFileW((folder + L"\\" + DailySnapshotName(Today())).c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    void Open() {
        main = OpenMainWindow();
        ASSERT_TRUE(main && main->Handle());
        editor = std::make_unique<Tfrm_Reszlet>();
        main->Others.reszlet = editor.get();
        editor->Create(main->Handle());
        notepad = std::make_unique<Tfrm_Jegyzettomb>();
        main->Others.jegyzettomb = notepad.get();
        notepad->Create(main->Handle());
    }
    std::wstring IndexPath() const { return Dir() + L"\\Data\\index.txt"; }
    static Date ThisMonthsDay(int day) { return Date{Today().year, Today().month, day}; }
    std::wstring NoteRelative(int day) const { return L"Data\\" + DateKey(ThisMonthsDay(day)) + L".rtf"; }
    std::string IndexOf(std::initializer_list<int> days) const {
        std::string text;
        for (int day : days)
            text += EncodeCp1250(MakeDayEntry(ThisMonthsDay(day), L"Nap " + std::to_wstring(day), L"", 0xFF, 0)) +
                    "\r\n";
        return text;
    }
    TJPanel& CellOfDay(int day) { return *main->Cells[static_cast<size_t>(main->FirstCell + day - 2)]; }
    // A click on a cell as the window procedure runs it: inside the general error handler.
    void ClickDay(int day) {
        Application::Get().Guard([&] { main->n1Click(CellOfDay(day)); });
        Pump();
    }
    void DeleteDay(int day) {
        main->HoverDay = day;
        AnswerOk();
        Application::Get().Guard([&] { main->mniBejegyzTorolClick(); });
        Pump();
    }
    bool MonthIsShown() {
        const Date today = Today();
        int visible = 0;
        for (auto& cell : main->Cells) visible += cell->Shown() && IsWindowVisible(main->Panel.Handle()) ? 1 : 0;
        return main->ShownYear == today.year && main->ShownMonth == today.month &&
               visible == DaysInMonth(today.year, today.month) && main->pFejlec.Caption() == main->MonthCaption() &&
               main->pFejlec.Caption().substr(0, 4) == std::to_wstring(today.year);
    }

    std::unique_ptr<Tfrm_Main> main;
    std::unique_ptr<Tfrm_Reszlet> editor;
    std::unique_ptr<Tfrm_Jegyzettomb> notepad;
};

}  // namespace

TEST_F(DataSafetyTest, AnIndexThatCannotBeReadIsNeverSavedOverAndItsDaysStayClosed) {
    const std::string index = IndexOf({5, 6});
    WriteFile(L"Data\\index.txt", index);
    WriteFile(NoteRelative(5), "{\\rtf1 the 5th's note}");
    TodaysSnapshotTaken();
    FileLock lock(IndexPath());
    ASSERT_TRUE(lock.Held());
    Open();
    ASSERT_EQ(errors, (std::vector<std::wstring>{L"Cannot open file " + IndexPath()}));
    EXPECT_TRUE(MonthIsShown()) << "today's month is shown all the same";
    EXPECT_EQ(main->Panel.Color(), 0x8080FFu) << "and in the scheme's colours";

    main->ToolBar1.Click(L"tbListaMent");
    Pump();
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], L"Cannot create file " + IndexPath());
    EXPECT_TRUE(messages.empty()) << "never the success message";

    const int shown = modalCount;
    ClickDay(5);
    EXPECT_EQ(modalCount, shown) << "the editor does not open a day whose line is unknown";
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[2], L"Cannot open file " + IndexPath());
    DeleteDay(5);
    EXPECT_EQ(errors.size(), 4u);
    EXPECT_TRUE(Entries(*main).Lines.empty()) << "no placeholder either";
    EXPECT_EQ(ReadFile(NoteRelative(5)), "{\\rtf1 the 5th's note}");

    // Readable again, without a new show: the next click on a day reads it first and
    // opens the day; the month shows the entries, and the save points work.
    lock.Release();
    messages.clear();
    const int before = modalCount;
    AnswerNextModal([&](Form& form) {
        EXPECT_EQ(&form, editor.get());
        EXPECT_EQ(editor->Cimszo1.Text(), L"Nap 5");
        editor->sbBezar.Click();
    });
    ClickDay(5);
    EXPECT_EQ(modalCount, before + 1);
    EXPECT_EQ(errors.size(), 4u);
    EXPECT_EQ(Entries(*main).Lines.size(), 2u);
    EXPECT_TRUE(CellOfDay(6).VanFile());
    main->ToolBar1.Click(L"tbListaMent");
    Pump();
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"Az adatbázis mentése megtörtént."}));
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), index);

    // Locked again with nothing changed since: closing reports the failed save and
    // closes without asking, since nothing can be lost.
    FileLock again(IndexPath());
    HWND handle = main->Handle();
    SendMessageW(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(messages.size(), 1u) << "no question";
    EXPECT_EQ(errors.back(), L"Cannot create file " + IndexPath());
}

// The same at a save point: a list save after the lock went away reads the index and
// writes back what it read.
TEST_F(DataSafetyTest, ASavePointReadsAnIndexThatCouldNotBeReadAtTheStart) {
    const std::string index = IndexOf({5, 6});
    WriteFile(L"Data\\index.txt", index);
    TodaysSnapshotTaken();
    {
        FileLock lock(IndexPath());
        Open();
    }
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_FALSE(CellOfDay(5).VanFile());
    main->ToolBar1.Click(L"tbListaMent");
    Pump();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"Az adatbázis mentése megtörtént."}));
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), index);
    EXPECT_TRUE(CellOfDay(5).VanFile()) << "the month shows what was read";
}

TEST_F(DataSafetyTest, AReloadThatFailsKeepsTheEntriesInMemory) {
    Open();
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(ThisMonthsDay(3), L"Fogorvos", L"", 0xFF, 0));
    });
    main->ToolBar1.Click(L"tbTray");  // a save point, then hidden
    Pump();
    ASSERT_FALSE(IsWindowVisible(main->Handle()));
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(ThisMonthsDay(4), L"Posta", L"", 0, 0));
    });
    const auto inMemory = Entries(*main).Lines;

    FileLock lock(IndexPath());
    main->trIconDblClick();  // back: the show sequence cannot read the index
    Pump();
    ASSERT_EQ(errors, (std::vector<std::wstring>{L"Cannot open file " + IndexPath()}));
    EXPECT_EQ(Entries(*main).Lines, inMemory);
    EXPECT_TRUE(MonthIsShown());
    EXPECT_TRUE(CellOfDay(4).VanFile());

    lock.Release();
    main->ToolBar1.Click(L"tbListaMent");
    Pump();
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), SerializeIndexText(inMemory));
}

TEST_F(DataSafetyTest, RegistryTextsReadBackWholeWhateverTheirLength) {
    const std::wstring keyPath = L"\\Software\\Ketrabo\\TivornRegistryTest\\";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Ketrabo\\TivornRegistryTest", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring longText = std::wstring(300, L'ő') + L"vége";
    WriteRegString(HKEY_CURRENT_USER, keyPath, L"Long", longText);
    WriteRegString(HKEY_CURRENT_USER, keyPath, L"Exact", std::wstring(127, L'x'));
    WriteRegString(HKEY_CURRENT_USER, keyPath, L"Empty", L"");
    // Written by another program without the final NUL.
    const std::wstring bare = L"$FF00FF";
    RegSetValueExW(key, L"NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(bare.data()),
                   static_cast<DWORD>(bare.size() * sizeof(wchar_t)));
    const DWORD number = 7;
    RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    RegCloseKey(key);

    {
        const RegistryValues values(HKEY_CURRENT_USER, keyPath);
        EXPECT_EQ(values.ReadString(L"Long"), longText);
        EXPECT_EQ(values.ReadString(L"Exact"), std::wstring(127, L'x'));
        EXPECT_EQ(values.ReadString(L"Empty"), L"");
        EXPECT_EQ(values.ReadString(L"NoNul"), bare);
        EXPECT_EQ(values.ReadString(L"Missing"), L"");
        EXPECT_THROW(values.ReadString(L"Number"), AppError);
        EXPECT_EQ(values.ReadString(L"Exact"), std::wstring(127, L'x')) << "the key stays usable";
    }
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, keyPath, L"Long"), longText);
    EXPECT_EQ(RegistryValues(HKEY_CURRENT_USER, L"\\Software\\Ketrabo\\NoSuchKey\\").ReadString(L"Long"), L"");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ketrabo\\TivornRegistryTest");
}

TEST_F(DataSafetyTest, RegistryValuesOfTheWrongTypeAreRewrittenAndTheMonthIsShown) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Ketrabo\\Tivorn", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const DWORD number = 42;
    for (const wchar_t* name : {L"Left", L"Top", L"Szin1", L"Szin6", L"Ikonok"})
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    RegCloseKey(key);

    for (int start = 0; start < 2; ++start) {  // the values are rewritten once, for every later start
        SCOPED_TRACE(start);
        Open();
        EXPECT_TRUE(errors.empty()) << WideToUtf8(errors.empty() ? L"" : errors[0]);
        EXPECT_TRUE(MonthIsShown());
        EXPECT_EQ(ReadKetraboValue(L"Left"), L"-1");
        EXPECT_EQ(ReadKetraboValue(L"Top"), L"-1");
        EXPECT_EQ(ReadKetraboValue(L"Szin1"), L"$8080FF");
        EXPECT_EQ(ReadKetraboValue(L"Szin6"), L"$C0C0C0");
        EXPECT_EQ(ReadKetraboValue(L"Ikonok"), L"OK");
        EXPECT_EQ(main->Panel.Color(), 0x8080FFu);
        EXPECT_EQ(main->pFejlec.Color(), 0xC0C0C0u);
        RECT r;
        GetWindowRect(main->Handle(), &r);
        EXPECT_EQ(r.left, 6);
        EXPECT_EQ(main->CurrentDate.year, Today().year) << "a click edits a day of this year, not of year 0";
        notepad.reset();
        editor.reset();
        main.reset();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
}

TEST_F(DataSafetyTest, ALockedNoteKeepsItsDayWholeWhenDeleted) {
    const std::string index = IndexOf({5, 6});
    WriteFile(L"Data\\index.txt", index);
    WriteFile(NoteRelative(5), "{\\rtf1 locked note}");
    TodaysSnapshotTaken();
    Open();
    {
        FileLock lock(Dir() + L"\\" + NoteRelative(5));
        DeleteDay(5);
        ASSERT_EQ(errors, (std::vector<std::wstring>{L"Cannot delete file " + Dir() + L"\\" + NoteRelative(5)}));
        EXPECT_NE(Entries(*main).FindEntryLine(DateKey(ThisMonthsDay(5))), -1) << "the line stays";
        EXPECT_TRUE(CellOfDay(5).VanFile());
    }
    EXPECT_EQ(ReadFile(NoteRelative(5)), "{\\rtf1 locked note}");
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), index);

    // Unlocked, both go, and the index on the disk follows at once.
    DeleteDay(5);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_FALSE(Exists(NoteRelative(5)));
    EXPECT_FALSE(CellOfDay(5).VanFile());
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), IndexOf({6}));

    // An index that cannot be written: the note and the line come back.
    WriteFile(NoteRelative(6), "{\\rtf1 sixth}");
    SetFileAttributesW(IndexPath().c_str(), FILE_ATTRIBUTE_READONLY);
    DeleteDay(6);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_EQ(errors[1], L"Cannot create file " + IndexPath());
    EXPECT_EQ(ReadFile(NoteRelative(6)), "{\\rtf1 sixth}");
    EXPECT_TRUE(CellOfDay(6).VanFile());
}

TEST_F(DataSafetyTest, NotepadOverAnUnreadableFileDoesNotOpen) {
    Open();
    // The box still holds an earlier opening's text, closed without saving.
    AnswerNextModal([&](Form&) {
        notepad->Megjegyzes.SetText(L"régi, el nem mentett szöveg");
        ClickSpeedButton(notepad->sbBezar);
    });
    main->ToolBar1.Click(L"tbJegyzettomb");
    WriteFile(L"Data\\jegyzet.rtf", "{\\rtf1\\ansi the real notepad\\par}");
    const std::wstring path = Dir() + L"\\Data\\jegyzet.rtf";

    FileLock lock(path);
    const int shown = modalCount;
    main->ToolBar1.Click(L"tbJegyzettomb");
    Pump();
    lock.Release();
    EXPECT_EQ(modalCount, shown) << "the notepad stays closed: its box holds an older text";
    EXPECT_EQ(errors, (std::vector<std::wstring>{L"Cannot open file " + path}));
    EXPECT_EQ(ReadFile(L"Data\\jegyzet.rtf"), "{\\rtf1\\ansi the real notepad\\par}");

    // Readable again: it opens with the file's text.
    std::wstring text;
    AnswerNextModal([&](Form&) {
        text = notepad->Megjegyzes.Text();
        ClickSpeedButton(notepad->sbBezar);
    });
    main->ToolBar1.Click(L"tbJegyzettomb");
    EXPECT_EQ(text.substr(0, 16), L"the real notepad");
}

// A note cut short (a half-finished copy, a damaged disk) opens partly. It is said so,
// and the window opens only when the user chooses it: "Mégsem" (the default) leaves the
// file as it is, OK opens what could be read. The same for a day and the notepad.
TEST_F(DataSafetyTest, ANoteThatCannotBeReadWholeOpensOnlyWhenTheUserChooses) {
    WriteFile(L"Data\\index.txt", IndexOf({5}));
    const std::string cut = "{\\rtf1\\ansi first part\\par second";
    WriteFile(NoteRelative(5), cut);
    WriteFile(L"Data\\jegyzet.rtf", cut);
    Open();
    const std::function<void()> opens[] = {[&] { ClickDay(5); },
                                           [&] { main->ToolBar1.Click(L"tbJegyzettomb"); }};
    for (const auto& open : opens) {
        messages.clear();
        const int shown = modalCount;
        AnswerCancel();
        open();
        EXPECT_EQ(modalCount, shown + 1) << "only the question";
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(L"sérült"), std::wstring::npos);

        std::wstring text;
        AnswerOk();
        AnswerNextModal([&](Form& form) {
            auto& note = static_cast<TRichNoteForm&>(form);
            text = note.Megjegyzes.Text();
            note.sbBezar.Click();
        });
        open();
        EXPECT_EQ(text.substr(0, 10), L"first part");
    }
    EXPECT_EQ(ReadFile(NoteRelative(5)), cut);
    EXPECT_EQ(ReadFile(L"Data\\jegyzet.rtf"), cut);
    EXPECT_TRUE(errors.empty());
}

TEST_F(DataSafetyTest, RichTextThatDoesNotStreamOutWholeNeverReplacesAFile) {
    WriteFile(L"Data\\index.txt", IndexOf({7}));
    WriteFile(NoteRelative(7), "{\\rtf1\\ansi good note\\par}");
    WriteFile(L"Data\\jegyzet.rtf", "{\\rtf1\\ansi good notepad\\par}");
    Open();
    editor->EnsureInsides();  // the rich-edit boxes are made at the first showing
    notepad->EnsureInsides();
    BrokenStream broken;
    SetWindowSubclass(editor->Megjegyzes.Handle(), BreakStreamOut, 1, reinterpret_cast<DWORD_PTR>(&broken));
    SetWindowSubclass(notepad->Megjegyzes.Handle(), BreakStreamOut, 1, reinterpret_cast<DWORD_PTR>(&broken));

    struct Case {
        const char* delivered;
        bool reportError;
    };
    for (const Case& c : {Case{"{\\rtf1\\ansi cut sh", true}, Case{"{\\rtf1\\ansi cut short without a word", false},
                          Case{"", false}}) {
        SCOPED_TRACE(c.delivered);
        broken = BrokenStream{c.delivered, c.reportError};
        errors.clear();
        AnswerNextModal([&](Form&) {
            editor->Megjegyzes.SetText(L"new text");
            ClickSpeedButton(editor->sbMentBezar);
            EXPECT_TRUE(editor->Visible()) << "the editor stays open";
            ClickSpeedButton(editor->sbBezar);
        });
        ClickDay(7);
        EXPECT_EQ(errors, (std::vector<std::wstring>{L"Cannot create file " + Dir() + L"\\" + NoteRelative(7)}));
        EXPECT_EQ(ReadFile(NoteRelative(7)), "{\\rtf1\\ansi good note\\par}");

        errors.clear();
        AnswerNextModal([&](Form&) {
            ClickSpeedButton(notepad->sbMentBezar);
            EXPECT_TRUE(notepad->Visible());
            ClickSpeedButton(notepad->sbBezar);
        });
        main->ToolBar1.Click(L"tbJegyzettomb");
        EXPECT_EQ(errors, (std::vector<std::wstring>{L"Cannot create file " + Dir() + L"\\Data\\jegyzet.rtf"}));
        EXPECT_EQ(ReadFile(L"Data\\jegyzet.rtf"), "{\\rtf1\\ansi good notepad\\par}");
    }
    RemoveWindowSubclass(editor->Megjegyzes.Handle(), BreakStreamOut, 1);
    RemoveWindowSubclass(notepad->Megjegyzes.Handle(), BreakStreamOut, 1);
}

TEST_F(DataSafetyTest, AFailedSaveAtClosingAsksWhetherToLeaveWithoutSaving) {
    Open();
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(ThisMonthsDay(9), L"Elveszne", L"", 0, 0));
    });
    SetFileAttributesW(IndexPath().c_str(), FILE_ATTRIBUTE_READONLY);
    SetWindowPos(main->Handle(), nullptr, 30, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    // Enter answers the default, "Mégsem": the program stays open, with its entries.
    AnswerNextModal([](Form& f) {
        auto& question = static_cast<Tfrm_kerdez&>(f);
        EXPECT_TRUE(GetWindowLongW(question.BitBtn2().Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_FALSE(GetWindowLongW(question.BitBtn1().Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_EQ(GetFocus(), question.BitBtn2().Handle());
        PressKey(GetFocus(), VK_RETURN);
    });
    SendMessageW(main->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(IsWindow(main->Handle()));
    EXPECT_EQ(errors, (std::vector<std::wstring>{L"Cannot create file " + IndexPath()}));
    EXPECT_EQ(messages, (std::vector<std::wstring>{Tfrm_Main::kCloseWithoutSavingQuestion}));
    EXPECT_EQ(Entries(*main).Lines.size(), 1u);

    // The user decides to leave: the window closes, the old index stays as it was.
    AnswerOk();
    HWND handle = main->Handle();
    SendMessageW(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), "");
    EXPECT_EQ(ReadKetraboValue(L"Left"), L"30") << "the position is still kept";
}
