// option.ini and version.ini through the real profile functions, in folders
// of the build tree.
#include "ui/SettingsFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/ConversionSettings.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

// Deletes `folder` (ending in a backslash) and everything in it.
void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

// A fresh, empty folder for the running test:
// <build>\test-data\settings\<test>\<leaf>\.
std::string FreshFolder(const char* leaf = "") {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string folder = wintest::EnvPath("TARVELLO_BUILD_DIR", "test-data\\settings\\") +
                         info->name() + "\\" + leaf;
    if (folder.back() != '\\')
        folder += "\\";
    RemoveTree(folder);
    std::string partial;
    for (char c : folder) {
        partial += c;
        if (c == '\\')
            CreateDirectoryA(partial.c_str(), nullptr);
    }
    return folder;
}

void WriteText(const std::string& path, const std::string& text) {
    FILE* f = fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f) << path;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

std::string ReadText(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return "(missing)";
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    fclose(f);
    return text;
}

// The file's lines without line ends and without blank lines.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            if (!line.empty())
                lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

SettingsPlaces Places(const std::string& program, const std::string& user) {
    SettingsPlaces places;
    snprintf(places.programFolder, sizeof places.programFolder, "%s", program.c_str());
    snprintf(places.userFolder, sizeof places.userFolder, "%s", user.c_str());
    return places;
}

// Every key with the value text SaveSettingsTo must write for `s`.
std::vector<std::string> ExpectedSection(const ConversionSettings& s) {
    std::vector<std::string> lines = {"[Destinate]"};
    for (const SettingField& field : kSettingFields) {
        std::string value =
            field.IsText() ? s.outputFolder : std::to_string(static_cast<long>(s.*field.number));
        lines.push_back(std::string(field.key) + "=" + value);
    }
    return lines;
}

// A record with every number away from its default.
ConversionSettings Changed() {
    ConversionSettings s;
    int32_t value = 3;
    for (const SettingField& field : kSettingFields) {
        if (!field.IsText())
            s.*field.number = value++;
    }
    s.volume = -7;
    s.outputFormat = 12;
    SetOutputFolder(s, "D:\\My videos\\out\\");
    return s;
}

void ExpectSame(const ConversionSettings& expected, const ConversionSettings& actual) {
    for (const SettingField& field : kSettingFields) {
        if (field.IsText()) {
            EXPECT_STREQ(expected.outputFolder, actual.outputFolder);
        } else {
            EXPECT_EQ(expected.*field.number, actual.*field.number) << field.key;
        }
    }
}

TEST(SettingsFile, FirstStartGivesDefaultsAndSaveWritesAllKeys) {
    const std::string program = FreshFolder("program");
    const std::string user = FreshFolder("user");
    ConversionSettings loaded = Changed();
    LoadSettingsFrom(Places(program, user), loaded);
    ExpectSame(ConversionSettings(), loaded);
    EXPECT_EQ(2, loaded.outputFormat);
    EXPECT_STREQ("C:\\output video\\", loaded.outputFolder);
    EXPECT_FALSE(Exists(program + "option.ini")); // loading creates nothing

    SaveSettingsTo(Places(program, user), loaded);
    EXPECT_EQ(ExpectedSection(ConversionSettings()), Lines(ReadText(program + "option.ini")));
    EXPECT_FALSE(Exists(user + "option.ini"));
}

TEST(SettingsFile, SavedValuesComeBack) {
    const std::string program = FreshFolder();
    const ConversionSettings changed = Changed();
    SaveSettingsTo(Places(program, ""), changed);
    EXPECT_EQ(ExpectedSection(changed), Lines(ReadText(program + "option.ini")));
    ConversionSettings loaded;
    LoadSettingsFrom(Places(program, ""), loaded);
    ExpectSame(changed, loaded);
}

TEST(SettingsFile, OneKeyLeavesTheOthersAtTheirDefaults) {
    const std::string program = FreshFolder();
    WriteText(program + "option.ini", "[Destinate]\r\nOutput format=7\r\n");
    ConversionSettings loaded = Changed();
    LoadSettingsFrom(Places(program, ""), loaded);
    ConversionSettings expected;
    expected.outputFormat = 7;
    ExpectSame(expected, loaded);
}

TEST(SettingsFile, NumbersAreReadAsAtoiReadsThem) {
    const struct {
        const char* key;
        const char* text;
        int32_t value;
    } rows[] = {
        {"Volume", "abc", 0},
        {"Letterbox", "35dB", 35},
        {"Output format", "", 0},
        {"TV mode", "-3", -3},
        {"MPEG aspect ratio", "  7  ", 7}, // the reader strips the blanks
        {"DVD aspect ratio", "+12", 12},
        {"AVI quality", "12abc", 12},
        {"MPEG1 quality", "0x10", 0},
        {"MPEG2 quality", "\"15\"", 15}, // one pair of quotes is removed
        {"SVCD quality", "'-4'", -4},
        {"DVD quality", "- 5", 0},
        {"WMV quality", "99999999999", INT32_MAX},
        {"AVI video codec", "-99999999999", INT32_MIN},
        {"ASF video codec", "007", 7},
        {"AVI audio codec", "1.9", 1},
        {"Divx audio codec", "--1", 0},
    };
    const std::string program = FreshFolder();
    std::string file = "[Destinate]\r\n";
    for (const auto& row : rows)
        file += std::string(row.key) + "=" + row.text + "\r\n";
    WriteText(program + "option.ini", file);

    ConversionSettings loaded;
    LoadSettingsFrom(Places(program, ""), loaded);
    for (const auto& row : rows) {
        const SettingField* field = FindSettingField(row.key);
        ASSERT_NE(nullptr, field) << row.key;
        EXPECT_EQ(row.value, loaded.*field->number) << row.key << "=" << row.text;
    }
}

TEST(SettingsFile, FolderValuesAreTakenAsTheyAre) {
    const std::string program = FreshFolder();
    WriteText(program + "option.ini", "[Destinate]\r\nTemporary folder=\r\n");
    ConversionSettings loaded;
    LoadSettingsFrom(Places(program, ""), loaded);
    EXPECT_STREQ("", loaded.outputFolder); // present but empty: not the default

    const std::string longFolder = "E:\\" + std::string(300, 'x') + "\\";
    WriteText(program + "option.ini", "[Destinate]\r\nTemporary folder=" + longFolder + "\r\n");
    LoadSettingsFrom(Places(program, ""), loaded);
    EXPECT_EQ(longFolder.substr(0, 255), loaded.outputFolder);
}

TEST(SettingsFile, ValuesOutsideTheListsAreKept) {
    const std::string program = FreshFolder();
    WriteText(program + "option.ini", "[Destinate]\r\nOutput format=13\r\nVolume=-100\r\n");
    ConversionSettings loaded;
    LoadSettingsFrom(Places(program, ""), loaded);
    EXPECT_EQ(13, loaded.outputFormat);
    EXPECT_EQ(-100, loaded.volume);
    SaveSettingsTo(Places(program, ""), loaded);
    const std::vector<std::string> lines = Lines(ReadText(program + "option.ini"));
    EXPECT_EQ("Output format=13", lines.at(1));
    EXPECT_EQ("Volume=-100", lines.at(2));
}

TEST(SettingsFile, NamesMatchInAnyLetterCase) {
    const std::string program = FreshFolder();
    WriteText(program + "option.ini",
              "[DESTINATE]\r\nOUTPUT FORMAT=5\r\nvolume=3\r\ndivx AUDIO codec=1\r\n");
    ConversionSettings loaded;
    LoadSettingsFrom(Places(program, ""), loaded);
    EXPECT_EQ(5, loaded.outputFormat);
    EXPECT_EQ(3, loaded.volume);
    EXPECT_EQ(1, loaded.divxAudioCodec);
}

TEST(SettingsFile, SaveKeepsWhatItDoesNotKnow) {
    const std::string program = FreshFolder();
    WriteText(program + "option.ini",
              "[Window]\r\nLeft=10\r\n[Destinate]\r\nMy note=keep me\r\nVolume=3\r\n"
              "[Tail]\r\nx=y\r\n");
    ConversionSettings s;
    s.volume = 30;
    SaveSettingsTo(Places(program, ""), s);
    const std::vector<std::string> lines = Lines(ReadText(program + "option.ini"));
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ("[Window]", lines[0]);
    EXPECT_EQ("Left=10", lines[1]);
    EXPECT_EQ("[Destinate]", lines[2]);
    EXPECT_EQ("My note=keep me", lines[3]);
    EXPECT_EQ("Volume=30", lines[4]); // replaced in place
    EXPECT_EQ("[Tail]", lines[lines.size() - 2]);
    EXPECT_EQ("x=y", lines.back());
    EXPECT_EQ(2u + 1u + 1u + kSettingFieldCount + 2u, lines.size());
}

// A file written by the version with ten formats: its 25 keys keep their
// values and places, and the first save appends the four keys of MP4, MKV
// and WebM with their defaults.
TEST(SettingsFile, PreviousVersionsFileLoadsUnchangedAndGainsTheNewKeysAtTheEnd) {
    const std::vector<std::string> previous = {
        "[Destinate]",        "Letterbox=0",        "Temporary folder=D:\\clips out\\",
        "Output format=7",    "TV mode=1",          "MPEG aspect ratio=1",
        "DVD aspect ratio=0", "AVI quality=8",      "MPEG1 quality=4",
        "MPEG2 quality=5",    "SVCD quality=0",     "DVD quality=2",
        "WMV quality=1",      "AVI video codec=1",  "ASF video codec=0",
        "AVI audio codec=1",  "Divx audio codec=1", "Xvid audio codec=1",
        "DVD audio codec=1",  "WMV audio codec=0",  "ASF audio codec=0",
        "AVI resolution=19",  "MPEG resolution=17", "AVI frame rate=7",
        "MPEG frame rate=5",  "Volume=33",
    };
    ASSERT_EQ(26u, previous.size());
    std::string file;
    for (const std::string& line : previous)
        file += line + "\r\n";
    const std::string program = FreshFolder();
    WriteText(program + "option.ini", file);

    ConversionSettings loaded;
    LoadSettingsFrom(Places(program, ""), loaded);
    for (size_t i = 1; i < previous.size(); ++i) {
        const std::string& line = previous[i];
        const size_t equals = line.find('=');
        const SettingField* field = FindSettingField(line.substr(0, equals).c_str());
        ASSERT_NE(nullptr, field) << line;
        const std::string value = field->IsText()
                                      ? loaded.outputFolder
                                      : std::to_string(static_cast<long>(loaded.*field->number));
        EXPECT_EQ(line.substr(equals + 1), value) << line;
    }
    const ConversionSettings defaults;
    EXPECT_EQ(defaults.mp4Quality, loaded.mp4Quality);
    EXPECT_EQ(defaults.mp4Resolution, loaded.mp4Resolution);
    EXPECT_EQ(defaults.mp4FrameRate, loaded.mp4FrameRate);
    EXPECT_EQ(defaults.mp4Speed, loaded.mp4Speed);

    SaveSettingsTo(Places(program, ""), loaded);
    std::vector<std::string> expected = previous;
    for (const char* added : {"MP4 quality=3", "MP4 resolution=0", "MP4 frame rate=0",
                              "MP4 encoding speed=1", "Simultaneous conversions=1",
                              "Target size=0", "Target applies to=0", "MP3 quality=2",
                              "M4A bitrate=3", "Audio sample rate=0", "When done=0",
                              "Output beside source=0"}) {
        expected.push_back(added);
    }
    EXPECT_EQ(expected, Lines(ReadText(program + "option.ini")));
}

TEST(SettingsFile, VersionTextComesFromVersionIni) {
    const std::string program = FreshFolder();
    LoadVersionFrom(program.c_str());
    EXPECT_STREQ("1.00", VersionText());
    WriteText(program + "version.ini", "[general]\r\nVERSION=2.5 beta\r\n");
    LoadVersionFrom(program.c_str());
    EXPECT_STREQ("2.5 beta", VersionText());
    WriteText(program + "version.ini", "[General]\r\nVersion=" + std::string(400, '9') + "\r\n");
    LoadVersionFrom(program.c_str());
    EXPECT_EQ(std::string(255, '9'), VersionText());
}

// The program folder cannot be written: its parent is a file.
TEST(SettingsFile, UnwritableProgramFolderUsesTheUserFolder) {
    const std::string base = FreshFolder();
    WriteText(base + "blocker", "not a folder");
    const std::string program = base + "blocker\\program\\";
    const std::string user = base + "user\\Tarvello\\";
    const SettingsPlaces places = Places(program, user);

    ConversionSettings loaded = Changed();
    LoadSettingsFrom(places, loaded);
    ExpectSame(ConversionSettings(), loaded);

    const ConversionSettings changed = Changed();
    SaveSettingsTo(places, changed);
    EXPECT_EQ(ExpectedSection(changed), Lines(ReadText(user + "option.ini")));
    LoadSettingsFrom(places, loaded);
    ExpectSame(changed, loaded);

    // A folder path too long to hold the file name goes the same way.
    const SettingsPlaces longPlaces = Places(base + std::string(240, 'p') + "\\", user);
    LoadSettingsFrom(longPlaces, loaded);
    ExpectSame(changed, loaded);

    // Without a user folder nothing can be saved, and nothing breaks.
    SaveSettingsTo(Places(program, ""), changed);
    LoadSettingsFrom(Places(program, ""), loaded);
    ExpectSame(ConversionSettings(), loaded);
}

// An installed copy: option.ini ships read-only in the program folder.
TEST(SettingsFile, ReadOnlyShippedFileIsReadThenLeftAlone) {
    const std::string program = FreshFolder("program");
    const std::string user = FreshFolder("user");
    const std::string shipped = "[Destinate]\r\nVolume=7\r\nVendor key=1\r\n[Other]\r\na=b\r\n";
    WriteText(program + "option.ini", shipped);
    ASSERT_TRUE(SetFileAttributesA((program + "option.ini").c_str(), FILE_ATTRIBUTE_READONLY));
    const SettingsPlaces places = Places(program, user);

    ConversionSettings loaded;
    LoadSettingsFrom(places, loaded);
    EXPECT_EQ(7, loaded.volume);

    loaded.volume = 33;
    SaveSettingsTo(places, loaded);
    EXPECT_EQ(shipped, ReadText(program + "option.ini")); // untouched
    const std::vector<std::string> lines = Lines(ReadText(user + "option.ini"));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ("Volume=33", lines[1]);
    EXPECT_EQ("Vendor key=1", lines[2]);
    EXPECT_EQ("a=b", lines.back());

    ConversionSettings again;
    LoadSettingsFrom(places, again);
    EXPECT_EQ(33, again.volume);

    // Once the program folder can be written again, its file is the one used.
    SetFileAttributesA((program + "option.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    LoadSettingsFrom(places, again);
    EXPECT_EQ(7, again.volume);
}

} // namespace
