// CFileName against real files in a temporary folder, and the special folders.
#include <gtest/gtest.h>
#include "support/TempFolder.h"
#include "util/CFileName.h"

namespace {
const WCHAR kFoldersKey[] = L"Software\\MORVA\\Folders";

CString ReadText(const CString& path)
{
    char buffer[64] = {};
    DWORD read = 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ReadFile(file, buffer, sizeof(buffer) - 1, &read, nullptr); // fails harmlessly without a file
    CloseHandle(file);
    return CString(buffer);
}

// A folder value of a host's installer, recorded for one scope.
struct FolderValue
{
    FolderValue(HKEY root, int id, const CString& folder) : m_root(root)
    {
        m_name.Format(L"%d", id);
        EXPECT_EQ(ERROR_SUCCESS, RegSetKeyValueW(root, kFoldersKey, m_name, REG_SZ, folder.GetString(),
                                                 static_cast<DWORD>((folder.GetLength() + 1) * sizeof(WCHAR))));
    }
    ~FolderValue() { RegDeleteKeyValueW(m_root, kFoldersKey, m_name); }
    HKEY m_root;    // HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE
    CString m_name; // value name: the id
};
} // namespace

TEST(CFileNameDisk, ExistsReadOnlyAndDelete)
{
    TempFolder temp;
    CFileName name(temp.WriteFile(L"a.txt"));
    EXPECT_TRUE(name.Exists());
    EXPECT_FALSE(CFileName(temp / L"b.txt").Exists());

    // Read-only is set and cleared without touching the other attributes.
    ASSERT_TRUE(SetFileAttributesW(name.GetPath(), FILE_ATTRIBUTE_HIDDEN));
    const DWORD hidden = GetFileAttributesW(name.GetPath());
    EXPECT_TRUE(name.SetReadOnly(TRUE) && name.IsReadOnly());
    EXPECT_EQ(hidden | FILE_ATTRIBUTE_READONLY, GetFileAttributesW(name.GetPath()));
    EXPECT_TRUE(name.SetReadOnly(FALSE) && !name.IsReadOnly());
    EXPECT_EQ(hidden, GetFileAttributesW(name.GetPath()));

    ASSERT_TRUE(name.SetReadOnly(TRUE));
    EXPECT_TRUE(name.Delete());
    EXPECT_FALSE(PathExists(name.GetPath()));
    EXPECT_FALSE(name.Delete());
    // Without a base name there is nothing to delete, even when ".dat" exists.
    EXPECT_FALSE(CFileName(temp.WriteFile(L".dat")).Delete());
    EXPECT_TRUE(PathExists(temp / L".dat"));
}

TEST(CFileNameDisk, MakeUniqueAndCopyToUniqueTakeTheFirstFreeNumber)
{
    TempFolder temp;
    temp.WriteFile(L"log.000");
    temp.WriteFile(L"log.001");
    CFileName name(temp / L"log.txt");
    EXPECT_TRUE(name.MakeUnique());
    EXPECT_STREQ(temp / L"log.002", name.GetPath());

    const CFileName source(temp.WriteFile(L"data.txt", "current"));
    temp.WriteFile(L"data.000x", "older");
    CString copy;
    EXPECT_TRUE(source.CopyToUnique(L'x', copy));
    EXPECT_STREQ(temp / L"data.001x", copy);
    EXPECT_STREQ(L"current", ReadText(copy));
    EXPECT_STREQ(L"older", ReadText(temp / L"data.000x"));
    EXPECT_FALSE(CFileName(temp / L"absent.txt").CopyToUnique(0, copy));
    EXPECT_FALSE(PathExists(temp / L"absent.000"));

    // All numbers taken: nothing is overwritten, and the name stops at 999.
    for (int n = 0; n <= 999; ++n) {
        CString file;
        file.Format(L"full.%03d", n);
        temp.WriteFile(file, "old");
    }
    CFileName full(temp.WriteFile(L"full.txt", "new"));
    copy = L"untouched";
    EXPECT_FALSE(full.CopyToUnique(0, copy));
    EXPECT_STREQ(L"untouched", copy);
    EXPECT_STREQ(L"old", ReadText(temp / L"full.999"));
    EXPECT_FALSE(full.MakeUnique());
    EXPECT_STREQ(L"999", full.GetExtension());
}

TEST(CFileNameDisk, TempAndCurrentDirectory)
{
    CFileName name(L"C:\\somewhere\\keep.me");
    name.SetDirectory(CFileName::FolderTemp);
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    EXPECT_STREQ(CFileName::NormalizeDirectory(temp, L""), name.GetDirectory());
    EXPECT_STREQ(L"keep.me", name.GetFileName());

    TempFolder folder;
    WCHAR saved[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, saved);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path()));
    name.SetDirectory(CFileName::FolderCurrent, L"C:\\ignored\\");
    const CFileName relative(L"sub\\x.txt");
    const CFileName rooted(L"\\rooted\\x.txt");
    // An empty directory is the root of the current drive.
    CFileName empty(L"x.txt");
    empty.SetDirectory(CFileName::FolderGiven, L"");
    CFileName none(L"y.txt");
    none.SetDirectory(CFileName::FolderGiven, nullptr);
    SetCurrentDirectoryW(saved);
    EXPECT_STREQ(folder / L"keep.me", name.GetPath());
    EXPECT_STREQ(folder / L"sub\\x.txt", relative.GetPath());
    EXPECT_STREQ(folder.Path().Left(2) + L"\\rooted\\", rooted.GetDirectory());
    EXPECT_STREQ(folder.Path().Left(2) + L"\\", empty.GetDirectory());
    EXPECT_STREQ(folder.Path().Left(2) + L"\\y.txt", none.GetPath());
}

TEST(CFileNameDisk, InstalledFoldersComeFromTheRegistry)
{
    WCHAR exe[MAX_PATH];
    const CString exePath(exe, static_cast<int>(GetModuleFileNameW(nullptr, exe, MAX_PATH)));
    CFileName name(L"x.dll");
    const auto dir = [&name](int id, LPCWSTR given = nullptr) {
        name.SetDirectory(id, given);
        return name.GetDirectory();
    };

    // Nothing recorded: the given path, and for the shared resources without
    // one, the executable's folder.
    EXPECT_STREQ(L"D:\\given\\", dir(CFileName::FolderSharedResources, L"D:\\given"));
    EXPECT_STREQ(exePath.Left(exePath.ReverseFind(L'\\') + 1), dir(CFileName::FolderSharedResources));
    {
        FolderValue shared(HKEY_CURRENT_USER, CFileName::FolderSharedResources, L"E:\\user\\");
        EXPECT_STREQ(L"E:\\user\\", dir(CFileName::FolderSharedResources, L"D:\\given"));
    }

    // The current user's value comes before the machine's; a backslash is added.
    FolderValue inMachine(HKEY_LOCAL_MACHINE, CFileName::FolderInstalledFirst, L"F:\\machine");
    EXPECT_STREQ(L"F:\\machine\\", dir(CFileName::FolderInstalledFirst));
    {
        FolderValue inUser(HKEY_CURRENT_USER, CFileName::FolderInstalledFirst, L"E:\\user\\");
        EXPECT_STREQ(L"E:\\user\\", dir(CFileName::FolderInstalledFirst));
    }

    // Ids that name no special folder take the given path, and the registry is not asked.
    FolderValue outside(HKEY_CURRENT_USER, -25, L"E:\\user\\");
    EXPECT_STREQ(L"D:\\given\\", dir(-25, L"D:\\given\\"));
    EXPECT_STREQ(L"D:\\given\\", dir(-7, L"D:\\given"));
}
