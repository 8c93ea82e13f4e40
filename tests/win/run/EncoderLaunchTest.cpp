// Launching the encoder, its reports reaching the window, and the output
// folder's creation.
#include <direct.h>

#include <string>

#include "engine/EncoderLaunch.h"
#include "engine/EnsureFolder.h"
#include "engine/ProgramFolder.h"
#include "tests/win/run/RunTestFixture.h"

namespace runtest {
namespace {

std::string CurrentFolder() {
    char folder[MAX_PATH] = "";
    _getcwd(folder, sizeof folder);
    return folder;
}

using LaunchTest = RunTest;

TEST_F(LaunchTest, ProbeReportsLandInTheProbeRowAndTheExitCodeComesBack) {
    WriteScript("[*]\nsend 1 125\nsend 2 640\nsend 3 480\nsend 4 250000000\nexit 13\n");
    g_runState.rowCount = 2;
    const EncoderRunResult result =
        RunEncoder(host.MainWindow(), FakeEncoderFolder().c_str(), "C:\\clips\\a b.avi",
                   "C:\\out\\a b.mpeg", 0, 0, 1);
    ASSERT_TRUE(result.Ran());
    EXPECT_EQ(13u, result.exitCode);

    const SourceRow* row = g_sourceTable.At(2);
    EXPECT_EQ(125.0, row->duration);
    EXPECT_EQ(640, row->width);
    EXPECT_EQ(480, row->height);
    EXPECT_DOUBLE_EQ(25.0, row->frameRate);
    EXPECT_EQ(0, g_runState.probeFailed);

    const std::vector<std::string> args = LogLines("args ");
    ASSERT_EQ(1u, args.size());
    const std::string handle = std::to_string(reinterpret_cast<intptr_t>(host.MainWindow()));
    EXPECT_EQ(0u, args[0].find("args \"C:\\clips\\a b.avi\" -o \"C:\\out\\a b.mpeg\" -oac lavc"));
    EXPECT_EQ(" -endpos 9:0:0 1 " + handle, args[0].substr(args[0].size() - 17 - handle.size()));
    EXPECT_EQ(4u, LogLines("sent ").size());
}

TEST_F(LaunchTest, MissingEncoderIsReportedOnceAndNothingWaits) {
    const std::string empty = FreshFolder("no-encoder");
    BoxAnswers boxes(Caption(), {IDOK});
    const EncoderRunResult result = RunEncoder(host.MainWindow(), empty.c_str(),
                                               "C:\\clips\\a.avi", "C:\\out\\a.mpeg", 0, 0, 1);
    EXPECT_EQ(EncoderLaunch::kNotStarted, result.launch);
    const std::vector<std::string> texts = boxes.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("The encoder could not be started."));
    EXPECT_NE(std::string::npos, texts[0].find(empty + "quenforenc.exe"));
}

TEST_F(LaunchTest, ProgramFolderIsTheExecutablesFolder) {
    char folder[kPathCapacity];
    ProgramFolder(folder, sizeof folder);
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string own = path;
    EXPECT_EQ(own.substr(0, own.rfind('\\') + 1), folder);
}

TEST_F(LaunchTest, EnsureFolderCreatesMissingParentsAndEntersTheFolder) {
    const std::string root = FreshFolder("ensure");
    struct Case {
        std::string typed;
        std::string expected;
    } cases[] = {
        {root + "a\\b\\c", root + "a\\b\\c"},        // only the root exists
        {root + "a\\b\\c\\", root + "a\\b\\c"},      // exists now, typed with the backslash
        {root + "x y\\z\\", root + "x y\\z"},
        {root.substr(0, 3), root.substr(0, 3)},      // a drive root stays the root
    };
    for (const Case& c : cases) {
        ASSERT_EQ(0, EnsureFolder(c.typed.c_str())) << c.typed;
        EXPECT_STREQ(c.expected.c_str(), CurrentFolder().c_str()) << c.typed;
    }

    WriteFile(root + "file", "x");
    const std::string drive = MissingDrive();
    ASSERT_FALSE(drive.empty());
    for (const std::string& bad : {root + "file\\sub", drive + "\\a\\b", std::string("relative"),
                                   std::string(""), root + std::string(300, 'n')}) {
        EXPECT_EQ(-1, EnsureFolder(bad.c_str())) << bad;
    }
}

}  // namespace
}  // namespace runtest
