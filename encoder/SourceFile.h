// Opening the source for reading, without ever changing it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class SourceState { kReadable, kMissing, kUnreadable, kEmpty };

// Reads up to `limit` bytes from the start of the file into `head`. With
// `enough`, the first 64 KB are read alone and the rest only when `enough`
// says they do not suffice (a large read costs more than the whole header).
SourceState ReadSourceHead(const std::string& path, size_t limit, std::vector<uint8_t>& head,
                           bool (*enough)(const uint8_t* data, size_t size) = nullptr);

// True when both names lead to the same existing file (hard links, short
// names and different spellings included).
bool IsSameFile(const std::string& a, const std::string& b);
