#include "dialogs/FileVersion.h"
#include "framework/CString.h"
#include <cstdlib>
#include <vector>

CFileVersion CFileVersion::Parse(LPCWSTR text)
{
    CFileVersion version;
    if (text == nullptr)
        return version;
    LPCWSTR part = text;
    for (int i = 0; i < PartCount && part != nullptr; ++i) {
        // Numbers are 32-bit; a wider value keeps its low bits.
        version.m_part[i] = static_cast<int>(_wtoi64(part));
        part = wcschr(part, L'.');
        if (part != nullptr)
            ++part;
    }
    return version;
}

CFileVersion CFileVersion::Read(LPCWSTR path)
{
    if (path == nullptr || *path == L'\0')
        return CFileVersion();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
        return CFileVersion();
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(path, 0, size, data.data()))
        return CFileVersion();

    struct Translation
    {
        WORD language; // language identifier of the string table
        WORD codePage; // its code page
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length)
        || translations == nullptr || length < sizeof(Translation))
        return CFileVersion();

    CString query;
    query.Format(L"\\StringFileInfo\\%04X%04X\\FileVersion", translations[0].language, translations[0].codePage);
    LPWSTR text = nullptr;
    if (!VerQueryValueW(data.data(), query, reinterpret_cast<void**>(&text), &length)
        || text == nullptr || length == 0)
        return CFileVersion();
    return Parse(text);
}

bool CFileVersion::operator==(const CFileVersion& other) const
{
    for (int i = 0; i < PartCount; ++i) {
        if (m_part[i] != other.m_part[i])
            return false;
    }
    return true;
}
