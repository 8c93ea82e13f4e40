// quenforenc.exe "source" -o "output" [option pieces] mode window
//
// Mode 1 reports what the source is; mode 0 converts it with ffmpeg.exe from
// this program's folder. Reports go to the window as WM_USER + 800.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "encoder/CommandLine.h"
#include "encoder/ConversionLog.h"
#include "encoder/EncoderCommand.h"
#include "encoder/EventReporter.h"
#include "protocol/EncoderModes.h"
#include "protocol/ExitCodes.h"
#include "encoder/FfmpegProcess.h"
#include "encoder/Runners.h"
#include "encoder/StepTimes.h"

int main() {
    MarkStep("main entered");
    std::vector<std::string> args;
    const char* argumentText = SkipProgramName(GetCommandLineA());
    // Only a conversion is given a log to write.
    BeginConversionLog(argumentText);
    bool balanced = SplitCommandLine(argumentText, args);
    EncoderCommand command;
    std::string error;
    if (!balanced)
        error = "a quoted argument has no closing quote";
    if (!balanced || !ParseEncoderCommand(args, command, error)) {
        std::fprintf(stderr, "quenforenc: %s\n", error.c_str());
        LogNote(error);
        EndConversionLog(kExitBadArguments);
        // A probe must always answer, or the program could keep stale values.
        if (command.mode == kEncoderModeProbe)
            EventReporter(command.windowHandle).Send(kEventDuration, 0);
        return kExitBadArguments;
    }
    EventReporter reporter(command.windowHandle);
    std::string ffmpegPath = ExecutableFolder() + "ffmpeg.exe";
    MarkStep("arguments read");
    int exitCode = command.mode == kEncoderModeProbe ? RunProbe(command, ffmpegPath, reporter)
                                                     : RunConversion(command, ffmpegPath, reporter);
    EndConversionLog(exitCode);
    MarkStep("leaving");
    return exitCode;
}
