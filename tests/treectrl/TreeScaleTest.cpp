// Deep and wide trees: nothing recurses over the depth, and the work of an
// expansion, a collapse or a deletion grows with the rows involved, not with
// rows times items. The time bounds are loose: a quadratic step takes minutes.
// Rows may wrap here, so that the list measures only the rows in sight (a
// one-column list of single-line rows measures every row for its width).
#include "treectrl/TreeTestSupport.h"

namespace {
double Seconds(ULONGLONG since)
{
    return static_cast<double>(GetTickCount64() - since) / 1000.0;
}
} // namespace

class TreeScale : public TreeFixture
{
protected:
    void SetUp() override
    {
        TreeFixture::SetUp();
        tree.ModifyTreeExStyle(0, SEC_TVSX_WRAPLABELS);
    }
};

TEST_F(TreeScale, TenThousandLevelsDeep)
{
    const int kDepth = 10000;
    std::vector<HTREEITEM> chain;
    HTREEITEM hParent = TVI_ROOT;
    for (int i = 0; i < kDepth; ++i)
        chain.push_back(hParent = tree.InsertItem(L"level", hParent));
    EXPECT_EQ(1, tree.GetItemCount());
    ASSERT_TRUE(tree.EnsureVisible(chain.back()));
    EXPECT_EQ(kDepth, tree.GetItemCount());
    EXPECT_EQ(kDepth - 1, tree.RowOf(chain.back()));
    ASSERT_TRUE(tree.Expand(chain.front(), TVE_COLLAPSE));
    EXPECT_EQ(1, tree.GetItemCount());
    ASSERT_TRUE(tree.ExpandAll(TVI_ROOT, TRUE));
    EXPECT_EQ(kDepth, tree.GetItemCount());
    EXPECT_EQ(kDepth, tree.CountChildren(TVI_ROOT, TRUE, TRUE));
    EXPECT_TRUE(TreeIsConsistent(tree));
    events.clear();
    ASSERT_TRUE(tree.DeleteItem(chain.front()));
    ASSERT_EQ(static_cast<size_t>(kDepth), events.size());
    EXPECT_EQ(chain.back(), events.front().hOld) << "the deepest item goes first";
    EXPECT_EQ(0, tree.GetItemCount());
}

TEST_F(TreeScale, AHundredThousandChildren)
{
    const int kWidth = 100000;
    const LONG texts = _Node::GetLiveTextCount();
    HTREEITEM hParent = tree.InsertItem(L"parent");
    ULONGLONG start = GetTickCount64();
    for (int i = 0; i < kWidth; ++i)
        tree.InsertItem(L"child", hParent);
    EXPECT_LT(Seconds(start), 30.0) << "appending is not constant time";
    start = GetTickCount64();
    ASSERT_TRUE(tree.Expand(hParent, TVE_EXPAND));
    EXPECT_EQ(kWidth + 1, tree.GetItemCount());
    EXPECT_LT(Seconds(start), 20.0) << "expanding is not linear";
    HTREEITEM hLast = tree.NodeFromRow(kWidth);
    tree.SelectItem(hLast, TVGN_CARET);
    start = GetTickCount64();
    ASSERT_TRUE(tree.Expand(hParent, TVE_COLLAPSE));
    EXPECT_EQ(1, tree.GetItemCount());
    EXPECT_EQ(hParent, tree.GetCaretItem());
    EXPECT_LT(Seconds(start), 20.0) << "collapsing is not linear";
    tree.Expand(hParent, TVE_EXPAND);
    start = GetTickCount64();
    tree.DeleteItem(hParent);
    EXPECT_LT(Seconds(start), 60.0) << "deleting is not linear"; // a notification per item
    EXPECT_EQ(0, tree.GetItemCount());
    EXPECT_EQ(texts, _Node::GetLiveTextCount());
}
