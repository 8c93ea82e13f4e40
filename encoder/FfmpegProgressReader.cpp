#include "encoder/FfmpegProgressReader.h"

namespace {

// Digits only, no sign: FFmpeg prints N/A or a negative number before the
// first frame, and those say nothing about the position.
bool ParseMicroseconds(const std::string& text, int64_t& value) {
    if (text.empty() || text.size() > 18)
        return false;
    int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

// "HH:MM:SS.ffffff" as microseconds.
bool ParseClock(const std::string& text, int64_t& value) {
    size_t first = text.find(':');
    size_t second = first == std::string::npos ? first : text.find(':', first + 1);
    size_t point = second == std::string::npos ? second : text.find('.', second + 1);
    if (point == std::string::npos)
        return false;
    int64_t h = 0;
    int64_t m = 0;
    int64_t s = 0;
    int64_t fraction = 0;
    std::string digits = text.substr(point + 1);
    if (!ParseMicroseconds(text.substr(0, first), h) ||
        !ParseMicroseconds(text.substr(first + 1, second - first - 1), m) ||
        !ParseMicroseconds(text.substr(second + 1, point - second - 1), s) || digits.size() > 6 ||
        !ParseMicroseconds(digits, fraction) || h > 1000000 || m > 1000000 || s > 1000000) {
        return false;
    }
    for (size_t i = digits.size(); i < 6; ++i)
        fraction *= 10;
    value = ((h * 60 + m) * 60 + s) * 1000000 + fraction;
    return true;
}

} // namespace

void ProgressReader::Feed(const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        char c = data[i];
        if (c == '\n' || c == '\r') {
            if (!overlong_ && !line_.empty())
                Line(line_);
            line_.clear();
            overlong_ = false;
        } else if (line_.size() < kLongestLine) {
            line_.push_back(c);
        } else {
            overlong_ = true;
        }
    }
}

int32_t ProgressReader::PositionSeconds() const {
    if (position_ <= 0)
        return 0;
    int64_t seconds = position_ / 1000000;
    return seconds > 2147483647 ? 2147483647 : static_cast<int32_t>(seconds);
}

void ProgressReader::Line(const std::string& line) {
    size_t equals = line.find('=');
    if (equals == std::string::npos)
        return;
    std::string key = line.substr(0, equals);
    std::string value = line.substr(equals + 1);
    int64_t microseconds = 0;
    // out_time_ms holds microseconds too, despite its name.
    if ((key == "out_time_us" || key == "out_time_ms") && ParseMicroseconds(value, microseconds)) {
        position_ = microseconds;
    } else if (key == "out_time" && ParseClock(value, microseconds)) {
        position_ = microseconds;
    } else if (key == "progress" && value == "end") {
        ended_ = true;
    }
}
