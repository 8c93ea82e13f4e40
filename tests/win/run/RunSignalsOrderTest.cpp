// The taskbar and power calls of real runs with the scripted encoder, in
// order: success, cancel, failure and an encoder that cannot be started.
#include <string>
#include <vector>

#include "run/BatchRun.h"
#include "tests/native/core/RecordingRunSignals.h"
#include "tests/win/run/RunTestFixture.h"

namespace runtest {
namespace {

using Calls = std::vector<std::string>;

class RunSignalsOrderTest : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        host.signalPort = &signals;
    }

    // Runs two 100-second sources through `script`, answering every box with `answer`.
    void Run(const char* name, const std::string& script, int answer) {
        const std::string work = FreshFolder(name);
        host.outputFolder = work + "out\\";
        std::vector<std::string> sources;
        for (const char* file : {"a.avi", "b.avi"}) {
            WriteFile(work + file, "source video");
            sources.push_back(work + file);
        }
        SetSources(sources, 100);
        WriteScript(script);
        BoxAnswers boxes(Caption(), {answer});
        ConvertAllRows(host, session);
        EXPECT_TRUE(host.IsWindowEnabled()) << name;
    }

    RecordingRunSignals signals;
};

TEST_F(RunSignalsOrderTest, SuccessShowsThePercentageThenReleasesAndFlashesBeforeTheClosingBox) {
    Run("signals-success", "[a.avi]\nwrite 10\nsend 6 50\n[b.avi]\nwrite 10\nsend 6 100\n", IDOK);
    EXPECT_EQ(
        (Calls{"awake", "bar normal", "at 0", "at 250", "at 1000", "bar none", "asleep", "flash"}),
        signals.calls);
}

TEST_F(RunSignalsOrderTest, FailedFilesEndLikeASuccessAndNoFlashWhileTheUserIsHere) {
    signals.inForeground = true;
    Run("signals-failure", "[a.avi]\nwrite 10\nsend 6 40\nexit 13\n[b.avi]\nexit 0\n", IDOK);
    EXPECT_EQ((Calls{"awake", "bar normal", "at 0", "at 200", "bar none", "asleep"}),
              signals.calls);
}

TEST_F(RunSignalsOrderTest, CancelPausesTheBarDuringTheQuestionAndEndsWithoutAFlash) {
    Run("signals-cancel", "[*]\nwrite 10\nsend 6 10\nsend 99 0\nsend 6 20\nwrite 10\n", IDYES);
    EXPECT_EQ((Calls{"awake", "bar normal", "at 0", "at 50", "bar paused", "bar normal", "bar none",
                     "asleep"}),
              signals.calls);
}

TEST_F(RunSignalsOrderTest, AnEncoderThatCannotStartReleasesEverythingWithoutAFlash) {
    host.encoderFolder = FreshFolder("signals-missing-program");
    Run("signals-missing", "[*]\nwrite 10\n", IDOK);
    EXPECT_EQ((Calls{"awake", "bar normal", "at 0", "bar none", "asleep"}), signals.calls);
}

TEST_F(RunSignalsOrderTest, RunsThatNeverStartTakeNothing) {
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session); // empty list
    EXPECT_TRUE(signals.calls.empty());
}

} // namespace
} // namespace runtest
