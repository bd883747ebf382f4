// Item attributes: owner callbacks both ways, state kept in step between node
// and row, inherited attributes, column 0 of the list answered by the nodes,
// texts of further columns, and null or root handles.
#include "treectrl/TreeTestSupport.h"

using TreeItem = TreeFixture;

TEST_F(TreeItem, CallbackFieldsAreAskedOfTheOwnerOnlyWhenResolving)
{
    HTREEITEM hItem = tree.InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM, LPSTR_TEXTCALLBACKW, I_IMAGECALLBACK, 0, 0,
                                      0, 99, TVI_ROOT, TVI_LAST);
    LPCWSTR answer = L"from owner";
    bool keep = false;
    RecordTree(owner, events, [&](NMHDR* header, LRESULT&) {
        NMTVDISPINFOW* info = reinterpret_cast<NMTVDISPINFOW*>(header);
        if (header->code == TVN_GETDISPINFOW) {
            info->item.pszText = const_cast<LPWSTR>(answer);
            info->item.iImage = 5;
            info->item.state = 0x10000; // an upper bit marks the answer with 0x1000
            info->item.mask |= keep ? TVIF_DI_SETITEM : 0;
        }
        return false;
    });
    events.clear(); // measuring the new row asked already
    TVITEMW item{};
    item.mask = TVIF_TEXT | TVIF_IMAGE;
    item.hItem = hItem;
    ASSERT_TRUE(tree.GetItem(&item, FALSE, FALSE));
    EXPECT_EQ(LPSTR_TEXTCALLBACKW, item.pszText);
    EXPECT_TRUE(events.empty());
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
    ASSERT_TRUE(tree.GetItem(&item, FALSE, TRUE));
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(static_cast<UINT>(TVIF_TEXT | TVIF_IMAGE), events[0].mask) << "only the callback fields";
    EXPECT_EQ(hItem, events[0].hNew);
    EXPECT_EQ(99, events[0].lParam);
    EXPECT_EQ(5, item.iImage);
    EXPECT_EQ(0x11000u, item.state);
    EXPECT_EQ("from owner", Label(tree, hItem));

    // Setting callback fields tells the owner and stores nothing.
    events.clear();
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM;
    item.pszText = const_cast<LPWSTR>(L"typed");
    item.lParam = 100;
    ASSERT_TRUE(tree.SetItem(&item));
    ASSERT_EQ(std::vector<UINT>{TVN_SETDISPINFOW}, Codes(events));
    EXPECT_EQ(static_cast<UINT>(TVIF_TEXT | TVIF_IMAGE), events[0].mask);
    EXPECT_EQ("typed", events[0].text);
    EXPECT_EQ(100u, tree.GetItemData(hItem));
    EXPECT_TRUE(tree.RowNeedsOwnerData(0));
    // An owner that asks to keep its answer ends the callback.
    keep = true;
    answer = L"kept";
    EXPECT_EQ("kept", Label(tree, hItem));
    EXPECT_FALSE(tree.Node(hItem)->IsTextCallback());
}

TEST_F(TreeItem, NodeAndRowCarryTheSameStateBits)
{
    TreeShape t(tree, "a+(a1 a2) b(b1)");
    tree.ModifyTreeExStyle(0, SEC_TVSX_MULTISELECT);
    ASSERT_TRUE(tree.SetItemState(t["a2"], TVIS_SELECTED | TVIS_CUT, TVIS_SELECTED | TVIS_CUT));
    const int row = tree.RowOf(t["a2"]);
    EXPECT_EQ(static_cast<UINT>(LVIS_SELECTED | LVIS_CUT), tree.GetItemState(row, LVIS_SELECTED | LVIS_CUT));
    tree.SetItemState(row, 0, LVIS_SELECTED);
    EXPECT_EQ(0u, tree.GetItemState(t["a2"], TVIS_SELECTED)) << "from the list back to the node";
    // The row only knows that there is an overlay; the node keeps its index.
    tree.SetItemState(t["a2"], INDEXTOOVERLAYMASK(2), TVIS_OVERLAYMASK);
    EXPECT_EQ(static_cast<UINT>(LVIS_OVERLAYMASK), tree.GetItemAt(row)->m_state & LVIS_OVERLAYMASK);
    EXPECT_EQ(INDEXTOOVERLAYMASK(2), tree.GetRowState(row, TVIS_OVERLAYMASK));
    // A node selected while it has no row is selected when it gets one.
    tree.SetItemState(t["b1"], TVIS_SELECTED, TVIS_SELECTED);
    tree.Expand(t["b"], TVE_EXPAND);
    EXPECT_TRUE(tree.GetSelection().Contains(tree.RowOf(t["b1"])));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeItem, HiddenAndGreyedAreInheritedAndHidingMovesRows)
{
    TreeShape t(tree, "a+(a1+(x) a2) b");
    tree.ModifyTreeExStyle(0, SEC_TVSX_MULTISELECT);
    tree.SetItemState(t["x"], TVIS_SELECTED, TVIS_SELECTED);
    SECTreeAttributes request;
    request.mask = SEC_TVAF_VALUE;
    request.value = request.valueMask = _Node::attrHidden | _Node::attrGreyed;
    ASSERT_TRUE(tree.SetItemAttributes(t["a1"], request));
    EXPECT_EQ("a a2 b", RowLabels(tree));
    EXPECT_EQ(0u, tree.GetItemState(t["x"], TVIS_SELECTED)) << "a row that goes leaves the selection";
    EXPECT_TRUE(tree.IsItemHidden(t["x"]));
    SECTreeAttributes asked;
    asked.valueMask = _Node::attrGreyed;
    tree.GetItemAttributes(t["x"], asked);
    EXPECT_EQ(static_cast<UINT>(_Node::attrGreyed), asked.value);
    Hidden(tree, t["a1"], false);
    EXPECT_EQ("a a1 x a2 b", RowLabels(tree)) << "shown again at its place";
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeItem, TheListsColumnZeroIsTheNodeAndFurtherColumnsKeepTheirTexts)
{
    TreeShape t(tree, "a(a1) b");
    ASSERT_TRUE(tree.SetItemText(tree.RowOf(t["b"]), 0, L"renamed"));
    EXPECT_EQ("renamed", Label(tree, t["b"]));
    ASSERT_TRUE(tree.SetItemData(tree.RowOf(t["b"]), 5));
    EXPECT_EQ(5u, tree.GetItemData(t["b"]));
    EXPECT_EQ(t["b"], tree.NodeFromRow(1)) << "the row keeps its link to the node";

    tree.InsertColumn(1, L"Size", LVCFMT_LEFT, 60);
    ASSERT_TRUE(tree.EnableSubItemStorage(TRUE));
    ASSERT_TRUE(tree.SetItemText(t["a1"], 1, L"12 KB"));
    EXPECT_FALSE(tree.SetItemText(t["a1"], 5, L"no such column"));
    tree.Expand(t["a"], TVE_EXPAND);
    EXPECT_EQ(CString(L"12 KB"), tree.SECListCtrl::GetItemText(tree.RowOf(t["a1"]), 1)) << "kept without a row";
    tree.DeleteItem(t["a"]);
    EXPECT_EQ(0, tree.GetSubItemStorage()->GetItemCount()) << "deleted items drop their texts";
    EXPECT_TRUE(tree.EnableSubItemStorage(FALSE));
    EXPECT_FALSE(tree.EnableSubItemStorage(FALSE));
    ASSERT_TRUE(tree.SetItemText(t["b"], 1, L"3 KB")) << "without the storage, in the row's cell";
    EXPECT_EQ(CString(L"3 KB"), tree.GetItemText(t["b"], 1));
}

TEST_F(TreeItem, NullAndRootHandlesAreTheRootEverywhere)
{
    TreeShape t(tree, "a(a1) b");
    for (HTREEITEM hRoot : {static_cast<HTREEITEM>(nullptr), TVI_ROOT}) {
        EXPECT_EQ(t["a"], tree.GetChildItem(hRoot));
        EXPECT_EQ(t["a"], tree.GetTopLevelItem(hRoot));
        EXPECT_EQ(nullptr, tree.GetParentItem(hRoot));
        EXPECT_EQ(-1, tree.RowOf(hRoot));
        EXPECT_FALSE(tree.RedrawItem(hRoot));
        EXPECT_FALSE(tree.EnsureVisible(hRoot));
        EXPECT_FALSE(tree.AddToSelection(hRoot));
        EXPECT_TRUE(tree.SelectDropTarget(hRoot));
        EXPECT_TRUE(tree.Expand(hRoot, TVE_EXPAND));
        EXPECT_EQ(3, tree.CountChildren(hRoot, TRUE));
        EXPECT_EQ(CString(), tree.GetItemText(hRoot));
        EXPECT_EQ(static_cast<UINT>(TVIS_EXPANDED), tree.GetItemState(hRoot, TVIS_EXPANDED));
    }
    EXPECT_EQ(t["a"], tree.GetTopLevelItem(t["a1"]));
    EXPECT_EQ("a b", RowLabels(tree));
    EXPECT_TRUE(TreeIsConsistent(tree));
}
