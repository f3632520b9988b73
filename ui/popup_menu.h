// A popup menu built from a table of items with pictures from an image list.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Form;
class ImageList;

struct MenuItemDef {
    const wchar_t* name;     // field name; null for a separator
    const wchar_t* caption;
    int picture = -1;        // image index, -1 none
    const wchar_t* hint = nullptr;
};

class PopupMenu {
public:
    PopupMenu() = default;
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    ~PopupMenu();

    void Create(Form& form, const std::vector<MenuItemDef>& items, ImageList* images);
    void OnClick(const std::wstring& name, std::function<void()> handler);
    int IdOf(const std::wstring& name) const;
    HMENU Handle() const { return menu_; }
    // Opens at a screen position and runs the chosen item's handler.
    void Popup(int x, int y);

private:
    Form* form_ = nullptr;
    HMENU menu_ = nullptr;
    std::vector<std::pair<std::wstring, int>> ids_;
};
