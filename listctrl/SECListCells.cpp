#include "listctrl/SECListCells.h"
#include <cstddef>
#include <cstring>
#include "listctrl/SECListPool.h"

SECListCells::~SECListCells()
{
    SECListPool::Free(m_pBlock);
}

size_t SECListCells::BytesFor(INT_PTR nCapacity)
{
    return offsetof(Block, cells) + static_cast<size_t>(nCapacity) * sizeof(SECListSubItem*);
}

void SECListCells::Reserve(INT_PTR nCount)
{
    if (nCount <= (m_pBlock == nullptr ? 0 : m_pBlock->nCapacity))
        return;
    Block* pNew = static_cast<Block*>(SECListPool::Allocate(BytesFor(nCount)));
    pNew->nSize = 0;
    pNew->nCapacity = static_cast<int>(nCount);
    if (m_pBlock != nullptr) {
        pNew->nSize = m_pBlock->nSize;
        std::memcpy(pNew->cells, m_pBlock->cells, static_cast<size_t>(m_pBlock->nSize) * sizeof(SECListSubItem*));
        SECListPool::Free(m_pBlock);
    }
    m_pBlock = pNew;
}

INT_PTR SECListCells::Add(SECListSubItem* pCell)
{
    const INT_PTR n = GetSize();
    InsertAt(n, pCell);
    return n;
}

void SECListCells::InsertAt(INT_PTR nIndex, SECListSubItem* pCell)
{
    const INT_PTR n = GetSize();
    if (m_pBlock == nullptr || n == m_pBlock->nCapacity)
        Reserve(n < 2 ? n + 1 : n + n / 2); // rows usually get all their cells at once
    std::memmove(m_pBlock->cells + nIndex + 1, m_pBlock->cells + nIndex,
                 static_cast<size_t>(n - nIndex) * sizeof(SECListSubItem*));
    m_pBlock->cells[nIndex] = pCell;
    ++m_pBlock->nSize;
}

void SECListCells::RemoveAt(INT_PTR nIndex)
{
    const INT_PTR n = GetSize();
    std::memmove(m_pBlock->cells + nIndex, m_pBlock->cells + nIndex + 1,
                 static_cast<size_t>(n - nIndex - 1) * sizeof(SECListSubItem*));
    --m_pBlock->nSize;
}

void SECListCells::RemoveAll()
{
    SECListPool::Free(m_pBlock);
    m_pBlock = nullptr;
}
