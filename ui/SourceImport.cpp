// CConverterDlg's import: the file dialog, one probe per chosen file (AVI and
// ISO media headers read here, other files by the encoder, up to
// JobSlotCount probes at once), a row for each file that
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
#include "run/ImportProbes.h"
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

// "…" in the active code page: UTF-8 where the manifest's code page is
// honoured, else the code page's own ellipsis, else three dots.
const char* EllipsisText() {
    static char text[8] = "";
    if (text[0] != '\0')
        return text;
    BOOL missing = FALSE;
    const wchar_t ellipsis = 0x2026;
    const UINT codePage = GetACP();
    const int length = WideCharToMultiByte(codePage, 0, &ellipsis, 1, text, sizeof text - 1,
                                           nullptr, codePage == CP_UTF8 ? nullptr : &missing);
    if (length <= 0 || missing) {
        std::snprintf(text, sizeof text, "...");
    } else {
        text[length] = '\0';
    }
    return text;
}

} // namespace

void CConverterDlg::ImportFiles() {
    if (RefuseWhileBusy())
        return;
    char names[kSelectionCapacity] = "";
    // A sound-only format also takes files with sound and no picture.
    const bool withSound = IsAudioFormat(m_session.settings.outputFormat);
    CFileDialog dlg(TRUE, kImportDefaultExtension, nullptr, kImportFlags,
                    ImportFilterText(withSound), this);
    dlg.m_ofn.lpstrTitle = "Import video files";
    dlg.SetFileBuffer(names, sizeof names);
    CWinApp* app = AfxGetApp();
    if (app != nullptr)
        dlg.m_ofn.nFilterIndex =
            ValidImportFilter(app->GetProfileInt(kImportSection, kFilterKey, kAviFilter), withSound);
    if (dlg.DoModal() != IDOK) {
        // The platform refuses a selection whose names do not fit the buffer.
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
            MessageBox("Too many files were selected at once. Please add them in smaller groups.",
                       nullptr, MB_OK | MB_ICONWARNING);
        }
        return;
    }
    if (app != nullptr)
        app->WriteProfileInt(kImportSection, kFilterKey,
                             ValidImportFilter(static_cast<int>(dlg.m_ofn.nFilterIndex), withSound));
    ImportSelection(names, sizeof names);
}

void CConverterDlg::ImportSelection(const char* selection, size_t size) {
    if (m_importing || selection == nullptr)
        return;
    std::vector<std::string> paths;
    FileSelection files(selection, size);
    static char fullPath[kFullPathCapacity];
    while (files.Next(fullPath, sizeof fullPath))
        paths.push_back(fullPath);
    ImportPaths(paths);
}

void CConverterDlg::ImportPaths(const std::vector<std::string>& paths) {
    if (m_importing)
        return;
    m_importing = true;

    static ImportReport report; // 8 KB: kept off the stack of a nested handler
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
        MessageBox(list, nullptr,
                   report.Has(ImportProblem::kPathTooLong) ? MB_OK | MB_ICONWARNING : MB_OK);
    } else {
        for (int32_t i = 0; i < report.ProblemCount(); ++i) {
            ImportProblem problem = report.Problem(i);
            ImportReport::ComposeProblemText(problem, paths[report.SelectionIndex(i)].c_str(), text,
                                             sizeof text);
            MessageBox(text, nullptr,
                       problem == ImportProblem::kPathTooLong ? MB_OK | MB_ICONWARNING : MB_OK);
        }
    }
    if (report.LeftOutCount() > 0) {
        report.ComposeLeftOutText(text, sizeof text);
        MessageBox(text, nullptr, MB_OK | MB_ICONWARNING);
    }
    m_importing = false;
}
