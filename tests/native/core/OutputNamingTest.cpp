#include "core/OutputNaming.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// A pretend file system: the set of paths that exist.
struct FakeFolder {
    std::set<std::string> paths;
    std::set<std::string> sources;
};

bool Exists(const char* path, void* context) {
    const auto* folder = static_cast<FakeFolder*>(context);
    for (const std::string& p : folder->paths) {
        if (SamePathText(p.c_str(), path))
            return true;
    }
    return false;
}

bool IsSource(const char* path, void* context) {
    const auto* folder = static_cast<FakeFolder*>(context);
    for (const std::string& p : folder->sources) {
        if (SamePathText(p.c_str(), path))
            return true;
    }
    return false;
}

std::string Compose(FakeFolder& fs, const char* folder, const char* source, const char* ext) {
    OutputNamingRules rules;
    rules.exists = Exists;
    rules.existsContext = &fs;
    rules.isProtected = IsSource;
    rules.protectedContext = &fs;
    char out[256];
    if (!ComposeOutputPath(folder, source, ext, rules, out, sizeof out))
        return "<fail>";
    return out;
}

TEST(OutputNaming, NamesFromFolderSourceAndFormat) {
    struct Case {
        const char* folder;
        const char* source;
        const char* ext;
        const char* expected;
    } cases[] = {
        {"C:\\output video\\", "C:\\clips\\holiday.avi", "vob", "C:\\output video\\holiday.vob"},
        {"C:\\output video", "C:\\clips\\holiday.avi", "vob", "C:\\output video\\holiday.vob"},
        {"C:\\out\\", "C:\\clips\\party.divx", "avi", "C:\\out\\party.avi"},
        {"C:\\out\\", "C:\\clips\\two.dots.Xvid", "mpeg", "C:\\out\\two.dots.mpeg"},
        // A "." in a folder name never cuts the path.
        {"C:\\out\\", "C:\\my.clips\\noext", "avi", "C:\\out\\noext.avi"},
        {"C:\\out\\", "bare.avi", "wmv", "C:\\out\\bare.wmv"},
        {"", "C:\\clips\\a.avi", "asf", "\\a.asf"},
    };
    for (const Case& c : cases) {
        FakeFolder fs;
        EXPECT_EQ(c.expected, Compose(fs, c.folder, c.source, c.ext)) << c.source;
    }
}

TEST(OutputNaming, ThreeRunsWritePlainThenSuffixedTwice) {
    FakeFolder fs;
    const char* source = "C:\\clips\\name.avi";
    const std::string first = Compose(fs, "C:\\out\\", source, "avi");
    EXPECT_EQ("C:\\out\\name.avi", first);
    fs.paths.insert(first);
    const std::string second = Compose(fs, "C:\\out\\", source, "avi");
    EXPECT_EQ("C:\\out\\name_avi.avi", second);
    fs.paths.insert(second);
    EXPECT_EQ("C:\\out\\name_avi.avi", Compose(fs, "C:\\out\\", source, "avi"));
}

TEST(OutputNaming, SuffixKeepsTheSourceExtensionCase) {
    FakeFolder fs;
    fs.paths.insert("C:\\output video\\Movie.avi");
    EXPECT_EQ("C:\\output video\\Movie_AVI.avi",
              Compose(fs, "C:\\output video\\", "C:\\clips\\Movie.AVI", "avi"));
}

TEST(OutputNaming, SourceInsideTheOutputFolderIsNeverItsOwnTarget) {
    FakeFolder fs;
    fs.paths.insert("C:\\output video\\clip.avi");
    fs.sources.insert("C:\\output video\\clip.avi");
    EXPECT_EQ("C:\\output video\\clip_avi.avi",
              Compose(fs, "C:\\output video", "C:\\output video\\clip.avi", "avi"));
}

TEST(OutputNaming, SuffixedNameOfAnotherSourceGetsANumber) {
    FakeFolder fs;
    fs.paths = {"C:\\out\\Movie.avi", "C:\\out\\Movie_AVI.avi", "C:\\out\\Movie_AVI_2.avi"};
    fs.sources = {"c:/out/movie_avi.avi", "C:\\out\\Movie_AVI_2.avi"};
    EXPECT_EQ("C:\\out\\Movie_AVI_3.avi", Compose(fs, "C:\\out\\", "C:\\clips\\Movie.AVI", "avi"));
}

TEST(OutputNaming, OutputsOfRunningJobsAreNotYetOnDiskButNeverPickedTwice) {
    // Three sources with one stem start while the others still run; each
    // reserved name is protected without existing.
    FakeFolder fs;
    const char* sources[] = {"C:\\a\\clip.avi", "C:\\a\\clip.divx", "C:\\b\\clip.divx"};
    const char* expected[] = {"C:\\out\\clip.avi", "C:\\out\\clip_divx.avi",
                              "C:\\out\\clip_divx_2.avi"};
    for (int i = 0; i < 3; ++i) {
        const std::string name = Compose(fs, "C:\\out\\", sources[i], "avi");
        EXPECT_EQ(expected[i], name);
        fs.sources.insert(name);
    }
}

TEST(OutputNaming, NameWithoutExtension) {
    FakeFolder fs;
    EXPECT_EQ("C:\\out\\clip.avi", Compose(fs, "C:\\out\\", "C:\\clips\\clip", "avi"));
    fs.paths.insert("C:\\out\\clip.avi");
    EXPECT_EQ("C:\\out\\clip_.avi", Compose(fs, "C:\\out\\", "C:\\clips\\clip", "avi"));
}

TEST(OutputNaming, TooLongOrMissingArgumentsFail) {
    OutputNamingRules none;
    char out[16] = "x";
    EXPECT_FALSE(ComposeOutputPath("C:\\a long folder\\", "b.avi", "avi", none, out, sizeof out));
    EXPECT_STREQ("", out);
    EXPECT_FALSE(ComposeOutputPath(nullptr, "b.avi", "avi", none, out, sizeof out));
    EXPECT_TRUE(ComposeOutputPath("C:\\", "b.avi", "avi", none, out, sizeof out));
    EXPECT_STREQ("C:\\b.avi", out);

    // 255 characters fit a 256 buffer, 256 do not.
    const std::string folder(247, 'f');
    char path[256];
    EXPECT_TRUE(ComposeOutputPath(folder.c_str(), "x\\abc.avi", "avi", none, path, sizeof path));
    EXPECT_EQ(255u, std::string(path).size());
    EXPECT_FALSE(ComposeOutputPath(folder.c_str(), "x\\abcd.avi", "avi", none, path, sizeof path));
}

TEST(PathParts, DirectoryAndFileName) {
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
    } cases[] = {
        {"C:\\Program Files\\Tarvello\\Tarvello.exe", "C:\\Program Files\\Tarvello\\",
         "Tarvello.exe"},
        {"Tarvello.exe", "", "Tarvello.exe"},
        {"C:\\", "C:\\", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        char dir[256];
        ASSERT_TRUE(DirectoryPart(c.path, dir, sizeof dir));
        EXPECT_STREQ(c.directory, dir);
        EXPECT_STREQ(c.name, FileNamePart(c.path));
    }
    char small[4];
    EXPECT_FALSE(DirectoryPart("C:\\abc\\d", small, sizeof small));
}

TEST(PathParts, SamePathText) {
    EXPECT_TRUE(SamePathText("C:\\Out\\A.AVI", "c:/out/a.avi"));
    EXPECT_FALSE(SamePathText("C:\\out\\a.avi", "C:\\out\\a.avi2"));
    EXPECT_FALSE(SamePathText("C:\\out\\a.avi", nullptr));
}

} // namespace
