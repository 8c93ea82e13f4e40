// CSourceList: the main window's list of source files (list view 1006).
// One row per source: number, full path, duration, status in the last run. It shows the source
// table it is bound to (the session's): row i of the list is row i of the table, and every
// operation here changes both. The list's order is the order of conversion.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "core/SourceTable.h"
#include "framework/ListCtrl.h"

class CSourceList : public CListCtrl {
public:
    // The table the list shows and changes (an empty one of its own until then).
    void Bind(SourceTable& table) { table_ = &table; }

    // Full-row selection, info tips and the four columns " Number",
    // "  File path", "   Duration", "   Status", their widths scaled for the
    // window's DPI.
    void SetUpColumns();

    // Appends a row for `path` with what its probe learned. False when the
    // list is full.
    bool AddRow(const char* path, const SourceRow& facts);

    // Shows the table's state of `row` in its Status cell.
    void ShowState(int32_t row);
    // The tip of a row: a failed row's reason; "" for any other.
    void RowTip(int32_t row, char* out, size_t size) const;

    // Deletes the selected row; the row that moves into its place is selected.
    void RemoveSelected();
    void MoveUp() { Move(-1); }
    void MoveDown() { Move(+1); }
    // Exchanges the path, duration and status of two rows and their table rows; the
    // selection moves with the file to `neighbour`.
    void SwapRows(int selected, int neighbour);

protected:
    // Widths scaled afresh for the new DPI.
    LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Move(int32_t step);
    void RenumberFrom(int32_t row);
    void FocusList() { SetFocus(); }

    SourceTable own_;
    SourceTable* table_ = &own_;
};
