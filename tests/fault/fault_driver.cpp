// Drives the running program from outside as a user does, for the fault scripts:
// real mouse clicks and keys through SendInput at the places the windows' layouts
// give, and the program's message and question windows read and answered.
//   fault_driver <command> [args] [<command> [args] ...]
//     wait-main <seconds>  the main window is shown and takes input
//     save <count>         clicks "Lista mentés" count times (0: until stopped) and
//                          answers each window that comes with OK
//     edit <day> <tag>     opens the day of the shown month, writes "<tag>" as title 1
//                          and "note <tag>" as the note, clicks "Bezárás mentéssel"
//     open <day>           clicks the day; says whether the editor opened
//     escape               Escape in the open day editor (it closes without storing)
//     hide                 Escape in the main window (save and hide in the tray)
//     close <ok|cancel>    closes the main window; a question is answered as given
// Every window text the program shows is printed as "message: <text>" (or
// "question: <text>"), so the scripts can check what the user was told.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "store/month_model.h"
#include "appearance/grid_layout.h"
#include "platform/errors.h"

namespace {

constexpr int kTitleBarHeight = 33;  // the main window's tool bar area above the grid
constexpr int kStatusHeight = 25;
constexpr POINT kEditorSaveClose = {411, 17};  // "Bezárás mentéssel" in the editor's client area

HWND MainWindow() { return FindWindowW(L"TivornMainWindow", nullptr); }

DWORD ProcessOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[128] = {};
    GetClassNameW(hwnd, name, 128);
    return name;
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(static_cast<size_t>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void Print(const char* what, const std::wstring& text) {
    std::string utf8 = WideToUtf8(text);
    for (char& c : utf8)
        if (c == '\r' || c == '\n') c = ' ';
    std::printf("%s: %s\n", what, utf8.c_str());
    std::fflush(stdout);
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct TopWindowSearch {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
};

BOOL CALLBACK MatchTopWindow(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<TopWindowSearch*>(lp);
    if (IsWindowVisible(hwnd) && ProcessOf(hwnd) == s->pid && ClassOf(hwnd) == s->cls) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the program's process with the class.
HWND TopWindowOf(DWORD pid, const wchar_t* className) {
    TopWindowSearch search{pid, className, nullptr};
    EnumWindows(MatchTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Fail(const char* why) {
    std::printf("driver: %s\n", why);
    std::fflush(stdout);
    std::exit(3);
}

void Pump(int ms) { Sleep(static_cast<DWORD>(ms)); }

// A real click: the pointer moves there, the button goes down and up.
void ClickAt(HWND hwnd, POINT client) {
    ClientToScreen(hwnd, &client);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = (client.x * 65536 + w / 2) / w;
        i.mi.dy = (client.y * 65536 + h / 2) / h;
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    in[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    in[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    SendInput(1, &in[0], sizeof(INPUT));
    Pump(30);
    SendInput(2, &in[1], sizeof(INPUT));
}

void PressKey(WORD key) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = key;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

// The message, error or question window the program shows now, if any.
struct Answer {
    HWND window = nullptr;
    bool question = false;
    std::wstring text;
};

Answer PendingWindow(DWORD pid) {
    Answer a;
    if (HWND w = TopWindowOf(pid, L"TivornMessageWindow")) {
        a.window = w;
        int buttons = 0;
        for (HWND c : Children(w)) {
            const std::wstring cls = ClassOf(c);
            if (_wcsicmp(cls.c_str(), L"Edit") == 0) a.text = TextOf(c);
            if (_wcsicmp(cls.c_str(), L"Button") == 0) ++buttons;
        }
        a.question = buttons > 1;
    } else if (HWND box = TopWindowOf(pid, L"#32770")) {
        a.window = box;
        if (HWND text = GetDlgItem(box, 0xFFFF)) a.text = TextOf(text);
    }
    return a;
}

// Prints and answers the window; OK unless `cancel`.
void AnswerWindow(const Answer& a, bool cancel) {
    Print(a.question ? "question" : "message", a.text);
    HWND button = GetDlgItem(a.window, cancel ? IDCANCEL : IDOK);
    if (!button && cancel) {  // the question window's second button has its own id
        for (HWND c : Children(a.window))
            if (_wcsicmp(ClassOf(c).c_str(), L"Button") == 0 && GetDlgCtrlID(c) != IDOK) button = c;
    }
    if (!button) Fail("no button to answer with");
    SendMessageW(button, BM_CLICK, 0, 0);
    for (int i = 0; i < 200 && IsWindowVisible(a.window); ++i) Pump(10);
}

// Waits until `done` holds, answering every window that comes meanwhile with OK.
template <class Done>
bool WaitAnswering(DWORD pid, int ms, Done done) {
    for (int waited = 0; waited < ms; waited += 10) {
        if (done()) return true;
        if (Answer a = PendingWindow(pid); a.window) AnswerWindow(a, false);
        Pump(10);
    }
    return done();
}

HWND RequireMain() {
    HWND main = MainWindow();
    if (!main) Fail("the main window is not there");
    return main;
}

bool MainTakesInput(HWND main) { return IsWindowVisible(main) && IsWindowEnabled(main); }

void WaitMain(int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        HWND main = MainWindow();
        if (main && MainTakesInput(main)) {
            // Shown is not yet done: the show sequence may still be loading the index.
            if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(main))) {
                WaitForInputIdle(process, 20000);
                CloseHandle(process);
            }
            Pump(200);
            if (!MainTakesInput(main)) continue;
            std::printf("main: ready\n");
            std::fflush(stdout);
            return;
        }
        if (main) {
            if (Answer a = PendingWindow(ProcessOf(main)); a.window) AnswerWindow(a, false);
        }
        Pump(50);
    }
    Fail("the main window did not come");
}

// "Lista mentés" is the third button of the main tool bar, which the title strip
// draws at (2, 2): 25-pixel buttons after a 4-pixel indent.
void ClickListaMent(HWND main) {
    constexpr int kBarX = 2, kBarY = 2, kIndent = 4, kButton = 25;
    ClickAt(main, POINT{kBarX + kIndent + 2 * kButton + kButton / 2, kBarY + kButton / 2});
}

void Save(int count) {
    HWND main = RequireMain();
    const DWORD pid = ProcessOf(main);
    for (int i = 0; count == 0 || i < count; ++i) {
        if (!WaitAnswering(pid, 10000, [&] { return MainTakesInput(main); })) Fail("main window stays disabled");
        ClickListaMent(main);
        // The answer to the click: the confirmation or the error.
        bool answered = false;
        for (int waited = 0; waited < 15000 && !answered; waited += 10) {
            if (Answer a = PendingWindow(pid); a.window) {
                AnswerWindow(a, false);
                answered = true;
            } else {
                Pump(10);
            }
        }
        if (!answered) Fail("no answer to Lista mentés");
    }
}

POINT DayCellCentre(HWND main, int day) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    RECT client;
    GetClientRect(main, &client);
    const int first = FirstCellOf(now.wYear, now.wMonth);
    const CellBox box = DayCellBox(first + day - 1, client.right, client.bottom - kTitleBarHeight - kStatusHeight);
    return POINT{box.left + box.width / 2, kTitleBarHeight + box.top + box.height / 2};
}

// Clicks the day; the editor, when it opens, is returned.
HWND OpenDay(HWND main, int day) {
    const DWORD pid = ProcessOf(main);
    if (!WaitAnswering(pid, 10000, [&] { return MainTakesInput(main); })) Fail("main window stays disabled");
    ClickAt(main, DayCellCentre(main, day));
    HWND editor = nullptr;
    for (int waited = 0; waited < 10000 && !editor; waited += 10) {
        editor = TopWindowOf(pid, L"TivornReszletWindow");
        if (editor) break;
        if (Answer a = PendingWindow(pid); a.window) {
            AnswerWindow(a, false);
            break;
        }
        Pump(10);
    }
    return editor;
}

void Edit(int day, const std::wstring& tag) {
    HWND main = RequireMain();
    const DWORD pid = ProcessOf(main);
    HWND editor = OpenDay(main, day);
    if (!editor) Fail("the editor did not open");
    HWND title1 = nullptr, note = nullptr;
    RECT best{};
    for (HWND c : Children(editor)) {
        const std::wstring cls = ClassOf(c);
        RECT r;
        GetWindowRect(c, &r);
        if (_wcsicmp(cls.c_str(), L"Edit") == 0 && (!title1 || r.left < best.left)) {
            title1 = c;
            best = r;
        }
        if (cls.find(L"Rich") != std::wstring::npos || cls.find(L"RICH") != std::wstring::npos) note = c;
    }
    if (!title1 || !note) Fail("the editor's fields are missing");
    const std::wstring noteText = L"note " + tag;
    SendMessageW(title1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tag.c_str()));
    SendMessageW(note, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(noteText.c_str()));
    ClickAt(editor, kEditorSaveClose);
    for (int waited = 0; waited < 15000; waited += 10) {
        if (!IsWindowVisible(editor)) {
            std::printf("edit: stored\n");
            std::fflush(stdout);
            return;
        }
        if (Answer a = PendingWindow(pid); a.window) {
            AnswerWindow(a, false);
            std::printf("edit: not stored\n");
            std::fflush(stdout);
            return;
        }
        Pump(10);
    }
    Fail("the editor stays open");
}

void Open(int day) {
    HWND main = RequireMain();
    HWND editor = OpenDay(main, day);
    std::printf("open: %s\n", editor ? "editor" : "no editor");
    std::fflush(stdout);
    if (editor) PressKey(VK_ESCAPE);
}

void EscapeEditor() {
    HWND main = RequireMain();
    HWND editor = TopWindowOf(ProcessOf(main), L"TivornReszletWindow");
    if (!editor) {
        std::printf("escape: no editor\n");
        std::fflush(stdout);
        return;
    }
    SetForegroundWindow(editor);
    ClickAt(editor, POINT{200, 17});  // its title panel: focus without side effects
    Pump(100);
    PressKey(VK_ESCAPE);
    for (int i = 0; i < 500 && IsWindowVisible(editor); ++i) Pump(10);
    std::printf("escape: %s\n", IsWindowVisible(editor) ? "editor still open" : "editor closed");
    std::fflush(stdout);
}

void Hide() {
    HWND main = RequireMain();
    SetForegroundWindow(main);
    RECT client;
    GetClientRect(main, &client);
    ClickAt(main, POINT{client.right - 20, client.bottom - 10});  // the status bar: focus without side effects
    Pump(100);
    PressKey(VK_ESCAPE);
    const DWORD pid = ProcessOf(main);
    WaitAnswering(pid, 10000, [&] { return !IsWindowVisible(main); });
    std::printf("hide: %s\n", IsWindowVisible(main) ? "still shown" : "hidden");
    std::fflush(stdout);
}

void Close(bool answerOk) {
    HWND main = RequireMain();
    const DWORD pid = ProcessOf(main);
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // as the close box does
    for (int waited = 0; waited < 15000; waited += 10) {
        if (!IsWindow(main)) {
            std::printf("close: closed\n");
            std::fflush(stdout);
            return;
        }
        if (Answer a = PendingWindow(pid); a.window) {
            AnswerWindow(a, a.question && !answerOk);
            continue;
        }
        if (waited > 3000 && MainTakesInput(main)) {
            std::printf("close: still open\n");
            std::fflush(stdout);
            return;
        }
        Pump(10);
    }
    std::printf("close: still open\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    for (int i = 1; i < argc; ++i) {
        const std::string command = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) Fail("missing argument");
            return argv[++i];
        };
        if (command == "wait-main") WaitMain(std::atoi(next().c_str()));
        else if (command == "save") Save(std::atoi(next().c_str()));
        else if (command == "edit") {
            const int day = std::atoi(next().c_str());
            Edit(day, Utf8ToWide(next()));
        } else if (command == "open") Open(std::atoi(next().c_str()));
        else if (command == "escape") EscapeEditor();
        else if (command == "hide") Hide();
        else if (command == "close") Close(next() == "ok");
        else Fail("unknown command");
    }
    return 0;
}
