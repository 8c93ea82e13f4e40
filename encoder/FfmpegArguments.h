// Translation of a parsed encoder command into the arguments of ffmpeg.exe.
#pragma once

#include <string>
#include <vector>

#include "encoder/EncoderCommand.h"
#include "encoder/PictureFilters.h"
#include "encoder/StreamList.h"

struct FfmpegTarget {
    std::string outputPath;     // where FFmpeg writes (a temporary name beside the output)
    double sourceFrameRate = 0; // 0 when unknown; used for Xvid's key interval only
    PictureFacts picture;       // the source's picture as FFmpeg reads it; unknown: as it comes
    StreamList streams;         // the source's streams as FFmpeg lists them; empty: unknown
    bool progress = true;       // add "-progress pipe:1 -nostats"
};

// Fills args (without the program name) for a conversion. Returns false with
// a one-line message when the command lacks what a conversion needs.
bool TranslateToFfmpeg(const EncoderCommand& command, const FfmpegTarget& target,
                       std::vector<std::string>& args, std::string& error);

// FFmpeg's name of an MEncoder -sws scaler number (2 is bicubic).
const char* ScalerName(int sws);
