// The output formats, indexed in the order of the Output format lists: the ten
// classic ones 0..9, today's MP4, MKV and WebM 10..12, the sound-only formats
// 13..15 and the two that keep the source's streams 16..17.
#pragma once

#include <cstdint>

// A format is stored as a plain signed index so that the settings file and the
// drop-down lists can hold it unchanged; values outside the table are tolerated.
using OutputFormat = int32_t;

enum OutputFormatIndex : int32_t {
    kFormatAvi = 0,
    kFormatMpeg1 = 1,
    kFormatMpeg2 = 2,
    kFormatDivx = 3,
    kFormatXvid = 4,
    kFormatVcd = 5,
    kFormatSvcd = 6,
    kFormatDvd = 7,
    kFormatWmv = 8,
    kFormatAsf = 9,
    kFormatMp4 = 10,
    kFormatMkv = 11,
    kFormatWebm = 12,
    kFormatMp3 = 13,
    kFormatM4a = 14,
    kFormatFlac = 15,
    kFormatMp4Copy = 16,
    kFormatMkvCopy = 17,
};

constexpr int kOutputFormatCount = 18;

// The family decides which settings a format shares.
// ConstantQuality: MP4 (H.264), MKV (H.265) and WebM (VP9), constant-quality encoders.
// Audio: MP3, M4A and FLAC, the sound alone. StreamCopy: the source's streams
// in another container, not re-encoded.
enum class FormatFamily {
    Avi,
    Mpeg,
    Vcd,
    Svcd,
    Dvd,
    Wmv,
    ConstantQuality,
    Audio,
    StreamCopy,
    Unknown
};

struct OutputFormatInfo {
    const char* label; // entry of the Output format lists
    FormatFamily family;
    const char* extension; // extension of the output file, without the dot
};

bool IsValidOutputFormat(OutputFormat format);

// Table row of a valid format; nullptr outside the table.
const OutputFormatInfo* FindOutputFormat(OutputFormat format);

// List label; "" outside the table.
const char* OutputFormatLabel(OutputFormat format);

// FormatFamily::Unknown outside the table.
FormatFamily OutputFormatFamily(OutputFormat format);

// MP4, MKV or WebM: the family with its own settings keys.
bool IsConstantQualityFormat(OutputFormat format);

// MP3, M4A or FLAC: the output holds the sound alone.
bool IsAudioFormat(OutputFormat format);

// The MP4 and MKV entries that keep the source's streams as they are.
bool IsStreamCopyFormat(OutputFormat format);

// MPEG1 or MPEG2: the formats with the four aspect entries of their own.
bool IsMpegFormat(OutputFormat format);

// VCD, SVCD and DVD: made for a TV standard and a screen shape.
bool IsDiscFormat(OutputFormat format);

// Output file extension; "avi" outside the table.
const char* OutputExtension(OutputFormat format);
