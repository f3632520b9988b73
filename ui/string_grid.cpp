#include "ui/string_grid.h"
#include "ui/dpi.h"

#include <algorithm>

#include "ui/canvas.h"

namespace {
const std::wstring kNoText;
}

void StringGrid::Create(HWND parent, int x, int y, int w, int h) {
    CreateOwnWindow(L"TivornStringGrid", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL, L"", Px(x), Px(y), Px(w),
                    Px(h), parent);
    DefaultRowHeight = Px(DefaultRowHeight);
    top_ = FixedRows;
    UpdateScrollBar();
}

void StringGrid::SetColumnWidths(std::vector<int> widths) {
    widths_ = std::move(widths);
    for (int& width : widths_) width = Px(width);
    for (auto& row : cells_) row.resize(widths_.size());
    Invalidate();
}

void StringGrid::SetRowCount(int rows) {
    rows = std::max(rows, FixedRows);
    cells_.resize(static_cast<size_t>(rows));
    for (auto& row : cells_) row.resize(widths_.size());
    if (rows <= FixedRows) {
        row_ = anchor_ = -1;
    } else {
        row_ = std::clamp(row_ < FixedRows ? FixedRows : row_, FixedRows, rows - 1);
        anchor_ = std::clamp(anchor_ < FixedRows ? row_ : anchor_, FixedRows, rows - 1);
    }
    SetTopRow(top_);
    Invalidate();
}

const std::wstring& StringGrid::Cell(int col, int row) const {
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColumnCount()) return kNoText;
    return cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void StringGrid::SetCell(int col, int row, std::wstring text) {
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColumnCount()) return;
    cells_[static_cast<size_t>(row)][static_cast<size_t>(col)] = std::move(text);
    Invalidate();
}

void StringGrid::SetRow(int row) { MoveCurrent(row, false); }
void StringGrid::ExtendTo(int row) { MoveCurrent(row, true); }

void StringGrid::MoveCurrent(int row, bool extend) {
    if (RowCount() <= FixedRows) return;
    row = std::clamp(row, FixedRows, RowCount() - 1);
    const bool moved = row != row_;
    row_ = row;
    if (!extend) anchor_ = row;
    ScrollToShow(row);
    Invalidate();
    if (moved && OnSelectCell) OnSelectCell(0, row);
}

GridSelection StringGrid::Selection() const {
    if (row_ < 0) return {};
    return {std::min(row_, anchor_), std::max(row_, anchor_)};
}

int StringGrid::VisibleDataRows() const {
    const RECT r = ClientRect();
    const int space = r.bottom - FixedRows * RowStep();
    return std::max(1, space / RowStep());
}

void StringGrid::SetTopRow(int row) {
    const int dataRows = RowCount() - FixedRows;
    const int lastTop = FixedRows + std::max(0, dataRows - VisibleDataRows());
    row = std::clamp(row, FixedRows, lastTop);
    if (row != top_) Invalidate();
    top_ = row;
    UpdateScrollBar();
}

void StringGrid::ScrollToShow(int row) {
    if (row < top_)
        SetTopRow(row);
    else if (row >= top_ + VisibleDataRows())
        SetTopRow(row - VisibleDataRows() + 1);
}

void StringGrid::UpdateScrollBar() {
    if (!Handle()) return;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, RowCount() - FixedRows - 1);
    si.nPage = static_cast<UINT>(VisibleDataRows());
    si.nPos = top_ - FixedRows;
    SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
}

RECT StringGrid::CellRect(int col, int row) const {
    RECT r{};
    if (col < 0 || col >= ColumnCount() || row < 0 || row >= RowCount()) return r;
    int y;
    if (row < FixedRows)
        y = row * RowStep();
    else if (row >= top_)
        y = FixedRows * RowStep() + (row - top_) * RowStep();
    else
        return r;
    int x = 0;
    for (int c = 0; c < col; ++c) x += widths_[static_cast<size_t>(c)] + GridLineWidth;
    const RECT client = ClientRect();
    if (y >= client.bottom) return RECT{};
    return RECT{x, y, x + widths_[static_cast<size_t>(col)], y + DefaultRowHeight};
}

int StringGrid::RowAt(int y) const {
    if (y < 0) return -1;
    const int slot = y / RowStep();
    const int row = slot < FixedRows ? slot : top_ + (slot - FixedRows);
    return row < RowCount() ? row : -1;
}

void StringGrid::DrawDefaultCell(HDC dc, int col, int row, const RECT& r, GridCellState state) {
    Canvas canvas(dc);
    const bool highlight = state.selected && !state.fixed;
    canvas.Fill(r, state.fixed ? GetSysColor(COLOR_BTNFACE) : highlight ? GetSysColor(COLOR_HIGHLIGHT) : 0xFFFFFF);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(GetParent(Handle()), WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    canvas.Text(r.left + 2, r.top + 2, Cell(col, row), font, highlight ? GetSysColor(COLOR_HIGHLIGHTTEXT) : 0);
}

void StringGrid::Paint(Canvas& canvas) {
    const RECT client = ClientRect();
    HDC dc = canvas.Dc();
    canvas.Fill(client, GetSysColor(COLOR_WINDOW));
    const GridSelection sel = Selection();
    const bool focused = GetFocus() == Handle();
    auto paintRow = [&](int row) {
        for (int col = 0; col < ColumnCount(); ++col) {
            const RECT r = CellRect(col, row);
            if (r.right <= r.left) continue;
            GridCellState state;
            state.fixed = row < FixedRows;
            state.selected = !state.fixed && row >= sel.top && row <= sel.bottom;
            state.current = row == row_;
            state.focused = focused;
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
            if (OnDrawCell)
                OnDrawCell(dc, col, row, r, state);
            else
                DrawDefaultCell(dc, col, row, r, state);
            RestoreDC(dc, saved);
            // Lines to the right and below the cell.
            canvas.Fill(RECT{r.right, r.top, r.right + GridLineWidth, r.bottom + GridLineWidth}, GridLineColour);
            canvas.Fill(RECT{r.left, r.bottom, r.right + GridLineWidth, r.bottom + GridLineWidth}, GridLineColour);
        }
    };
    for (int row = 0; row < FixedRows && row < RowCount(); ++row) paintRow(row);
    for (int row = top_; row < RowCount(); ++row) {
        if (CellRect(0, row).bottom <= 0) break;
        paintRow(row);
    }
}

void StringGrid::KeyDown(UINT vk) {
    if (RowCount() <= FixedRows) return;
    const bool extend = GetKeyState(VK_SHIFT) < 0;
    const int page = VisibleDataRows();
    int target = row_;
    switch (vk) {
        case VK_UP: target = row_ - 1; break;
        case VK_DOWN: target = row_ + 1; break;
        case VK_PRIOR: target = row_ - page; break;
        case VK_NEXT: target = row_ + page; break;
        case VK_HOME: target = FixedRows; break;
        case VK_END: target = RowCount() - 1; break;
        default: return;
    }
    if (vk == VK_PRIOR) SetTopRow(top_ - page);
    if (vk == VK_NEXT) SetTopRow(top_ + page);
    MoveCurrent(target, extend);
}

LRESULT StringGrid::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            SetTopRow(top_);
            return 0;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            Invalidate();
            return 0;
        case WM_KEYDOWN:
            KeyDown(static_cast<UINT>(wp));
            return 0;
        case WM_LBUTTONDOWN: {
            SetFocus(Handle());
            const int row = RowAt(static_cast<short>(HIWORD(lp)));
            if (row >= FixedRows) {
                MoveCurrent(row, (wp & MK_SHIFT) != 0);
                dragging_ = true;
                SetCapture(Handle());
            }
            return 0;
        }
        case WM_MOUSEMOVE:
            if (dragging_) {
                int y = static_cast<short>(HIWORD(lp));
                const RECT r = ClientRect();
                // Dragging past the edges scrolls one row at a time.
                if (y < FixedRows * RowStep())
                    MoveCurrent(std::max(FixedRows, top_ - 1), true);
                else if (y >= r.bottom)
                    MoveCurrent(top_ + VisibleDataRows(), true);
                else if (int row = RowAt(y); row >= FixedRows)
                    MoveCurrent(row, true);
            }
            return 0;
        case WM_LBUTTONUP:
            if (dragging_) {
                dragging_ = false;
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            return 0;
        case WM_MOUSEWHEEL: {
            wheelRest_ += GET_WHEEL_DELTA_WPARAM(wp);
            while (wheelRest_ >= WHEEL_DELTA) {
                wheelRest_ -= WHEEL_DELTA;
                if (row_ >= 0) MoveCurrent(row_ - 1, false);
            }
            while (wheelRest_ <= -WHEEL_DELTA) {
                wheelRest_ += WHEEL_DELTA;
                if (row_ >= 0) MoveCurrent(row_ + 1, false);
            }
            return 0;
        }
        case WM_VSCROLL: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_ALL;
            GetScrollInfo(Handle(), SB_VERT, &si);
            int top = top_;
            switch (LOWORD(wp)) {
                case SB_LINEUP: --top; break;
                case SB_LINEDOWN: ++top; break;
                case SB_PAGEUP: top -= VisibleDataRows(); break;
                case SB_PAGEDOWN: top += VisibleDataRows(); break;
                case SB_TOP: top = FixedRows; break;
                case SB_BOTTOM: top = RowCount(); break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: top = FixedRows + si.nTrackPos; break;
                default: break;
            }
            SetTopRow(top);
            return 0;
        }
        default:
            break;
    }
    return Window::HandleMessage(msg, wp, lp);
}
