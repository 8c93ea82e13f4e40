#include "engine/BatchRun.h"

#include <cstdio>
#include <cstring>

#include "engine/BatchReport.h"
#include "engine/ConversionSettings.h"
#include "engine/EncoderArguments.h"
#include "engine/EncoderLaunch.h"
#include "engine/EncoderProfile.h"
#include "engine/EnsureFolder.h"
#include "engine/OutputFormat.h"
#include "engine/OutputNaming.h"
#include "engine/ProgramFolder.h"
#include "engine/ProgressDlg.h"
#include "engine/RowOutcome.h"
#include "engine/RunClock.h"
#include "engine/RunState.h"
#include "engine/SourceTable.h"
#include "engine/SystemRunSignals.h"
#include "framework/WinApp.h"

namespace {

bool PathExists(const char* path, void*) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

// What a row's output must never replace: the list's sources, and the
// outputs that earlier rows of this run wrote.
struct TakenPaths {
    BatchHost* host;
    char outputs[kSourceTableRows][kPathCapacity];
    int32_t outputCount;
};

bool IsTaken(const char* path, void* context) {
    const TakenPaths* taken = static_cast<const TakenPaths*>(context);
    char source[kPathCapacity];
    for (int32_t row = 0; row < g_runState.rowCount; ++row) {
        if (taken->host->RowSourcePath(row, source, sizeof source) && SamePathText(source, path)) {
            return true;
        }
    }
    for (int32_t i = 0; i < taken->outputCount; ++i) {
        if (SamePathText(taken->outputs[i], path)) return true;
    }
    return false;
}

// One run at a time: the main window is disabled while it goes.
TakenPaths g_taken;

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

// Boxes during the run belong to the progress dialog when it is on screen.
HWND RunBoxOwner(BatchHost& host) {
    if (g_progressDlg != nullptr && g_progressDlg->GetSafeHwnd() != nullptr &&
        g_progressDlg->IsWindowVisible()) {
        return g_progressDlg->GetSafeHwnd();
    }
    return host.MainWindow();
}

void EndRun(BatchHost& host) {
    g_runSignals.End(RunEnd::kQuiet);  // already ended when the closing box showed
    host.EnableMainWindow(true);
    if (g_progressDlg != nullptr) g_progressDlg->EndRun();
}

int32_t ElapsedSeconds() {
    return static_cast<int32_t>((RunTickCount() - g_runState.startTick) / 1000u);
}

double RowDuration(int32_t row) {
    const SourceRow* source = g_sourceTable.At(row);
    return source != nullptr ? source->duration : 0.0;
}

bool ComposeRowOutputPath(const char* folder, const char* sourcePath, char* out, size_t size) {
    OutputNamingRules rules;
    rules.exists = PathExists;
    rules.isProtected = IsTaken;
    rules.protectedContext = &g_taken;
    return ComposeOutputPath(folder, sourcePath, OutputExtension(g_settings.outputFormat), rules, out,
                             size);
}

// The output folder as a full path. The run makes the folder the current
// directory, so a relative one would otherwise be taken twice ("out\out\").
bool FullFolderPath(const char* folder, char* out, size_t size) {
    char* name = nullptr;
    const DWORD length = GetFullPathNameA(folder, static_cast<DWORD>(size), out, &name);
    return length > 0 && length < size;
}

// Ends a run that stops before its last row, naming the rows that failed so
// far in the same box as the reason, if there is one.
void EndEarly(BatchHost& host, const FailureReport& failures, const char* headline, UINT icon) {
    if (headline != nullptr) {
        char text[kBatchReportCapacity];
        failures.ComposeStopped(headline, g_runState.rowCount, text, sizeof text);
        Tell(RunBoxOwner(host), text, MB_OK | icon);
    }
    EndRun(host);
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
    if (g_runState.rowCount <= 0) {
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

    char encoderFolder[kPathCapacity];
    host.EncoderFolder(encoderFolder, sizeof encoderFolder);

    g_runState.startTick = RunTickCount();
    g_runState.cancelRequested = 0;
    host.EnableMainWindow(false);
    if (g_progressDlg != nullptr) g_progressDlg->BeginRun();
    BeginRunSignals(host.MainWindow());
    g_runState.doneSeconds = 0;

    FailureReport failures;
    const int32_t rowCount = g_runState.rowCount;
    g_taken.host = &host;
    g_taken.outputCount = 0;
    for (int32_t row = 0; row < rowCount; ++row) {
        g_runState.currentRow = row;
        char source[kPathCapacity] = "";
        char output[kPathCapacity] = "";
        if (!host.RowSourcePath(row, source, sizeof source)) {
            failures.Add(source, "the list has no file in this row");
            g_runState.doneSeconds += RowDuration(row);
            continue;
        }
        if (!ComposeRowOutputPath(runFolder, source, output, sizeof output)) {
            failures.Add(source, "the output path would be longer than 255 characters");
            g_runState.doneSeconds += RowDuration(row);
            continue;
        }
        DeleteFileA(output);

        const LetterboxPadding padding = ComputeLetterboxPadding(row);
        const EncoderRunResult run = RunEncoder(host.MainWindow(), encoderFolder, source, output,
                                                padding.padWidth, padding.padHeight,
                                                kEncoderModeConvert, NotStartedBox::kLeftToCaller);
        g_runState.doneSeconds += RowDuration(row);

        if (run.launch == EncoderLaunch::kNotStarted) {
            // Every further file would fail the same way: one box says why,
            // and which files failed before.
            ComposeNotStartedText(encoderFolder, run.startError, text, sizeof text);
            EndEarly(host, failures, text, MB_ICONERROR);
            return;
        }

        EncoderRunFacts facts;
        facts.started = run.Ran();
        facts.exitCode = run.exitCode;
        facts.cancelRequested = g_runState.cancelRequested != 0;
        facts.outputBytes = FileBytes(output);
        const RowOutcome outcome = DecideRowOutcome(facts);
        if (outcome == RowOutcome::kCancelled) {
            DeleteUnfinished(output);  // earlier outputs stay
            // No summary after a cancel, but the files that failed before are
            // not passed over in silence.
            EndEarly(host, failures, failures.Count() > 0 ? kRunStoppedText : nullptr,
                     MB_ICONWARNING);
            return;
        }
        if (outcome == RowOutcome::kFailed) {
            // A failed output is never left half-written.
            DeleteUnfinished(output);
            char reason[128];
            if (run.launch == EncoderLaunch::kArgumentsTooLong) {
                std::snprintf(reason, sizeof reason, "the encoder's argument text would be too long");
            } else {
                DescribeRowFailure(facts, reason, sizeof reason);
            }
            failures.Add(source, reason);
        } else if (g_taken.outputCount < kSourceTableRows) {
            std::snprintf(g_taken.outputs[g_taken.outputCount++], kPathCapacity, "%s", output);
        }
    }

    g_runSignals.End(RunEnd::kFinished);  // the closing box waits for the user
    if (failures.Count() == 0) {
        ComposeSuccessReport(ElapsedSeconds(), text, sizeof text);
        Tell(RunBoxOwner(host), text, MB_OK | MB_ICONINFORMATION);
    } else {
        failures.Compose(rowCount, ElapsedSeconds(), text, sizeof text);
        Tell(RunBoxOwner(host), text, MB_OK | MB_ICONWARNING);
    }
    EndRun(host);
}
