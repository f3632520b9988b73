// The main window under Wine: first start, settings, links, clock, hints, closing.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <regex>

#include "app/main.h"
#include "harness.h"
#include "platform/codec1250.h"
#include "platform/eljaras_win.h"
#include "platform/errors.h"
#include "ui/application.h"

namespace {

const wchar_t kShellFolders[] = L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class MainWindowTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        // The start-menu links go into a folder of this test. Wine's shell puts its own
        // desktop folder back whenever it resolves it, so the desktop link goes to the
        // test prefix's real desktop (a prefix of the tests only).
        savedPrograms_ = ReadRegString(HKEY_CURRENT_USER, kShellFolders, L"Programs");
        DeleteFileW(DesktopLink().c_str());
        CreateDirectoryW((Dir() + L"\\progs").c_str(), nullptr);
        CreateDirectoryW((Dir() + L"\\progs\\Ketrabo").c_str(), nullptr);
        CreateDirectoryW((Dir() + L"\\progs\\Ketrabo\\Tivorn").c_str(), nullptr);
        WriteRegString(HKEY_CURRENT_USER, kShellFolders, L"Programs", Dir() + L"\\progs");
    }
    void TearDown() override {
        main.reset();
        frm_Main = nullptr;
        WriteRegString(HKEY_CURRENT_USER, kShellFolders, L"Programs", savedPrograms_);
        WinTest::TearDown();
    }
    std::unique_ptr<Tfrm_Main> main;
    static std::wstring DesktopLink() { return GetDesktopFolder() + L"\\Ketrabo honlapja.lnk"; }

private:
    std::wstring savedPrograms_;
};

}  // namespace

TEST_F(MainWindowTest, FirstStartWritesDefaultsMakesLinksAndKeepsTheDesignedPlace) {
    main = OpenMainWindow();
    EXPECT_TRUE(errors.empty()) << WideToUtf8(errors.empty() ? L"" : errors[0]);
    EXPECT_EQ(ReadKetraboValue(L"Left"), L"-1");
    EXPECT_EQ(ReadKetraboValue(L"Top"), L"-1");
    EXPECT_EQ(ReadKetraboValue(L"Ikonok"), L"OK");
    const wchar_t* expected[] = {L"$8080FF", L"$C0C0C0", L"$E9E9E9", L"$A8A8A8", L"$808080",
                                 L"$C0C0C0", L"$0",      L"$0",      L"$0",      L"$0"};
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(ReadKetraboValue(L"Szin" + std::to_wstring(n)), expected[n - 1]) << n;
    RECT r;
    GetWindowRect(main->Handle(), &r);
    EXPECT_EQ(r.left, 6);
    EXPECT_EQ(r.top, 7);
    for (const wchar_t* link : {L"doc.lnk", L"mail.lnk", L"ketrabo.lnk",
                                L"progs\\Ketrabo\\Tivorn\\Program ismertető.lnk",
                                L"progs\\Ketrabo\\Tivorn\\Levélküldés.lnk"})
        EXPECT_TRUE(Exists(link)) << WideToUtf8(link);
    EXPECT_NE(GetFileAttributesW(DesktopLink().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(Exists(L"Data\\index.txt"));
    // Panels took the scheme colours.
    EXPECT_EQ(main->Panel.Color(), 0x8080FFu);
    EXPECT_EQ(main->pFejlec.Color(), 0xC0C0C0u);
    EXPECT_EQ(main->Headers[0]->Color(), 0x808080u);
    EXPECT_EQ(main->Cells[10]->ColorOn, 0xE9E9E9u);
}

TEST_F(MainWindowTest, LinksAreMadeAgainButTheOneTimeLinksNeverAre) {
    main = OpenMainWindow();
    DeleteFileW((Dir() + L"\\doc.lnk").c_str());
    DeleteFileW(DesktopLink().c_str());
    DeleteFileW((Dir() + L"\\progs\\Ketrabo\\Tivorn\\Levélküldés.lnk").c_str());
    main->Hide();
    main->Show();
    Pump();
    EXPECT_TRUE(Exists(L"doc.lnk"));
    EXPECT_EQ(GetFileAttributesW(DesktopLink().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(Exists(L"progs\\Ketrabo\\Tivorn\\Levélküldés.lnk"));
}

TEST_F(MainWindowTest, StoredSettingsAreUsedAndDamagedOnesFallBackToDefaults) {
    WriteKetraboValue(L"Left", L"40");
    WriteKetraboValue(L"Top", L"50");
    WriteKetraboValue(L"Szin1", L"$FF");
    WriteKetraboValue(L"Szin2", L"zöld");
    WriteKetraboValue(L"Ikonok", L"OK");
    main = OpenMainWindow();
    EXPECT_TRUE(errors.empty());
    RECT r;
    GetWindowRect(main->Handle(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(main->Szin[1], 0xFF);
    EXPECT_EQ(main->Panel.Color(), 0x0000FFu);
    EXPECT_EQ(main->Szin[2], 0xC0C0C0);
    EXPECT_EQ(ReadKetraboValue(L"Szin2"), L"$C0C0C0");
    EXPECT_FALSE(Exists(L"progs\\Ketrabo\\Tivorn\\Levélküldés.lnk"));  // "Ikonok" said they were made

    WriteKetraboValue(L"Left", L"bal");
    WriteKetraboValue(L"Top", L"-30000");
    main->Hide();
    main->Show();
    GetWindowRect(main->Handle(), &r);
    EXPECT_EQ(ReadKetraboValue(L"Left"), L"-1");
    EXPECT_EQ(r.left, 6);  // a place on no monitor falls back to the designed one
    EXPECT_EQ(r.top, 7);
}

TEST_F(MainWindowTest, CloseWritesTheIndexAndThePosition) {
    main = OpenMainWindow();
    main->EntryIndex.Lines.push_back(MakeDayEntry(Date{2026, 12, 24}, L"Szenteste", L"Ő", 0xFF, 0));
    SetWindowPos(main->Handle(), nullptr, 30, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND handle = main->Handle();
    SendMessageW(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(ReadFile(L"Data\\index.txt"),
              EncodeCp1250(MakeDayEntry(Date{2026, 12, 24}, L"Szenteste", L"Ő", 0xFF, 0)) + "\r\n");
    EXPECT_EQ(ReadKetraboValue(L"Left"), L"30");
    EXPECT_EQ(ReadKetraboValue(L"Top"), L"20");
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(MainWindowTest, AFailedSaveKeepsTheWindowOpenAndTheOldFile) {
    main = OpenMainWindow();
    main->EntryIndex.Lines.push_back(L"20261224x");
    SetFileAttributesW((Dir() + L"\\Data\\index.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    AnswerCancel();  // "Kilépjek mentés nélkül?" - no
    SendMessageW(main->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(main->Handle()));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Cannot create file " + Dir() + L"\\Data\\index.txt");
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), "");
    SetFileAttributesW((Dir() + L"\\Data\\index.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(MainWindowTest, SessionEndIsASavePoint) {
    main = OpenMainWindow();
    main->EntryIndex.Lines.push_back(L"20261231Szilveszter");
    SendMessageW(main->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(ReadFile(L"Data\\index.txt"), "20261231Szilveszter\r\n");
}

TEST_F(MainWindowTest, ClockShowsTheRegionalDateAndTime) {
    main = OpenMainWindow();
    main->TimerTimer();
    std::wstring text = main->pIdo.Caption();
    std::wregex pattern(L"(\\d{4})\\.([a-záéíóöőúüű]+)\\.(\\d{2}) - \\d{2}:\\d{2}:\\d{2}   ");
    std::wsmatch m;
    ASSERT_TRUE(std::regex_match(text, m, pattern)) << WideToUtf8(text);
    Date today = Today();
    EXPECT_EQ(std::stoi(m[1].str()), today.year);
    EXPECT_EQ(m[2].str(), RegionalMonthNames()[static_cast<size_t>(today.month - 1)]);
    // With Hungarian regional settings the month names are Hungarian.
    EXPECT_EQ(RegionalMonthNames()[2], L"március");
}

TEST_F(MainWindowTest, HintsGoToTheStatusPanelFromTheNearestParentThatHasOne) {
    main = OpenMainWindow();
    auto& app = Application::Get();
    POINT anywhere{0, 0};
    TJPanel& cell = *main->Cells[static_cast<size_t>(main->FirstCell - 1)];
    EXPECT_EQ(app.HintAt(cell.Handle(), anywhere), cell.Hint());
    EXPECT_NE(cell.Hint().find(L" napja"), std::wstring::npos);
    EXPECT_EQ(app.HintAt(main->Panel.Handle(), anywhere), L"");
    EXPECT_EQ(app.HintAt(main->tbElore.Handle(), anywhere), L"Következő hónap");

    RECT button = main->ToolBar1.ButtonRect(L"tbListaMent");
    POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ClientToScreen(main->ToolBar1.Handle(), &centre);
    EXPECT_EQ(app.HintAt(main->ToolBar1.Handle(), centre), L"Lista mentés");

    app.UpdateHint(L"Lista mentés");
    EXPECT_EQ(main->pHint.Caption(), L"   Lista mentés");
    app.UpdateHint(L"");
    EXPECT_EQ(main->pHint.Caption(), L"   Tivorn V2.3 www.ketrabo.example");
}

TEST_F(MainWindowTest, MissingNameDayFileIsReportedAndShowsPlaceholders) {
    DeleteFileW((Dir() + L"\\Data\\Névnapok.txt").c_str());
    main = OpenMainWindow();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], L"Hiányzó Névnapok.txt file");
    EXPECT_EQ(main->Cells[static_cast<size_t>(main->FirstCell - 1)]->NevNap(), L"xxx");
}
