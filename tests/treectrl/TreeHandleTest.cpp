// Handles that name no item of the control (a deleted item, another control's
// item, a pseudo-handle where an item is due, a pointer that never was a node)
// get the neutral answer from every member that takes a handle, and change
// nothing; items of a derived control's own node class are items like any.
#include "treectrl/TreeTestSupport.h"

namespace {
// One member called with a handle, its answer as text and the neutral answer.
struct HandleCall
{
    const char* name;
    std::function<std::string(SECTreeBaseC&, HTREEITEM)> call;
    std::string neutral;
};

std::string Bool(BOOL b) { return b ? "TRUE" : "FALSE"; }
std::string Ptr(HTREEITEM h) { return h ? "item" : "null"; }

std::vector<HandleCall> HandleCalls()
{
    using T = SECTreeBaseC&;
    using H = HTREEITEM;
    std::vector<HandleCall> calls = {
        {"GetChildItem", [](T t, H h) { return Ptr(t.GetChildItem(h)); }, "null"},
        {"GetNextSiblingItem", [](T t, H h) { return Ptr(t.GetNextSiblingItem(h)); }, "null"},
        {"GetPrevSiblingItem", [](T t, H h) { return Ptr(t.GetPrevSiblingItem(h)); }, "null"},
        {"GetParentItem", [](T t, H h) { return Ptr(t.GetParentItem(h)); }, "null"},
        {"GetTopLevelItem", [](T t, H h) { return Ptr(t.GetTopLevelItem(h)); }, "null"},
        {"GetPrevVisibleItem", [](T t, H h) { return Ptr(t.GetPrevVisibleItem(h)); }, "null"},
        {"GetNextVisibleItem", [](T t, H h) { return Ptr(t.GetNextVisibleItem(h)); }, "null"},
        {"ItemHasChildren", [](T t, H h) { return Bool(t.ItemHasChildren(h)); }, "FALSE"},
        {"IsItemHidden", [](T t, H h) { return Bool(t.IsItemHidden(h)); }, "FALSE"},
        {"IsItemVisible", [](T t, H h) { return Bool(t.IsItemVisible(h)); }, "FALSE"},
        {"IsItemExpanded", [](T t, H h) { return Bool(t.IsItemExpanded(h)); }, "FALSE"},
        {"RowOf", [](T t, H h) { return std::to_string(t.RowOf(h)); }, "-1"},
        {"CountChildren", [](T t, H h) { return std::to_string(t.CountChildren(h, TRUE)); }, "0"},
        {"GetItemData", [](T t, H h) { return std::to_string(t.GetItemData(h)); }, "0"},
        {"GetItemState", [](T t, H h) { return std::to_string(t.GetItemState(h, ~0u)); }, "0"},
        {"GetItemText 0", [](T t, H h) { return "'" + Narrow(t.GetItemText(h)) + "'"; }, "''"},
        {"GetItemText 1", [](T t, H h) { return "'" + Narrow(t.GetItemText(h, 1)) + "'"; }, "''"},
        {"SetItemText 0", [](T t, H h) { return Bool(t.SetItemText(h, 0, L"x")); }, "FALSE"},
        {"SetItemText 1", [](T t, H h) { return Bool(t.SetItemText(h, 1, L"x")); }, "FALSE"},
        {"SetItemData", [](T t, H h) { return Bool(t.SetItemData(h, 5)); }, "FALSE"},
        {"SetItemState", [](T t, H h) { return Bool(t.SetItemState(h, TVIS_BOLD, TVIS_BOLD)); }, "FALSE"},
        {"SetItemImage", [](T t, H h) { return Bool(t.SetItemImage(h, 1, 1)); }, "FALSE"},
        {"GetItem", [](T t, H h) {
             TVITEMW item{TVIF_TEXT | TVIF_PARAM | TVIF_STATE, h, 0, ~0u, nullptr, 0, 0, 0, 0, 0};
             return Bool(t.GetItem(&item, FALSE, TRUE));
         }, "FALSE"},
        {"SetItem", [](T t, H h) {
             TVITEMW item{TVIF_TEXT | TVIF_PARAM, h, 0, 0, const_cast<LPWSTR>(L"x"), 0, 0, 0, 0, 7};
             return Bool(t.SetItem(&item));
         }, "FALSE"},
        {"GetItemAttributes", [](T t, H h) {
             SECTreeAttributes request;
             return Bool(t.GetItemAttributes(h, request));
         }, "FALSE"},
        {"SetItemAttributes", [](T t, H h) {
             return Bool(t.SetItemAttributes(h, SECTreeAttributes{SEC_TVAF_VALUE, _Node::attrHidden, ~0u}));
         }, "FALSE"},
        {"InsertItem below", [](T t, H h) { return Ptr(t.InsertItem(L"new", h)); }, "null"},
        {"ExpandAll", [](T t, H h) { return Bool(t.ExpandAll(h)); }, "FALSE"},
        {"EnsureVisible", [](T t, H h) { return Bool(t.EnsureVisible(h, TRUE)); }, "FALSE"},
        {"SelectDropTarget", [](T t, H h) { return Bool(t.SelectDropTarget(h)); }, "FALSE"},
        {"AddToSelection", [](T t, H h) { return Bool(t.AddToSelection(h)); }, "FALSE"},
        {"SelectSetFirstVisible", [](T t, H h) { return Bool(t.SelectSetFirstVisible(h)); }, "FALSE"},
        {"RedrawItem", [](T t, H h) { return Bool(t.RedrawItem(h)); }, "FALSE"},
        {"NotifyItemExpanding", [](T t, H h) { return std::to_string(t.NotifyItemExpanding(h, TVE_EXPAND)); }, "0"},
        {"DeleteItem", [](T t, H h) { return Bool(t.DeleteItem(h)); }, "FALSE"},
    };
    for (UINT code : {TVGN_CARET, TVGN_DROPHILITE, TVGN_FIRSTVISIBLE})
        calls.push_back({"SelectItem", [code](T t, H h) { return Bool(t.SelectItem(h, code)); }, "FALSE"});
    for (UINT code : {TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE, TVE_COLLAPSERESET, TVE_COLLAPSE | TVE_COLLAPSERESET})
        calls.push_back({"Expand", [code](T t, H h) { return Bool(t.Expand(h, code, TRUE, TRUE)); }, "FALSE"});
    return calls;
}
} // namespace

TEST(TreeHandle, EveryMemberAnswersAHandleThatNamesNoItemNeutrallyAndChangesNothing)
{
    OwnerWindow owner, otherOwner;
    std::vector<TreeEvent> events;
    RecordTree(owner, events);
    RecyclingTree tree, other;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &owner, 1));
    ASSERT_TRUE(other.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &otherOwner, 2));
    tree.InsertColumn(1, L"Size", LVCFMT_LEFT, 60);
    tree.EnableSubItemStorage(TRUE);
    auto t = Shape(tree, "a+(a1 a2(x)) b(b1)");
    const HTREEITEM hForeign = Shape(other, "f(f1)")["f"];
    const HTREEITEM hDeleted = tree.InsertItem(L"gone", t["a"]);
    tree.DeleteItem(hDeleted);
    CString notANode(L"a text, not a node");
    const std::pair<const char*, HTREEITEM> bad[] = {
        {"deleted item", hDeleted},
        {"other control's item", hForeign},
        {"TVI_FIRST", TVI_FIRST},
        {"TVI_LAST", TVI_LAST},
        {"TVI_SORT", TVI_SORT},
        {"descending sort code", SEC_TVI_SORTDESCENDING},
        {"never a node", reinterpret_cast<HTREEITEM>(const_cast<LPWSTR>(notANode.GetString()))},
    };
    const std::string rows = RowLabels(tree), otherRows = RowLabels(other);
    const LONG texts = _Node::GetLiveTextCount();
    events.clear();
    for (const HandleCall& c : HandleCalls()) {
        for (const auto& [what, hItem] : bad)
            EXPECT_EQ(c.neutral, c.call(tree, hItem)) << c.name << " of a " << what;
    }
    EXPECT_TRUE(events.empty()) << owner.Listing();
    EXPECT_TRUE(RowLabels(tree) == rows && RowLabels(other) == otherRows && _Node::GetLiveTextCount() == texts);
    EXPECT_TRUE(TreeIsConsistent(tree) && TreeIsConsistent(other));
    // An insert-after handle is only compared: one that is no child fails.
    EXPECT_EQ(nullptr, tree.InsertItem(L"after", TVI_ROOT, hDeleted));
    EXPECT_EQ(nullptr, tree.InsertItem(L"after", TVI_ROOT, hForeign));

    // The same members with live items of the derived node class do answer.
    std::map<std::string, std::string> live;
    for (const HandleCall& c : HandleCalls())
        live[c.name] = c.call(tree, t["a2"]);
    EXPECT_TRUE(live["GetChildItem"] == "item" && live["GetParentItem"] == "item" && live["GetItem"] == "TRUE");
    EXPECT_TRUE(live["SetItemText 1"] == "TRUE" && live["RowOf"] != "-1" && live["DeleteItem"] == "TRUE");
    // A later item at the address of a deleted one is that new item.
    const HTREEITEM hReused = tree.InsertItem(L"reused", t["b"]);
    EXPECT_EQ(t["a2"], hReused) << "the node class recycles the block freed last";
    EXPECT_TRUE(tree.GetParentItem(hReused) == t["b"] && Label(tree, hReused) == "reused");
    EXPECT_EQ("", Narrow(tree.GetItemText(hReused, 1))) << "no text of the item deleted before";
    EXPECT_TRUE(TreeIsConsistent(tree));
}
