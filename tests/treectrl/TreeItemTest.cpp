// Item attributes, owner callbacks, column 0 of the list answered by the
// nodes; selection through the tree and through the list's own input, drop
// targets, drags and label editing with the registered message.
#include "treectrl/TreeTestSupport.h"

using TreeItem = TreeFixture;
using TreeSelect = TreeFixture;

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
            info->item.mask |= keep ? TVIF_DI_SETITEM : 0;
        }
        return false;
    });
    events.clear(); // measuring the new row asked already
    TVITEMW item{TVIF_TEXT | TVIF_IMAGE, hItem, 0, 0, nullptr, 0, 0, 0, 0, 0};
    ASSERT_TRUE(tree.GetItem(&item, FALSE, FALSE));
    EXPECT_TRUE(item.pszText == LPSTR_TEXTCALLBACKW && events.empty());
    ASSERT_TRUE(tree.GetItem(&item, FALSE, TRUE));
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(static_cast<UINT>(TVIF_TEXT | TVIF_IMAGE), events[0].item.mask) << "only the callback fields";
    EXPECT_TRUE(events[0].item.hItem == hItem && events[0].item.lParam == 99 && item.iImage == 5);
    EXPECT_EQ("from owner", Label(tree, hItem));
    // Setting them is told (SetItemTellsTheOwnerExactlyTheFieldsItSupplies).
    keep = true; // an owner that asks to keep its answer ends the callback
    answer = L"kept";
    EXPECT_EQ("kept", Label(tree, hItem));
    EXPECT_FALSE(reinterpret_cast<_Node*>(hItem)->IsTextCallback()) << "a handle is its node";
}

TEST_F(TreeItem, NodeAndRowAgreeOnStateTextsAndDataAndAttributesAreInherited)
{
    auto t = Shape(tree, "a+(a1+(x) a2) b");
    tree.ModifyTreeExStyle(0, SEC_TVSX_MULTISELECT);
    ASSERT_TRUE(tree.SetItemText(tree.RowOf(t["b"]), 0, L"renamed") && tree.SetItemData(tree.RowOf(t["b"]), 5));
    EXPECT_TRUE(Label(tree, t["b"]) == "renamed" && tree.GetItemData(t["b"]) == 5u) << "column 0 is the node";

    tree.SetItemState(t["x"], TVIS_SELECTED, TVIS_SELECTED);
    const UINT bits = _Node::attrHidden | _Node::attrGreyed;
    ASSERT_TRUE(tree.SetItemAttributes(t["a1"], SECTreeAttributes{SEC_TVAF_VALUE, bits, bits}));
    EXPECT_EQ("a a2 renamed", RowLabels(tree));
    EXPECT_EQ(0u, tree.GetItemState(t["x"], TVIS_SELECTED)) << "a row that goes leaves the selection";
    SECTreeAttributes asked;
    asked.valueMask = _Node::attrGreyed;
    tree.GetItemAttributes(t["x"], asked);
    EXPECT_TRUE(tree.IsItemHidden(t["x"]) && asked.value == static_cast<UINT>(_Node::attrGreyed)) << "inherited";
    Hidden(tree, t["a1"], false);
    EXPECT_EQ("a a1 x a2 renamed", RowLabels(tree)) << "shown again at its place";
    EXPECT_TRUE(TreeIsConsistent(tree));

    tree.Expand(t["a1"], TVE_COLLAPSE);
    tree.InsertColumn(1, L"Size", LVCFMT_LEFT, 60);
    ASSERT_TRUE(tree.EnableSubItemStorage(TRUE) && tree.SetItemText(t["x"], 1, L"12 KB"));
    EXPECT_FALSE(tree.SetItemText(t["x"], 5, L"no such column"));
    tree.Expand(t["a1"], TVE_EXPAND);
    EXPECT_EQ(CString(L"12 KB"), tree.SECListCtrl::GetItemText(tree.RowOf(t["x"]), 1)) << "kept without a row";
    tree.DeleteItem(t["a"]);
    EXPECT_EQ(0, tree.GetSubItemStorage()->GetItemCount()) << "deleted items drop their texts";
    ASSERT_TRUE(tree.EnableSubItemStorage(FALSE) && tree.SetItemText(t["b"], 1, L"3 KB")) << "in the row's cell";
    EXPECT_EQ(CString(L"3 KB"), tree.GetItemText(t["b"], 1));
    for (HTREEITEM hRoot : {static_cast<HTREEITEM>(nullptr), TVI_ROOT}) { // both name the root
        EXPECT_TRUE(tree.GetChildItem(hRoot) == t["b"] && tree.GetTopLevelItem(hRoot) == t["b"]);
        EXPECT_FALSE(tree.RedrawItem(hRoot) || tree.EnsureVisible(hRoot) || tree.AddToSelection(hRoot));
        EXPECT_TRUE(tree.SelectDropTarget(hRoot) && tree.Expand(hRoot, TVE_EXPAND) && tree.GetItemText(hRoot) == L"");
        EXPECT_TRUE(!tree.GetParentItem(hRoot) && tree.RowOf(hRoot) == -1 && tree.CountChildren(hRoot, TRUE) == 1);
    }
}

TEST_F(TreeSelect, CaretChangesAreToldWithTheirCauseAndVetoedAsTheCauseAllows)
{
    auto t = Shape(tree, "a(a1(x)) b(b1) c");
    events.clear();
    ASSERT_TRUE(tree.SelectItem(t["x"], TVGN_CARET));
    ASSERT_EQ(6u, events.size()) << "two expansions for the hidden item's ancestors first\n" << owner.Listing();
    const NMTREEVIEWW& r = events[4].view;
    EXPECT_TRUE(events[4].code == TVN_SELCHANGINGW && r.action == TVC_UNKNOWN && r.itemNew.hItem == t["x"]);
    EXPECT_EQ(t["a"], r.itemOld.hItem) << "the expansion of the topmost ancestor, the last, moved the focus";
    EXPECT_TRUE(events[5].code == TVN_SELCHANGEDW && tree.GetCaretItem() == t["x"]);
    owner.answers[TVN_SELCHANGINGW] = 2;
    EXPECT_TRUE(tree.SelectItem(t["b"], TVGN_CARET)) << "only an answer of 1 vetoes";
    owner.answers[TVN_SELCHANGINGW] = 1;
    EXPECT_FALSE(tree.SelectItem(t["x"], TVGN_CARET));
    EXPECT_EQ(t["b"], tree.GetCaretItem());
    owner.answers.clear();
    EXPECT_TRUE(tree.SelectItem(nullptr, TVGN_CARET));
    EXPECT_TRUE(tree.GetCaretItem() == nullptr && tree.GetSelectedCount() == 0u);
    EXPECT_FALSE(tree.SelectItem(t["b"], TVGN_NEXT)) << "not a selection code";
    Hidden(tree, t["c"]);
    ASSERT_TRUE(tree.SelectItem(t["b"], TVGN_CARET));
    events.clear();
    EXPECT_FALSE(tree.SelectItem(t["c"], TVGN_CARET) || tree.AddToSelection(t["c"])) << "a hidden item has no row";
    EXPECT_TRUE(events.empty() && tree.GetCaretItem() == t["b"] && tree.GetSelectedCount() == 1u) << owner.Listing();
    Hidden(tree, t["c"], false);
    tree.SelectItem(nullptr, TVGN_CARET);
    tree.ModifyTreeExStyle(0, SEC_TVSX_MULTISELECT);
    ASSERT_TRUE(tree.SelectItem(t["a"], TVGN_CARET) && tree.AddToSelection(t["b"]));
    EXPECT_TRUE(tree.GetSelectedCount() == 2u && tree.GetCaretItem() == t["a"]) << "adding keeps the caret";
    tree.ModifyTreeExStyle(SEC_TVSX_MULTISELECT, 0);
    ASSERT_TRUE(tree.AddToSelection(t["x"]));
    EXPECT_TRUE(tree.GetSelectedCount() == 1u && tree.GetCaretItem() == t["x"]) << "but not with single selection";
    EXPECT_TRUE(TreeIsConsistent(tree));

    // The list's own steps: by mouse or keyboard, and any answer but 0 vetoes them.
    CRect label;
    ASSERT_TRUE(tree.GetItemRect(tree.RowOf(t["b"]), label, SECTreeBaseC::kCellLabel));
    events.clear();
    SendClick(tree.m_hWnd, label.CenterPoint());
    ASSERT_EQ((std::vector<UINT>{TVN_SELCHANGINGW, TVN_SELCHANGEDW}), Codes(events)) << owner.Listing();
    const NMTREEVIEWW& click = events[0].view;
    EXPECT_TRUE(click.action == TVC_BYMOUSE && click.itemNew.hItem == t["b"] && click.itemOld.hItem == t["x"]);
    events.clear();
    tree.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_EQ((std::vector<UINT>{TVN_KEYDOWN, TVN_SELCHANGINGW, TVN_SELCHANGEDW}), Codes(events)) << owner.Listing();
    EXPECT_TRUE(events[0].view.action == VK_DOWN && events[1].view.action == TVC_BYKEYBOARD) << "key and cause";
    owner.answers[TVN_SELCHANGINGW] = 2;
    tree.SendMessage(WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(t["c"], tree.GetCaretItem());
}

TEST_F(TreeSelect, DragsAreToldAndADropTargetThatStaysExpandsWhenItsTimerFires)
{
    auto t = Shape(tree, "a b(b1) c");
    events.clear();
    tree.OnBeginDrag(1, CPoint(5, 25));
    tree.OnBeginRDrag(1, CPoint(5, 25));
    ASSERT_EQ((std::vector<UINT>{TVN_BEGINDRAGW, TVN_BEGINRDRAGW}), Codes(events));
    EXPECT_EQ(t["b"], events[0].view.itemNew.hItem);
    tree.ModifyTreeStyle(0, TVS_DISABLEDRAGDROP);
    tree.OnBeginDrag(1, CPoint(5, 25));
    EXPECT_EQ(2u, events.size());
    auto timerRuns = [&] { return KillTimer(tree.m_hWnd, SECTreeBaseC::kTimerAutoExpand) != FALSE; }; // and stops it
    ASSERT_TRUE(tree.SelectDropTarget(t["b"]));
    EXPECT_TRUE(tree.GetDropTargetItem() == t["b"] && !timerRuns()) << "auto-expansion is off";
    tree.ModifyTreeExStyle(0, SEC_TVSX_AUTOEXPAND);
    tree.SelectDropTarget(nullptr);
    ASSERT_TRUE(tree.SelectItem(t["b"], TVGN_DROPHILITE));
    EXPECT_TRUE(timerRuns());
    tree.SendMessage(WM_TIMER, SECTreeBaseC::kTimerAutoExpand, 0);
    EXPECT_EQ("a b b1 c", RowLabels(tree));
    tree.SelectDropTarget(t["c"]);
    tree.SelectDropTarget(nullptr);
    EXPECT_TRUE(!timerRuns() && tree.GetDropTargetItem() == nullptr);
}

TEST_F(TreeSelect, AnAcceptedLabelEditIsStoredAndThenAnnouncedByTheRegisteredMessage)
{
    tree.ModifyTreeStyle(0, TVS_EDITLABELS);
    std::vector<std::string> announced; // "id item-label" when the message came
    auto onEdited = [&](WPARAM id, LPARAM item) {
        announced.push_back(std::to_string(id) + " " + Label(tree, reinterpret_cast<HTREEITEM>(item)));
    };
    using OnEdited = decltype(onEdited);
    const SUBCLASSPROC hook = [](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref) {
        if (message == SECTreeEndLabelEditMessage)
            (*reinterpret_cast<OnEdited*>(ref))(wParam, lParam);
        return DefSubclassProc(hWnd, message, wParam, lParam);
    };
    SetWindowSubclass(owner.m_hWnd, hook, 1, reinterpret_cast<DWORD_PTR>(&onEdited));
    RecordTree(owner, events, [](NMHDR* header, LRESULT& result) { // accepts edits of the item with data 1
        result = header->code == TVN_ENDLABELEDITW && reinterpret_cast<NMTVDISPINFOW*>(header)->item.lParam == 1;
        return result != 0;
    });
    auto edit = [&](HTREEITEM hItem, const CString& text) {
        SECListEdit* pEdit = tree.EditLabel(tree.RowOf(hItem), 0);
        if (pEdit == nullptr || pEdit->m_hWnd == nullptr)
            return CString(L"<no editor>");
        pEdit->SetWindowText(text);
        tree.EndLabelEdit(TRUE);
        return tree.GetItemText(hItem);
    };
    const HTREEITEM hKeep = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, L"keep", 0, 0, 0, 0, 1, TVI_ROOT, TVI_LAST);
    const HTREEITEM hRefuse = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, L"refuse", 0, 0, 0, 0, 2, TVI_ROOT, TVI_LAST);
    events.clear();
    EXPECT_EQ(CString(L"kept text"), edit(hKeep, L"kept text"));
    EXPECT_EQ(std::vector<std::string>{"100 kept text"}, announced) << "stored before it is announced";
    const TVITEMW& begin = events.at(0).item;
    EXPECT_TRUE(events[0].code == TVN_BEGINLABELEDITW && (begin.mask & TVIF_TEXT) && begin.hItem == hKeep);
    EXPECT_EQ(CString(L"refuse"), edit(hRefuse, L"refused text"));
    EXPECT_EQ(1u, announced.size()) << "nothing after a refused edit";
    EXPECT_EQ(SECTreeBaseC::kTextBufferChars - 1, edit(hKeep, CString(L'z', 3000)).GetLength()) << "cut to the buffer";
    owner.answers[TVN_BEGINLABELEDITW] = 1;
    RecordTree(owner, events);
    EXPECT_EQ(nullptr, tree.EditLabel(tree.RowOf(hKeep), 0)->m_hWnd) << "a vetoed edit shows no editor";
    RemoveWindowSubclass(owner.m_hWnd, hook, 1);
}

TEST_F(TreeItem, SetItemTellsTheOwnerExactlyTheFieldsItSupplies)
{
    std::vector<UINT> told; // masks of TVN_SETDISPINFOW
    RecordTree(owner, events, [&](NMHDR* header, LRESULT&) {
        if (header->code == TVN_SETDISPINFOW)
            told.push_back(reinterpret_cast<NMTVDISPINFOW*>(header)->item.mask);
        return false;
    });
    const UINT all = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    const HTREEITEM hOwned = tree.InsertItem(all | TVIF_PARAM, LPSTR_TEXTCALLBACKW, I_IMAGECALLBACK,
                                             I_IMAGECALLBACK, 0, 0, 1, TVI_ROOT, TVI_LAST);
    TVITEMW children{TVIF_CHILDREN, hOwned, 0, 0, nullptr, 0, 0, 0, I_CHILDRENCALLBACK, 0};
    tree.SetItem(&children);
    EXPECT_TRUE(told.empty()) << "insertion and storing a callback tell nothing";
    auto set = [&](UINT mask, LPCWSTR text, int image, HTREEITEM hItem) {
        told.clear();
        TVITEMW item{mask, hItem, 0, 0, const_cast<LPWSTR>(text), 0, image, image, image, 5};
        tree.SetItem(&item);
        return told.size() == 1 ? told[0] : (told.empty() ? 0u : ~0u);
    };
    auto stored = [&](HTREEITEM hItem) {
        TVITEMW item{all | TVIF_PARAM, hItem, 0, 0, nullptr, 0, 0, 0, 0, 0};
        tree.GetItem(&item, FALSE, FALSE);
        return std::to_string(item.pszText == LPSTR_TEXTCALLBACKW) + " " + std::to_string(item.iImage) + " " +
               std::to_string(item.iSelectedImage) + " " + std::to_string(item.cChildren) + " " +
               std::to_string(item.lParam);
    };
    EXPECT_EQ(all, set(all | TVIF_PARAM, L"typed", 3, hOwned)) << "every supplied field, only those";
    EXPECT_EQ(all, set(all | TVIF_DI_SETITEM, L"typed", 3, hOwned)) << "TVIF_DI_SETITEM stores none of them";
    EXPECT_EQ(static_cast<UINT>(TVIF_IMAGE), set(TVIF_IMAGE, nullptr, I_IMAGECALLBACK, hOwned));
    EXPECT_EQ("1 -1 -1 -1 5", stored(hOwned)) << "the owner still supplies them; the item data is stored";

    const HTREEITEM hPlain = tree.InsertItem(L"plain");
    EXPECT_EQ(static_cast<UINT>(TVIF_TEXT), set(TVIF_TEXT, LPSTR_TEXTCALLBACKW, 0, hPlain)) << "made a callback";
    EXPECT_EQ(0u, set(TVIF_IMAGE | TVIF_CHILDREN, nullptr, I_IMAGECALLBACK, hPlain)) << "stored as callbacks";
    EXPECT_EQ(static_cast<UINT>(TVIF_TEXT | TVIF_IMAGE), set(TVIF_TEXT | TVIF_IMAGE, L"late", 2, hPlain));
    EXPECT_EQ("1 -1 -12 -1 0", stored(hPlain));
}

TEST_F(TreeItem, TextsComeBackWholeAndOnlyColumnsThatExistTakeThem)
{
    tree.InsertColumn(1, L"Size", LVCFMT_LEFT, 60);
    ASSERT_TRUE(tree.EnableSubItemStorage(TRUE));
    const HTREEITEM hItem = tree.InsertItem(L"item");
    for (int length : {2047, 2048, 5000}) {
        const CString text(L'w', length);
        ASSERT_TRUE(tree.SetItemText(hItem, 0, text) && tree.SetItemText(hItem, 1, text));
        EXPECT_TRUE(tree.GetItemText(hItem, 0) == text && tree.GetItemText(hItem, 1) == text) << length;
    }
    EXPECT_FALSE(tree.SetItemText(hItem, tree.GetColumnCount(), L"past the last column"));
    EXPECT_FALSE(tree.SetItemText(hItem, 1, LPSTR_TEXTCALLBACKW)) << "the storage answers for the owner";
    EXPECT_EQ(5000, tree.GetItemText(hItem, 1).GetLength());
}
