// A conversion to a target size: two passes, then one re-encode at a lower
// rate when the output is still over its target.
#pragma once

#include <string>
#include <vector>

#include "encoder/EventReporter.h"
#include "encoder/FfmpegWatch.h"

// single: the arguments of a one-pass encode into temporaryOutput. The pass
// log lies beside temporaryOutput and is removed, whatever the end. An output
// still over targetBytes after the re-encode ends as kExitFfmpegFailed, with
// the sizes in lastError.
FfmpegRunResult RunTargetPasses(const std::string& ffmpegPath,
                                const std::vector<std::string>& single,
                                const std::string& temporaryOutput, long long targetBytes,
                                const EventReporter& reporter);
