// The main window in the notification area: hiding as a save point, coming back with
// the show sequence, the icon's menu, the "/tray" start and closing while hidden.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/main.h"
#include "harness.h"
#include "platform/TrayIcon.h"
#include "ui/application.h"

namespace {

constexpr Date kEntryDay{2026, 3, 11};

class TrayModeTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        saved_ = TTrayIcon::Shell();
        TTrayIcon::Shell() = [this](DWORD message, NOTIFYICONDATAW*) {
            shellCalls.push_back(message);
            return TRUE;
        };
    }
    void TearDown() override {
        main.reset();
        // A window closed by the program itself posted WM_QUIT; it must not reach
        // the next test's modal loops.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        TTrayIcon::Shell() = saved_;
        SetFileAttributesW((Dir() + L"\\Data\\index.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        WinTest::TearDown();
    }

    void Open(std::vector<std::wstring> parameters = {}) {
        main = OpenMainWindow(std::move(parameters));
        ASSERT_TRUE(main && main->Handle());
    }
    void Escape() {
        PressKey(main->Handle(), VK_ESCAPE);
        Pump();
    }
    void DoubleClickIcon() {
        SendMessageW(main->trIcon.Handle(), TTrayIcon::kCallbackMessage, 0, WM_LBUTTONDBLCLK);
        Pump();
    }
    void MenuCommand(const wchar_t* item) {
        int id = main->pmTray.IdOf(item);
        ASSERT_GE(id, 0) << item;
        SendMessageW(main->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        Pump();
    }
    std::string IndexFile() const { return ReadFile(L"Data\\index.txt"); }
    bool Hidden() const { return !IsWindowVisible(main->Handle()) && main->trIcon.Active(); }
    static std::wstring Entry() { return MakeDayEntry(kEntryDay, L"Fogorvos", L"Posta", 0, 0); }
    static bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

    std::unique_ptr<Tfrm_Main> main;
    std::vector<DWORD> shellCalls;

private:
    TTrayIcon::ShellFunction saved_;
};

TEST_F(TrayModeTest, IconStartsInactiveWithTheProgramIconAndToolTip) {
    Open();
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(main->trIcon.Active());
    EXPECT_TRUE(shellCalls.empty());
    EXPECT_NE(main->trIcon.Icon(), nullptr);
    EXPECT_EQ(main->trIcon.ToolTip(), L"Tivorn program (dupla kattintás = megnyitás)");
}

TEST_F(TrayModeTest, EscapeSavesTheIndexAndHidesBehindTheIcon) {
    Open();
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.push_back(Entry()); });
    EXPECT_FALSE(Contains(IndexFile(), "20260311Fogorvos"));

    Escape();
    EXPECT_TRUE(Hidden());
    EXPECT_TRUE(Contains(IndexFile(), "20260311Fogorvos"));
    EXPECT_EQ(shellCalls, (std::vector<DWORD>{NIM_ADD}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(TrayModeTest, NoOtherKeyHides) {
    Open();
    for (UINT vk : {UINT('A'), UINT(VK_RETURN), UINT(VK_SPACE), UINT(VK_BACK)}) {
        PressKey(main->Handle(), vk);
        Pump();
        EXPECT_TRUE(IsWindowVisible(main->Handle())) << vk;
    }
    EXPECT_FALSE(main->trIcon.Active());
    EXPECT_TRUE(shellCalls.empty());
}

TEST_F(TrayModeTest, FailedSaveKeepsTheWindowShown) {
    Open();
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.push_back(Entry()); });
    ASSERT_TRUE(SetFileAttributesW((Dir() + L"\\Data\\index.txt").c_str(), FILE_ATTRIBUTE_READONLY));

    Escape();
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(main->trIcon.Active());

    main->ToolBar1.Click(L"tbTray");
    Pump();
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_TRUE(shellCalls.empty());
}

TEST_F(TrayModeTest, ComingBackReadsTheSavedIndexAndShowsTodaysMonth) {
    Open();
    const Date today = Today();
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.push_back(Entry()); });
    main->tbEloreClick();
    main->tbEloreClick();
    ASSERT_NE(main->ShownMonth * 10000 + main->ShownYear, today.month * 10000 + today.year);

    main->ToolBar1.Click(L"tbTray");
    Pump();
    ASSERT_TRUE(Hidden());
    ASSERT_TRUE(Contains(IndexFile(), "20260311Fogorvos"));
    // What is in memory no longer matters: coming back reads the file.
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.clear(); });

    DoubleClickIcon();
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(main->trIcon.Active());
    EXPECT_EQ(Entries(*main).Lines, (std::vector<std::wstring>{Entry()}));
    EXPECT_EQ(main->ShownYear, today.year);
    EXPECT_EQ(main->ShownMonth, today.month);
    EXPECT_EQ(shellCalls, (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(TrayModeTest, ListSaveWritesTheIndexAndSaysSo) {
    Open();
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.push_back(Entry()); });
    main->ToolBar1.Click(L"tbListaMent");
    Pump();
    EXPECT_TRUE(Contains(IndexFile(), "20260311Fogorvos"));
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"Az adatbázis mentése megtörtént."}));
    EXPECT_TRUE(IsWindowVisible(main->Handle()));  // saving alone does not hide
}

TEST_F(TrayModeTest, TrayMenuItemsInOrderWithPictures) {
    Open();
    HMENU menu = main->pmTray.Handle();
    // The classic seven, then a separator and the reminders' mute.
    ASSERT_EQ(GetMenuItemCount(menu), 9);
    const wchar_t* captions[] = {L"Tivorn program megnyitás", L"Jegyzettömb", L"Névnap keresés",
                                 L"Feladat lista böngésző", L"Feladatok nyomtatás", nullptr, L"Program bezárása"};
    for (UINT i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        wchar_t text[64]{};
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_BITMAP;
        info.dwTypeData = text;
        info.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(menu, i, TRUE, &info));
        if (!captions[i]) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR);
            continue;
        }
        EXPECT_STREQ(text, captions[i]);
        ASSERT_NE(info.hbmpItem, nullptr);
        // The picture itself, drawn into the item's bitmap: 16 x 16, not blank.
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectW(info.hbmpItem, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
        EXPECT_EQ(dib.dsBm.bmWidth, 16);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(dib.dsBm.bmBits);
        EXPECT_GT(std::count_if(pixels, pixels + 16 * 16, [](DWORD p) { return (p & 0xFFFFFF) != 0; }), 16);
    }
    EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(main->pmTray.IdOf(L"Tivornprogrammegnyits1")));
    EXPECT_EQ(GetMenuItemID(menu, 6), static_cast<UINT>(main->pmTray.IdOf(L"Programbezrsa1")));
    EXPECT_EQ(GetMenuItemID(menu, 8), static_cast<UINT>(main->pmTray.IdOf(L"mniNemitas")));
}

TEST_F(TrayModeTest, FirstMenuItemBringsTheWindowBack) {
    Open();
    Escape();
    ASSERT_TRUE(Hidden());
    MenuCommand(L"Tivornprogrammegnyits1");
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(main->trIcon.Active());
}

void CALLBACK EndMenuAfterAWhile(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

// The icon's right click opens the real menu; the keyboard chooses its first item.
TEST_F(TrayModeTest, RightClickOnTheIconOpensTheMenu) {
    Open();
    Escape();
    ASSERT_TRUE(Hidden());
    // Never hang if the menu does not take the keys: close it after a while.
    UINT_PTR safety = SetTimer(nullptr, 0, 3000, EndMenuAfterAWhile);
    PressKey(main->Handle(), VK_DOWN);
    PressKey(main->Handle(), VK_RETURN);
    SendMessageW(main->trIcon.Handle(), TTrayIcon::kCallbackMessage, 0, WM_RBUTTONUP);
    KillTimer(nullptr, safety);
    Pump();
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(main->trIcon.Active());
}

TEST_F(TrayModeTest, ClosingFromTheMenuWhileHiddenSavesIndexAndPosition) {
    Open();
    SetWindowPos(main->Handle(), nullptr, 130, 95, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.push_back(Entry()); });
    Escape();
    ASSERT_TRUE(Hidden());
    // Changed while hidden (as another window of the program could).
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(Date{2026, 3, 12}, L"Vizsga", L"", 0, 0));
    });
    WriteKetraboValue(L"Left", L"-1");
    WriteKetraboValue(L"Top", L"-1");

    MenuCommand(L"Programbezrsa1");
    EXPECT_EQ(main->Handle(), nullptr);  // destroyed
    EXPECT_TRUE(Contains(IndexFile(), "20260312Vizsga"));
    EXPECT_EQ(ReadKetraboValue(L"Left"), L"130");
    EXPECT_EQ(ReadKetraboValue(L"Top"), L"95");
    EXPECT_FALSE(main->trIcon.Active());
    EXPECT_EQ(shellCalls, (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
}

TEST_F(TrayModeTest, ClosingFailsToSaveKeepsTheIconReachable) {
    Open();
    Escape();
    ASSERT_TRUE(Hidden());
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.push_back(Entry()); });
    ASSERT_TRUE(SetFileAttributesW((Dir() + L"\\Data\\index.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    AnswerCancel();  // not without saving
    MenuCommand(L"Programbezrsa1");
    EXPECT_EQ(errors.size(), 1u);
    ASSERT_NE(main->Handle(), nullptr);
    EXPECT_TRUE(main->trIcon.Active());
}

struct StartCase {
    std::vector<std::wstring> parameters;
    bool startsHidden;
};

class TrayStartTest : public TrayModeTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(TrayStartTest, OnlyAnExactFirstTrayParameterHidesAtTheFirstTick) {
    const StartCase& c = GetParam();
    Open(c.parameters);
    // The message loop shows the window at start either way; the icon is there at once.
    // On a loaded machine the real one-second timer may already have ticked during the
    // opening; then the window is rightly hidden already.
    if (!main->FirstTickDone) {
        EXPECT_TRUE(IsWindowVisible(main->Handle()));
    }
    EXPECT_EQ(main->trIcon.Active(), c.startsHidden);

    main->TimerTimer();
    Pump();
    EXPECT_TRUE(main->FirstTickDone);
    EXPECT_EQ(IsWindowVisible(main->Handle()) == FALSE, c.startsHidden);
    EXPECT_EQ(main->trIcon.Active(), c.startsHidden);
    EXPECT_EQ(shellCalls, c.startsHidden ? std::vector<DWORD>{NIM_ADD} : std::vector<DWORD>{});

    // Later ticks leave the window alone.
    if (c.startsHidden) DoubleClickIcon();
    main->TimerTimer();
    Pump();
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(main->trIcon.Active());
}

INSTANTIATE_TEST_SUITE_P(Parameters, TrayStartTest,
                         ::testing::Values(StartCase{{L"/tray"}, true}, StartCase{{L"/TRAY"}, false},
                                           StartCase{{L"x", L"/tray"}, false}, StartCase{{}, false},
                                           StartCase{{L"/tray", L"x"}, true}));

TEST_F(TrayModeTest, ComingBackBeforeTheFirstTickIsNotUndone) {
    Open({L"/tray"});
    DoubleClickIcon();
    main->TimerTimer();
    Pump();
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(main->trIcon.Active());
}

TEST_F(TrayModeTest, ASecondCopyBringsTheHiddenWindowBack) {
    Open();
    Escape();
    ASSERT_TRUE(Hidden());
    SendMessageW(main->Handle(), Tfrm_Main::ActivateMessage(), 0, 0);
    Pump();
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(main->trIcon.Active());

    ShowWindow(main->Handle(), SW_MINIMIZE);
    SendMessageW(main->Handle(), Tfrm_Main::ActivateMessage(), 0, 0);
    Pump();
    EXPECT_FALSE(IsIconic(main->Handle()));
    EXPECT_TRUE(IsWindowVisible(main->Handle()));
    EXPECT_FALSE(main->trIcon.Active());
}

TEST_F(TrayModeTest, TheClockKeepsRunningWhileHidden) {
    Open();
    Escape();
    ASSERT_TRUE(Hidden());
    main->pIdo.SetCaption(L"-");
    const ULONGLONG until = GetTickCount64() + 2500;
    while (main->pIdo.Caption() == L"-" && GetTickCount64() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        Pump();
    }
    EXPECT_NE(main->pIdo.Caption(), L"-");
    EXPECT_TRUE(Hidden());
}

}  // namespace
