// Resource numbers of the demo host application.
#pragma once
#define IDD_DEMO_FILES 1000
#define IDC_DEMO_FOLDER 1001
#define IDC_DEMO_FILES 1002
#define IDC_DEMO_MESSAGES 1003
#define IDD_DEMO_FOLDERS 1010
#define IDC_DEMO_TREE 1011
