// Selection through the tree and through the list's own input, drop targets
// with auto-expansion, label editing with the registered message, keys and drags.
#include "treectrl/TreeTestSupport.h"

using TreeSelect = TreeFixture;

TEST_F(TreeSelect, CaretChangesAreToldWithAnUnknownCauseAndExactlyOneVetoes)
{
    TreeShape t(tree, "a(a1(x)) b");
    EXPECT_EQ(t["a"], tree.GetCaretItem()) << "the first row of the list took the focus";
    events.clear();
    ASSERT_TRUE(tree.SelectItem(t["x"], TVGN_CARET));
    ASSERT_EQ(6u, events.size()) << "two expansions for the hidden item's ancestors first\n" << Events();
    EXPECT_EQ(TVN_SELCHANGINGW, events[4].code);
    EXPECT_EQ(static_cast<UINT>(TVC_UNKNOWN), events[4].action);
    EXPECT_EQ(t["x"], events[4].hNew);
    EXPECT_EQ(t["a"], events[4].hOld) << "the last expansion, of the topmost ancestor, moved the focus";
    EXPECT_EQ(TVN_SELCHANGEDW, events[5].code);
    EXPECT_EQ(t["x"], tree.GetCaretItem());
    owner.answers[TVN_SELCHANGINGW] = 2;
    EXPECT_TRUE(tree.SelectItem(t["b"], TVGN_CARET)) << "only an answer of 1 vetoes";
    owner.answers[TVN_SELCHANGINGW] = 1;
    EXPECT_FALSE(tree.SelectItem(t["x"], TVGN_CARET));
    EXPECT_EQ(t["b"], tree.GetCaretItem());
    owner.answers.clear();
    EXPECT_TRUE(tree.SelectItem(nullptr, TVGN_CARET));
    EXPECT_EQ(nullptr, tree.GetCaretItem());
    EXPECT_EQ(0u, tree.GetSelectedCount());
    EXPECT_FALSE(tree.SelectItem(t["b"], TVGN_NEXT)) << "not a selection code";
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeSelect, TheListsOwnStepsAreToldByMouseOrKeyboard)
{
    TreeShape t(tree, "a b c");
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(tree.RowOf(t["b"]), label, SECTreeBaseC::kCellLabel));
    events.clear();
    SendClick(tree.m_hWnd, label.CenterPoint());
    ASSERT_EQ((std::vector<UINT>{TVN_SELCHANGINGW, TVN_SELCHANGEDW}), Codes(events)) << Events();
    EXPECT_EQ(static_cast<UINT>(TVC_BYMOUSE), events[0].action);
    EXPECT_EQ(t["b"], events[0].hNew);
    EXPECT_EQ(t["a"], events[0].hOld);
    events.clear();
    tree.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_EQ((std::vector<UINT>{TVN_KEYDOWN, TVN_SELCHANGINGW, TVN_SELCHANGEDW}), Codes(events)) << Events();
    EXPECT_EQ(VK_DOWN, events[0].key);
    EXPECT_EQ(static_cast<UINT>(TVC_BYKEYBOARD), events[1].action);
    owner.answers[TVN_SELCHANGINGW] = 2; // the list's own steps take any answer but 0 as a veto
    tree.SendMessage(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(t["c"], tree.GetCaretItem());

    events.clear();
    tree.OnBeginDrag(1, CPoint(5, 25));
    tree.OnBeginRDrag(1, CPoint(5, 25));
    ASSERT_EQ((std::vector<UINT>{TVN_BEGINDRAGW, TVN_BEGINRDRAGW}), Codes(events));
    EXPECT_EQ(t["b"], events[0].hNew);
    tree.ModifyTreeStyle(0, TVS_DISABLEDRAGDROP);
    tree.OnBeginDrag(1, CPoint(5, 25));
    EXPECT_EQ(2u, events.size());
}

TEST_F(TreeSelect, ADropTargetThatStaysExpandsWhenItsTimerFires)
{
    TreeShape t(tree, "a(a1) b");
    ASSERT_TRUE(tree.SelectDropTarget(t["a"]));
    EXPECT_EQ(t["a"], tree.GetDropTargetItem());
    EXPECT_EQ(0, tree.AutoExpandTimer()) << "auto-expansion is off";
    tree.ModifyTreeExStyle(0, SEC_TVSX_AUTOEXPAND);
    tree.SelectDropTarget(nullptr);
    ASSERT_TRUE(tree.SelectItem(t["a"], TVGN_DROPHILITE));
    EXPECT_EQ(static_cast<int>(SECTreeBaseC::kTimerAutoExpand), tree.AutoExpandTimer());
    tree.SendMessage(WM_TIMER, SECTreeBaseC::kTimerAutoExpand, 0);
    EXPECT_EQ("a a1 b", RowLabels(tree));
    EXPECT_EQ(0, tree.AutoExpandTimer());
    tree.SelectDropTarget(t["b"]);
    tree.SelectDropTarget(nullptr);
    EXPECT_EQ(0, tree.AutoExpandTimer());
    EXPECT_EQ(nullptr, tree.GetDropTargetItem());
}

TEST_F(TreeSelect, AddingToTheSelectionMovesTheCaretOnlyWithSingleSelection)
{
    TreeShape t(tree, "a b c");
    tree.ModifyTreeExStyle(0, SEC_TVSX_MULTISELECT);
    ASSERT_TRUE(tree.AddToSelection(t["c"]));
    EXPECT_EQ(2u, tree.GetSelectedCount());
    EXPECT_EQ(t["a"], tree.GetCaretItem());
    tree.ModifyTreeExStyle(SEC_TVSX_MULTISELECT, 0);
    ASSERT_TRUE(tree.AddToSelection(t["b"]));
    EXPECT_EQ(t["b"], tree.GetCaretItem());
    EXPECT_EQ(1u, tree.GetSelectedCount());
}

namespace {
// An owner that also takes the registered end-of-edit message.
class EditOwner : public OwnerWindow
{
public:
    std::function<void(WPARAM, LPARAM)> onEdited; // called with each message's parameters
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == SECTreeEndLabelEditMessage && onEdited)
            onEdited(wParam, lParam);
        return OwnerWindow::WindowProc(message, wParam, lParam);
    }
};

CString EditAndEnd(TreeUnderTest& tree, HTREEITEM hItem, const CString& text)
{
    SECListEdit* pEdit = tree.EditLabel(tree.RowOf(hItem), 0);
    if (pEdit == nullptr || pEdit->m_hWnd == nullptr)
        return L"<no editor>";
    pEdit->SetWindowText(text);
    tree.EndLabelEdit(TRUE);
    return tree.GetItemText(hItem);
}
} // namespace

TEST(TreeLabelEdit, AnAcceptedEditIsStoredAndThenAnnouncedByTheRegisteredMessage)
{
    EditOwner owner;
    std::vector<TreeEvent> events;
    TreeUnderTest tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_EDITLABELS, CRect(0, 0, 300, 200), &owner, 7));
    // The owner accepts edits of the item with data 1.
    RecordTree(owner, events, [](NMHDR* header, LRESULT& result) {
        result = header->code == TVN_ENDLABELEDITW && reinterpret_cast<NMTVDISPINFOW*>(header)->item.lParam == 1;
        return result != 0;
    });
    std::vector<std::string> announced; // "id item-label" when the message came
    owner.onEdited = [&](WPARAM id, LPARAM item) {
        announced.push_back(std::to_string(id) + " " + Label(tree, reinterpret_cast<HTREEITEM>(item)));
    };
    const HTREEITEM hKeep = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, L"keep", 0, 0, 0, 0, 1, TVI_ROOT, TVI_LAST);
    const HTREEITEM hRefuse = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, L"refuse", 0, 0, 0, 0, 2, TVI_ROOT, TVI_LAST);
    EXPECT_EQ(CString(L"kept text"), EditAndEnd(tree, hKeep, L"kept text"));
    EXPECT_EQ(std::vector<std::string>{"7 kept text"}, announced) << "stored before it is announced";
    EXPECT_EQ(TVN_BEGINLABELEDITW, events.at(0).code);
    EXPECT_TRUE(events[0].mask & TVIF_TEXT);
    EXPECT_EQ(hKeep, events[0].hNew);
    EXPECT_EQ(CString(L"refuse"), EditAndEnd(tree, hRefuse, L"refused text"));
    EXPECT_EQ(1u, announced.size()) << "nothing after a refused edit";
    // Texts past the buffer come cut to its size less the terminator.
    const CString longText(L'z', 3000);
    EXPECT_EQ(SECTreeBaseC::kTextBufferChars - 1, EditAndEnd(tree, hKeep, longText).GetLength());
    owner.answers[TVN_BEGINLABELEDITW] = 1;
    RecordTree(owner, events);
    EXPECT_EQ(nullptr, tree.EditLabel(tree.RowOf(hKeep), 0)->m_hWnd) << "a vetoed edit shows no editor";
}
