// Reads duration, picture size and frame rate from the text that
// "ffmpeg -hide_banner -i SRC" prints about its input.
#pragma once

#include <string>

#include "encoder/VideoInfo.h"

// Returns true when the text names a video stream with a picture size and a
// frame rate ("fps", else "tbr"); the duration is 0 when it reads "N/A".
bool ReadFfmpegBanner(const std::string& text, VideoInfo& info);
