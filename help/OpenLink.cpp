#include "help/OpenLink.h"

#include <shellapi.h>

#include <cstdio>

#include "framework/WinApp.h"
#include "help/LinkText.h"

namespace {

// Reads the default value of HKEY_CLASSES_ROOT\`subKey` (260 characters at
// most, always terminated). False when the key or value cannot be read.
bool ReadClassesDefault(const char* subKey, char* value, DWORD size) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  DWORD type = 0;
  DWORD bytes = size - 1;
  LONG status = RegQueryValueExA(key, nullptr, nullptr, &type,
                                 reinterpret_cast<BYTE*>(value), &bytes);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  value[bytes < size ? bytes : size - 1] = '\0';
  return true;
}

}  // namespace

INT_PTR OpenLink(const char* target, int showCommand) {
  INT_PTR result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(nullptr, "open", target, nullptr, nullptr, showCommand));
  if (result > 32) return result;

  // No handler for the target itself: hand it to whatever opens web pages.
  const DWORD kValueSize = MAX_PATH;
  char fileType[MAX_PATH];
  if (!ReadClassesDefault(".htm", fileType, kValueSize)) return result;
  char key[MAX_PATH + 32];
  std::snprintf(key, sizeof key, "%s\\shell\\open\\command", fileType);
  char openCommand[MAX_PATH];
  if (!ReadClassesDefault(key, openCommand, kValueSize)) return result;

  char commandLine[kLinkCommandSize];
  if (!BuildHtmOpenCommand(openCommand, target, commandLine, sizeof commandLine)) return result;
  return static_cast<INT_PTR>(WinExec(commandLine, static_cast<UINT>(showCommand)));
}

void ReportLinkError(INT_PTR code) {
  AfxMessageBox(LinkErrorMessage(static_cast<int>(code)).c_str(), MB_ICONEXCLAMATION | MB_OK);
}
