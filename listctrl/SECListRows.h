// The list's rows in display order: row record pointers in a gap buffer. Rows
// are read by index in constant time; inserting or deleting moves only the rows
// between the last change and this one, so runs of changes at or near one
// place (inserting at the top, deleting every other row from the top down,
// appending) cost constant time per row instead of moving every later row.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

class SECListItem;

class MORVA_API SECListRows
{
public:
    SECListRows() = default;
    ~SECListRows();
    SECListRows(const SECListRows&) = delete;
    SECListRows& operator=(const SECListRows&) = delete;

    int GetSize() const { return m_nSize; }
    // The row at nIndex, which the caller keeps inside 0..GetSize() - 1.
    SECListItem* GetAt(int nIndex) const { return m_pData[nIndex < m_nGapStart ? nIndex : nIndex + m_nGapLength]; }
    void SetAt(int nIndex, SECListItem* pItem)
    {
        m_pData[nIndex < m_nGapStart ? nIndex : nIndex + m_nGapLength] = pItem;
    }
    // Inserts nCount copies of pItem at nIndex (0..GetSize()).
    void InsertAt(int nIndex, SECListItem* pItem, int nCount = 1);
    // Removes nCount rows from nIndex; the records are not freed here.
    void RemoveAt(int nIndex, int nCount = 1);
    void RemoveAll();
    // Index of the first row from nFrom on holding the record (compared by
    // address only); -1.
    int Find(const SECListItem* pItem, int nFrom = 0) const;

private:
    // Moves the gap so that it starts at nIndex.
    void MoveGap(int nIndex);
    // Makes the gap at least nCount long, keeping it where it is.
    void Reserve(int nCount);

    SECListItem** m_pData = nullptr; // rows before the gap, the gap, rows after it
    int m_nSize = 0;                 // rows held
    int m_nGapStart = 0;             // index of the first slot of the gap
    int m_nGapLength = 0;            // free slots in the gap
};
