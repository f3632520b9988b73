// Program start: one copy only, common controls, the long-lived windows in their
// fixed order, then the message loop until the main window closes. Only what the
// month view needs is made here: COM, the rich-edit library, the editors' font list
// and the other windows' insides come when something first needs them.
#include <windows.h>
#include <winternl.h>

#include <array>
#include <string>

#include "app/command_line.h"
#include "app/main.h"
#include "appearance/szinek.h"
#include "editors/Reszlet.h"
#include "editors/jegyzettomb.h"
#include "lists/Lista.h"
#include "lists/ListaNyom.h"
#include "lists/NevnapKeres.h"
#include "platform/About.h"
#include "ui/application.h"
#include "ui/kernel_handles.h"

namespace {

// A window that lives for the whole run, made for its owner.
template <class T>
class LongLived {
public:
    explicit LongLived(HWND owner) {
        // A window is owned from its first showing on; the printed list has no
        // window of its own to make.
        if constexpr (requires { form_.CreateOwnedFromFirstShowing(owner); })
            form_.CreateOwnedFromFirstShowing(owner);
        else
            form_.Create(owner);
    }
    LongLived(const LongLived&) = delete;
    LongLived& operator=(const LongLived&) = delete;
    T& Get() { return form_; }

private:
    T form_;
};

// Two copies would overwrite each other's index: the second one wakes the first
// (even from the notification area) and ends.
bool AnotherCopyRuns(KernelHandle& mutex) {
    HANDLE made = CreateMutexW(nullptr, FALSE, L"Ketrabo.Tivorn.SingleInstance");
    const DWORD error = GetLastError();
    mutex = KernelHandle(made);
    if (error != ERROR_ALREADY_EXISTS) return false;
    if (HWND running = FindWindowW(L"TivornMainWindow", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(running, &process);
        AllowSetForegroundWindow(process);
        PostMessageW(running, Tfrm_Main::ActivateMessage(), 0, 0);
    }
    return true;
}

// The libraries the month view does without, each loaded at its first use; the
// trace says which of them a start has loaded all the same. COM's and the visual
// styles' own libraries are not among them: the system loads them for any window (a
// bare window has them too, under Wine through the input method and the window
// manager's theming).
std::wstring LibrariesNotNeededYet() {
    // The loader's own list, read in place: asking the loader for a library that is
    // not loaded makes it look for the file on the disk.
    std::wstring names;
    PROCESS_BASIC_INFORMATION process{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process, sizeof(process), nullptr) !=
        0)
        return L"libraries not needed yet: the loader's list cannot be read";
    const LIST_ENTRY* head = &process.PebBaseAddress->Ldr->InMemoryOrderModuleList;
    for (const LIST_ENTRY* link = head->Flink; link != head; link = link->Flink) {
        const auto* module = CONTAINING_RECORD(link, LDR_DATA_TABLE_ENTRY, InMemoryOrderLinks);
        names.append(module->FullDllName.Buffer, module->FullDllName.Length / sizeof(wchar_t)).push_back(L'|');
    }
    CharLowerBuffW(names.data(), static_cast<DWORD>(names.size()));
    std::wstring loaded;
    for (const wchar_t* name : {L"comctl32.dll", L"shell32.dll", L"comdlg32.dll", L"winspool.drv", L"msftedit.dll",
                                L"riched20.dll", L"oleaut32.dll", L"oleacc.dll", L"msimg32.dll", L"winhttp.dll",
                                L"crypt32.dll"})
        if (names.find(L"\\" + std::wstring(name) + L"|") != std::wstring::npos)
            loaded += (loaded.empty() ? L"" : L" ") + std::wstring(name);
    return L"libraries not needed yet, loaded: " + (loaded.empty() ? std::wstring(L"none") : loaded);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    auto& app = Application::Get();
    app.Trace.Mark(L"wWinMain");
    KernelHandle mutex;  // held until the end: closed after COM has ended
    if (AnotherCopyRuns(mutex)) return 0;
    app.Title = L"Tivorn V2.3";

    int exitCode = 0;
    {
        // The diary of the program's folder; nothing is read before the show sequence.
        Diary diary(ExecutableFolder(), RegionalMonthNames());
        diary.SetWarning([](const std::wstring& text) { Application::Get().ShowErrorBox(text); });
        Tfrm_Main main(diary);
        main.Parameters = CommandLineParameters(GetCommandLineW());
        main.Create();
        app.Trace.Mark(L"main window created");
        // The long-lived windows, in the program's fixed order.
        LongLived<Tfrm_About> about(main.Handle());
        LongLived<Tfrm_Reszlet> reszlet(main.Handle());
        LongLived<TqrLista> printedList(main.Handle());
        LongLived<Tfrm_Jegyzettomb> jegyzettomb(main.Handle());
        LongLived<Tfrm_NevnapKeres> nevnapKeres(main.Handle());
        LongLived<Tfrm_szinek> szinek(main.Handle());
        LongLived<Tfrm_Lista> lista(main.Handle());
        main.Others = {&about.Get(),       &reszlet.Get(), &printedList.Get(), &jegyzettomb.Get(),
                       &nevnapKeres.Get(), &szinek.Get(),  &lista.Get()};
        SchemeNotice& schemes = main.SchemeChanges();
        const auto followers = std::array{FollowScheme(schemes, about.Get()), FollowScheme(schemes, reszlet.Get()),
                                          FollowScheme(schemes, jegyzettomb.Get()), FollowScheme(schemes, nevnapKeres.Get()),
                                          FollowScheme(schemes, lista.Get())};
        app.Trace.Mark(L"other windows created");

        app.Guard([&] { main.Show(); });
        app.Trace.Mark(L"show sequence done");
        // The month is on the screen before the first message is taken, as with any
        // window that paints before its loop: a message sent meanwhile (another copy
        // waking this one) is answered by a window that shows what it says.
        UpdateWindow(main.Handle());
        app.Trace.Mark(L"first paint done");
        if (app.Trace.Enabled()) app.Trace.Mark(LibrariesNotNeededYet().c_str());
        app.Trace.Finish();
        exitCode = app.Run();
    }
    app.EndCom();
    return exitCode;
}
