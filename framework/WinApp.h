// CWinApp: the one application object of the process (construct exactly one,
// as a global), its start-up and exit routines, its name, main window and
// per-application profile store.
//
//   class CConverterApp : public CWinApp { BOOL InitInstance() override; ... };
//   CConverterApp theApp;
//   int WINAPI WinMain(HINSTANCE i, HINSTANCE p, LPSTR c, int s) { return AfxWinMain(i, p, c, s); }
//
// Profile store: a private INI file named after the executable ("<name>.ini").
// It lives beside the executable when that folder can be written (an existing
// file there can be opened for writing, or a new file can be created there);
// otherwise in "%APPDATA%\<user folder name>\" (the folder is created; the
// name is the application's unless it sets one). The choice is made once, at
// the first profile call.
#pragma once

#include <windows.h>

#include "framework/CommandLineInfo.h"

class CWnd;

class CWinApp {
public:
    // `appName` null: the executable's file name without its extension.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up routine. TRUE runs the message loop (Run) before ExitInstance;
    // FALSE goes straight to ExitInstance.
    virtual BOOL InitInstance() { return TRUE; }
    // Exit routine; its result is the process exit code (0, or the WM_QUIT
    // code when Run ran).
    virtual int ExitInstance();
    // Message loop until WM_QUIT, with PreTranslateMessage.
    virtual int Run();

    // Flags from the command line (only /Embedding and /Automation matter).
    void ParseCommandLine(CCommandLineInfo& info) const;

    // Profile store (section/key names case-insensitive, values decimal text).
    int GetProfileInt(const char* section, const char* entry, int defaultValue);
    BOOL WriteProfileInt(const char* section, const char* entry, int value);
    // Copies the value (or `defaultValue`) into `buffer`; returns its length.
    DWORD GetProfileString(const char* section, const char* entry, const char* defaultValue,
                           char* buffer, DWORD size);
    BOOL WriteProfileString(const char* section, const char* entry, const char* value);
    // Full path of the profile file (resolved on first use).
    const char* GetProfilePath();
    // Uses `path` from now on (tests; a caller that wants its own file).
    void SetProfilePath(const char* path);
    // The folder under %APPDATA% that holds the profile file when the
    // executable's folder cannot be written (default: the application's name).
    void SetUserFolderName(const char* name);

    // Chooses the profile file: "<exeFolder><appName>.ini" when exeFolder can
    // be written, else "<userFolder>\<appName>.ini" (creating that folder).
    // exeFolder ends with a backslash; userFolder may be null or empty (then
    // the file stays beside the executable). FALSE when the path does not fit
    // into `size`.
    static BOOL ChooseProfilePath(const char* exeFolder, const char* appName,
                                  const char* userFolder, char* out, size_t size);

    HINSTANCE m_hInstance;
    const char* m_pszAppName; // points into m_appName
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    CWnd* m_pMainWnd;

private:
    friend int AfxWinMain(HINSTANCE, HINSTANCE, LPSTR, int);
    char m_appName[MAX_PATH];
    char m_userFolderName[MAX_PATH] = "";
    char m_exeFolder[MAX_PATH]; // with final backslash
    char m_profilePath[MAX_PATH];
    int m_exitCode;
};

CWinApp* AfxGetApp();
// The application name; without an application object the executable's name.
const char* AfxGetAppName();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// Message box owned by the main window's active popup; caption = application name.
int AfxMessageBox(const char* text, UINT type = MB_OK);
int AfxMessageBox(UINT stringId, UINT type = MB_OK); // text from the string table
// Registers the common control classes once per process (list view, track
// bar, progress bar, tooltips); dialogs and tooltips call it before creation.
void AfxInitCommonControls();
// Entry point body: InitInstance, Run when it returned TRUE, ExitInstance.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int cmdShow);
