#include <gtest/gtest.h>
#include "framework/AfxException.h"
#include "framework/CString.h"

TEST(CString, FormatUsesWideStringsForPercentS)
{
    CString s;
    s.Format(L"'%s'\n%d.%d-%08lX", L"C:\\x y", 3, -1, 0x1020304FUL);
    s.AppendFormat(L"%03d%c", 7, L'Z');
    EXPECT_STREQ(L"'C:\\x y'\n3.-1-1020304F007Z", s);
    s.Format(L"%s", (CString(L"long ") + CString(L'x', 5000)).GetString());
    EXPECT_EQ(5005, s.GetLength());
}

TEST(CString, ExtractionClampsCountsLikeTheFramework)
{
    const CString s(L"abcdef");
    EXPECT_STREQ(L"cdef", s.Mid(2));
    EXPECT_STREQ(L"", s.Mid(10));
    EXPECT_STREQ(L"ab", s.Mid(-3, 2));
    EXPECT_STREQ(L"abcdef", s.Left(99));
    EXPECT_STREQ(L"ef", s.Right(2));
    EXPECT_STREQ(L"", s.Right(-1));
    EXPECT_EQ(3, s.Find(L"def"));
    EXPECT_EQ(4, s.Find(L'e', 1));
    EXPECT_EQ(-1, s.Find(L'a', 1));
    EXPECT_EQ(3, CString(L"a.b.c").ReverseFind(L'.'));
}

TEST(CString, EditingOperations)
{
    CString s(L"  Hello World  ");
    s.Trim();
    EXPECT_EQ(1, s.Replace(L"World", L"There"));
    EXPECT_EQ(3, s.Remove(L'e'));
    s.Insert(1, L'e');
    s.Delete(0, 2);
    EXPECT_STREQ(L"llo Thr", s);
    s.MakeUpper();
    EXPECT_EQ(0, s.CompareNoCase(L"llo thr"));
    EXPECT_NE(0, s.Compare(L"llo thr"));
    int start = 0;
    const CString t(L"a;;b;c");
    for (LPCWSTR token : {L"a", L"b", L"c", L""})
        EXPECT_STREQ(token, t.Tokenize(L";", start));
    EXPECT_EQ(-1, start);
}

TEST(CString, NullPointersAndBuffers)
{
    CString s(static_cast<LPCWSTR>(nullptr));
    s += static_cast<LPCWSTR>(nullptr);
    EXPECT_EQ(0, s.Compare(nullptr));
    lstrcpyW(s.GetBuffer(10), L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(3, s.GetLength());
    s = s.GetString() + 1; // assigning a part of itself
    EXPECT_STREQ(L"bc", s);
    bool thrown = false;
    try {
        s.SetAt(5, L'x');
    } catch (CException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}
