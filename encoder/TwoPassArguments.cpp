#include "encoder/TwoPassArguments.h"

#include <cstdlib>

namespace {

const char kVideoRate[] = "-b:v";

// Escapes a path for an option list of key=value:key=value pairs.
std::string EscapedForParams(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == ':' || c == '=' || c == '\'')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

} // namespace

std::string PassLogBase(const std::string& temporaryOutput) {
    return temporaryOutput + ".pass";
}

std::vector<std::string> PassLogFiles(const std::string& logBase) {
    const std::string log = logBase + "-0.log";
    return {log,
            log + ".temp",
            log + ".mbtree",
            log + ".mbtree.temp",
            log + ".cutree",
            log + ".cutree.temp"};
}

bool HasTwoPasses(const std::vector<std::string>& single) {
    for (size_t i = 0; i + 1 < single.size(); ++i) {
        if (single[i] == "-c:v")
            return single[i + 1] != "libxvid";
    }
    return false;
}

std::vector<std::string> PassArguments(const std::vector<std::string>& single, int pass,
                                       const std::string& logBase, int videoKbps) {
    std::vector<std::string> args = single;
    const std::string rate = std::to_string(videoKbps) + "k";
    bool x265 = false;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == kVideoRate)
            args[i + 1] = rate;
        if (args[i] == "-x265-params" && pass != 0) {
            x265 = true;
            args[i + 1] +=
                ":pass=" + std::to_string(pass) + ":stats=" + EscapedForParams(logBase + "-0.log");
        }
    }
    if (args.empty() || pass == 0)
        return args;
    const std::vector<std::string> passOptions =
        x265 ? std::vector<std::string>{}
             : std::vector<std::string>{"-pass", std::to_string(pass), "-passlogfile", logBase};
    args.insert(args.end() - 1, passOptions.begin(), passOptions.end());
    return args;
}

int VideoKbpsOf(const std::vector<std::string>& args) {
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == kVideoRate) {
            const std::string& value = args[i + 1];
            const long rate = std::strtol(value.c_str(), nullptr, 10);
            return static_cast<int>(!value.empty() && value.back() == 'k' ? rate : rate / 1000);
        }
    }
    return 0;
}

int ReEncodeVideoKbps(int videoKbps, long long actualBytes, long long targetBytes) {
    if (actualBytes <= 0)
        return videoKbps;
    const double lowered =
        videoKbps * (0.97 * static_cast<double>(targetBytes) / static_cast<double>(actualBytes));
    return lowered >= 1.0 ? static_cast<int>(lowered) : 1;
}

bool ReEncodeRaises(long long actualBytes, long long targetBytes) {
    return actualBytes * 10 < targetBytes * 9 && actualBytes * 2 >= targetBytes;
}

int32_t PassPosition(int pass, int32_t position, int32_t durationSeconds) {
    if (pass == 1)
        return position / 2;
    if (pass == 2)
        return durationSeconds / 2 + position / 2;
    return durationSeconds;
}
