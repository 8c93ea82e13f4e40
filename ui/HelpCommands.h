// The Help menu's commands, for the main dialog's command table:
//   ID_HELP_CONTENT        -> HelpShowContent()
//   ID_HELP_ABOUT and the system-menu command IDM_ABOUTBOX -> HelpShowAbout(VersionText())
//   ID_HELP_HOME_PAGE      -> HelpOpenHomePage()
//   ID_HELP_TIP_OF_THE_DAY -> HelpShowTipOfTheDay()
#pragma once

// Opens the overview topic of help.chm beside the program. Shows nothing when
// the help viewer is missing or the path is too long.
void HelpShowContent();

// Runs the About box modally with the version text of version.ini.
void HelpShowAbout(const char* versionText);

// Opens the home page; a failure is not reported.
void HelpOpenHomePage();

// Runs the Tip of the Day modally, whatever its start-up setting says.
void HelpShowTipOfTheDay();
