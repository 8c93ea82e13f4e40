#include "media/AviHeaderReader.h"

#include <cstring>

namespace {

constexpr int kMaxDepth = 4; // RIFF > hdrl > strl or odml > chunk
constexpr double kLowestFps = 0.001;
constexpr double kHighestFps = 10000.0;
constexpr int32_t kLargestSide = 32768;

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool IsTag(const uint8_t* p, const char* tag) {
    return std::memcmp(p, tag, 4) == 0;
}

struct Walk {
    const uint8_t* data;
    // From the main header.
    uint32_t microSecPerFrame = 0;
    uint32_t mainTotalFrames = 0;
    uint32_t mainWidth = 0;
    uint32_t mainHeight = 0;
    // From the first video stream.
    bool inVideoList = false; // the stream list being walked is the first video stream
    bool videoDone = false;
    uint32_t scale = 0;
    uint32_t rate = 0;
    uint32_t length = 0;
    int32_t bitmapWidth = 0;
    int32_t bitmapHeight = 0;
    // OpenDML.
    uint32_t odmlTotalFrames = 0;
    bool reachedData = false;

    void Chunk(const uint8_t* body, size_t length) {
        if (IsTag(body - 8, "avih") && length >= 40) {
            microSecPerFrame = Read32(body);
            mainTotalFrames = Read32(body + 16);
            mainWidth = Read32(body + 32);
            mainHeight = Read32(body + 36);
        } else if (IsTag(body - 8, "strh") && length >= 36) {
            if (!videoDone && IsTag(body, "vids")) {
                inVideoList = true;
                scale = Read32(body + 20);
                rate = Read32(body + 24);
                this->length = Read32(body + 32);
            }
        } else if (IsTag(body - 8, "strf") && length >= 12 && inVideoList) {
            bitmapWidth = static_cast<int32_t>(Read32(body + 4));
            bitmapHeight = static_cast<int32_t>(Read32(body + 8));
        } else if (IsTag(body - 8, "dmlh") && length >= 4) {
            odmlTotalFrames = Read32(body);
        }
    }

    // Walks the chunks in [begin, end), offsets into data.
    void Chunks(size_t begin, size_t end, int depth) {
        size_t pos = begin;
        while (!reachedData && pos < end && end - pos >= 8) {
            const uint8_t* header = data + pos;
            size_t declared = Read32(header + 4);
            size_t bodyStart = pos + 8;
            size_t available = end - bodyStart;
            size_t bodyLength = declared < available ? declared : available;
            if (IsTag(header, "LIST") && bodyLength >= 4) {
                const uint8_t* type = data + bodyStart;
                if (IsTag(type, "movi")) {
                    reachedData = true; // the header lists all come before the data
                } else if (depth < kMaxDepth &&
                           (IsTag(type, "hdrl") || IsTag(type, "strl") || IsTag(type, "odml"))) {
                    bool streamList = IsTag(type, "strl");
                    Chunks(bodyStart + 4, bodyStart + bodyLength, depth + 1);
                    if (streamList && inVideoList) {
                        inVideoList = false;
                        videoDone = true;
                    }
                }
            } else {
                Chunk(data + bodyStart, bodyLength);
            }
            if (declared > available)
                return; // a size past the end: nothing follows
            size_t advance = 8 + declared + (declared & 1);
            if (advance > end - pos)
                return;
            pos += advance;
        }
    }
};

bool Plausible(int32_t side) {
    return side > 0 && side <= kLargestSide;
}

int32_t Magnitude(int32_t value) {
    if (value == INT32_MIN)
        return 0;
    return value < 0 ? -value : value;
}

} // namespace

bool ReadAviHeader(const uint8_t* data, size_t size, VideoInfo& info) {
    info = VideoInfo();
    if (data == nullptr || size < 12 || !IsTag(data, "RIFF") || !IsTag(data + 8, "AVI "))
        return false;
    size_t declared = Read32(data + 4);
    size_t end = declared < size - 8 ? 8 + declared : size;
    Walk walk;
    walk.data = data;
    walk.Chunks(12, end, 1);
    if (!walk.videoDone)
        return false;

    int32_t width = Magnitude(walk.bitmapWidth);
    int32_t height = Magnitude(walk.bitmapHeight);
    if (!Plausible(width) || !Plausible(height)) {
        width = walk.mainWidth <= static_cast<uint32_t>(kLargestSide)
                    ? static_cast<int32_t>(walk.mainWidth)
                    : 0;
        height = walk.mainHeight <= static_cast<uint32_t>(kLargestSide)
                     ? static_cast<int32_t>(walk.mainHeight)
                     : 0;
    }
    double fps = 0.0;
    if (walk.rate > 0 && walk.scale > 0) {
        fps = static_cast<double>(walk.rate) / walk.scale;
    } else if (walk.microSecPerFrame > 0) {
        fps = 1000000.0 / walk.microSecPerFrame;
    }
    if (fps < kLowestFps || fps > kHighestFps)
        fps = 0.0;

    uint32_t frames = walk.length;
    if (walk.odmlTotalFrames > frames)
        frames = walk.odmlTotalFrames;
    if (frames == 0)
        frames = walk.mainTotalFrames;

    info.width = Plausible(width) && Plausible(height) ? width : 0;
    info.height = info.width > 0 ? height : 0;
    info.framesPerSecond = fps;
    info.durationSeconds = fps > 0.0 ? frames / fps : 0.0;
    return info.HasPicture();
}

bool AviDataFollowsHeader(const uint8_t* data, size_t size) {
    if (data == nullptr || size < 12 || !IsTag(data, "RIFF") || !IsTag(data + 8, "AVI "))
        return false;
    size_t declared = Read32(data + 4);
    size_t end = declared < size - 8 ? 8 + declared : size;
    Walk walk;
    walk.data = data;
    walk.Chunks(12, end, 1);
    return walk.reachedData;
}
