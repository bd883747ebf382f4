// Sorting children: the merge sort under any comparison, then the tree's
// sorts: order, the rows relinked in place with selection and caret kept,
// collapsed and empty parents, recursion, and comparisons that change the tree.
#include <random>
#include "treectrl/TreeTestSupport.h"

namespace {
TEST(TreeMergeSort, SortsStablyAndStaysInsideTheArrayWhateverTheComparisonSays)
{
    std::vector<std::pair<int, int>> items;
    for (int i = 0; i < 1000; ++i)
        items.emplace_back((i * 7919) % 101, i);
    SECTreeSort::MergeSort(items, [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 1; i < items.size(); ++i) {
        ASSERT_LE(items[i - 1].first, items[i].first);
        if (items[i - 1].first == items[i].first) {
            ASSERT_LT(items[i - 1].second, items[i].second) << "equal keys keep their order";
        }
    }
    std::mt19937 random(12);
    std::vector<int> values(777);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<int>(i);
    SECTreeSort::MergeSort(values, [&](int, int) { return random() % 2 == 0; });
    std::sort(values.begin(), values.end());
    for (size_t i = 0; i < values.size(); ++i)
        ASSERT_EQ(static_cast<int>(i), values[i]) << "an inconsistent comparison still yields a permutation";
}

// Item data are the sort keys; the comparison counts its calls.
int CALLBACK ByData(LPARAM a, LPARAM b, LPARAM lParamSort)
{
    ++*reinterpret_cast<int*>(lParamSort);
    return a < b ? -1 : a > b ? 1 : 0;
}

class TreeSort : public TreeFixture
{
protected:
    // Gives each item of the shape item data from its name's last digit (or 0).
    std::map<std::string, HTREEITEM> Keyed(const char* shape, std::map<std::string, int> keys)
    {
        auto t = Shape(tree, shape);
        for (auto& [name, key] : keys)
            tree.SetItemData(t[name], static_cast<DWORD_PTR>(key));
        return t;
    }
    BOOL SortCB(HTREEITEM hParent, BOOL bRecursive = FALSE)
    {
        TVSORTCB sort{hParent, &ByData, reinterpret_cast<LPARAM>(&calls)};
        events.clear();
        return tree.SortChildrenCB(&sort, bRecursive);
    }
    std::vector<const SECListItem*> Records()
    {
        std::vector<const SECListItem*> records;
        for (int row = 0; row < tree.GetItemCount(); ++row)
            records.push_back(tree.GetItemAt(row));
        return records;
    }
    int calls = 0; // comparisons made
};

TEST_F(TreeSort, ChildrenOfAnExpandedItemTakeTheirOrderWithTheirRowsSelectionAndCaret)
{
    auto t = Keyed("p+(c+(c1 c2) a b) q", {{"c", 3}, {"a", 1}, {"b", 2}});
    tree.EnableMultiSelect(TRUE);
    tree.SelectItem(t["c2"], TVGN_CARET);
    tree.AddToSelection(t["b"]);
    auto records = Records();
    std::sort(records.begin(), records.end());
    ASSERT_TRUE(SortCB(t["p"]));
    EXPECT_EQ("p a b c c1 c2 q", RowLabels(tree));
    EXPECT_GT(calls, 0);
    // The selection is made again, item by item in the order of the old
    // rows (p kept the selection it had when it was inserted), then the
    // caret; the owner hears of each.
    std::vector<std::pair<UINT, HTREEITEM>> told;
    for (const TreeEvent& e : events)
        told.emplace_back(e.code, e.view.itemNew.hItem);
    const std::vector<std::pair<UINT, HTREEITEM>> expected = {
        {TVN_SELCHANGINGW, t["p"]},  {TVN_SELCHANGEDW, t["p"]}, {TVN_SELCHANGINGW, t["c2"]},
        {TVN_SELCHANGEDW, t["c2"]},  {TVN_SELCHANGINGW, t["b"]}, {TVN_SELCHANGEDW, t["b"]},
        {TVN_SELCHANGINGW, t["c2"]}, {TVN_SELCHANGEDW, t["c2"]}};
    EXPECT_EQ(expected, told) << owner.Listing();
    auto after = Records();
    std::sort(after.begin(), after.end());
    EXPECT_EQ(records, after) << "the same row records, relinked";
    EXPECT_EQ(t["c2"], tree.GetCaretItem());
    EXPECT_TRUE(tree.GetItemState(t["b"], TVIS_SELECTED) && tree.GetItemState(t["c2"], TVIS_SELECTED));
    EXPECT_TRUE(tree.GetItemState(t["p"], TVIS_SELECTED));
    EXPECT_FALSE(tree.GetItemState(t["a"], TVIS_SELECTED));
    EXPECT_TRUE(TreeIsConsistent(tree));

    // An owner that refuses an item's selection while it is made again.
    RecordTree(owner, events, [&](NMHDR* header, LRESULT& result) {
        const auto* view = reinterpret_cast<const NMTREEVIEWW*>(header);
        if (header->code != static_cast<UINT>(TVN_SELCHANGINGW) || view->itemNew.hItem != t["b"])
            return false;
        result = 1;
        return true;
    });
    tree.SetItemData(t["b"], 9); // b sorts last now
    ASSERT_TRUE(SortCB(t["p"]));
    EXPECT_EQ("p a c c1 c2 b q", RowLabels(tree));
    EXPECT_FALSE(tree.GetItemState(t["b"], TVIS_SELECTED));
    EXPECT_TRUE(tree.GetItemState(t["c2"], TVIS_SELECTED));
    EXPECT_EQ(t["c2"], tree.GetCaretItem());
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeSort, CollapsedEmptyLeafAndUnknownParentsAndRecursiveLabelSorts)
{
    EXPECT_TRUE(SortCB(TVI_ROOT)) << "an empty tree";
    auto t = Keyed("p(z y x) q", {{"z", 3}, {"y", 2}, {"x", 1}});
    const auto records = Records();
    EXPECT_TRUE(SortCB(t["q"]) && calls == 0) << "a leaf";
    ASSERT_TRUE(SortCB(t["p"]));
    EXPECT_EQ(records, Records()) << "a collapsed parent touches no row";
    EXPECT_EQ(t["x"], tree.GetChildItem(t["p"]));
    tree.Expand(t["p"], TVE_EXPAND);
    EXPECT_EQ("p x y z q", RowLabels(tree));
    EXPECT_FALSE(SortCB(reinterpret_cast<HTREEITEM>(&calls)));
    TVSORTCB none{TVI_ROOT, nullptr, 0};
    EXPECT_FALSE(tree.SortChildrenCB(&none) || tree.SortChildrenCB(nullptr));
    EXPECT_EQ("p x y z q", RowLabels(tree));

    tree.DeleteAllItems();
    Shape(tree, "b+(Z y+(k J)) A");
    ASSERT_TRUE(tree.SortChildren(TVI_ROOT, TRUE));
    EXPECT_EQ("A b y J k Z", RowLabels(tree)) << "every level, without case";
    EXPECT_TRUE(TreeIsConsistent(tree));
}

// After a sort the items are selected again one by one in an order of their
// own; rows found for items visited out of order (the control keeps an index
// for them) must be right also once the rows changed again.
TEST_F(TreeSort, RowsOfItemsVisitedOutOfOrderStayRightAsRowsChange)
{
    const int n = 3000;
    const HTREEITEM hParent = tree.InsertItem(L"parent", TVI_ROOT, TVI_LAST);
    std::vector<HTREEITEM> items;
    for (int i = 0; i < n; ++i)
        items.push_back(tree.InsertItem(L"child", hParent, TVI_LAST));
    tree.Expand(hParent, TVE_EXPAND);
    auto check = [&](const char* when) {
        std::vector<int> order(items.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = static_cast<int>((i * 7919) % order.size());
        for (int k : order) {
            const int row = tree.RowOf(items[static_cast<size_t>(k)]);
            ASSERT_EQ(items[static_cast<size_t>(k)], tree.NodeFromRow(row)) << when << ", item " << k;
        }
    };
    check("as inserted");
    tree.DeleteItem(items[10]); // every later row moves up by one
    items.erase(items.begin() + 10);
    check("after a deletion");
    tree.InsertItem(L"first", hParent, TVI_FIRST); // every row moves down by one
    check("after an insertion at the top");
    tree.Expand(hParent, TVE_COLLAPSE);
    for (int k : {0, 100, 2000})
        EXPECT_EQ(-1, tree.RowOf(items[static_cast<size_t>(k)])) << "collapsed: no row";
}

// A comparison that deletes an item, or destroys the tree, while it is asked.
SECTreeCtrl* g_pTree = nullptr;
HTREEITEM g_hVictim = nullptr;
int CALLBACK Hostile(LPARAM a, LPARAM b, LPARAM destroy)
{
    if (destroy)
        g_pTree->DestroyWindow();
    else if (g_hVictim != nullptr)
        g_pTree->DeleteItem(std::exchange(g_hVictim, nullptr));
    return a < b ? 1 : -1;
}

TEST_F(TreeSort, AComparisonThatChangesTheTreeEndsTheSortWithTheTreeWhole)
{
    std::map<std::string, HTREEITEM> t = Shape(tree, "p+(a b c d) q");
    g_pTree = &tree;
    g_hVictim = t["b"];
    TVSORTCB sort{t["p"], &Hostile, 0};
    EXPECT_FALSE(tree.SortChildrenCB(&sort));
    EXPECT_EQ(nullptr, g_hVictim);
    EXPECT_EQ(3, tree.CountChildren(t["p"]));
    EXPECT_TRUE(TreeIsConsistent(tree));
    sort.lParam = 1;
    EXPECT_FALSE(tree.SortChildrenCB(&sort));
    EXPECT_FALSE(::IsWindow(tree.m_hWnd));
    g_pTree = nullptr;
}
} // namespace
