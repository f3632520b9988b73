// A flat, transparent tool bar of picture buttons with tool tips and status hints.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "ui/image_list.h"
#include "ui/tool_button_row.h"
#include "ui/member_handler.h"

class Form;

class ToolBar {
public:
    ToolBar() = default;
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;

    // Creates the bar in `parent`; buttons are `buttonWidth` x `buttonHeight`.
    void Create(Form& form, HWND parent, int x, int y, int w, int h, HIMAGELIST images, int buttonWidth,
                int buttonHeight, int indent);
    // Adds the buttons in order; each gets its own command id. Returns the ids.
    void AddButtons(const std::vector<ToolButtonDef>& buttons);

    // Adds the buttons and binds each one's handler on `owner`.
    template <class Owner>
    void AddButtons(Owner& owner, std::span<const ToolButtonRow<Owner>> rows) {
        std::vector<ToolButtonDef> defs;
        for (const auto& row : rows) defs.push_back({row.name, row.picture, row.hint, row.style});
        AddButtons(defs);
        for (const auto& row : rows)
            if (row.name && row.handler) OnClick(row.name, MemberHandler(owner, row.handler));
    }

    int IdOf(const std::wstring& name) const;
    // Binds a button's click; a name the bar does not have is a programming error (throws).
    void OnClick(const std::wstring& name, std::function<void()> handler);
    void Click(const std::wstring& name);  // as a click on the button does
    void SetEnabled(const std::wstring& name, bool enabled);
    bool Enabled(const std::wstring& name) const;
    void SetChecked(const std::wstring& name, bool down);
    bool Checked(const std::wstring& name) const;
    RECT ButtonRect(const std::wstring& name) const;  // in the bar's client coordinates
    // Asks for a button `width` device pixels wide (a drop-down's arrow may come on top).
    void SetButtonWidth(const std::wstring& name, int width);

    HWND Handle() const { return hwnd_; }
    std::wstring HintAt(POINT client) const;

private:
    // The bar's subclass: the tool tip window comes with the mouse's first move over
    // the bar (made at start, it cost some ninety round trips to the window server
    // under Wine), and the bar paints through an off-screen buffer.
    static LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    void CreateTips(UINT msg, WPARAM wp, LPARAM lp);
    struct Button;
    void AddTip(const Button& button);
    void PlaceTips();  // each button's tool over the button
    struct Button {
        std::wstring name;
        std::wstring hint;
        int id;
    };
    const Button* Find(const std::wstring& name) const;
    COLORREF ParentColour() const;

    Form* form_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND tips_ = nullptr;
    std::vector<Button> buttons_;
};
