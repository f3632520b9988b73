// Base of every window the program creates itself. A static window procedure finds
// the object through GWLP_USERDATA (stored at WM_NCCREATE, cleared at WM_NCDESTROY)
// and runs each message inside the application's general error handler.
#pragma once

#include <windows.h>

#include <string>

#include "ui/accessible_parts.h"
#include "ui/canvas.h"

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    void SetBounds(int x, int y, int w, int h);
    RECT ClientRect() const;
    void Invalidate() const;

    // The object behind a window handle created by this class, or null.
    static Window* FromHandle(HWND hwnd);

    // The window's face, background included. The one paint entry: WM_PAINT (through an
    // off-screen buffer), WM_PRINTCLIENT, a transparent child's WM_ERASEBKGND and tests
    // that render into a bitmap all draw through it.
    virtual void Paint(Canvas& canvas);

protected:
    // Registers (once) and creates a window of a class whose procedure is ours; throws
    // the system's error when no window could be made.
    HWND CreateOwnWindow(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& text, int x,
                         int y, int w, int h, HWND parent, HMENU menuOrId = nullptr, HCURSOR cursor = nullptr);

    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    // The parts drawn on the window's face that it tells screen readers of (WM_GETOBJECT);
    // null leaves the window's object to the system.
    virtual AccessibleParts* Accessible() { return nullptr; }
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND hwnd_ = nullptr;
    AccessibleHost accessible_;
};

// Forwards the notifications a standard control sends to its parent (commands,
// notifications, owner drawing, colours) up to the window that handles them.
LRESULT ForwardToParent(HWND from, UINT msg, WPARAM wp, LPARAM lp);
bool IsForwardedNotification(UINT msg);
