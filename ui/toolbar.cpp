#include "ui/toolbar.h"

#include <stdexcept>

#include "ui/application.h"
#include "ui/common_controls.h"
#include "ui/cursors.h"
#include "ui/dpi.h"
#include "ui/form.h"
#include "ui/panel.h"
#include "ui/tool_tip.h"

void ToolBar::Create(Form& form, HWND parent, int x, int y, int w, int h, HIMAGELIST images, int buttonWidth,
                     int buttonHeight, int indent) {
    EnsureCommonControls();
    form_ = &form;
    int id = form.NewControlId();
    hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT |
                                CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                            Px(x), Px(y), Px(w), Px(h), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
    // The bar shows its parent's colour behind the buttons.
    form.OnNotify(id, NM_CUSTOMDRAW, [this](NMHDR* hdr) -> LRESULT {
        auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(hdr);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
            RECT r;
            GetClientRect(hwnd_, &r);
            Canvas canvas(draw->nmcd.hdc);
            canvas.Fill(r, ParentColour());
        }
        return CDRF_DODEFAULT;
    });
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(hwnd_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessageW(hwnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(Px(buttonWidth), Px(buttonHeight)));
    SendMessageW(hwnd_, TB_SETINDENT, static_cast<WPARAM>(Px(indent)), 0);
    SetWindowSubclass(hwnd_, BarProc, 0, reinterpret_cast<DWORD_PTR>(this));
    Application::Get().SetHintProvider(hwnd_, [this](POINT p) { return HintAt(p); });
}

LRESULT CALLBACK ToolBar::BarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) {
    switch (msg) {
        case WM_MOUSEMOVE: {
            auto* bar = reinterpret_cast<ToolBar*>(self);
            if (!bar->tips_) bar->CreateTips(msg, wp, lp);
            break;
        }
        case WM_PAINT:
            if (wp) break;
            // Into an off-screen bitmap, then onto the screen at once: no flicker, and the
            // bar's pictures are drawn on a memory DC, whose format the system knows
            // without asking the display for its own (three round trips to the server per
            // picture under Wine).
            PaintDoubleBuffered(hwnd, [&](Canvas& canvas) {
                DefSubclassProc(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
            });
            return 0;
        case WM_SETCURSOR:
            // The hand over the buttons, as over every clickable thing of the program;
            // loaded at the mouse's first visit (a load at start is a round trip to the
            // window server under Wine). A hosted control keeps its own cursor.
            if (reinterpret_cast<HWND>(wp) != hwnd || LOWORD(lp) != HTCLIENT) break;
            SetCursor(HandCursor());
            return TRUE;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, BarProc, id);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

void ToolBar::CreateTips(UINT msg, WPARAM wp, LPARAM lp) {
    tips_ = CreateToolTipWindow(hwnd_);
    if (!tips_) return;
    // Each button a tool whose text the bar asks its parent for, as with a bar that
    // makes its tips itself; from now on the bar hands the mouse's moves to the tips.
    for (const Button& button : buttons_) AddTip(button);
    PlaceTips();
    SendMessageW(hwnd_, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tips_), 0);
    RelayMouseMessage(tips_, hwnd_, msg, wp, lp);
}

void ToolBar::AddTip(const Button& button) {
    TTTOOLINFOW info = ToolOf(hwnd_, static_cast<UINT_PTR>(button.id));
    info.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolBar::PlaceTips() {
    if (!tips_) return;
    for (const Button& button : buttons_) {
        TTTOOLINFOW info = ToolOf(hwnd_, static_cast<UINT_PTR>(button.id));
        SendMessageW(hwnd_, TB_GETRECT, static_cast<WPARAM>(button.id), reinterpret_cast<LPARAM>(&info.rect));
        SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void ToolBar::AddButtons(const std::vector<ToolButtonDef>& defs) {
    const size_t before = buttons_.size();
    std::vector<TBBUTTON> raw;
    for (const auto& def : defs) {
        TBBUTTON b{};
        if (!def.name) {
            b.iBitmap = Px(def.picture);  // separator width
            b.fsStyle = BTNS_SEP;
        } else {
            int id = form_->NewControlId();
            buttons_.push_back({def.name, def.hint ? def.hint : L"", id});
            b.iBitmap = def.picture;
            b.idCommand = id;
            b.fsState = TBSTATE_ENABLED;
            b.fsStyle = def.style;
            b.iString = -1;
            if (def.hint && *def.hint) {
                form_->OnNotify(id, TTN_GETDISPINFOW, [this, id](NMHDR* hdr) -> LRESULT {
                    auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
                    for (const auto& button : buttons_)
                        if (button.id == id) info->lpszText = const_cast<wchar_t*>(button.hint.c_str());
                    return 0;
                });
            }
        }
        raw.push_back(b);
    }
    SendMessageW(hwnd_, TB_ADDBUTTONSW, raw.size(), reinterpret_cast<LPARAM>(raw.data()));
    if (tips_) {
        for (size_t i = before; i < buttons_.size(); ++i) AddTip(buttons_[i]);
        PlaceTips();
    }
}

COLORREF ToolBar::ParentColour() const {
    auto* panel = dynamic_cast<BevelPanel*>(Window::FromHandle(GetParent(hwnd_)));
    return panel ? panel->Color() : GetSysColor(COLOR_BTNFACE);
}

const ToolBar::Button* ToolBar::Find(const std::wstring& name) const {
    for (const auto& b : buttons_)
        if (b.name == name) return &b;
    return nullptr;
}

int ToolBar::IdOf(const std::wstring& name) const {
    const Button* b = Find(name);
    return b ? b->id : -1;
}

void ToolBar::OnClick(const std::wstring& name, std::function<void()> handler) {
    const Button* b = Find(name);
    if (!b) throw std::logic_error("tool bar has no such button");
    form_->OnCommand(b->id, std::move(handler));
}

void ToolBar::Click(const std::wstring& name) {
    if (const Button* b = Find(name); b && Enabled(name))
        SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(b->id, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd_));
}

void ToolBar::SetEnabled(const std::wstring& name, bool enabled) {
    if (const Button* b = Find(name)) SendMessageW(hwnd_, TB_ENABLEBUTTON, b->id, MAKELPARAM(enabled ? 1 : 0, 0));
}

bool ToolBar::Enabled(const std::wstring& name) const {
    const Button* b = Find(name);
    return b && SendMessageW(hwnd_, TB_ISBUTTONENABLED, b->id, 0) != 0;
}

void ToolBar::SetChecked(const std::wstring& name, bool down) {
    if (const Button* b = Find(name)) SendMessageW(hwnd_, TB_CHECKBUTTON, b->id, MAKELPARAM(down ? 1 : 0, 0));
}

bool ToolBar::Checked(const std::wstring& name) const {
    const Button* b = Find(name);
    return b && SendMessageW(hwnd_, TB_ISBUTTONCHECKED, b->id, 0) != 0;
}

RECT ToolBar::ButtonRect(const std::wstring& name) const {
    RECT r{};
    if (const Button* b = Find(name)) SendMessageW(hwnd_, TB_GETRECT, b->id, reinterpret_cast<LPARAM>(&r));
    return r;
}

std::wstring ToolBar::HintAt(POINT client) const {
    int index = static_cast<int>(SendMessageW(hwnd_, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    if (index < 0) return {};
    TBBUTTON b{};
    if (!SendMessageW(hwnd_, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b))) return {};
    for (const auto& button : buttons_)
        if (button.id == b.idCommand) return button.hint;
    return {};
}

void ToolBar::SetButtonWidth(const std::wstring& name, int width) {
    TBBUTTONINFOW info{sizeof(info), TBIF_SIZE};
    info.cx = static_cast<WORD>(width);
    SendMessageW(hwnd_, TB_SETBUTTONINFOW, static_cast<WPARAM>(IdOf(name)), reinterpret_cast<LPARAM>(&info));
    PlaceTips();
}
