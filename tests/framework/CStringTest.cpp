#include <gtest/gtest.h>
#include "framework/AfxException.h"
#include "framework/CString.h"

TEST(CString, FormatUsesWideStringsForPercentS)
{
    CString s;
    s.Format(L"'%s'\n%d.%d-%08lX", L"C:\\x y", 3, -1, 0x1020304FUL);
    EXPECT_STREQ(L"'C:\\x y'\n3.-1-1020304F", s);
    s.AppendFormat(L"%03d%c", 7, L'Z');
    EXPECT_STREQ(L"'C:\\x y'\n3.-1-1020304F007Z", s);
    const CString longText = CString(L"long ") + CString(L'x', 5000);
    s.Format(L"%s", longText.GetString());
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
    EXPECT_EQ(-1, s.Find(L'a', 1));
    EXPECT_EQ(4, CString(L"a.b.c").Find(L'c'));
    EXPECT_EQ(3, CString(L"a.b.c").ReverseFind(L'.'));
}

TEST(CString, EditingOperations)
{
    CString s(L"  Hello World  ");
    s.Trim();
    EXPECT_STREQ(L"Hello World", s);
    EXPECT_EQ(1, s.Replace(L"World", L"There"));
    EXPECT_EQ(3, s.Remove(L'e'));
    EXPECT_STREQ(L"Hllo Thr", s);
    s.Insert(1, L'e');
    s.Delete(0, 2);
    EXPECT_STREQ(L"llo Thr", s);
    s.MakeUpper();
    EXPECT_EQ(0, s.CompareNoCase(L"llo thr"));
    EXPECT_NE(0, s.Compare(L"llo thr"));
    int start = 0;
    const CString t(L"a;;b;c");
    EXPECT_STREQ(L"a", t.Tokenize(L";", start));
    EXPECT_STREQ(L"b", t.Tokenize(L";", start));
    EXPECT_STREQ(L"c", t.Tokenize(L";", start));
    EXPECT_STREQ(L"", t.Tokenize(L";", start));
    EXPECT_EQ(-1, start);
}

TEST(CString, NullPointersAndBuffers)
{
    CString s(static_cast<LPCWSTR>(nullptr));
    EXPECT_TRUE(s.IsEmpty());
    s += static_cast<LPCWSTR>(nullptr);
    EXPECT_EQ(0, s.Compare(nullptr));
    LPWSTR p = s.GetBuffer(10);
    lstrcpyW(p, L"abc");
    s.ReleaseBuffer();
    EXPECT_EQ(3, s.GetLength());
    s = s.GetString() + 1; // assigning a part of itself
    EXPECT_STREQ(L"bc", s);
    try {
        s.SetAt(5, L'x');
        ADD_FAILURE() << "no exception";
    } catch (CException* e) {
        e->Delete();
    }
}

TEST(CString, MissingStringResourceLoadsEmpty)
{
    CString s(L"keep?");
    EXPECT_FALSE(s.LoadString(nullptr, 1));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_FALSE(s.LoadString(GetModuleHandleW(nullptr), 65000));
}
