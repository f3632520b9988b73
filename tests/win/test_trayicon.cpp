// The notification-area icon: what reaches the shell and when, driven through the
// component's hidden window with the messages the shell itself sends.
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "harness.h"
#include "platform/TrayIcon.h"

namespace {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAW data;
};

class TrayIconTest : public WinTest {
protected:
    void SetUp() override {
        WinTest::SetUp();
        saved_ = TTrayIcon::Shell();
        TTrayIcon::Shell() = [this](DWORD message, NOTIFYICONDATAW* data) {
            ShellCall call{message, {}};
            // Only the part the record's size announces is the shell's to read.
            memcpy(&call.data, data, data->cbSize);
            calls.push_back(call);
            return TRUE;
        };
    }
    void TearDown() override {
        TTrayIcon::Shell() = saved_;
        WinTest::TearDown();
    }

    // The shell talks to an icon it shows: made active, with the shell's calls forgotten.
    void ShownInTheNotificationArea(TTrayIcon& icon) {
        icon.SetActive(true);
        calls.clear();
    }
    // Sends what the shell sends for a mouse event on the icon.
    static void Mouse(const TTrayIcon& icon, UINT mouseMessage) {
        SendMessageW(icon.Handle(), TTrayIcon::kCallbackMessage, 0, mouseMessage);
    }
    static void ShellRestarted(const TTrayIcon& icon) {
        SendMessageW(icon.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    }
    std::vector<DWORD> Messages() const {
        std::vector<DWORD> out;
        for (const auto& c : calls) out.push_back(c.message);
        return out;
    }

    std::vector<ShellCall> calls;

private:
    TTrayIcon::ShellFunction saved_;
};

const HICON kAppIcon = LoadIconW(nullptr, IDI_APPLICATION);
const HICON kOtherIcon = LoadIconW(nullptr, IDI_WARNING);

bool IconAlive(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

TEST_F(TrayIconTest, HiddenWindowIsATopLevelPopupNeverShownMadeAtTheFirstActivation) {
    TTrayIcon icon;
    icon.SetToolTip(L"Tivorn");
    icon.SetActive(false);
    EXPECT_EQ(icon.Handle(), nullptr) << "no window while the icon was never shown";
    icon.SetActive(true);
    ASSERT_TRUE(IsWindow(icon.Handle()));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].data.hWnd, icon.Handle());
    LONG style = GetWindowLongW(icon.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_EQ(GetParent(icon.Handle()), nullptr);
    Pump();
    EXPECT_FALSE(IsWindowVisible(icon.Handle()));
    wchar_t className[64]{};
    GetClassNameW(icon.Handle(), className, 64);
    EXPECT_STREQ(className, L"TivornTrayWindow");
}

TEST_F(TrayIconTest, ActiveChangesReachTheShellOnlyOnRealChanges) {
    TTrayIcon icon;
    EXPECT_FALSE(icon.Active());
    icon.SetActive(false);
    EXPECT_TRUE(calls.empty());

    icon.SetActive(true);
    icon.SetActive(true);
    EXPECT_TRUE(icon.Active());
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));

    icon.SetActive(false);
    icon.SetActive(false);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));

    icon.SetActive(true);
    EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE, NIM_ADD}));
}

TEST_F(TrayIconTest, EveryRecordHasTheSmallestLayoutAndTheFixedFields) {
    TTrayIcon icon;
    icon.SetIcon(kAppIcon);
    icon.SetToolTip(L"Tivorn");
    icon.SetActive(true);
    icon.SetToolTip(L"Tivorn program");
    icon.SetActive(false);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY, NIM_DELETE}));

    for (const auto& call : calls) {
        SCOPED_TRACE(call.message);
        EXPECT_EQ(call.data.cbSize, NOTIFYICONDATAW_V1_SIZE);
        EXPECT_EQ(call.data.cbSize, offsetof(NOTIFYICONDATAW, szTip) + 64 * sizeof(wchar_t));
        EXPECT_EQ(call.data.hWnd, icon.Handle());
        EXPECT_EQ(call.data.uID, 0u);
        EXPECT_EQ(call.data.uFlags, 7u);
        EXPECT_EQ(call.data.uCallbackMessage, 1025u);
        EXPECT_EQ(call.data.hIcon, icon.Icon());
    }
    EXPECT_STREQ(calls[0].data.szTip, L"Tivorn");
    EXPECT_STREQ(calls[1].data.szTip, L"Tivorn program");
}

TEST_F(TrayIconTest, ToolTipIsCutToItsFirst62Characters) {
    TTrayIcon icon;
    std::wstring longText;
    for (int i = 0; i < 70; ++i) longText += static_cast<wchar_t>(L'a' + i % 26);
    icon.SetToolTip(longText);
    EXPECT_EQ(icon.ToolTip(), longText.substr(0, 62));
    icon.SetActive(true);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(std::wstring(calls[0].data.szTip), longText.substr(0, 62));

    // Exactly 62 and shorter texts stay whole; accented letters count as one each.
    const std::wstring exact(62, L'ő');
    icon.SetToolTip(exact);
    EXPECT_EQ(icon.ToolTip(), exact);
    EXPECT_EQ(std::wstring(calls.back().data.szTip), exact);
}

TEST_F(TrayIconTest, ChangesWhileInactiveWaitForTheNextActivation) {
    TTrayIcon icon;
    icon.SetIcon(kAppIcon);
    icon.SetToolTip(L"első");
    icon.SetActive(true);
    icon.SetActive(false);
    calls.clear();

    icon.SetToolTip(L"második");
    icon.SetIcon(kOtherIcon);
    EXPECT_TRUE(calls.empty());

    icon.SetActive(true);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));
    EXPECT_STREQ(calls[0].data.szTip, L"második");
    EXPECT_EQ(calls[0].data.hIcon, icon.Icon());
    EXPECT_NE(icon.Icon(), nullptr);

    // While active every change is sent at once.
    HICON before = icon.Icon();
    icon.SetIcon(kAppIcon);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
    EXPECT_EQ(calls[1].data.hIcon, icon.Icon());
    EXPECT_NE(calls[1].data.hIcon, before);
}

// The program's own icon is shown as it is (it lives as long as the program); a copy
// set afterwards is the component's again, and the shared icon is never freed by it.
TEST_F(TrayIconTest, ALastingIconIsShownWithoutACopyAndNeverFreed) {
    HICON lasting = CopyIcon(kAppIcon);
    {
        TTrayIcon icon;
        icon.SetIcon(kOtherIcon);
        const HICON copy = icon.Icon();
        icon.SetLastingIcon(lasting);
        EXPECT_EQ(icon.Icon(), lasting);
        EXPECT_FALSE(IconAlive(copy)) << "the earlier copy is freed";
        icon.SetActive(true);
        ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD}));
        EXPECT_EQ(calls[0].data.hIcon, lasting);
        icon.SetIcon(kOtherIcon);
        EXPECT_NE(icon.Icon(), lasting);
        EXPECT_NE(icon.Icon(), nullptr);
        EXPECT_TRUE(IconAlive(lasting));
        icon.SetLastingIcon(lasting);
    }
    EXPECT_TRUE(IconAlive(lasting)) << "not the component's to free";
    DestroyIcon(lasting);
}

TEST_F(TrayIconTest, KeepsACopyOfTheIconAndFreesItWithItself) {
    HICON original = CopyIcon(kAppIcon);
    HICON copy = nullptr, replaced = nullptr;
    {
        TTrayIcon icon;
        icon.SetIcon(original);
        replaced = icon.Icon();
        ASSERT_NE(replaced, nullptr);
        EXPECT_NE(replaced, original);
        DestroyIcon(original);  // the caller's icon may go away
        EXPECT_TRUE(IconAlive(icon.Icon()));

        icon.SetIcon(kOtherIcon);
        copy = icon.Icon();
        EXPECT_FALSE(IconAlive(replaced));  // the previous copy is freed on replacement
        EXPECT_TRUE(IconAlive(copy));

        icon.SetIcon(nullptr);
        EXPECT_EQ(icon.Icon(), nullptr);
        EXPECT_FALSE(IconAlive(copy));
        icon.SetIcon(kOtherIcon);
        copy = icon.Icon();
    }
    EXPECT_FALSE(IconAlive(copy));
}

TEST_F(TrayIconTest, DestructionRemovesOnlyAnActiveIcon) {
    HWND hidden = nullptr;
    {
        TTrayIcon icon;
        icon.SetActive(true);
        hidden = icon.Handle();
        calls.clear();
    }
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_DELETE}));
    EXPECT_EQ(calls[0].data.hWnd, hidden);
    EXPECT_FALSE(IsWindow(hidden));

    calls.clear();
    {
        TTrayIcon icon;
        icon.SetActive(true);
        icon.SetActive(false);
        calls.clear();
    }
    EXPECT_TRUE(calls.empty());
}

TEST_F(TrayIconTest, ShellRestartAddsTheIconAgainOnlyWhenActive) {
    TTrayIcon icon;
    icon.SetToolTip(L"Tivorn");
    ShellRestarted(icon);
    EXPECT_TRUE(calls.empty());

    icon.SetActive(true);
    ShellRestarted(icon);
    ASSERT_EQ(Messages(), (std::vector<DWORD>{NIM_ADD, NIM_ADD}));
    EXPECT_STREQ(calls[1].data.szTip, L"Tivorn");
    EXPECT_TRUE(icon.Active());

    icon.SetActive(false);
    calls.clear();
    ShellRestarted(icon);
    EXPECT_TRUE(calls.empty());
}

TEST_F(TrayIconTest, MouseMessagesBecomeEventsInTheOrderTheyCome) {
    TTrayIcon icon;
    ShownInTheNotificationArea(icon);
    std::vector<std::string> events;
    icon.OnClick = [&] { events.push_back("click"); };
    icon.OnDblClick = [&] { events.push_back("double"); };
    icon.OnRightClick = [&](int, int) { events.push_back("right"); };

    // A double click as the shell reports it.
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Mouse(icon, m);
    EXPECT_EQ(events, (std::vector<std::string>{"click", "double", "click"}));

    events.clear();
    for (UINT m : {WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONDBLCLK, WM_LBUTTONDOWN}) Mouse(icon, m);
    EXPECT_TRUE(events.empty());
    Mouse(icon, WM_RBUTTONUP);
    EXPECT_EQ(events, (std::vector<std::string>{"right"}));
    EXPECT_TRUE(calls.empty());  // mouse use never changes the icon itself
}

TEST_F(TrayIconTest, RightClickReportsTheCursorsScreenPosition) {
    TTrayIcon icon;
    ShownInTheNotificationArea(icon);
    POINT got{-1, -1};
    icon.OnRightClick = [&](int x, int y) { got = {x, y}; };
    MoveCursor({123, 77});
    POINT cursor{};
    GetCursorPos(&cursor);
    Mouse(icon, WM_RBUTTONUP);
    EXPECT_EQ(got.x, cursor.x);
    EXPECT_EQ(got.y, cursor.y);
}

TEST_F(TrayIconTest, EventsWithoutHandlersAndFailingHandlersAreHarmless) {
    TTrayIcon icon;
    ShownInTheNotificationArea(icon);
    for (UINT m : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP}) Mouse(icon, m);
    EXPECT_TRUE(errors.empty());

    int clicks = 0;
    icon.OnDblClick = [] { throw std::runtime_error("hiba a kezelőben"); };
    icon.OnClick = [&] { ++clicks; };
    Mouse(icon, WM_LBUTTONDBLCLK);
    ASSERT_EQ(errors.size(), 1u);  // shown by the general error handler
    EXPECT_EQ(errors[0], L"hiba a kezelőben");
    Mouse(icon, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
