#include "core/RunLogs.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

// "YYYYMMDD-HHMMSS-mmm-NN"
constexpr size_t kStampLength = 22;
const char kStampPattern[] = "dddddddd-dddddd-ddd-dd";

} // namespace

bool ComposeLogName(const LogStamp& stamp, uint32_t sequence, const char* sourcePath,
                    size_t nameLimit, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return false;
    std::string name;
    if (sourcePath != nullptr && nameLimit > 0) {
        const char* base = sourcePath;
        for (const char* p = sourcePath; *p != '\0'; ++p) {
            if (*p == '\\' || *p == '/' || *p == ':')
                base = p + 1;
        }
        name = base;
        const size_t dot = name.find_last_of('.');
        if (dot != std::string::npos && dot > 0)
            name.erase(dot);
        if (name.size() > nameLimit) {
            size_t cut = nameLimit;
            while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
                --cut;
            name.erase(cut);
        }
    }
    const int written = std::snprintf(
        out, size, "%04d%02d%02d-%02d%02d%02d-%03d-%02u%s%s.log",
        static_cast<int>(stamp.year % 10000), static_cast<int>(stamp.month),
        static_cast<int>(stamp.day), static_cast<int>(stamp.hour), static_cast<int>(stamp.minute),
        static_cast<int>(stamp.second), static_cast<int>(stamp.millisecond),
        static_cast<unsigned>(sequence % 100), name.empty() ? "" : " ", name.c_str());
    if (written < 0 || static_cast<size_t>(written) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool IsLogName(const std::string& name) {
    if (name.size() < kStampLength + 4 || name.compare(name.size() - 4, 4, ".log") != 0)
        return false;
    for (size_t i = 0; i < kStampLength; ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
        if (kStampPattern[i] == 'd' ? !digit : name[i] != kStampPattern[i])
            return false;
    }
    return name.size() == kStampLength + 4 || name[kStampLength] == ' ';
}

std::vector<std::string> LogsToRemove(std::vector<std::string> names, size_t keep) {
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& name) { return !IsLogName(name); }),
                names.end());
    // The stamp leads, so the names sort oldest first (a folder listing has
    // no order of its own).
    std::sort(names.begin(), names.end());
    if (names.size() <= keep)
        return {};
    names.resize(names.size() - keep);
    return names;
}
