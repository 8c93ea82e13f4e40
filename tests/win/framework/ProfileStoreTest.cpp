// The application object: its name, the profile store and where it lives,
// the framework message box.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "framework/Framework.h"
#include "tests/win/framework/FrameworkTestIds.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

std::string TestFolder(const char* name) {
    std::string folder =
        wintest::EnvPath("TARVELLO_BUILD_DIR", "test-output\\framework\\") + name + "\\";
    std::error_code error;
    std::filesystem::remove_all(folder, error); // fresh for every run
    std::filesystem::create_directories(folder, error);
    return folder;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(WinAppTest, NameComesFromTheExecutable) {
    CWinApp app;
    EXPECT_STREQ("framework_test", app.m_pszAppName);
    EXPECT_STREQ("framework_test", AfxGetAppName());
    EXPECT_EQ(&app, AfxGetApp());
    CWinApp named("Other");
    EXPECT_STREQ("Other", AfxGetAppName());
}

TEST(WinAppTest, ProfileValuesRoundTrip) {
    CWinApp app;
    std::string path = TestFolder("roundtrip") + "store.ini";
    app.SetProfilePath(path.c_str());

    EXPECT_EQ(7, app.GetProfileInt("Tip", "FilePos", 7)); // missing file
    EXPECT_TRUE(app.WriteProfileInt("Tip", "FilePos", 1234));
    EXPECT_TRUE(app.WriteProfileInt("Tip", "StartUp", -1));
    EXPECT_TRUE(app.WriteProfileString("Tip", "TimeStamp", "Mon Dec  7 09:20:03 2026"));
    EXPECT_EQ(1234, app.GetProfileInt("Tip", "FilePos", 0));
    EXPECT_EQ(-1, app.GetProfileInt("tip", "startup", 0)); // names ignore case
    EXPECT_EQ(5, app.GetProfileInt("Tip", "Missing", 5));

    char text[64];
    EXPECT_EQ(24u, app.GetProfileString("Tip", "TimeStamp", "", text, sizeof text));
    EXPECT_STREQ("Mon Dec  7 09:20:03 2026", text);
    app.GetProfileString("Tip", "Missing", "fallback", text, sizeof text);
    EXPECT_STREQ("fallback", text);
    char small[4];
    app.GetProfileString("Tip", "TimeStamp", "", small, sizeof small);
    EXPECT_STREQ("Mon", small);
}

TEST(WinAppTest, ProfileFileSitsBesideTheExecutableByDefault) {
    CWinApp app;
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string expected(exe);
    expected = expected.substr(0, expected.rfind('.')) + ".ini";
    EXPECT_STREQ(expected.c_str(), app.GetProfilePath());
    EXPECT_FALSE(FileExists(expected)); // choosing it writes nothing
}

TEST(WinAppTest, ProfileFileMovesToAppDataWhenTheProgramFolderIsReadOnly) {
    std::string userFolder = TestFolder("appdata") + "Tarvello";
    std::string exeFolder = TestFolder("program");
    char path[MAX_PATH];

    ASSERT_TRUE(CWinApp::ChooseProfilePath(exeFolder.c_str(), "Tarvello", userFolder.c_str(), path,
                                           sizeof path));
    EXPECT_EQ(exeFolder + "Tarvello.ini", path);
    EXPECT_FALSE(FileExists(path)); // the probe leaves nothing behind

    // A folder that cannot be written to (here: one that does not exist).
    std::string missing = exeFolder + "missing\\";
    ASSERT_TRUE(CWinApp::ChooseProfilePath(missing.c_str(), "Tarvello", userFolder.c_str(), path,
                                           sizeof path));
    EXPECT_EQ(userFolder + "\\Tarvello.ini", path);
    EXPECT_TRUE(FileExists(userFolder));

    // An existing writable file beside the executable is kept.
    FILE* f = fopen((exeFolder + "Tarvello.ini").c_str(), "w");
    ASSERT_NE(nullptr, f);
    fclose(f);
    ASSERT_TRUE(CWinApp::ChooseProfilePath(exeFolder.c_str(), "Tarvello", userFolder.c_str(), path,
                                           sizeof path));
    EXPECT_EQ(exeFolder + "Tarvello.ini", path);

    // Too long for the buffer.
    char tiny[8];
    EXPECT_FALSE(CWinApp::ChooseProfilePath(exeFolder.c_str(), "Tarvello", "", tiny, sizeof tiny));
}

TEST(WinAppTest, MessageBoxIsCaptionedWithTheApplicationName) {
    CWinApp app;
    wintest::MessageBoxAnswerer answer("framework_test", IDOK, 2);
    EXPECT_EQ(IDOK, AfxMessageBox("No file in the list"));
    EXPECT_EQ(IDOK, AfxMessageBox(IDS_FW_TEXT, MB_OK | MB_ICONINFORMATION));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("No file in the list", answer.Text(0));
    EXPECT_EQ("Framework string", answer.Text(1));
}

TEST(CommandLineTest, ParsesTheProcessArguments) {
    CWinApp app;
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_TRUE(info.m_bShowSplash); // the test runs without switches
}

} // namespace
