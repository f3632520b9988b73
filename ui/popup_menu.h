// A popup menu built from a table of items with pictures from an image list.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "ui/member_handler.h"
#include "ui/unique_handle.h"

class Form;
class ImageList;

struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
// A menu of our own (CreatePopupMenu): destroyed once, with its submenus.
class MenuHandle : public UniqueHandle<HMENU, DestroyMenuHandle> {
public:
    using UniqueHandle::UniqueHandle;
    static MenuHandle CreatePopup() { return MenuHandle(CreatePopupMenu()); }
};

struct MenuItemDef {
    const wchar_t* name;     // field name; null for a separator
    const wchar_t* caption;
    int picture = -1;        // image index, -1 none
    const wchar_t* hint = nullptr;
};

// A menu row that names its handler: a misspelt handler does not compile.
template <class Owner>
struct MenuItemRow {
    const wchar_t* name;  // null for a separator
    const wchar_t* caption;
    int picture = -1;
    const wchar_t* hint = nullptr;
    void (Owner::*handler)() = nullptr;
};

class PopupMenu {
public:
    PopupMenu() = default;
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    void Create(Form& form, const std::vector<MenuItemDef>& items, ImageList* images);
    // Creates the menu of `rows` in `owner` and binds each item's handler.
    template <class Owner>
    void Create(Owner& owner, std::span<const MenuItemRow<Owner>> rows, ImageList* images) {
        std::vector<MenuItemDef> defs;
        for (const auto& row : rows) defs.push_back({row.name, row.caption, row.picture, row.hint});
        Create(static_cast<Form&>(owner), defs, images);
        for (const auto& row : rows)
            if (row.name && row.handler) OnClick(row.name, MemberHandler(owner, row.handler));
    }
    // Binds an item's click; a name the menu does not have is a programming error (throws).
    void OnClick(const std::wstring& name, std::function<void()> handler);
    int IdOf(const std::wstring& name) const;
    // Every item drawn by the form's measure and draw handlers of its id.
    void SetOwnerDrawn();
    HMENU Handle() const { return menu_.Get(); }
    // Opens at a screen position and runs the chosen item's handler.
    void Popup(int x, int y);

private:
    Form* form_ = nullptr;
    MenuHandle menu_;
    std::vector<std::pair<std::wstring, int>> ids_;
};
