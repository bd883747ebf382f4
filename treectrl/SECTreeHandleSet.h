// SECTreeHandleSet: the addresses of the live nodes of one tree control. A
// handle from a caller is looked up here before it is read through, so that a
// stale handle, another control's, or a pseudo-handle such as TVI_FIRST is
// told from an item in constant time, without touching the memory it names.
//
// An open-addressing hash set of pointers with linear probing. Removal shifts
// the following entries back instead of leaving markers, so lookups never
// slow down with churn. The table grows at 3/4 of its slots in use and
// shrinks at 3/16, so a growing tree pays 11 to 22 bytes per address (about 16
// on average) and one that lost most of its items at most 43. The set needs
// no window.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

class MORVA_API SECTreeHandleSet
{
public:
    SECTreeHandleSet() = default;
    ~SECTreeHandleSet();
    SECTreeHandleSet(const SECTreeHandleSet&) = delete;
    SECTreeHandleSet& operator=(const SECTreeHandleSet&) = delete;

    // Operations
    // Adds the address; FALSE for null, an address already held, or when the
    // table cannot grow (memory exhausted), and then the set is unchanged.
    BOOL Add(const void* p);
    // FALSE when the address was not held.
    BOOL Remove(const void* p);
    BOOL Contains(const void* p) const;
    // Forgets every address and frees the table.
    void RemoveAll();

    // Attributes
    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_nCount); }
    // Slots of the table (each the size of a pointer); 0 while empty.
    INT_PTR GetSlotCount() const { return static_cast<INT_PTR>(m_nMask != 0 ? m_nMask + 1 : 0); }

private:
    enum : size_t { kMinSlots = 16 }; // the smallest table

    // Slot where the search for p starts.
    size_t HomeOf(const void* p) const;
    // Moves every entry into a table of nSlots (a power of two); FALSE when it
    // cannot be allocated.
    BOOL Resize(size_t nSlots);

    const void** m_pSlots = nullptr; // the table; null marks a free slot
    size_t m_nMask = 0;              // slot count - 1 (a power of two minus one); 0 without a table
    unsigned m_nShift = 64;          // 64 - log2(slot count): the hash's top bits pick the slot
    size_t m_nCount = 0;             // addresses held
};
