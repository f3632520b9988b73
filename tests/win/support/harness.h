// Support for window tests under Wine: a temporary program folder, a scrubbed
// registry key, captured error messages, and answers for modal windows so a test
// never blocks in a nested message loop.
#pragma once

#include <array>
#include <span>
#include <variant>

#include "platform/errors.h"
#include "ui/control_table.h"
#include "ui/dpi.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "store/entry_store.h"
#include "ui/form.h"

class Tfrm_Main;
class Diary;

class WinTest : public ::testing::Test {
protected:
    WinTest();
    ~WinTest() override;
    void SetUp() override;
    void TearDown() override;

    // The temporary program folder (no trailing backslash).
    const std::wstring& Dir() const { return dir_; }
    // Copies the files installed beside the program (Data\Névnapok.txt, ...).
    void InstallDataFiles() const;
    void WriteFile(const std::wstring& relative, const std::string& bytes) const;
    std::string ReadFile(const std::wstring& relative) const;
    bool Exists(const std::wstring& relative) const;

    // A main window on the temporary folder, created and shown (the show sequence ran).
    // `idleWork` false keeps out what the first clock tick starts (the day's snapshot and
    // the search's reading, in slices): on a loaded machine the tick can come while the
    // window is still being shown, and a test that looks at the snapshots must not race it.
    std::unique_ptr<Tfrm_Main> OpenMainWindow(std::vector<std::wstring> parameters = {}, bool idleWork = true);

    // Runs pending messages without waiting.
    static void Pump();

    // The next modal window shown runs this instead of waiting for the user.
    void AnswerNextModal(std::function<void(Form&)> answer);
    // Shortcuts: close the next modal window with OK / Cancel.
    void AnswerOk();
    void AnswerCancel();

    std::vector<std::wstring> errors;    // texts the general error handler showed
    std::vector<std::wstring> messages;  // texts of message and question windows shown
    int modalCount = 0;

    static std::wstring ReadKetraboValue(const std::wstring& name);
    static void WriteKetraboValue(const std::wstring& name, const std::wstring& value);
    static void ScrubRegistry();

private:
    std::wstring dir_;
    std::vector<std::unique_ptr<Diary>> diaries_;  // the main windows' (OpenMainWindow)
    std::deque<std::function<void(Form&)>> answers_;
};

// Moves the mouse pointer to a screen point and waits until the position reads back
// (Wine moves the X pointer behind SetCursorPos, and not at all while another client
// holds a pointer grab); false when it never did within 5 s.
bool MoveCursor(POINT onScreen);

// The main window's entry index as its diary holds it now (a copy).
EntryStore Entries(const Tfrm_Main& main);
// Set-up only: changes the diary's index in memory, without a file and without a
// change notice, as a change whose save failed leaves it (the diary itself saves
// every change at once).
void ChangeInMemory(Tfrm_Main& main, const std::function<void(EntryStore&)>& change);

// The printer settings a print dialog was handed: the paper and orientation asked
// for, one copy, set in the DEVMODE's fields.
void ExpectPrinterSettings(HGLOBAL devMode, short paper, short orientation);

// A row's designed place and size, to compare with the described numbers at once.
template <class Owner>
std::array<int, 4> BoundsOf(const ControlRow<Owner>& row) {
    return {row.x, row.y, row.w, row.h};
}

// Every control a window built from its table sits in its parent where its row says
// (at the screen's DPI) and, for windows with a caption, carries the row's text.
template <class Owner>
void ExpectControlsWhereTheTableSays(Owner& owner, std::span<const ControlRow<Owner>> rows) {
    // A part drawn on its host panel's face: its bounds there.
    auto expectDrawn = [](const auto& part, const ControlRow<Owner>& at) {
        SCOPED_TRACE(testing::Message() << "drawn " << WideToUtf8(at.name));
        const RECT& r = part.Bounds();
        EXPECT_NE(part.Host(), nullptr);
        EXPECT_EQ((std::array<int, 4>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  (std::array<int, 4>{Px(at.x), Px(at.y), Px(at.w), Px(at.h)}));
    };
    for (const auto& row : rows) {
        if (const auto* drawn = std::get_if<DrawnPanel Owner::*>(&row.field)) {
            expectDrawn(owner.**drawn, row);
            continue;
        }
        if (const auto* button = std::get_if<SpeedButton Owner::*>(&row.field)) {
            expectDrawn(owner.**button, row);
            continue;
        }
        if (const auto* bar = std::get_if<ButtonBar Owner::*>(&row.field)) {
            expectDrawn(owner.**bar, row);
            continue;
        }
        HWND hwnd = std::visit(
            [&owner](auto field) -> HWND {
                if constexpr (std::is_same_v<decltype(field), std::monostate> ||
                              std::is_same_v<decltype(field), DrawnPanel Owner::*> ||
                              std::is_same_v<decltype(field), SpeedButton Owner::*> ||
                              std::is_same_v<decltype(field), ButtonBar Owner::*>) {
                    return nullptr;
                } else {
                    return (owner.*field).Handle();
                }
            },
            row.field);
        if (!hwnd) continue;  // a label drawn on its parent's face
        SCOPED_TRACE(testing::Message() << "control " << WideToUtf8(row.name));
        RECT r{};
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, Px(row.x));
        EXPECT_EQ(r.top, Px(row.y));
        EXPECT_EQ(r.right - r.left, Px(row.w));
        // A drop-down list's height is that of its open list, which the system fits to
        // whole items; closed, it has the height of its field.
        if (!std::holds_alternative<ComboBox Owner::*>(row.field)) {
            EXPECT_EQ(r.bottom - r.top, Px(row.h));
        }
    }
}

// A mouse click on a speed button as its host panel gets it (press and release over
// the button), and the button's place on the screen.
void ClickSpeedButton(const SpeedButton& button);
RECT ScreenRectOf(const SpeedButton& button);

// tivorn.exe, which stands in the build folder beside the test programs.
std::wstring BuiltProgramFile();

// A control's face as it paints it (WM_PRINTCLIENT), and as the screen shows it now
// (a copy from its own DC), each in a bitmap of its client size.
std::unique_ptr<MemoryCanvas> Face(HWND control);
std::unique_ptr<MemoryCanvas> OnScreen(HWND control);
// Pixels of a colour inside a box of the canvas.
int Count(const MemoryCanvas& c, COLORREF colour, const RECT& box);

// Points this test program's import of `function` from `dll` (e.g. "user32.dll") at
// `replacement` while it lives, so the program's own calls reach it: for the answers
// Wine cannot give (it keeps high contrast off). `Original` calls what was there.
class ImportOverride {
public:
    ImportOverride(const char* dll, const char* function, void* replacement);
    ~ImportOverride();
    ImportOverride(const ImportOverride&) = delete;
    ImportOverride& operator=(const ImportOverride&) = delete;
    bool Installed() const { return slot_ != nullptr; }
    void* Original() const { return original_; }

private:
    void** slot_ = nullptr;
    void* original_ = nullptr;
};

// Posts a real key press (down, up) to a window; the message loop makes the character.
void PressKey(HWND target, UINT vk);
// The same with Ctrl held, run through the message loop as a user's key would go.
void PressWithControl(HWND target, UINT vk);
