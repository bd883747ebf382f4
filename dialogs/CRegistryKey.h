// CRegistryKey: one key of the current user's registry below
// "Software\MORVA\<application key>\", where the dialogs keep their layouts.
//
//     CRegistryKey key;
//     if (key.CreateForWriting(L"Layout\\Screen1024x768\\Dlg204") == 0)
//         key.SetString(L"XY", L"10,20");
//
// Opening a sub-key appends it to the path, which never shortens again: one
// wrapper serves one key, and each layout operation uses a fresh wrapper.
// Reading never creates a key; writing creates the missing ones. Results are 0
// for success and Failure otherwise; reads on a wrapper without an open key
// answer their empty or default value.
#pragma once
#include <windows.h>
#include "framework/CString.h"
#include "framework/MorvaApi.h"

class MORVA_API CRegistryKey
{
public:
    enum : DWORD
    {
        Success = 0,
        Failure = 1, // the one failure code: callers test for zero only
    };

    // Construction
    CRegistryKey();
    ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // The application key below "Software\MORVA\" that new wrappers start in,
    // shared by every dialog of the process ("MorvaCommon" unless a host or a
    // test chooses its own).
    static void SetApplicationKey(LPCWSTR name);
    static CString GetApplicationKey();

    // Attributes
    const CString& GetPath() const { return m_strPath; }
    HKEY GetKey() const { return m_hKey; }

    // Operations
    // Closes an open key, appends subKey (when given) and a backslash to the
    // path and opens the path for KEY_READ | extraAccess.
    DWORD OpenForReading(LPCWSTR subKey = nullptr, REGSAM extraAccess = 0);
    // Same path rule; creates the missing keys and opens for KEY_WRITE | extraAccess.
    DWORD CreateForWriting(LPCWSTR subKey = nullptr, REGSAM extraAccess = 0);
    // A REG_SZ value, read whole whatever its length; empty when there is no
    // open key, no value or one of another type.
    CString QueryString(LPCWSTR valueName) const;
    // A REG_DWORD value of four bytes, otherwise nDefault.
    DWORD QueryDword(LPCWSTR valueName, DWORD nDefault) const;
    DWORD SetString(LPCWSTR valueName, LPCWSTR text);
    DWORD SetDword(LPCWSTR valueName, DWORD value);
    void Close();

private:
    void AppendSubKey(LPCWSTR subKey);

    CString m_strPath;        // path below the root, ending with a backslash
    HKEY m_hKey = nullptr;    // the open key, null while none is open
    HKEY m_hRoot;             // HKEY_CURRENT_USER
};
