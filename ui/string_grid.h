// A string grid painted by its owner: fixed title rows that never scroll away, a
// current row with a selected range of rows, lines between all cells, keyboard
// (arrows, Page Up/Down, Home/End, with Shift for a range), mouse (click, drag,
// Shift+click, wheel) and a vertical scroll bar shown when the rows need one.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/window.h"

struct GridCellState {
    bool fixed = false;     // a title row
    bool selected = false;  // inside the selected range
    bool current = false;   // the current row
    bool focused = false;   // the grid has the keyboard
};

struct GridSelection {
    int top = -1;  // first and last selected row; -1 when there is no data row
    int bottom = -1;
};

class StringGrid : public Window {
public:
    void Create(HWND parent, int x, int y, int w, int h);

    // Shape
    void SetColumnWidths(std::vector<int> widths);
    int ColumnCount() const { return static_cast<int>(widths_.size()); }
    int ColumnWidth(int col) const { return widths_[static_cast<size_t>(col)]; }
    int DefaultRowHeight = 16;
    int GridLineWidth = 1;
    COLORREF GridLineColour = 0xC0C0C0;
    int FixedRows = 1;

    // Keeps the texts of the rows that stay; the current row and the range stay on
    // a data row (or none when there is none).
    void SetRowCount(int rows);
    int RowCount() const { return static_cast<int>(cells_.size()); }
    const std::wstring& Cell(int col, int row) const;
    void SetCell(int col, int row, std::wstring text);

    // Position
    int Row() const { return row_; }  // current row, -1 when there is no data row
    // Moves the current row (clamped to the data rows), drops the range, shows the row
    // and reports the move.
    void SetRow(int row);
    // Moves the current row keeping the range's other end.
    void ExtendTo(int row);
    GridSelection Selection() const;
    int TopRow() const { return top_; }  // first data row shown under the fixed rows
    void SetTopRow(int row);
    int VisibleDataRows() const;  // whole data rows that fit under the fixed rows

    // Cell rectangle in client coordinates (without the grid lines); empty when off screen.
    RECT CellRect(int col, int row) const;
    // Row under a client point, -1 outside the rows.
    int RowAt(int y) const;

    // Owner's parts
    std::function<void(HDC dc, int col, int row, const RECT& rect, GridCellState state)> OnDrawCell;
    std::function<void(int col, int row)> OnSelectCell;

    // The whole face: cells, grid lines, the current row.
    void Paint(Canvas& canvas) override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    int RowStep() const { return DefaultRowHeight + GridLineWidth; }
    void MoveCurrent(int row, bool extend);
    void ScrollToShow(int row);
    void UpdateScrollBar();
    void KeyDown(UINT vk);
    void DrawDefaultCell(HDC dc, int col, int row, const RECT& r, GridCellState state);

    std::vector<int> widths_;
    std::vector<std::vector<std::wstring>> cells_;
    int row_ = -1;
    int anchor_ = -1;
    int top_ = 1;
    bool dragging_ = false;
    int wheelRest_ = 0;
};
