// MP3, M4A and FLAC from the settings to FFmpeg's arguments: the program's
// argument text, the encoder's parse of it and its translation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/EncoderArguments.h"
#include "core/OutputFormat.h"
#include "encoder/CommandLine.h"
#include "encoder/EncoderCommand.h"
#include "encoder/FfmpegArguments.h"

namespace {

std::string ArgumentText(const ConversionSettings& s) {
    SourceRow source{};
    source.width = 640;
    source.height = 480;
    source.frameRate = 25.0;
    char out[kEncoderArgumentsCapacity];
    EXPECT_TRUE(
        BuildJobArguments(s, source, "in.mkv", "out.x", kEncoderModeConvert, 918, out, sizeof out));
    return out;
}

// FFmpeg's arguments after the input, joined with spaces; "" when refused.
std::string Translated(const std::string& text) {
    std::vector<std::string> args;
    EncoderCommand command;
    std::string error;
    if (!SplitCommandLine(text.c_str(), args) || !ParseEncoderCommand(args, command, error))
        return "";
    FfmpegTarget target;
    target.outputPath = "out.tmp";
    target.progress = false;
    if (!TranslateToFfmpeg(command, target, args, error))
        return "";
    std::string joined;
    for (size_t i = 5; i < args.size(); ++i) // after -hide_banner -nostdin -y -i in.mkv
        joined += (joined.empty() ? "" : " ") + args[i];
    return joined;
}

ConversionSettings Sound(int32_t format, int32_t choice, int32_t rate, int32_t volume) {
    ConversionSettings s;
    s.outputFormat = format;
    s.mp3Quality = choice;
    s.m4aBitrate = choice;
    s.audioSampleRate = rate;
    s.volume = volume;
    return s;
}

TEST(SoundFormats, SettingsReachFfmpeg) {
    const std::string head = "-map 0:a:0 -vn -sn -dn -map_metadata 0 -map_chapters 0 ";
    const struct {
        ConversionSettings settings;
        const char* text;   // the argument text between the output and -endpos
        const char* ffmpeg; // after the stream selection
    } rows[] = {
        {Sound(kFormatMp3, 2, 0, 20),
         " -ovc none -oac mp3lame -lameopts vbr=2:q=2 -of lavf -lavfopts format=mp3"
         " -af volume=+0db:0",
         "-c:a libmp3lame -q:a 2 -ac 2 -f mp3 -t 32400 out.tmp"},
        {Sound(kFormatMp3, 9, 1, 26),
         " -ovc none -oac mp3lame -lameopts vbr=2:q=9 -of lavf -lavfopts format=mp3"
         " -af volume=+6db:0 -srate 44100",
         "-c:a libmp3lame -q:a 9 -ac 2 -af volume=6dB -ar 44100 -f mp3 -t 32400 out.tmp"},
        {Sound(kFormatM4a, 3, 2, 20),
         " -ovc none -oac lavc -lavcopts acodec=aac:abitrate=192 -of lavf -lavfopts format=ipod"
         " -af volume=+0db:0 -srate 48000",
         "-c:a aac -b:a 192k -ac 2 -ar 48000 -f ipod -t 32400 out.tmp"},
        // Positions outside the lists take the defaults V2, 192 kbit/s, "Original".
        {Sound(kFormatM4a, 99, -1, 20),
         " -ovc none -oac lavc -lavcopts acodec=aac:abitrate=192 -of lavf -lavfopts format=ipod"
         " -af volume=+0db:0",
         "-c:a aac -b:a 192k -ac 2 -f ipod -t 32400 out.tmp"},
        {Sound(kFormatFlac, 0, 0, 14),
         " -ovc none -oac lavc -lavcopts acodec=flac -of lavf -lavfopts format=flac"
         " -af volume=-6db:0",
         "-c:a flac -ac 2 -af volume=-6dB -f flac -t 32400 out.tmp"},
    };
    for (const auto& row : rows) {
        const std::string text = ArgumentText(row.settings);
        EXPECT_EQ(std::string("\"in.mkv\" -o \"out.x\"") + row.text + " -endpos 9:0:0 0 918", text);
        EXPECT_EQ(head + row.ffmpeg, Translated(text)) << text;
    }
}

TEST(SoundFormats, NoVideoNeedsASoundEncoder) {
    EXPECT_EQ("", Translated("in.mkv -o out.mp3 -ovc none 0 0"));
    EXPECT_EQ("", Translated("in.mkv -o out.mp3 -ovc none -oac lavc -lavcopts acodec=vorbis 0 0"));
}

} // namespace
