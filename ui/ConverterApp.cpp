#include "ui/ConverterApp.h"

#include <objbase.h>

#include "ui/ComponentRegistration.h"
#include "ui/ConverterDlg.h"
#include "ui/ListStore.h"
#include "ui/SettingsFile.h"
#include "ui/Skin.h"
#include "framework/ProgramFolder.h"
#include "framework/CommandLineInfo.h"
#include "ui/TipDlg.h"

CConverterApp theApp;

CConverterApp::CConverterApp() : CWinApp(nullptr) {
    SetUserFolderName(kUserFolderName);
}

BOOL CConverterApp::InitInstance() {
    // Hosting controls needs COM on this thread (the folder browser does too).
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    StartComponentRegistration();

    SkinInitialize(m_hInstance, "Demo", 0, 0);
    SkinLoadFromResource(m_hInstance, "BRISKAL_SKIN", "SKINMAGIC");
    SkinApplyToWindows("Dialog");

    ShowStartupTip();

    // Controls get the platform's themed look from the manifest; there is no
    // separate three-dimensional look to switch on.
    {
        // Loads option.ini; its destructor saves it however the dialog ends.
        CConverterDlg dlg;
        dlg.KeepListIn(DefaultListPath());
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }

    if (SUCCEEDED(com))
        CoUninitialize();
    return FALSE;
}

int CConverterApp::ExitInstance() {
    SkinRelease();
    return CWinApp::ExitInstance();
}

void CConverterApp::StartComponentRegistration() {
    // Only the program's own copy: one found anywhere else (the folder the
    // program was started from) would get its registration code run.
    char folder[kPathCapacity];
    ProgramFolder(folder, sizeof folder);
    if (folder[0] != '\0')
        ::StartComponentRegistration(folder);
}

void CConverterApp::ShowStartupTip() {
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!commandLine.m_bShowSplash)
        return;
    CTipDlg tip(nullptr);
    if (tip.m_bStartup)
        tip.DoModal();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    return AfxWinMain(instance, previous, commandLine, showCommand);
}
