// The culture folders and the version rule, without files.
#include <gtest/gtest.h>
#include "dialogs/CLanguageResource.h"
#include "dialogs/CultureTable.h"

TEST(CultureTable, FolderAndIndexByPrimaryLanguage)
{
    // Language asked for, expected culture folder and culture index.
    const struct { WORD language; LPCWSTR folder; WORD index; } rows[] = {
        {0x0401, L"ar-SA\\", 1},  {0x0404, L"zh-CN\\", 2},  {0x0C0C, L"fr-FR\\", 7},  {0x0C07, L"de-DE\\", 8},
        {0x0816, L"pt-PT\\", 16}, {0x0416, L"pt-BR\\", 17}, {0x0016, L"pt-BR\\", 17}, {0x041F, L"tr-TR\\", 22},
        {0x0809, L"en-US\\", 23}, {0x0000, L"en-US\\", 23}, {0xFFFF, L"en-US\\", 23},
    };
    const CLanguageResource resource(1031);
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "language 0x" << std::hex << row.language);
        CString folder = L"stale";
        EXPECT_EQ(row.index, resource.GetCultureFolder(row.language, folder));
        EXPECT_STREQ(row.folder, folder);
    }
}

TEST(CultureTable, VersionsMatchButTheLastTwoDigits)
{
    // A library fits a host of the same version up to the last two digits.
    const CFileVersion host(3, 1, 0, 4217);
    const auto fits = [&](int a, int b, int c, int d) {
        return CCultureTable::VersionsMatch(host, CFileVersion(a, b, c, d)) != FALSE;
    };
    EXPECT_TRUE(fits(3, 1, 0, 4299) && fits(3, 1, 0, 4200));
    EXPECT_FALSE(fits(3, 1, 0, 4300) || fits(3, 1, 0, 4199));
    EXPECT_FALSE(fits(4, 1, 0, 4217) || fits(3, 2, 0, 4217) || fits(3, 1, 1, 4217) || fits(0, 0, 0, 0));
    EXPECT_TRUE(CCultureTable::VersionsMatch(CFileVersion(), CFileVersion()));
}
