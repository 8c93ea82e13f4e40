// What follows real runs with the scripted encoder: the "When done" action
// asked of a recording port after the countdown, for each way a run ends.
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

} // namespace
} // namespace runtest
