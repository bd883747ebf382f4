#include "listctrl/SECListRows.h"
#include <cstring>
#include <new>

SECListRows::~SECListRows()
{
    delete[] m_pData;
}

void SECListRows::MoveGap(int nIndex)
{
    if (nIndex < m_nGapStart) {
        // Rows nIndex..gap start - 1 move behind the gap.
        const int n = m_nGapStart - nIndex;
        std::memmove(m_pData + nIndex + m_nGapLength, m_pData + nIndex, static_cast<size_t>(n) * sizeof(*m_pData));
    } else if (nIndex > m_nGapStart) {
        // Rows after the gap up to nIndex move in front of it.
        const int n = nIndex - m_nGapStart;
        std::memmove(m_pData + m_nGapStart, m_pData + m_nGapStart + m_nGapLength,
                     static_cast<size_t>(n) * sizeof(*m_pData));
    }
    m_nGapStart = nIndex;
}

void SECListRows::Reserve(int nCount)
{
    if (m_nGapLength >= nCount)
        return;
    // Grow by half again, so that appending stays amortised constant time.
    const int capacity = m_nSize + m_nGapLength;
    int newCapacity = capacity + capacity / 2 + 16;
    if (newCapacity < m_nSize + nCount)
        newCapacity = m_nSize + nCount;
    SECListItem** pNew = new SECListItem*[static_cast<size_t>(newCapacity)];
    const int after = m_nSize - m_nGapStart;
    const int newGap = newCapacity - m_nSize;
    if (m_pData != nullptr) {
        std::memcpy(pNew, m_pData, static_cast<size_t>(m_nGapStart) * sizeof(*m_pData));
        std::memcpy(pNew + m_nGapStart + newGap, m_pData + m_nGapStart + m_nGapLength,
                    static_cast<size_t>(after) * sizeof(*m_pData));
    }
    delete[] m_pData;
    m_pData = pNew;
    m_nGapLength = newGap;
}

void SECListRows::InsertAt(int nIndex, SECListItem* pItem, int nCount)
{
    if (nCount <= 0 || nIndex < 0 || nIndex > m_nSize)
        return;
    MoveGap(nIndex);
    Reserve(nCount);
    for (int i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = pItem;
    m_nGapStart += nCount;
    m_nGapLength -= nCount;
    m_nSize += nCount;
}

void SECListRows::RemoveAt(int nIndex, int nCount)
{
    if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)
        return;
    if (nCount > m_nSize - nIndex)
        nCount = m_nSize - nIndex;
    MoveGap(nIndex);
    m_nGapLength += nCount;
    m_nSize -= nCount;
}

void SECListRows::RemoveAll()
{
    delete[] m_pData;
    m_pData = nullptr;
    m_nSize = 0;
    m_nGapStart = 0;
    m_nGapLength = 0;
}

int SECListRows::Find(const SECListItem* pItem, int nFrom) const
{
    nFrom = nFrom < 0 ? 0 : nFrom;
    for (int i = nFrom; i < m_nGapStart; ++i) {
        if (m_pData[i] == pItem)
            return i;
    }
    for (int i = nFrom > m_nGapStart ? nFrom : m_nGapStart; i < m_nSize; ++i) {
        if (m_pData[i + m_nGapLength] == pItem)
            return i;
    }
    return -1;
}
