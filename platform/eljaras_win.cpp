#include "ui/application.h"
#include "platform/eljaras_win.h"

#include <algorithm>

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/errors.h"

namespace {

std::wstring Relative(const std::wstring& key) {
    std::wstring k = key;
    while (!k.empty() && k.front() == L'\\') k.erase(k.begin());
    while (!k.empty() && k.back() == L'\\') k.pop_back();
    return k;
}

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p_) p_->Release();
    }
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }

private:
    T* p_ = nullptr;
};

}  // namespace

std::wstring ReadRegString(HKEY root, const std::wstring& key, const std::wstring& name) {
    return RegistryValues(root, key).ReadString(name);
}

RegistryValues::RegistryValues(HKEY root, const std::wstring& key) {
    if (RegOpenKeyExW(root, Relative(key).c_str(), 0, KEY_READ, key_.Out()) != ERROR_SUCCESS) key_.Release();
}

std::wstring RegistryValues::ReadString(const std::wstring& name) const {
    if (!key_) return {};
    HKEY k = key_.Get();
    // Settings are short: one query reads them; a longer value is read again whole.
    std::wstring text(128, L'\0');
    DWORD type = 0, size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    LONG result = RegQueryValueExW(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size);
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw AppError(L"Invalid data type for '" + name + L"'");
    if (result == ERROR_MORE_DATA) {
        text.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        if (RegQueryValueExW(k, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
            ERROR_SUCCESS)
            return {};
    }
    // The stored size may or may not count a final NUL, and a value may hold none.
    text.resize(wcsnlen(text.c_str(), std::min<size_t>(text.size(), size / sizeof(wchar_t))));
    return text;
}

bool WriteRegString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    RegKey k;
    if (RegCreateKeyExW(root, Relative(key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, k.Out(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    RegSetValueExW(k.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    return true;
}

void EnsureRegKey(HKEY root, const std::wstring& key) {
    RegKey k;
    if (RegOpenKeyExW(root, Relative(key).c_str(), 0, KEY_READ, k.Out()) == ERROR_SUCCESS) return;
    RegKey created;
    RegCreateKeyExW(root, Relative(key).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, created.Out(), nullptr);
}

namespace {
const wchar_t kShellFolders[] = L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
}

std::wstring GetDesktopFolder() { return ReadRegString(HKEY_CURRENT_USER, kShellFolders, L"Desktop"); }

std::wstring GetProgramsFolder() { return ReadRegString(HKEY_CURRENT_USER, kShellFolders, L"Programs"); }

void CreateShortcut(const std::wstring& target, const std::wstring& workingFolder, const std::wstring& arguments,
                    const std::wstring& linkFile) {
    Application::Get().EnsureCom();
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.Out()))))
        throw AppError(L"A parancsikon objektum nem hozható létre.");
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))))
        throw AppError(L"A parancsikon nem menthető.");
    link->SetArguments(arguments.c_str());
    link->SetPath(target.c_str());
    link->SetWorkingDirectory(workingFolder.c_str());
    file->Save(linkFile.c_str(), FALSE);
}

MonthNames RegionalMonthNames() {
    MonthNames names;
    for (int i = 0; i < 12; ++i) {
        wchar_t buffer[80] = {};
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, static_cast<LCTYPE>(LOCALE_SMONTHNAME1 + i), buffer, 80);
        names[static_cast<size_t>(i)] = buffer;
    }
    return names;
}

std::wstring ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of(L"\\/");
    path = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}
