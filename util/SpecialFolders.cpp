#include "util/SpecialFolders.h"
#include "util/CFileName.h"

namespace {
// Reads a recorded installation folder; empty when none is recorded.
CString ReadInstalledFolder(HKEY root, int folderId)
{
    CString name;
    name.Format(L"%d", folderId);
    DWORD bytes = 0;
    // RRF_RT_REG_SZ also takes REG_EXPAND_SZ values and expands them.
    if (RegGetValueW(root, kInstalledFoldersKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) != ERROR_SUCCESS)
        return CString();
    CString value;
    // Expansion can grow the text between the two calls: retry a few times.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int chars = static_cast<int>(bytes / sizeof(WCHAR)) + 1;
        const LONG rc = RegGetValueW(root, kInstalledFoldersKey, name, RRF_RT_REG_SZ, nullptr,
                                     value.GetBuffer(chars), &bytes);
        if (rc == ERROR_SUCCESS) {
            value.ReleaseBuffer();
            return value;
        }
        value.ReleaseBuffer(0);
        if (rc != ERROR_MORE_DATA)
            break;
    }
    return CString();
}

// Text of an API that answers the size it needs when the buffer is too small;
// asks again when the text grew in between.
CString ReadSizedText(DWORD(WINAPI* read)(DWORD, LPWSTR))
{
    CString text;
    DWORD size = read(0, nullptr);
    while (size > 0) {
        const DWORD n = read(size, text.GetBuffer(static_cast<int>(size)));
        if (n < size) {
            text.ReleaseBuffer(static_cast<int>(n));
            return text;
        }
        size = n;
    }
    return CString();
}
} // namespace

CString GetCurrentDirectoryText()
{
    return ReadSizedText(GetCurrentDirectoryW);
}

CString GetTempFolderText()
{
    return ReadSizedText(GetTempPathW);
}

CString GetHostFolderText()
{
    // GetModuleFileNameW does not tell the needed size: grow until it fits.
    CString path;
    for (DWORD size = MAX_PATH; size <= 0x10000; size *= 2) {
        const DWORD n = GetModuleFileNameW(nullptr, path.GetBuffer(static_cast<int>(size)), size);
        if (n == 0)
            return CString();
        if (n < size) {
            path.ReleaseBuffer(static_cast<int>(n));
            return path.Left(path.ReverseFind(L'\\') + 1);
        }
    }
    return CString();
}

CString ResolveSpecialFolder(int folderId, LPCWSTR path)
{
    const CString given(path);
    switch (folderId) {
    case CFileName::FolderCurrent:
        return GetCurrentDirectoryText();
    case CFileName::FolderTemp:
        return GetTempFolderText();
    default:
        break;
    }
    if (folderId >= CFileName::FolderInstalledFirst && folderId <= CFileName::FolderSharedResources) {
        CString recorded = ReadInstalledFolder(HKEY_CURRENT_USER, folderId);
        if (recorded.IsEmpty())
            recorded = ReadInstalledFolder(HKEY_LOCAL_MACHINE, folderId);
        if (!recorded.IsEmpty())
            return recorded;
        if (folderId == CFileName::FolderSharedResources && given.IsEmpty())
            return GetHostFolderText();
    }
    return given;
}
