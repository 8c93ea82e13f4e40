// Reads duration, picture size and frame rate from the text that
// "ffmpeg -hide_banner -i SRC" prints about its input.
#pragma once

#include <string>
#include <vector>

#include "media/VideoInfo.h"

// Returns true when the text names a video stream with a picture size and a
// frame rate ("fps", else "tbr"); the duration is 0 when it reads "N/A".
// A cover picture is not a video stream. A picture turned by a quarter
// ("rotate" tag or display matrix) is reported with its sides swapped.
bool ReadFfmpegBanner(const std::string& text, VideoInfo& info);

// True when the text describes an input with streams, none of them video.
bool FfmpegBannerHasNoVideo(const std::string& text);

// What FFmpeg's text says under one heading ("Input #0", "Output #0"): its
// duration (-1 when absent or "N/A") and its video and audio streams.
struct FfmpegSection {
    bool found = false;
    double durationSeconds = -1.0;
    int videoStreams = 0; // cover pictures not counted
    int audioStreams = 0;
};
FfmpegSection ReadFfmpegSection(const std::string& text, const char* heading);

// The comma-separated fields of the first video stream's line after "Video: "
// ("h264 (High)", "yuv420p(tv, bt709, top first)", "1920x1080 [SAR 1:1 DAR
// 16:9]", ...); empty without a video stream.
std::vector<std::string> FfmpegVideoFields(const std::string& text);
