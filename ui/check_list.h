// A report list whose rows have a check box each, kept by the control itself: a click
// on the box or Space on the focused row turns it, as in any Windows list. For short
// lists of choices; long ones are virtual lists (ListView).
#pragma once

#include <string>
#include <vector>

#include "ui/list_view.h"

class CheckList : public ListView {
public:
    // Full-row selection of one row; `style` adds to WS_TABSTOP | LVS_REPORT |
    // LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER.
    void Create(HWND parent, int x, int y, int w, int h, int id, HFONT font, DWORD style = 0);
    void Clear() const { Send(LVM_DELETEALLITEMS); }
    // A row at the end: the texts of its columns and its check.
    void AddRow(const std::vector<std::wstring>& cells, bool checked) const;
    std::wstring CellText(int row, int column) const;
    bool Checked(int row) const;
    void SetChecked(int row, bool checked) const;
};
