#include "core/TargetSizeChoices.h"

#include <cstdio>
#include <cstring>

#include "core/ConversionSettings.h"
#include "core/TargetSize.h"

const TargetSizeChoice kTargetSizeChoices[kTargetSizeChoiceCount] = {
    {"No limit", 0},
    {"8 MB", 8000},
    {"10 MB", 10000},
    {"25 MB", 25000},
    {"50 MB", 50000},
    {"100 MB", 100000},
    {"700 MB (CD)", 700000},
    {"4.7 GB (DVD)", 4700000},
    {"8.5 GB (DVD, two layers)", 8500000},
    {"Other...", kTargetSizeAsk},
};

const char kTargetQualityNote[] =
    "With a size chosen, the video bitrate comes from the size: the quality is not used for it.";

namespace {

constexpr int kOtherPosition = kTargetSizeChoiceCount - 1;

// The target as the run reads it, in kilobytes.
int32_t StoredKb(int32_t targetKb) {
    ConversionSettings settings;
    settings.targetSizeKb = targetKb;
    return static_cast<int32_t>(TargetBytes(settings) / kBytesPerTargetKb);
}

// The fixed entry of a stored target; -1 when it has its own entry.
int FixedPosition(int32_t kb) {
    for (int i = 0; i < kOtherPosition; ++i) {
        if (kTargetSizeChoices[i].kb == kb)
            return i;
    }
    return -1;
}

} // namespace

void TargetSizeText(int32_t kb, char* text, size_t size) {
    // Tenths of the unit: megabytes below 1,000 MB, gigabytes from there.
    const bool gb = kb >= 1000000;
    const int64_t tenths = gb ? kb / 100000 : kb / 100;
    const char* unit = gb ? "GB" : "MB";
    if (tenths % 10 == 0)
        std::snprintf(text, size, "%d %s", static_cast<int>(tenths / 10), unit);
    else
        std::snprintf(text, size, "%d.%d %s", static_cast<int>(tenths / 10),
                      static_cast<int>(tenths % 10), unit);
}

const char* TargetSizeDisabledReason(OutputFormat format) {
    if (OutputFormatFamily(format) == FormatFamily::Vcd)
        return "VCD's bitrates are fixed by its standard, so its size follows from the length.";
    if (OutputFormatFamily(format) == FormatFamily::Audio)
        return "A sound-only file's size follows from its quality and its length.";
    if (OutputFormatFamily(format) == FormatFamily::StreamCopy)
        return "Streams kept as they are are not encoded again; the size is the source's.";
    if (!FormatTakesTarget(format))
        return "This format has no size to fit.";
    return nullptr;
}

void FillTargetSizeList(int32_t targetKb, OutputFormat format, ListState* state) {
    *state = ListState();
    const int32_t kb = StoredKb(targetKb);
    const int fixed = FixedPosition(kb);
    for (int i = 0; i < kTargetSizeChoiceCount; ++i) {
        if (i == kOtherPosition && fixed < 0) {
            TargetSizeText(kb, state->entries[state->count], ListState::kTextSize);
            state->selection = state->count++;
        }
        std::snprintf(state->entries[state->count++], ListState::kTextSize, "%s",
                      kTargetSizeChoices[i].label);
    }
    if (fixed >= 0)
        state->selection = fixed;
    state->enabled = TargetSizeDisabledReason(format) == nullptr;
}

int32_t TargetKbAt(int32_t targetKb, int position) {
    const int32_t kb = StoredKb(targetKb);
    const bool own = FixedPosition(kb) < 0;
    if (position < 0 || position > kOtherPosition + (own ? 1 : 0))
        return targetKb;
    if (own && position == kOtherPosition)
        return kb;
    return kTargetSizeChoices[own && position > kOtherPosition ? kOtherPosition : position].kb;
}

void FillTargetAppliesList(int32_t targetKb, int32_t appliesTo, OutputFormat format,
                           ListState* state) {
    *state = ListState();
    std::snprintf(state->entries[0], ListState::kTextSize, "%s", "for each file");
    std::snprintf(state->entries[1], ListState::kTextSize, "%s", "for the whole list");
    state->count = 2;
    state->selection = appliesTo == 1 ? 1 : 0;
    state->enabled = StoredKb(targetKb) > 0 && TargetSizeDisabledReason(format) == nullptr;
}

bool ParseTargetMegabytes(const char* text, int32_t* kb) {
    if (text == nullptr)
        return false;
    while (*text == ' ')
        ++text;
    int64_t tenths = 0;
    int digits = 0;
    int decimals = -1; // -1: no decimal point yet
    for (; *text != '\0' && *text != ' '; ++text) {
        if ((*text == '.' || *text == ',') && decimals < 0) {
            decimals = 0;
        } else if (*text >= '0' && *text <= '9' && decimals < 1 && digits < 10) {
            tenths = tenths * 10 + (*text - '0');
            decimals += decimals >= 0 ? 1 : 0;
            ++digits;
        } else {
            return false;
        }
    }
    while (*text == ' ')
        ++text;
    if (*text != '\0' || digits == 0)
        return false;
    if (decimals < 1)
        tenths *= 10;
    const int64_t value = tenths * 100;
    if (value <= 0 || value > kLargestTargetKb)
        return false;
    *kb = static_cast<int32_t>(value);
    return true;
}
