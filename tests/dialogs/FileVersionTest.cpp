#include <gtest/gtest.h>
#include "dialogs/FileVersion.h"
#include "framework/CString.h"
#include "MorvaVersion.h"

TEST(FileVersion, ParseSplitsAtDots)
{
    EXPECT_EQ(CFileVersion(3, 1, 0, 4217), CFileVersion::Parse(L"3.1.0.4217"));
    EXPECT_EQ(CFileVersion(2, 9, 0, 0), CFileVersion::Parse(L"2.9"));
    EXPECT_EQ(CFileVersion(1, 2, 3, 4), CFileVersion::Parse(L"1.2.3.4.5"));
    EXPECT_EQ(CFileVersion(10, 0, 3, 0), CFileVersion::Parse(L"10.x.3"));
    EXPECT_EQ(CFileVersion(), CFileVersion::Parse(nullptr));
    // Wider than 32 bits: the low bits stay.
    EXPECT_EQ(CFileVersion(705032704, 1, 0, 0), CFileVersion::Parse(L"5000000000.1"));
}

TEST(FileVersion, ReadsTheVersionResource)
{
    WCHAR path[MAX_PATH];
    CString fixtures(path, static_cast<int>(GetModuleFileNameW(nullptr, path, MAX_PATH)));
    fixtures = fixtures.Left(fixtures.ReverseFind(L'\\') + 1) + L"fixtures\\langres\\";
    // The fixture lists a German string table only.
    EXPECT_EQ(CFileVersion(3, 1, 0, 4217), CFileVersion::Read(fixtures + L"host\\host.dll"));
    for (LPCWSTR unversioned : {L"noversion\\MorvaCommonResU.dll", L"missing.dll"})
        EXPECT_EQ(CFileVersion(), CFileVersion::Read(fixtures + unversioned));
    EXPECT_EQ(CFileVersion(), CFileVersion::Read(nullptr));

    // The library's own version resource, which hosts pass as the version to match.
    ASSERT_GT(GetModuleFileNameW(GetModuleHandleW(L"MorvaCommonU.dll"), path, MAX_PATH), 0u);
    EXPECT_EQ(CFileVersion(MORVA_VERSION_MAJOR, MORVA_VERSION_MINOR, MORVA_VERSION_PATCH, MORVA_VERSION_BUILD),
              CFileVersion::Read(path));
}
