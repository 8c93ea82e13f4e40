#include "media/IsoMediaReader.h"

#include <cstring>
#include <initializer_list>
#include <vector>

namespace {

// Bounds of what the reader accepts as a picture and a rate.
constexpr uint32_t kMaxDimension = 32768;
constexpr double kMinFramesPerSecond = 0.01;
constexpr double kMaxFramesPerSecond = 10000.0;
// Bounds of the walks: top-level boxes, and boxes inside the movie.
constexpr int kMaxTopLevelBoxes = 4096;
constexpr int kMaxChildBoxes = 4096;

constexpr uint32_t FourCc(const char (&s)[5]) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(s[0])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(s[2])) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(s[3]));
}

uint32_t Be32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}
uint64_t Be64(const uint8_t* p) {
    return (static_cast<uint64_t>(Be32(p)) << 32) | Be32(p + 4);
}
uint16_t Be16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

struct Span {
    const uint8_t* data = nullptr;
    size_t size = 0;
    bool Has(size_t offset, size_t count) const {
        return data != nullptr && offset <= size && count <= size - offset;
    }
};

// A box header: its type, the header's length and the whole box's length
// (0 when the box runs to the end of its container).
struct BoxHeader {
    uint32_t type = 0;
    uint32_t headerSize = 0;
    uint64_t boxSize = 0;
};

// Reads a box header from `bytes` (at least 8, or 16 for a 64-bit size).
bool ParseHeader(const uint8_t* bytes, size_t available, BoxHeader& header) {
    if (available < 8)
        return false;
    uint32_t size32 = Be32(bytes);
    header.type = Be32(bytes + 4);
    header.headerSize = 8;
    header.boxSize = size32;
    if (size32 == 1) {
        if (available < 16)
            return false;
        header.headerSize = 16;
        header.boxSize = Be64(bytes + 8);
    }
    return header.boxSize == 0 || header.boxSize >= header.headerSize;
}

// Walks the boxes inside a span; a box whose size overruns the span is cut
// at the span's end, and a malformed header ends the walk.
class ChildBoxes {
public:
    explicit ChildBoxes(Span span) : span_(span) {}
    bool Next(uint32_t& type, Span& body) {
        if (count_++ >= kMaxChildBoxes || !span_.Has(offset_, 8))
            return false;
        BoxHeader header;
        if (!ParseHeader(span_.data + offset_, span_.size - offset_, header))
            return false;
        size_t remaining = span_.size - offset_;
        size_t boxSize = (header.boxSize == 0 || header.boxSize > remaining)
                             ? remaining
                             : static_cast<size_t>(header.boxSize);
        type = header.type;
        body.data = span_.data + offset_ + header.headerSize;
        body.size = boxSize - header.headerSize;
        offset_ += boxSize;
        return true;
    }

private:
    Span span_;
    size_t offset_ = 0;
    int count_ = 0;
};

bool FindChild(Span parent, uint32_t wanted, Span& found) {
    ChildBoxes boxes(parent);
    uint32_t type = 0;
    Span body;
    while (boxes.Next(type, body)) {
        if (type == wanted) {
            found = body;
            return true;
        }
    }
    return false;
}

bool FindPath(Span parent, std::initializer_list<uint32_t> path, Span& found) {
    Span current = parent;
    for (uint32_t type : path) {
        if (!FindChild(current, type, current))
            return false;
    }
    found = current;
    return true;
}

// Timescale and duration of an "mvhd" or "mdhd" body (the same layout up to
// the duration). Returns seconds, 0 when unknown.
double HeaderDuration(Span body, uint32_t* timescaleOut = nullptr) {
    if (!body.Has(0, 1))
        return 0.0;
    uint32_t timescale = 0;
    uint64_t duration = 0;
    if (body.data[0] == 1) {
        if (!body.Has(20, 12))
            return 0.0;
        timescale = Be32(body.data + 20);
        duration = Be64(body.data + 24);
        if (duration == UINT64_MAX)
            duration = 0;
    } else {
        if (!body.Has(12, 8))
            return 0.0;
        timescale = Be32(body.data + 12);
        duration = Be32(body.data + 16);
        if (duration == UINT32_MAX)
            duration = 0;
    }
    if (timescaleOut != nullptr)
        *timescaleOut = timescale;
    return timescale == 0 ? 0.0 : static_cast<double>(duration) / timescale;
}

// True when the track header's matrix turns the picture by a quarter turn.
bool QuarterTurn(Span tkhd) {
    if (!tkhd.Has(0, 1))
        return false;
    size_t matrix = tkhd.data[0] == 1 ? 52 : 40;
    if (!tkhd.Has(matrix, 20))
        return false;
    auto magnitude = [](uint32_t v) {
        int64_t s = static_cast<int32_t>(v);
        return s < 0 ? -s : s;
    };
    int64_t a = magnitude(Be32(tkhd.data + matrix));
    int64_t b = magnitude(Be32(tkhd.data + matrix + 4));
    return b > a;
}

// Frames over time in the sample table: the average rate, 0 when unknown.
double AverageRate(Span stts, uint32_t timescale, double trackSeconds, uint64_t& samples) {
    samples = 0;
    if (!stts.Has(0, 8))
        return 0.0;
    uint64_t entries = Be32(stts.data + 4);
    uint64_t fit = (stts.size - 8) / 8;
    if (entries > fit)
        entries = fit;
    double ticks = 0.0;
    for (uint64_t i = 0; i < entries; ++i) {
        const uint8_t* entry = stts.data + 8 + i * 8;
        uint32_t count = Be32(entry);
        samples += count;
        ticks += static_cast<double>(count) * Be32(entry + 4);
    }
    double seconds = (timescale > 0 && ticks > 0.0) ? ticks / timescale : trackSeconds;
    if (samples == 0 || !(seconds > 0.0))
        return 0.0;
    double rate = static_cast<double>(samples) / seconds;
    return (rate >= kMinFramesPerSecond && rate <= kMaxFramesPerSecond) ? rate : 0.0;
}

enum class TrackKind { kOther, kVideo, kDolbyVisionOnly };

// A visual sample entry's fixed part before its child boxes.
constexpr size_t kVisualEntrySize = 8 + 78;

// True when the first sample entry carries a Dolby Vision configuration
// whose base layer signals compatibility with nothing (id 0): decoded
// without Dolby's own processing, its colours are wrong.
bool IsDolbyVisionOnly(Span stsd) {
    if (!stsd.Has(8, kVisualEntrySize))
        return false;
    size_t entry = Be32(stsd.data + 8);
    if (entry > stsd.size - 8)
        entry = stsd.size - 8;
    if (entry <= kVisualEntrySize)
        return false;
    ChildBoxes boxes(Span{stsd.data + 8 + kVisualEntrySize, entry - kVisualEntrySize});
    uint32_t type = 0;
    Span body;
    while (boxes.Next(type, body)) {
        if (type == FourCc("dvcC") || type == FourCc("dvvC") || type == FourCc("dvwC"))
            return body.Has(4, 1) && (body.data[4] >> 4) == 0;
    }
    return false;
}

// Reads one "trak"; fills width, height and rate for a video track.
TrackKind ReadTrack(Span trak, VideoInfo& info, double& trackSeconds) {
    Span hdlr;
    if (!FindPath(trak, {FourCc("mdia"), FourCc("hdlr")}, hdlr) || !hdlr.Has(8, 4) ||
        Be32(hdlr.data + 8) != FourCc("vide")) {
        return TrackKind::kOther;
    }
    Span mdhd;
    Span stsd;
    Span stts;
    uint32_t timescale = 0;
    trackSeconds = FindPath(trak, {FourCc("mdia"), FourCc("mdhd")}, mdhd)
                       ? HeaderDuration(mdhd, &timescale)
                       : 0.0;
    Span stbl;
    if (FindPath(trak, {FourCc("mdia"), FourCc("minf"), FourCc("stbl")}, stbl)) {
        // The first sample description: a visual entry holds the coded size.
        if (FindChild(stbl, FourCc("stsd"), stsd) && stsd.Has(0, 8) && Be32(stsd.data + 4) > 0 &&
            stsd.Has(40, 4)) {
            uint32_t width = Be16(stsd.data + 40);
            uint32_t height = Be16(stsd.data + 42);
            if (width > 0 && height > 0 && width <= kMaxDimension && height <= kMaxDimension) {
                info.width = static_cast<int32_t>(width);
                info.height = static_cast<int32_t>(height);
            }
        }
        if (IsDolbyVisionOnly(stsd))
            return TrackKind::kDolbyVisionOnly;
        uint64_t samples = 0;
        if (FindChild(stbl, FourCc("stts"), stts))
            info.framesPerSecond = AverageRate(stts, timescale, trackSeconds, samples);
    }
    Span tkhd;
    if (FindChild(trak, FourCc("tkhd"), tkhd) && QuarterTurn(tkhd)) {
        int32_t width = info.width;
        info.width = info.height;
        info.height = width;
    }
    return TrackKind::kVideo;
}

} // namespace

bool MemoryByteSource::ReadAt(uint64_t offset, uint8_t* out, size_t count) {
    if (offset > size_ || count > size_ - offset)
        return false;
    if (count > 0)
        std::memcpy(out, data_ + offset, count);
    return true;
}

bool LooksLikeIsoMedia(const uint8_t* data, size_t size) {
    BoxHeader header;
    if (data == nullptr || !ParseHeader(data, size, header))
        return false;
    switch (header.type) {
    case FourCc("ftyp"):
    case FourCc("moov"):
    case FourCc("mdat"):
    case FourCc("free"):
    case FourCc("skip"):
    case FourCc("wide"):
    case FourCc("pnot"):
        return true;
    default:
        return false;
    }
}

IsoMediaResult ReadIsoMovie(const uint8_t* data, size_t size, VideoInfo& info) {
    info = VideoInfo();
    Span movie{data, size};
    Span found;
    if (FindChild(movie, FourCc("mvex"), found))
        return IsoMediaResult::kFragmented;

    double movieSeconds = FindChild(movie, FourCc("mvhd"), found) ? HeaderDuration(found) : 0.0;
    ChildBoxes boxes(movie);
    uint32_t type = 0;
    Span trak;
    while (boxes.Next(type, trak)) {
        if (type != FourCc("trak"))
            continue;
        VideoInfo track;
        double trackSeconds = 0.0;
        const TrackKind kind = ReadTrack(trak, track, trackSeconds);
        if (kind == TrackKind::kDolbyVisionOnly)
            return IsoMediaResult::kDolbyVisionOnly;
        if (kind != TrackKind::kVideo)
            continue;
        track.durationSeconds = movieSeconds > 0.0 ? movieSeconds : trackSeconds;
        if (!track.IsUsable())
            return IsoMediaResult::kIncomplete;
        info = track;
        return IsoMediaResult::kRead;
    }
    return IsoMediaResult::kNoVideoTrack;
}

IsoMediaResult ReadIsoMedia(ByteSource& source, VideoInfo& info) {
    info = VideoInfo();
    uint8_t bytes[16];
    uint64_t fileSize = source.Size();
    uint64_t offset = 0;
    for (int i = 0; i < kMaxTopLevelBoxes && fileSize - offset >= 8; ++i) {
        size_t available = fileSize - offset >= 16 ? 16 : 8;
        if (!source.ReadAt(offset, bytes, available))
            return IsoMediaResult::kNoMovie;
        BoxHeader header;
        if (!ParseHeader(bytes, available, header)) {
            return i == 0 ? IsoMediaResult::kNotIsoMedia : IsoMediaResult::kNoMovie;
        }
        if (i == 0 && !LooksLikeIsoMedia(bytes, available))
            return IsoMediaResult::kNotIsoMedia;
        uint64_t boxSize = header.boxSize == 0 ? fileSize - offset : header.boxSize;
        if (boxSize > fileSize - offset)
            return IsoMediaResult::kNoMovie; // cut short
        if (header.type == FourCc("moof"))
            return IsoMediaResult::kFragmented;
        if (header.type == FourCc("moov")) {
            uint64_t bodySize = boxSize - header.headerSize;
            if (bodySize > kMaxIsoMovieSize)
                return IsoMediaResult::kNoMovie;
            std::vector<uint8_t> movie(static_cast<size_t>(bodySize));
            if (!source.ReadAt(offset + header.headerSize, movie.data(), movie.size()))
                return IsoMediaResult::kNoMovie;
            return ReadIsoMovie(movie.data(), movie.size(), info);
        }
        offset += boxSize;
    }
    return IsoMediaResult::kNoMovie;
}
