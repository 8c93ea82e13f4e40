// A source's facts from its header alone, for the headers read without
// FFmpeg: an AVI whose data follows its header, an MP4 or MOV whose movie box
// tells everything. The encoder's probe and the program's import both use it,
// so a file gets the same facts whichever process reads it.
#pragma once

#include <string>

#include "media/VideoInfo.h"

enum class HeaderProbe {
    kRead,       // info holds the facts
    kMissing,    // no such file
    kUnreadable, // a folder, or the file cannot be opened or read
    kEmpty,
    kDolbyVisionOnly, // an ISO media file FFmpeg would decode in wrong colours
    kNotKnown,   // read, but only FFmpeg can tell what it is
};

HeaderProbe ProbeKnownHeader(const std::string& path, VideoInfo& info);
