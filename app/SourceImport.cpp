// CConverterDlg's import: the file dialog, one probe per chosen file through
// the encoder, a row for each file that probed well, and afterwards one box
// per file that could not be added.
#include <windows.h>
#include <cderr.h>
#include <commdlg.h>

#include <cstdio>

#include "app/ConverterDlg.h"
#include "app/ImportReport.h"
#include "app/SourceListRows.h"
#include "engine/BatchRun.h"
#include "engine/ConversionSettings.h"
#include "engine/OutputFormat.h"
#include "engine/OutputNaming.h"
#include "engine/ProgramFolder.h"
#include "engine/RunState.h"
#include "engine/SourceTable.h"
#include "framework/FileDialog.h"
#include "framework/FileSelection.h"

namespace {

constexpr char kImportFilter[] = "AVI file (*.AVI,*.DivX,*.div,*.Xvid)|*.avi;*.divx;*.div;*.xvid||";
constexpr char kImportDefaultExtension[] = "*.avi;*.divx;*.div;*.xvid;";
constexpr DWORD kImportFlags = OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
constexpr DWORD kSelectionCapacity = 2048;

// A selection path can be as long as the whole selection buffer.
constexpr size_t kFullPathCapacity = kSelectionCapacity + 2;

// Path number `index` of the selection, whole.
bool SelectionPath(const char* selection, size_t size, int32_t index, char* out, size_t outSize) {
    FileSelection files(selection, size);
    for (int32_t i = 0; files.Next(out, outSize); ++i) {
        if (i == index) return true;
    }
    out[0] = '\0';
    return false;
}

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
    CFileDialog dlg(TRUE, kImportDefaultExtension, nullptr, kImportFlags, kImportFilter, this);
    dlg.m_ofn.lpstrTitle = "Import video files";
    dlg.SetFileBuffer(names, sizeof names);
    if (dlg.DoModal() != IDOK) {
        // The platform refuses a selection whose names do not fit the buffer.
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
            MessageBox("Too many files were selected at once. Please add them in smaller groups.",
                       nullptr, MB_OK | MB_ICONWARNING);
        }
        return;
    }
    ImportSelection(names, sizeof names);
}

void CConverterDlg::ImportSelection(const char* selection, size_t size) {
    if (m_importing || selection == nullptr) return;
    m_importing = true;

    static ImportReport report;  // 8 KB: kept off the stack of a nested handler
    report = ImportReport();
    FileSelection files(selection, size);
    char path[kPathCapacity];
    size_t fullLength = 0;
    bool truncated = false;
    for (int32_t index = 0; files.Next(path, sizeof path, &fullLength, &truncated); ++index) {
        if (truncated || fullLength > kMaxSourcePathLength) {
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
        if (!run.Ran() || !ProbeSucceeded(g_sourceTable, g_runState) || !AddRow(path)) {
            report.Add(index, ImportProblem::kProbeFailed);
        }
    }

    // The import lasts until its report is read: the boxes' own message loop
    // may still deliver commands to this window.
    static char fullPath[kFullPathCapacity];
    static char text[kImportMessageCapacity];
    for (int32_t i = 0; i < report.ProblemCount(); ++i) {
        SelectionPath(selection, size, report.SelectionIndex(i), fullPath, sizeof fullPath);
        ImportProblem problem = report.Problem(i);
        ImportReport::ComposeProblemText(problem, fullPath, text, sizeof text);
        MessageBox(text, nullptr,
                   problem == ImportProblem::kProbeFailed ? MB_OK : MB_OK | MB_ICONWARNING);
    }
    if (report.LeftOutCount() > 0) {
        report.ComposeLeftOutText(text, sizeof text);
        MessageBox(text, nullptr, MB_OK | MB_ICONWARNING);
    }
    m_importing = false;
}
