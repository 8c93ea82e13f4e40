// Start-up registration of the media-player component: only the copy in the
// program folder is registered, never one planted in the current folder.
#include "ui/ComponentRegistration.h"

#include <direct.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/support/WinTestSupport.h"

namespace {

struct Started {
    std::string command;
    UINT show;
};
std::vector<Started> g_started;

UINT WINAPI RecordStart(LPCSTR commandLine, UINT showCommand) {
    g_started.push_back({commandLine, showCommand});
    return 32; // what WinExec returns on success
}

// An empty folder under the build tree, with its final backslash.
std::string EmptyFolder(const std::string& name) {
    const std::string root = wintest::EnvPath("TARVELLO_BUILD_DIR", "startup-test\\");
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string folder = root + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA((folder + kComponentFile).c_str());
    return folder;
}

void PlantComponent(const std::string& folder) {
    HANDLE file = CreateFileA((folder + kComponentFile).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
}

class ComponentRegistration : public ::testing::Test {
protected:
    void SetUp() override {
        g_started.clear();
        _getcwd(startFolder_, sizeof startFolder_);
        // The folder the program is started from holds a planted component.
        current_ = EmptyFolder("current");
        PlantComponent(current_);
        ASSERT_EQ(0, _chdir(current_.c_str()));
        program_ = EmptyFolder("program folder");
    }
    void TearDown() override { _chdir(startFolder_); }

    std::string current_;
    std::string program_;

private:
    char startFolder_[MAX_PATH] = "";
};

TEST_F(ComponentRegistration, AComponentOnlyInTheCurrentFolderIsNotRegistered) {
    EXPECT_FALSE(StartComponentRegistration(program_.c_str(), RecordStart));
    EXPECT_TRUE(g_started.empty()) << g_started[0].command;
}

TEST_F(ComponentRegistration, TheProgramFoldersComponentIsRegisteredByItsFullPath) {
    PlantComponent(program_);
    char system[MAX_PATH];
    ASSERT_NE(0u, GetSystemDirectoryA(system, sizeof system));

    EXPECT_TRUE(StartComponentRegistration(program_.c_str(), RecordStart));
    ASSERT_EQ(1u, g_started.size());
    EXPECT_EQ("\"" + std::string(system) + "\\regsvr32.exe\" \"" + program_ + "Vidrel.ocx\" /s",
              g_started[0].command);
    EXPECT_EQ(static_cast<UINT>(SW_HIDE), g_started[0].show);
}

TEST_F(ComponentRegistration, AProgramFolderTooLongForTheCommandStartsNothing) {
    const std::string deep = program_ + std::string(MAX_PATH, 'x') + "\\";
    EXPECT_FALSE(StartComponentRegistration(deep.c_str(), RecordStart));
    EXPECT_TRUE(g_started.empty());
}

} // namespace
