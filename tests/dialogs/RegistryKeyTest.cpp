// CRegistryKey over the real registry, in the tests' own application key.
#include <string>
#include "DialogTestSupport.h"

using RegistryKey = LayoutKeyTest;

TEST_F(RegistryKey, WritesCreateKeysReadsNeverDo)
{
    CRegistryKey reader;
    EXPECT_NE(0u, reader.OpenForReading(L"Layout\\A"));
    EXPECT_EQ(nullptr, reader.GetKey());
    EXPECT_STREQ(L"", reader.QueryString(L"XY"));
    EXPECT_EQ(7u, reader.QueryDword(L"WP", 7));
    EXPECT_NE(0u, reader.SetString(L"XY", L"1,2")); // nothing open: nothing written
    EXPECT_FALSE(KeyExists());

    CRegistryKey writer;
    EXPECT_EQ(L"Software\\MORVA\\MorvaCommonTests\\", writer.GetPath());
    ASSERT_EQ(0u, writer.CreateForWriting(L"Layout\\A"));
    EXPECT_EQ(L"Software\\MORVA\\MorvaCommonTests\\Layout\\A\\", writer.GetPath());
    EXPECT_EQ(0u, writer.SetString(L"XY", L"10,20"));
    EXPECT_EQ(0u, writer.SetDword(L"WP", 2));
    writer.Close();
    EXPECT_EQ(nullptr, writer.GetKey());

    CRegistryKey again;
    ASSERT_EQ(0u, again.OpenForReading(L"Layout\\A"));
    EXPECT_STREQ(L"10,20", again.QueryString(L"XY"));
    EXPECT_EQ(2u, again.QueryDword(L"WP", 0));
    EXPECT_STREQ(L"", again.QueryString(L"missing"));
    // A second sub-key is appended: the path never shortens.
    EXPECT_NE(0u, again.OpenForReading(L"Layout\\A"));
    EXPECT_EQ(L"Software\\MORVA\\MorvaCommonTests\\Layout\\A\\Layout\\A\\", again.GetPath());
    EXPECT_FALSE(KeyExists(L"Layout\\A\\Layout"));
}

TEST_F(RegistryKey, ValuesOfTheWrongTypeOrShapeReadAsMissing)
{
    const WCHAR* key = L"Bad";
    const DWORD number = 5;
    WriteValue(key, L"dword-as-string", REG_DWORD, &number, sizeof(number));
    WriteValue(key, L"string-as-dword", REG_SZ, L"5", 4);
    WriteValue(key, L"expand", REG_EXPAND_SZ, L"5", 4);
    const WORD shortNumber = 5;
    WriteValue(key, L"short-dword", REG_DWORD, &shortNumber, sizeof(shortNumber));
    const ULONGLONG longNumber = 5;
    WriteValue(key, L"qword", REG_QWORD, &longNumber, sizeof(longNumber));
    // No terminator and an odd byte count; text after an inner zero.
    WriteValue(key, L"truncated", REG_SZ, "1\0002\0003", 5);
    WriteValue(key, L"inner-zero", REG_SZ, L"7,8\0junk", 18);
    WriteValue(key, L"empty", REG_SZ, nullptr, 0);
    const std::wstring huge(1 << 20, L'9');
    WriteValue(key, L"huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(WCHAR)));

    CRegistryKey r;
    ASSERT_EQ(0u, r.OpenForReading(key));
    EXPECT_STREQ(L"", r.QueryString(L"dword-as-string"));
    EXPECT_EQ(9u, r.QueryDword(L"string-as-dword", 9));
    EXPECT_STREQ(L"", r.QueryString(L"expand"));
    EXPECT_EQ(9u, r.QueryDword(L"short-dword", 9));
    EXPECT_EQ(9u, r.QueryDword(L"qword", 9));
    EXPECT_STREQ(L"12", r.QueryString(L"truncated"));
    EXPECT_STREQ(L"7,8", r.QueryString(L"inner-zero"));
    EXPECT_STREQ(L"", r.QueryString(L"empty"));
    const CString read = r.QueryString(L"huge");
    EXPECT_EQ(static_cast<int>(huge.size()), read.GetLength());
    EXPECT_EQ(5u, r.QueryDword(L"dword-as-string", 9));
}
