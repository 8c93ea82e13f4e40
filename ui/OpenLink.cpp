#include "ui/OpenLink.h"

#include <shellapi.h>

#include <cstdio>

#include "framework/WinApp.h"
#include "core/LinkText.h"
#include "framework/RegistryValue.h"

INT_PTR OpenLink(const char* target, int showCommand) {
    INT_PTR result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCommand));
    if (result > 32)
        return result;

    // No handler for the target itself: hand it to whatever opens web pages.
    const DWORD kValueSize = MAX_PATH;
    char fileType[MAX_PATH];
    if (!ReadRegistryDefault(HKEY_CLASSES_ROOT, ".htm", fileType, kValueSize))
        return result;
    char key[MAX_PATH + 32];
    std::snprintf(key, sizeof key, "%s\\shell\\open\\command", fileType);
    char openCommand[MAX_PATH];
    if (!ReadRegistryDefault(HKEY_CLASSES_ROOT, key, openCommand, kValueSize))
        return result;

    char commandLine[kLinkCommandSize];
    if (!BuildHtmOpenCommand(openCommand, target, commandLine, sizeof commandLine))
        return result;
    return static_cast<INT_PTR>(WinExec(commandLine, static_cast<UINT>(showCommand)));
}

void ReportLinkError(INT_PTR code) {
    AfxMessageBox(LinkErrorMessage(static_cast<int>(code)).c_str(), MB_ICONEXCLAMATION | MB_OK);
}
