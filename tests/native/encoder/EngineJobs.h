// Argument texts composed by the engine, exactly as the program composes them
// for a job, for every output format and codec choice. Shared by the native
// translation tests and the end-to-end encoder tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/ConversionSettings.h"
#include "core/EncoderArguments.h"
#include "core/EncoderProfile.h"
#include "core/SourceTable.h"

struct FormatCase {
    const char* name;
    ConversionSettings settings;
};

inline ConversionSettings WithFormat(int32_t format) {
    ConversionSettings s;
    s.outputFormat = format;
    return s;
}

// One case per format and codec choice; TV mode 0 is NTSC, 1 PAL.
inline std::vector<FormatCase> AllFormatCases() {
    std::vector<FormatCase> cases;
    auto add = [&cases](const char* name, ConversionSettings s) { cases.push_back({name, s}); };
    ConversionSettings s;
    s = WithFormat(kFormatAvi);
    s.aviVideoCodec = 0;
    s.aviAudioCodec = 0;
    add("avi_mpeg4_mp3", s);
    s = WithFormat(kFormatAvi);
    s.aviVideoCodec = 0;
    s.aviAudioCodec = 1;
    add("avi_mpeg4_ac3", s);
    s = WithFormat(kFormatAvi);
    s.aviVideoCodec = 1;
    s.aviAudioCodec = 0;
    add("avi_xvid_mp3", s);
    s = WithFormat(kFormatAvi);
    s.aviVideoCodec = 1;
    s.aviAudioCodec = 1;
    add("avi_xvid_ac3", s);
    s = WithFormat(kFormatMpeg1);
    add("mpeg1", s);
    s = WithFormat(kFormatMpeg2);
    add("mpeg2", s);
    s = WithFormat(kFormatDivx);
    add("divx_mp3", s);
    s = WithFormat(kFormatXvid);
    s.xvidAudioCodec = 1;
    add("xvid_ac3", s);
    s = WithFormat(kFormatVcd);
    s.tvMode = 0;
    add("vcd_ntsc", s);
    s = WithFormat(kFormatVcd);
    s.tvMode = 1;
    add("vcd_pal", s);
    s = WithFormat(kFormatSvcd);
    s.tvMode = 0;
    add("svcd_ntsc", s);
    s = WithFormat(kFormatSvcd);
    s.tvMode = 1;
    add("svcd_pal", s);
    s = WithFormat(kFormatDvd);
    s.tvMode = 1;
    s.dvdAudioCodec = 0;
    add("dvd_pal_ac3", s);
    s = WithFormat(kFormatDvd);
    s.tvMode = 0;
    s.dvdAudioCodec = 1;
    add("dvd_ntsc_mp2", s);
    s = WithFormat(kFormatWmv);
    s.wmvAudioCodec = 0;
    add("wmv_wmav1", s);
    s = WithFormat(kFormatAsf);
    s.asfVideoCodec = 0;
    s.asfAudioCodec = 1;
    add("asf_msmpeg4", s);
    s = WithFormat(kFormatAsf);
    s.asfVideoCodec = 1;
    s.asfAudioCodec = 0;
    add("asf_msmpeg4v2", s);
    s = WithFormat(kFormatAsf);
    s.asfVideoCodec = 2;
    add("asf_wmv2", s);
    s = WithFormat(kFormatMp4);
    add("mp4_h264_aac", s);
    s = WithFormat(kFormatMkv);
    add("mkv_h265_aac", s);
    s = WithFormat(kFormatWebm);
    add("webm_vp9_opus", s);
    return cases;
}

// Composes the argument text as the run does for one job on a source of the
// given facts. Returns "" if it does not fit.
inline std::string ComposeJobText(const ConversionSettings& settings, const SourceRow& source,
                                  const std::string& sourcePath, const std::string& outputPath,
                                  int32_t mode, int64_t windowHandle) {
    char text[kEncoderArgumentsCapacity];
    if (!BuildJobArguments(settings, source, sourcePath.c_str(), outputPath.c_str(), mode,
                           windowHandle, text, sizeof text)) {
        return std::string();
    }
    return text;
}
