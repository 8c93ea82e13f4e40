// A hand-edited option.ini: junk lines, numbers out of every range, texts
// where numbers belong, an output format that does not exist, and a file of
// binary noise. The program starts, shows its dialogs, converts or says
// clearly why not, and writes its settings back at exit without losing the
// lines it does not own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/MainDriver.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using e2e::Tarvello;

const char kGood[] = "clip-320x240-noaudio.avi";

void WriteRaw(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadProfile(const std::string& path, const char* section, const char* key) {
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "<absent>", value, sizeof value, path.c_str());
    return value;
}

// Output Settings opens on these values and closes again.
void OpenAndCloseOutputSettings(const Tarvello& app) {
    app.Post(IDC_SETTINGS);
    HWND settings = app.WaitDialog("Output Settings");
    ASSERT_NE(nullptr, settings);
    wintest::PumpMessagesFor(300);
    e2e::Answer(settings, IDCANCEL);
    EXPECT_FALSE(IsWindow(settings));
}

// Imports the good clip and converts it; the one box of the run.
std::string ImportAndConvert(const Tarvello& app, const std::string& folder) {
    if (!app.ImportThroughDialog(folder, {kGood}))
        return "<no file dialog>";
    std::vector<std::string> texts = failure::FinishImport(app, 0, 1);
    if (!texts.empty() || app.RowCount() != 1)
        return "<import: " + testing::PrintToString(texts) + ">";
    app.Post(IDC_CONVERT);
    texts = failure::AnswerAllBoxes(app, 180000);
    return texts.size() == 1 ? texts[0] : "<run: " + testing::PrintToString(texts) + ">";
}

TEST(HandEditedSettings, OutOfRangeAndJunkValuesNeitherCrashNorSpoilTheFile) {
    e2e::ProgramCopy copy("failure_ini_range");
    const std::string folder = failure::CopyClips(copy, "clips", {{kGood, ""}});
    failure::FolderGuard sources(folder);
    WriteRaw(copy.OptionIni(), "this line has no equals sign\r\n"
                               "=value without key\r\n"
                               "[Destinate]\r\n"
                               "Letterbox=7\r\n"
                               "Temporary folder=" +
                                   copy.OutFolder() +
                                   "\r\n"
                                   "Output format=0\r\n"
                                   "TV mode=-3\r\n"
                                   "MPEG aspect ratio=99999999999999999999\r\n"
                                   "DVD aspect ratio=abc\r\n"
                                   "AVI quality=2147483647\r\n"
                                   "AVI video codec=-2147483648\r\n"
                                   "AVI audio codec=9\r\n"
                                   "AVI resolution=-1\r\n"
                                   "AVI frame rate=100\r\n"
                                   "Volume=   35dB\r\n"
                                   "Unknown key=kept\r\n"
                                   "[Other section]\r\n"
                                   "Keep=me\r\n");
    copy.SuppressStartupTip();

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    EXPECT_EQ(0, app.Selection(IDC_MAIN_FORMAT));
    OpenAndCloseOutputSettings(app);

    const std::string result = ImportAndConvert(app, folder);
    std::printf("run box: %s\n", result.c_str());
    // Either the file converts with values the encoder accepts, or the box
    // names the file and why.
    if (result.find("Mission accomplished!") == 0) {
        auto facts = e2e::DescribeMedia(copy.OutFolder() + "clip-320x240-noaudio.avi");
        EXPECT_EQ("avi", facts["format"]);
        EXPECT_NE("", facts["v.width"]);
    } else {
        EXPECT_EQ(0u, result.find("Finished with errors.")) << result;
        EXPECT_NE(std::string::npos, result.find(folder + kGood + " - ")) << result;
    }
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    app.Post(IDCANCEL);
    ASSERT_TRUE(app.WaitExit());
    DWORD code = 1;
    GetExitCodeProcess(app.Process(), &code);
    EXPECT_EQ(0u, code);

    // Values go back as they were read; lines the program does not own stay.
    EXPECT_EQ("me", ReadProfile(copy.OptionIni(), "Other section", "Keep"));
    EXPECT_EQ("kept", copy.Option("Unknown key"));
    EXPECT_EQ("-3", copy.Option("TV mode"));
    EXPECT_EQ("35", copy.Option("Volume"));
    EXPECT_EQ("7", copy.Option("Letterbox"));
    EXPECT_EQ(copy.OutFolder(), copy.Option("Temporary folder"));
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(HandEditedSettings, AnOutputFormatThatDoesNotExistIsToldNotGuessed) {
    e2e::ProgramCopy copy("failure_ini_format");
    const std::string folder = failure::CopyClips(copy, "clips", {{kGood, ""}});
    failure::FolderGuard sources(folder);
    copy.SetOption("Output format", "18");
    copy.SetOption("Temporary folder", copy.OutFolder());

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    EXPECT_EQ(-1, app.Selection(IDC_MAIN_FORMAT));
    OpenAndCloseOutputSettings(app);
    const std::string result = ImportAndConvert(app, folder);
    std::printf("run box: %s\n", result.c_str());
    // Whatever the program decides, it says it in one box and writes no
    // output with a made-up extension.
    EXPECT_EQ(std::string::npos, result.find("<")) << result;
    if (result.find("Finished with errors.") == 0) {
        EXPECT_NE(std::string::npos, result.find(folder + kGood +
                                                 " - the encoder did not accept the options of the "
                                                 "current settings; check them in Output Settings"))
            << result;
    }
    for (const std::string& name : e2e::FilesMatching(copy.OutFolder(), "*")) {
        EXPECT_GT(failure::FingerprintOf(copy.OutFolder() + name).size, 0) << name;
    }
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    app.Post(IDCANCEL);
    ASSERT_TRUE(app.WaitExit());
    EXPECT_EQ("18", copy.Option("Output format"));
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(HandEditedSettings, BinaryNoiseGivesTheDefaultsAndAFreshFile) {
    e2e::ProgramCopy copy("failure_ini_noise");
    std::string noise;
    unsigned state = 12345;
    for (int i = 0; i < 4096; ++i) {
        state = state * 1103515245u + 12345u;
        noise += static_cast<char>((state >> 16) & 0xFF);
    }
    WriteRaw(copy.OptionIni(), noise);

    Tarvello app;
    copy.SuppressStartupTip();
    ASSERT_TRUE(app.Start(copy));
    ASSERT_NE(nullptr, app.WaitMainWindow());
    EXPECT_EQ(2, app.Selection(IDC_MAIN_FORMAT)) << "MPEG2, the default";
    EXPECT_EQ(0, app.Selection(IDC_MAIN_TV_MODE));
    OpenAndCloseOutputSettings(app);
    app.Post(IDCANCEL);
    ASSERT_TRUE(app.WaitExit());
    EXPECT_EQ("2", copy.Option("Output format"));
    EXPECT_EQ("20", copy.Option("Volume"));
    EXPECT_EQ("C:\\output video\\", copy.Option("Temporary folder"));
}

} // namespace
