// The tree as a window: its styles mapped onto the list's both ways, keys,
// typed characters and clicks, with the notification sequences they cause.
// (Taking over a dialog item is the list's: ListFrameTest.)
#include "treectrl/TreeTestSupport.h"

namespace {
const std::vector<UINT> kKeyOnly{TVN_KEYDOWN};
const std::vector<UINT> kCollapse{TVN_KEYDOWN, TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW};
const std::vector<UINT> kMove{TVN_KEYDOWN, TVN_SELCHANGINGW, TVN_SELCHANGEDW};

// A tree whose rows answer "button" in their first pixels, whatever the
// renderer's geometry.
class ButtonTree : public SECTreeCtrl
{
public:
    enum { kButtonWidth = 8 };
    HTREEITEM HitTestItem(CPoint point, UINT* pFlags) override
    {
        const HTREEITEM hItem = SECTreeCtrl::HitTestItem(point, pFlags);
        if (hItem != nullptr && point.x < kButtonWidth && pFlags != nullptr)
            *pFlags = TVHT_ONITEMBUTTON;
        return hItem;
    }
};

class TreeInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        owner.ShowWindow(SW_SHOW);
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 300, 200), &owner, 100));
        tree.SetPendingEditDelay(60000);
        tree.SetTypeAheadTimeout(60000);
        RecordTree(owner, events);
    }
    void Key(UINT vkey)
    {
        events.clear();
        tree.SendMessage(WM_KEYDOWN, vkey, 1);
    }
    void Caret(HTREEITEM hItem)
    {
        tree.SelectItem(hItem, TVGN_CARET);
        events.clear();
    }
    CPoint LabelOf(HTREEITEM hItem)
    {
        CRect rect;
        tree.GetCellRect(tree.RowOf(hItem), 0, rect, SECListBaseC::kCellLabel);
        return CPoint(rect.left + 4, rect.CenterPoint().y);
    }
    void Click(CPoint point, UINT keys = 0)
    {
        events.clear();
        tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(point.x, point.y));
        tree.SendMessage(WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
    }
    OwnerWindow owner;             // parent and notification window
    std::vector<TreeEvent> events; // tree notifications received by the owner (outlives the tree)
    ButtonTree tree;               // the control under test
};

TEST_F(TreeInput, CreationStylesSplitAndTreeAndListStylesMirrorEachOther)
{
    SECTreeCtrl made;
    ASSERT_TRUE(made.Create(WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 100, 100), &owner, 5));
    EXPECT_EQ(static_cast<DWORD>(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT), made.GetTreeStyle());
    EXPECT_EQ(0u, made.GetStyle() & 0x7u) << "tree bits are not window bits";
    EXPECT_EQ(1, made.GetColumnCount()) << "the tree column comes with the window";

    // Mirrored both ways: set through the list, read through the tree.
    tree.SetTreeStyle(0);
    tree.ModifyListStyle(0, LVS_EDITLABELS);
    EXPECT_EQ(static_cast<DWORD>(TVS_EDITLABELS), tree.GetTreeStyle());
    tree.SetTreeExStyle(SEC_TVSX_HEADER);
    EXPECT_TRUE(tree.IsListStyleSet(LVS_NOSORTHEADER)) << "buttons need the header-buttons bit too";
    tree.SetTreeExStyle(SEC_TVSX_HEADER | SEC_TVSX_HEADERBTNS | SEC_TVSX_REORDER);
    EXPECT_FALSE(tree.IsListStyleSet(LVS_NOSORTHEADER));
    EXPECT_TRUE(tree.IsListStyleExSet(SEC_LVSX_REORDER_COLUMNS));
}

TEST_F(TreeInput, ArrowsPlusMinusAndBackspaceCollapseExpandAndWalkTheLevels)
{
    auto t = Shape(tree, "a+(a1 a2(x)) b(b1)");
    Caret(t["a"]);
    Key(VK_LEFT);
    EXPECT_EQ(kCollapse, Codes(events)) << owner.Listing();
    EXPECT_FALSE(tree.IsItemExpanded(t["a"]));
    Key(VK_LEFT);
    EXPECT_EQ(kKeyOnly, Codes(events)) << "a collapsed top-level item has nowhere to go";
    Key(VK_ADD);
    EXPECT_TRUE(tree.IsItemExpanded(t["a"]));
    Key(VK_RIGHT);
    EXPECT_EQ(kMove, Codes(events));
    EXPECT_EQ(t["a1"], tree.GetCaretItem());
    Key(VK_BACK);
    EXPECT_EQ(kMove, Codes(events));
    EXPECT_EQ(t["a"], tree.GetCaretItem());
    Caret(t["a2"]);
    Key(VK_OEM_PLUS);
    EXPECT_TRUE(tree.IsItemExpanded(t["a2"]));
    Key(VK_SUBTRACT);
    EXPECT_FALSE(tree.IsItemExpanded(t["a2"]));
    Key(VK_OEM_MINUS);
    EXPECT_EQ(t["a"], tree.GetCaretItem()) << "minus on a collapsed child goes to the parent";

    Caret(t["b"]);
    Key(VK_MULTIPLY);
    EXPECT_TRUE(tree.IsItemExpanded(t["b"]));
    Hidden(tree, t["b1"]);
    Key(VK_RIGHT);
    EXPECT_EQ(kKeyOnly, Codes(events)) << "every child hidden: nothing to go to";
    EXPECT_EQ(t["b"], tree.GetCaretItem());
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeInput, KeysOnAnEmptyTreeOrFromAnOwnerThatDestroysTheTreeDoNothingMore)
{
    for (UINT vkey : {VK_LEFT, VK_RIGHT, VK_BACK, VK_MULTIPLY, VK_ADD, VK_SUBTRACT}) {
        Key(vkey);
        EXPECT_EQ(kKeyOnly, Codes(events));
    }
    auto t = Shape(tree, "a+(a1) b");
    Caret(t["a1"]);
    RecordTree(owner, events, [this](NMHDR* header, LRESULT&) {
        if (header->code == TVN_KEYDOWN)
            tree.DestroyWindow();
        return false;
    });
    Key(VK_LEFT);
    EXPECT_FALSE(::IsWindow(tree.m_hWnd));
}

TEST_F(TreeInput, ExpandKeyCharactersDoNotSearch)
{
    auto t = Shape(tree, "a +plus -minus b");
    Caret(t["a"]);
    for (WCHAR ch : {L'+', L'-', L'*', L'=', L'_'})
        tree.SendMessage(WM_CHAR, ch, 1);
    EXPECT_EQ(t["a"], tree.GetCaretItem());
    EXPECT_TRUE(events.empty()) << owner.Listing();
    tree.SendMessage(WM_CHAR, L'b', 1);
    EXPECT_EQ(t["b"], tree.GetCaretItem()) << "other characters search";
}

TEST_F(TreeInput, AButtonTogglesWithoutSelectingAndSingleExpandFollowsTheCaret)
{
    auto t = Shape(tree, "a+(a1 a2) b(b1)");
    Caret(t["a"]);
    CPoint button = LabelOf(t["b"]);
    button.x = 2;
    Click(button);
    EXPECT_TRUE(tree.IsItemExpanded(t["b"]));
    EXPECT_TRUE(tree.GetItemState(t["a"], TVIS_SELECTED) && !tree.GetItemState(t["b"], TVIS_SELECTED))
        << "the selection stays";
    EXPECT_EQ((std::vector<UINT>{TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}), Codes(events)) << owner.Listing();
    tree.Expand(t["b"], TVE_COLLAPSE);
    Caret(t["a"]);

    tree.ModifyTreeStyle(0, TVS_SINGLEEXPAND);
    Click(LabelOf(t["b"]));
    EXPECT_EQ(t["b"], tree.GetCaretItem());
    EXPECT_FALSE(tree.IsItemExpanded(t["a"])) << "the old branch closes";
    EXPECT_TRUE(tree.IsItemExpanded(t["b"]));
    EXPECT_EQ((std::vector<UINT>{TVN_SELCHANGINGW, TVN_SELCHANGEDW, TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW,
                                 TVN_ITEMEXPANDINGW, TVN_ITEMEXPANDEDW}),
              Codes(events))
        << owner.Listing();
    Click(LabelOf(t["b"]));
    EXPECT_FALSE(tree.IsItemExpanded(t["b"])) << "a click on the caret toggles it";
    Click(LabelOf(t["b"]));
    Click(LabelOf(t["b1"]));
    EXPECT_TRUE(tree.IsItemExpanded(t["b"])) << "a child's branch stays open";
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeInput, DoubleClickTogglesUnlessTheOwnerTookItOrAModifierIsHeld)
{
    auto t = Shape(tree, "a(a1) b");
    Caret(t["a"]);
    const CPoint label = LabelOf(t["a"]);
    const LPARAM at = MAKELPARAM(label.x, label.y);
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    EXPECT_TRUE(tree.IsItemExpanded(t["a"]));
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, at);
    EXPECT_TRUE(tree.IsItemExpanded(t["a"])) << "with Ctrl nothing more happens";
    owner.answers[NM_DBLCLK] = 1;
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    EXPECT_TRUE(tree.IsItemExpanded(t["a"])) << "the owner answered";
    owner.answers[NM_DBLCLK] = 0;
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    EXPECT_FALSE(tree.IsItemExpanded(t["a"]));

    // The tip of a clipped label: a double-click with Ctrl leaves it, a
    // plain one hides it.
    tree.SetListStyleEx(tree.GetListStyleEx() | SEC_LVSX_TIPS);
    tree.SetItemText(t["b"], 0, CString(L'w', 120));
    ::SetForegroundWindow(owner.m_hWnd);
    const CPoint clipped = LabelOf(t["b"]);
    const LPARAM over = MAKELPARAM(clipped.x, clipped.y);
    tree.SendMessage(WM_MOUSEMOVE, 0, over);
    ASSERT_TRUE(tree.GetTip() != nullptr && tree.GetTip()->IsTipVisible());
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON | MK_CONTROL, over);
    EXPECT_TRUE(tree.GetTip() != nullptr && tree.GetTip()->IsTipVisible());
    tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, over);
    EXPECT_FALSE(tree.GetTip() != nullptr && tree.GetTip()->IsTipVisible());
}
} // namespace
