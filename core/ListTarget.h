// A target size applied to a list: each row's own target, and the refusal of
// a target that some row cannot meet.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/ConversionSettings.h"
#include "core/SourceTable.h"

// The settings one row's job is given: for a whole-list target, the row's
// share of it (by duration) in place of the target; otherwise as they are.
ConversionSettings SettingsForRow(const ConversionSettings& settings, const SourceTable& sources,
                                  int32_t row);

// True when the target is too small for a row of the list (for a whole-list
// target, for the row's share); text then holds the box that names the
// smallest target that works. False, text "", when there is no target, the
// format takes none, or every row fits.
bool TargetRefused(const ConversionSettings& settings, const SourceTable& sources, char* text,
                   size_t size);

// True when the format's highest rate keeps the row's output below its
// target (its own share, for a whole-list target).
bool RowCappedBelowTarget(const ConversionSettings& settings, const SourceTable& sources,
                          int32_t row);

// Appends to an end-of-run text, once, that `capped` files came out smaller
// than the target because the format allows no higher rate; nothing for 0.
void AppendCappedNote(int32_t capped, char* text, size_t size);
