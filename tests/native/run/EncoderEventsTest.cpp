#include "engine/EncoderEvents.h"

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
        state.startTick = 4000000000u;  // the tick count wraps during the run
    }
    SourceTable table;
    RunState state;
    RecordingPort port;
};

TEST_F(EncoderEventsTest, ProbeValuesLandInTheProbeRow) {
    state.rowCount = 3;
    EXPECT_EQ(kEventGoOn, HandleEncoderEvent(kEventDuration, 125, table, state, port));
    EXPECT_EQ(kEventGoOn, HandleEncoderEvent(kEventWidth, 640, table, state, port));
    EXPECT_EQ(kEventGoOn, HandleEncoderEvent(kEventHeight, 480, table, state, port));
    EXPECT_EQ(kEventGoOn, HandleEncoderEvent(kEventFrameRate, 250000000, table, state, port));
    const SourceRow* row = table.At(3);
    EXPECT_EQ(125.0, row->duration);
    EXPECT_EQ(640, row->width);
    EXPECT_EQ(480, row->height);
    EXPECT_DOUBLE_EQ(25.0, row->frameRate);
    EXPECT_EQ(0, state.probeFailed);
    EXPECT_EQ(0.0, table.At(2)->duration);
    EXPECT_TRUE(port.calls.empty());
}

TEST_F(EncoderEventsTest, InvalidProbeValuesStoreNothingAndMarkTheProbe) {
    struct Case {
        uint32_t code;
        int32_t value;
        bool fails;
    } cases[] = {
        {kEventDuration, 0, true},   {kEventDuration, -5, true}, {kEventWidth, 0, true},
        {kEventHeight, -1, true},    {kEventFrameRate, 0, true}, {kEventFrameRate, -1, false},
        {kEventDuration, 1, false},
    };
    for (const Case& c : cases) {
        SourceTable fresh;
        RunState s;
        fresh.At(0)->duration = 7;
        fresh.At(0)->width = 7;
        fresh.At(0)->height = 7;
        fresh.At(0)->frameRate = 7;
        EXPECT_EQ(kEventGoOn, HandleEncoderEvent(c.code, c.value, fresh, s, port));
        EXPECT_EQ(c.fails ? 1 : 0, s.probeFailed) << c.code << " " << c.value;
        if (c.fails) {
            EXPECT_EQ(7.0, fresh.At(0)->duration);
            EXPECT_EQ(7, fresh.At(0)->width);
            EXPECT_EQ(7, fresh.At(0)->height);
            EXPECT_EQ(7.0, fresh.At(0)->frameRate);
        }
    }
    // A negative rate reads as the largest one.
    HandleEncoderEvent(kEventFrameRate, -1, table, state, port);
    EXPECT_DOUBLE_EQ(214.7483647, table.At(0)->frameRate);
}

TEST_F(EncoderEventsTest, ProbeRowOutsideTheTableFails) {
    state.rowCount = kSourceTableRows;
    HandleEncoderEvent(kEventDuration, 10, table, state, port);
    EXPECT_EQ(1, state.probeFailed);
}

TEST_F(EncoderEventsTest, OtherCodesAreIgnored) {
    for (uint32_t code : {0u, 5u, 7u, 100u, 0xFFFFFFFFu}) {
        EXPECT_EQ(kEventGoOn, HandleEncoderEvent(code, 250, table, state, port));
    }
    EXPECT_TRUE(port.calls.empty());
    EXPECT_EQ(0, state.probeFailed);
    EXPECT_EQ(0, state.eventCounter);
}

TEST_F(EncoderEventsTest, PositionReportShowsProgressBetweenPumps) {
    port.tick = state.startTick + 5 * 60 * 1000;
    EXPECT_EQ(kEventGoOn, HandleEncoderEvent(kEventPosition, 250, table, state, port));
    EXPECT_EQ((std::vector<std::string>{"pump", "show 250", "pump"}), port.calls);
    EXPECT_EQ("Total time:00:20:00;Elapsed time:00:05:00;Finished 25.0%", port.lastText);
    EXPECT_EQ(250.0, state.lastPosition);
    EXPECT_EQ(1, state.eventCounter);
}

TEST_F(EncoderEventsTest, RepeatedPositionAndFirstReportAt999ShowNothing) {
    state.totalSeconds = 2000;
    HandleEncoderEvent(kEventPosition, 999, table, state, port);  // equals the initial value
    EXPECT_EQ((std::vector<std::string>{"pump"}), port.calls);
    HandleEncoderEvent(kEventPosition, 10, table, state, port);
    HandleEncoderEvent(kEventPosition, 10, table, state, port);
    EXPECT_EQ((std::vector<std::string>{"pump", "pump", "show 5", "pump", "pump"}), port.calls);
    EXPECT_EQ(3, state.eventCounter);
}

TEST_F(EncoderEventsTest, EveryHundredthReportPumpsOnceMore) {
    state.eventCounter = 98;
    state.lastPosition = 7;
    HandleEncoderEvent(kEventPosition, 7, table, state, port);
    EXPECT_EQ(99, state.eventCounter);
    EXPECT_EQ(1u, port.calls.size());
    HandleEncoderEvent(kEventPosition, 7, table, state, port);
    EXPECT_EQ(0, state.eventCounter);
    EXPECT_EQ((std::vector<std::string>{"pump", "pump", "pump"}), port.calls);
}

TEST_F(EncoderEventsTest, StopQuestion) {
    // No: the request is withdrawn and the same report goes on to the screen.
    state.cancelRequested = 1;
    port.answerYes = false;
    EXPECT_EQ(kEventGoOn, HandleEncoderEvent(kEventPosition, 100, table, state, port));
    EXPECT_EQ(0, state.cancelRequested);
    EXPECT_EQ((std::vector<std::string>{"ask", "pump", "show 100", "pump"}), port.calls);

    // A repeated position still asks.
    port.calls.clear();
    state.cancelRequested = 1;
    port.answerYes = true;
    EXPECT_EQ(kEventStop, HandleEncoderEvent(kEventPosition, 100, table, state, port));
    EXPECT_EQ(1, state.cancelRequested);
    EXPECT_EQ((std::vector<std::string>{"ask"}), port.calls);
}

TEST_F(EncoderEventsTest, ReportsBeyondTheListAreDropped) {
    state.doneSeconds = 900;
    HandleEncoderEvent(kEventPosition, 200, table, state, port);
    EXPECT_EQ((std::vector<std::string>{"pump"}), port.calls);
    EXPECT_EQ(200.0, state.lastPosition);
}

}  // namespace
