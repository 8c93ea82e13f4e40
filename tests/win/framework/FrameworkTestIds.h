// Resource ids of the framework tests' dialog, menu and string.
#pragma once

#define IDD_FW_TEST 300
#define IDM_FW_TEST 301
#define IDS_FW_TEXT 302

#define IDC_PLAIN 1101
#define IDC_REFLECT 1102
#define IDC_REFLECT_EX 1103
#define IDC_OWNER 1104
#define IDC_LABEL 1105
#define IDC_OTHER_LABEL 1106
#define IDC_CHECK 1107
#define IDC_EDIT 1108
#define IDC_LIST 1109
#define IDC_COMBO 1110
#define IDC_PROGRESS 1111
#define IDC_SLIDER 1112

#define IDM_ONE 40001
#define IDM_TWO 40002
