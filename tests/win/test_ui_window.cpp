// The window base with the toolkit alone (this test links only the ui library): one
// paint entry behind every message that paints, windows and controls that cannot be
// made reported with the system's text, and the handle owners freeing what they own.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "platform/errors.h"
#include "resources/resource_ids.h"
#include "ui/application.h"
#include "ui/button_bar.h"
#include "ui/button_keys.h"
#include "ui/controls.h"
#include "ui/cursors.h"
#include "ui/dpi.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/kernel_handles.h"
#include "ui/panel.h"
#include "ui/popup_menu.h"
#include "ui/speed_button.h"

namespace {

constexpr COLORREF kTeal = 0x808000;
constexpr COLORREF kGreen = 0x00FF00;

// What a window draws into a fresh bitmap (green where it draws nothing) when asked
// through `msg` with the bitmap's DC.
std::unique_ptr<MemoryCanvas> DrawnThrough(HWND hwnd, UINT msg, LRESULT* result = nullptr) {
    RECT r{};
    GetClientRect(hwnd, &r);
    WindowDC screen(nullptr);
    auto image = std::make_unique<MemoryCanvas>(screen.Get(), r.right, r.bottom);
    Canvas(image->Dc()).Fill(r, kGreen);
    const LRESULT got = SendMessageW(hwnd, msg, reinterpret_cast<WPARAM>(image->Dc()), PRF_CLIENT);
    if (result) *result = got;
    return image;
}

class WindowBaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.Create();
        panel.BevelOuter = Bevel::None;
        panel.Create(form.Handle(), 10, 10, 120, 60);
        panel.SetColor(kTeal);
    }

    Form form{FormOptions{.clientWidth = 200, .clientHeight = 100}};
    BevelPanel panel{L"panel"};
};

TEST_F(WindowBaseTest, PrintClientAndATransparentChildsEraseDrawTheFace) {
    EXPECT_EQ(DrawnThrough(panel.Handle(), WM_PRINTCLIENT)->Pixel(60, 30), kTeal);
    // A tool bar asks its parent to paint behind it with the tool bar's own DC.
    LRESULT erased = 0;
    EXPECT_EQ(DrawnThrough(panel.Handle(), WM_ERASEBKGND, &erased)->Pixel(60, 30), kTeal);
    EXPECT_EQ(erased, 1);
    EXPECT_EQ(DrawnThrough(form.Handle(), WM_PRINTCLIENT)->Pixel(150, 80), GetSysColor(COLOR_BTNFACE));
}

// A speed button is drawn on its panel and gets the panel's mouse: raised under the
// mouse, lowered while pressed, a click only for a release over the pressed button,
// nothing while disabled, the hand cursor and its hint over it alone, and a tip that
// knows where it is.
TEST_F(WindowBaseTest, ASpeedButtonLivesOnItsPanelsFaceAndMouse) {
    SpeedButton left(L"left"), right(L"right");
    left.Create(panel, 10, 10, 25, 25, IDI_SB_PREV, L"Előző", true);
    right.Create(panel, 40, 10, 25, 25, IDI_SB_NEXT, L"Következő", true);
    right.Background = kGreen;
    int leftClicks = 0, rightClicks = 0;
    left.OnClick = [&] { ++leftClicks; };
    right.OnClick = [&] { ++rightClicks; };
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    const HWND host = panel.Handle();
    auto at = [](const SpeedButton& b, int dx = 5) { return MAKELPARAM(b.Bounds().left + dx, b.Bounds().top + 5); };
    auto face = [&] { return DrawnThrough(host, WM_PRINTCLIENT); };

    // Drawn on the panel's face: the host's colour or its own, the picture inside, no
    // frame at rest.
    EXPECT_EQ(face()->Pixel(Px(10) + 1, Px(10) + 1), kTeal);
    EXPECT_EQ(face()->Pixel(Px(40) + 1, Px(10) + 1), kGreen);
    int ink = 0;
    {
        auto image = face();
        for (int y = Px(10); y < Px(35); ++y)
            for (int x = Px(10); x < Px(35); ++x) ink += image->Pixel(x, y) != kTeal;
    }
    EXPECT_GT(ink, 20) << "the picture";

    // Under the mouse: raised (a light top-left edge); moving on hands the frame over.
    SendMessageW(host, WM_MOUSEMOVE, 0, at(left));
    EXPECT_TRUE(left.Hot());
    EXPECT_EQ(face()->Pixel(Px(10), Px(20)), GetSysColor(COLOR_BTNHIGHLIGHT));
    SendMessageW(host, WM_MOUSEMOVE, 0, at(right));
    EXPECT_FALSE(left.Hot());
    EXPECT_TRUE(right.Hot());
    EXPECT_EQ(face()->Pixel(Px(10), Px(20)), kTeal);
    SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(Px(100), Px(50)));
    EXPECT_FALSE(right.Hot());

    // Pressed: lowered; released over another button or beside it: no click.
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at(left));
    EXPECT_TRUE(left.Pressed());
    EXPECT_EQ(GetCapture(), host);
    EXPECT_EQ(face()->Pixel(Px(10), Px(20)), GetSysColor(COLOR_BTNSHADOW));
    SendMessageW(host, WM_LBUTTONUP, 0, at(right));
    EXPECT_FALSE(left.Pressed());
    EXPECT_NE(GetCapture(), host);
    EXPECT_EQ(leftClicks + rightClicks, 0);
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at(left));
    SendMessageW(host, WM_LBUTTONUP, 0, MAKELPARAM(Px(100), Px(50)));
    EXPECT_EQ(leftClicks, 0);
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at(left));
    SendMessageW(host, WM_LBUTTONUP, 0, at(left, 20));
    EXPECT_EQ(leftClicks, 1);
    right.SetEnabled(false);
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at(right));
    SendMessageW(host, WM_LBUTTONUP, 0, at(right));
    EXPECT_EQ(rightClicks, 0);
    EXPECT_FALSE(right.Pressed());

    // The hand cursor and the hint over a button; no hint beside them.
    auto cursorAt = [&](LPARAM client) {
        POINT p{static_cast<short>(LOWORD(client)), static_cast<short>(HIWORD(client))};
        ClientToScreen(host, &p);
        // Wine moves the X pointer behind the call, and not at all while another client
        // holds a pointer grab: ask again until the position reads back.
        POINT now{};
        for (int i = 0; i < 500 && !(GetCursorPos(&now) && now.x == p.x && now.y == p.y); ++i) {
            if (i % 5 == 0) SetCursorPos(p.x, p.y);
            Sleep(10);
        }
        SetCursor(nullptr);
        SendMessageW(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return std::pair{GetCursor(), Application::Get().HintAt(host, p)};
    };
    EXPECT_EQ(cursorAt(at(left)), std::pair(HandCursor(), std::wstring(L"Előző")));
    EXPECT_EQ(cursorAt(at(right)).second, L"Következő");
    EXPECT_EQ(cursorAt(MAKELPARAM(Px(100), Px(50))).second, L"");

    // One tip window for the panel, each button a tool over its own place, which
    // follows the button when it moves.
    ASSERT_NE(left.Tooltip(), nullptr);
    EXPECT_EQ(left.Tooltip(), right.Tooltip());
    right.SetBounds(Px(70), Px(10), Px(25), Px(25));
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = host;
    info.uId = right.ToolId();
    ASSERT_TRUE(SendMessageW(right.Tooltip(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_TRUE(EqualRect(&info.rect, &right.Bounds()));
    EXPECT_EQ(face()->Pixel(Px(40) + 1, Px(10) + 1), kTeal) << "nothing left where it was";
    EXPECT_EQ(face()->Pixel(Px(70) + 1, Px(10) + 1), kGreen);
}

// A bar's two-state buttons change state before their handler runs (a group keeps one
// down, the one that is down stays so), a down one shows a lighter face and a lowered
// edge, a disabled one does nothing, and a split button's arrow opens its menu while
// its face is an ordinary button.
TEST_F(WindowBaseTest, ABarsTwoStateDisabledAndSplitButtonsAnswerTheMouse) {
    struct Owner {
        ButtonBar* bar = nullptr;
        std::wstring seen;  // each handler's button and the state it saw
        void Note(const wchar_t* name) { seen += std::wstring(name) + (bar->Checked(name) ? L"+ " : L"- "); }
        void Bold() { Note(L"bold"); }
        void Left() { Note(L"left"); }
        void Right() { Note(L"right"); }
        void Face() { seen += L"face "; }
    } owner;
    using O = Owner;
    const ToolButtonRow<O> rows[] = {
        {L"bold", 0, L"Félkövér", &O::Bold, BTNS_CHECK},     {nullptr, 4, nullptr},
        {L"left", 0, L"Balra", &O::Left, BTNS_CHECKGROUP},   {L"right", 0, L"Jobbra", &O::Right, BTNS_CHECKGROUP},
        {L"menu", 0, nullptr, &O::Face, BTNS_DROPDOWN, 30},
    };
    const ImageList pictures(IDI_SB_PREV, 1);
    ButtonBar bar;
    owner.bar = &bar;
    bar.Create(panel, 0, 0, 120, 20, pictures, 20, 20, 0);
    bar.AddButtons(owner, std::span<const ToolButtonRow<O>>(rows));
    bar.OnDropDown(L"menu", [&] {
        bar.OpenBelow(L"menu", [&](POINT) { owner.seen += bar.Find(L"menu")->Down() ? L"menu+ " : L"menu- "; });
    });
    const HWND host = panel.Handle();
    auto click = [&](const wchar_t* name, int dx = 0) {
        const RECT r = bar.ButtonRect(name);
        const LPARAM at = MAKELPARAM(dx >= 0 ? r.left + 3 + dx : r.right + dx, r.top + 3);
        SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(host, WM_LBUTTONUP, 0, at);
        SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(Px(110), Px(40)));  // away: not hot
    };

    click(L"bold");
    EXPECT_TRUE(bar.Checked(L"bold"));
    auto face = DrawnThrough(host, WM_PRINTCLIENT);
    const RECT bold = bar.ButtonRect(L"bold");
    EXPECT_EQ(face->Pixel(bold.left, bold.top + 5), GetSysColor(COLOR_BTNSHADOW)) << "lowered";
    EXPECT_NE(face->Pixel(bold.left + 1, bold.top + 1), kTeal) << "a lighter face";
    click(L"bold");
    EXPECT_EQ(DrawnThrough(host, WM_PRINTCLIENT)->Pixel(bold.left + 1, bold.top + 1), kTeal);
    click(L"left");
    click(L"right");
    click(L"right");
    EXPECT_EQ(owner.seen, L"bold+ bold- left+ right+ right+ ");
    EXPECT_FALSE(bar.Checked(L"left"));

    owner.seen.clear();
    bar.SetEnabled(L"bold", false);
    click(L"bold");
    EXPECT_FALSE(bar.Enabled(L"bold"));
    EXPECT_FALSE(bar.Checked(L"bold"));
    click(L"menu");
    click(L"menu", -3);
    EXPECT_EQ(owner.seen, L"face menu+ ");
    EXPECT_FALSE(bar.Find(L"menu")->Down()) << "up again when the menu is closed";
    EXPECT_EQ(bar.Find(L"menu")->Tooltip(), nullptr) << "no tip without a hint";
}

// F10 marks the window's first picture button; the arrows walk all of them in reading
// order past unavailable ones, Down opens a drop-down, Enter presses, Escape leaves.
TEST_F(WindowBaseTest, TheKeyboardReachesEveryPictureButton) {
    std::wstring seen;
    const ImageList pictures(IDI_SB_PREV, 1);
    struct Owner {
        std::wstring* seen;
        void Bold() { *seen += L"bold "; }
        void Gone() { *seen += L"gone "; }
        void Menu() { *seen += L"menu "; }
    } owner{&seen};
    using O = Owner;
    const ToolButtonRow<O> rows[] = {{L"bold", 0, L"Félkövér", &O::Bold, BTNS_CHECK},
                                     {L"gone", 0, L"Nincs", &O::Gone},
                                     {L"menu", 0, L"Menü", &O::Menu, BTNS_DROPDOWN, 30}};
    ButtonBar bar;
    bar.Create(panel, 0, 0, 120, 20, pictures, 20, 20, 0);
    bar.AddButtons(owner, std::span<const ToolButtonRow<O>>(rows));
    bar.OnDropDown(L"menu", [&] { seen += L"dropped "; });
    bar.SetEnabled(L"gone", false);
    BevelPanel lower{L"lower"};
    lower.Create(form.Handle(), 10, 75, 120, 22);
    SpeedButton below{L"below"};
    below.Create(lower, 2, 0, 23, 22, IDI_SB_CLOSE, L"Lent");
    below.OnClick = [&] { seen += L"below "; };
    form.Show();
    auto key = [&](UINT vk) {
        const MSG msg{form.Handle(), static_cast<UINT>(vk == VK_F10 ? WM_SYSKEYDOWN : WM_KEYDOWN), vk, 0};
        return form.PreviewKey(msg);
    };
    auto marked = [&] {
        for (const SpeedButton* button : {bar.Find(L"bold"), bar.Find(L"gone"), bar.Find(L"menu"), &std::as_const(below)})
            if (button->KeyMarked()) return button->Name;
        return std::wstring(L"none");
    };

    EXPECT_EQ(KeyboardButtons(form.Handle()).size(), 3u) << "the unavailable one is left out";
    EXPECT_FALSE(key(VK_RIGHT)) << "no mark: the arrows are the controls'";
    EXPECT_TRUE(key(VK_F10));
    EXPECT_EQ(marked(), L"bold");
    EXPECT_EQ(panel.FocusedPart(), panel.PartOf(*bar.Find(L"bold"))) << "screen readers hear of it";
    key(VK_RIGHT);
    EXPECT_EQ(marked(), L"menu");
    key(VK_DOWN);
    EXPECT_EQ(marked(), L"none");
    key(VK_F10);
    key(VK_LEFT);
    EXPECT_EQ(marked(), L"below") << "from the first to the last, the lower row's";
    EXPECT_TRUE(key(VK_RETURN));
    key(VK_F10);
    key(VK_END);
    key(VK_HOME);
    key(VK_SPACE);
    key(VK_F10);
    EXPECT_TRUE(key(VK_ESCAPE)) << "Escape leaves the buttons, not the window";
    EXPECT_EQ(marked(), L"none");
    key(VK_F10);
    EXPECT_FALSE(key(VK_TAB)) << "Tab leaves them and goes on to the controls";
    EXPECT_EQ(marked(), L"none");
    EXPECT_EQ(seen, L"dropped below bold ");
}

// A window's controls may be made after its scheme colours were set: the colour it
// is designed with fills in only what nobody set, before or after the control exists.
TEST(PanelColour, TheDesignColourGivesWayToAColourSetBefore) {
    BevelPanel designed{L"designed"}, schemed{L"schemed"};
    designed.SetDesignColor(kTeal);
    EXPECT_EQ(designed.Color(), kTeal);
    schemed.SetColor(kGreen);
    schemed.SetDesignColor(kTeal);
    EXPECT_EQ(schemed.Color(), kGreen);
    designed.SetColor(kGreen);  // a scheme after the design colour still wins
    EXPECT_EQ(designed.Color(), kGreen);
}

TEST_F(WindowBaseTest, TheWindowsOwnEraseLeavesTheBackgroundToThePaint) {
    // Its own DC: nothing is drawn now (the face comes double-buffered with WM_PAINT).
    WindowDC own(panel.Handle());
    EXPECT_EQ(SendMessageW(panel.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(own.Get()), 0), 1);
    EXPECT_EQ(SendMessageW(form.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(WindowDC(form.Handle()).Get()), 0),
              1);
}

class Probe : public Window {
public:
    void Make(HWND parent, DWORD style = WS_CHILD, int x = 0, int y = 0) {
        CreateOwnWindow(L"TivornProbe", 0, style, L"", x, y, 40, 40, parent);
    }
};

// Only a child with a frame has its frame painted; a plain child's frame painting is
// skipped, and a bordered one still gets its border.
TEST_F(WindowBaseTest, AChildsFrameIsPaintedOnlyWhenItHasOne) {
    Probe plain, bordered;
    plain.Make(form.Handle(), WS_CHILD | WS_VISIBLE, 140, 10);
    bordered.Make(form.Handle(), WS_CHILD | WS_VISIBLE | WS_BORDER, 140, 55);
    ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(form.Handle());
    EXPECT_EQ(SendMessageW(plain.Handle(), WM_NCPAINT, 1, 0), 0);
    RedrawWindow(bordered.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    HDC frame = GetWindowDC(bordered.Handle());
    EXPECT_EQ(GetPixel(frame, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(GetPixel(frame, 39, 20), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_NE(GetPixel(frame, 20, 20), GetSysColor(COLOR_WINDOWFRAME)) << "inside: the face";
    ReleaseDC(bordered.Handle(), frame);
    ShowWindow(form.Handle(), SW_HIDE);
}

TEST_F(WindowBaseTest, AWindowOrControlThatCannotBeMadeIsAnErrorWithTheSystemsText) {
    try {
        CreateControl(L"NoSuchControlClass", 0, 0, 0, 0, 10, 10, form.Handle(), 1, nullptr);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_NE(e.Text().find(L"NoSuchControlClass"), std::wstring::npos) << e.what();
        EXPECT_GT(e.Text().size(), e.Text().find(L": ") + 2) << e.what();
    }
    Probe probe;
    const HWND noWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FF0));  // a child needs a real parent
    EXPECT_THROW(probe.Make(noWindow), AppError);
    EXPECT_EQ(probe.Handle(), nullptr);
}

TEST(HandleOwners, FreeWhatTheyOwnOnceAndHandItOnWhenMoved) {
    HMENU menu = nullptr;
    {
        MenuHandle first = MenuHandle::CreatePopup();
        menu = first.Get();
        MenuHandle second = std::move(first);
        EXPECT_EQ(first.Get(), nullptr);
        EXPECT_TRUE(IsMenu(menu));
    }
    EXPECT_FALSE(IsMenu(menu));

    HANDLE mutex = nullptr;
    DWORD flags = 0;
    {
        KernelHandle owner(CreateMutexW(nullptr, FALSE, nullptr));
        mutex = owner.Get();
        KernelHandle moved = std::move(owner);
        EXPECT_TRUE(GetHandleInformation(mutex, &flags));
    }
    EXPECT_FALSE(GetHandleInformation(mutex, &flags));
}

}  // namespace

// The pictures are read straight from the icon resources; drawn by the list itself,
// handed to the common controls or to a menu, they must come out exactly as the
// loaded icons would, transparent edges included.
TEST(ImageLists, PicturesReadFromTheResourcesDrawLikeTheLoadedIcons) {
    ImageList fromResources(IDI_MAIN_FIRST, IDI_MAIN_COUNT);
    ASSERT_EQ(fromResources.Count(), IDI_MAIN_COUNT);
    const HIMAGELIST loaded = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, IDI_MAIN_COUNT, 4);
    for (int i = 0; i < IDI_MAIN_COUNT; ++i) {
        IconHandle icon(IDI_MAIN_FIRST + i, 16);
        ASSERT_NE(icon.Get(), nullptr);
        ImageList_AddIcon(loaded, icon.Get());
    }
    WindowDC screen(nullptr);
    const auto differences = [](const MemoryCanvas& a, const MemoryCanvas& b, int tolerance) {
        int differing = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const COLORREF p = a.Pixel(x, y), q = b.Pixel(x, y);
                for (int shift : {0, 8, 16})
                    if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)) >
                        tolerance) {
                        ++differing;
                        break;
                    }
            }
        return differing;
    };
    for (int i = 0; i < IDI_MAIN_COUNT; ++i) {
        SCOPED_TRACE(i);
        MemoryCanvas own(screen.Get(), 16, 16), common(screen.Get(), 16, 16), menu(screen.Get(), 16, 16),
            icon(screen.Get(), 16, 16), disabled(screen.Get(), 16, 16);
        for (const MemoryCanvas* c : {&own, &common, &menu, &icon, &disabled})
            Canvas(c->Dc()).Fill(RECT{0, 0, 16, 16}, kTeal);
        fromResources.Draw(own.Dc(), i, 0, 0);
        ImageList_Draw(fromResources.Get(), i, common.Dc(), 0, 0, ILD_NORMAL);
        ImageList_Draw(loaded, i, icon.Dc(), 0, 0, ILD_NORMAL);
        {
            MemoryDc source(nullptr);
            SelectGuard select(source.Get(), fromResources.MenuBitmap(i));
            GdiAlphaBlend(menu.Dc(), 0, 0, 16, 16, source.Get(), 0, 0, 16, 16,
                          BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
        }
        fromResources.Draw(disabled.Dc(), i, 0, 0, false);
        EXPECT_EQ(differences(common, icon, 0), 0) << "the common controls' list";
        EXPECT_EQ(differences(own, icon, 1), 0) << "drawn by the list (rounding of the blend aside)";
        EXPECT_EQ(differences(menu, own, 0), 0) << "the menu's bitmap is the same picture";
        // Disabled: the picture's shape embossed, in the shadow colour where the
        // picture shows and the highlight colour a pixel down and right of it.
        const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF,
                       highlight = GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
        int drawn = 0, embossed = 0, other = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                drawn += own.Pixel(x, y) != kTeal;
                const COLORREF d = disabled.Pixel(x, y);
                embossed += d == shadow;
                other += d != shadow && d != highlight && d != kTeal;
            }
        EXPECT_GT(drawn, 0);
        EXPECT_GT(embossed, 0);
        EXPECT_EQ(other, 0) << "nothing but the two colours and the background";
    }
    ImageList_Destroy(loaded);
}

// A picture without a 32-bit image of the size asked for comes from the loaded icon.
TEST(ImageLists, APictureMissingFromTheResourcesStillKeepsItsPlace) {
    const ImageList list(IDI_MAIN_FIRST, 2, 20);  // the resources have no 20-pixel images
    ASSERT_EQ(list.Count(), 2);
    WindowDC screen(nullptr);
    MemoryCanvas c(screen.Get(), 20, 20);
    Canvas(c.Dc()).Fill(RECT{0, 0, 20, 20}, kTeal);
    list.Draw(c.Dc(), 1, 0, 0);
    int teal = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) teal += c.Pixel(x, y) == kTeal;
    EXPECT_GT(20 * 20 - teal, 20) << "the icon scaled to the size";
    EXPECT_GT(teal, 0) << "with its transparent parts";
}
