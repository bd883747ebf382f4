// Helpers shared by the list tests: a list that exposes its protected state and
// records its hooks, a cell setter, and an invariant check of the model.
#pragma once
#include <gtest/gtest.h>
#include <functional>
#include <ostream>
#include <vector>
#include "listctrl/SECListCtrl.h"

// Failure messages show texts, not their addresses.
inline void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"';
    for (int i = 0; i < text.GetLength(); ++i)
        *os << (text[i] < 128 ? static_cast<char>(text[i]) : '?');
    *os << '"';
}

class TestList : public SECListCtrl
{
public:
    using SECListCtrl::m_hDividerCursor;
    using SECListCtrl::m_nHotCol;
    BOOL veto = FALSE;                 // answer of OnSelectionChanging
    int changingCalls = 0;             // OnSelectionChanging calls
    int cellTextCalls = 0;             // GetCellText calls (type-ahead searches read them)
    std::vector<int> dragRows;         // rows of OnBeginDrag
    CPoint dragPoint;                  // point of the last OnBeginDrag
    int rightDrags = 0;                // OnBeginRDrag calls
    std::function<void()> onChanging;  // run inside OnSelectionChanging
    bool failBuffer = false;           // CreateMemDC fails as when no bitmap can be made
    int buffersMade = 0;               // off-screen buffers made
    UINT rowState = 0;                 // what GetRowState answers for every row (the tree's node state)

    BOOL OnSelectionChanging(int, int, BOOL) override
    {
        ++changingCalls;
        if (onChanging)
            onChanging();
        return veto;
    }
    void OnBeginDrag(int nItem, CPoint point) override { dragRows.push_back(nItem); dragPoint = point; }
    void OnBeginRDrag(int, CPoint) override { ++rightDrags; }
    void GetCellText(CString& text, int nItem, int nSubItem) override
    {
        ++cellTextCalls;
        SECListCtrl::GetCellText(text, nItem, nSubItem);
    }
    UINT GetRowState(int, UINT nMask) override { return rowState & nMask; }
    SECMemDC* CreateMemDC(CDC* pDC, const CRect& rect) override
    {
        if (failBuffer)
            AfxThrowResourceException();
        SECMemDC* pMemDC = SECListCtrl::CreateMemDC(pDC, rect);
        buffersMade += pMemDC != nullptr;
        return pMemDC;
    }

    BOOL OverDivider() const { return m_bOverDivider; }
    UINT_PTR PendingEditTimer() const { return m_nPendingEditTimer; }
    UINT TypeAheadFlags() const { return m_nTypeAheadFlags; }
    const CString& TypeAheadText() const { return m_strTypeAhead; }
    BOOL RowDrag() const { return m_bRowDrag; }
    BOOL HeadingDrag() const { return m_bHeadingDrag; }
    int PressedColumn() const { return m_nPressedCol; }
    BOOL DragImageAlive() const { return m_pHeadingDragImage != nullptr; }
    std::vector<int> Selected() const
    {
        std::vector<int> rows;
        for (INT_PTR i = 0; i < GetSelection().GetCount(); ++i)
            rows.push_back(GetSelection().GetAt(i));
        return rows;
    }
};

// Cells of sub-item columns belong to the owner until they are stored with
// LVIF_DI_SETITEM; this stores one.
inline BOOL SetCell(SECListBaseC& list, int row, int subItem, LPCWSTR text)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    item.iItem = row;
    item.iSubItem = subItem;
    item.pszText = const_cast<LPWSTR>(text);
    return list.SetItem(&item);
}

// Selection sorted, unique and in range; focus, anchor and drop highlight
// naming rows or -1; every row with one cell per slot.
inline ::testing::AssertionResult ModelIsConsistent(const SECListBaseC& list)
{
    const int count = list.GetItemCount();
    const SECListSelection& sel = list.GetSelection();
    for (INT_PTR i = 0; i < sel.GetCount(); ++i) {
        const int row = sel.GetAt(i);
        if (row < 0 || row >= count)
            return ::testing::AssertionFailure() << "selected row " << row << " out of range " << count;
        if (i > 0 && sel.GetAt(i - 1) >= row)
            return ::testing::AssertionFailure() << "selection not ascending at " << i;
    }
    for (int row : {list.GetFocusItem(), list.GetAnchorItem(), list.GetDropHilightItem()}) {
        if (row < -1 || row >= count)
            return ::testing::AssertionFailure() << "focus/anchor/drop row " << row << " out of range " << count;
    }
    for (int r = 0; r < count; ++r) {
        const SECListItem* item = list.GetItemAt(r);
        if (item->m_subItems.GetSize() != list.GetSubItemCount())
            return ::testing::AssertionFailure() << "row " << r << " has " << item->m_subItems.GetSize()
                                                 << " cells for " << list.GetSubItemCount() << " slots";
    }
    return ::testing::AssertionSuccess();
}
