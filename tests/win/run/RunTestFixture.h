// Common set-up of the conversion-run tests: clean process-wide state, the
// host dialog, the progress dialog from its template, the fake clock.
#ifndef TARVELLO_TESTS_WIN_RUN_RUNTESTFIXTURE_H
#define TARVELLO_TESTS_WIN_RUN_RUNTESTFIXTURE_H

#include <gtest/gtest.h>

#include <direct.h>

#include <memory>
#include <string>

#include "engine/core/ConversionSettings.h"
#include "engine/win/ProgressDlg.h"
#include "engine/win/RunClock.h"
#include "engine/core/SourceTable.h"
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
        InstallFakeClock(1000000u);
        ASSERT_TRUE(host.Open());
        progress.reset(new CProgressDlg);
        ASSERT_TRUE(progress->Create(&host));
        progress->CenterWindow();
        progress->ShowWindow(SW_HIDE);
        host.progress = progress.get();
    }

    void TearDown() override {
        host.progress = nullptr;
        progress.reset();
        SetRunTickSource(nullptr);
        _chdir(startFolder_);
    }

    // Puts sources into the list, each `seconds` long.
    void SetSources(const std::vector<std::string>& paths, double seconds) {
        SetSources(paths, std::vector<double>(paths.size(), seconds));
    }
    void SetSources(const std::vector<std::string>& paths, const std::vector<double>& seconds) {
        host.sources = paths;
        host.table.Clear();
        for (double duration : seconds) host.table.Append(SourceRow{duration, 0, 0, 0.0});
    }

    static std::string Caption() { return AfxGetAppName(); }

    RunHostDlg host;
    std::unique_ptr<CProgressDlg> progress;

private:
    char startFolder_[MAX_PATH] = "";
};

}  // namespace runtest

#endif
