#include <gtest/gtest.h>
#include "framework/CString.h"
#include "framework/AfxException.h"

TEST(CString, FormatUsesWideStringsForPercentS)
{
    CString s;
    s.Format(L"'%s'\n%d.%d-%08lX", L"C:\\x y", 3, -1, 0x1020304FUL);
    EXPECT_STREQ(L"'C:\\x y'\n3.-1-1020304F", s);
    s.AppendFormat(L"%03d%c", 7, L'Z');
    EXPECT_STREQ(L"'C:\\x y'\n3.-1-1020304F007Z", s);
}
