// Keeps the last non-empty line of a text that arrives in pieces (FFmpeg's
// stderr), so the error that ended a failed run can be shown.
#pragma once

#include <cstddef>
#include <string>

class LastLineTracker {
public:
    void Feed(const char* data, size_t size);
    // The last complete non-empty line, or the unfinished one after it.
    std::string LastLine() const {
        return current_.find_first_not_of(" \t") == std::string::npos ? last_ : current_;
    }

private:
    static constexpr size_t kLongestLine = 1024; // longer lines are cut
    std::string current_;
    std::string last_;
};
