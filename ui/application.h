// The application object: title, icon, the message loop shared by all modal loops,
// hint routing to the status panel, and the general error handler.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/startup_trace.h"

class Form;

// COM on this thread while the object lives (CoInitializeEx / CoUninitialize). S_FALSE
// (already started) counts as started too: it is balanced by one CoUninitialize.
class ComApartment {
public:
    ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();
    bool Started() const { return started_; }

private:
    bool started_ = false;
};

class Application {
public:
    static Application& Get();

    std::wstring Title = L"Tivorn V2.3";
    COLORREF HintColour = 0xB5DAFF;  // tool tip background

    // General error handler
    // Runs `f`; an exception escaping it is shown and swallowed. Returns false then.
    template <class F>
    bool Guard(F&& f) {
        try {
            f();
            return true;
        } catch (...) {
            HandleCurrentException();
            return false;
        }
    }
    void HandleCurrentException();
    // Shows an error text; a message box by default, replaceable by tests.
    std::function<void(const std::wstring&)> ShowError;
    void ShowErrorBox(const std::wstring& text);

    // Hints
    // Long hint of a window; windows without one take their nearest parent's.
    void SetHint(HWND hwnd, const std::wstring& hint);
    // For windows whose hint depends on the point (tool bars): client coordinates.
    void SetHintProvider(HWND hwnd, std::function<std::wstring(POINT)> provider);
    void ForgetHint(HWND hwnd);
    std::wstring HintAt(HWND hwnd, POINT screen) const;
    const std::wstring& CurrentHint() const { return currentHint_; }
    // Called whenever the hint under the mouse changes.
    std::function<void(const std::wstring&)> OnHint;
    void UpdateHint(const std::wstring& hint);

    // Message loop
    // Handles one message; false once WM_QUIT has arrived.
    bool HandleMessage(MSG& msg);
    void ProcessMessages();  // everything pending, without waiting
    int Run();               // until WM_QUIT
    bool Terminated() const { return terminated_; }

    // Test seam: called when a modal loop starts, with the form it shows.
    std::function<void(Form&)> OnModalShown;

    HICON Icon(int size);

    // Start-up
    // Time stamps of the start-up steps (written only when asked for, see StartupTrace).
    StartupTrace Trace;
    // COM on this thread, started by the first thing that needs it (shell links, the
    // file dialogs, the shell) rather than at start; ended by EndCom at the program's end.
    void EnsureCom();
    void EndCom();

    // Accessibility: set when a client (a screen reader, UI Automation) first asks a
    // window for its object; the windows raise their events from then on.
    void NoteAccessibilityClient() { accessibilityClient_ = true; }
    bool AccessibilityClientSeen() const { return accessibilityClient_; }

private:
    Application() = default;
    bool PreTranslate(MSG& msg);

    std::unordered_map<HWND, std::wstring> hints_;
    std::unordered_map<HWND, std::function<std::wstring(POINT)>> hintProviders_;
    std::wstring currentHint_;
    bool terminated_ = false;
    HICON icon16_ = nullptr;
    HICON icon32_ = nullptr;
    std::optional<ComApartment> com_;
    bool accessibilityClient_ = false;
};
