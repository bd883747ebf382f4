// CFileName: a Windows file path kept whole and split into directory, base name
// and extension, with the few file operations that work on the name.
//
// The directory always ends with a backslash when it is not empty, and is kept
// absolute: a relative directory is resolved against the current directory,
// and "\.\" and "dir\..\" steps are folded away (never above the drive root or
// the \\server\share of a UNC path). The full path is rebuilt from the parts,
// as directory + base name + "." + extension, whenever a part changes.
//
// Special directory ids for SetDirectory:
//   FolderCurrent (-2)      the current directory;
//   FolderTemp (-6)         the temporary folder;
//   -24 to -8               installation folders of a host product. Its installer
//                           records each as a REG_SZ value named after the id
//                           ("-8", "-9", ...) under "Software\MORVA\Folders",
//                           read from HKEY_CURRENT_USER first, then from
//                           HKEY_LOCAL_MACHINE. When none is recorded the given
//                           path is used;
//   FolderSharedResources (-8) the folder of the shared resource libraries. When
//                           neither a value nor a path is given it is the folder
//                           of the host's executable, so that resources installed
//                           beside the application are found even when this
//                           library lives elsewhere.
// Any other id takes the given path as it is.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"
#include "framework/CString.h"

class MORVA_API CFileName
{
public:
    // Special directory ids of SetDirectory.
    enum SpecialFolder
    {
        FolderInstalledFirst = -24,  // lowest installation folder id
        FolderSharedResources = -8,  // shared resource libraries (highest installation id)
        FolderTemp = -6,             // GetTempPathW
        FolderCurrent = -2,          // GetCurrentDirectoryW
        FolderGiven = 0,             // the path passed to SetDirectory
    };

    // Construction
    CFileName() = default;
    CFileName(LPCWSTR path); // null leaves everything empty
    CFileName(const CFileName& other) = default;
    CFileName& operator=(const CFileName& other) = default;
    CFileName& operator=(LPCWSTR path);
    virtual ~CFileName() = default;

    // Attributes
    // The full path, rebuilt from the parts when one of them changed.
    const CString& GetPath() const;
    // Base name and extension: "x.txt", or "x" without an extension.
    CString GetFileName() const;
    const CString& GetDirectory() const { return m_directory; }
    const CString& GetBaseName() const { return m_baseName; }
    const CString& GetExtension() const { return m_extension; }

    // Changing parts
    // Directory from a special id, or from the path for any other id.
    void SetDirectory(int folderId, LPCWSTR path = nullptr);
    // Name with extension, split at its last dot.
    void SetFileName(LPCWSTR name);
    void SetBaseName(LPCWSTR baseName);
    // A leading dot is dropped.
    void SetExtension(LPCWSTR extension);
    void Clear();

    // Same directory, base name and extension, ignoring case.
    BOOL IsSameFile(const CFileName& other) const;

    // The file on disk
    BOOL Exists() const;
    // FALSE also when the attributes cannot be read.
    BOOL IsReadOnly() const;
    BOOL SetReadOnly(BOOL readOnly);
    // Deletes the file even when it is read-only; FALSE without a base name.
    BOOL Delete();
    // Sets the extension to the first free one of "000" to "999", each followed
    // by the suffix character unless it is 0. FALSE (extension left at 999)
    // when all are taken or there is no base name.
    BOOL MakeUnique(WCHAR suffix = 0);
    // Copies the file to the name MakeUnique finds free, never over an existing
    // file, and reports the copy's full path. This name is left as it is.
    BOOL CopyToUnique(WCHAR suffix, CString& newPath) const;

    // Path logic without the file system: the absolute, folded form of a
    // directory (ending with a backslash) given the current directory.
    static CString NormalizeDirectory(const CString& directory, const CString& currentDirectory);

private:
    void SplitPath(LPCWSTR path);
    void SplitFileName(const CString& name);
    // Normalises m_directory, dropping the stored full path when it changed.
    void Normalize();

    mutable CString m_path; // full path; empty while it must be rebuilt from the parts
    CString m_directory;    // ends with a backslash when not empty
    CString m_baseName;     // file name without extension
    CString m_extension;    // without the dot
};
