#include "platform/TrayIcon.h"

#include <utility>

#include "ui/application.h"

#ifndef NIIF_RESPECT_QUIET_TIME
#define NIIF_RESPECT_QUIET_TIME 0x00000080
#endif

TTrayIcon::ShellFunction& TTrayIcon::Shell() {
    static ShellFunction shell = [](DWORD message, NOTIFYICONDATAW* data) { return Shell_NotifyIconW(message, data); };
    return shell;
}

UINT TTrayIcon::TaskbarCreatedMessage() {
    // Sent to every top-level window when the shell (re)starts, e.g. after Explorer crashed.
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

TTrayIcon::TTrayIcon() = default;

void TTrayIcon::EnsureWindow() {
    // Made when the icon is first shown: most runs never go to the notification area,
    // and a window at start costs dozens of round trips to the window server under
    // Wine. A top-level popup rather than a message-only window: only top-level
    // windows hear the shell's restart broadcast.
    if (!Handle()) CreateOwnWindow(L"TivornTrayWindow", 0, WS_POPUP, L"", 0, 0, 0, 0, nullptr);
}

TTrayIcon::~TTrayIcon() {
    if (inShell_) Notify(NIM_DELETE);
}

BOOL TTrayIcon::Notify(DWORD message, const std::wstring* title, const std::wstring* text) {
    EnsureWindow();
    NOTIFYICONDATAW data{};
    // The first record's size unless a balloon is asked for: the shell of every
    // Windows takes it, and it is all the icon needs.
    data.cbSize = title ? sizeof(NOTIFYICONDATAW) : NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = Handle();
    data.uID = 0;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = Icon();
    toolTip_.copy(data.szTip, kMaxToolTip);
    if (title && text) {
        data.uFlags |= NIF_INFO;
        data.dwInfoFlags = NIIF_INFO | NIIF_RESPECT_QUIET_TIME;
        title->copy(data.szInfoTitle, kMaxBalloonTitle);
        text->copy(data.szInfo, kMaxBalloonText);
    }
    auto& shell = Shell();
    return shell ? shell(message, &data) : FALSE;
}

void TTrayIcon::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    Place();
}

void TTrayIcon::Place() {
    const bool wanted = active_ || balloon_;
    if (wanted == inShell_) return;
    inShell_ = wanted;
    Notify(wanted ? NIM_ADD : NIM_DELETE);
}

void TTrayIcon::ShowBalloon(const std::wstring& title, const std::wstring& text) {
    const std::wstring t = title.substr(0, kMaxBalloonTitle), x = text.substr(0, kMaxBalloonText);
    const bool added = !inShell_;
    balloon_ = true;
    balloonShownAt_ = GetTickCount64();
    inShell_ = true;
    Notify(added ? NIM_ADD : NIM_MODIFY, &t, &x);
}

void TTrayIcon::SetIcon(HICON icon) {
    IconHandle old = std::move(icon_);  // destroyed only once the shell holds the new one
    icon_ = IconHandle::Own(icon ? CopyIcon(icon) : nullptr);
    shared_ = nullptr;
    if (inShell_) Notify(NIM_MODIFY);
}

void TTrayIcon::SetLastingIcon(HICON icon) {
    IconHandle old = std::move(icon_);
    shared_ = icon;
    if (inShell_) Notify(NIM_MODIFY);
}

void TTrayIcon::SetToolTip(const std::wstring& text) {
    toolTip_ = text.substr(0, kMaxToolTip);
    if (inShell_) Notify(NIM_MODIFY);
}

void TTrayIcon::ExpireBalloon(ULONGLONG nowMs) {
    if (!balloon_ || nowMs - balloonShownAt_ < kBalloonLifeMs) return;
    balloon_ = false;
    Place();
}

LRESULT TTrayIcon::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kCallbackMessage) {
        auto& app = Application::Get();
        switch (LOWORD(lp)) {
            case WM_LBUTTONUP:
                if (auto handler = OnClick) app.Guard(handler);
                break;
            case WM_LBUTTONDBLCLK:
                if (auto handler = OnDblClick) app.Guard(handler);
                break;
            case WM_RBUTTONUP:
                if (auto handler = OnRightClick) {
                    POINT at{};
                    GetCursorPos(&at);
                    app.Guard([&] { handler(at.x, at.y); });
                }
                break;
            case NIN_BALLOONUSERCLICK:
                balloon_ = false;
                Place();
                if (auto handler = OnBalloonClick) app.Guard(handler);
                break;
            case NIN_BALLOONHIDE:
            case NIN_BALLOONTIMEOUT:
                // The icon shown for the balloon alone goes with it.
                balloon_ = false;
                Place();
                break;
            default:
                break;
        }
        return 0;
    }
    if (msg == TaskbarCreatedMessage()) {
        // The new shell knows nothing of the icon: without it a hidden program
        // could not be reached any more.
        if (active_) Notify(NIM_ADD);
        inShell_ = active_;
        balloon_ = false;
        return 0;
    }
    return Window::HandleMessage(msg, wp, lp);
}
