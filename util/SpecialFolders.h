// Where the special directory ids of CFileName point. Internal to the library:
// hosts reach these folders through CFileName::SetDirectory.
#pragma once
#include <windows.h>
#include "framework/CString.h"

// Key below HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE where a host's installer
// records its installation folders, one REG_SZ value per id named "%d".
constexpr const wchar_t* kInstalledFoldersKey = L"Software\\MORVA\\Folders";

// The folder a special id stands for, or the given path for any other id (an
// empty string for a null path). The result is not normalised.
CString ResolveSpecialFolder(int folderId, LPCWSTR path);

// Current directory, temporary folder and the folder of the host's executable
// (with a trailing backslash), however long they are; empty on failure.
CString GetCurrentDirectoryText();
CString GetTempFolderText();
CString GetHostFolderText();
