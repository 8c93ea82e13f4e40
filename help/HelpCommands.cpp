#include "help/HelpCommands.h"

#include <windows.h>

#include "help/AboutDlg.h"
#include "help/HelpConfig.h"
#include "help/HtmlHelpLauncher.h"
#include "help/LinkText.h"
#include "help/OpenLink.h"
#include "help/ProgramFilePath.h"
#include "help/TipDlg.h"

namespace {

const UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC

}  // namespace

void HelpShowContent() {
  char exePath[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, exePath, sizeof exePath);
  if (length == 0 || length >= sizeof exePath) return;
  char folder[MAX_PATH];
  char topic[kHelpTopicSize];
  if (!BuildProgramFilePath(exePath, "", folder, sizeof folder) ||
      !BuildHelpTopicPath(folder, topic, sizeof topic)) {
    return;
  }
  CallHtmlHelp(nullptr, topic, kDisplayTopic, 0);
}

void HelpShowAbout(const char* versionText) {
  CAboutDlg about(versionText);
  about.DoModal();
}

void HelpOpenHomePage() { OpenLink(kHomePageAddress, SW_SHOW); }

void HelpShowTipOfTheDay() {
  CTipDlg tip;
  tip.DoModal();
}
