#include "core/ConversionSettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/OutputFormat.h"

namespace {

TEST(SettingFields, KeysInFileOrder) {
    const char* keys[] = {
        "Letterbox", "Temporary folder", "Output format", "TV mode", "MPEG aspect ratio",
        "DVD aspect ratio", "AVI quality", "MPEG1 quality", "MPEG2 quality", "SVCD quality",
        "DVD quality", "WMV quality", "AVI video codec", "ASF video codec", "AVI audio codec",
        "Divx audio codec", "Xvid audio codec", "DVD audio codec", "WMV audio codec",
        "ASF audio codec", "AVI resolution", "MPEG resolution", "AVI frame rate", "MPEG frame rate",
        "Volume",
        // The MP4, MKV and WebM family's keys come after the older ones.
        "MP4 quality", "MP4 resolution", "MP4 frame rate", "MP4 encoding speed",
        "Simultaneous conversions", "Target size", "Target applies to", "MP3 quality",
        "M4A bitrate", "Audio sample rate", "When done", "Output beside source"};
    static_assert(sizeof keys / sizeof keys[0] == kSettingFieldCount, "one key per field");
    for (int i = 0; i < kSettingFieldCount; ++i)
        EXPECT_STREQ(keys[i], kSettingFields[i].key) << i;
    EXPECT_STREQ("Destinate", kSettingsSection);
}

TEST(SettingFields, JobSlotCountKeepsAHandEditedValueInsideOneToEight) {
    const struct {
        int32_t stored;
        int32_t slots;
    } cases[] = {{1, 1}, {4, 4}, {8, 8}, {9, 8}, {0, 1}, {-3, 1}, {2147483647, 8}};
    for (const auto& c : cases) {
        ConversionSettings settings;
        settings.simultaneousConversions = c.stored;
        EXPECT_EQ(c.slots, JobSlotCount(settings)) << c.stored;
    }
}

// The table's default texts, read back as the settings file would read them,
// must give the record's own defaults; and every field must have exactly one key.
TEST(SettingFields, DefaultTextsMatchTheRecordAndCoverEveryField) {
    const ConversionSettings defaults;
    int textKeys = 0;
    for (int i = 0; i < kSettingFieldCount; ++i) {
        const SettingField& field = kSettingFields[i];
        if (field.IsText()) {
            ++textKeys;
            EXPECT_STREQ(defaults.outputFolder, field.defaultText);
            continue;
        }
        EXPECT_EQ(defaults.*field.number, ParseSettingNumber(field.defaultText)) << field.key;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(kSettingFields[j].number, field.number) << field.key;
    }
    EXPECT_EQ(1, textKeys);
    // 36 distinct numbers and the folder make up the whole record.
    static_assert(sizeof(ConversionSettings) == 36 * sizeof(int32_t) + kOutputFolderCapacity,
                  "every field needs a key");
    EXPECT_STREQ("C:\\output video\\", defaults.outputFolder);
    EXPECT_EQ(kFormatMpeg2, defaults.outputFormat);
    EXPECT_EQ(20, defaults.volume);
}

TEST(SettingFields, FindByKey) {
    ASSERT_NE(nullptr, FindSettingField("Divx audio codec"));
    EXPECT_EQ(&ConversionSettings::divxAudioCodec, FindSettingField("Divx audio codec")->number);
    EXPECT_TRUE(FindSettingField("Temporary folder")->IsText());
    EXPECT_EQ(nullptr, FindSettingField("DivX audio codec"));
    EXPECT_EQ(nullptr, FindSettingField(nullptr));
}

TEST(ParseSettingNumber, BehavesLikeAtoiWithoutOverflow) {
    const struct {
        const char* text;
        int32_t value;
    } rows[] = {
        {"7", 7},
        {"  12", 12},
        {"\t-3", -3},
        {"+5", 5},
        {"35dB", 35},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"+-1", 0},
        {" - 1", 0},
        {"007", 7},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", INT32_MAX},
        {"-99999999999999999999", INT32_MIN},
        {"12 34", 12},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.value, ParseSettingNumber(row.text)) << row.text;
    EXPECT_EQ(0, ParseSettingNumber(nullptr));
}

TEST(SetOutputFolder, CutsAt255Characters) {
    ConversionSettings s;
    const std::string longFolder(300, 'f');
    SetOutputFolder(s, longFolder.c_str());
    EXPECT_EQ(255u, std::strlen(s.outputFolder));
    SetOutputFolder(s, "");
    EXPECT_STREQ("", s.outputFolder);
    SetOutputFolder(s, nullptr);
    EXPECT_STREQ("", s.outputFolder);
}

TEST(OutputFormat, TableAndFallbacks) {
    const struct {
        const char* label;
        FormatFamily family;
        const char* ext;
    } rows[] = {
        {"AVI Format (*.avi)", FormatFamily::Avi, "avi"},
        {"MPEG1 Format (*.mpg)", FormatFamily::Mpeg, "mpeg"},
        {"MPEG2 Format (*.mpg)", FormatFamily::Mpeg, "mpeg"},
        {"DivX Format (*.avi)", FormatFamily::Avi, "avi"},
        {"Xvid Format (*.avi)", FormatFamily::Avi, "avi"},
        {"VCD compatible MPEG1 Format (*.mpg)", FormatFamily::Vcd, "mpeg"},
        {"SVCD compatible MPEG2 Format (*.mpg)", FormatFamily::Svcd, "mpeg"},
        {"DVD compatible MPEG2 Format (*.vob)", FormatFamily::Dvd, "vob"},
        {"WMV Format (*.wmv)", FormatFamily::Wmv, "wmv"},
        {"ASF Format (*.ASF)", FormatFamily::Wmv, "asf"},
        {"MP4 H.264 Format (*.mp4)", FormatFamily::ConstantQuality, "mp4"},
        {"MKV H.265 Format (*.mkv)", FormatFamily::ConstantQuality, "mkv"},
        {"WebM VP9 Format (*.webm)", FormatFamily::ConstantQuality, "webm"},
        {"MP3 audio (*.mp3)", FormatFamily::Audio, "mp3"},
        {"M4A audio, AAC (*.m4a)", FormatFamily::Audio, "m4a"},
        {"FLAC audio, lossless (*.flac)", FormatFamily::Audio, "flac"},
        {"MP4, streams kept as they are (*.mp4)", FormatFamily::StreamCopy, "mp4"},
        {"MKV, streams kept as they are (*.mkv)", FormatFamily::StreamCopy, "mkv"},
    };
    static_assert(sizeof rows / sizeof rows[0] == kOutputFormatCount, "one row per format");
    for (int i = 0; i < kOutputFormatCount; ++i) {
        EXPECT_STREQ(rows[i].label, OutputFormatLabel(i));
        EXPECT_EQ(rows[i].family, OutputFormatFamily(i)) << i;
        EXPECT_STREQ(rows[i].ext, OutputExtension(i));
        EXPECT_EQ(rows[i].family == FormatFamily::ConstantQuality, IsConstantQualityFormat(i));
        EXPECT_EQ(rows[i].family == FormatFamily::Audio, IsAudioFormat(i)) << i;
        EXPECT_EQ(rows[i].family == FormatFamily::StreamCopy, IsStreamCopyFormat(i)) << i;
    }
    for (int32_t bad : {-1, 18, 99, INT32_MIN, INT32_MAX}) {
        EXPECT_FALSE(IsConstantQualityFormat(bad));
        EXPECT_EQ(nullptr, FindOutputFormat(bad));
        EXPECT_STREQ("", OutputFormatLabel(bad));
        EXPECT_EQ(FormatFamily::Unknown, OutputFormatFamily(bad));
        EXPECT_STREQ("avi", OutputExtension(bad));
    }
}

} // namespace
