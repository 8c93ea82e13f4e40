#include "ui/HelpCommands.h"

#include <windows.h>

#include "ui/AboutDlg.h"
#include "ui/HelpConfig.h"
#include "ui/HtmlHelpLauncher.h"
#include "core/LinkText.h"
#include "ui/OpenLink.h"
#include "framework/ProgramFolder.h"
#include "ui/TipDlg.h"

namespace {

const UINT kDisplayTopic = 0; // HH_DISPLAY_TOPIC

} // namespace

void HelpShowContent() {
    char folder[MAX_PATH];
    ProgramFolder(folder, sizeof folder);
    char topic[kHelpTopicSize];
    if (folder[0] == '\0' || !BuildHelpTopicPath(folder, topic, sizeof topic))
        return;
    CallHtmlHelp(nullptr, topic, kDisplayTopic, 0);
}

void HelpShowAbout(const char* versionText) {
    CAboutDlg about(versionText);
    about.DoModal();
}

void HelpOpenHomePage() {
    OpenLink(kHomePageAddress, SW_SHOW);
}

void HelpShowTipOfTheDay() {
    CTipDlg tip;
    tip.DoModal();
}
