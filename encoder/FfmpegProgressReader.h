// Follows FFmpeg's "-progress pipe:1" output, which arrives in pieces of any
// size: key=value lines in blocks ending with "progress=continue" or
// "progress=end".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ProgressReader {
public:
    void Feed(const char* data, size_t size);

    // Output position in microseconds; -1 until FFmpeg has reported one.
    int64_t PositionMicroseconds() const { return position_; }
    // Whole seconds of the position, 0 before the first report.
    int32_t PositionSeconds() const;
    // FFmpeg has written its last block ("progress=end").
    bool Ended() const { return ended_; }

private:
    void Line(const std::string& line);

    static constexpr size_t kLongestLine = 1024; // longer lines are dropped
    std::string line_;
    bool overlong_ = false;
    int64_t position_ = -1;
    bool ended_ = false;
};
