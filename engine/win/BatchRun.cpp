#include "engine/win/BatchRun.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/BatchReport.h"
#include "engine/core/ConversionSettings.h"
#include "engine/core/EncoderArguments.h"
#include "engine/win/EncoderEventLink.h"
#include "engine/win/EncoderJobs.h"
#include "engine/win/EncoderLaunch.h"
#include "engine/win/EnsureFolder.h"
#include "engine/core/OutputFormat.h"
#include "engine/core/OutputNaming.h"
#include "engine/win/ProgramFolder.h"
#include "engine/win/ProgressDlg.h"
#include "engine/core/RowOutcome.h"
#include "engine/win/RunClock.h"
#include "engine/core/RunProgress.h"
#include "engine/win/SystemRunSignals.h"
#include "framework/WinApp.h"

namespace {

bool PathExists(const char* path, void*) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

int64_t FileBytes(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Removes what a row that did not succeed may have left: its output, and the
// encoder's temporary "<name>.~enc<pid>.<ext>" (encoder/TemporaryName.h),
// which stays behind when the encoder itself was killed.
void DeleteUnfinished(const char* output) {
    DeleteFileA(output);
    char pattern[kPathCapacity + 8];
    const char* name = strrchr(output, '\\');
    const char* dot = strrchr(output, '.');
    if (dot == nullptr || (name != nullptr && dot < name)) dot = output + strlen(output);
    const int stem = static_cast<int>(dot - output);
    std::snprintf(pattern, sizeof pattern, "%.*s.~enc*%s", stem, output, dot);
    const size_t folderLength = name != nullptr ? static_cast<size_t>(name - output + 1) : 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        char path[kPathCapacity + MAX_PATH];
        std::snprintf(path, sizeof path, "%.*s%s", static_cast<int>(folderLength), output, found.cFileName);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && strstr(found.cFileName, ".~enc") != nullptr) {
            DeleteFileA(path);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void Tell(HWND owner, const char* text, UINT type) {
    MessageBoxA(owner, text, AfxGetAppName(), type);
}

// The output folder as a full path. The run makes the folder the current
// directory, so a relative one would otherwise be taken twice ("out\out\").
bool FullFolderPath(const char* folder, char* out, size_t size) {
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(folder, static_cast<DWORD>(size), out, &name);
    return length > 0 && length < size;
}

// One row being converted.
struct RunJob {
    int32_t row = -1;
    char source[kPathCapacity] = "";
    char output[kPathCapacity] = "";
};

struct RowFailure {
    int32_t row;
    std::string source;
    std::string reason;
};

// One batch run: its settings, its progress, its running jobs, the output
// names it has reserved and the rows that failed.
class BatchRun : public JobReportSink {
public:
    BatchRun(BatchHost& host, const ConversionSettings& settings)
        : host_(host),
          settings_(settings),
          sources_(host.Sources()),
          port_(host.MainWindow(), host.ProgressDialog()) {}

    void Run(const char* runFolder);

    LRESULT OnJobReport(int32_t slot, uint32_t code, int32_t value) override {
        if (code != kEventPosition) return kEventGoOn;
        return ReportProgress(slot, value, progress_, port_);
    }

private:
    enum class Started { kRunning, kFailedRow, kNoEncoder };

    Started StartRow(int32_t row, EncoderJobs& encoders);
    void FinishRow(int32_t slot, uint32_t exitCode);
    void Fail(int32_t row, const char* source, const char* reason) {
        failures_.push_back(RowFailure{row, source, reason});
    }
    void Reserve(const char* output) { taken_.push_back(output); }
    void Unreserve(const char* output);
    static bool IsTaken(const char* path, void* context);
    static bool ExistsOrTaken(const char* path, void* context) {
        return PathExists(path, nullptr) || IsTaken(path, context);
    }
    FailureReport Failures();
    void EndEarly(const char* headline, UINT icon);
    void EndRun();
    double RowSeconds(int32_t row) const {
        const SourceRow* facts = sources_.At(row);
        return facts != nullptr ? facts->duration : 0.0;
    }
    int32_t ElapsedSeconds() const {
        return static_cast<int32_t>((RunTickCount() - progress_.startTick) / 1000u);
    }

    BatchHost& host_;
    const ConversionSettings settings_;
    const SourceTable& sources_;
    WindowProgressPort port_;
    RunProgress progress_;
    RunJob jobs_[kMaxJobs];
    std::vector<std::string> taken_;  // outputs of running and finished rows
    std::vector<RowFailure> failures_;
    char runFolder_[kOutputFolderCapacity] = "";
    char encoderFolder_[kPathCapacity] = "";
    uint32_t startError_ = 0;
};

bool BatchRun::IsTaken(const char* path, void* context) {
    BatchRun* run = static_cast<BatchRun*>(context);
    char source[kPathCapacity];
    for (int32_t row = 0; row < run->sources_.Count(); ++row) {
        if (run->host_.RowSourcePath(row, source, sizeof source) && SamePathText(source, path)) {
            return true;
        }
    }
    for (const std::string& output : run->taken_) {
        if (SamePathText(output.c_str(), path)) return true;
    }
    return false;
}

void BatchRun::Unreserve(const char* output) {
    for (size_t i = 0; i < taken_.size(); ++i) {
        if (taken_[i] == output) {
            taken_.erase(taken_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

BatchRun::Started BatchRun::StartRow(int32_t row, EncoderJobs& encoders) {
    char source[kPathCapacity] = "";
    char output[kPathCapacity] = "";
    if (!host_.RowSourcePath(row, source, sizeof source)) {
        Fail(row, source, "the list has no file in this row");
        progress_.doneSeconds += RowSeconds(row);
        return Started::kFailedRow;
    }
    // A name reserved by a running row counts as there: its encoder writes
    // the file only when it ends.
    OutputNamingRules rules;
    rules.exists = ExistsOrTaken;
    rules.existsContext = this;
    rules.isProtected = IsTaken;
    rules.protectedContext = this;
    if (!ComposeOutputPath(runFolder_, source, OutputExtension(settings_.outputFormat), rules, output,
                           sizeof output)) {
        Fail(row, source, "the output path would be longer than 255 characters");
        progress_.doneSeconds += RowSeconds(row);
        return Started::kFailedRow;
    }
    DeleteFileA(output);

    const SourceRow* facts = sources_.At(row);
    // The slot's progress is this row's before its encoder starts: a report
    // that comes while the start runs counts.
    const int32_t slot = encoders.FreeSlot();
    progress_.StartJob(slot);
    DWORD error = 0;
    switch (encoders.StartJob(slot, encoderFolder_, settings_, facts != nullptr ? *facts : SourceRow{},
                              source, output, kEncoderModeConvert, &error)) {
    case EncoderJobs::Launch::kStarted:
        break;
    case EncoderJobs::Launch::kNoEncoder:
        startError_ = error;
        progress_.doneSeconds += RowSeconds(row);
        return Started::kNoEncoder;
    case EncoderJobs::Launch::kNoReportWindow:
        Fail(row, source, "the program could not make a window for the encoder's reports");
        progress_.doneSeconds += RowSeconds(row);
        return Started::kFailedRow;
    case EncoderJobs::Launch::kArgumentsTooLong:
        Fail(row, source, "the encoder's argument text would be too long");
        progress_.doneSeconds += RowSeconds(row);
        return Started::kFailedRow;
    }
    RunJob& job = jobs_[slot];
    job.row = row;
    std::snprintf(job.source, sizeof job.source, "%s", source);
    std::snprintf(job.output, sizeof job.output, "%s", output);
    Reserve(output);
    return Started::kRunning;
}

void BatchRun::FinishRow(int32_t slot, uint32_t exitCode) {
    RunJob& job = jobs_[slot];
    progress_.FinishJob(slot, RowSeconds(job.row));
    EncoderRunFacts facts;
    facts.started = true;
    facts.exitCode = exitCode;
    facts.cancelRequested = progress_.StopRequested();
    facts.outputBytes = FileBytes(job.output);
    const RowOutcome outcome = DecideRowOutcome(facts);
    if (outcome == RowOutcome::kCancelled) {
        // The stop stands for every job: those still running stop at their
        // next report. Earlier outputs stay.
        progress_.stopping = true;
        DeleteUnfinished(job.output);
        Unreserve(job.output);
    } else if (outcome == RowOutcome::kFailed) {
        // A failed output is never left half-written.
        DeleteUnfinished(job.output);
        Unreserve(job.output);
        char reason[128];
        DescribeRowFailure(facts, reason, sizeof reason);
        Fail(job.row, job.source, reason);
    }
    job = RunJob{};
}

FailureReport BatchRun::Failures() {
    std::stable_sort(failures_.begin(), failures_.end(),
                     [](const RowFailure& a, const RowFailure& b) { return a.row < b.row; });
    FailureReport report;
    for (const RowFailure& failure : failures_) report.Add(failure.source.c_str(), failure.reason.c_str());
    return report;
}

void BatchRun::EndRun() {
    g_runSignals.End(RunEnd::kQuiet);  // already ended when the closing box showed
    host_.EnableMainWindow(true);
    if (host_.ProgressDialog() != nullptr) host_.ProgressDialog()->EndRun();
}

// Ends a run that stops before its last row, naming the rows that failed so
// far in the same box as the reason, if there is one.
void BatchRun::EndEarly(const char* headline, UINT icon) {
    if (headline != nullptr) {
        char text[kBatchReportCapacity];
        Failures().ComposeStopped(headline, sources_.Count(), text, sizeof text);
        Tell(port_.BoxOwner(), text, MB_OK | icon);
    }
    EndRun();
}

void BatchRun::Run(const char* runFolder) {
    std::snprintf(runFolder_, sizeof runFolder_, "%s", runFolder);
    host_.EncoderFolder(encoderFolder_, sizeof encoderFolder_);

    progress_.startTick = RunTickCount();
    progress_.totalSeconds = sources_.TotalSeconds();
    host_.EnableMainWindow(false);
    if (host_.ProgressDialog() != nullptr) host_.ProgressDialog()->BeginRun(&progress_.cancelRequested);
    BeginRunSignals(host_.MainWindow());

    const int32_t rowCount = sources_.Count();
    const int32_t slots = JobSlotCount(settings_);
    bool noEncoder = false;
    {
        EncoderJobs encoders(*this);
        int32_t next = 0;
        for (;;) {
            while (!noEncoder && !progress_.StopRequested() && next < rowCount &&
                   encoders.RunningCount() < slots) {
                noEncoder = StartRow(next++, encoders) == Started::kNoEncoder;
            }
            uint32_t exitCode = 0;
            const int32_t slot = encoders.WaitForOne(&exitCode);
            if (slot < 0) break;
            FinishRow(slot, exitCode);
        }
    }

    char text[kBatchReportCapacity];
    if (noEncoder) {
        // Every further file would fail the same way: one box says why, and
        // which files failed before.
        ComposeNotStartedText(encoderFolder_, startError_, text, sizeof text);
        EndEarly(text, MB_ICONERROR);
        return;
    }
    if (progress_.StopRequested()) {
        // No summary after a cancel, but the files that failed before are not
        // passed over in silence.
        EndEarly(failures_.empty() ? nullptr : kRunStoppedText, MB_ICONWARNING);
        return;
    }
    g_runSignals.End(RunEnd::kFinished);  // the closing box waits for the user
    if (failures_.empty()) {
        ComposeSuccessReport(ElapsedSeconds(), text, sizeof text);
        Tell(port_.BoxOwner(), text, MB_OK | MB_ICONINFORMATION);
    } else {
        Failures().Compose(rowCount, ElapsedSeconds(), text, sizeof text);
        Tell(port_.BoxOwner(), text, MB_OK | MB_ICONWARNING);
    }
    EndRun();
}

}  // namespace

void BatchHost::EncoderFolder(char* out, size_t size) { ProgramFolder(out, size); }

bool OutputPathFor(const char* sourcePath, char* out, size_t size) {
    OutputNamingRules rules;
    rules.exists = PathExists;
    return ComposeOutputPath(g_settings.outputFolder, sourcePath,
                             OutputExtension(g_settings.outputFormat), rules, out, size);
}

void ConvertAllRows(BatchHost& host) {
    char text[kBatchReportCapacity];
    if (host.Sources().Count() <= 0) {
        Tell(host.MainWindow(), "No file in the list", MB_OK);
        return;
    }

    char folder[kOutputFolderCapacity];
    host.ReadOutputFolder(folder, sizeof folder);
    SetOutputFolder(g_settings, folder);  // the setting keeps what was typed
    char runFolder[kOutputFolderCapacity];
    if (!FullFolderPath(g_settings.outputFolder, runFolder, sizeof runFolder) ||
        EnsureFolder(runFolder) == -1) {
        std::snprintf(text, sizeof text, "Fail to create tmp folder %s", g_settings.outputFolder);
        Tell(host.MainWindow(), text, MB_OK);
        return;
    }
    // About 4 KB per job slot and the failure list: kept off the stack of a
    // nested handler.
    std::unique_ptr<BatchRun> run(new BatchRun(host, g_settings));
    run->Run(runFolder);
}
