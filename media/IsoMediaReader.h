// Reads duration, displayed picture size and average frame rate from the
// header of an ISO base media file (MP4, MOV, M4V, 3GP): the movie header
// "mvhd" and the first video track's "tkhd", "mdhd", "stsd" and "stts". A
// Dolby Vision configuration ("dvcC", "dvvC", "dvwC") in the track's sample
// entry whose base layer is compatible with nothing (profile 5) is told apart.
// Safe on any bytes: every box is bounds-checked, sizes may lie, and the
// walk over the top-level boxes and the movie box is bounded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "media/VideoInfo.h"

// Random access to a file's bytes; the reader asks only for what it needs.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly `count` bytes at `offset`; false when they are not there.
    virtual bool ReadAt(uint64_t offset, uint8_t* out, size_t count) = 0;
};

// A ByteSource over bytes in memory (tests, fuzzing).
class MemoryByteSource : public ByteSource {
public:
    MemoryByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint64_t Size() const override { return size_; }
    bool ReadAt(uint64_t offset, uint8_t* out, size_t count) override;

private:
    const uint8_t* data_;
    size_t size_;
};

enum class IsoMediaResult {
    kRead,            // info holds a usable duration, size and rate
    kNotIsoMedia,     // the file does not start with an ISO base media box
    kNoMovie,         // no complete "moov" box in the file
    kFragmented,      // the samples live in movie fragments: the header says too little
    kNoVideoTrack,    // the movie has no video track
    kIncomplete,      // a video track, but its header leaves a value unknown
    kDolbyVisionOnly, // the video is Dolby Vision without a base layer other decoders show
};

// The largest movie box the reader loads; real ones are far smaller.
constexpr uint64_t kMaxIsoMovieSize = 64ull * 1024 * 1024;

// True when the first bytes look like an ISO base media file's first box.
bool LooksLikeIsoMedia(const uint8_t* data, size_t size);

// Reads the header through `source`. Only kRead leaves a usable info; any
// other result leaves info empty and the caller asks FFmpeg.
IsoMediaResult ReadIsoMedia(ByteSource& source, VideoInfo& info);

// The same on the movie box's contents alone (the bytes after its header).
IsoMediaResult ReadIsoMovie(const uint8_t* data, size_t size, VideoInfo& info);
