#include "ui/HelpCommands.h"

#include <windows.h>

#include "ui/AboutDlg.h"
#include "ui/HelpConfig.h"
#include "ui/HtmlHelpLauncher.h"
#include "core/LinkText.h"
#include "ui/OpenLink.h"
#include "framework/ProgramFilePath.h"
#include "ui/TipDlg.h"

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
