// Owners that change the tree while it works: when an edit ends, while told
// of deletions, expansions, label comparisons and paints. The tree never reads
// a freed node, deletes nothing it was not asked to, tells every deleted item
// once, and takes no new item for one deleted at the same address (the nodes
// here are recycled, so a new item does get that address).
#include <algorithm>
#include "treectrl/TreeTestSupport.h"

namespace {
class OwnerChanges : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner.ShowWindow(SW_SHOW); // painted, so that paints ask for owners' texts
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_EDITLABELS, CRect(0, 0, 300, 200),
                                &owner, 100));
        tree.SetPendingEditDelay(60000);
    }
    // The owner's acts use the test's locals, which are gone when the tree
    // tells of the items its window takes along.
    void TearDown() override { owner.onNotify = nullptr; }
    // The owner records, then acts; act answers a notification by returning true.
    void Act(std::function<bool(NMHDR*, LRESULT&)> act)
    {
        events.clear();
        RecordTree(owner, events, act);
    }
    // The items told deleted, sorted, against the expected ones: each once.
    ::testing::AssertionResult ToldOnce(std::vector<HTREEITEM> expected) const
    {
        std::vector<HTREEITEM> told = Deleted(events);
        std::sort(told.begin(), told.end());
        std::sort(expected.begin(), expected.end());
        if (told == expected)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << told.size() << " told, " << expected.size() << " expected";
    }
    SECListEdit* Edit(HTREEITEM hItem, LPCWSTR text)
    {
        SECListEdit* pEdit = tree.EditLabel(tree.RowOf(hItem));
        if (pEdit != nullptr && pEdit->m_hWnd != nullptr)
            pEdit->SetWindowText(text);
        return pEdit;
    }

    OwnerWindow owner;
    std::vector<TreeEvent> events; // notifications of the last act
    RecyclingTree tree;
};

bool Is(NMHDR* header, UINT code) { return header->code == code; }
std::string Bool(BOOL b) { return b ? "TRUE" : "FALSE"; }
std::string Ptr(HTREEITEM h) { return h ? "item" : "null"; }
HTREEITEM ItemOf(NMHDR* header)
{
    const NMTREEVIEWW* view = reinterpret_cast<NMTREEVIEWW*>(header);
    return header->code == TVN_DELETEITEMW ? view->itemOld.hItem : view->itemNew.hItem;
}
} // namespace

TEST_F(OwnerChanges, AnEditBelowADeletedItemEndsWhileTheTreeIsWhole)
{
    // The owner deletes everything when the edit's end is told.
    auto t = Shape(tree, "a+(a1+(x y) a2) b");
    ASSERT_NE(nullptr, Edit(t["x"], L"typed")->m_hWnd);
    Act([&](NMHDR* h, LRESULT&) { return Is(h, TVN_ENDLABELEDITW) && tree.DeleteAllItems() && false; });
    EXPECT_TRUE(tree.DeleteItem(t["a"]));
    EXPECT_TRUE(ToldOnce({t["a"], t["a1"], t["a2"], t["b"], t["x"], t["y"]})) << owner.Listing();
    EXPECT_TRUE(tree.GetItemCount() == 0 && TreeIsConsistent(tree));

    // The owner inserts below the item being deleted, when the edit's end and
    // each deletion are told: nothing comes below it; elsewhere items may.
    const LONG texts = _Node::GetLiveTextCount();
    t = Shape(tree, "a+(a1+(x y) a2) b");
    std::vector<std::string> inserted;
    auto insert = [&](const char* label, HTREEITEM hParent) {
        inserted.push_back(std::string(label) + (tree.InsertItem(CString(label), hParent) ? "+" : "-"));
    };
    ASSERT_NE(nullptr, Edit(t["x"], L"typed")->m_hWnd);
    Act([&](NMHDR* h, LRESULT&) {
        if (Is(h, TVN_ENDLABELEDITW) || (Is(h, TVN_DELETEITEMW) && ItemOf(h) == t["x"])) {
            insert("below-a", t["a"]);
            insert("below-a1", t["a1"]);
            insert("below-x", t["x"]); // told of its deletion: on its way out
            insert("below-b", t["b"]);
        }
        return false;
    });
    EXPECT_TRUE(tree.DeleteItem(t["a"]));
    const std::vector<std::string> expected = {"below-a-", "below-a1-", "below-x-", "below-b+",
                                               "below-a-", "below-a1-", "below-x-", "below-b+"};
    EXPECT_EQ(expected, inserted);
    EXPECT_TRUE(ToldOnce({t["a"], t["a1"], t["a2"], t["x"], t["y"]})) << owner.Listing();
    EXPECT_TRUE(RowLabels(tree) == "b" && tree.CountChildren(t["b"]) == 2 && TreeIsConsistent(tree));
    EXPECT_EQ(texts + 3, _Node::GetLiveTextCount()) << "b and its two children; nothing freed untold";
}

TEST_F(OwnerChanges, ANewItemAtAnEditedItemsAddressTakesNothingOfTheEdit)
{
    int announced = 0; // registered messages after accepted edits
    const SUBCLASSPROC hook = [](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
        *reinterpret_cast<int*>(ref) += message == SECTreeEndLabelEditMessage;
        return DefSubclassProc(hWnd, message, wParam, lParam);
    };
    SetWindowSubclass(owner.m_hWnd, hook, 1, reinterpret_cast<DWORD_PTR>(&announced));
    for (BOOL bCommit : {TRUE, FALSE}) {
        tree.DeleteAllItems();
        auto t = Shape(tree, "a b c");
        HTREEITEM hNew = nullptr;
        ASSERT_NE(nullptr, Edit(t["b"], L"typed")->m_hWnd);
        Act([&](NMHDR* h, LRESULT& result) {
            if (!Is(h, TVN_ENDLABELEDITW))
                return false;
            tree.DeleteItem(t["b"]);
            hNew = tree.InsertItem(L"newcomer", TVI_ROOT, t["a"]);
            result = 1; // accepted, when committed
            return true;
        });
        tree.EndLabelEdit(bCommit);
        EXPECT_EQ(t["b"], hNew) << "the new item has the edited one's address";
        EXPECT_EQ("a newcomer c", RowLabels(tree)) << "neither the typed nor the restored text";
        EXPECT_TRUE(TreeIsConsistent(tree));
    }
    EXPECT_EQ(0, announced) << "no item's edit was accepted";
    RemoveWindowSubclass(owner.m_hWnd, hook, 1);
}

TEST_F(OwnerChanges, EachLeafLosesItsRowJustBeforeItIsToldAndEverythingLosesAllRowsFirst)
{
    auto t = Shape(tree, "a+(a1+(x y) a2) b");
    std::vector<std::string> seen; // item: the rows when it was told
    Act([&](NMHDR* h, LRESULT&) {
        if (Is(h, TVN_DELETEITEMW))
            seen.push_back(Label(tree, ItemOf(h)) + ": " + RowLabels(tree));
        return false;
    });
    ASSERT_TRUE(tree.DeleteItem(t["a"]));
    EXPECT_EQ((std::vector<std::string>{"x: a a1 y a2 b", "y: a a1 a2 b", "a1: a a2 b", "a2: a b", "a: b"}), seen);
    Shape(tree, "c+(c1) d");
    seen.clear();
    tree.scrollBarUpdates = 0;
    ASSERT_TRUE(tree.DeleteItem(TVI_ROOT));
    EXPECT_EQ((std::vector<std::string>{"b: ", "c1: ", "c: ", "d: "}), seen);
    EXPECT_EQ(1, tree.scrollBarUpdates) << "the rows go in one list call";
}

TEST_F(OwnerChanges, CollapsesAndResetsSurviveTheOwnersChanges)
{
    // The edit below the collapsed item ends; its owner deletes the item.
    auto t = Shape(tree, "a+(a1+(x)) b");
    ASSERT_NE(nullptr, Edit(t["x"], L"typed")->m_hWnd);
    Act([&](NMHDR* h, LRESULT&) { return Is(h, TVN_ENDLABELEDITW) && tree.DeleteItem(t["a"]) && false; });
    EXPECT_FALSE(tree.Expand(t["a"], TVE_COLLAPSE));
    EXPECT_TRUE(ToldOnce({t["a"], t["a1"], t["x"]}) && RowLabels(tree) == "b" && TreeIsConsistent(tree));

    // A reset deletes the children it found; told of the first, the owner
    // deletes the last and inserts an item that gets its address.
    t = Shape(tree, "p+(c1 c2 c3)");
    HTREEITEM hNew = nullptr;
    Act([&](NMHDR* h, LRESULT&) {
        if (Is(h, TVN_DELETEITEMW) && ItemOf(h) == t["c1"]) {
            tree.DeleteItem(t["c3"]);
            hNew = tree.InsertItem(L"newcomer", t["p"]);
        }
        return false;
    });
    EXPECT_TRUE(tree.Expand(t["p"], TVE_COLLAPSE | TVE_COLLAPSERESET));
    EXPECT_EQ(t["c3"], hNew);
    EXPECT_EQ((std::vector<HTREEITEM>{t["c1"], t["c3"], t["c2"]}), Deleted(events));
    EXPECT_TRUE(tree.GetChildItem(t["p"]) == hNew && !tree.GetNextSiblingItem(hNew)) << "the newcomer stays";
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(OwnerChanges, ExpandAllAndSelectionGoOnPastItemsTheOwnerReplaced)
{
    // Told of q's expansion, the owner deletes q and inserts z and z1, which
    // get the addresses of q and q1: the walk goes on with r, not with z.
    auto t = Shape(tree, "p(q(q1) r(r1))");
    Act([&](NMHDR* h, LRESULT&) {
        if (Is(h, TVN_ITEMEXPANDINGW) && ItemOf(h) == t["q"]) {
            tree.DeleteItem(t["q"]);
            tree.InsertItem(L"z1", tree.InsertItem(L"z"));
        }
        return false;
    });
    EXPECT_TRUE(tree.ExpandAll(t["p"]));
    EXPECT_EQ("p r r1 z", RowLabels(tree));
    EXPECT_TRUE(ToldOnce({t["q"], t["q1"]}) && TreeIsConsistent(tree));

    // The owner deletes the item to select while an ancestor expands.
    tree.DeleteAllItems();
    t = Shape(tree, "a(a1(x))");
    Act([&](NMHDR* h, LRESULT&) { return Is(h, TVN_ITEMEXPANDINGW) && tree.DeleteItem(t["x"]) && false; });
    owner.Clear();
    EXPECT_FALSE(tree.SelectItem(t["x"], TVGN_CARET));
    EXPECT_TRUE(ToldOnce({t["x"]}) && TreeIsConsistent(tree));
    EXPECT_EQ(0, owner.Count(TVN_SELCHANGINGW));
}

TEST_F(OwnerChanges, SortedInsertionSurvivesOwnersAskedForLabels)
{
    // Labels come from the item data; the new item is not an item yet while
    // it is compared: it cannot be deleted, nor take children.
    const HTREEITEM hParent = tree.InsertItem(L"parent");
    for (LPCWSTR label : {L"b", L"d"})
        tree.InsertItem(TVIF_TEXT | TVIF_PARAM, LPSTR_TEXTCALLBACKW, 0, 0, 0, 0, reinterpret_cast<LPARAM>(label),
                        hParent, TVI_LAST);
    LPCWSTR newLabel = L"c";
    std::string tried;
    bool deleteParent = false;
    Act([&](NMHDR* h, LRESULT&) {
        NMTVDISPINFOW* info = reinterpret_cast<NMTVDISPINFOW*>(h);
        if (!Is(h, TVN_GETDISPINFOW) || !(info->item.mask & TVIF_TEXT))
            return false;
        const LPCWSTR label = reinterpret_cast<LPCWSTR>(info->item.lParam);
        lstrcpynW(info->item.pszText, label, info->item.cchTextMax);
        if (label == newLabel && tried.empty())
            tried = Bool(tree.DeleteItem(info->item.hItem)) + Ptr(tree.InsertItem(L"child", info->item.hItem));
        if (deleteParent)
            deleteParent = !tree.DeleteItem(hParent);
        return false;
    });
    const HTREEITEM hNew = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, LPSTR_TEXTCALLBACKW, 0, 0, 0, 0,
                                           reinterpret_cast<LPARAM>(newLabel), hParent, TVI_SORT);
    EXPECT_EQ("FALSEnull", tried);
    tree.Expand(hParent, TVE_EXPAND);
    EXPECT_TRUE(hNew != nullptr && RowLabels(tree) == "parent b c d");
    // The owner deletes the parent while asked for a label: nothing is linked.
    const HTREEITEM hFirst = tree.GetChildItem(hParent), hLast = tree.GetNextSiblingItem(hNew);
    deleteParent = true;
    events.clear();
    EXPECT_EQ(nullptr, tree.InsertItem(TVIF_TEXT | TVIF_PARAM, LPSTR_TEXTCALLBACKW, 0, 0, 0, 0,
                                       reinterpret_cast<LPARAM>(L"e"), hParent, TVI_SORT));
    EXPECT_TRUE(ToldOnce({hParent, hFirst, hNew, hLast}));
    EXPECT_TRUE(tree.GetItemCount() == 0 && TreeIsConsistent(tree));
}

TEST_F(OwnerChanges, AProgressiveExpansionRepairsItsRowsWhenAPaintsOwnerDeletes)
{
    tree.ModifyTreeExStyle(0, SEC_TVSX_PROGRESSIVE);
    const HTREEITEM hParent = tree.InsertItem(L"parent");
    std::vector<HTREEITEM> children;
    for (int i = 0; i < 10; ++i)
        children.push_back(tree.InsertItem(TVIF_TEXT, LPSTR_TEXTCALLBACKW, 0, 0, 0, 0, 0, hParent, TVI_LAST));
    bool armed = false;
    Act([&](NMHDR* h, LRESULT&) {
        NMTVDISPINFOW* info = reinterpret_cast<NMTVDISPINFOW*>(h);
        if (Is(h, TVN_GETDISPINFOW) && (info->item.mask & TVIF_TEXT)) {
            lstrcpynW(info->item.pszText, L"child", info->item.cchTextMax);
            if (armed) {
                armed = false;
                tree.DeleteItem(children[6]); // not given its row yet
            }
        }
        return false;
    });
    armed = true;
    EXPECT_TRUE(tree.Expand(hParent, TVE_EXPAND));
    const std::vector<UINT> codes = Codes(events);
    const auto deleted = std::find(codes.begin(), codes.end(), static_cast<UINT>(TVN_DELETEITEMW));
    ASSERT_TRUE(deleted != codes.end() && !armed) << owner.Listing();
    EXPECT_TRUE(std::find(codes.begin(), deleted, static_cast<UINT>(TVN_ITEMEXPANDEDW)) == deleted)
        << "deleted while the rows came, not after";
    EXPECT_TRUE(ToldOnce({children[6]}) && tree.GetItemCount() == 10 && TreeIsConsistent(tree));
}

TEST_F(OwnerChanges, WhenTheOwnerIsAskedOrToldTheRowsShowTheTreeAsItIs)
{
    // Labels come from the owner, so that measuring rows asks it; selected
    // rows inside what collapses are deselected before they go.
    tree.ModifyTreeExStyle(0, SEC_TVSX_MULTISELECT);
    int asked = 0;
    std::string broken; // the first notification that met rows and nodes apart
    Act([&](NMHDR* h, LRESULT&) {
        NMTVDISPINFOW* info = reinterpret_cast<NMTVDISPINFOW*>(h);
        if (Is(h, TVN_GETDISPINFOW) && (info->item.mask & TVIF_TEXT))
            lstrcpynW(info->item.pszText, L"label", info->item.cchTextMax);
        asked += Is(h, TVN_GETDISPINFOW);
        const ::testing::AssertionResult whole = TreeIsConsistent(tree);
        if (!whole && broken.empty())
            broken = NotifyName(h->code) + ": " + whole.message();
        return false;
    });
    auto add = [&](HTREEITEM hParent, UINT state, HTREEITEM hAfter = TVI_LAST) {
        return tree.InsertItem(TVIF_TEXT | TVIF_STATE, LPSTR_TEXTCALLBACKW, 0, 0, state, TVIS_EXPANDED, 0, hParent,
                               hAfter);
    };
    const HTREEITEM a = add(TVI_ROOT, TVIS_EXPANDED), a1 = add(a, TVIS_EXPANDED), x = add(a1, 0);
    const HTREEITEM y = add(a1, 0), b = add(TVI_ROOT, 0), b1 = add(b, 0);
    // Before each step every row is to be measured again, so that any repaint
    // or measure on the way asks the owner.
    const std::function<void()> steps[] = {
        [&] { tree.SetItemState(x, TVIS_SELECTED, TVIS_SELECTED); },
        [&] { tree.SetItemState(y, TVIS_SELECTED, TVIS_SELECTED); },
        [&] { tree.SelectItem(y, TVGN_CARET); },
        [&] { tree.Expand(a, TVE_COLLAPSE); },
        [&] { tree.Expand(a, TVE_EXPAND); },
        [&] { tree.SelectItem(b1, TVGN_CARET); },
        [&] { tree.SetItemState(a1, 0, TVIS_EXPANDED); },
        [&] { tree.SetItemState(a1, TVIS_EXPANDED, TVIS_EXPANDED); },
        [&] { tree.AddToSelection(x); },
        [&] { Hidden(tree, a1); },
        [&] { Hidden(tree, a1, false); },
        [&] { add(a1, 0, TVI_SORT); },
        [&] { tree.DeleteItem(a1); },
        [&] { tree.Expand(b, TVE_COLLAPSE | TVE_COLLAPSERESET); },
    };
    for (const auto& step : steps) {
        tree.InvalidateRowHeights();
        step();
    }
    EXPECT_TRUE(broken.empty()) << broken;
    EXPECT_GT(asked, 0) << "the owner was asked for labels";
    EXPECT_TRUE(TreeIsConsistent(tree));
}
