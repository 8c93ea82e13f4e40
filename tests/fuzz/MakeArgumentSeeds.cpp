// Writes the seed inputs of the encoder-arguments fuzz target: argument texts
// composed by the engine exactly as the program composes them, for every
// format and codec choice, for a few sources and for the probe.
// Usage: MakeArgumentSeeds <folder>
#include <cstdio>
#include <string>

#include "tests/native/encoder/EngineJobs.h"

namespace {

bool Write(const std::string& folder, const std::string& name, const std::string& text) {
    std::string path = folder + "/" + name + ".txt";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const SourceRow wide{125.0, 720, 400, 29.97};
    const SourceRow small{3.0, 320, 240, 25.0};
    int written = 0;
    int failed = 0;
    for (const FormatCase& c : AllFormatCases()) {
        std::string text =
            ComposeJobText(c.settings, wide, "C:\\Videos\\holiday clip.avi",
                           "C:\\output video\\holiday clip.x", kEncoderModeConvert, 1312);
        if (text.empty() || !Write(folder, std::string("convert_") + c.name, text))
            ++failed;
        else
            ++written;
    }
    // Non-default choices: PAL, other aspect, quality, resolution, frame rate, volume.
    ConversionSettings s = WithFormat(kFormatMpeg2);
    s.tvMode = 1;
    s.mpegAspect = 1;
    s.mpeg2Quality = 0;
    s.mpegResolution = 5;
    s.mpegFrameRate = 3;
    s.volume = 31;
    s.letterbox = 0;
    std::string variant = ComposeJobText(s, small, "D:\\a\\\"odd\" name.divx", "C:\\out\\x_1.mpg",
                                         kEncoderModeConvert, -2147483647LL);
    if (variant.empty() || !Write(folder, "convert_mpeg2_variant", variant))
        ++failed;
    else
        ++written;
    s = WithFormat(kFormatAvi);
    s.aviResolution = 7;
    s.aviFrameRate = 4;
    s.aviQuality = 8;
    s.volume = 0;
    variant = ComposeJobText(s, small, "C:\\in\\clip.xvid", "C:\\out dir\\\\clip.avi",
                             kEncoderModeConvert, 0);
    if (variant.empty() || !Write(folder, "convert_avi_variant", variant))
        ++failed;
    else
        ++written;
    std::string probe =
        ComposeJobText(ConversionSettings(), SourceRow(), "C:\\Videos\\new clip.avi",
                       "C:\\output video\\new clip.mpg", kEncoderModeProbe, 65802);
    if (probe.empty() || !Write(folder, "probe", probe))
        ++failed;
    else
        ++written;
    std::printf("%d seeds written, %d failed\n", written, failed);
    return failed == 0 ? 0 : 1;
}
