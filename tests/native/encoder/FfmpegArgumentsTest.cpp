#include "encoder/FfmpegArguments.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "encoder/CommandLine.h"
#include "encoder/EncoderCommand.h"
#include "tests/native/encoder/EngineJobs.h"

namespace {

const SourceRow kSource{3.0, 640, 480, 25.0};

// Parses an argument text and translates it; the result is the FFmpeg
// arguments joined with single spaces and framed by spaces, for searching.
std::string Translate(const std::string& text, double sourceFps = 25.0) {
    std::vector<std::string> args;
    EXPECT_TRUE(SplitCommandLine(text.c_str(), args)) << text;
    EncoderCommand command;
    std::string error;
    EXPECT_TRUE(ParseEncoderCommand(args, command, error)) << error << "\n" << text;
    FfmpegTarget target;
    target.outputPath = "C:\\out dir\\out.~enc.x";
    target.sourceFrameRate = sourceFps;
    std::vector<std::string> ffmpeg;
    EXPECT_TRUE(TranslateToFfmpeg(command, target, ffmpeg, error)) << error << "\n" << text;
    std::string joined;
    for (const std::string& a : ffmpeg)
        joined += " " + a;
    return joined + " ";
}

std::string TranslateCase(const ConversionSettings& s, const SourceRow& source = kSource) {
    std::string text =
        ComposeJobText(s, source, "C:\\in dir\\in.avi", "C:\\out dir\\out.x", 0, 918);
    EXPECT_FALSE(text.empty());
    return Translate(text, source.frameRate);
}

void ExpectPieces(const std::string& args, const std::vector<std::string>& pieces,
                  const char* name) {
    for (const std::string& piece : pieces) {
        EXPECT_NE(std::string::npos, args.find(" " + piece + " "))
            << name << ": no '" << piece << "' in\n"
            << args;
    }
}

void ExpectAbsent(const std::string& args, const std::vector<std::string>& pieces,
                  const char* name) {
    for (const std::string& piece : pieces) {
        EXPECT_EQ(std::string::npos, args.find(" " + piece + " "))
            << name << ": '" << piece << "' in\n"
            << args;
    }
}

TEST(TranslateToFfmpeg, EveryFormatAndCodecChoice) {
    // Source 640x480 at 25 fps, default settings of each format otherwise.
    const std::map<std::string, std::vector<std::string>> expected = {
        {"avi_mpeg4_mp3",
         {"-c:v mpeg4 -b:v 1000k -mbd rd -qmin 1 -qmax 31 -g 250 -vtag DX50",
          "-c:a libmp3lame -b:a 128k -abr 1 -ac 1 -rematrix_maxval 1",
          "-sws_flags bicubic -r 25.000000 -vsync cfr -f avi"}},
        {"avi_mpeg4_ac3",
         {"-c:v mpeg4", "-vtag DX50", "-c:a ac3 -b:a 128k -ac 2 -ar 44100", "-f avi"}},
        {"avi_xvid_mp3",
         {"-c:v libxvid -b:v 1000k -g 250 -bf 2 -vtag XVID", "-c:a libmp3lame", "-f avi"}},
        {"avi_xvid_ac3",
         {"-c:v libxvid", "-vtag XVID", "-c:a ac3 -b:a 128k -ac 2 -ar 44100", "-f avi"}},
        {"mpeg1",
         {"-c:v mpeg1video -b:v 1000k -g 18 -bufsize 327k -minrate 1000k -maxrate 1000k -aspect "
          "16/9",
          "-c:a mp2 -b:a 192k -ac 2 -ar 44100", "-f mpeg"}},
        {"mpeg2",
         {"-c:v mpeg2video -b:v 2000k -g 18 -bufsize 1835k -maxrate 9400k -aspect 16/9",
          "-c:a mp2 -b:a 160k -ac 2 -ar 44100", "-f mpeg"}},
        {"divx_mp3", {"-c:v mpeg4", "-vtag DX50", "-c:a libmp3lame", "-f avi"}},
        {"xvid_ac3", {"-c:v libxvid", "-vtag XVID", "-c:a ac3", "-f avi"}},
        {"vcd_ntsc",
         {"-c:v mpeg1video -b:v 1000k -g 18 -bufsize 327k", "-c:a mp2 -b:a 192k -ac 2 -ar 44100",
          "-r 24000/1001 -vsync cfr", "-f vcd -packetsize 2324 -muxrate 1411200"}},
        {"vcd_pal",
         {"-c:v mpeg1video", "-g 15", "-r 25.000000", "-f vcd -packetsize 2324 -muxrate 1411200"}},
        {"svcd_ntsc",
         {"-c:v mpeg2video -b:v 2500k -g 18 -bufsize 917k -minrate 600k -maxrate 2500k",
          "-c:a mp2 -b:a 224k", "-r 30000/1001", "-f svcd -packetsize 2324 -muxrate 2788800"}},
        {"svcd_pal", {"-c:v mpeg2video", "-g 15", "-r 25.000000", "-f svcd -packetsize 2324"}},
        {"dvd_pal_ac3",
         {"-c:v mpeg2video -b:v 5000k -g 15 -bufsize 1835k -maxrate 9400k -aspect 16/9",
          "-c:a ac3 -b:a 224k -ac 2 -ar 48000", "-r 25.000000", "-f dvd -muxrate 10080000"}},
        {"dvd_ntsc_mp2",
         {"-g 18", "-c:a mp2 -b:a 224k -ac 2 -ar 48000", "-r 30000/1001", "-f dvd"}},
        {"wmv_wmav1",
         {"-c:v wmv2 -q:v 16 -g 250", "-c:a wmav1 -b:a 128k -ac 2 -ar 44100", "-vsync vfr -f asf"}},
        {"asf_msmpeg4", {"-c:v msmpeg4 -q:v 16", "-c:a wmav2", "-vsync vfr -f asf"}},
        {"asf_msmpeg4v2", {"-c:v msmpeg4v2 -q:v 16", "-c:a wmav1", "-f asf"}},
        {"asf_wmv2", {"-c:v wmv2 -q:v 16", "-c:a wmav2", "-f asf"}},
        {"mp4_h264_aac",
         {"-c:v libx264 -crf 23 -preset medium -profile:v high -pix_fmt yuv420p",
          "-c:a aac -b:a 128k -ac 2 -ar 48000", "-vf crop=w=trunc(iw/2)*2:h=trunc(ih/2)*2",
          "-vsync vfr -f mp4 -movflags +faststart"}},
        {"mkv_h265_aac",
         {"-c:v libx265 -crf 24 -preset fast -profile:v main -pix_fmt yuv420p "
          "-x265-params log-level=none",
          "-c:a aac -b:a 128k -ac 2 -ar 48000", "-vsync vfr -f matroska"}},
        {"webm_vp9_opus",
         {"-c:v libvpx-vp9 -crf 32 -b:v 0 -deadline good -cpu-used 2 -row-mt 1 -pix_fmt yuv420p",
          "-c:a libopus -b:a 128k -ac 2 -ar 48000", "-vsync vfr -f webm"}},
    };
    for (const FormatCase& c : AllFormatCases()) {
        std::string args = TranslateCase(c.settings);
        auto it = expected.find(c.name);
        ASSERT_NE(expected.end(), it) << c.name;
        ExpectPieces(args, it->second, c.name);
        // Common frame of every job: first streams, nine hours at most, progress.
        ExpectPieces(
            args,
            {"-hide_banner -nostdin -y -i C:\\in dir\\in.avi -map 0:v:0 -map 0:a:0? -sn -dn",
             "-t 32400 -progress pipe:1 -nostats C:\\out dir\\out.~enc.x"},
            c.name);
        // No -b:v with a fixed quantiser, and no -r when the source timing is kept.
        if (args.find(" -q:v ") != std::string::npos)
            ExpectAbsent(args, {"-b:v 1000k", "-r 1000.000000"}, c.name);
    }
}

TEST(TranslateToFfmpeg, AviWithMp3MatchesTheReferenceTranslationExactly) {
    const std::string text =
        "\"C:\\clips\\party.divx\" -o \"C:\\output video\\party.avi\" -oac mp3lame -ovc lavc "
        "-lameopts vbr=3:br=128:mode=3 -lavcopts "
        "vcodec=mpeg4:vbitrate=1000:vhq:vqmin=1:vqmax=31:autoaspect=1 "
        "-ffourcc DX50 -of lavf -lavfopts "
        "i_certify_that_my_video_stream_does_not_use_b_frames:format=avi "
        "-sws 2 -af volume=+6db:0:channels=2 -ofps 25.000000 -endpos 9:0:0 0 918";
    EXPECT_EQ(" -hide_banner -nostdin -y -i C:\\clips\\party.divx -map 0:v:0 -map 0:a:0? -sn -dn"
              " -c:v mpeg4 -b:v 1000k -mbd rd -qmin 1 -qmax 31 -g 250 -vtag DX50"
              " -c:a libmp3lame -b:a 128k -abr 1 -ac 1 -rematrix_maxval 1 -af volume=6dB"
              " -sws_flags bicubic -r 25.000000 -vsync cfr -f avi -t 32400"
              " -progress pipe:1 -nostats C:\\out dir\\out.~enc.x ",
              Translate(text));
}

TEST(TranslateToFfmpeg, PictureFilterForms) {
    struct Case {
        const char* name;
        int format;
        int tvMode;
        SourceRow source;
        const char* filter;
    };
    const Case cases[] = {
        // Wider than the target's shape: scale across, pad down.
        {"pad down",
         kFormatDvd,
         1,
         {3.0, 720, 400, 25.0},
         "-vf scale=w=720:h=trunc((trunc(720*ih/iw)+1)/2)*2:flags=bicubic,"
         "pad=w=max(iw\\,720):h=max(ih\\,576):x=(ow-iw)/2:y=(oh-ih)/2"},
        // Narrower: scale to the full height, pad across.
        {"pad across",
         kFormatDvd,
         0,
         {3.0, 640, 480, 29.97},
         "-vf scale=w=trunc((trunc(480*iw/ih)+1)/2)*2:h=480:flags=bicubic,"
         "pad=w=max(iw\\,720):h=max(ih\\,480):x=(ow-iw)/2:y=(oh-ih)/2"},
    };
    for (const Case& c : cases) {
        ConversionSettings s = WithFormat(c.format);
        s.tvMode = c.tvMode;
        ExpectPieces(TranslateCase(s, c.source), {c.filter}, c.name);
    }
    // Without the letter box the picture is scaled to the target as it is.
    ConversionSettings plain = WithFormat(kFormatDvd);
    plain.tvMode = 1;
    plain.letterbox = 0;
    std::string args = TranslateCase(plain);
    ExpectPieces(args, {"-vf scale=w=720:h=576:flags=bicubic"}, "plain scale");
    ExpectAbsent(args, {"pad"}, "plain scale");
    // "Original" size in the AVI family: no picture filter at all.
    ExpectAbsent(TranslateCase(WithFormat(kFormatAvi)), {"-vf"}, "original size");
}

TEST(TranslateToFfmpeg, FrameRateForms) {
    struct Case {
        const char* ofps;
        const char* expected;
        const char* xvidKeyInterval;
    };
    const Case cases[] = {
        {"15000/1001", "-r 15000/1001 -vsync cfr", "-g 150"},
        {"24000/1001", "-r 24000/1001 -vsync cfr", "-g 240"},
        {"30000/1001", "-r 30000/1001 -vsync cfr", "-g 300"},
        {"25.000000", "-r 25.000000 -vsync cfr", "-g 250"},
        {"23.976100", "-r 23.976100 -vsync cfr", "-g 240"},
        // Keep the source timing; Xvid's interval then follows the source rate (12 fps).
        {"1000.000000", "-vsync vfr", "-g 120"},
    };
    for (const Case& c : cases) {
        std::string text =
            std::string("\"a.avi\" -o \"b.avi\" -oac lavc -ovc xvid -ofps ") + c.ofps + " 0 1";
        std::string args = Translate(text, 12.0);
        ExpectPieces(args, {c.expected, c.xvidKeyInterval}, c.ofps);
    }
    ExpectAbsent(Translate("\"a.avi\" -o \"b.avi\" -oac lavc -ovc lavc -ofps 1000.000000 0 1"),
                 {"-r"}, "1000");
    // harddup without a rate keeps the source rate but still fills gaps.
    ExpectPieces(Translate("\"a.avi\" -o \"b.avi\" -ovc lavc -vf harddup 0 1"), {"-vsync cfr"},
                 "harddup");
}

TEST(TranslateToFfmpeg, VolumeFromTheSlider) {
    const struct {
        int slider;
        const char* filter; // nullptr: no audio filter at 0 dB
    } cases[] = {
        {0, "-af volume=-20dB"}, {20, nullptr}, {40, "-af volume=20dB"}, {26, "-af volume=6dB"}};
    for (const auto& c : cases) {
        ConversionSettings s = WithFormat(kFormatDvd);
        s.volume = c.slider;
        std::string args = TranslateCase(s);
        if (c.filter != nullptr)
            ExpectPieces(args, {c.filter}, "volume");
        else
            ExpectAbsent(args, {"-af"}, "volume 0 dB");
    }
}

TEST(TranslateToFfmpeg, HandEditedSettingsOutsideTheirListsStillProbeAndConvert) {
    // option.ini is plain text: a WMV quality outside its list takes the
    // family's default position, a volume outside the slider its nearest end.
    const struct {
        const char* name;
        int format;
        int wmvQuality;
        int volume;
        std::vector<std::string> pieces;
    } cases[] = {
        {"WMV quality 12", kFormatWmv, 12, 20, {"-q:v 16"}},
        {"ASF quality -1", kFormatAsf, -1, 20, {"-q:v 16"}},
        {"WMV quality 9, volume 41", kFormatWmv, 9, 41, {"-q:v 16", "-af volume=20dB"}},
        {"volume 200", kFormatDvd, 5, 200, {"-af volume=20dB"}},
        {"volume -7", kFormatMpeg2, 5, -7, {"-af volume=-20dB"}},
        {"volume far below", kFormatAvi, 5, -2147483647 - 1, {"-af volume=-20dB"}},
    };
    for (const auto& c : cases) {
        ConversionSettings s = WithFormat(c.format);
        s.wmvQuality = c.wmvQuality;
        s.volume = c.volume;
        ExpectPieces(TranslateCase(s), c.pieces, c.name);

        const std::string probe =
            ComposeJobText(s, kSource, "C:\\in.avi", "C:\\out.x", kEncoderModeProbe, 77);
        std::vector<std::string> args;
        ASSERT_TRUE(SplitCommandLine(probe.c_str(), args)) << c.name;
        EncoderCommand command;
        std::string error;
        EXPECT_TRUE(ParseEncoderCommand(args, command, error)) << c.name << ": " << error << "\n"
                                                               << probe;
        EXPECT_EQ(1, command.mode) << c.name;
    }
}

TEST(TranslateToFfmpeg, RatesAndMultiplexRates) {
    // Above 16000 a rate is already in bit/s.
    ExpectPieces(
        Translate("\"a\" -o \"b\" -ovc lavc -lavcopts vbitrate=20000000:vrc_maxrate=9400 0 1"),
        {"-b:v 20000000", "-maxrate 9400k"}, "bit/s");
    // VCD streams above the fixed rate: no fixed multiplex rate.
    ExpectAbsent(Translate("\"a\" -o \"b\" -oac lavc -ovc lavc -of mpeg -mpegopts format=xvcd "
                           "-lavcopts vcodec=mpeg1video:vbitrate=1200:abitrate=224 0 1"),
                 {"-muxrate"}, "VCD over its rate");
    ExpectAbsent(
        Translate("\"a\" -o \"b\" -oac lavc -ovc lavc -of mpeg -mpegopts format=xsvcd "
                  "-lavcopts vcodec=mpeg2video:vbitrate=2000:vrc_maxrate=2600:abitrate=224 0 1"),
        {"-muxrate"}, "SVCD over its rate");
    ExpectPieces(Translate("\"a\" -o \"b\" -ovc lavc -of mpeg 0 1"), {"-f vob"}, "MPEG default");
    ExpectPieces(
        Translate("\"a\" -o \"b\" -ovc lavc -lameopts vbr=0:br=192:mode=0 -oac mp3lame 0 1"),
        {"-b:a 192k -ac 2 -joint_stereo 0"}, "LAME CBR stereo");
}

TEST(TranslateToFfmpeg, NeedsAVideoEncoderButNotAnAudioOne) {
    std::vector<std::string> args;
    SplitCommandLine("\"a.avi\" -o \"b.avi\" -oac lavc 0 1", args);
    EncoderCommand command;
    std::string error;
    ASSERT_TRUE(ParseEncoderCommand(args, command, error)) << error;
    std::vector<std::string> ffmpeg;
    EXPECT_FALSE(TranslateToFfmpeg(command, FfmpegTarget{}, ffmpeg, error));
    EXPECT_NE(std::string::npos, error.find("-ovc")) << error;
    EXPECT_TRUE(ffmpeg.empty());

    ExpectPieces(Translate("\"a.avi\" -o \"b.avi\" -ovc lavc 0 1"), {"-an"}, "no audio encoder");
}

} // namespace
