// A thin, non-owning wrapper over a virtual report list view: the owner keeps the
// rows and hands the list each cell's text when it asks (LVN_GETDISPINFO).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/standard_controls.h"

class ListView : public StandardControl {
public:
    // Full-row selection of one row; `style` adds to WS_TABSTOP | LVS_REPORT |
    // LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER.
    void Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style = 0);
    // A column at the end, `width` in 96-dpi pixels.
    void AddColumn(const wchar_t* caption, int width, int format = LVCFMT_LEFT) const;
    int ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    // In device pixels, as ColumnWidth gives it.
    void SetColumnWidth(int column, int width) const { Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width); }
    void SetItemCount(int count) const { Send(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0); }
    int ItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    // -1 when no row is selected.
    int SelectedIndex() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
    // Selects and focuses `row`.
    void Select(int row) const;
    void EnsureVisible(int row) const { Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE); }
    // The list's and its texts' background.
    void SetBackgroundColour(COLORREF colour) const;
    void Redraw() const { InvalidateRect(Handle(), nullptr, FALSE); }
};
