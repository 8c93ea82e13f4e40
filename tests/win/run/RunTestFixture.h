// Common set-up of the conversion-run tests: clean process-wide state, the
// host dialog, the progress dialog from its template, the fake clock.
#ifndef TARVELLO_TESTS_WIN_RUN_RUNTESTFIXTURE_H
#define TARVELLO_TESTS_WIN_RUN_RUNTESTFIXTURE_H

#include <gtest/gtest.h>

#include <direct.h>

#include <memory>
#include <string>

#include "engine/ConversionSettings.h"
#include "engine/ProgressDlg.h"
#include "engine/RunClock.h"
#include "engine/RunState.h"
#include "engine/SourceTable.h"
#include "framework/WinApp.h"
#include "tests/win/run/RunTestHost.h"
#include "tests/win/support/WinTestSupport.h"

namespace runtest {

class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        _getcwd(startFolder_, sizeof startFolder_);
        BuildFolder();
        g_settings = ConversionSettings();
        g_runState = RunState();
        g_sourceTable.Clear();
        InstallFakeClock(1000000u);
        ASSERT_TRUE(host.Open());
        progress.reset(new CProgressDlg);
        ASSERT_TRUE(progress->Create(&host));
        progress->CenterWindow();
        progress->ShowWindow(SW_HIDE);
        g_progressDlg = progress.get();
    }

    void TearDown() override {
        g_progressDlg = nullptr;
        progress.reset();
        SetRunTickSource(nullptr);
        _chdir(startFolder_);
    }

    // Puts sources into the list, each `seconds` long.
    void SetSources(const std::vector<std::string>& paths, double seconds) {
        host.sources = paths;
        g_runState.rowCount = static_cast<int32_t>(paths.size());
        g_runState.totalSeconds = 0;
        for (size_t i = 0; i < paths.size(); ++i) {
            g_sourceTable.At(static_cast<int32_t>(i))->duration = seconds;
            g_runState.totalSeconds += seconds;
        }
    }

    static std::string Caption() { return AfxGetAppName(); }

    RunHostDlg host;
    std::unique_ptr<CProgressDlg> progress;

private:
    char startFolder_[MAX_PATH] = "";
};

}  // namespace runtest

#endif
