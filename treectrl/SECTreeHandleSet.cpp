#include "treectrl/SECTreeHandleSet.h"
#include <new>

namespace {
// 2^64 divided by the golden ratio: multiplying by it spreads neighbouring
// addresses over the whole word, whose top bits then pick the slot.
const UINT64 kSpread = 0x9E3779B97F4A7C15ull;
// Heap blocks are 16-byte aligned: the low bits carry nothing.
const unsigned kAlignBits = 4;
// Blocks of addresses that are spread as a whole (64 KB: 4096 slots of nodes).
const unsigned kBlockBits = 16;
} // namespace

SECTreeHandleSet::~SECTreeHandleSet() { delete[] m_pSlots; }

size_t SECTreeHandleSet::HomeOf(const void* p) const
{
    // Nodes made one after another lie side by side in memory, and walks and
    // inserts meet them in that order: a 64 KB block of addresses is spread
    // over the table as a whole, and its nodes take neighbouring slots, so
    // that such a walk reads the table in order instead of one cache line
    // (and one page) per node anywhere in it.
    const UINT64 address = static_cast<UINT64>(reinterpret_cast<UINT_PTR>(p));
    const UINT64 block = address >> kBlockBits;
    const UINT64 within = (address & ((UINT64(1) << kBlockBits) - 1)) >> kAlignBits;
    return static_cast<size_t>(((block * kSpread) >> m_nShift) + within) & m_nMask;
}

BOOL SECTreeHandleSet::Contains(const void* p) const
{
    if (p == nullptr || m_pSlots == nullptr)
        return FALSE;
    for (size_t i = HomeOf(p);; i = (i + 1) & m_nMask) {
        if (m_pSlots[i] == p)
            return TRUE;
        if (m_pSlots[i] == nullptr)
            return FALSE;
    }
}

BOOL SECTreeHandleSet::Add(const void* p)
{
    if (p == nullptr || Contains(p))
        return FALSE;
    const size_t slots = m_nMask + 1;
    if (m_pSlots == nullptr || (m_nCount + 1) * 4 > slots * 3) {
        if (!Resize(m_pSlots == nullptr ? static_cast<size_t>(kMinSlots) : slots * 2))
            return FALSE;
    }
    size_t i = HomeOf(p);
    while (m_pSlots[i] != nullptr)
        i = (i + 1) & m_nMask;
    m_pSlots[i] = p;
    ++m_nCount;
    return TRUE;
}

BOOL SECTreeHandleSet::Remove(const void* p)
{
    if (p == nullptr || m_pSlots == nullptr)
        return FALSE;
    size_t i = HomeOf(p);
    while (m_pSlots[i] != p) {
        if (m_pSlots[i] == nullptr)
            return FALSE;
        i = (i + 1) & m_nMask;
    }
    // Entries of the run after the hole move into it unless their search
    // starts after the hole (cyclically up to where they sit).
    for (size_t j = (i + 1) & m_nMask; m_pSlots[j] != nullptr; j = (j + 1) & m_nMask) {
        const size_t home = HomeOf(m_pSlots[j]);
        const BOOL bStays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
        if (!bStays) {
            m_pSlots[i] = m_pSlots[j];
            i = j;
        }
    }
    m_pSlots[i] = nullptr;
    --m_nCount;
    const size_t slots = m_nMask + 1;
    if (m_nCount == 0)
        RemoveAll();
    else if (slots > kMinSlots && m_nCount * 16 < slots * 3)
        Resize(slots / 2); // a failure keeps the larger table, which still works
    return TRUE;
}

void SECTreeHandleSet::RemoveAll()
{
    delete[] m_pSlots;
    m_pSlots = nullptr;
    m_nMask = 0;
    m_nShift = 64;
    m_nCount = 0;
}

BOOL SECTreeHandleSet::Resize(size_t nSlots)
{
    const void** pSlots = new (std::nothrow) const void*[nSlots]();
    if (pSlots == nullptr)
        return FALSE;
    const void** pOld = m_pSlots;
    const size_t oldSlots = pOld != nullptr ? m_nMask + 1 : 0;
    m_pSlots = pSlots;
    m_nMask = nSlots - 1;
    m_nShift = 64;
    for (size_t n = nSlots; n > 1; n >>= 1)
        --m_nShift;
    for (size_t k = 0; k < oldSlots; ++k) {
        if (pOld[k] == nullptr)
            continue;
        size_t i = HomeOf(pOld[k]);
        while (m_pSlots[i] != nullptr)
            i = (i + 1) & m_nMask;
        m_pSlots[i] = pOld[k];
    }
    delete[] pOld;
    return TRUE;
}
