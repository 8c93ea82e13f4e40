#include "encoder/HeaderProbe.h"

#include <cstdint>
#include <vector>

#include "encoder/IsoMediaFile.h"
#include "encoder/SourceFile.h"
#include "media/AviHeaderReader.h"

HeaderProbe ProbeKnownHeader(const std::string& path, VideoInfo& info) {
    info = VideoInfo();
    std::vector<uint8_t> head;
    switch (ReadSourceHead(path, kAviHeaderReadSize, head, AviDataFollowsHeader)) {
    case SourceState::kMissing:
        return HeaderProbe::kMissing;
    case SourceState::kUnreadable:
        return HeaderProbe::kUnreadable;
    case SourceState::kEmpty:
        return HeaderProbe::kEmpty;
    case SourceState::kReadable:
        break;
    }
    // An AVI cut inside its header has a header that lies: FFmpeg judges it.
    if (ReadAviHeader(head.data(), head.size(), info) && info.IsUsable() &&
        AviDataFollowsHeader(head.data(), head.size())) {
        return HeaderProbe::kRead;
    }
    // Fragmented files and those without a video track are left to FFmpeg.
    if (LooksLikeIsoMedia(head.data(), head.size())) {
        const IsoMediaResult iso = ReadIsoMediaFile(path, info);
        if (iso == IsoMediaResult::kRead)
            return HeaderProbe::kRead;
        if (iso == IsoMediaResult::kDolbyVisionOnly) {
            info = VideoInfo();
            return HeaderProbe::kDolbyVisionOnly;
        }
    }
    info = VideoInfo();
    return HeaderProbe::kNotKnown;
}
