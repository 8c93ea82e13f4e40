#include "core/DroppedFiles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/VideoFileTypes.h"

namespace {

using Paths = std::vector<std::string>;

// Folders and their files, in the order a directory listing might give them.
class FakeFolders : public FolderPort {
public:
    std::map<std::string, Paths> folders;
    bool IsFolder(const std::string& path) override { return folders.count(path) > 0; }
    Paths FileNames(const std::string& folder) override { return folders[folder]; }
};

TEST(ExpandDroppedPaths, FilesKeepExplorersOrderAndFoldersAddTheirVideosByName) {
    FakeFolders fs;
    fs.folders["C:\\clips"] = {"b.MP4", "notes.txt", "A.mkv",     "a.avi",
                               "c.ts",  "cover.jpg", "x.mp4.part"};
    fs.folders["D:\\"] = {"z.mov"};
    fs.folders["C:\\empty"] = {};
    struct Case {
        const char* name;
        Paths dropped;
        Paths expected;
    };
    const Case cases[] = {
        {"files as given, any extension",
         {"C:\\z.wmv", "C:\\a.txt", "C:\\m.avi"},
         {"C:\\z.wmv", "C:\\a.txt", "C:\\m.avi"}},
        {"folder: video files by name, case-insensitive",
         {"C:\\clips"},
         {"C:\\clips\\a.avi", "C:\\clips\\A.mkv", "C:\\clips\\b.MP4", "C:\\clips\\c.ts"}},
        {"folder between files keeps its place",
         {"C:\\y.mp4", "D:\\", "C:\\x.mp4"},
         {"C:\\y.mp4", "D:\\z.mov", "C:\\x.mp4"}},
        {"empty folder adds nothing", {"C:\\empty"}, {}},
        {"empty path skipped", {""}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ExpandDroppedPaths(c.dropped, fs)) << c.name;
}

TEST(VideoFileTypes, ExtensionsOfTheVideoFilter) {
    struct Case {
        const char* name;
        bool video;
    };
    const Case cases[] = {
        {"a.avi", true},  {"a.DivX", true}, {"a.xvid", true},       {"clip.mp4", true},
        {"x.M4V", true},  {"x.mov", true},  {"x.mkv", true},        {"x.webm", true},
        {"x.wmv", true},  {"x.asf", true},  {"x.flv", true},        {"x.mpg", true},
        {"x.mpeg", true}, {"x.m2v", true},  {"VTS_01_1.VOB", true}, {"x.ts", true},
        {"x.mts", true},  {"x.m2ts", true}, {"x.3gp", true},        {"x.3g2", true},
        {"x.ogv", true},  {"x.dv", true},   {"x.mp3", false},       {"x.txt", false},
        {"mp4", false},   {".mp4", false},  {"x.mp4.part", false},  {"dir.mp4\\file", false},
        {"x.", false},    {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.video, IsVideoFileName(c.name)) << c.name;
}

TEST(VideoFileTypes, FilterTextAndSavedIndex) {
    std::string filter = kImportFilterText;
    // The AVI filter stays first, exactly as before.
    EXPECT_EQ(
        0u, filter.find(
                "AVI file (*.AVI,*.DivX,*.div,*.Xvid)|*.avi;*.divx;*.div;*.xvid|All video files|"));
    EXPECT_NE(std::string::npos, filter.find("|All files (*.*)|*.*||"));
    // Every pattern of the video filter is one that IsVideoFileName takes.
    size_t start = filter.find("All video files|") + 16;
    std::string patterns = filter.substr(start, filter.find('|', start) - start);
    int count = 0;
    for (size_t at = 0; at < patterns.size(); ++count) {
        size_t end = patterns.find(';', at);
        if (end == std::string::npos)
            end = patterns.size();
        std::string pattern = patterns.substr(at, end - at);
        EXPECT_TRUE(IsVideoFileName("x" + pattern.substr(1))) << pattern;
        at = end + 1;
    }
    EXPECT_EQ(23, count);
    const int saved[][2] = {{1, 1}, {2, 2}, {3, 3}, {0, 1}, {4, 1}, {-7, 1}};
    for (const auto& s : saved)
        EXPECT_EQ(s[1], ValidImportFilter(s[0])) << s[0];
}

TEST(VideoFileTypes, SoundFilesWhileASoundOnlyFormatIsChosen) {
    const std::string filter = ImportFilterText(true);
    // The video filters keep their places; the sound filter comes fourth.
    const std::string video = kImportFilterText;
    EXPECT_EQ(0u, filter.find(video.substr(0, video.size() - 1)));
    const size_t start = filter.find(")|", filter.find("Sound files (")) + 2;
    const std::string patterns = filter.substr(start, filter.find('|', start) - start);
    EXPECT_EQ("*.wav;*.flac;*.m4a;*.mp3;*.ogg;*.opus", patterns);
    EXPECT_EQ(std::string(kImportFilterText), ImportFilterText(false));
    for (const char* name : {"a.wav", "b.FLAC", "c.m4a", "d.mp3", "e.ogg", "f.Opus"})
        EXPECT_TRUE(IsSoundFileName(name) && !IsVideoFileName(name)) << name;
    for (const char* name : {"a.mp4", "a.wav.part", "wav", "x.aac"})
        EXPECT_FALSE(IsSoundFileName(name)) << name;
    EXPECT_EQ(kSoundFilter, ValidImportFilter(kSoundFilter, true));
    EXPECT_EQ(kAviFilter, ValidImportFilter(kSoundFilter, false));
    EXPECT_EQ(kAviFilter, ValidImportFilter(5, true));

    FakeFolders fs;
    fs.folders["C:\\mix"] = {"song.mp3", "clip.mp4", "take.wav", "notes.txt"};
    EXPECT_EQ(Paths({"C:\\mix\\clip.mp4"}), ExpandDroppedPaths({"C:\\mix"}, fs));
    EXPECT_EQ(Paths({"C:\\mix\\clip.mp4", "C:\\mix\\song.mp3", "C:\\mix\\take.wav"}),
              ExpandDroppedPaths({"C:\\mix"}, fs, true));
}

} // namespace
