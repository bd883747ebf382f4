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
