// The encoders a run keeps going at once. Each job reports to a hidden
// message-only window of its own, made when the job starts and destroyed when
// it ends, so every report is tied to its job while the encoder's command
// line and messages stay as they are. One wait covers every encoder process
// and this thread's message queue.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/ConversionSettings.h"
#include "core/RunProgress.h"
#include "core/SourceTable.h"

// The window class of the jobs' report windows.
constexpr char kReportWindowClass[] = "TarvelloEncoderReports";

// Receives the reports of the jobs, by slot.
class JobReportSink {
public:
    // Returns the message result for the encoder (0 go on, 1 stop).
    virtual LRESULT OnJobReport(int32_t slot, uint32_t code, int32_t value) = 0;

protected:
    ~JobReportSink() = default;
};

class EncoderJobs {
public:
    explicit EncoderJobs(JobReportSink& sink);
    // Waits for every job still running, then removes the report windows.
    ~EncoderJobs();
    EncoderJobs(const EncoderJobs&) = delete;
    EncoderJobs& operator=(const EncoderJobs&) = delete;

    // A slot without a running job, or -1 when all kMaxJobs are busy.
    int32_t FreeSlot() const;
    int32_t RunningCount() const;

    // The window the job in `slot` reports to, made on first use; nullptr
    // when it cannot be made.
    HWND ReportWindow(int32_t slot);

    // Starts `exePath` hidden with `arguments` as the job in `slot`, with a
    // console of its own and none of this program's handles; with `logPath`
    // the encoder writes its log there (kEncoderLogVariable). False, with
    // *error set and the slot free again, when no process started.
    bool Start(int32_t slot, const char* exePath, const char* arguments, DWORD* error,
               const char* logPath = nullptr);

    enum class Launch {
        kStarted,
        kNoReportWindow,   // the job's window could not be made
        kArgumentsTooLong, // the argument text did not fit
        kNoEncoder,        // "<encoderFolder>quenforenc.exe" could not be started (*error)
    };
    // One job on a source of the given facts in `slot`, a free one
    // (FreeSlot()) that the caller has already tied to its own record of the
    // job: the job's reports may come while the encoder starts. Its argument
    // text names the slot's report window, and "<encoderFolder>quenforenc.exe"
    // is started with it. Nothing runs unless kStarted.
    Launch StartJob(int32_t slot, const char* encoderFolder, const ConversionSettings& settings,
                    const SourceRow& facts, const char* sourcePath, const char* outputPath,
                    int32_t mode, DWORD* error, const char* logPath = nullptr);

    // The process id of the job running in `slot`; 0 for none.
    uint32_t ProcessId(int32_t slot) const;

    // True once a quit request (WM_QUIT) came while the jobs ran, with its
    // exit code. The caller then posts it again when it is done; otherwise
    // the destructor does.
    bool TakeQuit(int* exitCode);

    // Waits until one running job ends, keeping this thread's windows alive,
    // and frees its slot. Returns the slot, with its exit code; -1 when no job
    // runs.
    int32_t WaitForOne(uint32_t* exitCode);

private:
    struct SlotLink {
        JobReportSink* sink;
        int32_t slot;
    };
    static LRESULT CALLBACK ReportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Release(int32_t slot);
    // Dispatches what waits in the queue (a bounded number of messages).
    void PumpWaiting();

    JobReportSink& sink_;
    HANDLE process_[kMaxJobs] = {};
    HWND window_[kMaxJobs] = {};
    SlotLink link_[kMaxJobs]; // what each slot's window reports to
    bool quitSeen_ = false;   // WM_QUIT is handed back once the jobs are done
    int quitCode_ = 0;
};
