// The conversion's log, in the file the program names through
// kEncoderLogVariable: the argument text, each FFmpeg run's arguments and
// messages, the encoder's own notes and its exit code. The encoder writes it
// because only it sees FFmpeg's messages; every entry is appended and the
// file closed again at once, so it can be read meanwhile and holds what
// happened up to a crash. Without the variable nothing is written.
#pragma once

#include <string>
#include <vector>

void BeginConversionLog(const char* argumentText);

// FFmpeg's messages as kept (their start) and its last line, which is
// written again at the end when the kept text does not end with it.
void LogFfmpegRun(const std::string& ffmpegPath, const std::vector<std::string>& args,
                  const std::string& messages, const std::string& lastLine);

void LogNote(const std::string& text);

void EndConversionLog(int exitCode);
