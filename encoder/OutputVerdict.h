// The rules a finished output must meet before it takes its name: FFmpeg
// opens it, every stream it was asked to write is there, it lasts what was
// converted within max(0.5 s, 2 %), and its last seconds decode. Pure.
#pragma once

#include "encoder/FfmpegBannerReader.h"
#include "protocol/EncoderEvents.h"

// How far an output's duration may be from `seconds`.
double DurationTolerance(double seconds);

// `asked`: the conversion's "Output #0"; `convertedSeconds`: what was
// converted (negative when unknown: no duration rule); `found`: the check's
// "Input #0", the output itself; `tailDecoded`: its last seconds decoded.
OutputFault JudgeOutput(const FfmpegSection& asked, double convertedSeconds,
                        const FfmpegSection& found, bool tailDecoded);

// The seconds converted: the source's duration, cut at -endpos when given
// (negative for "absent"); negative when the source's duration is unknown.
double ConvertedSeconds(double sourceSeconds, double endSeconds);
