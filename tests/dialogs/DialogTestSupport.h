// What the dialog tests share: the layout key of their own, the language
// resource libraries beside the program, and small window helpers.
#pragma once
#include <windows.h>
#include <string>
#include <gtest/gtest.h>
#include "dialogs/CRegistryKey.h"
#include "framework/Framework.h"

// The application key of the tests ("Software\MORVA\MorvaCommonTests").
extern const WCHAR kTestApplicationKey[];

// Points the dialogs at the tests' application key and removes that key
// before and after each test.
class LayoutKeyTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Full path of the test key's sub-key below HKEY_CURRENT_USER.
    static CString KeyPath(LPCWSTR subKey = nullptr);
    // Whether that key exists (opened without creating it).
    static bool KeyExists(LPCWSTR subKey = nullptr);
    static void WriteValue(LPCWSTR subKey, LPCWSTR name, DWORD type, const void* data, DWORD size);
    static void WriteString(LPCWSTR subKey, LPCWSTR name, LPCWSTR text);
    static CString ReadString(LPCWSTR subKey, LPCWSTR name);
    // -1 when missing.
    static long long ReadDword(LPCWSTR subKey, LPCWSTR name);
    // Layout\Screen<w>x<h>\<name>
    static CString LayoutKey(LPCWSTR layoutName);
};

// The culture's resource library beside the program, loaded once per process.
HMODULE LanguageLibrary(LPCWSTR culture);
// The test program's own module (DialogsTest.rc).
inline HMODULE TestModule() { return GetModuleHandleW(nullptr); }
// Window rectangle of a dialog's control, in the dialog's client coordinates.
CRect ControlRect(HWND dialog, int id);
// UTF-8 of a text, for failure messages.
std::string Narrow(LPCWSTR text);
// Runs the messages waiting for this thread.
void PumpMessages();
