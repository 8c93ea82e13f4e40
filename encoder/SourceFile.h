// Opening the source for reading, without ever changing it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class SourceState { kReadable, kMissing, kUnreadable, kEmpty };

// Reads up to `limit` bytes from the start of the file into `head`.
SourceState ReadSourceHead(const std::string& path, size_t limit, std::vector<uint8_t>& head);

// True when both names lead to the same existing file (hard links, short
// names and different spellings included).
bool IsSameFile(const std::string& a, const std::string& b);
