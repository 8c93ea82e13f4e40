// The order in which a run shows itself on the taskbar and holds the system
// awake, and what happens outside a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/RunSignals.h"
#include "tests/native/core/RecordingRunSignals.h"

namespace {

using Calls = std::vector<std::string>;

TEST(RunSignalsTest, EachEndReleasesWhatBeginTookAndOnlyAFinishedRunInTheBackgroundFlashes) {
    struct Case {
        const char* name;
        bool inForeground;
        RunEnd how;
        Calls tail; // after "awake", "bar normal", "at 0", "at 500"
    } cases[] = {
        {"finished, user elsewhere", false, RunEnd::kFinished, {"bar none", "asleep", "flash"}},
        {"finished, user here", true, RunEnd::kFinished, {"bar none", "asleep"}},
        {"cancelled or failed start", false, RunEnd::kQuiet, {"bar none", "asleep"}},
    };
    for (const Case& c : cases) {
        RecordingRunSignals port;
        port.inForeground = c.inForeground;
        RunSignals signals;
        signals.Begin(port);
        EXPECT_TRUE(signals.Running());
        signals.Progress(500);
        signals.End(c.how);
        signals.End(RunEnd::kFinished); // a second end adds nothing
        Calls expected = {"awake", "bar normal", "at 0", "at 500"};
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(expected, port.calls) << c.name;
        EXPECT_FALSE(signals.Running());
    }
}

TEST(RunSignalsTest, StopQuestionPausesTheBarAndProgressStaysInRange) {
    RecordingRunSignals port;
    RunSignals signals;
    signals.Begin(port);
    signals.StopQuestion(true);
    signals.StopQuestion(false);
    signals.Progress(-5);
    signals.Progress(1200);
    signals.End(RunEnd::kQuiet);
    EXPECT_EQ((Calls{"awake", "bar normal", "at 0", "bar paused", "bar normal", "at 0", "at 1000",
                     "bar none", "asleep"}),
              port.calls);
}

TEST(RunSignalsTest, OutsideARunNothingIsCalledAndANewBeginClosesAnOpenRun) {
    RecordingRunSignals port;
    RunSignals signals;
    signals.Progress(10);
    signals.StopQuestion(true);
    signals.End(RunEnd::kFinished);
    EXPECT_TRUE(port.calls.empty());

    signals.Begin(port);
    signals.Begin(port);
    EXPECT_EQ(
        (Calls{"awake", "bar normal", "at 0", "bar none", "asleep", "awake", "bar normal", "at 0"}),
        port.calls);
}

} // namespace
