// quenforenc_args.exe: prints, one per line, the FFmpeg arguments that
// quenforenc.exe would use for the same argument text, with the output path
// itself in place of the temporary name. scripts/bench uses it to run
// ffmpeg.exe directly on the same job. Built in the build tree only.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "encoder/CommandLine.h"
#include "encoder/EncoderCommand.h"
#include "protocol/ExitCodes.h"
#include "encoder/FfmpegArguments.h"

int main() {
    std::vector<std::string> args;
    EncoderCommand command;
    std::string error;
    if (!SplitCommandLine(SkipProgramName(GetCommandLineA()), args) ||
        !ParseEncoderCommand(args, command, error)) {
        std::fprintf(stderr, "quenforenc_args: %s\n",
                     error.empty() ? "unclosed quote" : error.c_str());
        return kExitBadArguments;
    }
    FfmpegTarget target;
    target.outputPath = command.output;
    std::vector<std::string> ffmpeg;
    if (!TranslateToFfmpeg(command, target, ffmpeg, error)) {
        std::fprintf(stderr, "quenforenc_args: %s\n", error.c_str());
        return kExitBadArguments;
    }
    for (const std::string& a : ffmpeg)
        std::printf("%s\n", a.c_str());
    return kExitSuccess;
}
