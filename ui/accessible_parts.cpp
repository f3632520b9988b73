#include "ui/accessible_parts.h"

#include <oleacc.h>

#include <utility>
#include <vector>

#include "ui/application.h"

namespace {

long SystemRole(PartRole role) {
    switch (role) {
        case PartRole::Cell: return ROLE_SYSTEM_CELL;
        case PartRole::PushButton: return ROLE_SYSTEM_PUSHBUTTON;
        case PartRole::DropDownButton: return ROLE_SYSTEM_BUTTONDROPDOWN;
        case PartRole::StaticText: return ROLE_SYSTEM_STATICTEXT;
    }
    return ROLE_SYSTEM_STATICTEXT;
}

long SystemState(const AccessiblePart& part) {
    long state = 0;
    if (part.states & kPartFocused) state |= STATE_SYSTEM_FOCUSED;
    if (part.states & kPartFocusable) state |= STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    if (part.states & kPartSelected) state |= STATE_SYSTEM_SELECTED;
    if (part.states & kPartPressed) state |= STATE_SYSTEM_PRESSED;
    if (part.states & kPartHot) state |= STATE_SYSTEM_HOTTRACKED;
    if (part.states & kPartUnavailable) state |= STATE_SYSTEM_UNAVAILABLE;
    // Another month's place shows nothing: there is no day to read or press.
    if (part.states & kPartOtherMonth) state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
    if (part.role == PartRole::DropDownButton) state |= STATE_SYSTEM_HASPOPUP;
    if (part.role == PartRole::StaticText) state |= STATE_SYSTEM_READONLY;
    return state;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChildId(VARIANT* v, long id) {
    v->vt = VT_I4;
    v->lVal = id;
}

}  // namespace

// The object a client holds: children 1..n are the drawn parts, the window's child
// windows follow as objects of their own. What the window has itself (place, parent,
// focus of the window) comes from the system's object of the window.
class PartsAccessible final : public IAccessible, public IOleWindow {
public:
    PartsAccessible(HWND hwnd, AccessibleParts& parts) : hwnd_(hwnd), parts_(&parts) {}

    void Disconnect() {
        parts_ = nullptr;
        if (standard_) standard_->Release();
        standard_ = nullptr;
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible))
            *out = static_cast<IAccessible*>(this);
        else if (iid == IID_IOleWindow)
            *out = static_cast<IOleWindow*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: clients call the IAccessible methods themselves.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
        if (!hwnd) return E_POINTER;
        *hwnd = hwnd_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        IAccessible* standard = Standard();
        if (!standard) return Gone(parent);
        return standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = parts_ ? PartCount() + static_cast<long>(ChildWindows().size()) : 0;
        return parts_ ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!parts_) return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4 || child.lVal == CHILDID_SELF) return E_INVALIDARG;
        if (child.lVal >= 1 && child.lVal <= PartCount()) return S_FALSE;  // a simple element
        const HWND window = ChildWindow(child.lVal);
        if (!window) return E_INVALIDARG;
        // The window's client object, not its frame object: the latter has no children
        // under Wine, so a client walking down from the main window would stop there.
        return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                          reinterpret_cast<void**>(out));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Property(child, name, [](const AccessiblePart& p) { return p.name; },
                        [this](IAccessible* s, VARIANT self, BSTR* out) {
                            const std::wstring own = parts_->OwnName();
                            return own.empty() ? s->get_accName(self, out) : Text(own, out);
                        });
    }
    // Texts the parts have none of: the window's own, from the system's object.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return WindowText(child, value, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return WindowText(child, text, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return WindowText(child, text, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
        return WindowText(child, text, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override {
        return Property(child, text,
                        [](const AccessiblePart& p) {
                            return p.states & (kPartUnavailable | kPartOtherMonth) ? std::wstring() : p.action;
                        },
                        [](IAccessible* s, VARIANT self, BSTR* out) { return s->get_accDefaultAction(self, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Property(child, role, [](const AccessiblePart& p) { return SystemRole(p.role); },
                      [this](IAccessible* s, VARIANT self, VARIANT* out) {
                          if (const long own = parts_->OwnRole()) {
                              SetChildId(out, own);
                              return S_OK;
                          }
                          return s->get_accRole(self, out);
                      });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Property(child, state, SystemState,
                      [](IAccessible* s, VARIANT self, VARIANT* out) { return s->get_accState(self, out); });
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        VariantInit(focus);
        if (!parts_) return CO_E_OBJNOTCONNECTED;
        const int part = parts_->FocusedPart();
        if (part >= 0) {
            SetChildId(focus, part + 1);
            return S_OK;
        }
        if (GetFocus() != hwnd_) return S_FALSE;
        SetChildId(focus, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        VariantInit(selection);
        if (!parts_) return CO_E_OBJNOTCONNECTED;
        for (int i = 0; i < PartCount(); ++i)
            if (parts_->DescribePart(i).states & kPartSelected) {
                SetChildId(selection, i + 1);
                return S_OK;
            }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        if (!parts_) return CO_E_OBJNOTCONNECTED;
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
            IAccessible* standard = Standard();
            return standard ? standard->accLocation(left, top, width, height, child) : E_FAIL;
        }
        const int index = PartIndex(child);
        if (index < 0) return E_INVALIDARG;
        RECT r = parts_->DescribePart(index).bounds;
        MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        VariantInit(end);
        if (!parts_) return CO_E_OBJNOTCONNECTED;
        if (start.vt != VT_I4) return E_INVALIDARG;
        const long count = PartCount() + static_cast<long>(ChildWindows().size());
        long to = 0;
        if (start.lVal == CHILDID_SELF && direction == NAVDIR_FIRSTCHILD)
            to = 1;
        else if (start.lVal == CHILDID_SELF && direction == NAVDIR_LASTCHILD)
            to = count;
        else if (start.lVal != CHILDID_SELF && direction == NAVDIR_NEXT)
            to = start.lVal + 1;
        else if (start.lVal != CHILDID_SELF && direction == NAVDIR_PREVIOUS)
            to = start.lVal - 1;
        else if (start.lVal == CHILDID_SELF) {
            IAccessible* standard = Standard();
            return standard ? standard->accNavigate(direction, start, end) : E_FAIL;
        } else
            return DISP_E_MEMBERNOTFOUND;
        if (to < 1 || to > count) return S_FALSE;
        return Child(to, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        VariantInit(hit);
        if (!parts_) return CO_E_OBJNOTCONNECTED;
        POINT p{x, y};
        ScreenToClient(hwnd_, &p);
        RECT client{};
        GetClientRect(hwnd_, &client);
        if (!PtInRect(&client, p)) return S_FALSE;
        for (int i = 0; i < PartCount(); ++i) {
            const AccessiblePart part = parts_->DescribePart(i);
            if (!(part.states & kPartOtherMonth) && PtInRect(&part.bounds, p)) {
                SetChildId(hit, i + 1);
                return S_OK;
            }
        }
        const HWND window = ChildWindowFromPointEx(hwnd_, p, CWP_SKIPINVISIBLE);
        if (window && window != hwnd_) {
            hit->vt = VT_DISPATCH;
            return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                              reinterpret_cast<void**>(&hit->pdispVal));
        }
        SetChildId(hit, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!parts_) return CO_E_OBJNOTCONNECTED;
        const int index = PartIndex(child);
        if (index < 0) return child.vt == VT_I4 && child.lVal == CHILDID_SELF ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
        const AccessiblePart part = parts_->DescribePart(index);
        if (part.action.empty() || (part.states & (kPartUnavailable | kPartOtherMonth))) return DISP_E_MEMBERNOTFOUND;
        return PostMessageW(hwnd_, AccessibleHost::kActionMessage, static_cast<WPARAM>(index), 0) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~PartsAccessible() { Disconnect(); }

    long PartCount() const { return parts_ ? parts_->AccessiblePartCount() : 0; }

    // The part a child id names, or -1.
    int PartIndex(const VARIANT& child) const {
        if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > PartCount()) return -1;
        return static_cast<int>(child.lVal - 1);
    }

    std::vector<HWND> ChildWindows() const {
        std::vector<HWND> windows;
        for (HWND w = ::GetWindow(hwnd_, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) windows.push_back(w);
        return windows;
    }
    HWND ChildWindow(long id) const {
        const std::vector<HWND> windows = ChildWindows();
        const long at = id - PartCount() - 1;
        return at >= 0 && at < static_cast<long>(windows.size()) ? windows[static_cast<size_t>(at)] : nullptr;
    }
    // Child `id` as navigation answers it: a part by its id, a window by its object.
    HRESULT Child(long id, VARIANT* out) {
        if (id <= PartCount()) {
            SetChildId(out, id);
            return S_OK;
        }
        out->vt = VT_DISPATCH;
        return AccessibleObjectFromWindow(ChildWindow(id), static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                          reinterpret_cast<void**>(&out->pdispVal));
    }

    IAccessible* Standard() {
        if (!standard_ && parts_)
            CreateStdAccessibleObject(hwnd_, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard_));
        return standard_;
    }
    template <class T>
    static HRESULT Gone(T** out) {
        if (out) *out = nullptr;
        return CO_E_OBJNOTCONNECTED;
    }

    // A property of a part (a text or a number), or of the window itself through `own`.
    template <class Out, class PartValue, class OwnValue>
    HRESULT Property(const VARIANT& child, Out* out, PartValue partValue, OwnValue own) {
        if (!out) return E_POINTER;
        Clear(out);
        if (!parts_) return CO_E_OBJNOTCONNECTED;
        if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
            IAccessible* standard = Standard();
            return standard ? own(standard, child, out) : E_FAIL;
        }
        const int index = PartIndex(child);
        if (index < 0) return E_INVALIDARG;
        return Fill(partValue(parts_->DescribePart(index)), out);
    }
    static void Clear(BSTR* out) { *out = nullptr; }
    static void Clear(VARIANT* out) { VariantInit(out); }
    static HRESULT Fill(const std::wstring& text, BSTR* out) { return Text(text, out); }
    static HRESULT Fill(long number, VARIANT* out) {
        SetChildId(out, number);
        return S_OK;
    }
    using TextOf = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
    HRESULT WindowText(const VARIANT& child, BSTR* out, TextOf text) {
        return Property(child, out, [](const AccessiblePart&) { return std::wstring(); },
                        [text](IAccessible* s, VARIANT self, BSTR* o) { return (s->*text)(self, o); });
    }

    HWND hwnd_;
    AccessibleParts* parts_;
    IAccessible* standard_ = nullptr;
    LONG refs_ = 1;
};

LRESULT AccessibleHost::Answer(HWND hwnd, WPARAM wp, LPARAM lp, AccessibleParts& parts) {
    if (static_cast<LONG>(static_cast<DWORD>(lp)) != OBJID_CLIENT) return 0;
    auto& app = Application::Get();
    // The object goes to the client through COM's marshalling, also within the program.
    app.EnsureCom();
    app.NoteAccessibilityClient();
    if (!object_) object_ = new PartsAccessible(hwnd, parts);
    return LresultFromObject(__uuidof(IAccessible), wp, static_cast<IAccessible*>(object_));
}

void AccessibleHost::RunAction(WPARAM wp, AccessibleParts& parts) {
    const int index = static_cast<int>(wp);
    if (index >= 0 && index < parts.AccessiblePartCount()) parts.DoPartAction(index);
}

void AccessibleHost::Disconnect() {
    if (!object_) return;
    PartsAccessible* object = std::exchange(object_, nullptr);
    object->Disconnect();
    // Clients in other programs lose their proxies now rather than call into a window
    // that is gone.
    CoDisconnectObject(static_cast<IAccessible*>(object), 0);
    object->Release();
}

bool AccessibilityClientsSeen() { return Application::Get().AccessibilityClientSeen(); }

void NotifyPartEvent(HWND hwnd, DWORD event, int part) {
    if (!hwnd || !AccessibilityClientsSeen()) return;
    NotifyWinEvent(event, hwnd, OBJID_CLIENT, part < 0 ? CHILDID_SELF : part + 1);
}
