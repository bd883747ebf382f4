// The culture folders, the candidate order and the version rule, without files.
#include <gtest/gtest.h>
#include "dialogs/CLanguageResource.h"
#include "dialogs/CultureTable.h"

TEST(CultureTable, FolderAndIndexByPrimaryLanguage)
{
    // Language asked for, expected culture folder and culture index.
    const struct { WORD language; LPCWSTR folder; WORD index; } rows[] = {
        {0x0401, L"ar-SA\\", 1},  {0x0804, L"zh-CN\\", 2},  {0x0404, L"zh-CN\\", 2},  {0x0C04, L"zh-CN\\", 2},
        {0x0405, L"cs-CZ\\", 3},  {0x0406, L"da-DK\\", 4},  {0x0813, L"nl-NL\\", 5},  {0x040B, L"fi-FI\\", 6},
        {0x0C0C, L"fr-FR\\", 7},  {1031, L"de-DE\\", 8},    {0x0C07, L"de-DE\\", 8},  {0x0408, L"el-GR\\", 9},
        {0x040E, L"hu-HU\\", 10}, {0x0410, L"it-IT\\", 11}, {0x0411, L"ja-JP\\", 12}, {0x0412, L"ko-KR\\", 13},
        {0x0814, L"no-NO\\", 14}, {0x0415, L"pl-PL\\", 15}, {0x0816, L"pt-PT\\", 16}, {0x0416, L"pt-BR\\", 17},
        {0x0016, L"pt-BR\\", 17}, {0x0418, L"ro-RO\\", 18}, {0x0419, L"ru-RU\\", 19}, {0x080A, L"es-ES\\", 20},
        {0x041D, L"sv-SE\\", 21}, {0x041F, L"tr-TR\\", 22}, {0x0809, L"en-US\\", 23}, {0x0436, L"en-US\\", 23},
        {0x0000, L"en-US\\", 23}, {0xFFFF, L"en-US\\", 23},
    };
    const CLanguageResource resource(1031);
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "language 0x" << std::hex << row.language);
        CString folder = L"stale";
        EXPECT_EQ(row.index, resource.GetCultureFolder(row.language, folder));
        EXPECT_STREQ(row.folder, folder);
    }
}

TEST(CultureTable, CandidatesFallBackToEnglishThenGermanAndVersionsMatchButTheLastTwoDigits)
{
    const auto candidates = [](WORD language) {
        CCultureCandidate c[CCultureTable::MaxCandidates];
        CString text;
        for (int i = 0, n = CCultureTable::GetCandidates(language, c); i < n; ++i)
            text.AppendFormat(L"%s%d:%04X ", c[i].folder.GetString(), c[i].index, c[i].language);
        return text;
    };
    EXPECT_STREQ(L"fr-FR\\7:040C en-US\\23:0409 de-DE\\8:0407 ", candidates(0x040C));
    // Neither fallback is tried twice.
    EXPECT_STREQ(L"en-US\\23:0409 de-DE\\8:0407 ", candidates(1033));
    EXPECT_STREQ(L"de-DE\\8:0C07 en-US\\23:0409 ", candidates(0x0C07));
    // A language without a folder keeps its identifier in the English folder.
    EXPECT_STREQ(L"en-US\\23:0436 de-DE\\8:0407 ", candidates(0x0436));

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
