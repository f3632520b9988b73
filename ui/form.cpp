#include "ui/form.h"
#include "ui/dpi.h"

#include "ui/application.h"
#include "ui/button_keys.h"
#include "ui/cursors.h"
#include "ui/system_look.h"

#include <utility>

namespace {

DWORD StyleOf(BorderStyle border) {
    switch (border) {
        case BorderStyle::Sizeable:
            return WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        case BorderStyle::ToolWindow:
        case BorderStyle::Dialog:
            return WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    }
    return WS_OVERLAPPEDWINDOW;
}

DWORD ExStyleOf(const FormOptions& o) {
    DWORD ex = WS_EX_CONTROLPARENT;
    if (o.border == BorderStyle::ToolWindow) ex |= WS_EX_TOOLWINDOW;
    if (o.border == BorderStyle::Dialog) ex |= WS_EX_DLGMODALFRAME;
    if (o.topMost) ex |= WS_EX_TOPMOST;
    return ex;
}

// The top-left corner of a window of that size in the middle of the screen.
void CentredPlace(int w, int h, int& x, int& y) {
    x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
}

}  // namespace

void Form::Create(HWND owner) {
    if (created_) return;
    created_ = true;
    formFont_ = MakeFont(options_.font);
    drawnItems_.SetFallbackFont(formFont_.Get());
    DWORD style = StyleOf(options_.border);
    if (options_.resizable) style |= WS_THICKFRAME;
    DWORD ex = ExStyleOf(options_);
    RECT r{0, 0, Px(options_.clientWidth), Px(options_.clientHeight)};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = options_.left, y = options_.top;
    // A message-only window is centred when it becomes a top-level one (each look at
    // the screen's size is a round trip to the server under Wine).
    if (options_.centred && !messageOnly_) CentredPlace(w, h, x, y);
    CreateOwnWindow(options_.className, ex, style, options_.caption, x, y, w, h, owner);
    FormCreate();
}

void Form::CreateOwnedFromFirstShowing(HWND owner) {
    if (created_) return;
    messageOnly_ = true;
    Create(HWND_MESSAGE);
    ownerFromFirstShowing_ = owner;
}

void Form::EnsureInsides() {
    if (!Handle()) Create();
    if (insides_) return;
    insides_ = true;
    if (std::exchange(messageOnly_, false)) {
        if (options_.centred) {
            RECT r{};
            GetWindowRect(Handle(), &r);
            int x = 0, y = 0;
            CentredPlace(r.right - r.left, r.bottom - r.top, x, y);
            SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        SetParent(Handle(), nullptr);  // the desktop's from now on
    }
    if (HWND owner = std::exchange(ownerFromFirstShowing_, nullptr))
        SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    // Under a main window with a dark frame, a window shown later has one too.
    FollowOwnersFrame(Handle(), GetWindow(Handle(), GW_OWNER));
    CreateInsides();
}

void Form::Show() {
    EnsureInsides();
    if (options_.captionIsAppTitle) SetWindowTextW(Handle(), Application::Get().Title.c_str());
    modalResult_ = mrNone;
    if (!IsWindowVisible(Handle())) {
        ShowWindow(Handle(), SW_SHOW);
        FormShow();
    }
    SetForegroundWindow(Handle());
}

void Form::Hide() {
    if (Handle() && IsWindowVisible(Handle())) {
        ShowWindow(Handle(), SW_HIDE);
        FormHide();
    }
}

BOOL CALLBACK Form::DisableForModal(HWND hwnd, LPARAM self) {
    auto* form = reinterpret_cast<Form*>(self);
    if (hwnd != form->Handle() && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        EnableWindow(hwnd, FALSE);
        form->disabledForModal_.push_back(hwnd);
    }
    return TRUE;
}

int Form::ShowModal() {
    EnsureInsides();
    HWND owner = GetWindow(Handle(), GW_OWNER);
    // Like every modal window, it disables the program's other windows while it runs.
    disabledForModal_.clear();
    EnumThreadWindows(GetCurrentThreadId(), DisableForModal, reinterpret_cast<LPARAM>(this));
    Show();
    modal_ = true;
    auto& app = Application::Get();
    if (app.OnModalShown) app.OnModalShown(*this);
    MSG msg;
    bool quit = false;
    while (modalResult_ == mrNone && Handle() && IsWindowVisible(Handle())) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        app.HandleMessage(msg);
    }
    modal_ = false;
    for (HWND h : disabledForModal_)
        if (IsWindow(h)) EnableWindow(h, TRUE);
    disabledForModal_.clear();
    Hide();
    if (owner && IsWindowVisible(owner)) SetActiveWindow(owner);
    if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
    return modalResult_ == mrNone ? mrCancel : modalResult_;
}

void Form::Close(int result) {
    modalResult_ = result;
    if (!modal_) Hide();
}

bool Form::PreviewKey(const MSG& msg) {
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) &&
        buttonKeys_.KeyDown(Handle(), static_cast<UINT>(msg.wParam)))
        return true;
    if (!options_.keyPreview) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return FormKeyPress(L'\x1B');
    if (msg.message == WM_CHAR && msg.wParam != VK_ESCAPE) return FormKeyPress(static_cast<wchar_t>(msg.wParam));
    if (msg.message == WM_SYSKEYDOWN) return FormSysKey(static_cast<UINT>(msg.wParam));
    return false;
}

void Form::OnCommand(int id, std::function<void()> handler, int code) {
    commands_[{id, code}] = std::move(handler);
}

void Form::OnNotify(int id, UINT code, std::function<LRESULT(NMHDR*)> handler) {
    notifications_[{id, code}] = std::move(handler);
}

void Form::OnDrawItem(int id, std::function<void(DRAWITEMSTRUCT&)> handler) { drawers_[id] = std::move(handler); }

void Form::OnMeasureItem(int id, std::function<void(MEASUREITEMSTRUCT&)> handler) {
    measurers_[id] = std::move(handler);
}

void Form::OnScroll(int id, std::function<void(int code)> handler) { scrolls_[id] = std::move(handler); }

void Form::SetMenuHint(int id, std::wstring hint) { menuHints_[id] = std::move(hint); }

LRESULT Form::RouteCommand(WPARAM wp, LPARAM) {
    int id = LOWORD(wp), code = HIWORD(wp);
    auto it = commands_.find({id, code});
    if (it == commands_.end()) it = commands_.find({id, -1});
    if (it != commands_.end() && (it->first.second != -1 || code == 0 || code == 1 || code == BN_CLICKED)) {
        auto handler = it->second;  // the handler may replace the table entry
        handler();
    }
    return 0;
}

void Form::Paint(Canvas& canvas) {
    RECT r = ClientRect();
    canvas.Fill(r, BackgroundColour());
    drawnItems_.Paint(canvas);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            return RouteCommand(wp, lp);
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(lp);
            auto it = notifications_.find({static_cast<int>(hdr->idFrom), hdr->code});
            if (it != notifications_.end()) return it->second(hdr);
            break;
        }
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            auto it = drawers_.find(static_cast<int>(dis->CtlType == ODT_MENU ? dis->itemID : dis->CtlID));
            if (it != drawers_.end()) {
                it->second(*dis);
                return TRUE;
            }
            break;
        }
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
            auto it = measurers_.find(static_cast<int>(mis->CtlType == ODT_MENU ? mis->itemID : mis->CtlID));
            if (it != measurers_.end()) {
                it->second(*mis);
                return TRUE;
            }
            break;
        }
        case WM_HSCROLL:
        case WM_VSCROLL: {
            const auto it = lp ? scrolls_.find(GetDlgCtrlID(reinterpret_cast<HWND>(lp))) : scrolls_.end();
            if (it == scrolls_.end()) break;
            it->second(LOWORD(wp));
            return 0;
        }
        case WM_MENUSELECT: {
            // The highlighted item's hint goes where every hint goes; a closed menu none.
            const UINT flags = HIWORD(wp);
            if (flags == 0xFFFF && lp == 0) {
                Application::Get().UpdateHint({});
            } else if (!(flags & (MF_POPUP | MF_SEPARATOR))) {
                const auto it = menuHints_.find(LOWORD(wp));
                Application::Get().UpdateHint(it != menuHints_.end() ? it->second : std::wstring());
            }
            break;
        }
        case WM_ACTIVATE:
            // The focused control is kept while another window (a modal one, a message)
            // is in front, and gets the focus back when this one is active again.
            if (LOWORD(wp) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) focusBeforeDeactivation_ = focus;
            }
            break;
        case WM_SETFOCUS: {
            HWND back = std::exchange(focusBeforeDeactivation_, nullptr);
            if (back && IsWindow(back) && IsChild(Handle(), back) && IsWindowVisible(back) && IsWindowEnabled(back)) {
                SetFocus(back);
                return 0;
            }
            break;
        }
        case WM_SHOWWINDOW:
            if (!wp) focusBeforeDeactivation_ = nullptr;  // a new showing sets its own focus
            break;
        case WM_CLOSE:
            FormCloseQuery();
            return 0;
        case WM_SIZE:
            OnSize(LOWORD(lp), HIWORD(lp));
            return 0;
        case WM_TIMER:
            OnTimer(wp);
            return 0;
        case WM_SETCURSOR:
            for (HWND h : arrowCursorControls_)
                if (h == reinterpret_cast<HWND>(wp)) {
                    SetCursor(ArrowCursor());
                    return TRUE;
                }
            break;
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, BackgroundColour());
            SetDCBrushColor(dc, BackgroundColour());
            return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        }
        default:
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}

LRESULT RouteToForm(HWND from, UINT msg, WPARAM wp, LPARAM lp) {
    HWND root = GetAncestor(from, GA_ROOT);
    if (!root || root == from) return 0;
    return SendMessageW(root, msg, wp, lp);
}
