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
} // namespace

CString GetCurrentDirectoryText()
{
    CString dir;
    DWORD size = GetCurrentDirectoryW(0, nullptr);
    while (size > 0) {
        const DWORD n = GetCurrentDirectoryW(size, dir.GetBuffer(static_cast<int>(size)));
        if (n < size) {
            dir.ReleaseBuffer(static_cast<int>(n));
            return dir;
        }
        size = n; // the directory changed in between: try again with the new size
    }
    return CString();
}

CString GetTempFolderText()
{
    CString dir;
    DWORD size = GetTempPathW(0, nullptr);
    while (size > 0) {
        const DWORD n = GetTempPathW(size, dir.GetBuffer(static_cast<int>(size)));
        if (n < size) {
            dir.ReleaseBuffer(static_cast<int>(n));
            return dir;
        }
        size = n;
    }
    return CString();
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
