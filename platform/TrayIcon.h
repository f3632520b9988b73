// The program's icon in the notification area: a non-visual component with a hidden
// window of its own that receives the shell's mouse messages.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>

#include "ui/image_list.h"
#include "ui/window.h"

class TTrayIcon final : private Window {
public:
    // The message the shell sends to the hidden window about mouse use on the icon.
    static constexpr UINT kCallbackMessage = WM_USER + 1;
    // Longest tool tip: the smallest record holds 64 characters with the closing zero.
    static constexpr size_t kMaxToolTip = 62;

    // The shell call every change goes through; tests replace it to record the calls.
    using ShellFunction = std::function<BOOL(DWORD, NOTIFYICONDATAW*)>;
    static ShellFunction& Shell();

    TTrayIcon();
    ~TTrayIcon() override;

    // Active: the program is hidden behind the icon (the notification-area mode).
    bool Active() const { return active_; }
    void SetActive(bool active);

    // A balloon over the icon (a due reminder). While the program is not in the
    // notification area the icon is shown for the balloon alone and goes with it.
    // The texts are cut to the shell's limits; a quiet time of the user is kept.
    static constexpr size_t kMaxBalloonTitle = 63, kMaxBalloonText = 255;
    void ShowBalloon(const std::wstring& title, const std::wstring& text);
    // Called by a clock: a shell that never tells of the balloon's end (Wine's) still
    // gets the icon taken back once a balloon has surely gone (`nowMs`: GetTickCount64).
    static constexpr ULONGLONG kBalloonLifeMs = 30000;
    void ExpireBalloon(ULONGLONG nowMs);
    bool InShell() const { return inShell_; }

    HICON Icon() const { return shared_ ? shared_ : icon_.Get(); }
    void SetIcon(HICON icon);  // the component keeps a copy of its own
    // Shows an icon that lives as long as the program (its own), without a copy: under
    // Wine a copy costs the start some two dozen round trips to the window server.
    void SetLastingIcon(HICON icon);

    const std::wstring& ToolTip() const { return toolTip_; }
    void SetToolTip(const std::wstring& text);

    // The hidden window (never shown).
    using Window::Handle;

    std::function<void()> OnClick;               // left button released
    std::function<void()> OnDblClick;            // left double click
    std::function<void(int x, int y)> OnRightClick;  // right button released; screen position
    std::function<void()> OnBalloonClick;           // the balloon itself clicked

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL Notify(DWORD message, const std::wstring* title = nullptr, const std::wstring* text = nullptr);
    void Place();  // in the shell or out of it, as the mode and the balloon want
    void EnsureWindow();  // the hidden window, made at the first shell call
    static UINT TaskbarCreatedMessage();

    bool active_ = false;
    bool balloon_ = false;  // a balloon is showing
    ULONGLONG balloonShownAt_ = 0;
    bool inShell_ = false;  // the shell holds the icon
    IconHandle icon_;
    HICON shared_ = nullptr;  // not ours (SetLastingIcon)
    std::wstring toolTip_;
};
