#include "core/SourceTable.h"

#include <cstring>
#include <utility>

SourceRow* SourceTable::At(int32_t row) {
    return IsValidRow(row) ? &rows_[row] : nullptr;
}

const SourceRow* SourceTable::At(int32_t row) const {
    return IsValidRow(row) ? &rows_[row] : nullptr;
}

RowState* SourceTable::State(int32_t row) {
    return IsValidRow(row) ? &states_[row] : nullptr;
}

const RowState* SourceTable::State(int32_t row) const {
    return IsValidRow(row) ? &states_[row] : nullptr;
}

const char* SourceTable::Path(int32_t row) const {
    return row >= 0 && row < count_ ? paths_[row].c_str() : "";
}

bool SourceTable::CopyPath(int32_t row, char* out, size_t size) const {
    if (out == nullptr || size == 0)
        return false;
    const char* path = Path(row);
    const size_t length = std::strlen(path);
    if (length == 0 || length >= size) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, path, length + 1);
    return true;
}

int32_t SourceTable::Append(const char* path, const SourceRow& row) {
    if (!HasRoom())
        return -1;
    rows_[count_] = row;
    states_[count_] = RowState{};
    paths_[count_] = path != nullptr ? path : "";
    totalSeconds_ += row.duration;
    return count_++;
}

bool SourceTable::Remove(int32_t row) {
    if (row < 0 || row >= count_)
        return false;
    totalSeconds_ -= rows_[row].duration;
    // Rounding can leave a tiny remainder once every row is gone.
    if (count_ == 1 || totalSeconds_ < 0.0)
        totalSeconds_ = 0.0;
    for (int32_t i = row; i + 1 < count_; ++i) {
        rows_[i] = rows_[i + 1];
        std::swap(states_[i], states_[i + 1]);
        paths_[i].swap(paths_[i + 1]);
    }
    rows_[--count_] = SourceRow{};
    states_[count_] = RowState{};
    paths_[count_].clear();
    return true;
}

void SourceTable::SwapRows(int32_t a, int32_t b) {
    if (!IsValidRow(a) || !IsValidRow(b))
        return;
    std::swap(rows_[a], rows_[b]);
    std::swap(states_[a], states_[b]);
    paths_[a].swap(paths_[b]);
}

void SourceTable::Clear() {
    for (SourceRow& row : rows_)
        row = SourceRow{};
    for (std::string& path : paths_)
        path.clear();
    for (RowState& state : states_)
        state = RowState{};
    count_ = 0;
    totalSeconds_ = 0.0;
}
