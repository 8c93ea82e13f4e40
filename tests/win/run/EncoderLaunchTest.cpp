// Launching encoders, their reports reaching each job's window, and the
// output folder's creation.
#include <direct.h>

#include <string>

#include "run/EncoderJobs.h"
#include "run/EncoderLaunch.h"
#include "run/EnsureFolder.h"
#include "framework/ProgramFolder.h"
#include "tests/win/run/RunTestFixture.h"

namespace runtest {
namespace {

std::string CurrentFolder() {
    char folder[MAX_PATH] = "";
    _getcwd(folder, sizeof folder);
    return folder;
}

using LaunchTest = RunTest;

// Records the reports by job slot.
struct RecordingSink : JobReportSink {
    LRESULT OnJobReport(int32_t slot, uint32_t code, int32_t value) override {
        reports.push_back(std::to_string(slot) + ":" + std::to_string(code) + "=" +
                          std::to_string(value));
        return code == 6 ? 1 : 0;
    }
    std::vector<std::string> reports;
};

std::string ExePath() {
    return FakeEncoderFolder() + "quenforenc.exe";
}

TEST_F(LaunchTest, EachJobReportsToAWindowOfItsOwnAndItsExitCodeComesBack) {
    WriteScript("[a.avi]\nsleep 300\nsend 1 125\nsend 2 640\nexit 13\n"
                "[b.avi]\nsend 1 7\nsend 6 3\nsend 6 4\n");
    RecordingSink sink;
    EncoderJobs jobs(sink);
    HWND windows[2] = {jobs.ReportWindow(0), jobs.ReportWindow(1)};
    ASSERT_NE(nullptr, windows[0]);
    ASSERT_NE(windows[0], windows[1]);
    for (int32_t slot : {0, 1}) {
        const std::string args =
            std::string(slot == 0 ? "\"C:\\clips\\a.avi\"" : "\"C:\\clips\\b.avi\"") +
            " -o \"C:\\out\\x.mpeg\" -of mpeg 1 " +
            std::to_string(reinterpret_cast<intptr_t>(windows[slot]));
        DWORD error = 0;
        ASSERT_TRUE(jobs.Start(slot, ExePath().c_str(), args.c_str(), &error)) << error;
    }
    EXPECT_EQ(2, jobs.RunningCount());
    EXPECT_EQ(2, jobs.FreeSlot());

    uint32_t exitCodes[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        uint32_t code = 0;
        const int32_t slot = jobs.WaitForOne(&code);
        ASSERT_TRUE(slot == 0 || slot == 1) << slot;
        exitCodes[slot] = code;
        EXPECT_FALSE(IsWindow(windows[slot])); // gone with its job
    }
    EXPECT_EQ(-1, jobs.WaitForOne(nullptr));
    EXPECT_EQ(13u, exitCodes[0]);
    EXPECT_EQ(14u, exitCodes[1]); // told to stop at its first position
    std::vector<std::string> mine[2];
    for (const std::string& report : sink.reports)
        mine[report[0] - '0'].push_back(report.substr(2));
    EXPECT_EQ((std::vector<std::string>{"1=125", "2=640"}), mine[0]);
    EXPECT_EQ((std::vector<std::string>{"1=7", "6=3"}), mine[1]);
}

// What the scripted encoder logs of its own start ("started show <n> handle
// <open|none>") when it is started with an inheritable handle of this
// program open: by the jobs, or, to show that the log tells inheritance,
// directly with handles inherited.
std::string StartedLine(bool byJobs) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE file = CreateFileA((FreshFolder("inherit") + "inherit-probe.txt").c_str(), GENERIC_WRITE,
                              0, &inheritable, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "no probe file";
    SetEnvironmentVariableA("FAKE_ENCODER_HANDLE",
                            std::to_string(reinterpret_cast<intptr_t>(file)).c_str());
    WriteScript("[*]\nstarted\n");
    RecordingSink sink;
    EncoderJobs jobs(sink);
    const std::string args = "\"C:\\clips\\a.avi\" -o \"C:\\out\\a.mpeg\" -of mpeg 1 " +
                             std::to_string(reinterpret_cast<intptr_t>(jobs.ReportWindow(0)));
    if (byJobs) {
        DWORD error = 0;
        EXPECT_TRUE(jobs.Start(0, ExePath().c_str(), args.c_str(), &error)) << error;
        EXPECT_EQ(0, jobs.WaitForOne(nullptr));
    } else {
        std::string line = "\"" + ExePath() + "\" " + args;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        EXPECT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                   &startup, &info));
        WaitForSingleObject(info.hProcess, 30000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    SetEnvironmentVariableA("FAKE_ENCODER_HANDLE", nullptr);
    CloseHandle(file);
    const std::vector<std::string> lines = LogLines("started ");
    return lines.size() == 1 ? lines[0] : std::to_string(lines.size()) + " start lines";
}

TEST_F(LaunchTest, TheEncoderStartsHiddenWithNoneOfTheProgramsHandles) {
    EXPECT_EQ("started show -1 handle open", StartedLine(false));
    EXPECT_EQ("started show 0 handle none", StartedLine(true)); // SW_HIDE
}

TEST_F(LaunchTest, AnEncoderThatCannotBeStartedLeavesItsSlotFreeAndSaysWhere) {
    const std::string empty = FreshFolder("no-encoder");
    RecordingSink sink;
    EncoderJobs jobs(sink);
    ASSERT_NE(nullptr, jobs.ReportWindow(0));
    DWORD error = 0;
    EXPECT_FALSE(jobs.Start(0, (empty + "quenforenc.exe").c_str(), "a -o b 1 0", &error));
    EXPECT_NE(0u, error);
    EXPECT_EQ(0, jobs.FreeSlot());
    EXPECT_EQ(0, jobs.RunningCount());
    EXPECT_EQ(-1, jobs.WaitForOne(nullptr));
    char text[768];
    ComposeNotStartedText(empty.c_str(), error, text, sizeof text);
    EXPECT_EQ(
        0u, std::string(text).find("The encoder could not be started.\n\nIt was looked for at:\n" +
                                   empty + "quenforenc.exe\n\n"));

    // A command line beyond what a process takes starts nothing either.
    error = 0;
    EXPECT_FALSE(jobs.Start(0, ExePath().c_str(), std::string(40000, 'x').c_str(), &error));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), error);
    EXPECT_EQ(0, jobs.RunningCount());
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
        {root + "a\\b\\c", root + "a\\b\\c"},   // only the root exists
        {root + "a\\b\\c\\", root + "a\\b\\c"}, // exists now, typed with the backslash
        {root + "x y\\z\\", root + "x y\\z"},
        {root.substr(0, 3), root.substr(0, 3)}, // a drive root stays the root
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

} // namespace
} // namespace runtest
