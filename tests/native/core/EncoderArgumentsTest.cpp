#include "core/EncoderArguments.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/SourceTable.h"

namespace {

std::string Compose(const ConversionSettings& s, const EncoderProfile& p, int32_t padWidth = 0,
                    int32_t padHeight = 0, int32_t mode = 0, int64_t handle = 918) {
    char out[kEncoderArgumentsCapacity];
    const EncoderJob job{"C:\\in.avi", "C:\\out.x", padWidth, padHeight, mode, handle};
    EXPECT_TRUE(ComposeEncoderArguments(s, p, job, out, sizeof out));
    return out;
}

// Settings resolved the way a conversion job resolves them.
EncoderProfile Resolved(const ConversionSettings& s, double sourceRate = 25.0) {
    EncoderProfile p;
    ComputeLetterboxPadding(s, 640, 480, p);
    ResolveBitrates(s, p);
    ResolveAspectText(s, p);
    ResolveFrameRate(s, sourceRate, p);
    return p;
}

bool Contains(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
}

TEST(JobArguments, DvdPalLetterboxedMatchesTheReferenceText) {
    ConversionSettings settings;
    settings.outputFormat = kFormatDvd;
    settings.tvMode = 1;
    settings.dvdAspect = 1;
    settings.dvdQuality = 5;
    settings.dvdAudioCodec = 0;
    settings.volume = 20;
    settings.letterbox = 1;
    const SourceRow source{60.0, 640, 480, 25.0};

    const JobPlan plan = PlanJob(settings, source, kEncoderModeConvert);
    EXPECT_EQ(-48, plan.padding.padWidth);
    EXPECT_EQ(36, plan.padding.padHeight);
    char out[kEncoderArgumentsCapacity];
    ASSERT_TRUE(BuildJobArguments(settings, source, "C:\\clips\\holiday.avi",
                                  "C:\\output video\\holiday.vob", kEncoderModeConvert, 918, out,
                                  sizeof out));
    EXPECT_STREQ(
        "\"C:\\clips\\holiday.avi\" -o \"C:\\output video\\holiday.vob\" -oac lavc -ovc lavc -of "
        "mpeg "
        "-lavcopts vcodec=mpeg2video:keyint=15:vrc_buf_size=1835:vrc_maxrate=9400:vbitrate=5000:"
        "acodec=ac3:abitrate=224:autoaspect=1:aspect=16/9 -mpegopts format=dvd "
        "-af volume=+0db:0:lavcresample=48000 -srate 48000 -ofps 25.000000 "
        "-vf scale=720:-3,harddup,expand=720:576 -endpos 9:0:0 0 918",
        out);
}

TEST(JobArguments, AviDivxMp3OriginalSizeMatchesTheReferenceText) {
    ConversionSettings settings;
    settings.outputFormat = kFormatAvi;
    settings.aviVideoCodec = 0;
    settings.aviAudioCodec = 0;
    settings.volume = 26;
    char out[kEncoderArgumentsCapacity];
    ASSERT_TRUE(BuildJobArguments(settings, SourceRow{60.0, 640, 480, 25.0},
                                  "C:\\clips\\party.divx", "C:\\output video\\party.avi",
                                  kEncoderModeConvert, 918, out, sizeof out));
    EXPECT_STREQ(
        "\"C:\\clips\\party.divx\" -o \"C:\\output video\\party.avi\" -oac mp3lame -ovc lavc "
        "-lameopts vbr=3:br=128:mode=3 -lavcopts vcodec=mpeg4:vbitrate=1000:vhq:vqmin=1:vqmax=31:"
        "autoaspect=1 -ffourcc DX50 -of lavf -lavfopts "
        "i_certify_that_my_video_stream_does_not_use_b_frames:format=avi -sws 2 "
        "-af volume=+6db:0:channels=2 -ofps 25.000000 -endpos 9:0:0 0 918",
        out);
}

TEST(JobArguments, AProbeIsNeverPadded) {
    ConversionSettings settings;
    settings.outputFormat = kFormatDvd;
    settings.tvMode = 1;
    // The source's shape is not known before the probe.
    const JobPlan plan = PlanJob(settings, SourceRow{}, kEncoderModeProbe);
    EXPECT_EQ(0, plan.padding.padWidth);
    EXPECT_EQ(0, plan.padding.padHeight);
    EXPECT_EQ(
        0, PlanJob(settings, SourceRow{60.0, 640, 480, 25.0}, kEncoderModeProbe).padding.padHeight);
    char out[kEncoderArgumentsCapacity];
    ASSERT_TRUE(BuildJobArguments(settings, SourceRow{}, "a.avi", "a.vob", kEncoderModeProbe, 77,
                                  out, sizeof out));
    EXPECT_FALSE(Contains(out, "expand="));
    EXPECT_TRUE(Contains(out, " -mpegopts format=dvd"));
    EXPECT_TRUE(Contains(out, " -endpos 9:0:0 1 77"));
}

TEST(EncoderArguments, VolumeText) {
    const struct {
        int32_t slider;
        const char* text;
    } rows[] = {
        {0, "-20db:0"},
        {19, "-1db:0"},
        {20, "+0db:0"},
        {26, "+6db:0"},
        {40, "+20db:0"},
        // A hand-edited value outside the slider counts as its nearest end.
        {-1, "-20db:0"},
        {41, "+20db:0"},
        {200, "+20db:0"},
        {INT32_MIN, "-20db:0"},
        {INT32_MAX, "+20db:0"},
    };
    for (const auto& row : rows) {
        char text[kVolumeTextCapacity];
        FormatVolumeText(row.slider, text, sizeof text);
        EXPECT_STREQ(row.text, text) << row.slider;
    }
}

TEST(EncoderArguments, FrameRatePiece) {
    const struct {
        double fps;
        const char* piece;
    } rows[] = {
        {14.985, " -ofps 15000/1001 "},    {14.985009, " -ofps 15000/1001 "},
        {14.98, " -ofps 14.980000 "},      {23.976005, " -ofps 24000/1001 "},
        {23.9761, " -ofps 23.976100 "},    {29.97, " -ofps 30000/1001 "},
        {25.0, " -ofps 25.000000 "},       {1000.0, " -ofps 1000.000000 "},
        {23.9765625, " -ofps 23.976563 "}, // exact half: same on every runtime
        {59.94, " -ofps 59.940000 "},
    };
    ConversionSettings s;
    for (const auto& row : rows) {
        EncoderProfile p = Resolved(s);
        p.outputFrameRate = row.fps;
        EXPECT_TRUE(Contains(Compose(s, p), row.piece)) << row.fps;
    }
}

TEST(EncoderArguments, PictureFilter) {
    ConversionSettings s;
    EncoderProfile p;
    p.targetWidth = 720;
    p.targetHeight = 480;
    EXPECT_TRUE(
        Contains(Compose(s, p, 80, -60), " -vf scale=-3:480,harddup,expand=720:480 -endpos"));
    EXPECT_TRUE(
        Contains(Compose(s, p, -48, 36), " -vf scale=720:-3,harddup,expand=720:480 -endpos"));
    EXPECT_TRUE(Contains(Compose(s, p, 0, 0), " -vf scale=720:480,harddup -endpos"));
    EXPECT_TRUE(Contains(Compose(s, p, -1, 0), " -vf scale=720:480,harddup -endpos"));
    p.targetHeight = 0;
    EXPECT_FALSE(Contains(Compose(s, p, 0, 0), "-vf"));
}

TEST(EncoderArguments, AudioFilterAndSampleRateOfEveryFormat) {
    const struct {
        int32_t format;
        int32_t audioCodec;
        const char* tail;
    } rows[] = {
        {kFormatAvi, 0, " -af volume=+0db:0:channels=2 -ofps"},
        {kFormatAvi, 1, " -af volume=+0db:0:channels=6:lavcresample=44100 -srate 44100 -ofps"},
        {kFormatMpeg2, 0, " -af volume=+0db:0:channels=2:lavcresample=44100 -srate 44100 -ofps"},
        {kFormatVcd, 0, " -af volume=+0db:0:channels=2:lavcresample=44100 -srate 44100 -ofps"},
        {kFormatSvcd, 0, " -af volume=+0db:0:channels=2:lavcresample=44100 -srate 44100 -ofps"},
        {kFormatDvd, 0, " -af volume=+0db:0:lavcresample=48000 -srate 48000 -ofps"},
        {kFormatWmv, 0, " -af volume=+0db:0:channels=2 -srate 44100 -ofps"},
        {kFormatAsf, 0, " -af volume=+0db:0:channels=2 -srate 44100 -ofps"},
    };
    for (const auto& row : rows) {
        ConversionSettings s;
        s.outputFormat = row.format;
        s.aviAudioCodec = row.audioCodec;
        EXPECT_TRUE(Contains(Compose(s, Resolved(s)), row.tail)) << row.format;
    }
}

TEST(EncoderArguments, Mpeg1PutsTheAudioFilterFirst) {
    ConversionSettings s;
    s.outputFormat = kFormatMpeg1; // quality 3: 1000 / 192, aspect 16/9
    EXPECT_EQ(
        "\"C:\\in.avi\" -o \"C:\\out.x\" -af volume=+0db:0:channels=2:lavcresample=44100 -srate "
        "44100"
        " -oac lavc -ovc lavc -lavcopts vcodec=mpeg1video:keyint=18:vrc_buf_size=327:"
        "vrc_minrate=1000:vbitrate=1000:vrc_maxrate=1000:acodec=mp2:abitrate=192:autoaspect=1:"
        "aspect=16/9 -of lavf -lavfopts "
        "format=mpg:i_certify_that_my_video_stream_does_not_use_b_frames"
        " -ofps 25.000000 -endpos 9:0:0 0 918",
        Compose(s, Resolved(s)));
}

TEST(EncoderArguments, CodecPiecesOfTheAviFamily) {
    const struct {
        int32_t format;
        int32_t video;
        int32_t audio;
        const char* piece;
    } rows[] = {
        {kFormatAvi, 1, 0,
         " -oac mp3lame -ovc xvid -lameopts vbr=3:br=128:mode=3 -xvidencopts "
         "bitrate=1000:autoaspect=1 -of"},
        {kFormatAvi, 1, 1,
         " -oac lavc -ovc xvid -lavcopts acodec=ac3:abitrate=128 -xvidencopts "
         "bitrate=1000:autoaspect=1 -of"},
        {kFormatAvi, 0, 1,
         " -oac lavc -ovc lavc -lavcopts "
         "acodec=ac3:abitrate=128:vcodec=mpeg4:vbitrate=1000:vhq:vqmin=1:vqmax=31:autoaspect=1 "
         "-ffourcc DX50 -of"},
        {kFormatDivx, 1, 1, " -oac lavc -ovc lavc -lavcopts acodec=ac3:abitrate=128:vcodec=mpeg4:"},
        {kFormatXvid, 0, 1, " -oac lavc -ovc xvid -lavcopts acodec=ac3:abitrate=128 -xvidencopts"},
        {kFormatAvi, 2, 0,
         "\" -of lavf -lavfopts i_certify_that_my_video_stream_does_not_use_b_frames:format=avi"},
    };
    for (const auto& row : rows) {
        ConversionSettings s;
        s.outputFormat = row.format;
        s.aviVideoCodec = row.video;
        s.aviAudioCodec = row.audio; // only format 0 reads these
        s.divxAudioCodec = row.format == kFormatDivx ? row.audio : 0;
        s.xvidAudioCodec = row.format == kFormatXvid ? row.audio : 0;
        EXPECT_TRUE(Contains(Compose(s, Resolved(s)), row.piece)) << row.format << " " << row.video;
    }
}

TEST(EncoderArguments, DiscFormatsFollowTvModeAndCodecs) {
    ConversionSettings s;
    s.outputFormat = kFormatSvcd; // quality 4: 2500 / 224
    s.tvMode = 0;
    EXPECT_TRUE(
        Contains(Compose(s, Resolved(s)),
                 " -lavcopts vcodec=mpeg2video:keyint=18:vrc_buf_size=917:vrc_minrate=600:"
                 "vrc_maxrate=2500:vbitrate=2500:acodec=mp2:abitrate=224:autoaspect=1:aspect=16/9 "
                 "-mpegopts format=xsvcd"));
    s.svcdQuality = 0;
    s.tvMode = 1;
    EXPECT_TRUE(
        Contains(Compose(s, Resolved(s)),
                 ":keyint=15:vrc_buf_size=917:vrc_minrate=600:vrc_maxrate=1650:vbitrate=800:"));
    s.outputFormat = kFormatVcd;
    s.dvdAspect = 0;
    EXPECT_TRUE(Contains(
        Compose(s, Resolved(s)),
        " -oac lavc -ovc lavc -of mpeg -lavcopts vcodec=mpeg1video:keyint=15:vrc_buf_size=327:"
        "vrc_minrate=1000:vbitrate=1000:vrc_maxrate=1000:acodec=mp2:abitrate=192:autoaspect=1:"
        "aspect=4/3 -mpegopts format=xvcd"));
    s.outputFormat = kFormatDvd;
    s.dvdAudioCodec = 1;
    EXPECT_TRUE(Contains(Compose(s, Resolved(s)), ":acodec=mp2:abitrate=224:"));
}

TEST(EncoderArguments, WmvAndAsfPieces) {
    ConversionSettings s;
    s.outputFormat = kFormatWmv;
    EXPECT_TRUE(Contains(
        Compose(s, Resolved(s)),
        " -oac lavc -ovc lavc -lavcopts vcodec=wmv2:acodec=wmav2:vqscale=16:abitrate=128:"
        "autoaspect=1 -of lavf -lavfopts i_certify_that_my_video_stream_does_not_use_b_frames:"
        "format=wmv -sws 2 -af volume=+0db:0:channels=2 -srate 44100 -ofps 1000.000000 -endpos"));
    s.outputFormat = kFormatAsf;
    const struct {
        int32_t codec;
        const char* name;
    } codecs[] = {
        {0, "vcodec=msmpeg4:"}, {1, "vcodec=msmpeg4v2:"}, {2, "vcodec=wmv2:"}, {7, "vcodec=wmv2:"}};
    for (const auto& c : codecs) {
        s.asfVideoCodec = c.codec;
        const std::string text = Compose(s, Resolved(s));
        EXPECT_TRUE(Contains(text, c.name)) << c.codec;
        EXPECT_TRUE(Contains(text, ":format=asf -sws 2")) << c.codec;
    }
    s.asfAudioCodec = 0;
    EXPECT_TRUE(Contains(Compose(s, Resolved(s)), ":acodec=wmav1:"));
}

TEST(EncoderArguments, WmvQuantiser) {
    const int32_t expected[] = {29, 26, 24, 21, 19, 16, 14, 11, 9};
    for (int32_t q = 0; q < 9; ++q)
        EXPECT_EQ(expected[q], WmvQuantiser(q)) << q;
    // A hand-edited position outside the list takes the default position 5.
    for (int32_t q : {-1, 9, 12, INT32_MAX, INT32_MIN})
        EXPECT_EQ(16, WmvQuantiser(q)) << q;
}

TEST(EncoderArguments, UnknownFormatAddsNoFormatPieces) {
    ConversionSettings s;
    s.outputFormat = 18;
    EXPECT_EQ("\"C:\\in.avi\" -o \"C:\\out.x\" -ofps 1000.000000 -endpos 9:0:0 1 -5",
              Compose(s, Resolved(s), 0, 0, kEncoderModeProbe, -5));
}

TEST(EncoderArguments, WindowHandleIsSignedDecimal) {
    ConversionSettings s;
    const EncoderProfile p = Resolved(s);
    EXPECT_TRUE(Contains(Compose(s, p, 0, 0, 0, 0x7fffffffLL), " 9:0:0 0 2147483647"));
    EXPECT_TRUE(Contains(Compose(s, p, 0, 0, 0, -2147483648LL), " 9:0:0 0 -2147483648"));
    EXPECT_TRUE(Contains(Compose(s, p, 0, 0, 0, INT64_MIN), " 9:0:0 0 -9223372036854775808"));
}

TEST(EncoderArguments, TextThatWouldNotFitIsRefusedWhole) {
    ConversionSettings s;
    const EncoderProfile p = Resolved(s);
    char out[kEncoderArgumentsCapacity];
    const EncoderJob shortJob{"a", "b", 0, 0, 0, 918};
    ASSERT_TRUE(ComposeEncoderArguments(s, p, shortJob, out, sizeof out));
    const size_t fixedLength = std::strlen(out) - 2; // everything but the two paths

    // A source path that makes the text exactly 2047 characters fits; one more does not.
    std::string source(kEncoderArgumentsCapacity - 1 - fixedLength - 1, 'x');
    const EncoderJob fits{source.c_str(), "b", 0, 0, 0, 918};
    ASSERT_TRUE(ComposeEncoderArguments(s, p, fits, out, sizeof out));
    EXPECT_EQ(kEncoderArgumentsCapacity - 1, std::strlen(out));

    source += 'x';
    const EncoderJob tooLong{source.c_str(), "b", 0, 0, 0, 918};
    EXPECT_FALSE(ComposeEncoderArguments(s, p, tooLong, out, sizeof out));
    EXPECT_STREQ("", out);

    // A larger buffer does not lift the 2047-character limit of the encoder's line.
    char big[4096];
    EXPECT_FALSE(ComposeEncoderArguments(s, p, tooLong, big, sizeof big));
    // A smaller buffer bounds the text too.
    char small[16];
    EXPECT_FALSE(ComposeEncoderArguments(s, p, shortJob, small, sizeof small));
    EXPECT_STREQ("", small);
    const EncoderJob noPath{nullptr, "b", 0, 0, 0, 918};
    EXPECT_FALSE(ComposeEncoderArguments(s, p, noPath, out, sizeof out));
}

TEST(EncoderArguments, TwoMaximalPathsFit) {
    ConversionSettings s;
    s.outputFormat = kFormatSvcd; // one of the longest option texts
    const std::string path(255, 'p');
    char out[kEncoderArgumentsCapacity];
    const EncoderJob job{path.c_str(), path.c_str(), 1, 0, 0, INT64_MIN};
    EXPECT_TRUE(ComposeEncoderArguments(s, Resolved(s), job, out, sizeof out));
}

} // namespace
