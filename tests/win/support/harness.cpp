#include "harness.h"

#include <objbase.h>
#include <shellapi.h>

#include "app/main.h"
#include "platform/About.h"
#include "platform/eljaras_win.h"
#include "platform/uzenet.h"
#include "ui/application.h"
#include "ui/controls.h"

namespace {

std::wstring SourceDataDir() {
    std::wstring p = L"Z:" + std::wstring(TIVORN_SOURCE_DIR_W) + L"/data";
    for (auto& c : p)
        if (c == L'/') c = L'\\';
    return p;
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((from + L"\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CopyTree(from + L"\\" + name, to + L"\\" + name);
        else
            CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
    } while (FindNextFileW(h, &found));
    FindClose(h);
}

void RemoveTree(const std::wstring& dir) {
    std::wstring from = dir + L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
}

struct ProcessSetup {
    ProcessSetup() {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
};

}  // namespace

WinTest::WinTest() = default;
WinTest::~WinTest() = default;

void WinTest::SetUp() {
    static ProcessSetup once;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir_ = std::wstring(temp) + L"tivorn-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount64());
    CreateDirectoryW(dir_.c_str(), nullptr);
    ScrubRegistry();
    auto& app = Application::Get();
    app.ShowError = [this](const std::wstring& text) { errors.push_back(text); };
    app.OnModalShown = [this](Form& form) {
        ++modalCount;
        if (auto* message = dynamic_cast<Tfrm_uzenet*>(&form)) messages.push_back(WindowText(message->Memo1().Handle()));
        if (!answers_.empty()) {
            auto answer = std::move(answers_.front());
            answers_.pop_front();
            answer(form);
        } else {
            form.Close(mrOk);  // nobody would press anything: never block
        }
    };
}

void WinTest::TearDown() {
    auto& app = Application::Get();
    app.ShowError = nullptr;
    app.OnModalShown = nullptr;
    app.OnHint = nullptr;
    Pump();
    RemoveTree(dir_);
    ScrubRegistry();
}

void WinTest::InstallDataFiles() const { CopyTree(SourceDataDir(), dir_); }

void WinTest::WriteFile(const std::wstring& relative, const std::string& bytes) const {
    HANDLE h = CreateFileW((dir_ + L"\\" + relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done = 0;
    ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
}

std::string WinTest::ReadFile(const std::wstring& relative) const {
    HANDLE h = CreateFileW((dir_ + L"\\" + relative).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD done = 0;
    ::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
    bytes.resize(done);
    return bytes;
}

bool WinTest::Exists(const std::wstring& relative) const {
    return GetFileAttributesW((dir_ + L"\\" + relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::unique_ptr<Tfrm_Main> WinTest::OpenMainWindow(std::vector<std::wstring> parameters, bool idleWork) {
    // Each main window has its own diary, kept until the test ends (a test may make a
    // second window over the same folder while the first still exists).
    auto& diary = *diaries_.emplace_back(std::make_unique<Diary>(dir_, RegionalMonthNames()));
    diary.SetWarning([](const std::wstring& text) { Application::Get().ShowErrorBox(text); });
    auto main = std::make_unique<Tfrm_Main>(diary);
    main->Parameters = std::move(parameters);
    main->Create();
    if (!idleWork) main->FirstTickDone = true;
    Application::Get().Guard([&] { main->Show(); });
    Pump();
    return main;
}

EntryStore Entries(const Tfrm_Main& main) {
    return main.TheDiary().WithEntries([](const EntryStore& entries) { return entries; });
}

void ChangeInMemory(Tfrm_Main& main, const std::function<void(EntryStore&)>& change) {
    // The diary's own store is no constant: the cast takes back what WithEntries adds.
    main.TheDiary().WithEntries([&](const EntryStore& entries) { change(const_cast<EntryStore&>(entries)); });
}

bool MoveCursor(POINT onScreen) {
    // Wine's X driver refuses to warp the pointer while another client of the display
    // holds a pointer grab (a test running beside this one with a menu open), so the
    // move is asked again until the position reads back.
    POINT now{};
    for (int i = 0; i < 500; ++i) {
        if (i % 5 == 0) SetCursorPos(onScreen.x, onScreen.y);
        if (GetCursorPos(&now) && now.x == onScreen.x && now.y == onScreen.y) return true;
        Sleep(10);
    }
    return false;
}

void WinTest::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Application::Get().HandleMessage(msg);
}

void WinTest::AnswerNextModal(std::function<void(Form&)> answer) { answers_.push_back(std::move(answer)); }
void WinTest::AnswerOk() {
    AnswerNextModal([](Form& f) { f.Close(mrOk); });
}
void WinTest::AnswerCancel() {
    AnswerNextModal([](Form& f) { f.Close(mrCancel); });
}

std::wstring WinTest::ReadKetraboValue(const std::wstring& name) {
    return ReadRegString(HKEY_CURRENT_USER, Tfrm_Main::kRegistryKey, name);
}

void WinTest::WriteKetraboValue(const std::wstring& name, const std::wstring& value) {
    WriteRegString(HKEY_CURRENT_USER, Tfrm_Main::kRegistryKey, name, value);
}

void WinTest::ScrubRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ketrabo"); }

void ClickSpeedButton(const SpeedButton& button) {
    const HWND host = button.Host()->Handle();
    const LPARAM at = MAKELPARAM(button.Bounds().left + 5, button.Bounds().top + 5);
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(host, WM_LBUTTONUP, 0, at);
}

RECT ScreenRectOf(const SpeedButton& button) {
    RECT r = button.Bounds();
    MapWindowPoints(button.Host()->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void PressKey(HWND target, UINT vk) {
    // The message loop's TranslateMessage makes the character, as for a real key.
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageW(target, WM_KEYUP, vk, scan | 0xC0000001);
}

void ExpectPrinterSettings(HGLOBAL devMode, short paper, short orientation) {
    ASSERT_NE(devMode, nullptr) << "the dialog gets the layout's printer settings";
    const auto* dm = static_cast<const DEVMODEW*>(GlobalLock(devMode));
    ASSERT_NE(dm, nullptr);
    EXPECT_TRUE(dm->dmFields & DM_PAPERSIZE);
    EXPECT_TRUE(dm->dmFields & DM_ORIENTATION);
    EXPECT_TRUE(dm->dmFields & DM_COPIES);
    EXPECT_EQ(dm->dmPaperSize, paper);
    EXPECT_EQ(dm->dmOrientation, orientation);
    EXPECT_EQ(dm->dmCopies, 1);
    GlobalUnlock(devMode);
}

void PressWithControl(HWND target, UINT vk) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PressKey(target, vk);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Application::Get().HandleMessage(msg);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

std::unique_ptr<MemoryCanvas> Face(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    WindowDC screen(nullptr);
    auto canvas = std::make_unique<MemoryCanvas>(screen.Get(), r.right, r.bottom);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    return canvas;
}

std::unique_ptr<MemoryCanvas> OnScreen(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    WindowDC screen(nullptr);
    auto canvas = std::make_unique<MemoryCanvas>(screen.Get(), r.right, r.bottom);
    WindowDC own(control);
    BitBlt(canvas->Dc(), 0, 0, r.right, r.bottom, own.Get(), 0, 0, SRCCOPY);
    return canvas;
}

int Count(const MemoryCanvas& c, COLORREF colour, const RECT& box) {
    int n = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) n += c.Pixel(x, y) == colour;
    return n;
}

namespace {

// The slot of the import table that holds `function` of `dll`, or none.
void** ImportSlot(const char* dll, const char* function) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return nullptr;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), dll) != 0 || !d->OriginalFirstThunk) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), function) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void WriteSlot(void** slot, void* value) {
    DWORD old = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
}

}  // namespace

ImportOverride::ImportOverride(const char* dll, const char* function, void* replacement)
    : slot_(ImportSlot(dll, function)) {
    if (!slot_) return;
    original_ = *slot_;
    WriteSlot(slot_, replacement);
}

ImportOverride::~ImportOverride() {
    if (slot_) WriteSlot(slot_, original_);
}

std::wstring BuiltProgramFile() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\')) + L"\\tivorn.exe";
}
