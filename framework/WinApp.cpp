#include "framework/WinApp.h"

#include "framework/SettingsLocation.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Wnd.h"

namespace {

CWinApp* g_app = nullptr; // the one application object

// The executable's folder (with final backslash) and its name without the
// extension. Empty texts when the path cannot be read in full.
void ReadModuleNames(char* folder, size_t folderSize, char* name, size_t nameSize) {
    folder[0] = '\0';
    name[0] = '\0';
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return;
    const char* slash = strrchr(path, '\\');
    const char* file = slash != nullptr ? slash + 1 : path;
    snprintf(folder, folderSize, "%.*s", (int)(file - path), path);
    const char* dot = strrchr(file, '.');
    int nameLength = dot != nullptr ? (int)(dot - file) : (int)strlen(file);
    snprintf(name, nameSize, "%.*s", nameLength, file);
}

} // namespace

CWinApp::CWinApp(const char* appName)
    : m_hInstance(GetModuleHandleA(nullptr)), m_pszAppName(m_appName), m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL), m_pMainWnd(nullptr), m_exitCode(0) {
    char name[MAX_PATH];
    ReadModuleNames(m_exeFolder, sizeof m_exeFolder, name, sizeof name);
    snprintf(m_appName, sizeof m_appName, "%s", appName != nullptr ? appName : name);
    m_profilePath[0] = '\0';
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::ExitInstance() {
    return m_exitCode;
}

int CWinApp::Run() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1)
            break;
        if (!CWnd::PreTranslateMessageChain(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (got == 0)
        m_exitCode = (int)msg.wParam;
    return ExitInstance();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) const {
    info.ParseArguments(__argc, __argv);
}

BOOL CWinApp::ChooseProfilePath(const char* exeFolder, const char* appName, const char* userFolder,
                                char* out, size_t size) {
    int n = snprintf(out, size, "%s%s.ini", exeFolder, appName);
    bool besideFits = n >= 0 && (size_t)n < size;
    if (besideFits && CanWriteFile(out))
        return TRUE;
    if (userFolder != nullptr && userFolder[0] != '\0') {
        CreateDirectoryA(userFolder, nullptr); // may exist already
        const char* sep = userFolder[strlen(userFolder) - 1] == '\\' ? "" : "\\";
        n = snprintf(out, size, "%s%s%s.ini", userFolder, sep, appName);
        if (n >= 0 && (size_t)n < size)
            return TRUE;
    }
    // No usable fallback: stay beside the executable (writes then fail quietly).
    n = snprintf(out, size, "%s%s.ini", exeFolder, appName);
    return besideFits;
}

const char* CWinApp::GetProfilePath() {
    if (m_profilePath[0] == '\0') {
        char userFolder[MAX_PATH];
        UserDataFolder(m_userFolderName[0] != '\0' ? m_userFolderName : m_appName, userFolder,
                       sizeof userFolder);
        char name[MAX_PATH];
        char folder[MAX_PATH];
        ReadModuleNames(folder, sizeof folder, name, sizeof name);
        if (!ChooseProfilePath(folder, name[0] ? name : m_appName, userFolder, m_profilePath,
                               sizeof m_profilePath))
            m_profilePath[0] = '\0';
    }
    return m_profilePath;
}

void CWinApp::SetUserFolderName(const char* name) {
    snprintf(m_userFolderName, sizeof m_userFolderName, "%s", name != nullptr ? name : "");
}

void CWinApp::SetProfilePath(const char* path) {
    snprintf(m_profilePath, sizeof m_profilePath, "%s", path != nullptr ? path : "");
}

int CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) {
    const char* path = GetProfilePath();
    if (path[0] == '\0')
        return defaultValue;
    return (int)GetPrivateProfileIntA(section, entry, defaultValue, path);
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) {
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    return WriteProfileString(section, entry, text);
}

DWORD CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue,
                                char* buffer, DWORD size) {
    if (size == 0)
        return 0;
    const char* path = GetProfilePath();
    if (path[0] == '\0') {
        snprintf(buffer, size, "%s", defaultValue != nullptr ? defaultValue : "");
        return (DWORD)strlen(buffer);
    }
    return GetPrivateProfileStringA(section, entry, defaultValue != nullptr ? defaultValue : "",
                                    buffer, size, path);
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value) {
    const char* path = GetProfilePath();
    if (path[0] == '\0')
        return FALSE;
    return WritePrivateProfileStringA(section, entry, value, path);
}

CWinApp* AfxGetApp() {
    return g_app;
}

const char* AfxGetAppName() {
    if (g_app != nullptr)
        return g_app->m_pszAppName;
    static char name[MAX_PATH];
    if (name[0] == '\0') {
        char folder[MAX_PATH];
        ReadModuleNames(folder, sizeof folder, name, sizeof name);
    }
    return name;
}

CWnd* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app != nullptr ? g_app->m_hInstance : GetModuleHandleA(nullptr);
}

int AfxMessageBox(const char* text, UINT type) {
    HWND owner = CWnd::GetSafeOwner(nullptr);
    return MessageBoxA(owner, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT stringId, UINT type) {
    char text[1024];
    if (LoadStringA(AfxGetInstanceHandle(), stringId, text, sizeof text) <= 0)
        text[0] = '\0';
    return AfxMessageBox(text, type);
}

void AfxInitCommonControls() {
    static bool done = false;
    if (done)
        return;
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    done = InitCommonControlsEx(&classes) != FALSE;
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int cmdShow) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = cmdLine;
    app->m_nCmdShow = cmdShow;
    if (!app->InitInstance())
        return app->ExitInstance();
    return app->Run();
}
