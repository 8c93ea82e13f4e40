#include "ui/SourceList.h"

#include <cstdio>

#include "core/RowStatus.h"
#include "core/SourceListRows.h"
#include "core/SourceTable.h"
#include "framework/Dpi.h"

namespace {

struct Column {
    const char* heading;
    int format;
    int width96; // pixels at 96 DPI
};

const Column kColumns[] = {
    {" Number", LVCFMT_LEFT, 90},
    {"  File path", LVCFMT_LEFT, 360},
    {"   Duration", LVCFMT_CENTER, 122},
    {"   Status", LVCFMT_LEFT, 120},
};

constexpr int kStatusColumn = 3;

} // namespace

void CSourceList::SetUpColumns() {
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    const UINT dpi = WindowDpi(m_hWnd);
    int index = 0;
    for (const Column& column : kColumns) {
        InsertColumn(index++, column.heading, column.format, ScaleForDpi(column.width96, dpi));
    }
}

LRESULT CSourceList::OnDpiChangedAfterParent(WPARAM, LPARAM) {
    const UINT dpi = WindowDpi(m_hWnd);
    int index = 0;
    for (const Column& column : kColumns) {
        SendMessage(LVM_SETCOLUMNWIDTH, index++, MAKELPARAM(ScaleForDpi(column.width96, dpi), 0));
    }
    return Default();
}

BEGIN_MESSAGE_MAP(CSourceList, CListCtrl)
ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

bool CSourceList::AddRow(const char* path, const SourceRow& facts) {
    const int32_t row = table_->Count();
    if (!table_->HasRoom())
        return false;
    char duration[32];
    FormatRowDuration(facts.duration, duration, sizeof duration);
    char number[kRowNumberCapacity];
    FormatRowNumber(row, number, sizeof number);

    int inserted = InsertItem(row, number);
    if (inserted < 0)
        return false;
    SetItemText(inserted, 1, path);
    SetItemText(inserted, 2, duration);
    table_->Append(path, facts);
    return true;
}

void CSourceList::ShowState(int32_t row) {
    const RowState* state = table_->State(row);
    if (state == nullptr || row >= table_->Count())
        return;
    char text[32];
    FormatRowStatus(*state, text, sizeof text);
    SetItemText(row, kStatusColumn, text);
}

void CSourceList::RowTip(int32_t row, char* out, size_t size) const {
    if (out == nullptr || size == 0)
        return;
    const RowState* state = row < table_->Count() ? table_->State(row) : nullptr;
    const bool failed = state != nullptr && state->status == RowStatus::kFailed;
    std::snprintf(out, size, "%s", failed ? state->reason.c_str() : "");
}

void CSourceList::RemoveSelected() {
    if (table_->Count() == 0)
        return;
    int32_t row = GetSelectedItem();
    if (row < 0 || row >= table_->Count())
        return;
    DeleteItem(row);
    table_->Remove(row);

    int32_t next = SelectionAfterRemove(row, table_->Count());
    if (next < 0)
        return;
    RenumberFrom(row);
    SetItemState(next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    FocusList();
}

void CSourceList::RenumberFrom(int32_t row) {
    char number[kRowNumberCapacity];
    for (int32_t i = row; i < table_->Count(); ++i) {
        FormatRowNumber(i, number, sizeof number);
        SetItemText(i, 0, number);
    }
}

void CSourceList::Move(int32_t step) {
    MovePlan plan = PlanMove(GetSelectedItem(), table_->Count(), step);
    switch (plan.action) {
    case MoveAction::kNothing:
        return;
    case MoveAction::kWarnNoSelection:
        MessageBox("No item was selected!", "Warning", MB_OK);
        return;
    case MoveAction::kFocusOnly:
        FocusList();
        return;
    case MoveAction::kSwap:
        SwapRows(GetSelectedItem(), plan.target);
        return;
    }
}

void CSourceList::SwapRows(int selected, int neighbour) {
    if (selected < 0 || neighbour < 0 || selected >= table_->Count() ||
        neighbour >= table_->Count()) {
        return;
    }
    char a[kListCellCapacity];
    char b[kListCellCapacity];
    for (int column = 1; column <= 2; ++column) {
        GetItemText(selected, column, a, sizeof a);
        GetItemText(neighbour, column, b, sizeof b);
        SetItemText(selected, column, b);
        SetItemText(neighbour, column, a);
    }
    SetItemState(neighbour, LVIS_SELECTED, LVIS_SELECTED);
    EnsureVisible(neighbour, FALSE);
    SetItemState(selected, 0, LVIS_SELECTED | LVIS_FOCUSED);
    SetItemState(neighbour, LVIS_FOCUSED, LVIS_FOCUSED);
    FocusList();
    table_->SwapRows(selected, neighbour);
    ShowState(selected);
    ShowState(neighbour);
}
