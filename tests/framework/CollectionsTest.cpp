#include <gtest/gtest.h>
#include <vector>
#include "framework/CArray.h"
#include "framework/CList.h"
#include "framework/CMap.h"
#include "framework/CString.h"

namespace {
// Runs f and answers whether it raised the framework's invalid-argument exception.
template <class F>
bool RaisesInvalidArg(F f)
{
    try {
        f();
    } catch (CException* e) {
        const bool right = dynamic_cast<CInvalidArgException*>(e) != nullptr;
        e->Delete();
        return right;
    }
    return false;
}
} // namespace

TEST(CArray, InsertRemoveAndGrowKeepOrder)
{
    CArray<int, int> a;
    for (int i = 0; i < 5; ++i)
        a.Add(i);
    a.InsertAt(2, 99, 2);
    a.RemoveAt(0);
    a.InsertAt(9, 7); // past the end: grows with default elements first
    a.SetAtGrow(12, 5);
    const std::vector<int> expected = {1, 99, 99, 2, 3, 4, 0, 0, 0, 7, 0, 0, 5};
    EXPECT_EQ(expected, std::vector<int>(a.GetData(), a.GetData() + a.GetSize()));
}

TEST(CArray, OutOfRangeIndicesRaiseInvalidArgument)
{
    CStringArray a;
    a.Add(L"x");
    EXPECT_TRUE(RaisesInvalidArg([&] { (void)a.GetAt(1); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { (void)a[-1]; }));
    EXPECT_TRUE(RaisesInvalidArg([&] { a.RemoveAt(0, 2); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { a.SetSize(-1); }));
    EXPECT_EQ(1, a.GetSize());
    EXPECT_EQ(0, AfxGetLiveExceptionCount());
}

TEST(CList, PositionsWalkBothWaysAndSurviveRemoval)
{
    CList<int, int> list;
    list.AddTail(2);
    list.AddHead(1);
    POSITION three = list.AddTail(3);
    list.InsertBefore(three, 25);
    list.InsertAfter(nullptr, 4); // null position: at the tail
    list.RemoveAt(list.Find(25));
    int expected = 1;
    for (POSITION p = list.GetHeadPosition(); p;)
        EXPECT_EQ(expected++, list.GetNext(p));
    EXPECT_EQ(5, expected);
    POSITION p = list.GetTailPosition();
    EXPECT_EQ(4, list.GetPrev(p));
    EXPECT_EQ(3, list.GetAt(p));
    EXPECT_EQ(1, list.RemoveHead());
    EXPECT_EQ(4, list.RemoveTail());
    EXPECT_EQ(nullptr, list.FindIndex(2));
    EXPECT_EQ(3, list.GetAt(list.FindIndex(1)));
}

TEST(CMap, LookupReplaceRemoveAndIterateEveryPair)
{
    CMap<void*, void*, int, int> map;
    map.InitHashTable(17);
    int keys[40];
    for (int i = 0; i < 40; ++i)
        map[&keys[i]] = i;
    EXPECT_GT(map.GetHashTableSize(), 17u) << "the table grows with its contents";
    map.SetAt(&keys[3], 300);
    EXPECT_TRUE(map.RemoveKey(&keys[4]));
    EXPECT_FALSE(map.RemoveKey(&keys[4]));
    EXPECT_EQ(39, map.GetCount());
    int value = 0;
    EXPECT_TRUE(map.Lookup(&keys[3], value));
    EXPECT_EQ(300, value);
    EXPECT_FALSE(map.Lookup(&keys[4], value));

    int seen = 0;
    long long sum = 0;
    for (POSITION p = map.GetStartPosition(); p;) {
        void* key = nullptr;
        map.GetNextAssoc(p, key, value);
        sum += value;
        ++seen;
    }
    EXPECT_EQ(39, seen);
    EXPECT_EQ(40 * 39 / 2 - 3 - 4 + 300, sum);

    CMapStringToString names; // string keys hash and compare with case
    names[CString(L"b")] = L"2";
    CString text;
    EXPECT_TRUE(names.Lookup(CString(L"b"), text) && text == L"2");
    EXPECT_FALSE(names.Lookup(CString(L"B"), text));
}
