// CConverterDlg: the main window (template 102). It shows the source list,
// the output folder and the three most used conversion choices, and its
// buttons and menus start every action: import, removal and reordering of
// sources, the batch conversion, the Output Settings dialog and the Help
// menu.
//
// The constructor loads option.ini and version.ini; the destructor saves
// option.ini, however the dialog was closed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/SourceList.h"
#include "ui/ImageButton.h"
#include "run/BatchRun.h"
#include "run/ImportProbes.h"
#include "ui/ProgressDlg.h"
#include "framework/ProgramFolder.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "core/ListFile.h"

class CConverterDlg : public CDialog, private BatchHost, public ImportHost {
public:
    explicit CConverterDlg(CWnd* parent = nullptr);
    ~CConverterDlg() override;

    // --- the source list (SourceImport.cpp, SourceList.cpp) ---
    void ImportFiles();
    // Imports the given files as if chosen in the file dialog: `selection` is
    // the dialog's buffer form ("C:\dir\0a.avi\0b.avi\0\0" or one full path).
    void ImportSelection(const char* selection, size_t size);
    // Probes the files in this order and adds a row for each that probes
    // well; one box per refused file afterwards (SourceImport.cpp).
    void ImportPaths(const std::vector<std::string>& paths);
    bool AddRow(const char* path, const SourceRow& facts) override {
        const bool added = m_list.AddRow(path, facts);
        if (added)
            ScheduleListSave();
        return added;
    }
    // A batch of rows is drawn once, at its end: Wine's list view would
    // otherwise redo its layout for every row.
    void BeginRows() override { ::SendMessageA(m_list.GetSafeHwnd(), WM_SETREDRAW, FALSE, 0); }
    void EndRows() override {
        ::SendMessageA(m_list.GetSafeHwnd(), WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_list.GetSafeHwnd(), nullptr, TRUE);
    }
    void RemoveSelected();
    void MoveUp();
    void MoveDown();
    void SwapRows(int selected, int neighbour) { m_list.SwapRows(selected, neighbour); }

    // --- the engine ---
    void ConvertAll();
    // Converts the rows that are not "Done", in list order.
    void ConvertNotDone();
    // The dialog that shows a run's progress (nullptr when it could not be made).
    CProgressDlg* ProgressDialog() override { return m_progressDlg; }

    // --- the conversion choices shown here ---
    void RefreshTvModeList();
    void RefreshAspectList();
    void OpenOutputSettings();
    void ChooseOutputFolder();
    // "Next to each source": outputs go into their sources' folders.
    void OnOutputBesideSource();
    void ShowHelpMenu();

    // What the window works on: the conversion choices and the sources.
    Session& GetSession() { return m_session; }

    // True while an import is probing files; commands that would disturb it
    // are refused meanwhile.
    bool IsImporting() const { return m_importing; }

    // Starts the encoder from `folder` (with its final backslash) instead of
    // the program folder; tests use a scripted stand-in. Null: the program folder.
    void SetEncoderFolder(const char* folder);

    // Keeps the list in the file at `path` (see ui/ListStore.h): restored when
    // the window opens, saved at every change. Set before DoModal; without
    // it the list lives only as long as the window.
    void KeepListIn(const std::string& path) { m_listPath = path; }

    // Controls, in template binding order (public for the tests).
    CComboBox m_aspect;      // 1069
    CComboBox m_tvMode;      // 1067
    CComboBox m_format;      // 1066
    CEdit m_outputFolder;    // 1018
    CImageButton m_change;   // 1019
    CImageButton m_moveUp;   // 1027
    CImageButton m_remove;   // 1026
    CImageButton m_moveDown; // 1028
    CImageButton m_listAdd;  // 1025
    CImageButton m_help;     // 1003
    CImageButton m_add;      // 1002
    CImageButton m_convert;  // 1000
    CImageButton m_settings; // 1001
    CSourceList m_list;      // 1006

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnSelChangeFormat();
    void OnSelChangeTvMode();
    void OnSelChangeAspect();
    void ShowListMenu(NMHDR* nmhdr, LRESULT* result);
    // A row's tip: a failed row's reason.
    void OnListInfoTip(NMHDR* nmhdr, LRESULT* result);
    // Files and folders dropped from Explorer (SourceDrop.cpp).
    void AcceptDroppedFiles();
    LRESULT OnDropFiles(WPARAM wParam, LPARAM lParam);
    void OnHelpContent();
    void OnHelpAbout();
    void OnHelpHomePage();
    void OnHelpTipOfTheDay();
    DECLARE_MESSAGE_MAP()

private:
    // BatchHost
    HWND MainWindow() override { return m_hWnd; }
    void ReadOutputFolder(char* out, size_t size) override;
    void EnableMainWindow(bool enable) override { EnableWindow(enable ? TRUE : FALSE); }
    void EncoderFolder(char* out, size_t size) override;
    void StartFolder(char* out, size_t size) override;
    // Saved before it shows: a row seen as done is done in the file too.
    void RowStateChanged(int32_t row) override {
        SaveListNow();
        m_list.ShowState(row);
    }
    bool CountDown(WhenDoneAction action) override;

    // --- the list's file ---
    void RestoreList();
    // Writes the list when it differs from what was written last.
    void SaveListNow();
    // One save after the rows an import adds in a burst.
    void ScheduleListSave();
    LRESULT OnSaveList(WPARAM, LPARAM);
    // After the window shows: a damaged list file is told, a run that never
    // ended is offered again.
    LRESULT OnAfterStart(WPARAM, LPARAM);
    void ConvertRows(RunRows rows);
    void LogsFolder(char* out, size_t size) override;

    void SetUpImageButtons();
    void CreateProgressDialog();
    // Tells the user that the window is busy importing or converting; true
    // when it is.
    bool RefuseWhileBusy();
    // Shows popup 0 of menu `menuId` at the cursor (or near the client origin
    // for a keyboard request); the list's popup goes through the skin layer.
    // A nonzero `grayedId` is shown grayed.
    void TrackMenu(UINT menuId, bool throughSkin, UINT grayedId = 0);
    // The selected row's log from the last run, when it is there; "" else.
    std::string SelectedRowLog() const;
    // Opens the selected row's log in the system's text viewer.
    void ShowLog();

    Session m_session;
    HICON m_hIcon;
    CProgressDlg* m_progressDlg = nullptr;
    bool m_importing;
    bool m_converting = false;
    char m_encoderFolder[kPathCapacity]; // "" for the program folder
    // The current directory when the program started: a relative output
    // folder is taken from it in every run.
    std::string m_startFolder;

    std::string m_listPath; // "" keeps no file
    std::string m_savedList;
    bool m_listSaveScheduled = false;
    bool m_listSaveFailed = false;
    std::string m_listTrouble; // told after start-up
    ResumeOffer m_resume;
};
