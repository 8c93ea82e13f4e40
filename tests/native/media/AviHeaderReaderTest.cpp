#include "media/AviHeaderReader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// ---- A small builder for AVI headers ----

std::string Le32(uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (8 * i)) & 0xff);
    return s;
}

std::string Chunk(const char* id, const std::string& body, uint32_t declared) {
    std::string s = std::string(id, 4) + Le32(declared) + body;
    if (body.size() % 2 == 1)
        s.push_back('\0');
    return s;
}
std::string Chunk(const char* id, const std::string& body) {
    return Chunk(id, body, static_cast<uint32_t>(body.size()));
}
std::string List(const char* type, const std::string& body) {
    return Chunk("LIST", std::string(type, 4) + body);
}
std::string Riff(const std::string& body) {
    return Chunk("RIFF", "AVI " + body);
}

std::string Avih(uint32_t microSecPerFrame, uint32_t frames, uint32_t width, uint32_t height) {
    return Chunk("avih", Le32(microSecPerFrame) + Le32(0) + Le32(0) + Le32(0x10) + Le32(frames) +
                             Le32(0) + Le32(1) + Le32(0) + Le32(width) + Le32(height) +
                             std::string(16, '\0'));
}
std::string Strh(const char* type, uint32_t scale, uint32_t rate, uint32_t length) {
    return Chunk("strh", std::string(type, 4) + "FMP4" + Le32(0) + Le32(0) + Le32(0) + Le32(scale) +
                             Le32(rate) + Le32(0) + Le32(length) + std::string(20, '\0'));
}
std::string Strf(int32_t width, int32_t height) {
    return Chunk("strf", Le32(40) + Le32(static_cast<uint32_t>(width)) +
                             Le32(static_cast<uint32_t>(height)) + std::string(28, '\0'));
}
std::string AudioList() {
    return List("strl", Strh("auds", 1, 44100, 132300) + Chunk("strf", std::string(18, '\1')));
}
std::string VideoList(uint32_t scale, uint32_t rate, uint32_t length, int32_t w, int32_t h) {
    return List("strl", Strh("vids", scale, rate, length) + Strf(w, h));
}
std::string Movi() {
    return List("movi", Chunk("00dc", std::string(100, 'x')));
}

bool Read(const std::string& bytes, VideoInfo& info) {
    return ReadAviHeader(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), info);
}

std::string LoadFixture(const char* name) {
    std::string path = std::string(ENCODER_FIXTURE_DIR) + name;
    std::string bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.append(buffer, n);
        std::fclose(f);
    }
    return bytes;
}

// ---- Headers written by FFmpeg (cut at the start of the data) ----

TEST(ReadAviHeader, HeadersWrittenByFfmpeg) {
    struct Case {
        const char* file;
        int32_t width, height;
        double fps, seconds;
    };
    const Case cases[] = {
        {"mpeg4-640x480-25fps-3s-header.avi", 640, 480, 25.0, 76 / 25.0}, // 76 frames
        {"xvid-720x400-2997fps-2s-header.avi", 720, 400, 30000.0 / 1001, 60 * 1001 / 30000.0},
    };
    for (const Case& c : cases) {
        std::string bytes = LoadFixture(c.file);
        ASSERT_GT(bytes.size(), 1000u) << c.file;
        VideoInfo info;
        ASSERT_TRUE(Read(bytes, info)) << c.file;
        EXPECT_EQ(c.width, info.width) << c.file;
        EXPECT_EQ(c.height, info.height) << c.file;
        EXPECT_NEAR(c.fps, info.framesPerSecond, 1e-9) << c.file;
        EXPECT_NEAR(c.seconds, info.durationSeconds, 1e-6) << c.file;
    }
}

TEST(ReadAviHeader, EveryTruncationOfARealHeaderIsSafe) {
    std::string bytes = LoadFixture("mpeg4-640x480-25fps-3s-header.avi");
    ASSERT_FALSE(bytes.empty());
    for (size_t size = 0; size <= bytes.size(); ++size) {
        std::vector<uint8_t> copy(bytes.begin(),
                                  bytes.begin() + size); // exact size for the sanitizer
        VideoInfo info;
        if (ReadAviHeader(copy.data(), copy.size(), info)) {
            EXPECT_EQ(640, info.width) << size;
            EXPECT_EQ(480, info.height) << size;
        }
    }
}

TEST(ReadAviHeader, ScrambledBytesAreSafe) {
    std::string original = LoadFixture("xvid-720x400-2997fps-2s-header.avi");
    ASSERT_FALSE(original.empty());
    uint32_t seed = 12345;
    for (int round = 0; round < 300; ++round) {
        std::vector<uint8_t> bytes(original.begin(), original.end());
        for (int i = 0; i < 8; ++i) {
            seed = seed * 1103515245u + 12345u;
            // Hit the first 300 bytes mostly: that is where the sizes are.
            size_t at = (seed >> 8) % (i < 6 ? 300 : bytes.size());
            bytes[at] = static_cast<uint8_t>(seed >> 24);
        }
        VideoInfo info;
        ReadAviHeader(bytes.data(), bytes.size(), info);
    }
}

TEST(ReadAviHeader, BuiltHeaders) {
    struct Case {
        const char* name;
        std::string bytes;
        bool ok;
        int32_t width = 0, height = 0;
        double fps = 0, seconds = 0;
    };
    const std::string avih = Avih(40000, 100, 320, 240);
    const Case cases[] = {
        {"plain", Riff(List("hdrl", avih + VideoList(1, 25, 100, 320, 240)) + Movi()), true, 320,
         240, 25, 4},
        {"audio stream first",
         Riff(List("hdrl", avih + AudioList() + VideoList(1001, 30000, 300, 320, 240))), true, 320,
         240, 30000.0 / 1001, 10.01},
        {"top-down bitmap", Riff(List("hdrl", avih + VideoList(1, 25, 50, 320, -240))), true, 320,
         240, 25, 2},
        {"bitmap size zero: main header's", Riff(List("hdrl", avih + VideoList(1, 25, 50, 0, 0))),
         true, 320, 240, 25, 2},
        {"zero rate: frame time of the main header",
         Riff(List("hdrl", avih + VideoList(0, 0, 100, 320, 240))), true, 320, 240, 25, 4},
        {"OpenDML total frames",
         Riff(List("hdrl", avih + VideoList(1, 25, 100, 320, 240) +
                               List("odml", Chunk("dmlh", Le32(250000) + std::string(244, '\0'))))),
         true, 320, 240, 25, 10000},
        {"no length: main header's frames",
         Riff(List("hdrl", avih + VideoList(1, 25, 0, 320, 240))), true, 320, 240, 25, 4},
        {"huge count", Riff(List("hdrl", avih + VideoList(1, 1, 0xffffffffu, 320, 240))), true, 320,
         240, 1, 4294967295.0},
        {"RIFF size larger than the file",
         Chunk("RIFF", "AVI " + List("hdrl", avih + VideoList(1, 25, 100, 320, 240)), 0xfffffff0u),
         true, 320, 240, 25, 4},
        {"zero rate everywhere",
         Riff(List("hdrl", Avih(0, 100, 320, 240) + VideoList(0, 0, 100, 320, 240))), false},
        {"absurd rate",
         Riff(List("hdrl", avih.substr(0, 8) + Le32(0) + avih.substr(12) +
                               VideoList(1000000000, 1, 5, 320, 240))),
         false},
        {"no video stream", Riff(List("hdrl", avih + AudioList()) + Movi()), false},
        {"no size anywhere",
         Riff(List("hdrl", Avih(40000, 100, 0, 0) + VideoList(1, 25, 100, 0, 0))), false},
        {"giant size",
         Riff(List("hdrl",
                   Avih(40000, 100, 100000, 100000) + VideoList(1, 25, 100, 100000, 100000))),
         false},
        {"stream header cut short",
         Riff(List("hdrl", avih + List("strl", Chunk("strh", "vids" + Le32(0))))), false},
        {"list size past the end",
         Riff(Chunk("LIST", "hdrl" + avih + Strh("vids", 1, 25, 100), 0x7fffffff)), false},
        {"stream list outside hdrl ignored before data",
         Riff(List("hdrl", avih) + Movi() + VideoList(1, 25, 1, 1, 1)), false},
        {"WAVE file", Chunk("RIFF", "WAVE" + Chunk("fmt ", std::string(16, '\0'))), false},
        {"text", "This is not a video at all, just some text renamed to .avi\n", false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        VideoInfo info;
        EXPECT_EQ(c.ok, Read(c.bytes, info)) << c.name;
        if (!c.ok)
            continue;
        EXPECT_EQ(c.width, info.width) << c.name;
        EXPECT_EQ(c.height, info.height) << c.name;
        EXPECT_NEAR(c.fps, info.framesPerSecond, 1e-9) << c.name;
        EXPECT_NEAR(c.seconds, info.durationSeconds, 1e-6) << c.name;
    }
    VideoInfo info;
    EXPECT_FALSE(ReadAviHeader(nullptr, 100, info));
}

TEST(AviDataFollowsHeader, OnlyWhenTheDataListIsReached) {
    const std::string header =
        List("hdrl", Avih(40000, 100, 320, 240) + VideoList(1, 25, 100, 320, 240));
    struct Case {
        const char* name;
        std::string bytes;
        bool follows;
    };
    const Case cases[] = {
        {"header and data", Riff(header + Movi()), true},
        {"junk between header and data",
         Riff(header + Chunk("JUNK", std::string(300, '\0')) + Movi()), true},
        {"header only", Riff(header), false},
        {"cut inside the header", Riff(header + Movi()).substr(0, 100), false},
        {"data list without a header (the header reader refuses it)", Riff(Movi()), true},
        {"header list claiming more than the file",
         Riff(Chunk("LIST", "hdrl" + std::string(40, '\0'), 0x7fffffff)), false},
        {"WAVE file", Chunk("RIFF", "WAVE" + Chunk("fmt ", std::string(16, '\0'))), false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.follows, AviDataFollowsHeader(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                                                  c.bytes.size()))
            << c.name;
    }
    EXPECT_FALSE(AviDataFollowsHeader(nullptr, 100));
}

TEST(MakeProbeReport, WholeSecondsAndUnits) {
    struct Case {
        VideoInfo info;
        int32_t duration, width, height, units;
    };
    const Case cases[] = {
        {{4.0, 640, 480, 25.0}, 4, 640, 480, 250000000},
        {{2.002, 720, 400, 30000.0 / 1001}, 2, 720, 400, 299700300},
        {{59.99, 320, 240, 23.976}, 59, 320, 240, 239760000},
        {{0.4, 320, 240, 25.0}, 1, 320, 240, 250000000}, // a short clip is still usable
        {{4294967295.0, 320, 240, 1000.0}, 2147483647, 320, 240, 2147483647},
        {{0.0, 640, 480, 25.0}, 0, 0, 0, 0}, // no duration: unusable
        {{4.0, 0, 480, 25.0}, 0, 0, 0, 0},
        {{4.0, 640, 480, 0.0}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        ProbeReport r = MakeProbeReport(c.info);
        EXPECT_EQ(c.duration, r.durationSeconds) << c.info.durationSeconds;
        EXPECT_EQ(c.width, r.width);
        EXPECT_EQ(c.height, r.height);
        EXPECT_EQ(c.units, r.frameRateUnits) << c.info.framesPerSecond;
    }
}

} // namespace
