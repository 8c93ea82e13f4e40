// What FFmpeg tells about a source's picture (transfer, matrix, range, field
// order), and the filters and tags that turn it into the 8-bit, SDR,
// TV-range picture every output format holds.
#pragma once

#include <string>
#include <vector>

#include "encoder/EncoderCommand.h"

struct PictureFacts {
    bool known = false;
    std::string transfer;   // FFmpeg's names: "smpte2084", "arib-std-b67", "bt709", ...
    std::string matrix;     // "bt709", "bt470bg", "smpte170m", "bt2020nc", ...
    std::string primaries;  // "bt709", "bt2020", ...
    bool fullRange = false; // "pc", or a JPEG-range pixel format
    enum Fields { kProgressive, kTopFirst, kBottomFirst } fields = kProgressive;
    int width = 0;
    int height = 0;
    double fps = 0.0;         // the average rate ("fps"), else the nominal one
    double nominalFps = 0.0;  // FFmpeg's guess of the rate the frames are timed on ("tbr")
    std::string creationTime; // the recording date, "2021-06-05T14:30:00.000000Z"

    // PQ or HLG.
    bool IsHdr() const;
    // The constant rate a source whose frames come at a varying rate (screen
    // and phone recordings) is converted at: the higher of its nominal and
    // average rates, so no moment loses frames. 0 for a steady source.
    double SteadyRate() const;
};

// Reads the first video stream of "ffmpeg -i SRC" output; `known` stays false
// without one.
PictureFacts ReadPictureFacts(const std::string& bannerText);

// Adds the recording date and what the source's picture needs to `chain` (the size filters already
// in it) and to `args` (encoder options before the output). Deinterlacing
// and tone mapping go ahead of the size filters, the colour matrix and range
// conversion after them. Fields stay fields only for an MPEG-2 output that
// keeps the source's size and rate.
void AddPictureTranslation(const PictureFacts& facts, const EncoderCommand& command,
                           std::string& chain, std::vector<std::string>& args);
