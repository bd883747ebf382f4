// Resource numbers of the list example (read by the resource script too).
#pragma once
#define IDD_FILES 100
#define IDC_FILES 101
