#include "ui/list_view.h"

#include "ui/common_controls.h"
#include "ui/dpi.h"

void ListView::Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style) {
    EnsureCommonControls();
    CreateWindowOf(WC_LISTVIEWW,
                   WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
                       style,
                   WS_EX_CLIENTEDGE, parent, x, y, w, h, id, font);
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
}

void ListView::AddColumn(const wchar_t* caption, int width, int format) const {
    LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT};
    const int index = Header_GetItemCount(reinterpret_cast<HWND>(Send(LVM_GETHEADER)));
    column.fmt = format;
    column.pszText = const_cast<wchar_t*>(caption);
    column.cx = Px(width);
    column.iSubItem = index;
    Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void ListView::Select(int row) const {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void ListView::SetBackgroundColour(COLORREF colour) const {
    Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour));
    Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour));
    Redraw();
}
