// Inserting items (every position code, sorted orders) and deleting them
// (leaf first, each unlinked when told). That rows show the shown items in
// pre-order is checked after every step of the random runs.
#include "treectrl/TreeTestSupport.h"

using TreeInsert = TreeFixture;
using TreeDelete = TreeFixture;

TEST_F(TreeInsert, EveryPositionCodeAndAPositionThatIsNoChild)
{
    auto t = Shape(tree, "p+(m)");
    tree.InsertItem(L"last", t["p"], TVI_LAST);
    tree.InsertItem(L"first", t["p"], TVI_FIRST);
    tree.InsertItem(L"after-m", t["p"], t["m"]);
    tree.InsertItem(L"root-code", t["p"], TVI_ROOT);
    tree.InsertItem(L"null", t["p"], nullptr);
    EXPECT_EQ("p first m after-m last root-code null", RowLabels(tree));
    // After an item that is not a child: nothing linked, nothing kept; into a
    // parent without children any position links the only child.
    const LONG texts = _Node::GetLiveTextCount();
    EXPECT_EQ(nullptr, tree.InsertItem(L"stray", TVI_ROOT, t["m"]));
    EXPECT_EQ(texts, _Node::GetLiveTextCount());
    const HTREEITEM hOnly = tree.InsertItem(L"only", t["m"], t["p"]);
    EXPECT_EQ(hOnly, tree.GetChildItem(t["m"]));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeInsert, SortedInsertionPlacesEqualLabelsAfterTheirEquals)
{
    auto up = Shape(tree, "apple Apple cherry");
    HTREEITEM hNew = tree.InsertItem(L"apple", TVI_ROOT, TVI_SORT);
    EXPECT_TRUE(tree.GetPrevSiblingItem(hNew) == up["Apple"] && tree.GetNextSiblingItem(hNew) == up["cherry"]);
    tree.DeleteAllItems();
    auto down = Shape(tree, "cherry banana apple");
    hNew = tree.InsertItem(L"banana", TVI_ROOT, SEC_TVI_SORTDESCENDING);
    EXPECT_TRUE(tree.GetPrevSiblingItem(hNew) == down["banana"] && tree.GetNextSiblingItem(hNew) == down["apple"]);
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

TEST_F(TreeDelete, ChildrenGoFirstLeftmostFirstEachAlreadyUnlinked)
{
    auto t = Shape(tree, "a+(a1+(x y) a2) b");
    tree.SetItemData(t["x"], 11);
    tree.SelectItem(t["y"], TVGN_CARET);
    events.clear();
    ASSERT_TRUE(tree.DeleteItem(t["a"]));
    EXPECT_EQ((std::vector<HTREEITEM>{t["x"], t["y"], t["a1"], t["a2"], t["a"]}), Deleted(events)) << owner.Listing();
    for (const TreeEvent& e : events)
        EXPECT_TRUE(!e.linked && e.view.itemOld.mask == static_cast<UINT>(TVIF_HANDLE | TVIF_PARAM));
    EXPECT_TRUE(events.front().view.itemOld.lParam == 11 && tree.GetCaretItem() == t["b"]);
    EXPECT_TRUE(TreeIsConsistent(tree));
    EXPECT_FALSE(tree.GetRootNode()->IsAncestorOf(reinterpret_cast<_Node*>(t["a1"]))) << "a stale handle";

    // Everything: an empty tree that works again, no text left behind.
    const LONG texts = _Node::GetLiveTextCount();
    Shape(tree, "c+(c1) d");
    events.clear();
    ASSERT_TRUE(tree.DeleteItem(TVI_ROOT));
    EXPECT_TRUE(Deleted(events).size() == 4u && tree.GetItemCount() == 0);
    EXPECT_EQ(texts - 1, _Node::GetLiveTextCount()) << "b went too";
    tree.InsertItem(L"again", tree.InsertItem(L"new"));
    EXPECT_TRUE(RowLabels(tree) == "new" && TreeIsConsistent(tree));

    events.clear();
    tree.DestroyWindow();
    EXPECT_EQ(2u, Deleted(events).size()) << "destroying the window deletes every item, telling the owner";
    SECTreeCtrl windowless;
    windowless.InsertItem(L"quiet", windowless.InsertItem(L"top"));
    EXPECT_TRUE(windowless.DeleteItem(TVI_ROOT));
    EXPECT_EQ(2u, Deleted(events).size());
    {
        SECTreeCtrl goingFirst; // an object that goes before its window
        ASSERT_TRUE(goingFirst.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &owner, 101));
        goingFirst.InsertItem(L"leaf", goingFirst.InsertItem(L"top"));
    }
    EXPECT_EQ(4u, Deleted(events).size()) << "its owner is told of its items too";
}
