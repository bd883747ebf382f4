// SECListBaseT: the multi-column list control's logic, written once over its
// host base class. SECListBaseC (over CWnd) is the child-window hosting; a
// document-view hosting instantiates the same template over its view class.
//
// The model (rows, cells, columns, selection, focus, anchor, drop highlight)
// needs no window: every operation works on an object that was never created,
// and the requests for repainting or re-layout do nothing until there is one.
//
// Nearly every operation is virtual so that derived controls (the tree) can
// replace single steps. The implementation is split by concern over the
// SECList*.inl files, compiled together in SECListBaseC.cpp.
#pragma once
class SECListCharWidths;
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <map>
#include <vector>
#include "framework/Framework.h"
#include "listctrl/SECListClient.h"
#include "listctrl/SECListEdit.h"
#include "listctrl/SECListPaintContext.h"
#include "listctrl/SECListShared.h"
#include "listctrl/SECListTextOut.h"
#include "listctrl/SECListTip.h"
#include "listctrl/SECMemDC.h"
#include "listctrl/SECThemeApi.h"
#include "listctrl/SECListRecords.h"
#include "listctrl/SECListRows.h"
#include "listctrl/SECListSelection.h"
#include "listctrl/SECListSort.h"
#include "listctrl/SECListStyles.h"

template <class THost>
class SECListMeasureScope;

template <class THost>
class SECListBaseT : public THost, public SECListClient
{
    friend class SECListMeasureScope<THost>;

public:
    using THost::m_hWnd;
    using THost::ClientToScreen;
    using THost::CreateEx;
    using THost::GetParent;
    using THost::GetStyle;
    using THost::Invalidate;
    using THost::InvalidateRect;
    using THost::SendMessage;
    using THost::PostMessage;
    using THost::SetTimer;
    using THost::KillTimer;
    using THost::Default;

    // Image list types of GetImageList / SetImageList.
    enum { kImageNormal = 0, kImageSmall = 1, kImageState = 2, kImageHeader = 3, kImageListCount = 4 };
    // Parts of GetCellRect.
    enum { kCellWhole = 0, kCellImage = 1, kCellLabel = 2 };
    // Timer ids.
    enum { kTimerAutoScroll = 2, kTimerTypeAhead = 3, kTimerPendingEdit = 0xF002 };
    // Control id of the in-place editor.
    enum { kEditorId = 1 };
    // Characters of the text scratch buffer (texts longer than this - 1 are cut).
    enum { kTextBufferChars = 2048 };
    // How often a walk over the rows starts over when the owner keeps changing
    // them while asked for texts; then it gives up with a neutral answer.
    enum { kMaxWalkRestarts = 3 };

    // ---- Construction
    SECListBaseT();
    ~SECListBaseT() override;

    // ---- Creation and styles (SECListFrame.inl)
    BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    virtual BOOL Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        LPVOID lpParam = nullptr);
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // Takes the dialog control nID as a placeholder: its styles (plus WS_BORDER) and
    // rectangle, then destroys it and creates the list in its place.
    virtual BOOL CreateFromDlgItem(UINT nID, CWnd* pParentDlg);
    // Supplies the default window class, then splits the creation styles.
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    virtual void SplitCreateStyles(CREATESTRUCTW& cs);

    virtual void SetNotifyWnd(CWnd* pWnd);
    virtual CWnd* GetNotifyWnd() const;

    virtual BOOL IsListStyleSet(DWORD dwStyle) const;
    virtual BOOL IsListStyleExSet(DWORD dwExStyle) const;
    virtual BOOL GetListStyles(DWORD& dwStyle, DWORD& dwExStyle) const;
    virtual BOOL SetListStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetListStyle() const;
    virtual DWORD GetListStyleEx() const;
    virtual BOOL SetListStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual BOOL SetListStyleEx(DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    virtual BOOL ModifyListStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw = TRUE);
    virtual void EnableLabelWrap(BOOL bEnable);
    virtual void EnableTips(BOOL bEnable);
    virtual void EnableMultiSelect(BOOL bEnable);
    virtual BOOL AreTipsEnabled() const;
    virtual BOOL HasHeader() const;
    virtual void ShowHeader(BOOL bShow, BOOL bButtons = TRUE);
    virtual BOOL IsMultiSelect() const;
    virtual void SetAutoUpdate(BOOL bAutoUpdate);
    virtual BOOL GetAutoUpdate() const;

    // ---- Colours and fonts (SECListPaint.inl)
    virtual void SetTextColor(COLORREF cr);
    virtual COLORREF GetTextColor() const;
    virtual void SetTextBkColor(COLORREF cr);
    virtual COLORREF GetTextBkColor() const;
    virtual void SetSelectedTextColor(COLORREF cr);
    virtual void SetSelectedBkColor(COLORREF cr);
    virtual void SetBkColor(COLORREF cr);
    // Background of the rows area: the control background, or the disabled one.
    virtual COLORREF GetBkColor() const;
    virtual void SetFollowSystemColors(BOOL bFollow);
    virtual void ReloadSystemColors();
    virtual HFONT GetHeaderFont() const;

    // ---- Rows (SECListModel.inl)
    virtual SECListItem* NewItemRecord();
    // Every row record the list frees while it is whole passes here, so that a
    // derived class can forget what points at it.
    virtual void DeleteItemRecord(SECListItem* pItem);
    virtual int InitItemRecord(SECListItem* pItem);
    virtual BOOL AllocSubItems(SECListItem* pItem);
    virtual void FreeSubItems(SECListItem* pItem);
    // Gives a record made elsewhere a cell for every sub-item column.
    void PadSubItems(SECListItem* pItem);
    // Gives a record that enters the rows its serial.
    void AdmitRecord(SECListItem* pItem);
    virtual int InsertItemRecord(int nItem, SECListItem* pItem);
    // Batch forms for callers that change many rows at once (the tree's expand
    // and re-synchronisation): one move of the rows array, the selection and
    // the focus, anchor, drop, edit and pending rows renumbered once. Neither
    // repaints nor updates the scroll bars. InsertItemRecords puts nCount
    // records at nItem (clamped to the row count) and answers the first index.
    virtual int InsertItemRecords(int nItem, SECListItem* const* ppItems, int nCount);
    // Replaces rows nItem..nItem + nOldCount - 1 by ppItems, which holds new
    // records and records of that range, each once. A record of the range that
    // is also in ppItems keeps its state (selection, focus...) at its new place;
    // the others are deleted, as DeleteItem deletes rows.
    virtual BOOL ReplaceItemRecords(int nItem, int nOldCount, SECListItem* const* ppItems, int nNewCount);
    virtual int InsertItem(const LVITEMW* pItem);
    virtual int InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                           LPARAM lParam);
    virtual int InsertItem(int nItem, LPCWSTR lpszItem, int nImage);
    virtual int InsertItem(int nItem, LPCWSTR lpszItem);
    virtual int InsertItemAfter(SECListItem* pAfter, LVITEMW* pItem);
    virtual int InsertItemBefore(SECListItem* pBefore, LVITEMW* pItem);
    virtual BOOL DeleteItem(int nItem, int nCount = 1);
    virtual BOOL DeleteItem(SECListItem* pItem);
    virtual BOOL DeleteAllItems();
    virtual int GetItemCount() const;
    virtual int GetRowCount() const;
    virtual int GetSubItemCount() const;
    virtual LPARAM GetRecordData(const SECListItem* pItem) const;
    // The row record at nItem; null when there is none.
    SECListItem* GetItemAt(int nItem) const;
    // Index of the row holding the record; -1 when absent.
    int FindItemRecord(const SECListItem* pItem) const;

    // A row as the list knows it across a call to the owner, who may delete and
    // insert rows meanwhile: the record and its serial, so that a new record
    // at a freed one's address is not taken for it.
    struct RowRef
    {
        const SECListItem* pRecord = nullptr; // never read through unless found among the rows
        UINT nSerial = 0;                     // the record's serial when the reference was taken
    };
    RowRef GetRowRef(int nItem) const;
    // The row now holding the referenced record (looked for at nHint first);
    // -1 when it went.
    int FindRow(const RowRef& ref, int nHint = -1) const;
    // Changes whenever row or cell records are made, freed or moved, and when
    // the window goes. A walk that called out to the owner compares it with
    // the value it started with before it touches a record again.
    UINT GetRecordsStamp() const { return m_nRecordsStamp; }
    // Notes such a change; every place that frees or moves records calls it.
    void RecordsChanged() { ++m_nRecordsStamp; }
    // Whether the records changed since the watch was made (or reset).
    class RecordsWatch
    {
    public:
        explicit RecordsWatch(const SECListBaseT* pList) : m_pList(pList), m_nStamp(pList->m_nRecordsStamp) {}
        BOOL Changed() const { return m_pList->m_nRecordsStamp != m_nStamp; }
        void Reset() { m_nStamp = m_pList->m_nRecordsStamp; }

    private:
        const SECListBaseT* m_pList; // the list watched
        UINT m_nStamp;               // its records stamp when made or reset
    };
    // Removes rows nItem..nItem + nCount - 1 and renumbers focus, anchor, drop
    // highlight, edit row and selection; no notification, no repaint.
    void RemoveRows(int nItem, int nCount);
    // The first row carrying the deletion mark nMark; -1 when none does.
    int FindMarkedRow(UINT nMark) const;
    // Removes the rows carrying the deletion mark nMark, wherever they are
    // now; FALSE when none is left.
    BOOL RemoveMarkedRows(UINT nMark);

    virtual BOOL SetItem(const LVITEMW* pItem, BOOL bRedraw = TRUE);
    virtual BOOL SetItem(int nItem, int nSubItem, UINT nMask, LPCWSTR lpszItem, int nImage, UINT nState,
                         UINT nStateMask, LPARAM lParam);
    virtual BOOL GetItem(LVITEMW* pItem, BOOL bCopyText = TRUE, BOOL bAskOwner = TRUE);
    virtual BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    virtual int GetItemText(int nItem, int nSubItem, LPWSTR lpszText, int nLen);
    CString GetItemText(int nItem, int nSubItem);
    virtual BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    virtual UINT GetItemState(int nItem, UINT nMask);
    virtual BOOL SetItemData(int nItem, DWORD_PTR dwData);
    virtual DWORD_PTR GetItemData(int nItem);
    virtual BOOL SetItemExState(int nItem, UINT nState, UINT nMask);
    virtual UINT GetItemExState(int nItem, UINT nMask) const;
    virtual void SetStateCallback(BOOL b);
    virtual BOOL IsStateCallback() const;
    virtual void SetExStateCallback(BOOL b);
    virtual BOOL IsExStateCallback() const;

    // ---- Columns (SECListModel.inl)
    virtual int InsertColumnRecord(int nCol, SECListColumn* pColumn, BOOL bRedraw = TRUE);
    virtual int InsertColumn(int nCol, LPCWSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                             int nSubItem = -1, int nImage = -1, BOOL bRedraw = TRUE);
    virtual int InsertColumn(int nCol, const LVCOLUMNW* pColumn, BOOL bRedraw = TRUE);
    virtual int AddColumn(SECListColumn* pColumn);
    virtual int AddColumn(LPCWSTR lpszHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1,
                          int nImage = -1);
    virtual int AddColumn(const LVCOLUMNW* pColumn);
    virtual BOOL DeleteColumn(int nCol);
    virtual BOOL DeleteColumn(LPCWSTR lpszHeading);
    virtual BOOL DeleteAllColumns();
    virtual BOOL MoveColumn(int nFrom, int nTo, BOOL bRedraw = TRUE);
    virtual BOOL GetColumn(int nCol, LVCOLUMNW* pColumn) const;
    virtual BOOL SetColumn(int nCol, const LVCOLUMNW* pColumn, BOOL bRedraw = TRUE);
    virtual BOOL SetColumnWidth(int nCol, int cx);
    virtual int GetColumnWidth(int nCol) const;
    virtual BOOL SetColumnFormat(int nCol, int nFormat);
    virtual int GetColumnFormat(int nCol) const;
    virtual BOOL SetColumnHeading(int nCol, LPCWSTR lpszHeading);
    virtual CString GetColumnHeading(int nCol) const;
    virtual int GetColumnCount() const;
    virtual SECListColumn* GetColumnRecord(int nCol) const;
    virtual BOOL FindColumn(LPCWSTR lpszHeading, int& nCol, int& nSubItem) const;
    virtual BOOL HasColumn(LPCWSTR lpszHeading) const;
    // Index of the main column (the first whose sub-item is 0); -1 without one.
    int GetMainColumn() const;

    // ---- Image lists (SECListModel.inl)
    virtual CImageList* GetImageList(int nImageList) const;
    virtual CImageList* SetImageList(CImageList* pImageList, int nImageList);
    virtual BOOL CopyImageList(CImageList* pSource, CImageList*& pCopy);
    // Deletes the copies the control made, in use or handed back; the lists in
    // use that were copies go to null.
    void FreeOwnImageLists();

    // ---- Selection set (SECListSelect.inl)
    virtual UINT GetSelectedCount() const;
    virtual BOOL SelectItem(int nItem, BOOL bSelect);
    virtual BOOL SelectItemRange(int nFirst, int nLast, BOOL bSelect);
    virtual void DeselectAllItems(int nExcept = -1);
    virtual BOOL FocusAndSelectItem(int nItem, BOOL bSelect = TRUE);
    virtual BOOL SetFocusItem(int nItem);
    virtual int GetFocusItem() const;
    virtual BOOL SetDropHilightItem(int nItem);
    virtual int GetDropHilightItem() const;
    virtual int GetNextItem(int nItem, int nFlags);
    int GetAnchorItem() const;
    const SECListSelection& GetSelection() const;

    // ---- Sorting (SECListSort.inl)
    // Orders the rows by pfnCompare, as the platform's list-view does: it gets
    // the item data of two rows (SortItems) or their indices (SortItemsEx) and
    // lParamSort, and answers below 0 when the first row goes first. Rows that
    // compare equal keep their order. The rows do not move while the owner is
    // asked, so SortItemsEx's indices are those of the rows before the sort.
    // Selection, focus and anchor stay on their rows; the top row index stays.
    // FALSE when there is no function, when the owner changes the rows from
    // inside the comparison (the sort ends, what the owner did stays), when
    // called again from inside one, and for a list whose row order is not its
    // own (the tree).
    virtual BOOL SortItems(PFNLVCOMPARE pfnCompare, LPARAM lParamSort);
    virtual BOOL SortItemsEx(PFNLVCOMPARE pfnCompare, LPARAM lParamSort);
    // Whether the rows may be reordered by SortItems.
    virtual BOOL CanSortRows() const;
    // The mark in the heading of the sorted column (an arrow up for ascending,
    // down for descending), drawn themed or classic; nCol -1 removes it. It
    // follows its column when columns move and goes with it. FALSE for a
    // column that does not exist.
    virtual BOOL SetSortMark(int nCol, BOOL bAscending = TRUE);
    // The column showing the mark, -1 for none; pbAscending gets its direction.
    virtual int GetSortMark(BOOL* pbAscending = nullptr) const;

    // ---- Layout and hit-testing (SECListLayout.inl)
    void GetInsideRect(CRect& rect) const override;
    virtual void GetListClientRect(CRect& rect) const;
    virtual int GetTopIndex() const;
    virtual BOOL SetTopIndex(int nIndex);
    virtual int GetRowSpacing() const;
    virtual int GetCountPerPage();
    virtual int GetCountPerPageAbove();
    virtual int GetBottomIndex();
    virtual int GetRowsHeight(int nFrom, int nTo, BOOL bInclusive);
    virtual int CountRowsInHeight(int nHeight, int nStart, BOOL bForward);
    virtual int GetColumnLeft(int nCol) const;
    virtual int GetColumnRight(int nCol) const;
    virtual int GetTotalWidth();
    int GetPaintTotalWidth(SECListPaintContext* pContext); // GetTotalWidth, once per paint
    virtual BOOL EnsureVisible(int nItem, BOOL bPartialOK = FALSE);
    virtual BOOL EnsureRangeVisible(int nFirst, int nLast);
    BOOL GetCellRect(int nItem, int nCol, CRect& rect, int nCode) override;
    virtual BOOL GetItemRect(int nItem, CRect& rect, int nCode);
    virtual int GetItemHeight(int nItem);
    virtual void MeasureItem(int nItem, SECListItem* pItem);
    virtual void MeasureItemByIndex(int nItem);
    virtual int MeasureSubItem(SECListPaintContext* pContext, int nCol);
    virtual void CalcImageRect(SECListPaintContext* pContext, CRect& rect);
    virtual void CalcTextRect(SECListPaintContext* pContext, CRect& rect, int nAvailable);
    // The character widths of hFont when pDC is this list's measuring context
    // (texts measured there need no GDI call); null otherwise.
    const SECListCharWidths* MeasuringWidths(CDC* pDC, HFONT hFont) const;
    virtual int HitTest(CPoint point, UINT* pFlags = nullptr, int* pCol = nullptr);
    virtual void ScrollHorz(int dx);
    virtual void ScrollVert(int nRows, BOOL bByItem = FALSE);
    // After the top row changed from nOldTop: moves the pixels of the rows
    // still in view and invalidates the rest (the whole window when more than
    // a page went by).
    void ScrollRowPixels(int nOldTop);
    virtual void UpdateScrollBars();
    virtual void UpdateVertScrollBar(int nCount);
    virtual void UpdateHorzScrollBar(int nTotalWidth);
    virtual void ShowScrollBarCtrl(int nBar, BOOL bShow, SCROLLINFO* pInfo);
    virtual CScrollBar* CreateScrollBarCtrl(DWORD dwStyle, UINT nID);
    virtual void PositionScrollBars();
    // Gives a bar the masked values of pInfo that differ from its own, without
    // a repaint now: the bar is invalidated and paints with the next paint.
    void SetBarInfo(CScrollBar* pBar, const SCROLLINFO& info);
    // Invalidates both bars (answers the message SetBarInfo posts).
    void RepaintBars();
    // The first row below the visible rows (the row count when all fit), from
    // a walk that is kept while the top row, the rows and the area stay.
    int GetPageEnd();
    virtual void InvalidateRowHeights();
    // Marks a row for measuring (and its height unknown, if asked); every change
    // of a row's measure goes through here or RowsChanged.
    void MarkRowForMeasuring(SECListItem* pRow, BOOL bHeightToo = FALSE);
    // Rows came, went or need measuring: what was found from all rows is stale.
    void RowsChanged();
    // Around the removal of rows nItem..nItem + nCount - 1: the widest label of
    // a single-column list stays known when it was and the rows' widths were
    // counted (answered TRUE before the removal; KeepWidestLabel after it).
    BOOL ForgetLabelWidths(int nItem, int nCount);
    void KeepWidestLabel();
    // Around the insertion of rows nItem..nItem + nCount - 1: when the widths
    // were counted, only the new rows are measured and counted next time
    // (CountPendingLabelWidths), not every row.
    BOOL AreLabelWidthsCounted() const;
    void RowsInserted(BOOL bWereCounted, int nItem, int nCount);
    BOOL CountPendingLabelWidths();
    // Whether the row's height and rectangles are known (not marked, and not
    // older than the last InvalidateRowHeights).
    BOOL IsRowMeasured(const SECListItem* pRow) const
    {
        return !pRow->m_bDirty && pRow->m_nHeightEpoch == m_nHeightsEpoch;
    }
    virtual void FitColumnsToWidth();
    virtual void CheckFitColumns();
    virtual void ReMeasureAllItems();
    virtual void ReMeasureItem(int nItem);
    virtual void InvalidateItem(int nItem, BOOL bLabelOnly = FALSE, BOOL bErase = FALSE, BOOL bToBottom = FALSE,
                                BOOL bNow = FALSE);
    virtual void InvalidateItemRange(int nFirst, int nLast);
    virtual CDC* CreateClientDC();
    // The client DC made by CreateClientDC goes back here.
    virtual void ReleaseClientDC(CDC* pDC);
    BOOL IsVertScrollBarShown() const;
    BOOL IsHorzScrollBarShown() const;
    int GetHorzOffset() const;
    int GetHeaderHeight() const;
    CScrollBar* GetScrollBarCtrl(int nBar) const;

    // ---- Painting (SECListPaint.inl)
    virtual void DoPaint(CDC* pDC);
    virtual SECListPaintContext* CreatePaintContext(CDC* pDC);
    virtual SECMemDC* CreateMemDC(CDC* pDC, const CRect& rect);
    virtual void DrawHeader(SECListPaintContext* pContext);
    virtual void DrawHeaderItem(int nCol, BOOL bPressed);
    virtual void DrawHeaderImage(CDC* pDC, SECListColumn* pColumn, CRect& rcText, UINT& nFormat, int nTextWidth);
    virtual CImageList* CreateHeaderDragImage(int nCol);
    virtual void DrawColumnInsertMark(int nCol, CPoint point);
    virtual void DrawRows(SECListPaintContext* pContext);
    virtual void DrawRow(SECListPaintContext* pContext, int nItem, SECListItem* pItem, const CRect& rcRow);
    virtual void LoadPaintItem(SECListPaintContext* pContext, int nItem, int nSubItem);
    virtual void DrawSubItem(SECListPaintContext* pContext);
    virtual void DrawItemImage(SECListPaintContext* pContext);
    virtual void DrawItemText(SECListPaintContext* pContext);
    // Where the main cell's row image goes in the cell; FALSE without one.
    BOOL GetPaintImageRect(SECListPaintContext* pContext, CRect& rect);
    virtual void DrawFocusRect(SECListPaintContext* pContext, int nItem, const CRect& rcRow);
    virtual void DrawHorzGridLine(SECListPaintContext* pContext, const CRect& rcRow);
    virtual void DrawVertGridLines(SECListPaintContext* pContext, const CRect& rcRow, BOOL bLastRow);
    virtual void GetPaintTextColors(SECListPaintContext* pContext);
    virtual void GetPaintBkColor(SECListPaintContext* pContext);
    virtual void GetPaintCellBkColor(SECListPaintContext* pContext);
    virtual void GetPaintFont(SECListPaintContext* pContext);
    virtual HPEN GetHorzGridPen();
    virtual HPEN GetVertGridPen();
    virtual HFONT GetRowFont(int nItem);

    // ---- Input (SECListInput.inl)
    virtual int ProcessSelection(int nItem, UINT nHitFlags, UINT nKeyFlags, BOOL bByMouse);
    virtual void AnalyzeClick(CPoint point, int nItem, UINT nHitFlags, BOOL& bArmDrag, BOOL& bSelect);
    virtual int TrackColumnDivider(CPoint point, int nCol);
    virtual void StartAutoScrollTimer(UINT nPeriod);
    virtual void StopAutoScrollTimer();
    virtual void CancelEditTimer();
    virtual void OnKeySpace(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyUp(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyDown(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyF2(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyReturn(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyHome(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyEnd(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyLeft(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyBack(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyRight(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyMultiply(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyPageUp(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    virtual void OnKeyPageDown(int nItem, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags);
    // How long a click on the label of the selected focus row waits before the
    // editor opens (0 turns the delayed edit off).
    void SetPendingEditDelay(UINT nMilliseconds);
    UINT GetPendingEditDelay() const;
    void SetTypeAheadTimeout(UINT nMilliseconds);
    int GetCurrentColumn() const;

    // ---- In-place editing (SECListEditing.inl)
    virtual SECListEdit* EditLabel(int nItem, int nCol = 0);
    virtual SECListEdit* GetEditControl() const;
    BOOL EndLabelEdit(BOOL bCommit) override;
    int GetEditItem() const;
    virtual void OnEditUpdate();
    // Closes the editor without a word to the owner (its rows are going).
    void DiscardEdit();
    // Destroys the editor's window, or, while the edit control is calling us
    // back, retires it (it closes itself later).
    void DestroyEditor();
    virtual void OnEditKillFocus();

    // ---- Notifications (SECListFrame.inl)
    virtual LRESULT NotifyParent(UINT nCode);
    virtual BOOL NotifyBeginLabelEdit(int nItem, int nSubItem);
    virtual BOOL NotifyEndLabelEdit(int nItem, int nSubItem, CString& strText, BOOL bCommit);
    virtual LRESULT NotifyGetDispInfo(LVITEMW* pItem);
    virtual void NotifySetDispInfo(LVITEMW* /*pItem*/);
    virtual void NotifyGetExState(LVITEMW* /*pItem*/);
    virtual void NotifyReserved();
    virtual void NotifyInsertItem(int nItem);
    virtual void NotifyDeleteItem(int nItem);
    virtual void NotifyKeyDown(UINT nVKey);
    virtual void NotifyColumnClick(int nCol);
    LRESULT GetLastNotifyResult() const;

    // ---- Overridable hooks, empty in the list
    virtual void OnBeginDrag(int /*nItem*/, CPoint /*point*/);
    virtual void OnBeginRDrag(int /*nItem*/, CPoint /*point*/);
    virtual BOOL OnSelectionChanging(int /*nItem*/, int /*nOldFocus*/, BOOL /*bByMouse*/);
    virtual void OnSelectionChanged(int /*nItem*/, int /*nOldFocus*/, BOOL /*bByMouse*/);
    virtual void OnSelectionMoved(int /*nItem*/, BOOL /*bByMouse*/);
    virtual void OnLabelEditAccepted(int /*nItem*/, int /*nSubItem*/);
    virtual void OnColumnMoved(int /*nFrom*/, int /*nTo*/);
    virtual void OnThemeChanged();

    // ---- SECListClient
    HWND GetOwnerWindow() const override;
    BOOL HasVariableRowHeight() const override;
    int GetColumnSubItem(int nCol) const override;
    BOOL GetScrollOffsets(CPoint& point) const override;
    void GetCellText(CString& strText, int nItem, int nSubItem) override;
    void ClientToScreen(CPoint& point) const override;
    CWnd* SetOwnerCapture(BOOL bSet) override;
    BOOL IsRowSelected(int nItem) override;
    COLORREF GetSelectedTextColor() const override;
    COLORREF GetSelectedBkColor() const override;
    COLORREF GetTipTextColor() const override;
    COLORREF GetTipBkColor() const override;
    HFONT GetOwnerFont() const override;
    UINT GetRowState(int /*nItem*/, UINT /*nMask*/) override;

    SECListTip* GetTip() const;

    // ---- Message handlers (listed in the message map of each hosting)
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCTW lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    // Paints into the given DC (PrintWindow, WM_PRINT, snapshots).
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);
    UINT OnGetDlgCode();
    void OnEnable(BOOL bEnable);
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSysColorChange();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSetFont(HFONT hFont, BOOL bRedraw);
    HFONT OnGetFont();
    LRESULT OnThemeChangedMessage(WPARAM wParam, LPARAM lParam);

protected:
    // Reads the control's focus and enabled state into the context once.
    void LoadWindowState(SECListPaintContext* pContext) const;
    // Sends a notification record to the notify window: fills hwndFrom, idFrom and code.
    LRESULT SendNotify(NMHDR* pHeader, UINT nCode);
    // Text of a row or sub-item record; null when the sub-item does not exist.
    LPWSTR* TextSlot(SECListItem* pItem, int nSubItem) const;
    // Whether the window exists (notifications may destroy it).
    BOOL IsAlive() const;
    // Whether the window has the keyboard focus. Asking the system costs a
    // server round trip under Wine (about 30 us, a twentieth of a paint), so
    // a routed window keeps the answer from WM_SETFOCUS and WM_KILLFOCUS.
    BOOL HasFocus() const;
    void HideTip();
    // Hides the tip without repainting now: its row is moving or going.
    void DropTip();
    void RefreshTip();
    int DividerWidthLimit(int nCol) const;
    void ScrollToBottom();
    BOOL StepTo(int nItem, BOOL bShift, BOOL bCtrl, BOOL bEnsureVisible);
    BOOL IsEditorWindow(HWND hWnd) const;
    void ResizeColumnByDivider(int nCol, int nDelta);
    void UpdateHeadingDrag(CPoint point);
    void EraseColumnInsertMark(int nDropCol);
    void EndHeadingDrag();
    // Ends a heading press or drag whose button release never came.
    void AbandonHeadingPress();
    // Keeps the hot, pressed and drop headings right when column nCol goes.
    void ForgetHeading(int nCol);
    void SetHotColumn(int nCol);
    BOOL TypeAhead(WCHAR ch);

    // Model (rows, columns, selection)
    SECListRows m_items;                  // the rows, owned
    CArray<SECListColumn*, SECListColumn*> m_columns; // the columns, owned
    int m_nSubItems = 0;                  // sub-item slots; every row has this many sub-items
    SECListSelection m_selection;         // selected rows, sorted
    int m_nFocusIndex = -1;               // focus row
    int m_nAnchor = -1;                   // anchor of shift-extended selection
    int m_nDropHilite = -1;               // drop-highlighted row
    int m_nEditItem = -1;                 // row edited in place
    int m_nEditCol = -1;                  // edited column, also the column of the last click or key
    int m_nPendingEdit = -1;              // row whose label click may open the editor
    int m_nTopIndex = 0;                  // first visible row
    BOOL m_bStateCallback = FALSE;        // the owner keeps the state bits
    BOOL m_bExStateCallback = FALSE;      // the owner keeps the extended state word
    BOOL m_bAutoUpdate = FALSE;           // re-lay out after every insertion
    UINT m_nRecordsStamp = 0;             // see GetRecordsStamp
    UINT m_nHeightsEpoch = 1;             // bumped by InvalidateRowHeights: every row's height is then unknown
    // GetPageEnd's answer and what it was found for.
    struct PageEndCache
    {
        int nEnd = -1;          // the first row below the visible rows; -1 when not known
        int nTop = -1;          // top row it was found for
        int nHeight = -1;       // height of the rows area
        UINT nGeneration = 0;   // m_nRowsGeneration
        UINT nEpoch = 0;        // m_nHeightsEpoch
        // What the rows area was found from, so that InvalidateItem can trust
        // nEnd without asking the window for its client rectangle.
        UINT nSizeStamp = 0;    // m_nSizeStamp
        DWORD dwStyle = 0;      // m_dwListStyle
        DWORD dwScroll = 0;     // m_dwScrollStyle
        int nHeaderHeight = 0;  // m_nHeaderHeight
    } m_pageEnd;
    UINT m_nSizeStamp = 0;                // bumped by every WM_SIZE
    // Whether nItem lies below the visible rows by what GetPageEnd last found,
    // if that still holds; answers without a call into the window system.
    BOOL IsKnownBelowPage(int nItem) const;
    CRect m_rcBars[2];                    // where PositionScrollBars put the horizontal and vertical bar
    BOOL m_bBarRepaintPosted = FALSE;     // the message that repaints the bars is on its way
    UINT m_nNextSerial = 0;               // serial of the last row that entered the list
    UINT m_nLastDeleteMark = 0;           // mark of the last deletion begun (see DeleteItem)
    const SECListItem* m_pMeasuring = nullptr; // row being measured: an owner asked meanwhile cannot start it again
    SECListMeasureScope<THost>* m_pMeasureScope = nullptr; // the measuring scope opened last for this list
    // The widest label of a single-column, single-line list, kept while no row
    // changes: layouts, clicks and paints would otherwise walk every row for it.
    UINT m_nRowsGeneration = 1;           // bumped by RowsChanged
    UINT m_nWidestGeneration = 0;         // generation m_nWidestLabel was found in
    int m_nWidestLabel = 0;               // widest label's right edge plus margin
    std::map<int, int> m_widestCounts;    // rows per label right edge plus margin, found with m_nWidestLabel
    BOOL m_bWidestCounted = FALSE;        // m_widestCounts holds every row (all were measured)
    int m_nPendingFirst = 0;              // rows inserted since the counts were made, not counted yet:
    int m_nPendingCount = 0;              // m_nPendingCount of them from m_nPendingFirst,
    UINT m_nPendingGeneration = 0;        // valid while m_nRowsGeneration is this
    CImageList* m_pImageLists[kImageListCount] = {}; // normal, small, state, header
    BOOL m_bOwnImageList[kImageListCount] = {};      // the list in use is a copy the control made
    CImageList* m_pRetiredImageLists[kImageListCount] = {}; // copy replaced last, handed back to the caller (owned)
    DWORD m_dwListStyle = 0;              // list style word
    DWORD m_dwListStyleEx = 0;            // extended list style word
    WCHAR* m_pTextBuffer = nullptr;       // scratch buffer for cell texts (owned)

    // Window state
    CWnd* m_pNotifyWnd = nullptr;         // explicit target of notifications, null for the parent
    LRESULT m_lLastNotifyResult = 0;      // result of the last bare notification
    int m_nHeaderHeight = 20;             // height of the header band
    int m_nHorzOffset = 0;                // horizontal scroll position in pixels
    DWORD m_dwScrollStyle = 0;            // WS_HSCROLL / WS_VSCROLL: which child bars are shown
    int m_nWheelDelta = 0;                // wheel deltas not yet turned into scrolling
    CScrollBar* m_pHorzBar = nullptr;     // horizontal child scroll bar (owned), made on first use
    CScrollBar* m_pVertBar = nullptr;     // vertical child scroll bar (owned), made on first use
    HFONT m_hFont = nullptr;              // font given with WM_SETFONT, not owned
    HCURSOR m_hDividerCursor = nullptr;   // cursor over a column divider
    SECListTip* m_pTip = nullptr;         // clipped-text tip (owned)
    SECListEdit* m_pEdit = nullptr;       // in-place editor (owned)

    // Input state
    int m_nHotCol = -1;                   // heading drawn hot
    int m_nPressedCol = -1;               // heading held down
    int m_nDropCol = -1;                  // insertion position of a heading drag
    CPoint m_ptButtonDown;                // where the last button press happened
    BOOL m_bDragArmed = FALSE;            // the press may start a drag
    BOOL m_bRowDrag = FALSE;              // a row drag runs
    BOOL m_bHeadingDrag = FALSE;          // a heading drag runs
    BOOL m_bOverDivider = FALSE;          // the pointer is over a column divider
    BOOL m_bTrackingDivider = FALSE;      // the divider loop runs (no off-screen buffer then)
    BOOL m_bTrackingLeave = FALSE;        // WM_MOUSELEAVE was requested
    BOOL m_bVeto = FALSE;                 // result of the last OnSelectionChanging
    BOOL m_bClickOnSelectedFocus = FALSE; // the last press hit the selected focus row
    CImageList* m_pHeadingDragImage = nullptr; // drag image of a heading drag (owned)
    BOOL m_bHeadingDragShown = FALSE;     // the drag image was shown once in this drag
    UINT_PTR m_nPendingEditTimer = 0;     // pending-edit timer, 0 when not running
    UINT m_nPendingEditDelay = 0;         // delay of the pending edit; set at construction
    UINT_PTR m_nAutoScrollTimer = 0;      // auto-scroll timer, 0 when not running
    UINT_PTR m_nTypeAheadTimer = 0;       // type-ahead timer, 0 when not running
    UINT m_nTypeAheadTimeout = 250;       // type-ahead timeout in milliseconds
    UINT m_nTypeAheadFlags = 0;           // SEC_TYPEAHEAD_ flags
    CString m_strTypeAhead;               // characters typed so far
    CString m_strSavedEditText;           // cell text when editing began
    BOOL m_bEndingEdit = FALSE;           // EndLabelEdit is under way
    BOOL m_bQuietFocus = FALSE;           // the focus comes back from a discarded editor: no NM_SETFOCUS
    mutable int m_nHasFocus = -1;         // HasFocus's answer kept from the focus messages; -1 until known
    CBitmap m_paintBuffer;                // the off-screen bitmap kept from one paint to the next (see CreateMemDC)
    BOOL m_bPaintBufferBusy = FALSE;      // a buffer over m_paintBuffer is open
    int m_nEditorCallbacks = 0;           // the edit control is calling us back (EN_UPDATE) this many times deep

    // Colours
    COLORREF m_crText = 0;                // text
    COLORREF m_crTextBk = 0;              // text background
    COLORREF m_crSelText = 0;             // selected text
    COLORREF m_crSelBk = 0;               // selected background
    COLORREF m_crGrayText = 0;            // grey text
    COLORREF m_crCellBk = 0;              // cell background
    COLORREF m_crFocusCellBk = 0;         // focused selected cell background
    COLORREF m_crTipBk = 0;               // tip background
    COLORREF m_crTipText = 0;             // tip text
    COLORREF m_crBk = 0;                  // control background
    BOOL m_bFollowSysColors = FALSE;      // reload the colours on WM_SYSCOLORCHANGE

    // Sorting
    BOOL SortRows(PFNLVCOMPARE pfnCompare, LPARAM lParamSort, BOOL bByIndex);
    // The mark a heading shows (SECListDetail::SortMark).
    int SortMarkOf(const SECListColumn* pColumn) const
    {
        return pColumn == nullptr || pColumn != m_pSortColumn ? 0 : (m_bSortAscending ? 1 : 2);
    }
    SECListColumn* m_pSortColumn = nullptr; // column showing the sort mark (one of m_columns), or null
    BOOL m_bSortAscending = TRUE;         // direction the mark shows
    BOOL m_bSorting = FALSE;              // a sort is asking the owner
};

// The child-window hosting, instantiated (and exported) once in the library.
// Hosts use those instances; inline members are compiled where they are used.
#if !defined(MORVA_BUILD_DLL)
extern template class SECListBaseT<CWnd>;
#endif
typedef SECListBaseT<CWnd> SECListBaseC;

// Message map entries of a list hosting; each hosting lists them in its map.
#define SEC_LIST_MESSAGE_MAP_ENTRIES()                                                         \
    ON_WM_CREATE()                                                                             \
    ON_WM_DESTROY()                                                                            \
    ON_WM_SIZE()                                                                               \
    ON_WM_PAINT()                                                                              \
    ON_MESSAGE(WM_PRINTCLIENT, &ThisClass::OnPrintClient)                                      \
    ON_WM_ERASEBKGND()                                                                         \
    ON_WM_GETDLGCODE()                                                                         \
    ON_WM_ENABLE()                                                                             \
    ON_WM_CANCELMODE()                                                                         \
    ON_WM_SETCURSOR()                                                                          \
    ON_WM_SYSCOLORCHANGE()                                                                     \
    ON_WM_HSCROLL()                                                                            \
    ON_WM_VSCROLL()                                                                            \
    ON_WM_MOUSEWHEEL()                                                                         \
    ON_WM_KEYDOWN()                                                                            \
    ON_WM_SYSKEYDOWN()                                                                         \
    ON_WM_CHAR()                                                                               \
    ON_WM_LBUTTONDOWN()                                                                        \
    ON_WM_LBUTTONUP()                                                                          \
    ON_WM_LBUTTONDBLCLK()                                                                      \
    ON_WM_RBUTTONDOWN()                                                                        \
    ON_WM_RBUTTONUP()                                                                          \
    ON_WM_MOUSEMOVE()                                                                          \
    ON_WM_SETFOCUS()                                                                           \
    ON_WM_KILLFOCUS()                                                                          \
    ON_WM_TIMER()                                                                              \
    ON_WM_SETFONT()                                                                            \
    ON_WM_GETFONT()                                                                            \
    ON_EN_UPDATE(1, &ThisClass::OnEditUpdate)                                                  \
    ON_EN_KILLFOCUS(1, &ThisClass::OnEditKillFocus)
