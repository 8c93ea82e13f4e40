// What follows real runs with the scripted encoder: the "When done" action
// asked of a recording port after the countdown, and a run of the rows not
// done that leaves the done ones alone.
#include <string>
#include <vector>

#include "core/WhenDone.h"
#include "run/BatchRun.h"
#include "tests/win/run/RunTestFixture.h"

namespace runtest {
namespace {

using Calls = std::vector<std::string>;

class RecordingWhenDone : public WhenDonePort {
public:
    void OpenFolder(const char* folder) override { calls.push_back(std::string("open ") + folder); }
    bool Sleep() override {
        calls.push_back("sleep");
        return true;
    }
    bool ShutDown() override {
        calls.push_back("shut down");
        return true;
    }
    Calls calls;
};

class WhenDoneRunTest : public RunTest {
protected:
    void SetUp() override {
        RunTest::SetUp();
        host.whenDonePort = &port;
    }

    // Two sources a.avi and b.avi in a fresh folder, listed; returns it.
    std::string TwoSources(const std::string& name) {
        work = FreshFolder(name);
        host.outputFolder = work + "out\\";
        SetSources({Sources(work, "a.avi"), Sources(work, "b.avi")}, 100);
        return work;
    }

    RecordingWhenDone port;
    std::string work;
};

TEST_F(WhenDoneRunTest, TheActionFollowsOnlyTheRunsItIsFor) {
    const std::string ok = "[*]\nwrite 10\nsend 6 100\n";
    const struct {
        int32_t whenDone;
        int32_t beside;
        std::string script;
        int answer;
        bool runsOut;
        size_t countDowns;
        Calls calls; // "<out>" and "<work>" stand for the folders
    } cases[] = {
        {0, 0, ok, IDOK, true, 0, {}},
        {1, 0, ok, IDOK, true, 0, {"open <out>"}},
        {1, 1, ok, IDOK, true, 0, {"open <work>"}},
        {1, 0, "[a.avi]\nexit 13\n[b.avi]\nwrite 10\n", IDOK, true, 0, {"open <out>"}},
        {1, 0, "[*]\nexit 13\n", IDOK, true, 0, {}},
        {2, 0, ok, IDOK, true, 1, {"sleep"}},
        {2, 0, ok, IDOK, false, 1, {}},
        {3, 0, ok, IDOK, true, 1, {"shut down"}},
        {3, 0, "[a.avi]\nwrite 10\n[b.avi]\nexit 13\n", IDOK, true, 0, {}},
        {3, 0, "[*]\nwrite 10\nsend 6 10\nsend 99 0\nsend 6 20\nwrite 10\n", IDYES, true, 0, {}},
        {9, 0, ok, IDOK, true, 0, {}},
    };
    int index = 0;
    for (const auto& c : cases) {
        TwoSources("when-done-" + std::to_string(index++));
        session.settings.whenDone = c.whenDone;
        session.settings.outputBesideSource = c.beside;
        port.calls.clear();
        host.countDowns.clear();
        host.countDownRunsOut = c.runsOut;
        WriteScript(c.script);
        {
            BoxAnswers boxes(Caption(), {c.answer});
            ConvertAllRows(host, session);
        }
        Calls want;
        for (std::string call : c.calls) {
            const size_t at = call.find('<');
            if (at != std::string::npos)
                call = call.substr(0, at) + (call[at + 1] == 'o' ? host.outputFolder : work);
            want.push_back(call);
        }
        EXPECT_EQ(want, port.calls) << "case " << index - 1;
        EXPECT_EQ(c.countDowns, host.countDowns.size()) << "case " << index - 1;
    }
}

TEST_F(WhenDoneRunTest, TheRowsNotDoneConvertAndTheDoneOnesStay) {
    TwoSources("rows-not-done");
    SetSources({Sources(work, "a.avi"), Sources(work, "b.avi"), Sources(work, "c.avi")}, 100);
    session.sources.State(1)->status = RowStatus::kDone;
    session.sources.State(2)->status = RowStatus::kFailed;
    WriteScript("[*]\nwrite 10\nsend 6 100\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session, RunRows::kNotDone);
    EXPECT_EQ(2u, Targets().size());
    EXPECT_EQ(1u, Targets("a.avi").size());
    EXPECT_TRUE(Targets("b.avi").empty()) << "the done row is not converted again";
    for (int32_t row = 0; row < 3; ++row)
        EXPECT_EQ(RowStatus::kDone, session.sources.State(row)->status) << row;

    WriteScript("[*]\nwrite 10\n");
    ConvertAllRows(host, session, RunRows::kNotDone);
    EXPECT_TRUE(Targets().empty()) << "every row is done: nothing starts";
    const std::vector<std::string> texts = boxes.Texts();
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Mission accomplished!")) << texts[0];
    EXPECT_EQ("Every file in the list is done.", texts[1]);
}

} // namespace
} // namespace runtest
