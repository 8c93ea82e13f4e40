#include "core/ListTarget.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/EncoderArguments.h"
#include "core/TargetSize.h"
#include "protocol/EncoderModes.h"

namespace {

// What a row's output is made of, resolved as its job resolves it.
struct RowFacts {
    double seconds;
    double fps;
    int32_t audioKbps;
};

RowFacts FactsOf(const ConversionSettings& settings, const SourceRow& row) {
    const EncoderProfile profile = PlanJob(settings, row, kEncoderModeProbe).profile;
    const double fps = profile.outputFrameRate > 0.0 && profile.outputFrameRate < 1000.0
                           ? profile.outputFrameRate
                           : row.frameRate;
    return {row.duration, fps, profile.audioKbps};
}

} // namespace

ConversionSettings SettingsForRow(const ConversionSettings& settings, const SourceTable& sources,
                                  int32_t row) {
    ConversionSettings own = settings;
    const SourceRow* facts = sources.At(row);
    if (!TargetForWholeList(settings) || TargetBytes(settings) <= 0 || facts == nullptr)
        return own;
    const int64_t share =
        ListShareBytes(TargetBytes(settings), facts->duration, sources.TotalSeconds());
    own.targetSizeKb = static_cast<int32_t>(share / kBytesPerTargetKb);
    own.targetAppliesTo = 0;
    return own;
}

bool TargetRefused(const ConversionSettings& settings, const SourceTable& sources, char* text,
                   size_t size) {
    if (text != nullptr && size > 0)
        text[0] = '\0';
    const int64_t target = TargetBytes(settings);
    if (target <= 0 || !FormatTakesTarget(settings.outputFormat))
        return false;
    const bool wholeList = TargetForWholeList(settings);
    int32_t refusedRow = -1;
    int64_t smallestForEach = 0;
    std::vector<int64_t> smallest;
    std::vector<double> durations;
    for (int32_t row = 0; row < sources.Count(); ++row) {
        const RowFacts facts = FactsOf(settings, *sources.At(row));
        const int64_t own =
            wholeList ? ListShareBytes(target, facts.seconds, sources.TotalSeconds()) : target;
        const TargetInput input{settings.outputFormat, facts.seconds, facts.fps, facts.audioKbps,
                                own};
        if (!VideoBitrateForTarget(input).fits && refusedRow < 0)
            refusedRow = row;
        smallest.push_back(
            SmallestTargetBytes(settings.outputFormat, facts.seconds, facts.fps, facts.audioKbps));
        durations.push_back(facts.seconds);
        smallestForEach = std::max(smallestForEach, smallest.back());
    }
    if (refusedRow < 0)
        return false;
    char asked[32];
    char works[32];
    FormatTargetMegabytes(target, asked, sizeof asked);
    if (wholeList) {
        FormatTargetMegabytes(SmallestListTargetBytes(smallest.data(), durations.data(),
                                                      static_cast<int>(smallest.size())),
                              works, sizeof works);
        std::snprintf(text, size,
                      "The target size %s is too small for the whole list.\n\nThe smallest target "
                      "that works for this list is %s. Nothing was converted.",
                      asked, works);
    } else {
        FormatTargetMegabytes(smallestForEach, works, sizeof works);
        std::snprintf(text, size,
                      "The target size %s is too small for %s.\n\nThe smallest target that works "
                      "for each file of this list is %s. Nothing was converted.",
                      asked, sources.Path(refusedRow), works);
    }
    return true;
}

bool RowCappedBelowTarget(const ConversionSettings& settings, const SourceTable& sources,
                          int32_t row) {
    const SourceRow* facts = sources.At(row);
    if (facts == nullptr || TargetBytes(settings) <= 0 || !FormatTakesTarget(settings.outputFormat))
        return false;
    return PlanJob(SettingsForRow(settings, sources, row), *facts, kEncoderModeConvert)
        .profile.targetCapped;
}

void AppendCappedNote(int32_t capped, char* text, size_t size) {
    if (capped <= 0 || text == nullptr || size == 0)
        return;
    const size_t length = std::strlen(text);
    if (capped == 1) {
        std::snprintf(text + length, size - length,
                      "\n\n1 file is smaller than the target size: its format allows no higher "
                      "bitrate.");
    } else {
        std::snprintf(text + length, size - length,
                      "\n\n%d files are smaller than the target size: their format allows no "
                      "higher bitrate.",
                      static_cast<int>(capped));
    }
}
