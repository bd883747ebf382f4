// Expanding and collapsing: notifications and vetoes, children the owner
// declares or adds late, the caret leaving a collapsed subtree, reset,
// EnsureVisible, ExpandAll, CountChildren and scrolling after an expansion.
#include "treectrl/TreeTestSupport.h"

using TreeExpand = TreeFixture;

TEST_F(TreeExpand, NotifiesBeforeAndAfterWithTheActionAndOnlyTheExpandedBit)
{
    TreeShape t(tree, "a(a1 a2) b");
    tree.SetItemState(t["a"], TVIS_BOLD, TVIS_BOLD);
    tree.SetItemData(t["a"], 7);
    events.clear();
    ASSERT_TRUE(tree.Expand(t["a"], TVE_TOGGLE));
    ASSERT_EQ(2u, events.size()) << Events();
    EXPECT_EQ(TVN_ITEMEXPANDINGW, events[0].code);
    EXPECT_EQ(static_cast<UINT>(TVE_EXPAND), events[0].action) << "a toggle is told as what it does";
    EXPECT_EQ(t["a"], events[0].hNew);
    EXPECT_EQ(7, events[0].lParam);
    EXPECT_EQ(static_cast<UINT>(TVIS_EXPANDED), events[1].newState);
    EXPECT_EQ(0, tree.GetFocusItem()) << "the expanded item's row takes the focus";
    events.clear();
    EXPECT_TRUE(tree.Expand(t["a"], TVE_EXPAND));
    EXPECT_EQ(std::vector<UINT>{TVN_ITEMEXPANDINGW}, Codes(events)) << "already expanded";
    events.clear();
    ASSERT_TRUE(tree.Expand(t["a"], TVE_TOGGLE));
    EXPECT_EQ(static_cast<UINT>(TVE_COLLAPSE), events.at(0).action);
    EXPECT_EQ(0u, events.at(1).newState);
    events.clear();
    EXPECT_TRUE(tree.Expand(t["b"], TVE_EXPAND)) << "no children, none declared: nothing to do";
    EXPECT_FALSE(tree.Expand(TVI_ROOT, TVE_COLLAPSE)) << "the root stays expanded";
    EXPECT_TRUE(events.empty()) << Events();

    owner.answers[TVN_ITEMEXPANDINGW] = 1;
    EXPECT_FALSE(tree.Expand(t["a"], TVE_EXPAND));
    EXPECT_EQ("a b", RowLabels(tree)) << "a veto leaves the rows";
    EXPECT_FALSE(tree.IsItemExpanded(t["a"]));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeExpand, ChildrenTheOwnerDeclaresAndAddsWhileAskedAppear)
{
    HTREEITEM hLazy = tree.InsertItem(L"lazy");
    HTREEITEM hEmpty = tree.InsertItem(L"empty");
    TVITEMW item{};
    item.mask = TVIF_CHILDREN;
    item.hItem = hLazy;
    item.cChildren = 1;
    tree.SetItem(&item);
    item.hItem = hEmpty;
    item.cChildren = I_CHILDRENCALLBACK;
    tree.SetItem(&item);
    RecordTree(owner, events, [&](NMHDR* header, LRESULT&) {
        NMTVDISPINFOW* info = reinterpret_cast<NMTVDISPINFOW*>(header);
        if (header->code == TVN_GETDISPINFOW && (info->item.mask & TVIF_CHILDREN))
            info->item.cChildren = 1; // "empty" claims children it never gives
        if (header->code == TVN_ITEMEXPANDINGW && reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem == hLazy &&
            tree.GetChildItem(hLazy) == nullptr) {
            tree.InsertItem(L"one", hLazy);
            tree.InsertItem(L"two", hLazy);
        }
        return false;
    });
    EXPECT_TRUE(tree.Expand(hLazy, TVE_EXPAND));
    EXPECT_EQ("lazy one two empty", RowLabels(tree));
    EXPECT_FALSE(tree.Expand(hEmpty, TVE_EXPAND)) << "declared, asked, nothing came";
    EXPECT_FALSE(tree.IsItemExpanded(hEmpty));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeExpand, CollapsingAnAncestorOfTheCaretMovesTheCaretToIt)
{
    TreeShape t(tree, "a+(a1+(x) a2) b");
    ASSERT_TRUE(tree.SelectItem(t["x"], TVGN_CARET));
    events.clear();
    ASSERT_TRUE(tree.Expand(t["a"], TVE_COLLAPSE));
    const std::vector<UINT> expected = {TVN_ITEMEXPANDINGW, TVN_SELCHANGINGW, TVN_SELCHANGEDW, TVN_ITEMEXPANDEDW};
    ASSERT_EQ(expected, Codes(events)) << Events();
    EXPECT_EQ(static_cast<UINT>(TVC_BYMOUSE), events[1].action);
    EXPECT_EQ(t["a"], events[1].hNew);
    EXPECT_EQ(t["x"], events[1].hOld);
    EXPECT_EQ(static_cast<UINT>(TVC_BYMOUSE), events[2].action);
    EXPECT_EQ(nullptr, events[2].hOld) << "the old caret has no row any more";
    EXPECT_EQ(t["a"], tree.GetFirstSelectedItem());
    EXPECT_EQ(0u, tree.GetItemState(t["x"], TVIS_SELECTED));
    // Outside the subtree the selection stays; the focus follows the item.
    tree.Expand(t["a"], TVE_EXPAND);
    tree.SelectItem(t["b"], TVGN_CARET);
    events.clear();
    tree.Expand(t["a1"], TVE_COLLAPSE);
    EXPECT_EQ((std::vector<UINT>{TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}), Codes(events)) << Events();
    EXPECT_EQ(t["b"], tree.GetFirstSelectedItem());
    EXPECT_EQ(t["a1"], tree.GetCaretItem());

    events.clear();
    ASSERT_TRUE(tree.Expand(t["a"], TVE_COLLAPSE | TVE_COLLAPSERESET));
    std::vector<HTREEITEM> deleted;
    for (const TreeEvent& e : events)
        if (e.code == TVN_DELETEITEMW)
            deleted.push_back(e.hOld);
    EXPECT_EQ((std::vector<HTREEITEM>{t["x"], t["a1"], t["a2"]}), deleted) << "a reset deletes the children";
    EXPECT_FALSE(tree.ItemHasChildren(t["a"]));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeExpand, EnsureVisibleExpandsEveryCollapsedAncestor)
{
    TreeShape t(tree, "top c1(c2(c3(c4 other)))");
    ASSERT_TRUE(tree.EnsureVisible(t["c4"]));
    EXPECT_EQ("top c1 c2 c3 c4 other", RowLabels(tree));
    tree.Expand(t["c1"], TVE_COLLAPSE);
    owner.answers[TVN_ITEMEXPANDINGW] = 1;
    EXPECT_FALSE(tree.EnsureVisible(t["c4"])) << "a refused ancestor ends it";
    owner.answers.clear();
    Hidden(tree, t["c2"]);
    EXPECT_FALSE(tree.EnsureVisible(t["c4"])) << "below a hidden item";
    EXPECT_EQ("top c1", RowLabels(tree));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeExpand, ExpandAllExpandsTheSubtreeAndRespectsVetoes)
{
    TreeShape t(tree, "a(a1(x y) a2(z)) b(b1)");
    RecordTree(owner, events, [&](NMHDR* header, LRESULT& result) {
        result = header->code == TVN_ITEMEXPANDINGW && reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem == t["a2"];
        return result != 0;
    });
    ASSERT_TRUE(tree.ExpandAll(t["a"]));
    EXPECT_EQ("a a1 x y a2 b", RowLabels(tree));
    EXPECT_EQ("a2", Label(tree, tree.GetCaretItem())) << "each expansion moves the focus before asking";
    EXPECT_TRUE(TreeIsConsistent(tree));
    ASSERT_TRUE(tree.ExpandAll(TVI_ROOT));
    EXPECT_EQ("a a1 x y a2 b b1", RowLabels(tree));
    EXPECT_EQ(2, tree.CountChildren(TVI_ROOT));
    EXPECT_EQ(8, tree.CountChildren(TVI_ROOT, TRUE));
    EXPECT_EQ(7, tree.CountChildren(TVI_ROOT, TRUE, TRUE)) << "z below the collapsed a2 is not counted";
}

TEST_F(TreeExpand, AnExpansionScrollsItsChildrenIntoViewKeepingTheItem)
{
    tree.SetWindowPos(nullptr, 0, 0, 300, 120, SWP_NOMOVE | SWP_NOZORDER);
    for (int i = 0; i < 30; ++i)
        tree.InsertItem(L"top");
    HTREEITEM hMany = tree.InsertItem(L"many");
    for (int i = 0; i < 40; ++i)
        tree.InsertItem(L"m", hMany);
    ASSERT_TRUE(tree.Expand(hMany, TVE_EXPAND));
    EXPECT_EQ(tree.RowOf(hMany), tree.GetTopIndex()) << "more children than a page: the item stays at the top";
    tree.Expand(hMany, TVE_COLLAPSE);
    tree.SetScrollAfterExpand(FALSE);
    tree.SetTopIndex(0);
    tree.Expand(hMany, TVE_EXPAND);
    EXPECT_EQ(0, tree.GetTopIndex()) << "without scrolling after an expansion";
}
