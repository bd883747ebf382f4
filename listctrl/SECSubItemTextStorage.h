// SECSubItemTextStorage: the texts of columns 1 and up for tree items, kept by
// item handle so that they survive while an item has no list row. Each item owns
// an array in which string k-1 is the text of sub-item k.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "framework/AfxException.h"
#include "framework/CArray.h"
#include "framework/CMap.h"
#include "framework/CString.h"

class MORVA_API SECSubItemTextStorage
{
public:
    SECSubItemTextStorage();
    // Deletes every item's array.
    virtual ~SECSubItemTextStorage();
    SECSubItemTextStorage(const SECSubItemTextStorage&) = delete;
    SECSubItemTextStorage& operator=(const SECSubItemTextStorage&) = delete;

    // Operations. Sub-item numbers start at 1; a null item or a sub-item below 1
    // fails without changes.
    // Stores the text of sub-item nSubItem (null as empty), growing the item's
    // array with empty strings. On memory exhaustion the error goes to
    // OnMemoryError and the answer is FALSE.
    BOOL SetText(HTREEITEM hItem, int nSubItem, LPCWSTR pszText);
    // Copies the text into pszBuffer, truncated to cchBuffer units including the
    // terminator. When the item or the text does not exist, copies the empty
    // string and answers FALSE; with no buffer room copies nothing, answers FALSE.
    BOOL GetText(HTREEITEM hItem, int nSubItem, LPWSTR pszBuffer, int cchBuffer) const;
    // Deletes the item's texts; FALSE when it has none.
    BOOL RemoveItem(HTREEITEM hItem);
    // A column was inserted before sub-item nSubItem: every item's texts from
    // there on move up by one, an empty text taking the place. Arrays that end
    // before that position are left as they are.
    BOOL InsertColumn(int nSubItem);
    // The column of sub-item nSubItem went: every item's texts after it move
    // down by one.
    BOOL DeleteColumn(int nSubItem);
    // For one item, the text of sub-item nFrom is taken out and reinserted at
    // nTo; when it does not exist but nTo lies inside the array, an empty text is
    // inserted at nTo instead. FALSE when the item has no texts.
    BOOL MoveColumn(HTREEITEM hItem, int nFrom, int nTo);

    // Attributes
    // Number of items that have texts.
    INT_PTR GetItemCount() const { return m_items.GetCount(); }
    // Number of texts held for the item (empty ones included); 0 when absent.
    INT_PTR GetTextCount(HTREEITEM hItem) const;

protected:
    // Overridables
    // Creates the array for a new item.
    virtual CStringArray* CreateTextArray();
    // Reports memory exhaustion in SetText; shows the framework's exception
    // report unless a derived class handles it otherwise.
    virtual void OnMemoryError(const CException& e);

private:
    CStringArray* Find(HTREEITEM hItem) const;

    CMap<HTREEITEM, HTREEITEM, CStringArray*, CStringArray*> m_items; // owned text array per item
};
