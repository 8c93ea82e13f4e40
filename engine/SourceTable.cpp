#include "engine/SourceTable.h"

#include <utility>

SourceTable g_sourceTable;

SourceRow* SourceTable::At(int32_t row) {
    return IsValidRow(row) ? &rows_[row] : nullptr;
}

const SourceRow* SourceTable::At(int32_t row) const {
    return IsValidRow(row) ? &rows_[row] : nullptr;
}

void SourceTable::RemoveRow(int32_t row, int32_t rowCount) {
    if (rowCount > kSourceTableRows) rowCount = kSourceTableRows;
    if (row < 0 || row >= rowCount) return;
    for (int32_t i = row; i + 1 < rowCount; ++i) rows_[i] = rows_[i + 1];
}

void SourceTable::SwapRows(int32_t a, int32_t b) {
    if (!IsValidRow(a) || !IsValidRow(b)) return;
    std::swap(rows_[a], rows_[b]);
}

void SourceTable::Clear() {
    for (SourceRow& row : rows_) row = SourceRow{};
}
