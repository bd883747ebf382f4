#include <gtest/gtest.h>
#include "util/CVersion.h"

TEST(CVersion, PacksIntoOneNumberThatFormatsAndOrders)
{
    CVersion v;
    EXPECT_EQ(0u, v.GetValue());
    v.Set(1, 2, 1234);
    EXPECT_EQ(0x010204D2u, v.GetValue());
    EXPECT_STREQ(L"1.2.1234", v.Format(CVersion::FormatDotted));
    EXPECT_STREQ(L"010204D2", v.Format(CVersion::FormatHex));
    EXPECT_STREQ(L"1.2.1.234", v.Format(CVersion::FormatGroupedBuild));
    EXPECT_STREQ(L"", v.Format(4));
    // The build is split only from four digits on.
    v.Set(1, 2, 999);
    EXPECT_STREQ(L"1.2.999", v.Format(CVersion::FormatGroupedBuild));
    v.Set(12, 0, 65535);
    EXPECT_STREQ(L"12.0.65.535", v.Format(CVersion::FormatGroupedBuild));
    // A part too wide for its field carries into the next one.
    v.Set(3, 0x1FF, 0x12345);
    EXPECT_STREQ(L"05002345", v.Format(CVersion::FormatHex));

    // Versions order as their packed numbers.
    CVersion a, b, c;
    a.Set(1, 2, 65535);
    b.Set(1, 3, 0);
    c.Set(2, 0, 0);
    EXPECT_TRUE(a < b && b < c);
    EXPECT_FALSE(b < a || a < a);
    EXPECT_TRUE(CVersion(0x01030000u) == b);
    EXPECT_FALSE(a == b);
}
