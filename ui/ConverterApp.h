// CConverterApp: the application object. Its start-up routine prepares the
// process (component registration, skin, Tip of the Day), runs the main
// dialog modally and returns FALSE, so that no further message loop runs; its
// exit routine releases the skinning layer.
#pragma once

#include <windows.h>

#include "framework/WinApp.h"

class CConverterApp : public CWinApp {
public:
    CConverterApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    void StartComponentRegistration();
    void ShowStartupTip();
};
