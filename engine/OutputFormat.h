// The ten output formats, indexed 0..9 in the order of the Output format lists.
#pragma once

#include <cstdint>

// A format is stored as a plain signed index so that the settings file and the
// drop-down lists can hold it unchanged; values outside 0..9 are tolerated.
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
};

constexpr int kOutputFormatCount = 10;

// The family decides which settings a format shares.
enum class FormatFamily { Avi, Mpeg, Vcd, Svcd, Dvd, Wmv, Unknown };

struct OutputFormatInfo {
    const char* label;      // entry of the Output format lists
    FormatFamily family;
    const char* extension;  // extension of the output file, without the dot
};

bool IsValidOutputFormat(OutputFormat format);

// Table row of a valid format; nullptr outside 0..9.
const OutputFormatInfo* FindOutputFormat(OutputFormat format);

// List label; "" outside 0..9.
const char* OutputFormatLabel(OutputFormat format);

// FormatFamily::Unknown outside 0..9.
FormatFamily OutputFormatFamily(OutputFormat format);

// Output file extension; "avi" outside 0..9.
const char* OutputExtension(OutputFormat format);
