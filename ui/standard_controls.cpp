#include "ui/standard_controls.h"

#include <commctrl.h>

#include "ui/common_controls.h"
#include "ui/system_error.h"
#include "ui/controls.h"
#include "ui/dpi.h"

std::wstring StandardControl::Text() const {
    return WindowText(hwnd_);
}

void StandardControl::SetFont(HFONT font) const { Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

void StandardControl::SetBounds(int x, int y, int w, int h) const {
    MoveWindow(hwnd_, Px(x), Px(y), Px(w), Px(h), TRUE);
}

void StandardControl::CreateWindowOf(const wchar_t* className, DWORD style, DWORD exStyle, HWND parent, int x, int y,
                                     int w, int h, int id, HFONT font, const std::wstring& text) {
    hwnd_ = CreateControl(className, style, exStyle, x, y, w, h, parent, id, font, text);
    id_ = id;
}

void Edit::Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style) {
    CreateWindowOf(WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | style, WS_EX_CLIENTEDGE, parent, x, y, w, h, id, font);
}

void Edit::CreateMemo(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style) {
    CreateWindowOf(WC_EDITW, ES_MULTILINE | style, 0, parent, x, y, w, h, id, font);
}

void ComboBox::Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style) {
    CreateWindowOf(WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL | style, 0, parent, x, y, w, h, id, font);
}

std::wstring ComboBox::Item(int index) const {
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

void ComboBox::SetItemHeight(int which, int height) const {
    Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(which), Px(height));
}

void UpDown::Create(HWND parent, int x, int y, int w, int h, int id, DWORD style) {
    EnsureCommonControls();
    CreateWindowOf(UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ARROWKEYS | style, 0, parent, x, y, w, h, id, nullptr);
}

void Button::Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style,
                    const std::wstring& caption) {
    CreateWindowOf(WC_BUTTONW, style, 0, parent, x, y, w, h, id, font, caption);
}
