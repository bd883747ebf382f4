#include "DialogTestSupport.h"
#include "dialogs/CBaseDlg.h"

const WCHAR kTestApplicationKey[] = L"MorvaCommonTests";

void LayoutKeyTest::SetUp()
{
    CRegistryKey::SetApplicationKey(kTestApplicationKey);
    RegDeleteTreeW(HKEY_CURRENT_USER, KeyPath());
}

void LayoutKeyTest::TearDown()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, KeyPath());
    CRegistryKey::SetApplicationKey(nullptr);
}

CString LayoutKeyTest::KeyPath(LPCWSTR subKey)
{
    CString path = CString(L"Software\\MORVA\\") + kTestApplicationKey;
    if (subKey != nullptr)
        path += CString(L"\\") + subKey;
    return path;
}

bool LayoutKeyTest::KeyExists(LPCWSTR subKey)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(subKey), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void LayoutKeyTest::WriteValue(LPCWSTR subKey, LPCWSTR name, DWORD type, const void* data, DWORD size)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, KeyPath(subKey), name, type, data, size));
}

void LayoutKeyTest::WriteString(LPCWSTR subKey, LPCWSTR name, LPCWSTR text)
{
    WriteValue(subKey, name, REG_SZ, text, static_cast<DWORD>((wcslen(text) + 1) * sizeof(WCHAR)));
}

CString LayoutKeyTest::ReadString(LPCWSTR subKey, LPCWSTR name)
{
    WCHAR buffer[512] = L"";
    DWORD size = sizeof(buffer);
    if (RegGetValueW(HKEY_CURRENT_USER, KeyPath(subKey), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

long long LayoutKeyTest::ReadDword(LPCWSTR subKey, LPCWSTR name)
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, KeyPath(subKey), name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return -1;
    return value;
}

CString LayoutKeyTest::LayoutKey(LPCWSTR layoutName)
{
    return CString(L"Layout\\") + CBaseDlg::GetScreenString() + L"\\" + layoutName;
}

HMODULE LanguageLibrary(LPCWSTR culture)
{
    WCHAR exe[MAX_PATH];
    const CString path(exe, static_cast<int>(GetModuleFileNameW(nullptr, exe, MAX_PATH)));
    const CString library = path.Left(path.ReverseFind(L'\\') + 1) + culture + L"\\MorvaCommonResU.dll";
    HMODULE module = GetModuleHandleW(library);
    return module != nullptr ? module : LoadLibraryW(library);
}

CRect ControlRect(HWND dialog, int id)
{
    CRect rect;
    GetWindowRect(GetDlgItem(dialog, id), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::string Narrow(LPCWSTR text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(n > 1 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], n, nullptr, nullptr);
    utf8.resize(n > 1 ? static_cast<size_t>(n - 1) : 0);
    return utf8;
}
