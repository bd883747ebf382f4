// A row's cells: the owned sub-item pointers of SECListItem, element k holding
// sub-item k + 1. One pointer wide in the row; the count, the room and the
// pointers share one pooled block, so a row with no sub-item columns carries
// no block at all. The interface is the part of CArray the list uses.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

class SECListSubItem;

class MORVA_API SECListCells
{
public:
    SECListCells() = default;
    // Frees the pointer block, not the cells (their row deletes them).
    ~SECListCells();
    SECListCells(const SECListCells&) = delete;
    SECListCells& operator=(const SECListCells&) = delete;

    INT_PTR GetSize() const { return m_pBlock == nullptr ? 0 : m_pBlock->nSize; }
    // The caller keeps nIndex inside 0..GetSize() - 1.
    SECListSubItem*& operator[](INT_PTR nIndex) { return m_pBlock->cells[nIndex]; }
    SECListSubItem* operator[](INT_PTR nIndex) const { return m_pBlock->cells[nIndex]; }
    // Makes room for nCount pointers in all, so that adding up to them does not move the block.
    void Reserve(INT_PTR nCount);
    INT_PTR Add(SECListSubItem* pCell);
    // Inserts at nIndex (0..GetSize()).
    void InsertAt(INT_PTR nIndex, SECListSubItem* pCell);
    void RemoveAt(INT_PTR nIndex);
    // Forgets every pointer and frees the block.
    void RemoveAll();

private:
    struct Block
    {
        int nSize;                  // pointers held
        int nCapacity;              // pointers the block has room for
        SECListSubItem* cells[1];   // nCapacity of them
    };
    static size_t BytesFor(INT_PTR nCapacity);

    Block* m_pBlock = nullptr; // null while no cell was ever added
};
