#include "util/CFileName.h"
#include "util/SpecialFolders.h"

namespace {
// Drive-absolute ("C:\...", also drive-relative "C:x\...") or UNC.
bool IsAbsoluteDirectory(const CString& dir)
{
    return (dir.GetLength() >= 3 && dir[1] == L':') || dir.Left(2) == L"\\\\";
}

// Index of the backslash that closes the root ("C:\", "\\server\share\",
// or a leading "\"); -1 when the path has no root.
int RootEnd(const CString& path)
{
    if (path.GetLength() >= 3 && path[1] == L':')
        return path[2] == L'\\' ? 2 : -1;
    if (path.Left(2) == L"\\\\") {
        const int server = path.Find(L'\\', 2);
        const int share = server < 0 ? -1 : path.Find(L'\\', server + 1);
        // A server without a share: nothing below it may be folded.
        return share < 0 ? path.GetLength() : share;
    }
    return path.Left(1) == L"\\" ? 0 : -1;
}

CString WithBackslash(const CString& dir)
{
    if (dir.IsEmpty() || dir.Right(1) == L"\\")
        return dir;
    return dir + L'\\';
}
} // namespace

CFileName::CFileName(LPCWSTR path)
{
    SplitPath(path);
}

CFileName& CFileName::operator=(LPCWSTR path)
{
    SplitPath(path);
    return *this;
}

const CString& CFileName::GetPath() const
{
    if (m_path.IsEmpty() && !(m_directory.IsEmpty() && m_baseName.IsEmpty() && m_extension.IsEmpty()))
        m_path.Format(L"%s%s.%s", m_directory.GetString(), m_baseName.GetString(), m_extension.GetString());
    return m_path;
}

CString CFileName::GetFileName() const
{
    if (m_extension.IsEmpty())
        return m_baseName;
    return m_baseName + L'.' + m_extension;
}

void CFileName::SetDirectory(int folderId, LPCWSTR path)
{
    // An empty path still gets its backslash: "\" then normalises to the root
    // of the current drive.
    const CString directory = ResolveSpecialFolder(folderId, path);
    m_directory = directory.IsEmpty() ? CString(L"\\") : WithBackslash(directory);
    m_path.Empty();
    Normalize();
}

void CFileName::SetFileName(LPCWSTR name)
{
    SplitFileName(CString(name));
    m_path.Empty();
}

void CFileName::SetBaseName(LPCWSTR baseName)
{
    m_baseName = baseName;
    m_path.Empty();
}

void CFileName::SetExtension(LPCWSTR extension)
{
    m_extension = extension;
    if (m_extension.Left(1) == L".")
        m_extension.Delete(0);
    m_path.Empty();
}

void CFileName::Clear()
{
    m_path.Empty();
    m_directory.Empty();
    m_baseName.Empty();
    m_extension.Empty();
}

BOOL CFileName::IsSameFile(const CFileName& other) const
{
    return m_directory.CompareNoCase(other.m_directory) == 0 && m_baseName.CompareNoCase(other.m_baseName) == 0
        && m_extension.CompareNoCase(other.m_extension) == 0;
}

BOOL CFileName::Exists() const
{
    const CString& path = GetPath();
    return !path.IsEmpty() && GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

BOOL CFileName::IsReadOnly() const
{
    const DWORD attributes = GetFileAttributesW(GetPath());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

BOOL CFileName::SetReadOnly(BOOL readOnly)
{
    const CString& path = GetPath();
    DWORD attributes = GetFileAttributesW(path);
    if (path.IsEmpty() || attributes == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    if (readOnly)
        attributes |= FILE_ATTRIBUTE_READONLY;
    else
        attributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
    // Zero would mean "change nothing" to some callers; NORMAL is the plain state.
    if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(path, attributes);
}

BOOL CFileName::Delete()
{
    if (m_baseName.IsEmpty())
        return FALSE;
    SetReadOnly(FALSE);
    return DeleteFileW(GetPath());
}

BOOL CFileName::MakeUnique(WCHAR suffix)
{
    if (m_baseName.IsEmpty())
        return FALSE;
    const int last = 999;
    for (int n = 0; n <= last; ++n) {
        CString extension;
        if (suffix != 0)
            extension.Format(L"%03d%c", n, suffix);
        else
            extension.Format(L"%03d", n);
        SetExtension(extension);
        if (GetFileAttributesW(GetPath()) == INVALID_FILE_ATTRIBUTES)
            return TRUE;
    }
    return FALSE;
}

BOOL CFileName::CopyToUnique(WCHAR suffix, CString& newPath) const
{
    if (m_baseName.IsEmpty())
        return FALSE;
    CFileName target(*this);
    if (!target.MakeUnique(suffix))
        return FALSE;
    // Fail rather than overwrite: the name may have been taken since it was found free.
    if (!CopyFileW(GetPath(), target.GetPath(), TRUE))
        return FALSE;
    newPath = target.GetPath();
    return TRUE;
}

CString CFileName::NormalizeDirectory(const CString& directory, const CString& currentDirectory)
{
    if (directory.IsEmpty())
        return directory;
    CString dir = WithBackslash(directory);
    // A network or device path (\\server\share\, \\.\C:\, \\?\...) is taken
    // as it is: its dots may be part of its name.
    if (dir.Left(2) == L"\\\\")
        return dir;
    if (!IsAbsoluteDirectory(dir)) {
        const CString current = WithBackslash(currentDirectory);
        if (dir[0] == L'\\') {
            // Rooted on the current drive, or on the current share of a UNC current directory.
            const int root = current.Left(2) == L"\\\\" ? RootEnd(current) : 2;
            dir = current.Left(root) + dir;
        } else {
            dir = current + dir;
        }
    }
    int pos;
    while ((pos = dir.Find(L"\\.\\")) >= 0)
        dir.Delete(pos, 2);
    const int rootEnd = RootEnd(dir);
    while ((pos = dir.Find(L"\\..\\")) >= 0) {
        const int segment = dir.Left(pos).ReverseFind(L'\\');
        if (segment < 0 || segment < rootEnd)
            break; // nothing left to climb out of: the rest stays as it is
        dir.Delete(segment, pos + 3 - segment);
    }
    return dir;
}

void CFileName::SplitPath(LPCWSTR path)
{
    Clear();
    m_path = path;
    const int slash = m_path.ReverseFind(L'\\');
    if (slash >= 0) {
        m_directory = m_path.Left(slash + 1);
        SplitFileName(m_path.Mid(slash + 1));
        Normalize();
    } else {
        SplitFileName(m_path);
    }
}

void CFileName::SplitFileName(const CString& name)
{
    const int dot = name.ReverseFind(L'.');
    if (dot < 0) {
        m_baseName = name;
        m_extension.Empty();
    } else {
        m_baseName = name.Left(dot);
        m_extension = name.Mid(dot + 1);
    }
}

void CFileName::Normalize()
{
    if (m_directory.IsEmpty())
        return;
    const CString current = IsAbsoluteDirectory(m_directory) ? CString() : GetCurrentDirectoryText();
    const CString normalized = NormalizeDirectory(m_directory, current);
    if (normalized != m_directory) {
        m_directory = normalized;
        m_path.Empty();
    }
}
