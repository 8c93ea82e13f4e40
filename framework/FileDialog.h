// CFileDialog: the platform's file-open (or save) dialog, explorer style.
//
//   char names[2048] = "";
//   CFileDialog dlg(TRUE, "*.avi", nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
//                   "AVI file (*.avi)|*.avi||", this);
//   dlg.m_ofn.lpstrTitle = "Import video files";
//   dlg.SetFileBuffer(names, sizeof names);
//   if (dlg.DoModal() == IDOK) {
//       FileSelection files = dlg.GetSelection();
//       char path[256];
//       while (files.Next(path, sizeof path)) ...
//   }
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "framework/FileSelection.h"

class CWnd;

class CFileDialog {
public:
    // `filter` in the "text|pattern|...||" form; OFN_EXPLORER is always added.
    CFileDialog(BOOL openFileDialog, const char* defaultExt = nullptr,
                const char* fileName = nullptr, DWORD flags = 0, const char* filter = nullptr,
                CWnd* parent = nullptr);

    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // The caller's buffer receives the selection; without one the dialog uses
    // its own of MAX_PATH characters. The initial file name is copied into it.
    void SetFileBuffer(char* buffer, DWORD size);

    // IDOK or IDCANCEL (also when the dialog fails, e.g. the buffer is too
    // small; CommDlgExtendedError tells why).
    INT_PTR DoModal();

    // The selected paths (valid while the buffer is).
    FileSelection GetSelection() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_openFileDialog;
    char m_filter[1024];
    char m_ownBuffer[MAX_PATH];
    const char* m_initialName;
};
