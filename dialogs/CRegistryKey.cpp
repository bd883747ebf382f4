#include "dialogs/CRegistryKey.h"
#include <vector>

namespace {
const WCHAR kBasePath[] = L"Software\\MORVA\\";
const WCHAR kDefaultApplicationKey[] = L"MorvaCommon";

CString& ApplicationKey()
{
    static CString name = kDefaultApplicationKey;
    return name;
}

DWORD Result(LSTATUS status)
{
    return status == ERROR_SUCCESS ? CRegistryKey::Success : CRegistryKey::Failure;
}
} // namespace

void CRegistryKey::SetApplicationKey(LPCWSTR name)
{
    ApplicationKey() = (name != nullptr && name[0] != L'\0') ? name : kDefaultApplicationKey;
}

CString CRegistryKey::GetApplicationKey()
{
    return ApplicationKey();
}

CRegistryKey::CRegistryKey() : m_strPath(kBasePath + ApplicationKey() + L"\\"), m_hRoot(HKEY_CURRENT_USER)
{
}

CRegistryKey::~CRegistryKey()
{
    Close();
}

void CRegistryKey::AppendSubKey(LPCWSTR subKey)
{
    if (subKey != nullptr && subKey[0] != L'\0') {
        m_strPath += subKey;
        m_strPath += L'\\';
    }
}

DWORD CRegistryKey::OpenForReading(LPCWSTR subKey, REGSAM extraAccess)
{
    Close();
    AppendSubKey(subKey);
    HKEY hKey = nullptr;
    const LSTATUS status = ::RegOpenKeyExW(m_hRoot, m_strPath, 0, KEY_READ | extraAccess, &hKey);
    if (status == ERROR_SUCCESS)
        m_hKey = hKey;
    return Result(status);
}

DWORD CRegistryKey::CreateForWriting(LPCWSTR subKey, REGSAM extraAccess)
{
    Close();
    AppendSubKey(subKey);
    HKEY hKey = nullptr;
    const LSTATUS status = ::RegCreateKeyExW(m_hRoot, m_strPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_WRITE | extraAccess, nullptr, &hKey, nullptr);
    if (status == ERROR_SUCCESS)
        m_hKey = hKey;
    return Result(status);
}

CString CRegistryKey::QueryString(LPCWSTR valueName) const
{
    if (m_hKey == nullptr)
        return CString();
    // The value may grow between asking its size and reading it: ask again.
    std::vector<BYTE> data(256);
    for (;;) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LSTATUS status = ::RegQueryValueExW(m_hKey, valueName, nullptr, &type, data.data(), &size);
        if (status == ERROR_MORE_DATA) {
            data.resize(size + sizeof(WCHAR));
            continue;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ)
            return CString();
        // Stored without terminator, with an odd byte count or with text after
        // a zero: take the characters up to the first zero.
        const LPCWSTR text = reinterpret_cast<LPCWSTR>(data.data());
        int length = 0;
        const int available = static_cast<int>(size / sizeof(WCHAR));
        while (length < available && text[length] != L'\0')
            ++length;
        return CString(text, length);
    }
}

DWORD CRegistryKey::QueryDword(LPCWSTR valueName, DWORD nDefault) const
{
    if (m_hKey == nullptr)
        return nDefault;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    const LSTATUS status =
        ::RegQueryValueExW(m_hKey, valueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    return status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value) ? value : nDefault;
}

DWORD CRegistryKey::SetString(LPCWSTR valueName, LPCWSTR text)
{
    if (m_hKey == nullptr)
        return Failure;
    const CString value = text;
    return Result(::RegSetValueExW(m_hKey, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                                   static_cast<DWORD>((value.GetLength() + 1) * sizeof(WCHAR))));
}

DWORD CRegistryKey::SetDword(LPCWSTR valueName, DWORD value)
{
    if (m_hKey == nullptr)
        return Failure;
    return Result(::RegSetValueExW(m_hKey, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof(value)));
}

void CRegistryKey::Close()
{
    if (m_hKey != nullptr) {
        ::RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
}
