// Fit to a size through Tarvello.exe: clips of fine detail converted at a
// target size, each output (or the list's sum) within 90 % to 100 % of it,
// and a target too small refused before anything is written.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/OutputFormat.h"
#include "res/resource.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/e2e/MainDriver.h"

namespace {

using e2e::Tarvello;

long long FileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A program copy with the clips in its "detail" folder and the target set.
struct TargetCopy {
    TargetCopy(const char* name, const std::vector<std::string>& clips, const char* targetKb,
               const char* appliesTo)
        : copy(name) {
        std::vector<std::pair<std::string, std::string>> pairs;
        for (const std::string& clip : clips)
            pairs.push_back({clip, ""});
        folder = failure::CopyClips(copy, "detail", pairs);
        copy.SetOption("Target size", targetKb);
        copy.SetOption("Target applies to", appliesTo);
        copy.SetOption("MP4 encoding speed", "0"); // "Faster": the test stays short
    }
    e2e::ProgramCopy copy;
    std::string folder;
};

// Imports the clips; true once they are all listed.
bool Import(const Tarvello& app, const TargetCopy& setup, const std::vector<std::string>& clips) {
    return app.ImportThroughDialog(setup.folder, clips) &&
           failure::FinishImport(app, 0, static_cast<int>(clips.size())).empty() &&
           app.RowCount() == static_cast<int>(clips.size());
}

// Converts the list; the texts of the boxes that follow.
std::vector<std::string> Convert(const Tarvello& app) {
    app.Post(IDC_CONVERT);
    return failure::AnswerAllBoxes(app, 600000);
}

void ExpectWithinTarget(long long bytes, long long target, const std::string& what) {
    EXPECT_LE(bytes, target) << what;
    EXPECT_GE(bytes, target * 9 / 10) << what;
}

TEST(TargetSize, EachFileOfEachFormatMeetsItsTarget) {
    const std::vector<std::string> clips = {"detail-6s.avi"};
    TargetCopy setup("target_each", clips, "1000", "0");
    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, setup.copy));
    ASSERT_TRUE(Import(app, setup, clips));
    struct {
        OutputFormat format;
        long long targetKb;
    } const cases[] = {
        {kFormatMp4, 1000}, {kFormatMkv, 1000}, {kFormatWebm, 1000},
        {kFormatAvi, 1000}, {kFormatDvd, 1000},
    };
    for (const auto& c : cases) {
        app.Choose(IDC_MAIN_FORMAT, c.format);
        const std::vector<std::string> boxes = Convert(app);
        ASSERT_EQ(1u, boxes.size()) << testing::PrintToString(boxes);
        EXPECT_EQ(0u, boxes[0].find("Mission accomplished!")) << boxes[0];
        const std::string output =
            setup.copy.OutFolder() + "detail-6s." + OutputExtension(c.format);
        ExpectWithinTarget(FileBytes(output), c.targetKb * 1000, output);
    }
    // The passes leave nothing of theirs behind.
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((setup.copy.OutFolder() + "*.pass*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, find) << found.cFileName;
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

TEST(TargetSize, AFileAFormatCapKeepsSmallIsNamedInTheEndBox) {
    const std::vector<std::string> clips = {"detail-4s.avi"};
    TargetCopy setup("target_capped", clips, "100000", "0"); // 200 Mbit/s asked
    setup.copy.SetOption("Output format", std::to_string(kFormatDvd));
    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, setup.copy));
    ASSERT_TRUE(Import(app, setup, clips));
    const std::vector<std::string> boxes = Convert(app);
    ASSERT_EQ(1u, boxes.size()) << testing::PrintToString(boxes);
    EXPECT_EQ(0u, boxes[0].find("Mission accomplished!")) << boxes[0];
    EXPECT_NE(std::string::npos,
              boxes[0].find("\n\n1 file is smaller than the target size: its format allows no "
                            "higher bitrate."))
        << boxes[0];
    // DVD's 10,080 kbit/s for 4 s: about 5 MB of the 100 asked.
    EXPECT_LT(FileBytes(setup.copy.OutFolder() + "detail-4s.vob"), 10000000);
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

TEST(TargetSize, AWholeListTargetHoldsForTheSum) {
    const std::vector<std::string> clips = {"detail-4s.avi", "detail-6s.avi", "detail-8s.avi"};
    TargetCopy setup("target_list", clips, "3000", "1");
    setup.copy.SetOption("Output format", std::to_string(kFormatMp4));
    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, setup.copy));
    ASSERT_TRUE(Import(app, setup, clips));
    const std::vector<std::string> boxes = Convert(app);
    ASSERT_EQ(1u, boxes.size()) << testing::PrintToString(boxes);
    EXPECT_EQ(0u, boxes[0].find("Mission accomplished!")) << boxes[0];
    long long sum = 0;
    for (const std::string& clip : clips) {
        const long long bytes =
            FileBytes(setup.copy.OutFolder() + clip.substr(0, clip.size() - 3) + "mp4");
        EXPECT_GT(bytes, 0) << clip;
        sum += bytes;
    }
    ExpectWithinTarget(sum, 3000000, "the list's sum");
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

TEST(TargetSize, ATargetTooSmallIsRefusedAndNothingIsWritten) {
    const std::vector<std::string> clips = {"detail-8s.avi"};
    TargetCopy setup("target_small", clips, "100", "0");
    setup.copy.SetOption("Output format", std::to_string(kFormatMp4));
    failure::FolderGuard sources(setup.folder);
    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, setup.copy));
    ASSERT_TRUE(Import(app, setup, clips));
    const std::vector<std::string> boxes = Convert(app);
    ASSERT_EQ(1u, boxes.size()) << testing::PrintToString(boxes);
    EXPECT_EQ(0u, boxes[0].find("The target size 0.1 MB is too small for " + setup.folder +
                                "detail-8s.avi."))
        << boxes[0];
    EXPECT_NE(std::string::npos, boxes[0].find("The smallest target that works for each file of "
                                               "this list is 0.3 MB. Nothing was converted."))
        << boxes[0];
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((setup.copy.OutFolder() + "*").c_str(), &found);
    int entries = 0;
    if (find != INVALID_HANDLE_VALUE) {
        do
            entries += found.cFileName[0] != '.';
        while (FindNextFileA(find, &found));
        FindClose(find);
    }
    EXPECT_EQ(0, entries);
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

} // namespace
