// What the import probe learned about each source file, one row per list row.
#pragma once

#include <cstdint>

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

    // nullptr outside 0..98.
    SourceRow* At(int32_t row);
    const SourceRow* At(int32_t row) const;

    // Removes `row` from a list of `rowCount` rows: rows row+1..rowCount-1 move
    // up by one place, all four columns alike. The old last row keeps its
    // values. Does nothing when row is not inside the list or the table.
    void RemoveRow(int32_t row, int32_t rowCount);

    // Exchanges two rows, all four columns. Does nothing if either is outside.
    void SwapRows(int32_t a, int32_t b);

    // Sets every row back to zero.
    void Clear();

private:
    SourceRow rows_[kSourceTableRows];
};

extern SourceTable g_sourceTable;
