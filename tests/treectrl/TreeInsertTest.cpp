// Inserting items: rows only for shown items, at their place in pre-order;
// every insertion position; sorted orders; the links the control makes; the
// row mapping.
#include "treectrl/TreeTestSupport.h"

using TreeInsert = TreeFixture;

TEST_F(TreeInsert, ItemsBelowCollapsedParentsGetRowsOnlyWhenTheParentExpands)
{
    EXPECT_TRUE(tree.IsListStyleSet(LVS_REPORT | LVS_SHAREIMAGELISTS));
    EXPECT_EQ(1, tree.GetColumnCount()) << "the tree column comes with the window";
    TreeShape t(tree, "a(a1 a2(x y) a3(z)) b");
    EXPECT_EQ("a b", RowLabels(tree));
    tree.Expand(t["a2"], TVE_EXPAND);
    EXPECT_EQ("a b", RowLabels(tree)) << "a2 is expanded, but a is not";
    Hidden(tree, t["a3"]);
    ASSERT_TRUE(tree.Expand(t["a"], TVE_EXPAND));
    EXPECT_EQ("a a1 a2 x y b", RowLabels(tree));
    // A new last child goes after the last shown row of its parent's subtree.
    tree.InsertItem(L"w", t["a"]);
    tree.InsertItem(L"z2", t["a3"]);
    tree.InsertItem(L"first", TVI_ROOT, TVI_FIRST);
    EXPECT_EQ("first a a1 a2 x y w b", RowLabels(tree));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeInsert, EveryPositionCodeAndItsFailures)
{
    TreeShape t(tree, "p+(m)");
    tree.InsertItem(L"last", t["p"], TVI_LAST);
    tree.InsertItem(L"first", t["p"], TVI_FIRST);
    tree.InsertItem(L"after-m", t["p"], t["m"]);
    tree.InsertItem(L"root-code", t["p"], TVI_ROOT);
    tree.InsertItem(L"null", t["p"], nullptr);
    EXPECT_EQ("p first m after-m last root-code null", RowLabels(tree));
    // An insert-after item that is not a child: nothing linked, nothing kept.
    const LONG texts = _Node::GetLiveTextCount();
    EXPECT_EQ(nullptr, tree.InsertItem(L"stray", TVI_ROOT, t["m"]));
    EXPECT_EQ(texts, _Node::GetLiveTextCount());
    // Into a parent without children any position links the only child.
    HTREEITEM hOnly = tree.InsertItem(L"only", t["m"], t["p"]);
    EXPECT_EQ(hOnly, tree.GetChildItem(t["m"]));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeInsert, SortedInsertionPlacesEqualLabelsAfterTheirEquals)
{
    TreeShape up(tree, "apple Apple cherry");
    HTREEITEM hNew = tree.InsertItem(L"apple", TVI_ROOT, TVI_SORT);
    EXPECT_EQ(up["Apple"], tree.GetPrevSiblingItem(hNew));
    EXPECT_EQ(up["cherry"], tree.GetNextSiblingItem(hNew));
    tree.DeleteAllItems();
    TreeShape down(tree, "cherry banana apple");
    hNew = tree.InsertItem(L"banana", TVI_ROOT, SEC_TVI_SORTDESCENDING);
    EXPECT_EQ(down["banana"], tree.GetPrevSiblingItem(hNew));
    EXPECT_EQ(down["apple"], tree.GetNextSiblingItem(hNew));
    EXPECT_EQ(nullptr, tree.GetPrevSiblingItem(tree.InsertItem(L"date", TVI_ROOT, SEC_TVI_SORTDESCENDING)));

    // Callback labels are asked of the owner; inserting them tells it nothing.
    tree.DeleteAllItems();
    RecordTree(owner, events, [](NMHDR* header, LRESULT&) {
        NMTVDISPINFOW* info = reinterpret_cast<NMTVDISPINFOW*>(header);
        if (header->code == TVN_GETDISPINFOW && (info->item.mask & TVIF_TEXT))
            lstrcpynW(info->item.pszText, reinterpret_cast<LPCWSTR>(info->item.lParam), info->item.cchTextMax);
        return false;
    });
    for (LPCWSTR label : {L"b", L"d"})
        tree.InsertItem(TVIF_TEXT | TVIF_PARAM, LPSTR_TEXTCALLBACKW, 0, 0, 0, 0, reinterpret_cast<LPARAM>(label),
                        TVI_ROOT, TVI_LAST);
    tree.InsertItem(L"c", TVI_ROOT, TVI_SORT);
    EXPECT_EQ("b c d", RowLabels(tree));
    EXPECT_EQ(0, owner.Count(TVN_SETDISPINFOW));
}

TEST_F(TreeInsert, AppendingAfterDeletionsKeepsTheLinksAddChildWouldMake)
{
    TreeShape t(tree, "p+(a b c)");
    tree.DeleteItem(t["c"]);
    HTREEITEM hD = tree.InsertItem(L"d", t["p"]);
    EXPECT_EQ(t["b"], tree.GetPrevSiblingItem(hD));
    tree.DeleteItem(t["b"]);
    tree.DeleteItem(hD);
    HTREEITEM hE = tree.InsertItem(L"e", t["p"]);
    HTREEITEM hF = tree.InsertItem(L"f", t["p"], hE);
    HTREEITEM hG = tree.InsertItem(L"g", t["p"], t["a"]);
    EXPECT_EQ("p a g e f", RowLabels(tree));
    EXPECT_EQ(hE, tree.GetPrevSiblingItem(hF));
    EXPECT_EQ(t["a"], tree.GetPrevSiblingItem(hG));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeInsert, RowsAndPreviousVisibleItems)
{
    TreeShape t(tree, "a+(a1(deep) a2) b(b1) c");
    tree.SetItemData(t["a2"], 42);
    EXPECT_EQ(42u, tree.GetItemData(tree.RowOf(t["a2"]))) << "the list sees the owner's data, not the node";
    tree.m_nRowCache = 0;
    EXPECT_EQ(1, tree.RowOf(t["a1"]));
    EXPECT_EQ(2, tree.RowOf(t["a2"]));
    EXPECT_EQ(2, tree.m_nRowCache) << "walking down the rows hits the cache";
    EXPECT_EQ(nullptr, tree.NodeFromRow(99));

    EXPECT_EQ(nullptr, tree.GetPrevVisibleItem(t["a"]));
    EXPECT_EQ(t["a2"], tree.GetPrevVisibleItem(t["b"]));
    EXPECT_EQ(t["a1"], tree.GetPrevVisibleItem(t["deep"])) << "inside a collapsed item: that item";
    Hidden(tree, t["b"]);
    EXPECT_EQ(t["a2"], tree.GetPrevVisibleItem(t["c"]));
    EXPECT_EQ(t["a2"], tree.GetPrevVisibleItem(t["b1"])) << "below a hidden item: what is before it";
    EXPECT_EQ(t["a"], tree.GetNextVisibleItem(TVI_ROOT));
}
