// The program as a user starts it: a process of its own from its own folder. Its
// month view comes up without the libraries only other windows need (the common
// controls, the shell, the dialogs, the spooler, rich edit): each of them would cost
// the start its loading.
#include "harness.h"
#include "platform/startup_trace.h"
#include "ui/kernel_handles.h"

namespace {

class ProgramStartTest : public WinTest {
protected:
    std::string StartAndClose();

    // The text of a file of the folder once it has been written, or empty after `seconds`.
    std::string WaitForFile(const std::wstring& relative, int seconds) const {
        for (int waited = 0; waited < seconds * 10; ++waited) {
            if (Exists(relative))
                if (std::string text = ReadFile(relative); !text.empty()) return text;
            Sleep(100);
        }
        return {};
    }

    static BOOL CALLBACK CloseMainWindowOf(HWND hwnd, LPARAM process) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        wchar_t cls[64] = L"";
        GetClassNameW(hwnd, cls, 64);
        if (owner == static_cast<DWORD>(process) && lstrcmpW(cls, L"TivornMainWindow") == 0)
            PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return TRUE;
    }
};

// Starts the copied program, waits for its trace (written once the main window has
// painted, before its first message) and closes it as the user would.
std::string ProgramStartTest::StartAndClose() {
    const std::wstring program = Dir() + L"\\tivorn.exe", trace = Dir() + L"\\trace.txt";
    DeleteFileW(trace.c_str());
    SetEnvironmentVariableW(StartupTrace::kVariable, trace.c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    std::wstring commandLine = L"\"" + program + L"\"";
    const BOOL ran = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    Dir().c_str(), &startup, &started);
    SetEnvironmentVariableW(StartupTrace::kVariable, nullptr);
    EXPECT_TRUE(ran);
    if (!ran) return {};
    KernelHandle process(started.hProcess), thread(started.hThread);
    const std::string steps = WaitForFile(L"trace.txt", 60);
    EnumWindows(CloseMainWindowOf, static_cast<LPARAM>(started.dwProcessId));
    const bool closed = WaitForSingleObject(process.Get(), 30000) == WAIT_OBJECT_0;
    if (!closed) TerminateProcess(process.Get(), 1);
    EXPECT_TRUE(closed) << "the program closes when asked";
    EXPECT_NE(steps.find("first paint done"), std::string::npos) << steps;
    return steps;
}

TEST_F(ProgramStartTest, TheMonthViewComesUpWithoutTheLibrariesOnlyOtherWindowsNeed) {
    InstallDataFiles();
    ASSERT_TRUE(CopyFileW(BuiltProgramFile().c_str(), (Dir() + L"\\tivorn.exe").c_str(), FALSE));
    // The first start makes the program's shortcuts beside it, through the shell.
    StartAndClose();
    EXPECT_TRUE(Exists(L"doc.lnk"));
    // Every later start finds them.
    const std::string steps = StartAndClose();
    EXPECT_NE(steps.find("libraries not needed yet, loaded: none"), std::string::npos) << steps;
}

}  // namespace
