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

    bool Active() const { return active_; }
    void SetActive(bool active);

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

private:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL Notify(DWORD message);
    void EnsureWindow();  // the hidden window, made at the first shell call
    static UINT TaskbarCreatedMessage();

    bool active_ = false;
    IconHandle icon_;
    HICON shared_ = nullptr;  // not ours (SetLastingIcon)
    std::wstring toolTip_;
};
