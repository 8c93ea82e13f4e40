// CConverterDlg's import: the file dialog, one probe per chosen file through
// the encoder (up to JobSlotCount probes at once), a row for each file that
// probed well, in the order the files were chosen, and afterwards one box per
// file that could not be added.
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "ui/ConverterDlg.h"
#include "core/ImportReport.h"
#include "core/SourceListRows.h"
#include "core/VideoFileTypes.h"
#include "protocol/ExitCodes.h"
#include "run/BatchRun.h"
#include "core/EncoderArguments.h"
#include "core/EncoderReports.h"
#include "run/EncoderJobs.h"
#include "run/EncoderLaunch.h"
#include "core/ConversionSettings.h"
#include "core/OutputFormat.h"
#include "core/OutputNaming.h"
#include "framework/ProgramFolder.h"
#include "core/SourceTable.h"
#include "framework/FileDialog.h"
#include "framework/FileSelection.h"
#include "framework/WinApp.h"

namespace {

constexpr char kImportDefaultExtension[] = "*.avi;*.divx;*.div;*.xvid;";
// The dialog leaves the current directory alone: a relative output folder is
// taken from the folder the program started in.
constexpr DWORD kImportFlags =
    OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
constexpr DWORD kSelectionCapacity = 2048;

// The filter last used in the dialog, in the application's profile store.
constexpr char kImportSection[] = "Import";
constexpr char kFilterKey[] = "Filter";

// A selection path can be as long as the whole selection buffer.
constexpr size_t kFullPathCapacity = kSelectionCapacity + 2;

// The probe writes nothing, but the encoder still wants an output name; when
// the output folder would make it too long, a bare file name does.
void ProbeOutputPath(const ConversionSettings& settings, const char* sourcePath, char* out, size_t size) {
    if (OutputPathFor(settings, sourcePath, out, size)) return;
    OutputNamingRules noRules;
    if (!ComposeOutputPath("", sourcePath, OutputExtension(settings.outputFormat), noRules, out,
                           size)) {
        std::snprintf(out, size, "probe.%s", OutputExtension(settings.outputFormat));
    }
}

// "…" in the active code page: UTF-8 where the manifest's code page is
// honoured, else the code page's own ellipsis, else three dots.
const char* EllipsisText() {
    static char text[8] = "";
    if (text[0] != '\0') return text;
    BOOL missing = FALSE;
    const wchar_t ellipsis = 0x2026;
    const UINT codePage = GetACP();
    const int length = WideCharToMultiByte(codePage, 0, &ellipsis, 1, text, sizeof text - 1, nullptr,
                                           codePage == CP_UTF8 ? nullptr : &missing);
    if (length <= 0 || missing) {
        std::snprintf(text, sizeof text, "...");
    } else {
        text[length] = '\0';
    }
    return text;
}

}  // namespace

void CConverterDlg::ImportFiles() {
    if (RefuseWhileBusy()) return;
    char names[kSelectionCapacity] = "";
    CFileDialog dlg(TRUE, kImportDefaultExtension, nullptr, kImportFlags, kImportFilterText, this);
    dlg.m_ofn.lpstrTitle = "Import video files";
    dlg.SetFileBuffer(names, sizeof names);
    CWinApp* app = AfxGetApp();
    if (app != nullptr) dlg.m_ofn.nFilterIndex = ValidImportFilter(app->GetProfileInt(kImportSection, kFilterKey, kAviFilter));
    if (dlg.DoModal() != IDOK) {
        // The platform refuses a selection whose names do not fit the buffer.
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
            MessageBox("Too many files were selected at once. Please add them in smaller groups.",
                       nullptr, MB_OK | MB_ICONWARNING);
        }
        return;
    }
    if (app != nullptr) app->WriteProfileInt(kImportSection, kFilterKey, ValidImportFilter(static_cast<int>(dlg.m_ofn.nFilterIndex)));
    ImportSelection(names, sizeof names);
}

void CConverterDlg::ImportSelection(const char* selection, size_t size) {
    if (m_importing || selection == nullptr) return;
    std::vector<std::string> paths;
    FileSelection files(selection, size);
    static char fullPath[kFullPathCapacity];
    while (files.Next(fullPath, sizeof fullPath)) paths.push_back(fullPath);
    ImportPaths(paths);
}

namespace {

// The probes of one import: each file's state, the probes running at once,
// and the rows added in the order the files were chosen.
class ImportProbes : public JobReportSink {
public:
    ImportProbes(const std::vector<std::string>& paths, const char* encoderFolder, const Session& session)
        : paths_(paths), items_(paths.size()), encoderFolder_(encoderFolder), session_(session) {
        for (int32_t& item : slotItem_) item = -1;
    }

    // Probes every file and adds the rows; returns false when the encoder
    // could not be started (*startError tells why).
    bool Run(CConverterDlg& dialog, ImportReport& report, uint32_t* startError);

    LRESULT OnJobReport(int32_t slot, uint32_t code, int32_t value) override {
        const int32_t index = slotItem_[slot];
        if (index >= 0) ApplyProbeReport(code, value, items_[index].probe);
        return kEventGoOn;
    }

private:
    enum class State { kWaiting, kRunning, kEnded, kPathTooLong, kLeftOut, kNotStarted, kResolved };
    struct Item {
        State state = State::kWaiting;
        ProbeResult probe;
        uint32_t exitCode = 0;
    };

    bool Start(int32_t index, EncoderJobs& probes, uint32_t* startError);
    // Adds the rows, and notes the problems, of the files before `next`
    // whose probes have ended, in the order the files were chosen, up to
    // the first one still probing.
    void AddResolved(int32_t next, CConverterDlg& dialog, ImportReport& report);
    // Probes begun but not yet added, in front of file `index`; while they
    // may still take the list's last rows a later file must wait.
    int32_t Pending(int32_t index) const;
    bool AnyRunningBefore(int32_t index) const;

    const std::vector<std::string>& paths_;
    std::vector<Item> items_;
    const char* encoderFolder_;
    const Session& session_;
    int32_t slotItem_[kMaxJobs];  // the file each job slot probes; -1 for none
    int32_t added_ = 0;  // files before this one are resolved
};

void ImportProbes::AddResolved(int32_t next, CConverterDlg& dialog, ImportReport& report) {
    for (; added_ < next && items_[added_].state != State::kRunning; ++added_) {
        Item& item = items_[added_];
        const char* path = paths_[added_].c_str();
        if (item.state == State::kPathTooLong) {
            report.Add(added_, ImportProblem::kPathTooLong);
        } else if (item.state == State::kLeftOut) {
            report.AddLeftOut();
        } else if (item.state == State::kEnded) {
            if (item.exitCode == static_cast<uint32_t>(kExitNoVideoStream)) {
                report.Add(added_, ImportProblem::kNoVideo);
            } else if (!item.probe.Usable() || !dialog.AddRow(path, item.probe.facts)) {
                report.Add(added_, ImportProblem::kProbeFailed);
            }
        }
        item.state = State::kResolved;
    }
}

int32_t ImportProbes::Pending(int32_t index) const {
    int32_t pending = 0;
    for (int32_t i = added_; i < index; ++i) {
        pending += items_[i].state == State::kRunning ||
                   (items_[i].state == State::kEnded && items_[i].probe.Usable());
    }
    return pending;
}

bool ImportProbes::AnyRunningBefore(int32_t index) const {
    for (int32_t i = added_; i < index; ++i) {
        if (items_[i].state == State::kRunning) return true;
    }
    return false;
}

bool ImportProbes::Start(int32_t index, EncoderJobs& probes, uint32_t* startError) {
    const char* path = paths_[index].c_str();
    char output[kPathCapacity];
    ProbeOutputPath(session_.settings, path, output, sizeof output);
    // The slot is the file's before its encoder starts: reports that come
    // while the start still runs belong to this file too.
    const int32_t slot = probes.FreeSlot();
    if (slot >= 0) slotItem_[slot] = index;
    DWORD error = 0;
    const EncoderJobs::Launch launch =
        probes.StartJob(slot, encoderFolder_, session_.settings, SourceRow{}, path, output, kEncoderModeProbe, &error);
    if (launch == EncoderJobs::Launch::kStarted) {
        items_[index].state = State::kRunning;
        return true;
    }
    if (slot >= 0) slotItem_[slot] = -1;
    if (launch == EncoderJobs::Launch::kNoEncoder) {
        *startError = error;
        items_[index].state = State::kNotStarted;
        return false;
    }
    items_[index].state = State::kEnded;  // an unusable probe: the file is reported
    return true;
}

bool ImportProbes::Run(CConverterDlg& dialog, ImportReport& report, uint32_t* startError) {
    const int32_t count = static_cast<int32_t>(items_.size());
    const int32_t slots = JobSlotCount(session_.settings);
    bool started = true;
    EncoderJobs probes(*this);
    int32_t next = 0;
    for (;;) {
        AddResolved(next, dialog, report);
        while (started && next < count && probes.RunningCount() < slots) {
            if (paths_[next].size() > kMaxSourcePathLength) {
                items_[next++].state = State::kPathTooLong;
                continue;
            }
            if (session_.sources.Count() + Pending(next) >= kSourceTableRows) {
                // Only a probe in front that fails can still make room.
                if (AnyRunningBefore(next)) break;
                items_[next++].state = State::kLeftOut;
                continue;
            }
            // The user is told once that the encoder is missing; asking again
            // for every further file would only repeat it.
            started = Start(next, probes, startError);
            if (started) ++next;
        }
        uint32_t exitCode = 0;
        const int32_t slot = probes.WaitForOne(&exitCode);
        if (slot < 0) {
            if (!started || next >= count) break;
            continue;
        }
        Item& item = items_[slotItem_[slot]];
        item.state = State::kEnded;
        item.exitCode = exitCode;
        slotItem_[slot] = -1;
    }
    AddResolved(next, dialog, report);
    return started;
}

}  // namespace

void CConverterDlg::ImportPaths(const std::vector<std::string>& paths) {
    if (m_importing) return;
    m_importing = true;

    static ImportReport report;  // 8 KB: kept off the stack of a nested handler
    report = ImportReport();
    char encoderFolder[kPathCapacity];
    EncoderFolder(encoderFolder, sizeof encoderFolder);
    uint32_t startError = 0;
    std::unique_ptr<ImportProbes> probes(new ImportProbes(paths, encoderFolder, m_session));
    if (!probes->Run(*this, report, &startError)) {
        char text[768];
        ComposeNotStartedText(encoderFolder, startError, text, sizeof text);
        MessageBox(text, nullptr, MB_OK | MB_ICONERROR);
    }

    // The import lasts until its report is read: the boxes' own message loop
    // may still deliver commands to this window.
    static char text[kImportMessageCapacity];
    if (report.OneBox()) {
        // A folder of unusable files gets one box, not one per file.
        static char list[kProblemListCapacity];
        report.ComposeProblemList(paths, EllipsisText(), list, sizeof list);
        MessageBox(list, nullptr, report.Has(ImportProblem::kPathTooLong) ? MB_OK | MB_ICONWARNING : MB_OK);
    } else {
        for (int32_t i = 0; i < report.ProblemCount(); ++i) {
            ImportProblem problem = report.Problem(i);
            ImportReport::ComposeProblemText(problem, paths[report.SelectionIndex(i)].c_str(), text, sizeof text);
            MessageBox(text, nullptr, problem == ImportProblem::kPathTooLong ? MB_OK | MB_ICONWARNING : MB_OK);
        }
    }
    if (report.LeftOutCount() > 0) {
        report.ComposeLeftOutText(text, sizeof text);
        MessageBox(text, nullptr, MB_OK | MB_ICONWARNING);
    }
    m_importing = false;
}
