// A target-size encode: the FFmpeg arguments of each pass, the pass log's
// files, the rate of a re-encode and the position shown while the passes run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The pass log beside the temporary output, so it shares the temporary's
// folder and process mark: "C:\out\a.~enc12.mp4" -> "C:\out\a.~enc12.mp4.pass".
std::string PassLogBase(const std::string& temporaryOutput);

// Every file the passes can leave under that base: FFmpeg's "-0.log", the
// x264 and x265 tree statistics, and the encoders' ".temp" names of them.
std::vector<std::string> PassLogFiles(const std::string& logBase);

// Whether the video encoder of these arguments encodes in two passes
// through FFmpeg: every one but Xvid, whose FFmpeg wrapper ignores the rate
// in its second pass.
bool HasTwoPasses(const std::vector<std::string>& single);

// The arguments of pass 1 or 2 from those of a single encode (output last):
// the video rate set to videoKbps, and the pass with its log. Pass 0 is a
// single encode at that rate. x265 takes its
// pass and statistics through -x265-params.
std::vector<std::string> PassArguments(const std::vector<std::string>& single, int pass,
                                       const std::string& logBase, int videoKbps);

// The video rate of a single encode (its -b:v), 0 when it has none.
int VideoKbpsOf(const std::vector<std::string>& args);

// The rate of the one re-encode of an output of actualBytes for targetBytes:
// corrected by the measured difference, aiming 3 % under. At least 1.
int ReEncodeVideoKbps(int videoKbps, long long actualBytes, long long targetBytes);

// Whether an output under 90 % of its target is worth encoding again at a
// raised rate: only when the encoder fell short by less than half (more is a
// rate that cannot fill the target, such as a format's maximum).
bool ReEncodeRaises(long long actualBytes, long long targetBytes);

// The position shown for a pass: both passes count, so the first runs the
// bar to half-way and the second from there to the end (durationSeconds is
// what the first pass reached). A re-encode shows the end.
int32_t PassPosition(int pass, int32_t position, int32_t durationSeconds);
