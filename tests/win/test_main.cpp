// The main window under Wine: first start, settings, links, clock, hints, closing.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <memory>

#include <regex>

#include "app/main.h"
#include "harness.h"
#include "platform/codec1250.h"
#include "platform/eljaras_win.h"
#include "platform/errors.h"
#include "ui/application.h"
#include "ui/cursors.h"

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
    ChangeInMemory(*main, [&](EntryStore& entries) {
        entries.Lines.push_back(MakeDayEntry(Date{2026, 12, 24}, L"Szenteste", L"Ő", 0xFF, 0));
    });
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
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.push_back(L"20261224x"); });
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
    ChangeInMemory(*main, [&](EntryStore& entries) { entries.Lines.push_back(L"20261231Szilveszter"); });
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
    POINT inCell{cell.Bounds().left + 5, cell.Bounds().top + 5};
    ClientToScreen(main->Panel.Handle(), &inCell);
    EXPECT_EQ(app.HintAt(main->Panel.Handle(), inCell), cell.Hint());
    EXPECT_NE(cell.Hint().find(L" napja"), std::wstring::npos);
    EXPECT_EQ(app.HintAt(main->Panel.Handle(), anywhere), L"");
    const RECT arrow = ScreenRectOf(main->tbElore);
    EXPECT_EQ(app.HintAt(main->pFejlec.Handle(), POINT{arrow.left + 3, arrow.top + 3}), L"Következő hónap");
    EXPECT_EQ(app.HintAt(main->pFejlec.Handle(), POINT{arrow.left - 2, arrow.top + 3}), L"") << "beside it";

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

namespace {

BOOL CALLBACK CollectWindows(HWND hwnd, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CollectToolTips(HWND hwnd, LPARAM data) {
    wchar_t cls[64];
    GetClassNameW(hwnd, cls, 64);
    if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
    return TRUE;
}

BYTE CharsetOf(HFONT font) {
    LOGFONTW lf{};
    GetObjectW(font, sizeof(lf), &lf);
    return lf.lfCharSet;
}

}  // namespace

TEST_F(MainWindowTest, WeekdayHeadersReadMondayFirstInBoldWhiteAndYellowOnTheirSchemeColour) {
    main = OpenMainWindow();
    const wchar_t* names[] = {L"Hétfő", L"Kedd", L"Szerda", L"Csütörtök", L"Péntek", L"Szombat", L"Vasárnap"};
    auto grid = Face(main->Panel.Handle());  // the headers are drawn by the grid area
    for (size_t i = 0; i < 7; ++i) {
        DrawnPanel& header = *main->Headers[i];
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(header.Name, L"p" + std::to_wstring(i + 1));
        EXPECT_EQ(header.Caption(), names[i]);
        EXPECT_EQ(header.Color(), 0x808080u);  // Szin[5]
        const COLORREF text = i < 5 ? 0xFFFFFFu : 0x00FFFFu;  // white, yellow at the weekend
        EXPECT_EQ(header.FontColour, text);
        LOGFONTW lf{};
        GetObjectW(header.PanelFont(), sizeof(lf), &lf);
        EXPECT_STREQ(lf.lfFaceName, L"MS Sans Serif");
        EXPECT_EQ(std::abs(lf.lfHeight), 11);
        EXPECT_GE(lf.lfWeight, FW_BOLD);
        const RECT r = header.Bounds();
        EXPECT_EQ(r.right - r.left, 110);
        EXPECT_EQ(r.bottom - r.top, 31);
        // Painted: the scheme colour around the caption in its own colour; inside the
        // bevels no other text colour.
        EXPECT_GT(Count(*grid, 0x808080u, r), 110 * 31 / 2);
        const RECT inside{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        const int own = Count(*grid, text, inside);
        const int other = Count(*grid, i < 5 ? 0x00FFFFu : 0xFFFFFFu, inside);
        EXPECT_GT(own, 5);
        EXPECT_EQ(other, 0);
    }
    // A new scheme colour reaches every header.
    main->Szin[5] = 0x123456;
    main->ApplyColours();
    for (const auto& header : main->Headers) EXPECT_EQ(header->Color(), 0x123456u);
}

TEST_F(MainWindowTest, StatusTextsArePaintedOnTheStatusBarAndRepaintedWhenTheyChange) {
    main = OpenMainWindow();
    HWND bar = main->Panel2.Handle();
    EXPECT_EQ(main->pHint.Host(), &main->Panel2);
    EXPECT_EQ(main->pIdo.Host(), &main->Panel2);
    const RECT hint = main->pHint.Bounds(), clock = main->pIdo.Bounds();
    const int midHint = (hint.left + hint.right) / 2, midClock = (clock.left + clock.right) / 2;
    const auto ink = [](const MemoryCanvas& c, int left, int right, const RECT& part) {
        return Count(c, 0x000000u, RECT{left, part.top + 3, right, part.bottom - 3});
    };
    main->pHint.SetCaption(L"   rövid");
    main->pIdo.SetCaption(L"2026. december 8. 18:00:00   ");
    UpdateWindow(bar);
    auto before = OnScreen(bar);
    EXPECT_GT(Count(*before, 0xC0C0C0u, hint), (hint.right - hint.left) * 10) << "the scheme's colour";
    EXPECT_GT(ink(*before, hint.left, midHint, hint), 10) << "the hint, from the left";
    EXPECT_EQ(ink(*before, midHint, hint.right, hint), 0);
    EXPECT_GT(ink(*before, midClock, clock.right, clock), 10) << "the clock, to the right";
    EXPECT_EQ(ink(*before, clock.left, midClock, clock), 0);

    // A longer hint reaches the right half of its panel on the screen at once.
    main->pHint.SetCaption(L"   Bejegyzés törlése (nem visszavonható) és még egy kicsit hosszabb");
    UpdateWindow(bar);
    EXPECT_GT(ink(*OnScreen(bar), midHint, hint.right, hint), 10);

    // A new scheme colour behind both, and nowhere else a stale one.
    main->Szin[6] = 0x40A040;
    main->ApplyColours();
    UpdateWindow(bar);
    auto after = OnScreen(bar);
    for (const RECT& part : {hint, clock}) {
        EXPECT_GT(Count(*after, 0x40A040u, part), (part.right - part.left) * 10);
        EXPECT_EQ(Count(*after, 0xC0C0C0u, part), 0);
    }
}

TEST_F(MainWindowTest, ToolBarButtonsInOrderWithTheirPicturesHintsAndSeparators) {
    main = OpenMainWindow();
    struct Expected {
        const wchar_t* name;  // null: a separator
        int picture;          // separator: its width
        const wchar_t* hint;
    };
    const Expected expected[] = {
        {L"tbLista", 12, L"Havi feladatok listája megtekintés"},
        {L"tbListaNyomtat", 0, L"Lista nyomtatás"},
        {L"tbListaMent", 1, L"Lista mentés"},
        {nullptr, 8, nullptr},
        {L"tbJegyzettomb", 8, L"Jegyzettömb megnyitása"},
        {L"tbNevnapKeres", 9, L"Névnap keresése"},
        {nullptr, 8, nullptr},
        {L"tbSzinek", 7, L"Program színeinek beállítása"},
        {nullptr, 8, nullptr},
        {L"tbHlp", 2, L"Súgó"},
        {L"tbAbout", 3, L"Névjegy"},
        {nullptr, 8, nullptr},
        {L"tbLevel", 4, L"Levél küldése Ketrabonak"},
        {L"tbHonlap", 5, L"Ketrabo honlapja"},
        {nullptr, 8, nullptr},
        {L"tbTray", 11, L"Tálcára rak (dupla kattintásra újra nyitható)"},
        {L"tbKilep", 6, L"Kilépés a programból"},
    };
    // The bar is drawn on the title strip: its buttons are the strip's speed buttons.
    const HWND strip = main->pFejlec.Handle();
    EXPECT_EQ(main->ToolBar1.Handle(), strip);
    const std::vector<const SpeedButton*> buttons = main->ToolBar1.Buttons();
    ASSERT_EQ(buttons.size(), 13u);  // the twelve above and the "Továbbiak" button
    // The bar's tips come with the mouse's first move over one of its buttons.
    EXPECT_EQ(main->ToolBar1.Tips(), nullptr);
    SendMessageW(strip, WM_MOUSEMOVE, 0, MAKELPARAM(buttons[0]->Bounds().left + 2, buttons[0]->Bounds().top + 2));
    HWND tips = main->ToolBar1.Tips();
    ASSERT_NE(tips, nullptr);
    auto face = OnScreen(strip);
    int x = 2 + 4;  // the bar's place on the strip and the indent before the first button
    size_t next = 0;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name ? WideToUtf8(e.name) : "separator at " + std::to_string(x));
        if (!e.name) {
            // An etched line down the middle of the gap, the strip's colour around it.
            const int middle = Px(x) + (Px(e.picture) - 2) / 2, y = Px(2) + Px(25) / 2;
            EXPECT_EQ(face->Pixel(middle, y), GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFFu);
            EXPECT_EQ(face->Pixel(middle + 1, y), GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFFu);
            EXPECT_EQ(face->Pixel(Px(x), y), main->pFejlec.Color());
            x += e.picture;
            continue;
        }
        ASSERT_LT(next, buttons.size());
        const SpeedButton& button = *buttons[next++];
        EXPECT_EQ(button.Name, e.name);
        EXPECT_EQ(button.Picture(), e.picture);
        const RECT r = button.Bounds();
        EXPECT_EQ(r.left, Px(x)) << "left to right in the given order, nothing between them";
        EXPECT_EQ(r.top, Px(2));
        EXPECT_EQ(r.right - r.left, Px(25));
        EXPECT_EQ(r.bottom - r.top, Px(25));
        x += 25;
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        EXPECT_EQ(main->ToolBar1.HintAt(centre), e.hint);
        const RECT asked = main->ToolBar1.ButtonRect(e.name);
        EXPECT_TRUE(EqualRect(&r, &asked));
        // The same text as its tool tip, whose tool lies over the button.
        wchar_t tip[128] = L"";
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = strip;
        info.uId = button.ToolId();
        info.lpszText = tip;
        SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(tip, e.hint);
        info.lpszText = nullptr;
        ASSERT_TRUE(SendMessageW(tips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
        EXPECT_TRUE(EqualRect(&info.rect, &r));
        // The hand cursor over it.
        POINT onScreen = centre;
        ClientToScreen(strip, &onScreen);
        // The tests beside this one share the display's pointer and may move it
        // meanwhile: the pointer is brought back a few times before it counts.
        bool hand = false;
        for (int attempt = 0; attempt < 5 && !hand; ++attempt) {
            ASSERT_TRUE(MoveCursor(onScreen)) << "the pointer never reached the button";
            Pump();  // the moves the new position brings
            SetCursor(nullptr);
            hand = SendMessageW(strip, WM_SETCURSOR, reinterpret_cast<WPARAM>(strip), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)) &&
                   GetCursor() == HandCursor();
        }
        EXPECT_TRUE(hand);
        // Its picture, as the main list draws it, in the middle of the button.
        MemoryCanvas expectedPicture(nullptr, 16, 16);
        Canvas(expectedPicture.Dc()).Fill(RECT{0, 0, 16, 16}, main->pFejlec.Color());
        main->ImageListMain.Draw(expectedPicture.Dc(), e.picture, 0, 0);
        const int px = r.left + (r.right - r.left - 16) / 2, py = r.top + (r.bottom - r.top - 16) / 2;
        int differing = 0;
        for (int v = 0; v < 16; ++v)
            for (int u = 0; u < 16; ++u) differing += face->Pixel(px + u, py + v) != expectedPicture.Pixel(u, v);
        EXPECT_EQ(differing, 0);
    }
    // The mouse away again, where no window of the next test will be.
    MoveCursor({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
}

TEST_F(MainWindowTest, EveryToolTipOfTheMainWindowHasTheApplicationsHintColour) {
    main = OpenMainWindow();
    EXPECT_EQ(Application::Get().HintColour, 0xB5DAFFu);
    // The month arrows' tips come with the mouse's first visit, with their hints; then
    // they are among the thread's tool tip windows. The strip's buttons (the tool
    // bar's and the arrows) share one tip window, each a tool of its own.
    const HWND strip = main->pFejlec.Handle();
    EXPECT_EQ(main->tbVissza.Tooltip(), nullptr);
    for (SpeedButton* arrow : {&main->tbVissza, &main->tbElore}) {
        const RECT r = arrow->Bounds();
        SendMessageW(strip, WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 3, r.top + 3));
        ASSERT_NE(arrow->Tooltip(), nullptr);
        EXPECT_EQ(arrow->Tooltip(), main->tbVissza.Tooltip()) << "one tip for the strip's life";
        wchar_t text[64] = {};
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.hwnd = strip;
        info.uId = arrow->ToolId();
        info.lpszText = text;
        SendMessageW(arrow->Tooltip(), TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(text, arrow == &main->tbVissza ? L"Előző hónap" : L"Következő hónap");
        TTTOOLINFOW where{};
        where.cbSize = sizeof(where);
        where.hwnd = strip;
        where.uId = arrow->ToolId();
        ASSERT_TRUE(SendMessageW(arrow->Tooltip(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&where)));
        EXPECT_TRUE(EqualRect(&where.rect, &r)) << "the tip answers over the arrow only";
    }
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), CollectToolTips, reinterpret_cast<LPARAM>(&tips));
    ASSERT_GE(tips.size(), 1u);
    EXPECT_NE(std::find(tips.begin(), tips.end(), main->ToolBar1.Tips()), tips.end());
    for (HWND tip : tips) EXPECT_EQ(static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)), 0xB5DAFFu);
}

TEST_F(MainWindowTest, AMenuItemsHintReachesTheStatusPanelWhileItIsHighlighted) {
    main = OpenMainWindow();
    const int id = main->pm.IdOf(L"mniBejegyzTorol");
    ASSERT_GE(id, 0);
    SendMessageW(main->Handle(), WM_MENUSELECT, MAKEWPARAM(id, MF_HILITE),
                 reinterpret_cast<LPARAM>(main->pm.Handle()));
    EXPECT_EQ(main->pHint.Caption(), L"   Bejegyzés törlése (nem visszavonható)");
    // The menu closes: the idle text again.
    SendMessageW(main->Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(main->pHint.Caption(), L"   Tivorn V2.3 www.ketrabo.example");
    // An item without a hint (the tray menu's) leaves the idle text.
    const int open = main->pmTray.IdOf(L"Tivornprogrammegnyits1");
    SendMessageW(main->Handle(), WM_MENUSELECT, MAKEWPARAM(open, MF_HILITE),
                 reinterpret_cast<LPARAM>(main->pmTray.Handle()));
    EXPECT_EQ(main->pHint.Caption(), L"   Tivorn V2.3 www.ketrabo.example");
}

TEST_F(MainWindowTest, ANewSchemeRepaintsTheToolBarStripAndTheArrowSquaresAtOnce) {
    main = OpenMainWindow();
    Pump();
    main->Szin[6] = 0x00C000;  // green title strip
    main->ApplyColours();
    Pump();  // the paints the change asked for; no mouse anywhere near
    auto bar = OnScreen(main->ToolBar1.Handle());
    const RECT first = main->ToolBar1.ButtonRect(L"tbLista"), last = main->ToolBar1.ButtonRect(L"tbTovabbiak");
    // The bar's empty end and the space before its first button show the strip's colour.
    EXPECT_EQ(bar->Pixel(last.right + 4, bar->Height() / 2), 0x00C000u);
    EXPECT_EQ(bar->Pixel(first.left - 2, bar->Height() / 2), 0x00C000u);
    // Each button shows its picture on the strip.
    for (const auto& button : Tfrm_Main::ToolButtons()) {
        if (!button.name) continue;
        SCOPED_TRACE(WideToUtf8(button.name));
        const RECT r = main->ToolBar1.ButtonRect(button.name);
        EXPECT_GT((r.right - r.left) * (r.bottom - r.top) - Count(*bar, 0x00C000u, r), 60);
    }
    auto strip = OnScreen(main->pFejlec.Handle());
    for (SpeedButton* arrow : {&main->tbVissza, &main->tbElore}) {
        const RECT r = arrow->Bounds();
        EXPECT_EQ(strip->Pixel(r.left + 1, r.top + 1), 0x00C000u);
        EXPECT_EQ(strip->Pixel(r.right - 2, r.bottom - 2), 0x00C000u);
    }
    EXPECT_EQ(strip->Pixel(strip->Width() / 2 + 60, strip->Height() / 2), 0x00C000u);
}

TEST_F(MainWindowTest, EveryFontShowingHungarianTextHasTheEastEuropeanCharacterSet) {
    main = OpenMainWindow();
    std::vector<HWND> forms{main->Handle()};
    // Every control of the main window, whatever font it has.
    int checked = 0;
    auto checkChildren = [&](HWND parent) {
        std::vector<HWND> children;
        EnumChildWindows(parent, CollectWindows, reinterpret_cast<LPARAM>(&children));
        for (HWND child : children)
            if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0))) {
                wchar_t cls[64];
                GetClassNameW(child, cls, 64);
                if (lstrcmpiW(cls, TOOLBARCLASSNAMEW) == 0) continue;  // picture buttons, no text
                EXPECT_EQ(CharsetOf(font), EASTEUROPE_CHARSET) << WideToUtf8(cls);
                ++checked;
            }
    };
    checkChildren(main->Handle());  // controls that keep a font of their own
    (void)checked;
    EXPECT_EQ(CharsetOf(main->pHint.PanelFont()), EASTEUROPE_CHARSET);
    EXPECT_EQ(CharsetOf(main->pIdo.PanelFont()), EASTEUROPE_CHARSET);
    EXPECT_EQ(CharsetOf(main->FormFont()), EASTEUROPE_CHARSET);
    EXPECT_EQ(CharsetOf(main->pFejlec.PanelFont()), EASTEUROPE_CHARSET);
    for (const auto& header : main->Headers) EXPECT_EQ(CharsetOf(header->PanelFont()), EASTEUROPE_CHARSET);
}

TEST_F(MainWindowTest, TheTitleStripAndStatusBarSitAsDesigned) {
    main = OpenMainWindow();
    Pump();
    ExpectControlsWhereTheTableSays(*main, Tfrm_Main::Controls());
    const auto rows = Tfrm_Main::Controls();
    const auto box = [&rows](const wchar_t* name) {
        const auto& row = RowOf(rows, name);
        return std::array{row.x, row.y, row.w, row.h};
    };
    EXPECT_EQ(box(L"pFejlec"), (std::array{0, 0, 786, 33}));
    EXPECT_EQ(box(L"tbVissza"), (std::array{528, 4, 25, 25}));
    EXPECT_EQ(box(L"tbElore"), (std::array{556, 4, 25, 25}));
    EXPECT_EQ(box(L"Panel2"), (std::array{0, 33 + 493, 786, 25}));
    EXPECT_EQ(box(L"pHint"), (std::array{0, 0, 291, 25}));
    EXPECT_EQ(box(L"pIdo"), (std::array{291, 0, 786 - 291, 25}));
    EXPECT_STREQ(RowOf(rows, L"tbVissza").text, L"Előző hónap");
    EXPECT_STREQ(RowOf(rows, L"tbElore").text, L"Következő hónap");
    // The arrows step the month as their handlers do.
    main->ShowMonth(Date{2026, 1, 31});
    main->tbElore.Click();
    EXPECT_EQ(main->CurrentDate, (Date{2026, 2, 28}));
    main->tbVissza.Click();
    EXPECT_EQ(main->CurrentDate, (Date{2026, 1, 28}));
    // Every tool button's handler is bound: the bar's table names each one.
    for (const auto& button : Tfrm_Main::ToolButtons()) {
        if (!button.name) continue;
        SCOPED_TRACE(WideToUtf8(button.name));
        EXPECT_NE(button.handler, nullptr);
        EXPECT_NE(main->ToolBar1.Find(button.name), nullptr);
    }
}
