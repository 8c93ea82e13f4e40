#include "core/TargetSize.h"

#include <gtest/gtest.h>

#include <string>

#include "core/EncoderArguments.h"
#include "core/ListTarget.h"

namespace {

struct BitrateCase {
    OutputFormat format;
    double seconds;
    double fps;
    int32_t audioKbps;
    int64_t targetBytes;
    int32_t videoKbps; // 0: refused
    bool capped;
};

// Overheads as measured: MP4 2,000 B + 16 B a packet, AVI 10,000 B + 24 B,
// Matroska 4,000 B + 12 B, DVD 3 % of the payload; audio packets 50 a second.
const BitrateCase kBitrateCases[] = {
    {kFormatMp4, 10, 25, 128, 10000000, 7540, false},
    {kFormatMp4, 10, 1000, 128, 10000000, 7540, false}, // kept timing counts as 30 fps
    {kFormatAvi, 30, 25, 128, 8000000, 1902, false},
    {kFormatMkv, 60, 25, 128, 25000000, 3064, false},
    {kFormatDvd, 100, 25, 192, 50000000, 3535, false},
    {kFormatDvd, 60, 25, 192, 4700000000, 9400, true}, // DVD's video maximum
    {kFormatSvcd, 60, 25, 224, 700000000, 2500, true}, // SVCD's video maximum
    {kFormatSvcd, 60, 25, 448, 700000000, 2286, true}, // SVCD's total with loud audio
    {kFormatMp4, 600, 25, 128, 8000000, 0, false},     // under 100 kbit/s of video
    {kFormatVcd, 60, 25, 224, 700000000, 0, false},    // rates fixed by the standard
    {kFormatMp4, 0, 25, 128, 8000000, 0, false},       // no duration known
    {99, 60, 25, 128, 8000000, 0, false},
};

TEST(TargetSize, VideoBitrateFromTheTarget) {
    for (const BitrateCase& c : kBitrateCases) {
        SCOPED_TRACE(std::to_string(c.format) + " " + std::to_string(c.targetBytes));
        const TargetBitrate rate =
            VideoBitrateForTarget({c.format, c.seconds, c.fps, c.audioKbps, c.targetBytes});
        EXPECT_EQ(rate.fits, c.videoKbps > 0);
        EXPECT_EQ(rate.videoKbps, c.videoKbps);
        EXPECT_EQ(rate.capped, c.capped);
    }
}

TEST(TargetSize, SmallestTargetIsTheFirstThatFits) {
    for (OutputFormat format : {kFormatMp4, kFormatAvi, kFormatDvd, kFormatWebm, kFormatWmv}) {
        for (double seconds : {5.0, 600.0, 7200.0}) {
            const int64_t smallest = SmallestTargetBytes(format, seconds, 25, 128);
            EXPECT_TRUE(VideoBitrateForTarget({format, seconds, 25, 128, smallest}).fits);
            EXPECT_FALSE(VideoBitrateForTarget({format, seconds, 25, 128, smallest - 1000}).fits);
        }
    }
    char text[32];
    FormatTargetMegabytes(SmallestTargetBytes(kFormatMp4, 600, 25, 128), text, sizeof text);
    EXPECT_STREQ(text, "18.6 MB");
    FormatTargetMegabytes(25000000, text, sizeof text);
    EXPECT_STREQ(text, "25 MB");
}

TEST(TargetSize, WholeListSharesFollowDuration) {
    const double durations[] = {10, 20, 30};
    int64_t sum = 0;
    for (double d : durations)
        sum += ListShareBytes(10000001, d, 60);
    EXPECT_LE(sum, 10000001);
    EXPECT_GE(sum, 10000001 - 3);
    EXPECT_EQ(ListShareBytes(10000000, 30, 60), 5000000);
    EXPECT_EQ(ListShareBytes(10000000, 30, 0), 0);
    // The shortest file's share decides: its smallest target scaled by the list.
    const int64_t smallest[] = {200000, 300000, 1000000};
    EXPECT_EQ(SmallestListTargetBytes(smallest, durations, 3), 2000000);
    const int64_t longest[] = {200000, 300000, 1500000};
    EXPECT_EQ(SmallestListTargetBytes(longest, durations, 3), 3000000);
}

TEST(TargetSize, HandEditedValues) {
    struct {
        int32_t kb;
        int64_t bytes;
    } const cases[] = {
        {0, 0}, {-5, 0}, {10000, 10000000}, {2147483647, int64_t{kLargestTargetKb} * 1000}};
    for (const auto& c : cases) {
        ConversionSettings s;
        s.targetSizeKb = c.kb;
        EXPECT_EQ(TargetBytes(s), c.bytes) << c.kb;
    }
    ConversionSettings s;
    for (int32_t applies : {0, 2, -1})
        EXPECT_FALSE((s.targetAppliesTo = applies, TargetForWholeList(s)));
    s.targetAppliesTo = 1;
    EXPECT_TRUE(TargetForWholeList(s));
}

struct ArgumentCase {
    OutputFormat format;
    const char* rate;    // the rate piece with a target
    const char* quality; // the piece that a target replaces
};

TEST(TargetSize, ArgumentTextCarriesTheRateAndTheTarget) {
    const ArgumentCase cases[] = {
        {kFormatMp4, "-x264encopts bitrate=", "crf="},
        {kFormatMkv, "-x265encopts bitrate=", "crf="},
        {kFormatWebm, "-vp9encopts bitrate=", "crf="},
        {kFormatWmv, ":vbitrate=", "vqscale="},
        {kFormatDvd, ":vbitrate=", "vbitrate=8000"},
    };
    SourceRow source;
    source.duration = 60;
    source.width = 640;
    source.height = 480;
    source.frameRate = 25;
    for (const ArgumentCase& c : cases) {
        ConversionSettings s;
        s.outputFormat = c.format;
        s.targetSizeKb = 25000;
        char out[kEncoderArgumentsCapacity];
        ASSERT_TRUE(BuildJobArguments(s, source, "C:\\a.avi", "C:\\b.x", 0, 1, out, sizeof out));
        const std::string text = out;
        SCOPED_TRACE(text);
        EXPECT_NE(text.find(c.rate), std::string::npos);
        EXPECT_EQ(text.find(c.quality), std::string::npos);
        EXPECT_NE(text.find(" -targetsize 25000000 -endpos"), std::string::npos);
        // A probe and a format without targets keep the text of no target.
        ASSERT_TRUE(BuildJobArguments(s, source, "C:\\a.avi", "C:\\b.x", 1, 1, out, sizeof out));
        EXPECT_EQ(std::string(out).find("-targetsize"), std::string::npos);
    }
    ConversionSettings vcd;
    vcd.outputFormat = kFormatVcd;
    vcd.targetSizeKb = 25000;
    char out[kEncoderArgumentsCapacity];
    ASSERT_TRUE(BuildJobArguments(vcd, source, "C:\\a.avi", "C:\\b.x", 0, 1, out, sizeof out));
    EXPECT_EQ(std::string(out).find("-targetsize"), std::string::npos);
}

SourceTable ListOf(std::initializer_list<double> durations) {
    SourceTable table;
    int n = 0;
    for (double d : durations) {
        SourceRow row;
        row.duration = d;
        row.width = 640;
        row.height = 480;
        row.frameRate = 25;
        table.Append(("C:\\clip" + std::to_string(n++) + ".avi").c_str(), row);
    }
    return table;
}

TEST(ListTarget, RowsGetTheirSharesAndSmallTargetsAreRefused) {
    const SourceTable list = ListOf({10, 20, 30});
    ConversionSettings s;
    s.outputFormat = kFormatMp4;
    s.targetSizeKb = 10000;
    s.targetAppliesTo = 1;
    EXPECT_EQ(SettingsForRow(s, list, 0).targetSizeKb, 1666);
    EXPECT_EQ(SettingsForRow(s, list, 2).targetSizeKb, 5000);
    EXPECT_EQ(SettingsForRow(s, list, 2).targetAppliesTo, 0);
    char text[512];
    EXPECT_FALSE(TargetRefused(s, list, text, sizeof text));

    struct {
        int32_t kb;
        int32_t appliesTo;
        const char* says; // "" when it fits
    } const cases[] = {
        {900, 0,
         "too small for C:\\clip2.avi.\n\nThe smallest target that works for each file "
         "of this list is 1 MB. Nothing was converted."},
        {1000, 0, ""},
        {1800, 1,
         "too small for the whole list.\n\nThe smallest target that works for this list "
         "is 1.9 MB. Nothing was converted."},
        {1900, 1, ""},
    };
    for (const auto& c : cases) {
        s.targetSizeKb = c.kb;
        s.targetAppliesTo = c.appliesTo;
        EXPECT_EQ(TargetRefused(s, list, text, sizeof text), c.says[0] != '\0') << c.kb;
        EXPECT_NE(std::string(text).find(c.says), std::string::npos) << text;
    }
    s.outputFormat = kFormatVcd;
    EXPECT_FALSE(TargetRefused(s, list, text, sizeof text));
}

TEST(ListTarget, TheEndBoxNamesTheFilesAFormatCapKeptSmall) {
    const SourceTable list = ListOf({10, 600});
    ConversionSettings s;
    s.outputFormat = kFormatDvd;
    s.targetSizeKb = 100000; // 100 MB: 80 Mbit/s for 10 s, 1.3 Mbit/s for 600 s
    EXPECT_TRUE(RowCappedBelowTarget(s, list, 0));
    EXPECT_FALSE(RowCappedBelowTarget(s, list, 1));
    s.targetAppliesTo = 1; // the 10 s share is 1.6 MB: within DVD's rate
    EXPECT_FALSE(RowCappedBelowTarget(s, list, 0));
    s.targetSizeKb = 0;
    s.targetAppliesTo = 0;
    EXPECT_FALSE(RowCappedBelowTarget(s, list, 0));

    char text[160] = "Mission accomplished! Total Time:00:00:09";
    AppendCappedNote(0, text, sizeof text);
    EXPECT_STREQ(text, "Mission accomplished! Total Time:00:00:09");
    AppendCappedNote(2, text, sizeof text);
    EXPECT_STREQ(text, "Mission accomplished! Total Time:00:00:09\n\n2 files are smaller than the "
                       "target size: their format allows no higher bitrate.");
}

} // namespace
