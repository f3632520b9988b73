#include "ui/popup_menu.h"

#include <stdexcept>

#include "ui/form.h"
#include "ui/image_list.h"

void PopupMenu::Create(Form& form, const std::vector<MenuItemDef>& items, ImageList* images) {
    form_ = &form;
    menu_ = MenuHandle::CreatePopup();
    UINT position = 0;
    for (const auto& item : items) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        if (!item.name) {
            info.fMask = MIIM_FTYPE;
            info.fType = MFT_SEPARATOR;
        } else {
            int id = form.NewControlId();
            ids_.emplace_back(item.name, id);
            info.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
            info.fType = MFT_STRING;
            info.wID = static_cast<UINT>(id);
            info.dwTypeData = const_cast<wchar_t*>(item.caption);
            if (item.hint) form.SetMenuHint(id, item.hint);
            if (images && item.picture >= 0) {
                info.fMask |= MIIM_BITMAP;
                info.hbmpItem = images->MenuBitmap(item.picture);
            }
        }
        InsertMenuItemW(menu_.Get(), position++, TRUE, &info);
    }
}

int PopupMenu::IdOf(const std::wstring& name) const {
    for (const auto& [n, id] : ids_)
        if (n == name) return id;
    return -1;
}

void PopupMenu::OnClick(const std::wstring& name, std::function<void()> handler) {
    const int id = IdOf(name);
    if (id < 0) throw std::logic_error("menu has no such item");
    form_->OnCommand(id, std::move(handler));
}

void PopupMenu::Popup(int x, int y) {
    // The owner must be the foreground window, or the menu would not close when
    // the user clicks elsewhere (notably when opened from the notification area).
    SetForegroundWindow(form_->Handle());
    TrackPopupMenu(menu_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, form_->Handle(), nullptr);
    PostMessageW(form_->Handle(), WM_NULL, 0, 0);
}
