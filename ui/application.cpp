#include "ui/application.h"

#include <objbase.h>

#include <exception>

#include "platform/errors.h"
#include "resources/resource_ids.h"
#include "ui/form.h"

Application& Application::Get() {
    static Application app;
    return app;
}

void Application::HandleCurrentException() {
    std::wstring text;
    try {
        throw;
    } catch (const AppError& e) {
        text = e.Text();
    } catch (const std::exception& e) {
        text = Utf8ToWide(e.what());
    } catch (...) {
        text = L"Ismeretlen hiba";
    }
    ShowErrorBox(text);
}

void Application::ShowErrorBox(const std::wstring& text) {
    if (ShowError) {
        ShowError(text);
    } else {
        MessageBoxW(GetActiveWindow(), text.c_str(), Title.c_str(), MB_OK | MB_ICONERROR);
    }
}

void Application::SetHint(HWND hwnd, const std::wstring& hint) { hints_[hwnd] = hint; }

void Application::SetHintProvider(HWND hwnd, std::function<std::wstring(POINT)> provider) {
    hintProviders_[hwnd] = std::move(provider);
}

void Application::ForgetHint(HWND hwnd) {
    hints_.erase(hwnd);
    hintProviders_.erase(hwnd);
}

std::wstring Application::HintAt(HWND hwnd, POINT screen) const {
    for (HWND h = hwnd; h; h = GetParent(h)) {
        auto provider = hintProviders_.find(h);
        if (provider != hintProviders_.end()) {
            POINT client = screen;
            ScreenToClient(h, &client);
            std::wstring hint = provider->second(client);
            if (!hint.empty()) return hint;
        }
        auto it = hints_.find(h);
        if (it != hints_.end() && !it->second.empty()) return it->second;
        if (!(GetWindowLongW(h, GWL_STYLE) & WS_CHILD)) break;
    }
    return {};
}

void Application::UpdateHint(const std::wstring& hint) {
    if (hint == currentHint_) return;
    currentHint_ = hint;
    if (OnHint) OnHint(hint);
}

bool Application::PreTranslate(MSG& msg) {
    if (msg.message == WM_MOUSEMOVE) {
        POINT screen{};
        GetCursorPos(&screen);
        UpdateHint(HintAt(msg.hwnd, screen));
    }
    if (!msg.hwnd) return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    auto* form = dynamic_cast<Form*>(Window::FromHandle(root));
    if (!form) return false;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && form->Accelerators() &&
        TranslateAcceleratorW(root, form->Accelerators(), &msg))
        return true;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_CHAR || msg.message == WM_SYSKEYDOWN ||
         msg.message == WM_SYSCHAR) &&
        form->PreviewKey(msg))
        return true;
    return form->UsesDialogKeys() && IsDialogMessageW(root, &msg);
}

bool Application::HandleMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    if (!PreTranslate(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!HandleMessage(msg)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
    }
}

int Application::Run() {
    MSG msg;
    while (!terminated_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            terminated_ = true;
            return got == 0 ? static_cast<int>(msg.wParam) : 1;
        }
        HandleMessage(msg);
    }
    return 0;
}

HICON Application::Icon(int size) {
    HICON& icon = size <= 16 ? icon16_ : icon32_;
    if (!icon) {
        icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TIVORN), IMAGE_ICON,
                                             size, size, LR_DEFAULTCOLOR));
        if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    return icon;
}

ComApartment::ComApartment() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}

ComApartment::~ComApartment() {
    if (started_) CoUninitialize();
}

void Application::EnsureCom() {
    if (com_) return;
    com_.emplace();
    if (!com_->Started()) com_.reset();  // tried again by the next thing that needs it
}

void Application::EndCom() { com_.reset(); }
