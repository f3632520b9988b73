#include "platform/emil.h"

#include <shellapi.h>

#include "platform/file_io.h"
#include "platform/uzenet.h"
#include "ui/application.h"

namespace {

// This program's main window, or none: the owner of whatever the shell shows.
HWND OwnMainWindow() {
    HWND main = FindWindowW(L"TivornMainWindow", nullptr);
    DWORD process = 0;
    if (main) GetWindowThreadProcessId(main, &process);
    return process == GetCurrentProcessId() ? main : nullptr;
}

}  // namespace

ShellOpener& CurrentShellOpener() {
    static ShellOpener opener = [](const std::wstring& file, const std::wstring& folder) {
        HWND owner = OwnMainWindow();
        Application::Get().EnsureCom();  // shell extensions may need it
        ShellExecuteW(owner, nullptr, file.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(), SW_SHOW);
    };
    return opener;
}

namespace {

void OpenLink(const std::wstring& folder, const wchar_t* link, const wchar_t* missingMessage) {
    const std::wstring path = folder + link;
    if (FileExists(path))
        CurrentShellOpener()(path, folder);
    else
        ShowMessageWindow(missingMessage);
}

}  // namespace

void OpenHomepageLink(const std::wstring& folder) {
    OpenLink(folder, L"\\ketrabo.lnk", L"Nem találom a ketrabo.url file-t.");
}

void OpenMailLink(const std::wstring& folder) { OpenLink(folder, L"\\mail.lnk", L"Nem találom a mail.url file-t."); }

void OpenFileWithShell(const std::optional<std::wstring>& path) {
    if (!path || path->empty()) {
        ShowMessageWindow(L"Érvénytelen filenév");
    } else if (FileExists(*path)) {
        CurrentShellOpener()(*path, L"");
    } else {
        ShowMessageWindow(L"Nem találom a " + *path + L" file-t.");
    }
}
