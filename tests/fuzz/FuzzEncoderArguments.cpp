// Fuzzes the encoder's road from its command line to FFmpeg's: skipping the
// program name, splitting by the Windows quoting rules, parsing into a job and
// translating the job into FFmpeg arguments. The input is the argument text
// the program hands the encoder.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "encoder/CommandLine.h"
#include "encoder/EncoderCommand.h"
#include "encoder/FfmpegArguments.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// The decimal text a parsed number must have come from: sign kept only for
// negative values, leading zeros dropped.
std::string CanonicalDecimal(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    if (!text.empty() && text[0] == '-') {
        negative = true;
        i = 1;
    }
    while (i + 1 < text.size() && text[i] == '0')
        ++i;
    std::string digits = text.substr(i);
    if (digits == "0")
        return digits;
    return negative ? "-" + digits : digits;
}

void CheckRoundTrip(const std::vector<std::string>& args) {
    std::string joined = JoinCommandLine(args);
    std::vector<std::string> back;
    FUZZ_CHECK(SplitCommandLine(joined.c_str(), back));
    FUZZ_CHECK(back == args);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A command line is a C string: it ends at the first NUL.
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.c_str();

    const std::string program = "\"C:\\Program Files\\Tarvello\\quenforenc.exe\" ";
    std::string commandLine = program + text;
    const char* rest = SkipProgramName(commandLine.c_str());
    size_t blanks = text.find_first_not_of(" \t");
    FUZZ_CHECK(std::string(rest) ==
               (blanks == std::string::npos ? std::string() : text.substr(blanks)));

    std::vector<std::string> args;
    bool balanced = SplitCommandLine(rest, args);
    if (balanced)
        CheckRoundTrip(args);

    EncoderCommand command;
    std::string error;
    if (!ParseEncoderCommand(args, command, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    FUZZ_CHECK(error.empty());
    FUZZ_CHECK(command.mode == 0 || command.mode == 1);
    FUZZ_CHECK(!command.source.empty());
    FUZZ_CHECK(command.mode == 1 || !command.output.empty());
    FUZZ_CHECK(std::to_string(command.windowHandle) == CanonicalDecimal(args.back()));
    FUZZ_CHECK(!command.frameRate.set ||
               (command.frameRate.fps > 0.0 && command.frameRate.fps <= 1000.0));
    FUZZ_CHECK(command.endSeconds == -1.0 || command.endSeconds >= 0.0);

    FfmpegTarget target;
    target.outputPath =
        command.output.empty() ? std::string("C:\\out\\probe.tmp") : command.output + ".part";
    target.sourceFrameRate = static_cast<double>(size % 120);
    target.progress = (size & 1) == 0;
    std::vector<std::string> ffmpeg;
    if (!TranslateToFfmpeg(command, target, ffmpeg, error)) {
        FUZZ_CHECK(!error.empty());
        FUZZ_CHECK(ffmpeg.empty());
        return 0;
    }
    FUZZ_CHECK(!ffmpeg.empty() && ffmpeg.back() == target.outputPath);
    bool sourceFollowsInput = false;
    for (size_t i = 0; i + 1 < ffmpeg.size(); ++i) {
        if (ffmpeg[i] == "-i" && ffmpeg[i + 1] == command.source)
            sourceFollowsInput = true;
    }
    FUZZ_CHECK(sourceFollowsInput);
    // The encoder starts FFmpeg with these arguments joined into one line.
    CheckRoundTrip(ffmpeg);
    return 0;
}
