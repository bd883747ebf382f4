// Deleting items: one notification per item, children first, each unlinked
// when the owner hears of it; owners that change the tree meanwhile; deleting
// everything; stale handles.
#include <set>
#include "treectrl/TreeTestSupport.h"

namespace {
std::vector<HTREEITEM> Deleted(const std::vector<TreeEvent>& events)
{
    std::vector<HTREEITEM> items;
    for (const TreeEvent& e : events)
        if (e.code == TVN_DELETEITEMW)
            items.push_back(e.hOld);
    return items;
}
} // namespace

using TreeDelete = TreeFixture;

TEST_F(TreeDelete, ChildrenGoFirstLeftmostFirstEachAlreadyUnlinked)
{
    TreeShape t(tree, "a+(a1+(x y) a2) b");
    tree.SetItemData(t["x"], 11);
    tree.SelectItem(t["y"], TVGN_CARET);
    events.clear();
    ASSERT_TRUE(tree.DeleteItem(t["a"]));
    EXPECT_EQ((std::vector<HTREEITEM>{t["x"], t["y"], t["a1"], t["a2"], t["a"]}), Deleted(events)) << Events();
    for (const TreeEvent& e : events) {
        EXPECT_FALSE(e.linked);
        EXPECT_EQ(static_cast<UINT>(TVIF_HANDLE | TVIF_PARAM), e.mask);
    }
    EXPECT_EQ(11, events.front().lParam);
    EXPECT_EQ(t["b"], tree.GetCaretItem());
    EXPECT_TRUE(TreeIsConsistent(tree));

    // Everything: an empty tree that works again, no text left behind.
    const LONG texts = _Node::GetLiveTextCount();
    TreeShape more(tree, "c+(c1) d");
    events.clear();
    ASSERT_TRUE(tree.DeleteItem(TVI_ROOT));
    EXPECT_EQ(4u, Deleted(events).size());
    EXPECT_EQ(0, tree.GetItemCount());
    EXPECT_EQ(texts - 1, _Node::GetLiveTextCount()) << "b went too";
    EXPECT_TRUE(tree.GetRootNode()->IsExpanded());
    tree.InsertItem(L"again", tree.InsertItem(L"new"));
    EXPECT_EQ("new", RowLabels(tree));
}

TEST_F(TreeDelete, OwnersMayChangeTheTreeWhileToldOfADeletion)
{
    TreeShape t(tree, "a+(a1+(x y) a2) b c");
    std::set<HTREEITEM> heard;
    int twice = 0;
    HTREEITEM hLate = nullptr;
    RecordTree(owner, events, [&](NMHDR* header, LRESULT&) {
        if (header->code != TVN_DELETEITEMW)
            return false;
        const HTREEITEM hItem = reinterpret_cast<NMTREEVIEWW*>(header)->itemOld.hItem;
        twice += !heard.insert(hItem).second;
        EXPECT_FALSE(tree.GetItemText(hItem).IsEmpty()) << "the item can still be read";
        if (hItem == t["x"]) {
            hLate = tree.InsertItem(L"late", t["a1"]); // below a dying item: goes with it
            tree.InsertItem(L"kept", t["c"]);
        }
        if (hItem == t["y"])
            tree.DeleteItem(t["a"]); // the grandparent of what is being deleted
        if (hItem == t["b"])
            tree.DeleteAllItems();
        return false;
    });
    ASSERT_TRUE(tree.DeleteItem(t["a1"]));
    EXPECT_EQ(1u, heard.count(hLate));
    EXPECT_EQ(1u, heard.count(t["a"]));
    EXPECT_EQ("b c", RowLabels(tree));
    EXPECT_TRUE(TreeIsConsistent(tree));
    EXPECT_TRUE(tree.DeleteItem(t["b"]));
    EXPECT_EQ(0, twice);
    EXPECT_EQ(9u, heard.size());
    EXPECT_EQ(0, tree.GetItemCount());
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeDelete, DestroyingTheWindowDeletesEveryItemWithNotifications)
{
    TreeShape t(tree, "a(a1) b");
    events.clear();
    tree.DestroyWindow();
    EXPECT_EQ(3u, Deleted(events).size());
    TreeUnderTest windowless; // nobody to tell
    windowless.InsertItem(L"quiet", windowless.InsertItem(L"top"));
    EXPECT_TRUE(windowless.DeleteItem(TVI_ROOT));
    EXPECT_EQ(3u, Deleted(events).size());
}

TEST_F(TreeDelete, StaleHandlesAreNoAncestorsOfAnything)
{
    TreeShape t(tree, "a+(a1) b");
    const HTREEITEM hStale = t["a1"];
    tree.DeleteItem(hStale);
    EXPECT_FALSE(tree.GetRootNode()->IsAncestorOf(reinterpret_cast<_Node*>(hStale)));
    EXPECT_FALSE(tree.Node(t["a"])->IsAncestorOf(reinterpret_cast<_Node*>(hStale)));
    EXPECT_FALSE(tree.GetRootNode()->IsAncestorOf(reinterpret_cast<_Node*>(static_cast<ULONG_PTR>(0x10))));
}
