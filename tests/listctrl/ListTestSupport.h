// Helpers shared by the list tests: a list that exposes its protected state,
// and an invariant check of the model.
#pragma once
#include <gtest/gtest.h>
#include "listctrl/SECListCtrl.h"

class TestList : public SECListCtrl
{
public:
    using SECListCtrl::m_hDividerCursor;
    int FocusRow() const { return m_nFocusIndex; }
    int AnchorRow() const { return m_nAnchor; }
    int EditRow() const { return m_nEditItem; }
    SECListItem* Row(int n) const { return GetItemAt(n); }
    BOOL OverDivider() const { return m_bOverDivider; }
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
