#include "run/BatchRun.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "protocol/ExitCodes.h"
#include "protocol/TemporaryName.h"
#include "core/BatchReport.h"
#include "core/ConversionSettings.h"
#include "core/ListTarget.h"
#include "core/EncoderArguments.h"
#include "run/WindowProgressPort.h"
#include "run/EncoderJobs.h"
#include "run/EncoderLaunch.h"
#include "run/EnsureFolder.h"
#include "run/FileIdentity.h"
#include "run/JobScheduler.h"
#include "run/RunLogFiles.h"
#include "core/OutputFormat.h"
#include "core/OutputNaming.h"
#include "framework/ProgramFolder.h"
#include "run/ProgressView.h"
#include "core/RowOutcome.h"
#include "core/RowStatus.h"
#include "core/RunProgress.h"
#include "run/SystemRunSignals.h"
#include "run/SystemWhenDone.h"
#include "framework/WinApp.h"

namespace {

bool PathExists(const char* path, void*) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

int64_t FileBytes(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return -1;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Puts the current directory back as it was when it was made.
class CurrentFolderKeeper {
public:
    CurrentFolderKeeper() {
        const DWORD length = GetCurrentDirectoryA(0, nullptr);
        if (length == 0)
            return;
        folder_.assign(length, '\0');
        if (GetCurrentDirectoryA(length, &folder_[0]) + 1 != length)
            folder_.clear();
    }
    ~CurrentFolderKeeper() { Now(); }
    CurrentFolderKeeper(const CurrentFolderKeeper&) = delete;
    CurrentFolderKeeper& operator=(const CurrentFolderKeeper&) = delete;
    void Now() {
        if (!folder_.empty())
            SetCurrentDirectoryA(folder_.c_str());
    }

private:
    std::string folder_;
};

void Tell(HWND owner, const char* text, UINT type) {
    MessageBoxA(owner, text, AfxGetAppName(), type);
}

// The output folder as a full path; a relative one is taken from
// `startFolder`, never from the current directory, which the file dialogs
// and earlier runs may have moved.
bool FullFolderPath(const char* folder, const char* startFolder, char* out, size_t size) {
    std::string joined = folder;
    const bool rooted = folder[0] == '\\' || folder[0] == '/';
    const bool hasDrive = folder[0] != '\0' && folder[1] == ':';
    if (startFolder[0] != '\0' && !hasDrive) {
        if (!rooted) {
            const size_t length = std::strlen(startFolder);
            joined =
                std::string(startFolder) + (startFolder[length - 1] == '\\' ? "" : "\\") + folder;
        } else if (folder[1] != '\\' && folder[1] != '/' && startFolder[1] == ':') {
            joined = std::string(startFolder, 2) + folder; // "\out" on the start folder's drive
        }
    }
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(joined.c_str(), static_cast<DWORD>(size), out, &name);
    return length > 0 && length < size;
}

// One row being converted.
struct RunJob {
    int32_t row = -1;
    char source[kPathCapacity] = "";
    char output[kPathCapacity] = "";
    uint32_t processId = 0;
    // What the encoder's check of the output reported (OutputFault and the
    // seconds of a wrong duration).
    int32_t outputFault = 0;
    int32_t outputEnds = 0;
    int32_t outputOf = 0;
    int32_t videoNotCarried = -1; // kEventVideoNotCarried's codec
    // The file that was at the output path when the row started, if any: it
    // stays until the encoder renames its finished work over it.
    bool replaces = false;
    FileIdentity previous;
};

// The row's encoder put a file of its own at the output path: it renames its
// finished temporary there only on success, so a file of another identity
// than the one found at the start is the encoder's.
bool WroteOutput(const RunJob& job, uint32_t exitCode) {
    if (exitCode != static_cast<uint32_t>(kExitSuccess))
        return false;
    FileIdentity now;
    if (!ReadFileIdentity(job.output, &now))
        return false;
    return !job.replaces || !(now == job.previous);
}

// Removes what a row that did not succeed left behind: the encoder's
// temporary (which stays when the encoder was killed), and the output only
// when this row's encoder wrote it. An earlier file at that name stays.
void DeleteUnfinished(const RunJob& job, bool wroteOutput) {
    if (wroteOutput)
        DeleteFileA(job.output);
    if (job.processId != 0)
        DeleteFileA(TemporaryOutputName(job.output, job.processId).c_str());
}

void KeepOutputFault(RunJob& job, uint32_t code, int32_t value) {
    if (code == kEventOutputFault)
        job.outputFault = value;
    else if (code == kEventOutputEnds)
        job.outputEnds = value;
    else if (code == kEventVideoNotCarried)
        job.videoNotCarried = value;
    else
        job.outputOf = value;
}

struct RowFailure {
    int32_t row;
    std::string source;
    std::string reason;
};

// One batch run: its settings, its progress, its running jobs, the output
// names it has reserved and the rows that failed.
class BatchRun : public JobReportSink, public JobClient {
public:
    BatchRun(BatchHost& host, Session& session, RunRows rows)
        : host_(host), settings_(session.settings), sources_(session.sources),
          systemSignals_(host.MainWindow()), port_(host, signals_) {
        for (int32_t row = 0; row < sources_.Count(); ++row) {
            const RowState* state = sources_.State(row);
            included_[row] = rows == RunRows::kEvery || state->status != RowStatus::kDone;
        }
    }

    void Run(const char* runFolder);

    Next StartNext(EncoderJobs& encoders) override {
        while (next_ < sources_.Count() && !included_[next_])
            ++next_;
        if (noEncoder_ || progress_.StopRequested() || next_ >= sources_.Count())
            return Next::kNothing;
        noEncoder_ = StartRow(next_++, encoders) == Started::kNoEncoder;
        return noEncoder_ ? Next::kNothing : Next::kTaken;
    }
    void Ended(int32_t slot, uint32_t exitCode) override { FinishRow(slot, exitCode); }
    // A quit request that came during the run, posted again once its end
    // box is closed, so that the box is not closed by it at once.
    void PostQuitIfAsked() const {
        if (quitAsked_)
            PostQuitMessage(quitCode_);
    }

    LRESULT OnJobReport(int32_t slot, uint32_t code, int32_t value) override {
        if (code == kEventOutputFault || code == kEventOutputEnds || code == kEventOutputOf ||
            code == kEventVideoNotCarried) {
            if (slot >= 0 && slot < kMaxJobs)
                KeepOutputFault(jobs_[slot], code, value);
            return kEventGoOn;
        }
        if (code != kEventPosition)
            return kEventGoOn;
        const LRESULT answer = ReportProgress(slot, value, progress_, port_);
        if (slot >= 0 && slot < kMaxJobs && jobs_[slot].row >= 0) {
            const int32_t row = jobs_[slot].row;
            const int32_t percent = ConvertingPercent(value, RowSeconds(row));
            RowState* state = sources_.State(row);
            if (state != nullptr && state->status == RowStatus::kConverting &&
                state->percent != percent) {
                state->percent = percent;
                host_.RowStateChanged(row);
            }
        }
        return answer;
    }

private:
    enum class Started { kRunning, kFailedRow, kNoEncoder };

    Started StartRow(int32_t row, EncoderJobs& encoders);
    void FinishRow(int32_t slot, uint32_t exitCode);
    void Fail(int32_t row, const char* source, const char* reason) {
        failures_.push_back(RowFailure{row, source, reason});
        SetState(row, RowStatus::kFailed, reason);
    }
    void SetState(int32_t row, RowStatus status, const char* reason = "") {
        RowState* state = sources_.State(row);
        if (state == nullptr)
            return;
        state->status = status;
        state->percent = 0;
        state->reason = reason;
        if (status == RowStatus::kWaiting)
            state->log.clear(); // an earlier run's
        host_.RowStateChanged(row);
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
    void Conclude(bool noEncoder);
    // The settings' "When done" action after a run that went to its end.
    void FollowWhenDone();
    int32_t IncludedCount() const {
        int32_t count = 0;
        for (int32_t row = 0; row < sources_.Count(); ++row)
            count += included_[row] ? 1 : 0;
        return count;
    }
    double RowSeconds(int32_t row) const {
        const SourceRow* facts = sources_.At(row);
        return facts != nullptr ? facts->duration : 0.0;
    }
    int32_t ElapsedSeconds() const {
        return static_cast<int32_t>((host_.TickCount() - progress_.startTick) / 1000u);
    }

    // The window side of the position reports, on the host's clock.
    class Port : public WindowProgressPort {
    public:
        Port(BatchHost& host, RunSignals& signals)
            : WindowProgressPort(host.MainWindow(), host.ProgressDialog(), signals), host_(host) {}
        uint32_t TickCount() override { return host_.TickCount(); }

    private:
        BatchHost& host_;
    };

    BatchHost& host_;
    const ConversionSettings settings_;
    SourceTable& sources_;
    SystemRunSignalPort systemSignals_;
    RunSignals signals_;
    Port port_;
    RunProgress progress_;
    RunJob jobs_[kMaxJobs];
    std::vector<std::string> taken_; // outputs of running and finished rows
    // The files of the list's sources and of the outputs finished so far,
    // however their paths are spelt.
    std::vector<FileIdentity> keptFiles_;
    std::vector<RowFailure> failures_;
    bool included_[kSourceTableRows] = {};
    // The folder of the first row (in list order) whose output was written.
    int32_t firstOutputRow_ = -1;
    std::string firstOutputFolder_;
    char runFolder_[kOutputFolderCapacity] = "";
    const bool besideSources_ = settings_.outputBesideSource == 1;
    char encoderFolder_[kPathCapacity] = "";
    char logsFolder_[kPathCapacity] = ""; // "" keeps no logs
    uint32_t startError_ = 0;
    int32_t next_ = 0; // the next row to start
    bool noEncoder_ = false;
    bool quitAsked_ = false;
    int quitCode_ = 0;
};

bool BatchRun::IsTaken(const char* path, void* context) {
    BatchRun* run = static_cast<BatchRun*>(context);
    char source[kPathCapacity];
    for (int32_t row = 0; row < run->sources_.Count(); ++row) {
        if (run->sources_.CopyPath(row, source, sizeof source) && SameFileName(source, path)) {
            return true;
        }
    }
    for (const std::string& output : run->taken_) {
        if (SameFileName(output.c_str(), path))
            return true;
    }
    FileIdentity found;
    if (!ReadFileIdentity(path, &found))
        return false;
    for (const FileIdentity& kept : run->keptFiles_) {
        if (kept == found)
            return true;
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
    if (!sources_.CopyPath(row, source, sizeof source)) {
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
    // Beside its source, the row's folder is the one its path names.
    std::string folder = runFolder_;
    if (besideSources_) {
        const std::string path(source);
        const size_t slash = path.find_last_of("\\/");
        folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
    }
    if (!ComposeOutputPath(folder.c_str(), source, OutputExtension(settings_.outputFormat), rules,
                           output, sizeof output)) {
        Fail(row, source, "the output path would be longer than 255 characters");
        progress_.doneSeconds += RowSeconds(row);
        return Started::kFailedRow;
    }
    // The encoder writes beside the output under a longer temporary name,
    // which must fit the platform's path limit too.
    if (std::strlen(output) + kTemporaryNameExtra >= MAX_PATH) {
        Fail(row, source, "the output path would be longer than 255 characters");
        progress_.doneSeconds += RowSeconds(row);
        return Started::kFailedRow;
    }
    // Nothing is deleted here: a file already at the output path is replaced
    // only when the encoder's work is complete.
    FileIdentity previous;
    const bool replaces = ReadFileIdentity(output, &previous);

    const SourceRow* facts = sources_.At(row);
    // The slot's progress is this row's before its encoder starts: a report
    // that comes while the start runs counts.
    const int32_t slot = encoders.FreeSlot();
    progress_.StartJob(slot);
    char log[kPathCapacity] = "";
    PrepareLogPath(logsFolder_, source, static_cast<uint32_t>(row + 1), log, sizeof log);
    if (RowState* state = sources_.State(row))
        state->log = log;
    SetState(row, RowStatus::kConverting);
    DWORD error = 0;
    // A whole-list target gives each row its share.
    switch (encoders.StartJob(slot, encoderFolder_, SettingsForRow(settings_, sources_, row),
                              facts != nullptr ? *facts : SourceRow{}, source, output,
                              kEncoderModeConvert, &error, log)) {
    case EncoderJobs::Launch::kStarted:
        break;
    case EncoderJobs::Launch::kNoEncoder:
        startError_ = error;
        SetState(row, RowStatus::kFailed, "the encoder could not be started");
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
    job.processId = encoders.ProcessId(slot);
    job.replaces = replaces;
    job.previous = previous;
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
    facts.simultaneous = JobSlotCount(settings_) > 1;
    const bool wrote = WroteOutput(job, exitCode);
    facts.outputBytes = wrote ? FileBytes(job.output) : -1;
    facts.outputFault = job.outputFault;
    facts.outputEnds = job.outputEnds;
    facts.outputOf = job.outputOf;
    facts.videoNotCarried = job.videoNotCarried;
    const RowOutcome outcome = DecideRowOutcome(facts);
    if (outcome == RowOutcome::kSucceeded) {
        FileIdentity finished;
        if (ReadFileIdentity(job.output, &finished))
            keptFiles_.push_back(finished);
        if (firstOutputRow_ < 0 || job.row < firstOutputRow_) {
            firstOutputRow_ = job.row;
            const std::string output = job.output;
            firstOutputFolder_ = output.substr(0, output.find_last_of("\\/") + 1);
        }
        SetState(job.row, RowStatus::kDone);
    } else if (outcome == RowOutcome::kCancelled) {
        // The stop stands for every job: those still running stop at their
        // next report. Earlier outputs stay.
        progress_.stopping = true;
        DeleteUnfinished(job, wrote);
        Unreserve(job.output);
        SetState(job.row, RowStatus::kStopped);
    } else {
        // A failed output is never left half-written.
        DeleteUnfinished(job, wrote);
        Unreserve(job.output);
        char reason[192];
        DescribeRowFailure(facts, reason, sizeof reason);
        Fail(job.row, job.source, reason);
    }
    job = RunJob{};
}

FailureReport BatchRun::Failures() {
    std::stable_sort(failures_.begin(), failures_.end(),
                     [](const RowFailure& a, const RowFailure& b) { return a.row < b.row; });
    FailureReport report;
    for (const RowFailure& failure : failures_)
        report.Add(failure.source.c_str(), failure.reason.c_str());
    return report;
}

void BatchRun::EndRun() {
    signals_.End(RunEnd::kQuiet); // already ended when the closing box showed
    host_.EnableMainWindow(true);
    if (host_.ProgressDialog() != nullptr)
        host_.ProgressDialog()->EndRun();
}

// Ends a run that stops before its last row, naming the rows that failed so
// far in the same box as the reason, if there is one.
void BatchRun::EndEarly(const char* headline, UINT icon) {
    if (headline != nullptr) {
        char text[kBatchReportCapacity];
        Failures().ComposeStopped(headline, IncludedCount(), text, sizeof text);
        Tell(port_.BoxOwner(), text, MB_OK | icon);
    }
    EndRun();
}

void BatchRun::Run(const char* runFolder) {
    std::snprintf(runFolder_, sizeof runFolder_, "%s", runFolder);
    host_.EncoderFolder(encoderFolder_, sizeof encoderFolder_);
    host_.LogsFolder(logsFolder_, sizeof logsFolder_);

    char source[kPathCapacity];
    for (int32_t row = 0; row < sources_.Count(); ++row) {
        FileIdentity file;
        if (sources_.CopyPath(row, source, sizeof source) && ReadFileIdentity(source, &file)) {
            keptFiles_.push_back(file);
        }
    }

    double totalSeconds = 0.0;
    for (int32_t row = 0; row < sources_.Count(); ++row) {
        if (!included_[row])
            continue;
        SetState(row, RowStatus::kWaiting);
        totalSeconds += RowSeconds(row);
    }

    progress_.startTick = host_.TickCount();
    progress_.totalSeconds = totalSeconds;
    host_.EnableMainWindow(false);
    if (host_.ProgressDialog() != nullptr)
        host_.ProgressDialog()->BeginRun(&progress_.cancelRequested);
    signals_.Begin(host_.SignalPort() != nullptr ? *host_.SignalPort() : systemSignals_);

    {
        EncoderJobs encoders(*this);
        RunJobs(encoders, JobSlotCount(settings_), *this);
        quitAsked_ = encoders.TakeQuit(&quitCode_);
    }
    // The rows a stop or a missing encoder kept from their turn.
    for (int32_t row = 0; row < sources_.Count(); ++row) {
        const RowState* state = sources_.State(row);
        if (state != nullptr &&
            (state->status == RowStatus::kWaiting || state->status == RowStatus::kConverting)) {
            SetState(row, RowStatus::kStopped);
        }
    }
    Conclude(noEncoder_);
}

// The run's end: the box that says how it went, then the windows as they were.
void BatchRun::Conclude(bool noEncoder) {
    char text[kBatchReportCapacity];
    const int32_t rowCount = IncludedCount();
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
    signals_.End(RunEnd::kFinished); // the closing box waits for the user
    FollowWhenDone();
    if (failures_.empty())
        ComposeSuccessReport(ElapsedSeconds(), text, sizeof text);
    else
        Failures().Compose(rowCount, ElapsedSeconds(), text, sizeof text);
    // Outputs a format's highest rate kept below their target size.
    int32_t capped = 0;
    for (int32_t row = 0; row < sources_.Count(); ++row) {
        const RowState* state = sources_.State(row);
        if (included_[row] && state != nullptr && state->status == RowStatus::kDone &&
            RowCappedBelowTarget(settings_, sources_, row)) {
            ++capped;
        }
    }
    AppendCappedNote(capped, text, sizeof text);
    Tell(port_.BoxOwner(), text, MB_OK | (failures_.empty() ? MB_ICONINFORMATION : MB_ICONWARNING));
    EndRun();
}

void BatchRun::FollowWhenDone() {
    RunEndFacts facts;
    facts.anyFailed = !failures_.empty();
    facts.anyOutput = firstOutputRow_ >= 0;
    const WhenDoneAction action = DecideWhenDone(settings_.whenDone, facts);
    if (action == WhenDoneAction::kNothing)
        return;
    SystemWhenDonePort system;
    WhenDonePort& port = host_.WhenDone() != nullptr ? *host_.WhenDone() : system;
    if (action == WhenDoneAction::kOpenFolder) {
        port.OpenFolder(besideSources_ ? firstOutputFolder_.c_str() : runFolder_);
        return;
    }
    if (!host_.CountDown(action))
        return;
    const bool asleep = action == WhenDoneAction::kSleep ? port.Sleep() : port.ShutDown();
    if (!asleep) {
        Tell(port_.BoxOwner(),
             action == WhenDoneAction::kSleep ? "The computer could not be put to sleep."
                                              : "The computer could not be shut down.",
             MB_OK | MB_ICONWARNING);
    }
}

} // namespace

void BatchHost::EncoderFolder(char* out, size_t size) {
    ProgramFolder(out, size);
}

uint32_t BatchHost::TickCount() {
    return GetTickCount();
}

void BatchHost::StartFolder(char* out, size_t size) {
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(size), out);
    if (length == 0 || length >= size)
        out[0] = '\0';
}

bool OutputPathFor(const ConversionSettings& settings, const char* sourcePath, char* out,
                   size_t size) {
    OutputNamingRules rules;
    rules.exists = PathExists;
    return ComposeOutputPath(settings.outputFolder, sourcePath,
                             OutputExtension(settings.outputFormat), rules, out, size);
}

void ConvertAllRows(BatchHost& host, Session& session, RunRows rows) {
    char text[kBatchReportCapacity];
    if (session.sources.Count() <= 0) {
        Tell(host.MainWindow(), "No file in the list", MB_OK);
        return;
    }
    if (rows == RunRows::kNotDone) {
        bool left = false;
        for (int32_t row = 0; row < session.sources.Count(); ++row)
            left = left || session.sources.State(row)->status != RowStatus::kDone;
        if (!left) {
            Tell(host.MainWindow(), "Every file in the list is done.", MB_OK);
            return;
        }
    }
    // A target size that some file cannot meet: nothing is converted.
    if (TargetRefused(session.settings, session.sources, text, sizeof text)) {
        Tell(host.MainWindow(), text, MB_OK | MB_ICONEXCLAMATION);
        return;
    }

    char folder[kOutputFolderCapacity];
    host.ReadOutputFolder(folder, sizeof folder);
    SetOutputFolder(session.settings, folder); // the setting keeps what was typed
    char startFolder[kPathCapacity];
    host.StartFolder(startFolder, sizeof startFolder);
    // The run makes its output folder current; the one before comes back at
    // its end, so the folder can be renamed or removed afterwards.
    CurrentFolderKeeper restore;
    char runFolder[kOutputFolderCapacity] = "";
    // Outputs beside their sources need no output folder.
    if (session.settings.outputBesideSource != 1 &&
        (!FullFolderPath(session.settings.outputFolder, startFolder, runFolder, sizeof runFolder) ||
         EnsureFolder(runFolder) == -1)) {
        restore.Now();
        std::snprintf(text, sizeof text, "Fail to create tmp folder %s",
                      session.settings.outputFolder);
        Tell(host.MainWindow(), text, MB_OK);
        return;
    }
    // About 4 KB per job slot and the failure list: kept off the stack of a
    // nested handler.
    std::unique_ptr<BatchRun> run(new BatchRun(host, session, rows));
    run->Run(runFolder);
    restore.Now();
    run->PostQuitIfAsked();
}
