#include "support/TempFolder.h"
#include <atomic>

namespace {
void MakeDirs(const CString& dir)
{
    for (int i = 3; i < dir.GetLength(); ++i) {
        if (dir[i] == L'\\')
            CreateDirectoryW(dir.Left(i), nullptr);
    }
    CreateDirectoryW(dir, nullptr);
}
} // namespace

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_path.Format(L"%smorva-test-%lu-%d\\", temp, GetCurrentProcessId(), counter++);
    RemoveTree(m_path);
    MakeDirs(m_path);
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

CString TempFolder::WriteFile(LPCWSTR name, const char* content) const
{
    const CString path = m_path + name;
    const int slash = path.ReverseFind(L'\\');
    MakeDirs(path.Left(slash));
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, content, static_cast<DWORD>(lstrlenA(content)), &written, nullptr);
        CloseHandle(file);
    }
    return path;
}

CString TempFolder::MakeDir(LPCWSTR name) const
{
    CString path = m_path + name;
    if (path.Right(1) != L"\\")
        path += L'\\';
    MakeDirs(path);
    return path;
}

void RemoveTree(const CString& path)
{
    CString dir = path;
    dir.TrimRight(L'\\');
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW(dir + L"\\*", &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const CString name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const CString child = dir + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child, FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child);
            }
        } while (FindNextFileW(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryW(dir);
}

bool PathExists(const CString& path)
{
    return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}
