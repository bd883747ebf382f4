// CMap: a hash map with MFC's interface (chained buckets, POSITION iteration).
// HashKey can be specialised for key types the default does not cover.
#pragma once
#include <windows.h>
#include <vector>
#include "framework/AfxException.h"
#include "framework/AfxPosition.h"
#include "framework/CString.h"

template <class ARG_KEY>
inline UINT HashKey(ARG_KEY key)
{
    // Pointers and integers: fold the upper half into the lower one.
    const ULONGLONG v = (ULONGLONG)(key);
    return static_cast<UINT>((v >> 4) ^ (v >> 32));
}

template <>
inline UINT HashKey<LPCWSTR>(LPCWSTR key)
{
    UINT hash = 0;
    while (key != nullptr && *key)
        hash = (hash << 5) + hash + *key++;
    return hash;
}

template <>
inline UINT HashKey<const CString&>(const CString& key)
{
    return HashKey<LPCWSTR>(key.GetString());
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap
{
public:
    struct CPair
    {
        const KEY key;
        VALUE value;
    };

    // nBlockSize is kept for interface compatibility; nodes are allocated singly.
    explicit CMap(INT_PTR /*nBlockSize*/ = 10) {}
    virtual ~CMap() { RemoveAll(); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    // Attributes
    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }
    UINT GetHashTableSize() const { return static_cast<UINT>(m_buckets.size()); }

    // Sets the bucket count; takes effect only while the map is empty.
    void InitHashTable(UINT nHashSize, BOOL /*bAllocNow*/ = TRUE)
    {
        if (m_count == 0 && nHashSize > 0)
            m_hashSize = nHashSize, m_buckets.assign(nHashSize, nullptr);
    }

    // Lookup
    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        const CAssoc* assoc = Find(key);
        if (assoc == nullptr)
            return FALSE;
        rValue = assoc->pair.value;
        return TRUE;
    }
    CPair* PLookup(ARG_KEY key)
    {
        CAssoc* assoc = Find(key);
        return assoc ? &assoc->pair : nullptr;
    }

    // Adding and removing
    VALUE& operator[](ARG_KEY key)
    {
        CAssoc* assoc = Find(key);
        if (assoc != nullptr)
            return assoc->pair.value;
        if (m_buckets.empty())
            m_buckets.assign(m_hashSize, nullptr);
        // The table grows with its contents, so that chains stay short however
        // small the size it was given (iteration order changes when it grows).
        if (m_count >= 2 * static_cast<INT_PTR>(m_hashSize))
            Rehash(m_hashSize * 2 + 1);
        const UINT bucket = HashKey<ARG_KEY>(key) % m_hashSize;
        assoc = new CAssoc{m_buckets[bucket], {KEY(key), VALUE()}};
        m_buckets[bucket] = assoc;
        ++m_count;
        return assoc->pair.value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_buckets.empty())
            return FALSE;
        CAssoc** link = &m_buckets[HashKey<ARG_KEY>(key) % m_hashSize];
        for (; *link != nullptr; link = &(*link)->pNext) {
            if ((*link)->pair.key == key) {
                CAssoc* gone = *link;
                *link = gone->pNext;
                delete gone;
                --m_count;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (CAssoc*& head : m_buckets) {
            while (head != nullptr) {
                CAssoc* next = head->pNext;
                delete head;
                head = next;
            }
        }
        m_buckets.clear();
        m_count = 0;
    }

    // Iteration in bucket order
    POSITION GetStartPosition() const { return m_count == 0 ? nullptr : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* assoc = Advance(rNextPosition);
        rKey = assoc->pair.key;
        rValue = assoc->pair.value;
    }

private:
    struct CAssoc
    {
        CAssoc* pNext;
        CPair pair;
    };

    CAssoc* Find(ARG_KEY key) const
    {
        if (m_buckets.empty())
            return nullptr;
        for (CAssoc* assoc = m_buckets[HashKey<ARG_KEY>(key) % m_hashSize]; assoc; assoc = assoc->pNext) {
            if (assoc->pair.key == key)
                return assoc;
        }
        return nullptr;
    }
    // Returns the element at rPosition and moves rPosition to the following one.
    const CAssoc* Advance(POSITION& rPosition) const
    {
        if (rPosition == nullptr)
            AfxThrowInvalidArgException();
        const CAssoc* assoc = rPosition == BEFORE_START_POSITION ? FirstFrom(0)
                                                                 : reinterpret_cast<const CAssoc*>(rPosition);
        if (assoc == nullptr)
            AfxThrowInvalidArgException();
        const CAssoc* next = assoc->pNext;
        if (next == nullptr)
            next = FirstFrom(HashKey<ARG_KEY>(assoc->pair.key) % m_hashSize + 1);
        rPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(next));
        return assoc;
    }
    void Rehash(UINT nHashSize)
    {
        std::vector<CAssoc*> buckets(nHashSize, nullptr);
        for (CAssoc* head : m_buckets) {
            while (head != nullptr) {
                CAssoc* next = head->pNext;
                CAssoc*& slot = buckets[HashKey<ARG_KEY>(head->pair.key) % nHashSize];
                head->pNext = slot;
                slot = head;
                head = next;
            }
        }
        m_buckets.swap(buckets);
        m_hashSize = nHashSize;
    }
    const CAssoc* FirstFrom(UINT bucket) const
    {
        for (; bucket < m_buckets.size(); ++bucket) {
            if (m_buckets[bucket] != nullptr)
                return m_buckets[bucket];
        }
        return nullptr;
    }

    std::vector<CAssoc*> m_buckets; // chain heads; allocated on first insertion
    UINT m_hashSize = 17;           // bucket count
    INT_PTR m_count = 0;            // number of pairs
};

// The untyped maps of the framework.
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {};
class CMapStringToPtr : public CMap<CString, const CString&, void*, void*> {};
class CMapStringToString : public CMap<CString, const CString&, CString, const CString&> {};
