#include "ui/window.h"

#include <set>

#include "ui/application.h"
#include "ui/cursors.h"
#include "ui/system_error.h"

Window::~Window() {
    accessible_.Disconnect();
    if (hwnd_) {
        HWND h = hwnd_;
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(h);
    }
}

Window* Window::FromHandle(HWND hwnd) {
    wchar_t name[64];
    if (!hwnd || !GetClassNameW(hwnd, name, 64) || wcsncmp(name, L"Tivorn", 6) != 0) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::SetBounds(int x, int y, int w, int h) {
    if (!hwnd_) return;
    w = w < 0 ? 0 : w;
    h = h < 0 ? 0 : h;
    // A layout pass repeats the places most windows already have; a move costs round
    // trips to the window server under Wine, reading the place does not.
    RECT now{};
    GetWindowRect(hwnd_, &now);
    MapWindowPoints(nullptr, GetAncestor(hwnd_, GA_PARENT), reinterpret_cast<POINT*>(&now), 2);
    if (now.left == x && now.top == y && now.right - now.left == w && now.bottom - now.top == h) return;
    MoveWindow(hwnd_, x, y, w, h, TRUE);
}

RECT Window::ClientRect() const {
    RECT r{};
    if (hwnd_) GetClientRect(hwnd_, &r);
    return r;
}

void Window::Invalidate() const {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

HWND Window::CreateOwnWindow(const wchar_t* className, DWORD exStyle, DWORD style, const std::wstring& text,
                             int x, int y, int w, int h, HWND parent, HMENU menuOrId, HCURSOR cursor) {
    // Class names start with "Tivorn" so FromHandle can tell our windows apart.
    static std::set<std::wstring> registered;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registered.count(className)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = StaticProc;
        wc.hInstance = instance;
        wc.hCursor = cursor ? cursor : ArrowCursor();
        wc.hbrBackground = nullptr;  // every window paints its whole background itself
        wc.hIcon = Application::Get().Icon(32);
        wc.hIconSm = Application::Get().Icon(16);
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
        registered.insert(className);
    }
    if (!CreateWindowExW(exStyle, className, text.c_str(), style, x, y, w, h, parent, menuOrId, instance, this))
        ThrowLastError(L"CreateWindowEx(" + std::wstring(className) + L")");
    return hwnd_;
}

namespace {

bool HasFrame(HWND hwnd) {
    const auto style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    const auto ex = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
    return !(style & WS_CHILD) || (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL)) ||
           (ex & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}

}  // namespace

void Window::Paint(Canvas& canvas) { canvas.Fill(ClientRect(), GetSysColor(COLOR_BTNFACE)); }

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: {
            // The background is part of the face, painted at WM_PAINT without flicker.
            // Transparent children (tool bars) ask their parent to paint behind them
            // through this message with their own DC.
            HDC dc = reinterpret_cast<HDC>(wp);
            if (WindowFromDC(dc) != hwnd_) {
                Canvas canvas(dc);
                Paint(canvas);
            }
            return 1;
        }
        case WM_NCPAINT:
            // A child without border or scroll bars has no frame to draw: the system's
            // frame painting would only ask for a DC (a round trip to the server under
            // Wine, for each of the panels at every showing).
            if (!HasFrame(hwnd_)) return 0;
            return DefWindowProcW(hwnd_, msg, wp, lp);
        case WM_PAINT:
            PaintDoubleBuffered(hwnd_, [this](Canvas& canvas) { Paint(canvas); });
            return 0;
        case WM_PRINTCLIENT: {
            Canvas canvas(reinterpret_cast<HDC>(wp));
            Paint(canvas);
            return 0;
        }
        case WM_GETOBJECT:
            if (AccessibleParts* parts = Accessible())
                if (const LRESULT answer = accessible_.Answer(hwnd_, wp, lp, *parts)) return answer;
            return DefWindowProcW(hwnd_, msg, wp, lp);
        case AccessibleHost::kActionMessage:
            if (AccessibleParts* parts = Accessible()) AccessibleHost::RunAction(wp, *parts);
            return 0;
        default:
            return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

LRESULT CALLBACK Window::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Window* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->accessible_.Disconnect();
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnDestroyed();
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    bool failed = !Application::Get().Guard([&] { result = self->HandleMessage(msg, wp, lp); });
    return failed ? DefWindowProcW(hwnd, msg, wp, lp) : result;
}

bool IsForwardedNotification(UINT msg) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CONTEXTMENU:
            return true;
        default:
            return false;
    }
}

LRESULT ForwardToParent(HWND from, UINT msg, WPARAM wp, LPARAM lp) {
    HWND parent = GetParent(from);
    return parent ? SendMessageW(parent, msg, wp, lp) : 0;
}
