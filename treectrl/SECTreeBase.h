// SECTreeBaseT: the tree control's logic, written once over the list class that
// hosts it. SECTreeBaseC (over SECListCtrl) is the child-window tree; a
// document-view hosting instantiates the same template over its list view.
//
// Column 0 of the list becomes the tree column. The hierarchy lives in _Node
// objects below an invisible root; the list keeps only the visible part of it:
// every visible node owns exactly one row, in pre-order. A row record's item
// data holds its node, and a node remembers its row record, so "has a row" is
// a constant-time question and the row index is found through a row cache.
//
// Item handles are node addresses; null and TVI_ROOT both mean the root. The
// public operations, notification records and codes are those of the
// platform's tree-view (TVITEMW, TVINSERTSTRUCTW, NMTREEVIEWW, NMTVDISPINFOW,
// NMTVKEYDOWN, TVI_, TVE_, TVGN_, TVC_ and TVN_ values), so that owners written
// for it work unchanged.
//
//     SECTreeCtrl tree;
//     tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, rect, pParent, IDC_TREE);
//     HTREEITEM hFolder = tree.InsertItem(L"Folder");
//     tree.InsertItem(L"File", hFolder);
//     tree.Expand(hFolder, TVE_EXPAND);
//
// The control knows the addresses of its live nodes (SECTreeHandleSet), so a
// handle that names no item of it (one deleted, another control's, or a
// pseudo-handle such as TVI_FIRST where an item is due) gets the neutral answer
// (FALSE, null, -1 or 0) in every build, without being read through. Nodes
// must be made, linked and unlinked through the control, which keeps its own
// marks in them.
//
// Owners may do anything while they are told of something: delete or insert
// items, veto, destroy the window. Operations that call out to them hold nodes
// by address and serial number (SECTreeNodeRef), so a node freed meanwhile is
// never read and a later node at its address is not taken for it; they end an
// edit before they remove its row, while the tree is whole, and they repair
// the rows as a whole when the tree changed under a plan they were carrying
// out.
//
// The control's own walks over the hierarchy use the stored links and never
// recurse, so trees of any depth are safe; the navigation queries
// (GetChildItem, GetParentItem...) go through the nodes' navigation, which
// honours a skip level an owner set on the root.
//
// Member definitions are split by concern over the SECTree*.inl files,
// compiled together in SECTreeBaseC.cpp.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <utility>
#include <vector>
#include "listctrl/SECListCtrl.h"
#include "listctrl/SECSubItemTextStorage.h"
#include "treectrl/SECTreeHandleSet.h"
#include "treectrl/SECTreeMergeSort.h"
#include "treectrl/SECTreeStyles.h"
#include "treectrl/TreeItemNode.h"

class SECTreePaintContext;

// Insertion position for descending sorted order; unlike TVI_SORT the value is
// zero-extended.
#define SEC_TVI_SORTDESCENDING (reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(0xFFFF0010u)))


// Node attribute request of SetItemAttributes and GetItemAttributes.
struct SECTreeAttributes
{
    UINT mask = 0;      // SEC_TVAF_VALUE: value is valid under valueMask
    UINT value = 0;     // attribute bits (_Node::attrGreyed, _Node::attrHidden, others stored as given)
    UINT valueMask = 0; // the bits of value that count
};
#define SEC_TVAF_VALUE 0x0001u

// Registered at start-up from "SECTreeCtrlNotifyEndLabelEditRegMsg": sent to the
// notification window after an accepted label edit of column 0 was stored, with
// wParam = the control's id and lParam = the edited item.
extern MORVA_API const UINT SECTreeEndLabelEditMessage;

// A node held across calls that may reach the owner: its address and the
// serial number it was made with, so that a node made later at the same
// address is not taken for it.
struct SECTreeNodeRef
{
    _Node* pNode = nullptr; // the node held; read only while the control says it lives
    UINT nSerial = 0;       // the node's serial number when it was taken
    UINT nFreed = 0;        // nodes the control had freed when it was taken
};

template <class TList>
class SECTreeBaseT : public TList
{
public:
    using TList::m_hWnd;
    // The list's overloads stay visible beside the tree's handle-based ones.
    using TList::DeleteItem;
    using TList::EnsureVisible;
    using TList::GetItem;
    using TList::GetItemData;
    using TList::GetItemState;
    using TList::GetItemText;
    using TList::InsertItem;
    using TList::SelectItem;
    using TList::SetItem;
    using TList::SetItemData;
    using TList::SetItemState;
    using TList::SetItemText;

    // Timer id of the auto-expansion of a drop target.
    enum { kTimerAutoExpand = 4 };
    // Defaults.
    enum { kDefaultIndent = 20, kDefaultAutoExpandDelay = 1000, kDefaultProgressiveStep = 5 };
    // Marks of _Node::m_nTreeFlags.
    enum : UINT
    {
        kNodeDying = 0x1,    // the node's subtree is being deleted: nothing is inserted below it
        kNodeDeleting = 0x2, // the node is unlinked and about to be freed
        kNodeSeen = 0x4,     // met by the running re-synchronisation
        kNodeLinking = 0x8,  // created by a running insertion, not linked yet
    };

    // ---- Construction
    SECTreeBaseT();
    ~SECTreeBaseT() override;

    // ---- Item attributes and owner callbacks (SECTreeItems.inl)
    // Sets attribute bits under the request's value mask; hiding or showing a
    // node removes or adds the rows of its subtree.
    virtual BOOL SetItemAttributes(HTREEITEM hItem, const SECTreeAttributes& request);
    // Reads the item's fields as the mask asks. Callback fields are asked of
    // the owner (TVN_GETDISPINFOW) when bResolve is set; without it a callback
    // text answers LPSTR_TEXTCALLBACKW.
    virtual BOOL GetItem(TVITEMW* pItem, BOOL bCopyText = TRUE, BOOL bResolve = TRUE);
    // The attribute bits with greyed and hidden inherited from the ancestors.
    virtual BOOL GetItemAttributes(HTREEITEM hItem, SECTreeAttributes& request);
    virtual BOOL RowNeedsOwnerData(int nRow);
    virtual BOOL EnableSubItemStorage(BOOL bEnable);
    virtual BOOL HasSubItemStorage() const;
    // Column 0 is the label; other columns go to the sub-item storage when it
    // exists, else to the list cell of the item's row.
    virtual BOOL SetItemText(HTREEITEM hItem, int nCol, LPCWSTR lpszText);
    virtual BOOL SetLabelText(HTREEITEM hItem, LPCWSTR lpszText);

    // ---- Expansion (SECTreeExpand.inl)
    // nCode: TVE_COLLAPSE, TVE_EXPAND, TVE_TOGGLE, TVE_COLLAPSERESET (with or
    // without TVE_COLLAPSE). bForce expands even an item without children that
    // the owner does not declare to have any.
    virtual BOOL Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw = TRUE, BOOL bForce = FALSE);
    // Case-insensitive comparison of the two labels (owner texts resolved).
    virtual int CompareItems(_Node* pFirst, _Node* pSecond);

    // ---- Styles (SECTreeFrame.inl)
    virtual BOOL GetStyles(DWORD& dwStyle, DWORD& dwExStyle) const;
    virtual BOOL SetStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetTreeStyle() const;
    virtual DWORD GetTreeExStyle() const;
    virtual BOOL SetTreeStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual BOOL SetTreeExStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual BOOL ModifyTreeStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyTreeExStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw = TRUE);

    // ---- Creation and the list style setters (SECTreeFrame.inl)
    // Takes the dialog control nID as a placeholder: its style, extended style
    // (plus the tips bit unless the style has TVS_NOTOOLTIPS), rectangle and
    // place in the z-order; then destroys it and creates the tree there.
    BOOL CreateFromDlgItem(UINT nID, CWnd* pParentDlg) override;
    // The list's setters note their settings in the extended tree style too.
    void EnableLabelWrap(BOOL bEnable) override;
    void EnableTips(BOOL bEnable) override;
    void EnableMultiSelect(BOOL bEnable) override;
    void ShowHeader(BOOL bShow, BOOL bButtons = TRUE) override;

    // ---- Columns (SECTreeColumns.inl)
    // Column 0 stays the tree column. Inserting or deleting a column keeps
    // every item's texts under their headings: each item gets a row for the
    // change (everything is expanded and collapsed again after), and the
    // sub-item storage moves its texts the same way.
    int InsertColumnRecord(int nCol, SECListColumn* pColumn, BOOL bRedraw = TRUE) override;
    // Refused past the last column, and for column 0 while others exist.
    BOOL DeleteColumn(int nCol) override;
    using TList::DeleteColumn;
    void OnColumnMoved(int nFrom, int nTo) override;

    // ---- Sorting (SECTreeSorting.inl)
    // Sorts the children of the item (the top-level items for null or
    // TVI_ROOT) by label, case-insensitively; with bRecursive every level
    // below too. Equal items keep their order.
    virtual BOOL SortChildren(HTREEITEM hItem, BOOL bRecursive = FALSE);
    // Sorts by the record's comparison, called with the two items' data and
    // the record's lParam; a negative answer puts the first item before the
    // second. FALSE when the comparison changed the tree (the sort stops).
    virtual BOOL SortChildrenCB(LPTVSORTCB pSort, BOOL bRecursive = FALSE, BOOL bReserved = FALSE);

    // ---- Repainting (SECTreeNodes.inl)
    // The list's InvalidateItem for the item's row; FALSE without a row.
    virtual BOOL RedrawItem(HTREEITEM hItem, BOOL bLabelOnly = FALSE, BOOL bErase = FALSE, BOOL bToBottom = FALSE,
                            BOOL bNow = FALSE);

    // ---- Notifications (SECTreeSelect.inl)
    virtual LRESULT NotifyTreeGetDispInfo(TVITEMW* pItem);
    virtual void NotifyItemExpanded(HTREEITEM hItem, UINT nCode);
    virtual LRESULT NotifyItemExpanding(HTREEITEM hItem, UINT nCode);
    virtual void NotifyTreeSetDispInfo(TVITEMW* pItem);
    virtual void NotifyTreeReserved1();
    virtual void NotifyTreeReserved2();

    // ---- Insertion and deletion (SECTreeInsert.inl)
    // Deletes the item and its subtree, children before parents, one
    // TVN_DELETEITEMW per item, each told after its row went; TVI_ROOT (or
    // null) deletes every item, all rows first.
    virtual BOOL DeleteItem(HTREEITEM hItem);
    virtual void NotifyTreeDeleteItem(HTREEITEM hItem);
    // The node factory; a derived control returns its own node class.
    virtual _Node* CreateNode();

    // ---- Navigation and rows (SECTreeNodes.inl); null and TVI_ROOT mean the root
    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    // Null when the parent is the root.
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    // The ancestor that is a child of the root; for the root, its first child.
    HTREEITEM GetTopLevelItem(HTREEITEM hItem) const;
    // Items of the list's focus, drop-highlight and first selected rows (the
    // list's GetDropHilightItem answers the row).
    HTREEITEM GetCaretItem() const;
    HTREEITEM GetDropTargetItem() const;
    HTREEITEM GetFirstSelectedItem() const;
    // The item shown in the row before or after the item's row.
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    // Hidden by its own attribute or an ancestor's.
    BOOL IsItemHidden(HTREEITEM hItem) const;
    // Not hidden, and every ancestor expanded and not hidden.
    BOOL IsItemVisible(HTREEITEM hItem) const;
    BOOL IsItemExpanded(HTREEITEM hItem) const;
    // The item's row, -1 without one; sequential lookups cost one comparison.
    int RowOf(HTREEITEM hItem) const;
    // The item of a row (the root for a row without a link); null for no row.
    HTREEITEM NodeFromRow(int nRow) const;
    _Node* GetRootNode() const;
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR dwData);
    BOOL SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);
    // Column 0 through GetItem with owner texts resolved; other columns from the
    // sub-item storage, else from the list cell of the item's row.
    CString GetItemText(HTREEITEM hItem, int nCol = 0);
    // Inserts with a record built from the arguments; lpszText LPSTR_TEXTCALLBACKW
    // (-1) makes the owner supply the label.
    HTREEITEM InsertItem(UINT nMask, LPCWSTR lpszText, int nImage, int nSelectedImage, UINT nState, UINT nStateMask,
                         LPARAM lParam, HTREEITEM hParent, HTREEITEM hInsertAfter);
    HTREEITEM InsertItem(LPCWSTR lpszText, HTREEITEM hParent = TVI_ROOT, HTREEITEM hInsertAfter = TVI_LAST);
    // hInsertAfter: TVI_FIRST, TVI_LAST, TVI_SORT, SEC_TVI_SORTDESCENDING or a
    // child of the parent; null when the item cannot be linked there.
    HTREEITEM InsertItem(const TVINSERTSTRUCTW* pInsert);
    BOOL SetItem(TVITEMW* pItem);
    // Expands the collapsed ancestors when the item has no row, then scrolls.
    BOOL EnsureVisible(HTREEITEM hItem, BOOL bKeepParentVisible = FALSE);
    // nCode: TVGN_CARET, TVGN_DROPHILITE or TVGN_FIRSTVISIBLE.
    BOOL SelectItem(HTREEITEM hItem, UINT nCode);
    BOOL SelectDropTarget(HTREEITEM hItem, BOOL bEnsureVisible = TRUE);
    BOOL AddToSelection(HTREEITEM hItem);
    BOOL SelectSetFirstVisible(HTREEITEM hItem);
    BOOL ExpandAll(HTREEITEM hItem, BOOL bRedraw = TRUE);
    // Children of the item; with bRecursive all descendants (below expanded
    // items only, with bOnlyExpanded).
    int CountChildren(HTREEITEM hItem, BOOL bRecursive = FALSE, BOOL bOnlyExpanded = FALSE) const;

    // ---- Settings (SECTreeFrame.inl)
    int GetIndent() const;
    void SetIndent(int nIndent);
    UINT GetAutoExpandDelay() const;
    void SetAutoExpandDelay(UINT nMilliseconds);
    int GetProgressiveStep() const;
    void SetProgressiveStep(int nStep);
    BOOL GetScrollAfterExpand() const;
    void SetScrollAfterExpand(BOOL bScroll);
    SECSubItemTextStorage* GetSubItemStorage() const;

    // ---- List hooks the tree fills (SECTreeItems.inl, SECTreeSelect.inl)
    BOOL SetItem(const LVITEMW* pItem, BOOL bRedraw = TRUE) override;
    BOOL GetItem(LVITEMW* pItem, BOOL bCopyText = TRUE, BOOL bAskOwner = TRUE) override;
    DWORD_PTR GetItemData(int nItem) override;
    int InsertItemRecord(int nItem, SECListItem* pItem) override;
    BOOL ReplaceItemRecords(int nItem, int nOldCount, SECListItem* const* ppItems, int nNewCount) override;
    // The rows follow the hierarchy in pre-order: children are sorted, not rows.
    BOOL CanSortRows() const override;
    void DeleteItemRecord(SECListItem* pItem) override;
    BOOL DeleteAllItems() override;
    void NotifyDeleteItem(int nItem) override;
    BOOL NotifyBeginLabelEdit(int nItem, int nSubItem) override;
    BOOL NotifyEndLabelEdit(int nItem, int nSubItem, CString& strText, BOOL bCommit) override;
    BOOL EndLabelEdit(BOOL bCommit) override;
    void OnLabelEditAccepted(int nItem, int nSubItem) override;
    void NotifyKeyDown(UINT nVKey) override;
    LRESULT NotifyGetDispInfo(LVITEMW* pItem) override;
    void NotifySetDispInfo(LVITEMW* pItem) override;
    BOOL OnSelectionChanging(int nItem, int nOldFocus, BOOL bByMouse) override;
    void OnSelectionChanged(int nItem, int nOldFocus, BOOL bByMouse) override;
    void OnBeginDrag(int nItem, CPoint point) override;
    void OnBeginRDrag(int nItem, CPoint point) override;
    UINT GetRowState(int nItem, UINT nMask) override;
    void SplitCreateStyles(CREATESTRUCTW& cs) override;
    void OnThemeChanged() override;
    void UpdateScrollBars() override;
    void InvalidateItem(int nItem, BOOL bLabelOnly = FALSE, BOOL bErase = FALSE, BOOL bToBottom = FALSE,
                        BOOL bNow = FALSE) override;

    // ---- Rendering and hit-testing of the tree column (SECTreePaint.inl)
    SECListPaintContext* CreatePaintContext(CDC* pDC) override;
    void LoadPaintItem(SECListPaintContext* pContext, int nItem, int nSubItem) override;
    void GetPaintFont(SECListPaintContext* pContext) override;
    int MeasureSubItem(SECListPaintContext* pContext, int nCol) override;
    void DrawSubItem(SECListPaintContext* pContext) override;
    // Type 0 (normal) widens the indent to the images' width.
    CImageList* SetImageList(CImageList* pImageList, int nImageList) override;
    // The expand button of a row whose cell is rcCell; empty for no row.
    virtual void GetButtonRect(CRect& rect, int nRow, const CRect& rcCell);
    virtual void DrawButton(SECTreePaintContext* pContext);
    virtual void DrawLines(SECTreePaintContext* pContext);
    virtual void DrawHorzLine(CDC* pDC, BOOL bSelected, int x1, int x2, int y);
    virtual void DrawVertLines(CDC* pDC, BOOL bSelected, int x, int y1, int y2);
    // Measures the label; rect.left is where it starts, rect.right how far it may go.
    virtual void CalcLabelRect(CDC* pDC, _Node* pNode, LPCWSTR lpszText, CRect& rect);
    // The item under a client point and where on its row (TVHT_ flags).
    virtual HTREEITEM HitTestItem(CPoint point, UINT* pFlags);
    // Image and label of the item as one image list (the caller deletes it);
    // null without a normal image list.
    virtual CImageList* CreateDragImage(HTREEITEM hItem);
    virtual HBITMAP CreateTextBitmap(CDC* pDC, LPCWSTR lpszText);
    virtual CImageList* CreateTextImage(CDC* pDC, LPCWSTR lpszText, HFONT hFont);
    virtual CImageList* CreateImageFromIcon(CImageList* pImages, int nImage);
    virtual CImageList* MergeImages(CImageList* pFirst, CImageList* pSecond);

    // ---- Key hooks of the list (SECTreeInput.inl)
    // Left, Backspace and minus: collapse the caret item, or go to its parent.
    void OnKeyLeft(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
    void OnKeyBack(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
    // Right and plus: expand the caret item, or go to its first shown child.
    void OnKeyRight(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;
    // Numeric-pad multiply: expand everything below the caret item.
    void OnKeyMultiply(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) override;

    // ---- Message handlers (listed in the message map of each hosting)
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    // The characters of the expand and collapse keys do not search.
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    // A button toggles its item; with TVS_SINGLEEXPAND a click that moves the
    // caret closes the old branch and opens the new item.
    void OnLButtonDown(UINT nFlags, CPoint point);
    // Toggles the item unless the owner answered NM_DBLCLK.
    void OnLButtonDblClk(UINT nFlags, CPoint point);

protected:
    // Handles and links
    // The node of a handle: the root for null and TVI_ROOT; null when the
    // handle names no live node of this control.
    _Node* Resolve(HTREEITEM hItem) const;
    // Makes a node with CreateNode and makes it known as a handle.
    _Node* NewNode();
    // Tells Resolve that the node lives (the caller reached it through the
    // links or a row), so that handing its handle to a virtual member next
    // costs no look into the handle table.
    void NoteLive(_Node* pNode) const;
    // A reference to a live node (or to none for null).
    SECTreeNodeRef RefOf(_Node* pNode) const;
    // Whether the node held is still alive (and not a later one at its address).
    BOOL IsLive(const SECTreeNodeRef& ref) const;
    // The node of a row (the root for a row without a link); null for no row.
    _Node* NodeAtRow(int nRow) const;
    static _Node* NodeOf(SECTreeNode* pNode);
    static _Node* ParentOf(const _Node* pNode);
    static _Node* FirstChildOf(const _Node* pNode);
    static _Node* NextSiblingOf(const _Node* pNode);
    static _Node* PrevSiblingOf(const _Node* pNode);
    // The end of the node's raw child run (remembered by the node).
    static _Node* LastChildOf(const _Node* pNode);
    // Whether items may be inserted below the node: not while it or an
    // ancestor is being deleted, nor below a node not linked yet.
    BOOL CanTakeChildren(const _Node* pNode) const;
    // pAncestor is a strict ancestor of pNode (stored links).
    static BOOL IsDescendantOf(const _Node* pNode, const _Node* pAncestor);
    // The node after p in a pre-order walk of pTop's subtree (stored links):
    // p's first child when bEnterChildren, else the next sibling of p or of its
    // nearest ancestor below pTop that has one; null past the subtree.
    static _Node* NextInSubtree(const _Node* p, const _Node* pTop, BOOL bEnterChildren);
    BOOL IsShown(const _Node* pNode) const;
    // The node's children get rows unless hidden: it is expanded, and not the
    // root while every item is being deleted.
    BOOL ShowsChildren(const _Node* pNode) const;
    void SetNodeExpanded(_Node* pNode, BOOL bExpanded);
    // Links pChild below pParent: last, first, or after pAfter (null when not a
    // child of pParent); the links come out as SECTreeNode::AddChild makes them.
    BOOL LinkNode(_Node* pParent, _Node* pChild, UINT_PTR nPosition);
    void UnlinkNode(_Node* pNode);
    BOOL ResolveInsertPosition(_Node* pParent, _Node* pNew, HTREEITEM hInsertAfter, UINT_PTR& nPosition);

    // Rows
    int RowOfNode(const _Node* pNode) const;
    SECListItem* NewRowRecord(_Node* pNode);
    // Copies the node's mirrored state bits (and selection, drop highlight)
    // into its row.
    void MirrorStateToRow(_Node* pNode, int nRow);
    // The shown descendants of a shown, expanded node, in pre-order.
    void CollectShownDescendants(_Node* pTop, std::vector<_Node*>& nodes) const;
    // Gives the shown descendants of the node at nRow their rows below it.
    void InsertDescendantRows(_Node* pNode, int nRow);
    // Removes the rows of the node's descendants (and of the node itself with
    // bWithNode) below nRow, clearing their selection first.
    BOOL RemoveDescendantRows(_Node* pNode, int nRow, BOOL bWithNode);
    // Removes rows in one list call, clearing their selection first. Callers
    // end an edit of those rows before: FALSE when one was still running and
    // its end changed the tree, which leaves the rows to the caller's repair.
    BOOL RemoveRows(int nFirst, int nCount);
    void RemoveNodeRow(_Node* pNode);
    // Ends an edit of a row of the node's descendants (or of the node itself,
    // with bWithNode) without keeping its text; TRUE when one ended, and then
    // the owner was told and may have changed anything.
    BOOL EndEditBelow(const _Node* pNode, BOOL bWithNode);
    // Clears the selection of rows nFirst..nFirst + nCount - 1, last to first.
    void DeselectRows(int nFirst, int nCount);
    // Number of rows after nRow that show descendants of the node.
    int CountDescendantRows(const _Node* pNode, int nRow) const;
    // Gives a shown node that has no row its row (and those of its shown subtree).
    void ShowNodeRows(_Node* pNode);
    // Rows for every shown node without one, none for the others.
    BOOL SyncRows();
    _Node* PrevShownNode(const _Node* pNode) const;
    void ResetRowMetrics(int nRow);
    // While one lives, the list's repaints and scroll-bar updates wait; they
    // happen once when the outermost goes. Both measure rows, which asks
    // owners for texts, and an owner may change anything: the tree holds them
    // while its rows are half done or go one by one. A release may thus call
    // out like a notification.
    class RefreshHold
    {
    public:
        explicit RefreshHold(SECTreeBaseT& tree) : m_tree(tree) { ++tree.m_nHoldRefresh; }
        ~RefreshHold() { m_tree.ReleaseRefresh(); }
        RefreshHold(const RefreshHold&) = delete;
        RefreshHold& operator=(const RefreshHold&) = delete;

    private:
        SECTreeBaseT& m_tree; // the control whose refresh waits
    };
    void ReleaseRefresh();
    // With the list's immediate refresh on: scroll bars and a repaint.
    void RefreshAfterChange();
    // The list's rows all go at once; their nodes forget them.
    BOOL ClearAllRows();

    // Items
    // Stores the record's fields in the node; callback fields that are not
    // overwritten (bForce off) are collected into nCollected. Answers whether
    // anything shown changed.
    BOOL ApplyToNode(_Node* pNode, const TVITEMW& item, BOOL bForce, UINT& nCollected);
    BOOL OwnerDeclaresChildren(_Node* pNode);
    // The node's label, never null: its own text as stored (not copied; empty
    // when it has none; cut to cchBuffer - 1 units in pBuffer when longer), or
    // for a callback label the owner's answer through GetItem, written to
    // pBuffer (always terminated) unless the owner points at a text of its own.
    // A stored text lives only until the node's label changes, so copy it
    // before an owner can run.
    LPCWSTR GetLabel(_Node* pNode, LPWSTR pBuffer, int cchBuffer);
    static UINT RowStateFromNode(UINT nNodeState);

    // Deletion
    BOOL DeleteEverything();
    BOOL DeleteNodeTree(_Node* pNode);
    BOOL DeleteLeafNode(_Node* pNode);
    void MarkDying(_Node* pNode);
    // Forgets the node (and any node still linked below it) and frees it.
    void FreeNode(_Node* pNode);
    void ForgetNode(_Node* pNode);
    void CreateRoot();

    // Sets or clears a bit of the extended tree style word alone.
    void SetTreeExBit(DWORD dwBit, BOOL bSet);

    // Expansion
    void CollapseRows(_Node* pNode, int nRow);
    // Steps of the key hooks; CollapseOrGoToParent answers whether it acted.
    BOOL CollapseOrGoToParent(int nItem);
    void ExpandOrGoToChild(int nItem);

    // Columns: the caret and every node's expanded flag (pre-order), kept
    // while everything is expanded for a change of the columns.
    struct ExpansionState
    {
        SECTreeNodeRef caret;                                // the caret item
        std::vector<std::pair<SECTreeNodeRef, bool>> nodes;  // each node and whether it was expanded
    };
    ExpansionState SaveExpansion() const;
    void ExpandEverything();
    // Collapses again what was collapsed and puts the caret back.
    void RestoreExpansion(const ExpansionState& state);

    // Sorting
    BOOL SortChildrenBy(_Node* pParent, BOOL bRecursive, const std::function<int(_Node*, _Node*)>& compare);
    BOOL RelinkChildren(_Node* pParent, const std::vector<_Node*>& children);
    void RelayDescendantRows(_Node* pParent);
    void Reselect(const std::vector<SECTreeNodeRef>& selected, const SECTreeNodeRef& caret);
    int IndexedRowOf(const SECListItem* pRecord) const;
    void SetExpandFocus(_Node* pNode, int nRow);

    // Notifications
    void CopyItemRecord(const _Node* pNode, TVITEMW& item) const;
    LRESULT SendSelectionNotify(UINT nCode, _Node* pNew, _Node* pOld, int nCause);
    void StopAutoExpandTimer();

    // Item attributes and callbacks
    SECSubItemTextStorage* m_pSubItemTexts = nullptr; // texts of columns 1 and up by node, when enabled (owned)
    _Node* m_pRoot = nullptr;                          // invisible root above the top-level items (owned)
    int m_nIndent = kDefaultIndent;                    // pixels per tree level
    DWORD m_dwTreeStyle = 0;                           // SEC_TVS_STORED_MASK bits of the tree style
    DWORD m_dwTreeStyleEx = 0;                         // extended tree style
    UINT_PTR m_nAutoExpandTimer = 0;                   // running drop-target timer, 0 when none
    UINT m_nAutoExpandDelay = kDefaultAutoExpandDelay; // milliseconds before a drop target expands
    int m_nProgressiveStep = kDefaultProgressiveStep;  // rows repainted one by one in a progressive expansion
    int m_nProgressiveCount = 0;                       // rows inserted since the last expansion began
    BOOL m_bScrollAfterExpand = TRUE;                  // an expansion scrolls its children into view
    HTHEME_SEC m_hTheme = nullptr;                     // visual-style data of the tree, opened by the renderer
    mutable int m_nRowCache = 0;                       // row of the last successful node lookup
    // Rows by record, sorted by record address, for lookups that jump about
    // (an item at a time after a sort); made after repeated scans while the
    // rows stayed the same, and only trusted where a row still holds its record.
    mutable std::vector<std::pair<const void*, int>> m_rowIndex;
    mutable UINT m_nRowIndexChanges = 0; // m_nChanges when m_rowIndex was made
    mutable UINT m_nScanChanges = 0;     // m_nChanges at the last scan
    mutable int m_nScans = 0;            // scans since the rows last changed

    // Implementation
    SECTreeHandleSet m_handles;               // addresses of the live nodes, the root included
    mutable HTREEITEM m_hLastResolved = nullptr; // the handle Resolve found live last ...
    mutable UINT m_nLastResolvedFreed = 0;       // ... and m_nFreed then
    UINT m_nLastSerial = 0;                   // serial number given to the node made last
    UINT m_nFreed = 0;                        // nodes freed so far: a reference taken since the last one names a live node
    UINT m_nChanges = 0;                      // counts changes of nodes, rows and edits: a plan made before a call out is stale when it moved
    int m_nDying = 0;                         // nodes marked kNodeDying
    int m_nHoldRefresh = 0;                   // RefreshHold objects alive: the list's repaints and scroll-bar updates wait
    BOOL m_bScrollBarsDue = FALSE;            // a scroll-bar update waited
    BOOL m_bRepaintDue = FALSE;               // a repaint waited
    int m_nDeferRows = 0;                     // running ExpandAll calls; expansions mark nodes, rows come at the end
    _Node* m_pDeferredFocus = nullptr;        // node an expansion focused while rows were deferred
    _Node* m_pLastInserted = nullptr;         // node linked last: a quick insert-after target
    SECListItem* m_pEndingEditRow = nullptr;  // record of the row whose edit is ending
    SECListItem* m_pParkedRow = nullptr;      // that record, deleted while the end was told; freed when the end is over
    BOOL m_bSorting = FALSE;                  // a sort runs (its comparison may not start another)
};

template <class TList>
BOOL SECTreeBaseT<TList>::CanSortRows() const
{
    return FALSE;
}

// The child-window hosting, instantiated (and exported) once in the library.
#if !defined(MORVA_BUILD_DLL)
extern template class SECTreeBaseT<SECListCtrl>;
#endif
typedef SECTreeBaseT<SECListCtrl> SECTreeBaseC;

// Message map entries the tree adds; each hosting lists them before the list's
// (SEC_LIST_MESSAGE_MAP_ENTRIES), whose handlers of the same names then also
// reach the tree's.
#define SEC_TREE_MESSAGE_MAP_ENTRIES()                                                         \
    ON_WM_CREATE()                                                                             \
    ON_WM_DESTROY()                                                                            \
    ON_WM_TIMER()
