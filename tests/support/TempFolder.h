// A fresh folder under the temporary directory, removed with its contents when
// the object goes. Tests create real files in it.
#pragma once
#include <windows.h>
#include "framework/CString.h"

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending with a backslash.
    const CString& Path() const { return m_path; }
    // Path() + relative name.
    CString operator/(LPCWSTR name) const { return m_path + name; }
    // Creates a file (and its folders) holding the given bytes; returns its path.
    CString WriteFile(LPCWSTR name, const char* content = "x") const;
    // Creates a folder below this one; returns its path with a trailing backslash.
    CString MakeDir(LPCWSTR name) const;

private:
    CString m_path;
};

// Removes a folder tree, clearing read-only attributes on the way.
void RemoveTree(const CString& path);
// Whether the file or folder exists.
bool PathExists(const CString& path);
