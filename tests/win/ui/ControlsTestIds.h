// Resource ids of the image button tests.
#pragma once

#define IDD_BUTTONS 400
#define IDI_RED32 401
#define IDI_RED48 402
#define IDI_RED16_32 403
#define IDI_RED_SCALED 404 // 32, 48, 64, 72 and 96 pixels

#define IDC_ADD 1002
#define IDC_CONVERT 1000
#define IDC_SETTINGS 1001
#define IDC_LIST_ADD 1025
#define IDC_LIST_REMOVE 1026
#define IDC_CHANGE 1019
