// The set of live node addresses, without a control: it answers as a model set
// does through growth, churn in small and large tables and shrinking, and its
// table stays within the memory it promises.
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <vector>
#include "treectrl/SECTreeBase.h"

namespace {
// Checks the set against the model: every member, a few addresses that are
// not members, the count, and the table size against the bytes per address
// allowed (plus the smallest table).
::testing::AssertionResult SameAs(const SECTreeHandleSet& set, const std::set<const void*>& model,
                                  const std::vector<const void*>& others, size_t bytesPerAddress)
{
    if (set.GetCount() != static_cast<INT_PTR>(model.size()))
        return ::testing::AssertionFailure() << set.GetCount() << " held, " << model.size() << " expected";
    for (const void* p : model)
        if (!set.Contains(p))
            return ::testing::AssertionFailure() << p << " got lost";
    for (const void* p : others)
        if (!model.count(p) && set.Contains(p))
            return ::testing::AssertionFailure() << p << " is held but was removed or never added";
    const size_t bytes = static_cast<size_t>(set.GetSlotCount()) * sizeof(void*);
    if (bytes > std::max<size_t>(16 * sizeof(void*), model.size() * bytesPerAddress))
        return ::testing::AssertionFailure() << bytes << " bytes of table for " << model.size() << " addresses";
    return ::testing::AssertionSuccess();
}
} // namespace

TEST(TreeHandleSet, AnswersAsAModelSetThroughGrowthChurnAndShrinkingAndHoldsNoPseudoHandle)
{
    // Heap-like addresses, 16 bytes apart, so that runs of neighbours collide.
    std::vector<char> arena(1 << 21);
    auto address = [&](size_t k) { return static_cast<const void*>(arena.data() + 16 * k); };
    std::mt19937 random(11);
    SECTreeHandleSet set;
    std::set<const void*> model;
    std::vector<const void*> sample;
    for (size_t k = 0; k < 64; ++k)
        sample.push_back(address(random() % 60000));
    auto step = [&](size_t range, int addPercent) {
        const void* p = address(random() % range);
        if (static_cast<int>(random() % 100) < addPercent)
            return (set.Add(p) != FALSE) == model.insert(p).second;
        return (set.Remove(p) != FALSE) == (model.erase(p) == 1);
    };
    // A small table under heavy churn: runs wrap around its end.
    for (int i = 0; i < 20000; ++i)
        ASSERT_TRUE(step(24, 50)) << "step " << i;
    ASSERT_TRUE(SameAs(set, model, sample, 43));
    // Growth: at most 22 bytes per address held.
    for (int i = 0; i < 60000; ++i) {
        ASSERT_TRUE(step(60000, 90)) << "step " << i;
        if (i % 5000 == 4999) {
            ASSERT_TRUE(SameAs(set, model, sample, 22)) << "growing, step " << i;
        }
    }
    // Churn, then shrinking: at most 43 bytes per address.
    for (int i = 0; i < 150000; ++i) {
        ASSERT_TRUE(step(60000, i < 50000 ? 50 : 5)) << "step " << i;
        if (i % 5000 == 0) {
            ASSERT_TRUE(SameAs(set, model, sample, 43)) << "shrinking, step " << i;
        }
    }
    for (const void* p : std::vector<const void*>(model.begin(), model.end()))
        ASSERT_TRUE(set.Remove(p));
    EXPECT_TRUE(set.GetCount() == 0 && set.GetSlotCount() == 0) << "an empty set keeps no table";

    // No null and no pseudo-handle is ever held.
    EXPECT_FALSE(set.Add(nullptr) || set.Contains(nullptr) || set.Remove(nullptr));
    int blocks[64];
    for (int& b : blocks)
        ASSERT_TRUE(set.Add(&b));
    EXPECT_FALSE(set.Add(&blocks[3])) << "an address is held once";
    for (HTREEITEM h : {TVI_ROOT, TVI_FIRST, TVI_LAST, TVI_SORT, SEC_TVI_SORTDESCENDING})
        EXPECT_FALSE(set.Contains(h));
    set.RemoveAll();
    EXPECT_FALSE(set.Contains(&blocks[3]) || set.Remove(&blocks[3]));
}
