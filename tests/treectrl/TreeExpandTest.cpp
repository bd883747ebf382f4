// Expanding and collapsing: notifications and vetoes, children the owner
// declares or adds late, the caret, reset, EnsureVisible, ExpandAll.
#include "treectrl/TreeTestSupport.h"

using TreeExpand = TreeFixture;

TEST_F(TreeExpand, NotifiesBeforeAndAfterWithTheActionAndOnlyTheExpandedBit)
{
    auto t = Shape(tree, "a(a1 a2) b");
    tree.SetItemState(t["a"], TVIS_BOLD, TVIS_BOLD);
    tree.SetItemData(t["a"], 7);
    events.clear();
    ASSERT_TRUE(tree.Expand(t["a"], TVE_TOGGLE));
    ASSERT_EQ((std::vector<UINT>{TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}), Codes(events)) << owner.Listing();
    EXPECT_EQ(static_cast<UINT>(TVE_EXPAND), events[0].view.action) << "a toggle is told as what it does";
    const TVITEMW& asked = events[0].view.itemNew;
    EXPECT_TRUE(asked.hItem == t["a"] && asked.lParam == 7 && events[1].view.itemNew.state == TVIS_EXPANDED);
    EXPECT_EQ(0, tree.GetFocusItem()) << "the expanded item's row takes the focus";
    events.clear();
    EXPECT_TRUE(tree.Expand(t["a"], TVE_EXPAND) && tree.Expand(t["a"], TVE_TOGGLE));
    ASSERT_EQ((std::vector<UINT>{TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}), Codes(events))
        << "nothing after asking to expand an expanded item";
    EXPECT_TRUE(events[1].view.action == static_cast<UINT>(TVE_COLLAPSE) && events[2].view.itemNew.state == 0u);
    events.clear();
    EXPECT_TRUE(tree.Expand(t["b"], TVE_EXPAND)) << "no children, none declared: nothing to do";
    EXPECT_FALSE(tree.Expand(TVI_ROOT, TVE_COLLAPSE)) << "the root stays expanded";
    EXPECT_TRUE(events.empty()) << owner.Listing();
    owner.answers[TVN_ITEMEXPANDINGW] = 1;
    EXPECT_FALSE(tree.Expand(t["a"], TVE_EXPAND));
    EXPECT_TRUE(RowLabels(tree) == "a b" && !tree.IsItemExpanded(t["a"])) << "a veto changes nothing";
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeExpand, ChildrenTheOwnerDeclaresAndAddsWhileAskedAppear)
{
    const HTREEITEM hLazy = tree.InsertItem(L"lazy"), hEmpty = tree.InsertItem(L"empty");
    for (auto [hItem, children] : {std::pair{hLazy, 1}, std::pair{hEmpty, I_CHILDRENCALLBACK}}) {
        TVITEMW item{TVIF_CHILDREN, hItem, 0, 0, nullptr, 0, 0, 0, children, 0};
        tree.SetItem(&item);
    }
    RecordTree(owner, events, [&](NMHDR* header, LRESULT&) {
        NMTVDISPINFOW* info = reinterpret_cast<NMTVDISPINFOW*>(header);
        if (header->code == TVN_GETDISPINFOW && (info->item.mask & TVIF_CHILDREN))
            info->item.cChildren = 1; // "empty" claims children it never gives
        if (header->code == TVN_ITEMEXPANDINGW && tree.GetChildItem(hLazy) == nullptr) {
            tree.InsertItem(L"one", hLazy);
            tree.InsertItem(L"two", hLazy);
        }
        return false;
    });
    EXPECT_TRUE(tree.Expand(hLazy, TVE_EXPAND));
    EXPECT_EQ("lazy one two empty", RowLabels(tree));
    EXPECT_FALSE(tree.Expand(hEmpty, TVE_EXPAND) || tree.IsItemExpanded(hEmpty)) << "declared, asked, nothing came";
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeExpand, CollapsingAnAncestorOfTheCaretMovesTheCaretToIt)
{
    auto t = Shape(tree, "a+(a1+(x) a2) b");
    ASSERT_TRUE(tree.SelectItem(t["x"], TVGN_CARET));
    events.clear();
    ASSERT_TRUE(tree.Expand(t["a"], TVE_COLLAPSE));
    const std::vector<UINT> expected = {TVN_ITEMEXPANDINGW, TVN_SELCHANGINGW, TVN_SELCHANGEDW, TVN_ITEMEXPANDEDW};
    ASSERT_EQ(expected, Codes(events)) << owner.Listing();
    const NMTREEVIEWW &changing = events[1].view, &changed = events[2].view;
    EXPECT_TRUE(changing.action == TVC_BYMOUSE && changing.itemNew.hItem == t["a"] && changing.itemOld.hItem == t["x"]);
    EXPECT_TRUE(changed.action == TVC_BYMOUSE && changed.itemOld.hItem == nullptr) << "the old caret has no row now";
    EXPECT_TRUE(tree.GetFirstSelectedItem() == t["a"] && tree.GetItemState(t["x"], TVIS_SELECTED) == 0u);
    tree.Expand(t["a"], TVE_EXPAND);
    tree.SelectItem(t["b"], TVGN_CARET);
    tree.Expand(t["a1"], TVE_COLLAPSE);
    EXPECT_TRUE(tree.GetFirstSelectedItem() == t["b"] && tree.GetCaretItem() == t["a1"]) << "focus follows";

    events.clear();
    ASSERT_TRUE(tree.Expand(t["a"], TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ((std::vector<HTREEITEM>{t["x"], t["a1"], t["a2"]}), Deleted(events)) << "a reset deletes the children";
    EXPECT_FALSE(tree.ItemHasChildren(t["a"]));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeExpand, EnsureVisibleExpandsEveryCollapsedAncestor)
{
    auto t = Shape(tree, "top c1(c2(c3(c4 other)))");
    ASSERT_TRUE(tree.EnsureVisible(t["c4"]));
    EXPECT_EQ("top c1 c2 c3 c4 other", RowLabels(tree));
    tree.Expand(t["c1"], TVE_COLLAPSE);
    owner.answers[TVN_ITEMEXPANDINGW] = 1;
    EXPECT_FALSE(tree.EnsureVisible(t["c4"])) << "a refused ancestor ends it";
    owner.answers.clear();
    Hidden(tree, t["c2"]);
    EXPECT_FALSE(tree.EnsureVisible(t["c4"])) << "below a hidden item";
    EXPECT_EQ("top c1", RowLabels(tree)) << "each refusal left the rows as they were";
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeExpand, ExpandAllRespectsVetoesAndCountChildrenCountsWhatIsBelow)
{
    auto t = Shape(tree, "a(a1(x y) a2(z)) b(b1)");
    RecordTree(owner, events, [&](NMHDR* header, LRESULT& result) {
        result = header->code == TVN_ITEMEXPANDINGW && reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem == t["a2"];
        return result != 0;
    });
    ASSERT_TRUE(tree.ExpandAll(t["a"]));
    EXPECT_EQ("a a1 x y a2 b", RowLabels(tree));
    EXPECT_EQ("a2", Label(tree, tree.GetCaretItem())) << "each expansion moves the focus before asking";
    ASSERT_TRUE(tree.ExpandAll(TVI_ROOT) && RowLabels(tree) == "a a1 x y a2 b b1");
    EXPECT_TRUE(tree.CountChildren(TVI_ROOT) == 2 && tree.CountChildren(TVI_ROOT, TRUE) == 8);
    EXPECT_EQ(7, tree.CountChildren(TVI_ROOT, TRUE, TRUE)) << "z below the collapsed a2 is not counted";
    EXPECT_TRUE(TreeIsConsistent(tree));

    // An owner deleting the item being expanded: the walk goes on after it,
    // without asking again for what it expanded before.
    tree.DeleteAllItems();
    t = Shape(tree, "p(p1) q(q1) r(r1)");
    int askedP = 0;
    RecordTree(owner, events, [&](NMHDR* header, LRESULT&) {
        const HTREEITEM hItem = reinterpret_cast<NMTREEVIEWW*>(header)->itemNew.hItem;
        if (header->code == TVN_ITEMEXPANDINGW) {
            askedP += hItem == t["p"];
            if (hItem == t["q"])
                tree.DeleteItem(hItem);
        }
        return false;
    });
    ASSERT_TRUE(tree.ExpandAll(TVI_ROOT));
    EXPECT_EQ("p p1 r r1", RowLabels(tree));
    EXPECT_EQ(1, askedP);
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeExpand, ExpandingAnItemOutOfSightBringsItsLastChildIntoSight)
{
    std::string shape;
    for (int i = 0; i < 20; ++i)
        shape += "r" + std::to_string(i) + " ";
    auto t = Shape(tree, (shape + "c1(c2(c3(l1 l2)))").c_str());
    ASSERT_TRUE(tree.Expand(t["c3"], TVE_EXPAND));
    EXPECT_TRUE(tree.IsItemVisible(t["l2"]) && tree.IsItemExpanded(t["c1"])) << "its ancestors expanded";
    EXPECT_TRUE(tree.RowOf(t["l2"]) <= tree.GetBottomIndex() && tree.RowOf(t["c3"]) >= tree.GetTopIndex())
        << "scrolled as EnsureVisible with the parent kept in sight";
    EXPECT_TRUE(TreeIsConsistent(tree));
    tree.Expand(t["c1"], TVE_COLLAPSE);
    tree.Expand(t["c3"], TVE_COLLAPSE);
    tree.SetScrollAfterExpand(FALSE);
    ASSERT_TRUE(tree.Expand(t["c3"], TVE_EXPAND));
    EXPECT_FALSE(tree.IsItemExpanded(t["c1"]) || tree.IsItemVisible(t["l2"])) << "without scrolling after expanding";
}

TEST_F(TreeExpand, CodesOtherThanTheListedOnesAreOnlyTold)
{
    auto t = Shape(tree, "a+(a1) b(b1)");
    const UINT codes[] = {0, 4, TVE_EXPANDPARTIAL | TVE_EXPAND, TVE_COLLAPSERESET | TVE_EXPAND,
                          TVE_COLLAPSERESET | TVE_TOGGLE, TVE_COLLAPSERESET | 4};
    for (UINT code : codes) {
        for (const char* name : {"a", "b"}) {
            events.clear();
            EXPECT_TRUE(tree.Expand(t[name], code));
            ASSERT_EQ((std::vector<UINT>{TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}), Codes(events)) << code;
            EXPECT_TRUE(events[0].view.action == code && events[1].view.action == code) << code;
        }
        EXPECT_EQ("a a1 b", RowLabels(tree)) << "code " << code << " changed the rows";
        EXPECT_TRUE(tree.ItemHasChildren(t["a"]) && tree.ItemHasChildren(t["b"])) << "code " << code;
    }
    EXPECT_TRUE(TreeIsConsistent(tree));
}
