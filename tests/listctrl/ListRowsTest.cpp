// The row store: a gap buffer checked against a plain vector under random
// insertions and removals at random places and in runs at one place.
#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <vector>
#include "listctrl/SECListRecords.h"
#include "listctrl/SECListRows.h"

namespace {
SECListItem* Fake(int n)
{
    return reinterpret_cast<SECListItem*>(static_cast<UINT_PTR>(n) * 16 + 16);
}

::testing::AssertionResult Same(const SECListRows& rows, const std::vector<SECListItem*>& expected)
{
    if (rows.GetSize() != static_cast<int>(expected.size()))
        return ::testing::AssertionFailure() << "size " << rows.GetSize() << " instead of " << expected.size();
    for (int i = 0; i < rows.GetSize(); ++i) {
        if (rows.GetAt(i) != expected[static_cast<size_t>(i)])
            return ::testing::AssertionFailure() << "row " << i << " differs";
    }
    return ::testing::AssertionSuccess();
}
} // namespace

TEST(ListRows, GapBufferKeepsTheOrderOfAVector)
{
    std::mt19937 random(7);
    SECListRows rows;
    std::vector<SECListItem*> expected;
    int next = 0;
    int place = 0; // where runs of changes happen
    for (int step = 0; step < 4000; ++step) {
        const int size = static_cast<int>(expected.size());
        const int op = static_cast<int>(random() % 10);
        if (op < 2)
            place = size == 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(size + 1));
        place = std::min(place, size);
        if (op < 6 || size == 0) {
            const int count = op == 5 ? 1 + static_cast<int>(random() % 40) : 1;
            rows.InsertAt(place, Fake(next), count);
            expected.insert(expected.begin() + place, static_cast<size_t>(count), Fake(next));
            ++next;
        } else if (op < 9 && place < size) {
            const int count = op == 8 ? 1 + static_cast<int>(random() % 10) : 1;
            rows.RemoveAt(place, count);
            expected.erase(expected.begin() + place, expected.begin() + std::min(size, place + count));
            if (op == 7 && place < static_cast<int>(expected.size()))
                ++place; // every other row, from the top down
        } else if (size > 0) {
            const int at = static_cast<int>(random() % static_cast<unsigned>(size));
            rows.SetAt(at, Fake(next));
            expected[static_cast<size_t>(at)] = Fake(next++);
        }
        ASSERT_TRUE(Same(rows, expected)) << "step " << step;
    }
    if (!expected.empty()) {
        const size_t at = expected.size() / 2;
        EXPECT_EQ(static_cast<int>(std::find(expected.begin(), expected.end(), expected[at]) - expected.begin()),
                  rows.Find(expected[at]));
    }
    EXPECT_EQ(-1, rows.Find(Fake(next + 1)));
    // Out-of-range requests change nothing.
    const size_t before = expected.size();
    rows.InsertAt(-1, Fake(1));
    rows.InsertAt(static_cast<int>(before) + 1, Fake(1));
    rows.RemoveAt(static_cast<int>(before), 1);
    rows.RemoveAt(0, 0);
    EXPECT_TRUE(Same(rows, expected));
    rows.RemoveAll();
    EXPECT_EQ(0, rows.GetSize());
}
