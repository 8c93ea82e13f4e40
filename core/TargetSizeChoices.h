// The "Size" list of Output Settings and its companion list: which target
// sizes are offered, how a stored target shows, and what a pick stores.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/OutputFormat.h"
#include "core/OutputSettingsModel.h"

struct TargetSizeChoice {
    const char* label;
    int32_t kb; // kilobytes of 1,000 bytes; 0 "No limit"; kTargetSizeAsk "Other..."
};

constexpr int32_t kTargetSizeAsk = -1;
constexpr int kTargetSizeChoiceCount = 10;
extern const TargetSizeChoice kTargetSizeChoices[kTargetSizeChoiceCount];

// The Size list for a stored target: the fixed entries, with a stored value
// that is none of them shown as its own entry ("12.5 MB") before "Other...".
// A hand-edited value reads as the run reads it (below 0 "No limit", beyond
// the largest the largest). Disabled for a format whose size a target cannot
// steer (TargetSizeDisabledReason).
void FillTargetSizeList(int32_t targetKb, OutputFormat format, ListState* state);

// What picking `position` of that list stores: the kilobytes, or
// kTargetSizeAsk for "Other...". A position outside the list keeps targetKb.
int32_t TargetKbAt(int32_t targetKb, int position);

// "for each file", "for the whole list": selected by the stored choice
// (anything but 1 is each file); disabled while there is no target.
void FillTargetAppliesList(int32_t targetKb, int32_t appliesTo, OutputFormat format,
                           ListState* state);

// Why the Size list is disabled for the format, for its tooltip; nullptr
// when it is enabled.
const char* TargetSizeDisabledReason(OutputFormat format);

// A size typed in MB with at most one decimal ("12.5", "700") into kilobytes.
// False for anything else, for 0, and beyond the largest target.
bool ParseTargetMegabytes(const char* text, int32_t* kb);

// "12.5 MB", "700 MB", "4.7 GB": how a target shows in the list.
void TargetSizeText(int32_t kb, char* text, size_t size);

// The note beside the lists while a target is chosen.
extern const char kTargetQualityNote[];
