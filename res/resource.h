// Resource identifiers of Tarvello.rc. The numbers are fixed: the settings
// dialogs, menus and tests address controls by them, so never renumber.
// This header is read by windres too: keep it to plain #define lines.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_CONVERTER_DIALOG 102
#define IDD_PROGRESS 130
#define IDD_TIP 137
#define IDD_OUTPUT_SETTINGS 166
#define IDD_TARGET_SIZE 170
#define IDD_COUNTDOWN 190

// Strings
#define IDS_ABOUTBOX 101 // "&About Tarvello..." (system menu)
#define IDS_TIP_FILE_ABSENT 102
#define IDS_TIP_FILE_ERROR 103
#define IDS_TIP_DID_YOU_KNOW 104

// Icons (sizes held by each resource in brackets)
#define IDR_MAINFRAME 128     // application [16, 24, 32, 48]
#define IDI_LIST_ADD 145      // side bar add [16, 32]
#define IDI_LIST_REMOVE 146   // side bar remove [16, 32]
#define IDI_LIST_UP 147       // side bar move up [16, 32]
#define IDI_LIST_DOWN 148     // side bar move down [16, 32]
#define IDI_HELP_TOOL 150     // toolbar help [16, 24, 32, 48]
#define IDI_ADD_TOOL 160      // toolbar add [48]
#define IDI_CONVERT_TOOL 162  // toolbar convert [48]
#define IDI_SETTINGS_TOOL 165 // toolbar settings [48]

// Bitmap: the light bulb of the Tip of the Day panel (40 x 53, 16 colours)
#define IDB_LIGHTBULB 138
#define IDB_LIGHTBULB_150 139 // for 150 % display scale
#define IDB_LIGHTBULB_200 140 // for 200 %

// Menus (each holds one popup)
#define IDR_HELP_MENU 136
#define IDR_LIST_MENU 144

// Menu commands
#define IDM_ABOUTBOX 16 // system menu item, appended at run time
#define ID_HELP_CONTENT 32771
#define ID_HELP_ABOUT 32772
#define ID_HELP_HOME_PAGE 32773
#define ID_HELP_TIP_OF_THE_DAY 32774
#define ID_LIST_ADD_FILES 32775
#define ID_LIST_REMOVE_FILE 32776
#define ID_LIST_MOVE_UP 32777
#define ID_LIST_MOVE_DOWN 32778
#define ID_LIST_CONVERT_NOT_DONE 32779
#define ID_LIST_SHOW_LOG 32780

// Main dialog (IDD_CONVERTER_DIALOG)
#define IDC_TOOL_CONVERT 1000
#define IDC_TOOL_SETTINGS 1001
#define IDC_TOOL_ADD 1002
#define IDC_TOOL_HELP 1003
#define IDC_SOURCE_LIST 1006
#define IDC_OUTPUT_FOLDER 1018
#define IDC_CHANGE_FOLDER 1019
#define IDC_OUTPUT_BESIDE_SOURCE 1090
#define IDC_LIST_ADD 1025
#define IDC_LIST_REMOVE 1026
#define IDC_LIST_UP 1027
#define IDC_LIST_DOWN 1028
#define IDC_MAIN_FORMAT 1066
#define IDC_MAIN_TV_MODE 1067
#define IDC_MAIN_ASPECT 1069
#define IDC_SETTINGS 1079
#define IDC_CONVERT 1080

// Progress dialog (IDD_PROGRESS)
#define IDC_PROGRESS_TEXT 1032
#define IDC_PROGRESS_BAR 1033
#define IDC_PROGRESS_CANCEL 1034

// Tip of the Day (IDD_TIP)
#define IDC_TIP_TEXT 1042
#define IDC_TIP_STARTUP 1043
#define IDC_TIP_NEXT 1044
#define IDC_TIP_PANEL 1045

// About box (IDD_ABOUTBOX)
#define IDC_ABOUT_VERSION 1046
#define IDC_ABOUT_HOME_PAGE 1047
#define IDC_ABOUT_SUPPORT 1049

// Output Settings (IDD_OUTPUT_SETTINGS); 1066 to 1069 mean other things here
// than in the main dialog
#define IDC_SET_FORMAT 1066
#define IDC_SET_QUALITY 1067
#define IDC_SET_VIDEO_CODEC 1068
#define IDC_SET_AUDIO_CODEC 1069
#define IDC_SET_RESOLUTION 1070
#define IDC_SET_FRAME_RATE 1071
#define IDC_SET_LETTERBOX 1072
#define IDC_SET_VOLUME 1073
#define IDC_SET_VOLUME_TEXT 1074
#define IDC_SET_TV_MODE 1077
#define IDC_SET_ASPECT 1078
#define IDC_SET_SPEED 1081
#define IDC_SET_SIMULTANEOUS 1082
// Fit to a size: the Size list, what it applies to, the note on quality.
#define IDC_SET_TARGET_SIZE 1095
#define IDC_SET_TARGET_APPLIES 1096
#define IDC_SET_TARGET_NOTE 1097
// The sample rate of the sound-only formats.
#define IDC_SET_SAMPLE_RATE 1100
// The size typed after "Other..." (IDD_TARGET_SIZE).
#define IDC_TARGET_SIZE_EDIT 1098

// What follows a finished run: its list in Output Settings, and the text of
// the countdown before a sleep or shut down (IDD_COUNTDOWN), whose Stop
// button is IDCANCEL.
#define IDC_SET_WHEN_DONE 1110
#define IDC_COUNTDOWN_TEXT 1111
