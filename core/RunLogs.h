// The names of the conversions' logs and which of them to keep. A log is
// named after the moment its conversion started and its source,
// "20261208-134501-123-01 clip.log", so that the names sort oldest first.
// Pure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How many logs the logs folder keeps, the newest.
constexpr size_t kKeptLogs = 100;

struct LogStamp {
    int32_t year, month, day, hour, minute, second, millisecond;
};

// "<stamp>-<sequence % 100, 2 digits> <source's name without its extension>.log"
// into out; the source's name is cut to at most `nameLimit` bytes (never
// inside a UTF-8 letter) and left out for a limit of 0. False when it does
// not fit.
bool ComposeLogName(const LogStamp& stamp, uint32_t sequence, const char* sourcePath,
                    size_t nameLimit, char* out, size_t size);

// True for a name ComposeLogName makes (other files in the folder are never
// counted nor removed).
bool IsLogName(const std::string& name);

// The logs among `names` to remove so that `keep` of them stay, the newest:
// the oldest first.
std::vector<std::string> LogsToRemove(std::vector<std::string> names, size_t keep);
