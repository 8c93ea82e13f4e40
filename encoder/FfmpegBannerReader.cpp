#include "encoder/FfmpegBannerReader.h"

#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return std::string();
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// "00:01:02.50" as seconds; false for "N/A" and anything else.
bool ParseClock(const std::string& text, double& seconds) {
    int fields[2] = {0, 0};
    size_t pos = 0;
    for (int& field : fields) {
        size_t start = pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
        if (pos == start || pos - start > 9 || pos >= text.size() || text[pos] != ':')
            return false;
        field = std::atoi(text.substr(start, pos - start).c_str());
        ++pos;
    }
    size_t start = pos;
    while (pos < text.size() && (IsDigit(text[pos]) || text[pos] == '.'))
        ++pos;
    if (pos == start)
        return false;
    seconds = fields[0] * 3600.0 + fields[1] * 60.0 +
              std::strtod(text.substr(start, pos - start).c_str(), nullptr);
    return true;
}

// "29.97", "25", "1k" (FFmpeg prints thousands with k).
bool ParseRateNumber(const std::string& text, double& value) {
    if (text.empty() || !IsDigit(text[0]))
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    std::string rest(end);
    if (rest == "k")
        value *= 1000.0;
    else if (!rest.empty())
        return false;
    return value > 0.0;
}

// Splits at commas outside parentheses and brackets: "mpeg4 (Simple Profile)
// (FMP4 / 0x34504D46), yuv420p, 640x480 [SAR 1:1 DAR 4:3], 25 fps".
std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    int depth = 0;
    std::string current;
    for (char c : text) {
        if (c == '(' || c == '[')
            ++depth;
        if ((c == ')' || c == ']') && depth > 0)
            --depth;
        if (c == ',' && depth == 0) {
            fields.push_back(Trim(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    fields.push_back(Trim(current));
    return fields;
}

bool ParseSize(const std::string& field, int32_t& width, int32_t& height) {
    size_t x = 0;
    while (x < field.size() && IsDigit(field[x]))
        ++x;
    if (x == 0 || x > 5 || x >= field.size() || field[x] != 'x')
        return false;
    size_t end = x + 1;
    while (end < field.size() && IsDigit(field[end]))
        ++end;
    if (end == x + 1 || end - x - 1 > 5 || (end < field.size() && field[end] != ' '))
        return false;
    width = std::atoi(field.substr(0, x).c_str());
    height = std::atoi(field.substr(x + 1, end - x - 1).c_str());
    return width > 0 && height > 0;
}

// A video stream's line, other than a cover picture stored as a video stream.
bool IsVideoStreamLine(const std::string& line) {
    return line.find("Stream #") != std::string::npos &&
           line.find(": Video: ") != std::string::npos &&
           line.find("(attached pic)") == std::string::npos;
}

// A quarter turn in the lines under a stream: the "rotate" tag ("rotate : 90")
// or the display matrix side data ("rotation of -90.00 degrees").
bool IsQuarterTurn(const std::string& line) {
    std::string text = Trim(line);
    double degrees = 0.0;
    if (text.compare(0, 6, "rotate") == 0) {
        size_t colon = text.find(':');
        if (colon == std::string::npos || Trim(text.substr(6, colon - 6)) != "")
            return false;
        degrees = std::strtod(text.c_str() + colon + 1, nullptr);
    } else {
        size_t at = text.find("rotation of ");
        if (text.compare(0, 14, "displaymatrix:") != 0 || at == std::string::npos)
            return false;
        degrees = std::strtod(text.c_str() + at + 12, nullptr);
    }
    if (!(degrees > -1e6 && degrees < 1e6))
        return false;
    long quarter = std::lround(degrees / 90.0);
    return std::fabs(degrees - quarter * 90.0) < 1.0 && quarter % 2 != 0;
}

// The text's lines, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

} // namespace

bool ReadFfmpegBanner(const std::string& text, VideoInfo& info) {
    info = VideoInfo();
    bool haveVideo = false;
    bool inVideo = false; // reading the lines under the first video stream
    bool turned = false;
    double fps = 0.0;
    double tbr = 0.0;
    for (const std::string& line : Lines(text)) {
        size_t duration = line.find("Duration: ");
        if (duration != std::string::npos && info.durationSeconds == 0.0) {
            double seconds = 0.0;
            if (ParseClock(line.substr(duration + 10), seconds))
                info.durationSeconds = seconds;
            continue;
        }
        if (line.find("Stream #") != std::string::npos)
            inVideo = false;
        if (inVideo && !turned)
            turned = IsQuarterTurn(line);
        if (haveVideo || !IsVideoStreamLine(line))
            continue;
        haveVideo = true;
        inVideo = true;
        for (const std::string& field : Fields(line.substr(line.find(": Video: ") + 9))) {
            size_t blank = field.rfind(' ');
            std::string unit = blank == std::string::npos ? std::string() : field.substr(blank + 1);
            std::string number = blank == std::string::npos ? field : field.substr(0, blank);
            if (info.width == 0 && ParseSize(field, info.width, info.height))
                continue;
            if (unit == "fps")
                ParseRateNumber(number, fps);
            else if (unit == "tbr")
                ParseRateNumber(number, tbr);
        }
    }
    info.framesPerSecond = fps > 0.0 ? fps : tbr;
    if (!haveVideo || !info.HasPicture()) {
        info = VideoInfo();
        return false;
    }
    // FFmpeg turns the picture upright when it converts: report it as shown.
    if (turned)
        std::swap(info.width, info.height);
    return true;
}

std::vector<std::string> FfmpegVideoFields(const std::string& text) {
    for (const std::string& line : Lines(text)) {
        if (IsVideoStreamLine(line))
            return Fields(line.substr(line.find(": Video: ") + 9));
    }
    return {};
}

bool FfmpegBannerHasNoVideo(const std::string& text) {
    bool haveStream = false;
    for (const std::string& line : Lines(text)) {
        if (IsVideoStreamLine(line))
            return false;
        if (line.find("Stream #") != std::string::npos)
            haveStream = true;
    }
    return haveStream;
}

FfmpegSection ReadFfmpegSection(const std::string& text, const char* heading) {
    FfmpegSection section;
    const std::string start(heading);
    for (const std::string& line : Lines(text)) {
        if (!section.found) {
            section.found = line.compare(0, start.size(), start) == 0;
            continue;
        }
        // The next heading ends the section.
        if (line.compare(0, 6, "Input ") == 0 || line.compare(0, 7, "Output ") == 0 ||
            line.compare(0, 14, "Stream mapping") == 0) {
            break;
        }
        const size_t duration = line.find("Duration: ");
        double seconds = 0.0;
        if (duration != std::string::npos && section.durationSeconds < 0.0 &&
            ParseClock(line.substr(duration + 10), seconds)) {
            section.durationSeconds = seconds;
        }
        if (IsVideoStreamLine(line))
            ++section.videoStreams;
        else if (line.find("Stream #") != std::string::npos &&
                 line.find(": Audio: ") != std::string::npos)
            ++section.audioStreams;
    }
    return section;
}
