#include <gtest/gtest.h>
#include "dialogs/FileVersion.h"
#include "framework/CString.h"
#include "MorvaVersion.h"

namespace {
CString Text(const CFileVersion& v)
{
    CString text;
    text.Format(L"%d.%d.%d.%d", v.m_part[0], v.m_part[1], v.m_part[2], v.m_part[3]);
    return text;
}
} // namespace

TEST(FileVersion, ParseSplitsAtDots)
{
    EXPECT_STREQ(L"3.1.0.4217", Text(CFileVersion::Parse(L"3.1.0.4217")));
    EXPECT_STREQ(L"2.9.0.0", Text(CFileVersion::Parse(L"2.9")));
    EXPECT_STREQ(L"1.2.3.4", Text(CFileVersion::Parse(L"1.2.3.4.5")));
    EXPECT_STREQ(L"10.0.3.0", Text(CFileVersion::Parse(L"10.x.3")));
    EXPECT_STREQ(L"0.0.0.0", Text(CFileVersion::Parse(nullptr)));
    // Wider than 32 bits: the low bits stay.
    EXPECT_STREQ(L"705032704.1.0.0", Text(CFileVersion::Parse(L"5000000000.1")));
}

TEST(FileVersion, ReadsTheVersionResource)
{
    WCHAR path[MAX_PATH];
    CString fixtures(path, static_cast<int>(GetModuleFileNameW(nullptr, path, MAX_PATH)));
    fixtures = fixtures.Left(fixtures.ReverseFind(L'\\') + 1) + L"fixtures\\langres\\";
    // The fixture lists a German string table only.
    EXPECT_STREQ(L"3.1.0.4217", Text(CFileVersion::Read(fixtures + L"host\\host.dll")));
    EXPECT_STREQ(L"0.0.0.0", Text(CFileVersion::Read(fixtures + L"noversion\\MorvaCommonResU.dll")));
    EXPECT_STREQ(L"0.0.0.0", Text(CFileVersion::Read(fixtures + L"missing.dll")));
    EXPECT_STREQ(L"0.0.0.0", Text(CFileVersion::Read(nullptr)));

    // The library's own version resource, which hosts pass as the version to match.
    ASSERT_GT(GetModuleFileNameW(GetModuleHandleW(L"MorvaCommonU.dll"), path, MAX_PATH), 0u);
    EXPECT_EQ(CFileVersion(MORVA_VERSION_MAJOR, MORVA_VERSION_MINOR, MORVA_VERSION_PATCH, MORVA_VERSION_BUILD),
              CFileVersion::Read(path));
}
