#include "app/ConverterApp.h"

#include <objbase.h>

#include "app/ConverterDlg.h"
#include "app/Skin.h"
#include "framework/CommandLineInfo.h"
#include "help/TipDlg.h"

namespace {

// The media-player component that is registered at every start.
constexpr char kComponentFile[] = "Vidrel.ocx";
constexpr char kComponentRegistration[] = "regsvr32.exe Vidrel.ocx /s";

}  // namespace

CConverterApp theApp;

CConverterApp::CConverterApp() : CWinApp(nullptr) {}

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
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
    }

    if (SUCCEEDED(com)) CoUninitialize();
    return FALSE;
}

int CConverterApp::ExitInstance() {
    SkinRelease();
    return CWinApp::ExitInstance();
}

void CConverterApp::StartComponentRegistration() {
    // Only where the component is installed: the registration tool would only
    // fail silently otherwise. Never waited for, its result never read.
    char found[MAX_PATH];
    if (SearchPathA(nullptr, kComponentFile, nullptr, MAX_PATH, found, nullptr) == 0) return;
    WinExec(kComponentRegistration, SW_HIDE);
}

void CConverterApp::ShowStartupTip() {
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!commandLine.m_bShowSplash) return;
    CTipDlg tip(nullptr);
    if (tip.m_bStartup) tip.DoModal();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand) {
    return AfxWinMain(instance, previous, commandLine, showCommand);
}
