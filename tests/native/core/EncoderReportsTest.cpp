#include "core/EncoderReports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what a report did to the window system, in order.
class RecordingPort : public ProgressPort {
public:
    void PumpOneMessage() override { calls.push_back("pump"); }
    bool AskStop() override {
        calls.push_back("ask");
        return answerYes;
    }
    uint32_t TickCount() override { return tick; }
    void ShowProgress(const char* text, int32_t thousandths) override {
        calls.push_back("show " + std::to_string(thousandths));
        lastText = text;
    }

    std::vector<std::string> calls;
    std::string lastText;
    uint32_t tick = 0;
    bool answerYes = false;
};

class EncoderEventsTest : public ::testing::Test {
protected:
    EncoderEventsTest() {
        state.totalSeconds = 1000;
        state.startTick = 4000000000u; // the tick count wraps during the run
    }
    int32_t Report(int32_t slot, double position) {
        return ReportProgress(slot, position, state, port);
    }

    RunProgress state;
    RecordingPort port;
};

TEST(ProbeReports, ValuesLandInTheProbesOwnResult) {
    ProbeResult probe;
    EXPECT_FALSE(probe.Usable());
    EXPECT_EQ(kEventGoOn, ApplyProbeReport(kEventDuration, 125, probe));
    EXPECT_EQ(kEventGoOn, ApplyProbeReport(kEventWidth, 640, probe));
    EXPECT_EQ(kEventGoOn, ApplyProbeReport(kEventHeight, 480, probe));
    EXPECT_FALSE(probe.Usable()); // no frame rate yet
    EXPECT_EQ(kEventGoOn, ApplyProbeReport(kEventFrameRate, 250000000, probe));
    EXPECT_EQ(125.0, probe.facts.duration);
    EXPECT_EQ(640, probe.facts.width);
    EXPECT_EQ(480, probe.facts.height);
    EXPECT_DOUBLE_EQ(25.0, probe.facts.frameRate);
    EXPECT_TRUE(probe.Usable());
    for (uint32_t code : {0u, 5u, 6u, 7u, 100u, 0xFFFFFFFFu}) {
        EXPECT_EQ(kEventGoOn, ApplyProbeReport(code, -1, probe));
    }
    EXPECT_TRUE(probe.Usable());
}

TEST(ProbeReports, InvalidValuesStoreNothingAndRejectTheProbe) {
    struct Case {
        uint32_t code;
        int32_t value;
        bool rejected;
    } cases[] = {
        {kEventDuration, 0, true},  {kEventDuration, -5, true}, {kEventWidth, 0, true},
        {kEventHeight, -1, true},   {kEventFrameRate, 0, true}, {kEventFrameRate, -1, false},
        {kEventDuration, 1, false},
    };
    for (const Case& c : cases) {
        ProbeResult probe;
        probe.facts = SourceRow{7, 7, 7, 7};
        EXPECT_EQ(kEventGoOn, ApplyProbeReport(c.code, c.value, probe));
        EXPECT_EQ(c.rejected, probe.rejected) << c.code << " " << c.value;
        EXPECT_EQ(!c.rejected, probe.Usable()) << c.code << " " << c.value;
        if (c.rejected) {
            EXPECT_EQ(7.0, probe.facts.duration);
            EXPECT_EQ(7, probe.facts.width);
            EXPECT_EQ(7, probe.facts.height);
            EXPECT_EQ(7.0, probe.facts.frameRate);
        }
    }
    // A negative rate reads as the largest one.
    ProbeResult probe;
    ApplyProbeReport(kEventFrameRate, -1, probe);
    EXPECT_DOUBLE_EQ(214.7483647, probe.facts.frameRate);
}

TEST_F(EncoderEventsTest, PositionReportShowsProgressBetweenPumps) {
    port.tick = state.startTick + 5 * 60 * 1000;
    EXPECT_EQ(kEventGoOn, Report(0, 250));
    EXPECT_EQ((std::vector<std::string>{"pump", "show 250", "pump"}), port.calls);
    EXPECT_EQ("Total time:00:20:00;Elapsed time:00:05:00;Finished 25.0%", port.lastText);
    EXPECT_EQ(250.0, state.lastPosition[0]);
    EXPECT_EQ(1, state.eventCounter);
    // Slots outside the run are ignored.
    for (int32_t slot : {-1, kMaxJobs})
        EXPECT_EQ(kEventGoOn, Report(slot, 10));
    EXPECT_EQ(3u, port.calls.size());
}

TEST_F(EncoderEventsTest, RepeatedPositionAndFirstReportAt999ShowNothing) {
    state.totalSeconds = 2000;
    Report(0, 999); // equals the initial value
    EXPECT_EQ((std::vector<std::string>{"pump"}), port.calls);
    Report(0, 10);
    Report(0, 10);
    EXPECT_EQ((std::vector<std::string>{"pump", "pump", "show 5", "pump", "pump"}), port.calls);
    EXPECT_EQ(3, state.eventCounter);
    // A new job in the slot starts with nothing shown.
    state.FinishJob(0, 100);
    state.StartJob(0);
    EXPECT_EQ(kNoPositionShown, state.lastPosition[0]);
    port.calls.clear();
    Report(0, 10);
    EXPECT_EQ((std::vector<std::string>{"pump", "show 55", "pump"}), port.calls);
}

TEST_F(EncoderEventsTest, EveryHundredthReportPumpsOnceMore) {
    state.eventCounter = 98;
    state.lastPosition[0] = 7;
    Report(0, 7);
    EXPECT_EQ(99, state.eventCounter);
    EXPECT_EQ(1u, port.calls.size());
    Report(0, 7);
    EXPECT_EQ(0, state.eventCounter);
    EXPECT_EQ((std::vector<std::string>{"pump", "pump", "pump"}), port.calls);
}

TEST_F(EncoderEventsTest, StopQuestion) {
    // No: the request is withdrawn and the same report goes on to the screen.
    state.cancelRequested = 1;
    port.answerYes = false;
    EXPECT_EQ(kEventGoOn, Report(0, 100));
    EXPECT_EQ(0, state.cancelRequested);
    EXPECT_FALSE(state.StopRequested());
    EXPECT_EQ((std::vector<std::string>{"ask", "pump", "show 100", "pump"}), port.calls);

    // A repeated position still asks; after Yes every job stops unasked.
    port.calls.clear();
    state.cancelRequested = 1;
    port.answerYes = true;
    EXPECT_EQ(kEventStop, Report(0, 100));
    EXPECT_TRUE(state.StopRequested());
    EXPECT_EQ(kEventStop, Report(1, 5));
    EXPECT_EQ(kEventStop, Report(2, 5));
    EXPECT_EQ((std::vector<std::string>{"ask"}), port.calls);
}

// A port whose question lets the reports of other jobs in while it is open,
// as the box's own message loop does.
class NestingPort : public RecordingPort {
public:
    bool AskStop() override {
        calls.push_back("ask");
        nested.push_back(ReportProgress(1, 40, *state, *this));
        nested.push_back(ReportProgress(2, 60, *state, *this));
        return answerYes;
    }
    RunProgress* state = nullptr;
    std::vector<int32_t> nested;
};

TEST(ReportProgressOfSeveralJobs, OneQuestionWhileOtherJobsReport) {
    for (bool yes : {false, true}) {
        RunProgress state;
        state.totalSeconds = 1000;
        NestingPort port;
        port.state = &state;
        port.answerYes = yes;
        state.cancelRequested = 1;
        EXPECT_EQ(yes ? kEventStop : kEventGoOn, ReportProgress(0, 20, state, port));
        // Nobody else is asked, and nothing is shown over the question.
        EXPECT_EQ((std::vector<int32_t>{kEventGoOn, kEventGoOn}), port.nested);
        EXPECT_EQ(std::vector<std::string>{"ask"},
                  std::vector<std::string>(port.calls.begin(), port.calls.begin() + 1));
        EXPECT_EQ(yes ? 1u : 4u, port.calls.size());
        // After No the display holds all three jobs: 20 + 40 + 60 of 1000.
        if (!yes) {
            EXPECT_EQ("show 120", port.calls[2]);
        }
    }
}

TEST(ReportProgressOfSeveralJobs, TheBarSumsTheJobsAndNeverGoesBack) {
    RunProgress state;
    state.totalSeconds = 300;
    RecordingPort port;
    std::vector<int32_t> bars;
    auto report = [&](int32_t slot, double position) {
        port.calls.clear();
        ReportProgress(slot, position, state, port);
        for (const std::string& call : port.calls) {
            if (call.compare(0, 5, "show ") == 0)
                bars.push_back(std::stoi(call.substr(5)));
        }
    };
    state.StartJob(0);
    state.StartJob(1);
    report(0, 30);          // 30 of 300
    report(1, 60);          // 90
    state.FinishJob(1, 57); // the job reported past its listed length
    state.StartJob(1);
    report(0, 33); // 57 + 33 = 90: the bar stays at 300
    report(1, 30); // 57 + 33 + 30 = 120
    EXPECT_EQ((std::vector<int32_t>{100, 300, 300, 400}), bars);
}

TEST_F(EncoderEventsTest, ReportsBeyondTheListAreDropped) {
    state.doneSeconds = 900;
    Report(0, 200);
    EXPECT_EQ((std::vector<std::string>{"pump"}), port.calls);
    EXPECT_EQ(200.0, state.lastPosition[0]);
}

} // namespace
