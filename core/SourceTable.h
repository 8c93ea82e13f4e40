// The source list: each file's path with what the import probe learned about
// it, in the order of conversion, the number of rows and their summed
// duration.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/RowStatus.h"

constexpr int kSourceTableRows = 99;

struct SourceRow {
    double duration = 0.0;  // seconds
    int32_t width = 0;      // pixels
    int32_t height = 0;     // pixels
    double frameRate = 0.0; // frames per second
};

class SourceTable {
public:
    static bool IsValidRow(int32_t row) { return row >= 0 && row < kSourceTableRows; }

    // The facts of a row; nullptr outside 0..98.
    SourceRow* At(int32_t row);
    const SourceRow* At(int32_t row) const;
    // Where a row stands in the last run; nullptr outside 0..98. It moves
    // with the row's path and facts.
    RowState* State(int32_t row);
    const RowState* State(int32_t row) const;
    // The path of a row in the list; "" outside it.
    const char* Path(int32_t row) const;
    // The path of a row into out; false, with out "", when the row has none
    // or it does not fit in size - 1 characters (a cut path would name
    // another file).
    bool CopyPath(int32_t row, char* out, size_t size) const;

    // Rows in the list, and their summed duration in seconds.
    int32_t Count() const { return count_; }
    double TotalSeconds() const { return totalSeconds_; }
    bool HasRoom() const { return count_ < kSourceTableRows; }

    // Adds a row at the end of the list and counts its duration in. Returns
    // its index, or -1 (nothing changed) when the list is full.
    int32_t Append(const char* path, const SourceRow& row);

    // Takes `row` out of the list: later rows move up by one place, path and
    // facts alike, and its duration leaves the total. False when the row is
    // not in the list.
    bool Remove(int32_t row);

    // Exchanges two rows, path, facts and state. Does nothing if either is outside.
    void SwapRows(int32_t a, int32_t b);

    // An empty list: every row back to zero.
    void Clear();

private:
    SourceRow rows_[kSourceTableRows];
    RowState states_[kSourceTableRows];
    std::string paths_[kSourceTableRows];
    int32_t count_ = 0;
    double totalSeconds_ = 0.0;
};
