// CConverterDlg's import: the file dialog, one probe per chosen file through
// the encoder, a row for each file that probed well, and afterwards one box
// per file that could not be added.
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/ConverterDlg.h"
#include "app/ImportReport.h"
#include "app/SourceListRows.h"
#include "app/VideoFileTypes.h"
#include "encoder/ExitCodes.h"
#include "engine/BatchRun.h"
#include "engine/ConversionSettings.h"
#include "engine/OutputFormat.h"
#include "engine/OutputNaming.h"
#include "engine/ProgramFolder.h"
#include "engine/RunState.h"
#include "engine/SourceTable.h"
#include "framework/FileDialog.h"
#include "framework/FileSelection.h"
#include "framework/WinApp.h"

namespace {

constexpr char kImportDefaultExtension[] = "*.avi;*.divx;*.div;*.xvid;";
constexpr DWORD kImportFlags = OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr DWORD kSelectionCapacity = 2048;

// The filter last used in the dialog, in the application's profile store.
constexpr char kImportSection[] = "Import";
constexpr char kFilterKey[] = "Filter";

// A selection path can be as long as the whole selection buffer.
constexpr size_t kFullPathCapacity = kSelectionCapacity + 2;

// The probe writes nothing, but the encoder still wants an output name; when
// the output folder would make it too long, a bare file name does.
void ProbeOutputPath(const char* sourcePath, char* out, size_t size) {
    if (OutputPathFor(sourcePath, out, size)) return;
    OutputNamingRules noRules;
    if (!ComposeOutputPath("", sourcePath, OutputExtension(g_settings.outputFormat), noRules, out,
                           size)) {
        std::snprintf(out, size, "probe.%s", OutputExtension(g_settings.outputFormat));
    }
}

}  // namespace

void CConverterDlg::ImportFiles() {
    if (RefuseWhileImporting()) return;
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

void CConverterDlg::ImportPaths(const std::vector<std::string>& paths) {
    if (m_importing) return;
    m_importing = true;

    static ImportReport report;  // 8 KB: kept off the stack of a nested handler
    report = ImportReport();
    for (int32_t index = 0; index < static_cast<int32_t>(paths.size()); ++index) {
        const char* path = paths[index].c_str();
        if (paths[index].size() > kMaxSourcePathLength) {
            report.Add(index, ImportProblem::kPathTooLong);
            continue;
        }
        if (!BeginProbe(g_sourceTable, g_runState)) {
            report.AddLeftOut();
            continue;
        }
        char output[kPathCapacity];
        ProbeOutputPath(path, output, sizeof output);
        EncoderRunResult run = RunEncoder(path, output, 0, 0, 1);
        if (run.launch == EncoderLaunch::kNotStarted) {
            // The user has been told that the encoder is missing; asking again
            // for every further file would only repeat it.
            break;
        }
        if (run.Ran() && run.exitCode == kExitNoVideoStream) {
            report.Add(index, ImportProblem::kNoVideo);
        } else if (!run.Ran() || !ProbeSucceeded(g_sourceTable, g_runState) || !AddRow(path)) {
            report.Add(index, ImportProblem::kProbeFailed);
        }
    }

    // The import lasts until its report is read: the boxes' own message loop
    // may still deliver commands to this window.
    static char text[kImportMessageCapacity];
    for (int32_t i = 0; i < report.ProblemCount(); ++i) {
        ImportProblem problem = report.Problem(i);
        ImportReport::ComposeProblemText(problem, paths[report.SelectionIndex(i)].c_str(), text, sizeof text);
        MessageBox(text, nullptr, problem == ImportProblem::kPathTooLong ? MB_OK | MB_ICONWARNING : MB_OK);
    }
    if (report.LeftOutCount() > 0) {
        report.ComposeLeftOutText(text, sizeof text);
        MessageBox(text, nullptr, MB_OK | MB_ICONWARNING);
    }
    m_importing = false;
}
