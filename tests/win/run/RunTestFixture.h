// Common set-up of the conversion-run tests: clean process-wide state, the
// host dialog, the progress dialog from its template, the fake clock.
#pragma once

#include <gtest/gtest.h>

#include <direct.h>

#include <memory>
#include <string>
#include <vector>

#include "core/ConversionSettings.h"
#include "ui/ProgressDlg.h"
#include "core/SourceTable.h"
#include "framework/WinApp.h"
#include "tests/win/run/RunTestHost.h"
#include "tests/win/support/WinTestSupport.h"

namespace runtest {

// A source file of the list, made on the spot.
inline std::string Sources(const std::string& folder, const char* name) {
    const std::string path = folder + name;
    WriteFile(path, "source video");
    return path;
}

// "send 6 1" to "send 6 <count>", each after a short sleep: a job that keeps
// reporting until it is told to stop.
inline std::string KeepsReporting(int count) {
    std::string lines;
    for (int i = 1; i <= count; ++i)
        lines += "sleep 20\nsend 6 " + std::to_string(i) + "\n";
    return lines;
}

// The output paths of the encoders whose source path contains `source`, in
// the order they logged their start (which may differ from the order they
// were started in).
inline std::vector<std::string> Targets(const std::string& source = "") {
    std::vector<std::string> targets;
    for (const std::string& line : LogLines("args ")) {
        const size_t at = line.find("-o \"") + 4;
        if (line.substr(0, at).find(source) == std::string::npos)
            continue;
        targets.push_back(line.substr(at, line.find('"', at) - at));
    }
    return targets;
}

class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        _getcwd(startFolder_, sizeof startFolder_);
        BuildFolder();
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
        _chdir(startFolder_);
    }

    // Puts sources into the list, each `seconds` long.
    void SetSources(const std::vector<std::string>& paths, double seconds) {
        SetSources(paths, std::vector<double>(paths.size(), seconds));
    }
    void SetSources(const std::vector<std::string>& paths, const std::vector<double>& seconds) {
        session.sources.Clear();
        for (size_t i = 0; i < paths.size() && i < seconds.size(); ++i) {
            session.sources.Append(paths[i].c_str(), SourceRow{seconds[i], 0, 0, 0.0});
        }
    }

    static std::string Caption() { return AfxGetAppName(); }

    RunHostDlg host;
    Session& session = host.session;
    std::unique_ptr<CProgressDlg> progress;

private:
    char startFolder_[MAX_PATH] = "";
};

} // namespace runtest
