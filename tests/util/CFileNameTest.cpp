// Splitting, joining and normalising names; no file is touched.
#include <gtest/gtest.h>
#include "util/CFileName.h"

namespace {
void ExpectParts(const CFileName& name, LPCWSTR directory, LPCWSTR base, LPCWSTR extension)
{
    EXPECT_STREQ(directory, name.GetDirectory());
    EXPECT_STREQ(base, name.GetBaseName());
    EXPECT_STREQ(extension, name.GetExtension());
}
} // namespace

TEST(CFileName, SplitsAndFolds)
{
    CFileName name(L"C:\\a\\b\\..\\c\\x.txt");
    ExpectParts(name, L"C:\\a\\c\\", L"x", L"txt");
    EXPECT_STREQ(L"C:\\a\\c\\x.txt", name.GetPath());
    ExpectParts(CFileName(L"C:\\a\\.\\.\\v1.2\\archive.tar.gz"), L"C:\\a\\v1.2\\", L"archive.tar", L"gz");

    // A path that needed no folding is kept as given.
    name = L"readme";
    ExpectParts(name, L"", L"readme", L"");
    EXPECT_STREQ(L"readme", name.GetPath());

    // ".." never climbs above the drive root; network and device paths are taken as they are.
    EXPECT_STREQ(L"C:\\..\\x\\", CFileName(L"C:\\a\\..\\..\\x\\f").GetDirectory());
    ExpectParts(CFileName(L"\\\\srv\\share\\a\\..\\b\\f.txt"), L"\\\\srv\\share\\a\\..\\b\\", L"f", L"txt");
    name = L"\\\\.\\C:\\dir\\f.txt";
    ExpectParts(name, L"\\\\.\\C:\\dir\\", L"f", L"txt");
    EXPECT_STREQ(L"\\\\.\\C:\\dir\\f.txt", name.GetPath());
}

TEST(CFileName, NormalizeDirectoryAgainstACurrentDirectory)
{
    EXPECT_STREQ(L"D:\\work\\sub\\", CFileName::NormalizeDirectory(L"sub\\", L"D:\\work"));
    EXPECT_STREQ(L"D:\\sub\\", CFileName::NormalizeDirectory(L"sub", L"D:\\"));
    EXPECT_STREQ(L"D:\\up\\", CFileName::NormalizeDirectory(L".\\x\\..\\..\\up\\", L"D:\\work"));
    EXPECT_STREQ(L"D:\\rooted\\", CFileName::NormalizeDirectory(L"\\rooted\\", L"D:\\work\\deep"));
    EXPECT_STREQ(L"\\\\srv\\share\\rooted\\", CFileName::NormalizeDirectory(L"\\rooted\\", L"\\\\srv\\share\\dir"));
    EXPECT_STREQ(L"", CFileName::NormalizeDirectory(L"", L"D:\\work"));
}

TEST(CFileName, NullAndHugePaths)
{
    CFileName name(L"C:\\x.txt");
    name = static_cast<LPCWSTR>(nullptr);
    ExpectParts(name, L"", L"", L"");
    EXPECT_STREQ(L"", name.GetPath());
    CString copy;
    EXPECT_FALSE(name.Exists() || name.IsReadOnly() || name.SetReadOnly(TRUE) || name.Delete()
                 || name.MakeUnique() || name.CopyToUnique(0, copy));

    // Far beyond what the file system takes: split, but nothing exists there.
    CString deep = L"C:\\";
    for (int i = 0; i < 5000; ++i)
        deep += L"folder\\";
    CFileName huge(deep + L"..\\file.dat");
    EXPECT_EQ(3 + 4999 * 7, huge.GetDirectory().GetLength());
    EXPECT_FALSE(huge.Exists() || huge.IsReadOnly() || huge.Delete());
}

TEST(CFileName, SettingPartsRebuildsThePath)
{
    CFileName name(L"C:\\dir\\old.txt");
    name.SetFileName(L"report.final.pdf");
    ExpectParts(name, L"C:\\dir\\", L"report.final", L"pdf");
    name.SetFileName(L"Makefile");
    EXPECT_STREQ(L"C:\\dir\\Makefile.", name.GetPath()); // rebuilt from the parts: ends with the dot
    name.SetBaseName(L"Build");
    name.SetExtension(L".log");
    EXPECT_STREQ(L"Build.log", name.GetFileName());
    name.SetDirectory(CFileName::FolderGiven, L"E:\\other\\..\\logs");
    EXPECT_STREQ(L"E:\\logs\\Build.log", name.GetPath());

    const CFileName copy(name);
    name.Clear();
    ExpectParts(name, L"", L"", L"");
    EXPECT_STREQ(L"E:\\logs\\Build.log", copy.GetPath());
    // Same file: the parts compared without case; the stored path does not count.
    EXPECT_TRUE(copy.IsSameFile(CFileName(L"e:\\LOGS\\x\\..\\build.LOG")));
    EXPECT_FALSE(copy.IsSameFile(CFileName(L"E:\\logs\\Build.log2")));
    EXPECT_FALSE(copy.IsSameFile(CFileName(L"E:\\log\\Build.log")));
}
