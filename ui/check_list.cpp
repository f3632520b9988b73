#include "ui/check_list.h"

#include "ui/common_controls.h"

void CheckList::Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style) {
    EnsureCommonControls();
    CreateWindowOf(WC_LISTVIEWW,
                   WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | style,
                   WS_EX_CLIENTEDGE, parent, x, y, w, h, id, font);
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_CHECKBOXES);
}

void CheckList::AddRow(const std::vector<std::wstring>& cells, bool checked) const {
    const int row = ItemCount();
    for (size_t column = 0; column < cells.size(); ++column) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = static_cast<int>(column);
        item.pszText = const_cast<wchar_t*>(cells[column].c_str());
        Send(column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, column == 0 ? 0 : static_cast<WPARAM>(row),
             reinterpret_cast<LPARAM>(&item));
    }
    if (cells.empty()) {
        LVITEMW item{};
        item.iItem = row;
        Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SetChecked(row, checked);
}

std::wstring CheckList::CellText(int row, int column) const {
    wchar_t text[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 511;
    Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

bool CheckList::Checked(int row) const {
    const UINT state = static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

void CheckList::SetChecked(int row, bool checked) const {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}
