// Thin, non-owning wrappers over the standard controls: one line per message, so the
// windows never talk to a control through raw messages. The parent destroys the
// control; the wrapper only remembers its handle and id.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

// What every wrapped control has: a handle, a command id, text, focus and state.
class StandardControl {
public:
    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    std::wstring Text() const;
    void SetText(const std::wstring& text) const { SetWindowTextW(hwnd_, text.c_str()); }
    void Focus() const { SetFocus(hwnd_); }
    bool Focused() const { return hwnd_ && GetFocus() == hwnd_; }
    void SetEnabled(bool enabled) const { EnableWindow(hwnd_, enabled); }
    bool Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
    void SetVisible(bool visible) const { ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
    void SetFont(HFONT font) const;
    void Invalidate() const { InvalidateRect(hwnd_, nullptr, TRUE); }
    // Position and size in 96-dpi pixels, scaled like every control of the program.
    void SetBounds(int x, int y, int w, int h) const;
    // Position and size in device pixels (layouts that follow their window's size).
    void MoveTo(int x, int y, int w, int h) const { MoveWindow(hwnd_, x, y, w, h, TRUE); }

protected:
    // Creates a child of `parent` (WS_CHILD | WS_VISIBLE added); throws the system's
    // error text when the window cannot be made.
    void CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, int x, int y, int w,
                        int h, int id, HFONT font, const std::wstring& text = {});
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(hwnd_, msg, wp, lp); }

private:
    HWND hwnd_ = nullptr;
    int id_ = 0;
};

class Edit : public StandardControl {
public:
    // A one-line box with a sunken edge; `style` adds to WS_TABSTOP | ES_AUTOHSCROLL.
    void Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style = 0);
    // A multi-line box without an edge, out of the tab order; `style` adds to ES_MULTILINE.
    void CreateMemo(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style = 0);
    void SelectAll() const { Send(EM_SETSEL, 0, -1); }
    void Select(int start, int end) const { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void SetLimit(int characters) const { Send(EM_SETLIMITTEXT, static_cast<WPARAM>(characters)); }
    bool Modified() const { return Send(EM_GETMODIFY) != 0; }
    void SetModified(bool modified) const { Send(EM_SETMODIFY, modified ? TRUE : FALSE); }
    void SetReadOnly(bool readOnly) const { Send(EM_SETREADONLY, readOnly ? TRUE : FALSE); }
    void Cut() const { Send(WM_CUT); }
    void Copy() const { Send(WM_COPY); }
    void Paste() const { Send(WM_PASTE); }
};

class ComboBox : public StandardControl {
public:
    // A drop-down list; `style` adds to CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL.
    void Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style = 0);
    void Clear() const { Send(CB_RESETCONTENT); }
    int Add(const std::wstring& item) const {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
    }
    int Insert(int index, const std::wstring& item) const {
        return static_cast<int>(Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str())));
    }
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    std::wstring Item(int index) const;
    // -1 when nothing is chosen.
    int SelectedIndex() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetSelectedIndex(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    bool DroppedDown() const { return Send(CB_GETDROPPEDSTATE) != 0; }
    // Height of the list's items (-1: of the selection field), in 96-dpi pixels.
    void SetItemHeight(int which, int height) const;
};

class UpDown : public StandardControl {
public:
    // Arrows that step `buddy`'s number; `style` adds to UDS_SETBUDDYINT | UDS_ARROWKEYS.
    void Create(HWND parent, int x, int y, int w, int h, int id, DWORD style = 0);
    void SetBuddy(const StandardControl& buddy) const { Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy.Handle())); }
    void SetRange(int lowest, int highest) const { Send(UDM_SETRANGE32, static_cast<WPARAM>(lowest), highest); }
    int Position() const { return static_cast<int>(Send(UDM_GETPOS32)); }
    void SetPosition(int position) const { Send(UDM_SETPOS32, 0, position); }
};

// Push buttons, check boxes and radio buttons (the "BUTTON" class).
class Button : public StandardControl {
public:
    // `style` is the button's kind (BS_PUSHBUTTON, BS_DEFPUSHBUTTON, BS_AUTOCHECKBOX,
    // BS_AUTORADIOBUTTON) with WS_TABSTOP / WS_GROUP as wanted.
    void Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style, const std::wstring& caption);
    bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    void SetIcon(HICON icon) const { Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)); }
    void Click() const { Send(BM_CLICK); }
};
