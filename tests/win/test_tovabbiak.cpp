// The "Továbbiak" button of the main window: where it stands, its menu built from
// the one table of features, and the shortcuts that reach them from the keyboard.
#include <vector>

#include "app/HosszuHetvegek.h"
#include "app/Munkaszunet.h"
#include "app/main.h"
#include "harness.h"
#include "platform/errors.h"
#include "ui/application.h"

namespace {

class TovabbiakTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        InstallDataFiles();
        main = OpenMainWindow();
    }
    void TearDown() override {
        main.reset();
        WinTest::TearDown();
    }
    std::unique_ptr<Tfrm_Main> main;
};

std::wstring MenuItemText(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{sizeof(info), MIIM_STRING};
    info.dwTypeData = text;
    info.cch = 255;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return text;
}

}  // namespace

TEST(TovabbiakText, ShortcutsAreWrittenAsWindowsShowsThem) {
    EXPECT_EQ(ShortcutText('F', FCONTROL), L"Ctrl+F");
    EXPECT_EQ(ShortcutText('E', FCONTROL | FSHIFT), L"Ctrl+Shift+E");
    EXPECT_EQ(ShortcutText(VK_F3, 0), L"F3");
    EXPECT_EQ(ShortcutText(0, FCONTROL), L"");
    EXPECT_EQ(MenuText({L"mniX", L"Keresés", 'F', FCONTROL, nullptr}), L"Keresés\tCtrl+F");
    EXPECT_EQ(MenuText({L"mniY", L"Névnapok", 0, 0, nullptr}), L"Névnapok");
}

TEST_F(TovabbiakTest, TheButtonFollowsTheClassicButtonsAndItsMenuIsTheTable) {
    ButtonBar& bar = main->ToolBar1;
    const RECT kilep = bar.ButtonRect(L"tbKilep"), more = bar.ButtonRect(L"tbTovabbiak");
    EXPECT_EQ(more.left, kilep.right + Px(8)) << "after a separator";
    const auto& row = RowOf(Tfrm_Main::Controls(), L"ToolBar1");
    EXPECT_LE(more.right, Px(row.x + row.w)) << "the whole button within the bar";
    const RECT vissza = ScreenRectOf(main->tbVissza);
    RECT moreOnScreen = more;
    MapWindowPoints(bar.Handle(), nullptr, reinterpret_cast<POINT*>(&moreOnScreen), 2);
    EXPECT_LT(moreOnScreen.right, vissza.left) << "clear of the month arrows";

    POINT centre{(more.left + more.right) / 2, (more.top + more.bottom) / 2};
    ClientToScreen(bar.Handle(), &centre);
    EXPECT_EQ(Application::Get().HintAt(bar.Handle(), centre), L"További lehetőségek");
    const SpeedButton* button = bar.Find(L"tbTovabbiak");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Picture(), 13);
    EXPECT_TRUE(button->DropDown);
    EXPECT_EQ(more.right - more.left, Px(25 + SpeedButton::kArrowWidth)) << "the arrow's part beside the picture";
    // The arrow: dark pixels in the part right of the picture.
    auto face = Face(bar.Handle());
    EXPECT_GT(Count(*face, GetSysColor(COLOR_BTNTEXT) & 0xFFFFFFu,
                    RECT{more.right - Px(SpeedButton::kArrowWidth), more.top, more.right, more.bottom}),
              4);

    // Every row of the table is a menu item with its shortcut, and the shortcut
    // runs the item's command.
    const auto& items = TovabbiakItems();
    HMENU menu = main->pmTovabbiak.Handle();
    ASSERT_EQ(GetMenuItemCount(menu), static_cast<int>(items.size()));
    std::vector<ACCEL> keys(static_cast<size_t>(CopyAcceleratorTableW(main->Shortcuts.Get(), nullptr, 0)));
    if (!keys.empty()) CopyAcceleratorTableW(main->Shortcuts.Get(), keys.data(), static_cast<int>(keys.size()));
    size_t withKey = 0;
    for (UINT i = 0; i < items.size(); ++i) {
        if (!items[i].name) continue;
        EXPECT_EQ(MenuItemText(menu, i), MenuText(items[i])) << i;
        if (!items[i].key) continue;
        ++withKey;
        bool found = false;
        for (const ACCEL& key : keys)
            found |= key.cmd == main->pmTovabbiak.IdOf(items[i].name) && key.key == items[i].key &&
                     (key.fVirt & (FCONTROL | FSHIFT | FALT)) == items[i].modifiers;
        EXPECT_TRUE(found) << WideToUtf8(items[i].caption);
    }
    EXPECT_EQ(keys.size(), withKey);
}

namespace {

// What the menu's own loop saw while the menu was open (a timer of the thread runs in it).
struct WhileTheMenuIsOpen {
    static inline const SpeedButton* button = nullptr;
    static inline HWND tips = nullptr;
    static inline int shownDown = -1, tipShown = -1;
    static void CALLBACK NoteAndClose(HWND, UINT, UINT_PTR, DWORD) {
        if (shownDown < 0) shownDown = button->Down() ? 1 : 0;
        if (tipShown < 0) tipShown = IsWindowVisible(tips) ? 1 : 0;
        EndMenu();
    }
};

}  // namespace

// The press opens the menu under the button, which stays pushed in while it is open;
// no tip comes up over the menu, even one the mouse's arrival had begun to wait for.
TEST_F(TovabbiakTest, APressOnTheButtonOpensItsMenuWithTheButtonPushedInAndNoTip) {
    using Seen = WhileTheMenuIsOpen;
    Seen::button = main->ToolBar1.Find(L"tbTovabbiak");
    ASSERT_NE(Seen::button, nullptr);
    Seen::shownDown = Seen::tipShown = -1;
    const RECT r = Seen::button->Bounds();
    const HWND strip = main->pFejlec.Handle();
    POINT over{r.left + 3, r.top + 3};
    ClientToScreen(strip, &over);
    ASSERT_TRUE(MoveCursor(over));
    SendMessageW(strip, WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 3, r.top + 3));
    Seen::tips = main->ToolBar1.Tips();
    ASSERT_NE(Seen::tips, nullptr);
    // Well after a tip's wait, the timer notes the button and the tip and closes the menu.
    const UINT_PTR timer = SetTimer(nullptr, 0, 1500, &Seen::NoteAndClose);
    SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 3, r.top + 3));
    KillTimer(nullptr, timer);
    EXPECT_EQ(Seen::shownDown, 1) << "the menu was open, the button pushed in";
    EXPECT_EQ(Seen::tipShown, 0);
    EXPECT_FALSE(Seen::button->Down());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(errors.empty());
    MoveCursor({GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
}

TEST_F(TovabbiakTest, ShortcutsOfTheMainWindowWorkWhereverTheFocusIs) {
    // A shortcut of our own, on a command of our own, through the real message loop.
    int ran = 0;
    const int id = main->NewControlId();
    main->OnCommand(id, [&] { ++ran; });
    AcceleratorTable table({{FVIRTKEY | FCONTROL, 'K', static_cast<WORD>(id)}});
    main->SetAccelerators(table.Get());
    main->Cells[10]->Focus();
    PressWithControl(main->Panel.Handle(), 'K');
    EXPECT_EQ(ran, 1);
    PressKey(main->Panel.Handle(), 'K');  // without Ctrl: an ordinary key
    Pump();
    EXPECT_EQ(ran, 1);
    main->SetAccelerators(main->Shortcuts.Get());
    EXPECT_TRUE(errors.empty());
}

// The working calendar's option window switches the month's marks and hints; the
// long-weekend window names the year and whether its decree is known.
TEST_F(TovabbiakTest, TheWorkingCalendarOptionAndTheLongWeekends) {
    main->ShowMonth(Date{2026, 12, 1});
    auto cellOf = [&](int day) -> TJPanel& { return *main->Cells[static_cast<size_t>(main->FirstCell + day - 2)]; };
    EXPECT_FALSE(cellOf(24).Marks().has_value()) << "the fixed rule by default";
    std::wstring years;
    AnswerNextModal([&](Form& form) {
        auto& window = dynamic_cast<Tfrm_Munkaszunet&>(form);
        years = window.lblEvek.Caption();
        EXPECT_FALSE(window.cbMunkaszunet.Checked());
        window.cbMunkaszunet.SetChecked(true);
        window.btnRendbenClick();
    });
    main->mniMunkaszunetClick();
    EXPECT_EQ(years, L"Áthelyezett napok (Data\\Munkarend.txt): 2005, 2008, 2010–2026.");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, Tfrm_Main::kRegistryKey, WorkDaysOption::kValueName), L"1");
    EXPECT_EQ(cellOf(24).Marks(), (DayMarks{true, false}));
    EXPECT_EQ(cellOf(12).Marks(), (DayMarks{false, true}));
    EXPECT_TRUE(cellOf(24).Hint().ends_with(L"napja – pihenőnap (ledolgozás: december 12.)"));
    EXPECT_TRUE(cellOf(12).Hint().ends_with(L"napja – Áthelyezett munkanap (december 24. helyett)"));
    EXPECT_TRUE(cellOf(25).Hint().ends_with(L"napja – Karácsony"));

    std::vector<std::wstring> seen;
    AnswerNextModal([&](Form& form) {
        auto& window = dynamic_cast<Tfrm_HosszuHetvegek&>(form);
        seen = {window.lblEv.Caption(), window.lblRendelet.Caption()};
        window.btnKovetkezoClick();
        seen.push_back(window.lblEv.Caption());
        seen.push_back(window.lblRendelet.Caption());
        PressKey(window.meLista.Handle(), VK_ESCAPE);
    });
    main->mniHosszuHetvegekClick();
    const std::vector<std::wstring> expected = {
        L"2026: 7 hosszú hétvége", L"A 2026. évi munkarend-rendelet ismert: áthelyezett napjai is számítanak.",
        L"2027: 6 hosszú hétvége",
        L"A 2027. évi rendelet nem ismert (ismert: 2005, 2008, 2010–2026): csak az ünnepek és a hétvégék."};
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(errors.empty());
}
