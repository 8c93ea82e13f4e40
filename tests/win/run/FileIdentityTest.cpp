// File identity and name comparison as the file system sees them.
#include "run/FileIdentity.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/win/run/RunTestHost.h"

namespace runtest {
namespace {

TEST(FileIdentity, NamesAreComparedWithoutCaseOverUnicode) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"C:\\Out\\A.AVI", "c:/out/a.avi", true},
        {"C:\\a\\\xC3\x89t\xC3\xA9.avi", "c:\\A\\\xC3\xA9t\xC3\xA9.avi", true}, // Été, été
        {"\xCE\xA3\xCE\x8A\xCE\xA3.avi", "\xCF\x83\xCE\xAF\xCF\x83.avi", true}, // ΣΊΣ, σίσ
        {"C:\\out\\a.avi", "C:\\out\\a.avi2", false},
        {"C:\\out\\\xC3\xA9.avi", "C:\\out\\e.avi", false}, // é is not e
        {"stra\xC3\x9F"
         "e.avi",
         "STRASSE.avi", false}, // ß is not SS
        {"", "", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.same, SameFileName(c.a, c.b)) << c.a << " " << c.b;
    EXPECT_FALSE(SameFileName("C:\\out\\a.avi", nullptr));
}

TEST(FileIdentity, OneFileUnderSeveralSpellingsHasOneIdentity) {
    const std::string work = FreshFolder("identity");
    WriteFile(work + "Clip.avi", "one");
    WriteFile(work + "other.avi", "two");
    FileIdentity file;
    ASSERT_TRUE(ReadFileIdentity((work + "Clip.avi").c_str(), &file));
    const std::string spellings[] = {work + "CLIP.AVI", "Y" + work.substr(1) + "Clip.avi",
                                     work + "sub\\..\\Clip.avi"};
    CreateDirectoryA((work + "sub").c_str(), nullptr);
    for (const std::string& path : spellings) {
        FileIdentity same;
        ASSERT_TRUE(ReadFileIdentity(path.c_str(), &same)) << path;
        EXPECT_TRUE(same == file) << path;
    }
    FileIdentity other;
    ASSERT_TRUE(ReadFileIdentity((work + "other.avi").c_str(), &other));
    EXPECT_FALSE(other == file);
    EXPECT_FALSE(ReadFileIdentity((work + "missing.avi").c_str(), &other));
}

} // namespace
} // namespace runtest
