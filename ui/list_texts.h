// A virtual list view asks its owner for each cell's text (LVN_GETDISPINFO); this
// answers with the owner's own function of row and column, from one buffer that lives
// as long as the answer must.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "ui/form.h"
#include "ui/list_view.h"

inline void ServeCellTexts(Form& form, const ListView& list, std::function<std::wstring(int row, int column)> text) {
    auto buffer = std::make_shared<std::wstring>();
    form.OnNotify(list.Id(), LVN_GETDISPINFOW, [buffer, text = std::move(text)](NMHDR* hdr) -> LRESULT {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(hdr)->item;
        if (item.mask & LVIF_TEXT) {
            *buffer = text(item.iItem, item.iSubItem);
            item.pszText = buffer->data();
        }
        return 0;
    });
}
