// The sub-item texts of tree items kept by item handle: growth, copies into
// short buffers, column insertion and moves, and memory exhaustion.
#include <gtest/gtest.h>
#include <new>
#include <string>
#include "listctrl/SECSubItemTextStorage.h"

namespace {
HTREEITEM Item(UINT_PTR n) { return reinterpret_cast<HTREEITEM>(n * 16); }

// "1:text" or "0:text": GetText's answer and what it left in a buffer holding "z".
std::wstring Get(const SECSubItemTextStorage& s, HTREEITEM h, int k, int cch = 64)
{
    WCHAR buf[64] = L"z";
    const BOOL ok = s.GetText(h, k, buf, cch); // before buf is read
    return (ok ? L"1:" : L"0:") + std::wstring(buf);
}

// An item's texts joined as "a|b|c"; sets them first when given.
std::wstring Texts(SECSubItemTextStorage& s, HTREEITEM h, const wchar_t* set = L"")
{
    for (int k = 1; set[k - 1] != 0; ++k)
        s.SetText(h, k, std::wstring(1, set[k - 1]).c_str());
    std::wstring out;
    for (int k = 1; k <= s.GetTextCount(h); ++k)
        out += (k > 1 ? L"|" : L"") + Get(s, h, k).substr(2);
    return out;
}
} // namespace

TEST(SubItemTextStorage, SetGrowsGetCopiesWithinTheBufferAndColumnsMove)
{
    SECSubItemTextStorage s;
    EXPECT_TRUE(s.SetText(Item(1), 3, L"abcdef"));
    EXPECT_EQ(L"||abcdef", Texts(s, Item(1)));
    EXPECT_EQ(L"1:abc 1: 0:z", Get(s, Item(1), 3, 4) + L" " + Get(s, Item(1), 3, 1) + L" " + Get(s, Item(1), 3, 0));
    EXPECT_EQ(L"0: 0: 0:", Get(s, Item(1), 4) + L" " + Get(s, Item(1), 0) + L" " + Get(s, Item(2), 1));
    EXPECT_FALSE(s.SetText(nullptr, 1, L"x") || s.SetText(Item(1), 0, L"x"));
    EXPECT_TRUE(s.RemoveItem(Item(1)));
    EXPECT_FALSE(s.RemoveItem(Item(1)) || s.GetTextCount(Item(1)) != 0);

    Texts(s, Item(1), L"abcd");
    Texts(s, Item(2), L"x");
    EXPECT_TRUE(s.InsertColumn(2) && s.InsertColumn(5)); // the second is past item 2's texts
    EXPECT_EQ(L"a||b|c||d", Texts(s, Item(1)));
    EXPECT_EQ(L"x|", Texts(s, Item(2)));
    Texts(s, Item(3), L"abcd");
    EXPECT_TRUE(s.MoveColumn(Item(3), 1, 3) && s.MoveColumn(Item(3), 4, 1));
    EXPECT_EQ(L"d|b|c|a", Texts(s, Item(3)));
    EXPECT_TRUE(s.MoveColumn(Item(3), 2, 6)); // past the end: grows
    EXPECT_EQ(L"d|c|a|||b", Texts(s, Item(3)));
    EXPECT_TRUE(s.MoveColumn(Item(2), 5, 1) && s.MoveColumn(Item(2), 5, 9)); // no source: an empty text; no target
    EXPECT_EQ(L"|x|", Texts(s, Item(2)));
    EXPECT_FALSE(s.MoveColumn(Item(4), 1, 2) || s.MoveColumn(Item(2), 0, 1) || s.InsertColumn(0));
}

TEST(SubItemTextStorage, MemoryExhaustionIsReportedAndAnswersZero)
{
    struct Probed : SECSubItemTextStorage
    {
        CStringArray* CreateTextArray() override
        {
            if (m_nFail == 1)
                AfxThrowMemoryException();
            if (m_nFail == 2)
                throw std::bad_alloc();
            return SECSubItemTextStorage::CreateTextArray();
        }
        void OnMemoryError(const CException&) override { ++m_nReports; }
        int m_nFail = 0;    // 1: framework exception, 2: runtime exception, 0: none
        int m_nReports = 0; // memory errors reported
    };
    const LONG liveExceptions = AfxGetLiveExceptionCount();
    Probed s;
    for (UINT_PTR i = 1; i <= 40; ++i) // more items than buckets
        s.SetText(Item(i), 2, L"t");
    for (s.m_nFail = 1; s.m_nFail <= 2; ++s.m_nFail) {
        EXPECT_FALSE(s.SetText(Item(50), 1, L"lost"));
        EXPECT_TRUE(s.SetText(Item(1), 1, L"existing items need no new array"));
    }
    EXPECT_EQ(2, s.m_nReports);
    EXPECT_EQ(40, s.GetItemCount());
    EXPECT_EQ(L"|t", Texts(s, Item(23)));
    EXPECT_EQ(liveExceptions, AfxGetLiveExceptionCount());
}
