// The logs folder on disk: made when missing, kept to the newest logs, and
// the path of the next conversion's log.
#pragma once

#include <cstddef>
#include <cstdint>

// Makes `folder` (with its final backslash) when it is missing, removes the
// oldest logs so that the new one makes kKeptLogs, and writes the new log's
// path for `sourcePath` into out. False, with out "", when the folder cannot
// be made or no path fits (the conversion then runs without a log).
bool PrepareLogPath(const char* folder, const char* sourcePath, uint32_t sequence, char* out,
                    size_t size);
