#include "media/IsoMediaReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes LoadFixture(const char* name) {
    std::string path = std::string(ENCODER_FIXTURE_DIR) + name;
    Bytes bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        uint8_t buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

// Counts what the reader asks for, so a test can see it skipped the data.
class CountingSource : public MemoryByteSource {
public:
    explicit CountingSource(const Bytes& bytes) : MemoryByteSource(bytes.data(), bytes.size()) {}
    bool ReadAt(uint64_t offset, uint8_t* out, size_t count) override {
        bytesRead += count;
        return MemoryByteSource::ReadAt(offset, out, count);
    }
    size_t bytesRead = 0;
};

IsoMediaResult Read(const Bytes& bytes, VideoInfo& info) {
    MemoryByteSource source(bytes.data(), bytes.size());
    return ReadIsoMedia(source, info);
}

// Offset of the first top-level box of `type`, or npos.
size_t TopLevelBox(const Bytes& bytes, const char* type) {
    size_t offset = 0;
    while (offset + 8 <= bytes.size()) {
        uint32_t size = (uint32_t(bytes[offset]) << 24) | (bytes[offset + 1] << 16) |
                        (bytes[offset + 2] << 8) | bytes[offset + 3];
        if (std::string(bytes.begin() + offset + 4, bytes.begin() + offset + 8) == type)
            return offset;
        if (size < 8)
            break;
        offset += size;
    }
    return std::string::npos;
}

void PutBe(Bytes& bytes, size_t at, uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * (width - 1 - i)));
}

// What FFmpeg writes for files over 4 GB: the 8-byte "free" box before the
// data becomes part of a 16-byte "mdat" header with a 64-bit size, and the
// movie box at the end gets a 64-bit header as well.
Bytes WithLargeSizes(Bytes bytes) {
    size_t free = TopLevelBox(bytes, "free");
    size_t mdat = TopLevelBox(bytes, "mdat");
    size_t moov = TopLevelBox(bytes, "moov");
    if (free == std::string::npos || mdat != free + 8 || moov < mdat)
        return Bytes();
    uint64_t mdatSize = (uint64_t(bytes[mdat]) << 24) | (bytes[mdat + 1] << 16) |
                        (bytes[mdat + 2] << 8) | bytes[mdat + 3];
    PutBe(bytes, free, 1, 4);
    std::copy_n("mdat", 4, bytes.begin() + free + 4);
    PutBe(bytes, free + 8, mdatSize + 8, 8);
    Bytes body(bytes.begin() + moov + 8, bytes.end());
    bytes.resize(moov);
    Bytes header = {0, 0, 0, 1, 'm', 'o', 'o', 'v', 0, 0, 0, 0, 0, 0, 0, 0};
    PutBe(header, 8, body.size() + 16, 8);
    bytes.insert(bytes.end(), header.begin(), header.end());
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

// A box of `type` around `body`.
Bytes Box(const char* type, const Bytes& body) {
    Bytes box(8 + body.size());
    PutBe(box, 0, body.size() + 8, 4);
    std::copy_n(type, 4, box.begin() + 4);
    std::copy(body.begin(), body.end(), box.begin() + 8);
    return box;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The body of a movie of one 2 s, 25 fps, 640x360 video track whose sample
// entry ("hvc1" or "dvh1") holds the child boxes `extra`.
Bytes MovieWith(const char* entryType, const Bytes& extra) {
    Bytes header(20); // version 0: times, timescale 1000, duration 2000
    PutBe(header, 12, 1000, 4);
    PutBe(header, 16, 2000, 4);
    Bytes hdlr(12);
    std::copy_n("vide", 4, hdlr.begin() + 8);
    Bytes entry(78);
    PutBe(entry, 24, 640, 2);
    PutBe(entry, 26, 360, 2);
    Bytes stsd(8);
    PutBe(stsd, 4, 1, 4);
    Bytes stts(16); // 50 samples of 40 ms
    PutBe(stts, 4, 1, 4);
    PutBe(stts, 8, 50, 4);
    PutBe(stts, 12, 40, 4);
    const Bytes stbl = Box(
        "stbl",
        Join({Box("stsd", Join({stsd, Box(entryType, Join({entry, extra}))})), Box("stts", stts)}));
    return Join(
        {Box("mvhd", header), Box("trak", Box("mdia", Join({Box("mdhd", header), Box("hdlr", hdlr),
                                                            Box("minf", stbl)})))});
}

// A Dolby Vision configuration record: version 1.0, the profile at level 6
// with an RPU and a base layer, and the base layer's compatibility id.
Bytes DolbyVision(const char* type, int profile, int compatibility) {
    Bytes record(24);
    record[0] = 1;
    PutBe(record, 2, (profile << 9) | (6 << 3) | 5, 2);
    record[4] = static_cast<uint8_t>(compatibility << 4);
    return Box(type, record);
}

TEST(ReadIsoMedia, DolbyVisionWithoutACompatibleBaseLayer) {
    struct Case {
        const char* name;
        Bytes movie;
        IsoMediaResult result;
    } cases[] = {
        {"profile 5", MovieWith("dvh1", DolbyVision("dvcC", 5, 0)),
         IsoMediaResult::kDolbyVisionOnly},
        {"profile 10.0 (AV1)", MovieWith("dav1", DolbyVision("dvwC", 10, 0)),
         IsoMediaResult::kDolbyVisionOnly},
        {"profile 8.1: HDR10 base layer", MovieWith("hvc1", DolbyVision("dvvC", 8, 1)),
         IsoMediaResult::kRead},
        {"profile 8.4: HLG base layer", MovieWith("hvc1", DolbyVision("dvvC", 8, 4)),
         IsoMediaResult::kRead},
        {"after another box",
         MovieWith("dvh1", Join({Box("hvcC", Bytes(23)), DolbyVision("dvcC", 5, 0)})),
         IsoMediaResult::kDolbyVisionOnly},
        {"record cut short", MovieWith("dvh1", Box("dvcC", Bytes(4))), IsoMediaResult::kRead},
        {"no configuration", MovieWith("hvc1", Bytes()), IsoMediaResult::kRead},
    };
    for (const Case& c : cases) {
        VideoInfo info;
        EXPECT_EQ(c.result, ReadIsoMovie(c.movie.data(), c.movie.size(), info)) << c.name;
        EXPECT_EQ(c.result == IsoMediaResult::kRead, info.IsUsable()) << c.name;
    }
}

// ---- Files written by FFmpeg (see fixtures/make-iso-fixtures.sh) ----

TEST(ReadIsoMedia, FilesWrittenByFfmpeg) {
    struct Case {
        const char* file;
        IsoMediaResult result;
        int32_t width, height;
        double fps;
    };
    const Case cases[] = {
        {"iso-h264-96x64-10fps-moov-end.mp4", IsoMediaResult::kRead, 96, 64, 10.0},
        {"iso-h264-96x64-10fps-moov-start.mp4", IsoMediaResult::kRead, 96, 64, 10.0},
        {"iso-rotate90.mp4", IsoMediaResult::kRead, 64, 96, 10.0}, // shown upright: sides swapped
        {"iso-rotate270.mp4", IsoMediaResult::kRead, 64, 96, 10.0},
        {"iso-mpeg4-2997fps.mov", IsoMediaResult::kRead, 96, 64, 30000.0 / 1001},
        {"iso-fragmented.mp4", IsoMediaResult::kFragmented, 0, 0, 0.0},
        {"iso-audio-only.m4a", IsoMediaResult::kNoVideoTrack, 0, 0, 0.0},
    };
    for (const Case& c : cases) {
        Bytes bytes = LoadFixture(c.file);
        ASSERT_GT(bytes.size(), 1000u) << c.file;
        EXPECT_TRUE(LooksLikeIsoMedia(bytes.data(), bytes.size())) << c.file;
        VideoInfo info;
        EXPECT_EQ(c.result, Read(bytes, info)) << c.file;
        EXPECT_EQ(c.width, info.width) << c.file;
        EXPECT_EQ(c.height, info.height) << c.file;
        EXPECT_NEAR(c.fps, info.framesPerSecond, 0.01) << c.file;
        if (c.result == IsoMediaResult::kRead) {
            EXPECT_NEAR(2.0, info.durationSeconds, 0.1) << c.file;
            EXPECT_TRUE(info.IsUsable()) << c.file;
        } else {
            EXPECT_EQ(0.0, info.durationSeconds) << c.file;
        }
    }
}

TEST(ReadIsoMedia, SixtyFourBitBoxSizes) {
    for (const char* file : {"iso-h264-96x64-10fps-moov-end.mp4", "iso-rotate270.mp4"}) {
        Bytes bytes = WithLargeSizes(LoadFixture(file));
        ASSERT_FALSE(bytes.empty()) << file;
        VideoInfo info;
        EXPECT_EQ(IsoMediaResult::kRead, Read(bytes, info)) << file;
        EXPECT_EQ(96 * 64, info.width * info.height) << file;
        EXPECT_NEAR(2.0, info.durationSeconds, 0.1) << file;
    }
}

TEST(ReadIsoMedia, MovieAtTheEndIsReachedWithoutReadingTheData) {
    Bytes bytes = LoadFixture("iso-h264-96x64-10fps-moov-end.mp4");
    ASSERT_FALSE(bytes.empty());
    CountingSource source(bytes);
    VideoInfo info;
    ASSERT_EQ(IsoMediaResult::kRead, ReadIsoMedia(source, info));
    EXPECT_LT(source.bytesRead, bytes.size() - TopLevelBox(bytes, "moov") + 100);
}

TEST(ReadIsoMedia, EveryTruncationIsSafeAndNeverInventsValues) {
    for (const char* file :
         {"iso-h264-96x64-10fps-moov-start.mp4", "iso-h264-96x64-10fps-moov-end.mp4"}) {
        Bytes whole = LoadFixture(file);
        size_t moovEnd = TopLevelBox(whole, "moov") + 883; // the fixtures' movie box size
        for (size_t size = 0; size < whole.size(); ++size) {
            Bytes copy(whole.begin(), whole.begin() + size); // exact size for the sanitizer
            VideoInfo info;
            IsoMediaResult result = Read(copy, info);
            if (size < moovEnd) {
                EXPECT_NE(IsoMediaResult::kRead, result) << file << " cut at " << size;
            } else if (result == IsoMediaResult::kRead) {
                EXPECT_EQ(96, info.width) << file << " cut at " << size;
            }
            // The movie box's contents alone, cut anywhere.
            ReadIsoMovie(copy.data(), copy.size(), info);
        }
    }
}

TEST(ReadIsoMedia, HostileBoxes) {
    struct Case {
        const char* name;
        Bytes bytes;
        IsoMediaResult result;
    };
    const Case cases[] = {
        {"empty", {}, IsoMediaResult::kNoMovie},
        {"not a box",
         {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '},
         IsoMediaResult::kNotIsoMedia},
        {"size below its header", {0, 0, 0, 4, 'f', 't', 'y', 'p'}, IsoMediaResult::kNotIsoMedia},
        {"64-bit size below its header",
         {0, 0, 0, 1, 'f', 't', 'y', 'p', 0, 0, 0, 0, 0, 0, 0, 9},
         IsoMediaResult::kNotIsoMedia},
        {"size beyond the file",
         {0, 0, 0, 64, 'f', 't', 'y', 'p', 'i', 's', 'o', 'm'},
         IsoMediaResult::kNoMovie},
        {"huge 64-bit size",
         {0, 0, 0, 1, 'm', 'o', 'o', 'v', 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff},
         IsoMediaResult::kNoMovie},
        {"movie to the end, empty",
         {0, 0, 0, 0, 'm', 'o', 'o', 'v'},
         IsoMediaResult::kNoVideoTrack},
        {"track with a lying child",
         {0,   0,   0,   24,  'm',  'o',  'o',  'v',  0,   0,   0,   16,
          't', 'r', 'a', 'k', 0xff, 0xff, 0xff, 0xf0, 'm', 'd', 'i', 'a'},
         IsoMediaResult::kNoVideoTrack},
        {"fragment before any movie",
         {0, 0, 0, 8, 'f', 'r', 'e', 'e', 0, 0, 0, 8, 'm', 'o', 'o', 'f'},
         IsoMediaResult::kFragmented},
    };
    for (const Case& c : cases) {
        Bytes copy = c.bytes;
        VideoInfo info;
        EXPECT_EQ(c.result, Read(copy, info)) << c.name;
        EXPECT_FALSE(info.IsUsable()) << c.name;
    }
}

TEST(ReadIsoMedia, ScrambledHeadersAreSafe) {
    Bytes original = LoadFixture("iso-rotate90.mp4");
    ASSERT_FALSE(original.empty());
    size_t moov = TopLevelBox(original, "moov");
    uint32_t seed = 4242;
    for (int round = 0; round < 2000; ++round) {
        Bytes bytes = original;
        for (int i = 0; i < 6; ++i) {
            seed = seed * 1103515245u + 12345u;
            bytes[moov + (seed >> 8) % 883] =
                static_cast<uint8_t>(seed >> 24); // sizes, versions, counts
        }
        VideoInfo info;
        if (Read(bytes, info) == IsoMediaResult::kRead) {
            EXPECT_TRUE(info.IsUsable());
            EXPECT_LE(info.width, 32768);
            EXPECT_LE(info.framesPerSecond, 10000.0);
        } else {
            EXPECT_FALSE(info.IsUsable());
        }
    }
}

} // namespace
