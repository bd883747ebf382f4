// Resource numbers of the dialog tests' own templates (DialogsTest.rc).
#pragma once
#define IDD_TEST_TITLE     300
#define IDD_TEST_NO_TITLE  301
#define IDD_TEST_RESIZING  310
#define IDC_TEST_EDIT      1001
#define IDC_TEST_PANEL     1002
#define IDC_TEST_UPPER     1003
#define IDC_TEST_LOWER     1004
#define IDS_TEST_NETWORK   400
#define IDD_TEST_SMALL     320
#define IDC_TEST_LINK      1010
#define IDC_TEST_ICON      1011
#define IDC_TEST_DATA_LINK 1012
#define IDC_TEST_HOTKEY    1013
#define IDC_TEST_RESETABLE 1014
#define IDC_TEST_LONG      1015
#define IDC_TEST_PATH      1016
#define IDC_TEST_COMBO     1017
#define IDC_TEST_PLAIN     1018
