// The version rule of the language libraries, without files. (The culture
// folders and their order: LanguageResourceTest, with real libraries.)
#include <gtest/gtest.h>
#include "dialogs/CLanguageResource.h"
#include "dialogs/CultureTable.h"

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
