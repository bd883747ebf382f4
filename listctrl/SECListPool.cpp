#include "listctrl/SECListPool.h"
#include <windows.h>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <new>

namespace
{
constexpr std::size_t kGranule = 8;                          // block sizes step by this
constexpr std::size_t kClassCount = SECListPool::kMaxBlock / kGranule;
constexpr std::size_t kChunkBytes = 64 * 1024;               // the system's allocation granularity
constexpr std::size_t kChunksPerRegion = 4096;               // 256 MB of address space per region
constexpr std::size_t kRegionBytes = kChunkBytes * kChunksPerRegion;
constexpr std::size_t kMaxRegions = 64;                      // 16 GB of rows and texts at most
constexpr std::size_t kWordBits = 64;

// Lies at the start of each chunk; blocks follow it.
struct Chunk
{
    Chunk* pPrev;       // neighbours in its class's list of chunks with room
    Chunk* pNext;
    void* pFree;        // freed blocks, each holding the next one's address
    char* pBump;        // first block never handed out
    char* pEnd;         // end of the last whole block
    std::size_t nLive;  // blocks handed out and not freed
    std::size_t nClass; // size class: blocks are (nClass + 1) * kGranule bytes
    bool bListed;       // in its class's list of chunks with room
};
constexpr std::size_t kHeaderBytes = (sizeof(Chunk) + 15) / 16 * 16;

struct Region
{
    char* pBase;                                        // reserved range of kRegionBytes
    std::uint64_t used[kChunksPerRegion / kWordBits];   // committed chunks
};

struct SizeClass
{
    Chunk* pRoom; // chunks with at least one block free
};

// Giving a chunk back costs far more than using it (under Wine about 0.3 ms
// per VirtualFree, whatever its size, and every page touched anew faults
// again), so empty chunks are kept for any size class, and only when many
// are kept are the oldest returned, neighbours in one call.
constexpr std::size_t kTrimBatch = 256; // chunks returned per trim at most

// Constant-initialised, so the pool works before and after static constructors.
// A spin lock: every block freed or made takes it, almost never contended
// (lists live on their UI thread), and under Wine a slim reader/writer lock
// costs about 40 ns per round against about 10 ns for this one, which was
// most of freeing a row.
std::atomic<bool> g_locked{false};
Region g_regions[kMaxRegions];
std::size_t g_nRegions = 0;
SizeClass g_classes[kClassCount];
std::size_t g_nLive = 0;
std::size_t g_nChunks = 0;
Chunk* g_pEmpty = nullptr;   // empty chunks kept, linked through pNext, newest first
std::size_t g_nEmpty = 0;

class Lock
{
public:
    Lock()
    {
        while (g_locked.exchange(true, std::memory_order_acquire)) {
            // Held by another thread: let it run rather than burn its core.
            while (g_locked.load(std::memory_order_relaxed))
                ::SwitchToThread();
        }
    }
    ~Lock() { g_locked.store(false, std::memory_order_release); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
};

Region* FindRegion(const void* p)
{
    const char* pc = static_cast<const char*>(p);
    for (std::size_t i = 0; i < g_nRegions; ++i) {
        if (pc >= g_regions[i].pBase && pc < g_regions[i].pBase + kRegionBytes)
            return &g_regions[i];
    }
    return nullptr;
}

void Link(Chunk* pChunk)
{
    SizeClass& cls = g_classes[pChunk->nClass];
    pChunk->pPrev = nullptr;
    pChunk->pNext = cls.pRoom;
    if (cls.pRoom != nullptr)
        cls.pRoom->pPrev = pChunk;
    cls.pRoom = pChunk;
    pChunk->bListed = true;
}

void Unlink(Chunk* pChunk)
{
    SizeClass& cls = g_classes[pChunk->nClass];
    if (pChunk->pPrev != nullptr)
        pChunk->pPrev->pNext = pChunk->pNext;
    else
        cls.pRoom = pChunk->pNext;
    if (pChunk->pNext != nullptr)
        pChunk->pNext->pPrev = pChunk->pPrev;
    pChunk->pPrev = pChunk->pNext = nullptr;
    pChunk->bListed = false;
}

void Reset(Chunk* pChunk, std::size_t nClass)
{
    const std::size_t size = (nClass + 1) * kGranule;
    char* pFirst = reinterpret_cast<char*>(pChunk) + kHeaderBytes;
    pChunk->pPrev = pChunk->pNext = nullptr;
    pChunk->pFree = nullptr;
    pChunk->pBump = pFirst;
    pChunk->pEnd = pFirst + (kChunkBytes - kHeaderBytes) / size * size;
    pChunk->nLive = 0;
    pChunk->nClass = nClass;
    pChunk->bListed = false;
}

// Commits a chunk in a region with room, reserving a new region when all are full.
Chunk* CommitChunk()
{
    for (std::size_t r = 0;; ++r) {
        if (r == g_nRegions) {
            if (g_nRegions == kMaxRegions)
                return nullptr;
            void* pBase = VirtualAlloc(nullptr, kRegionBytes, MEM_RESERVE, PAGE_NOACCESS);
            if (pBase == nullptr)
                return nullptr;
            Region& fresh = g_regions[g_nRegions];
            fresh.pBase = static_cast<char*>(pBase);
            for (std::uint64_t& word : fresh.used)
                word = 0;
            ++g_nRegions;
        }
        Region& region = g_regions[r];
        for (std::size_t w = 0; w < kChunksPerRegion / kWordBits; ++w) {
            if (region.used[w] == ~std::uint64_t(0))
                continue;
            std::size_t bit = 0;
            while ((region.used[w] >> bit) & 1)
                ++bit;
            char* pAt = region.pBase + (w * kWordBits + bit) * kChunkBytes;
            if (VirtualAlloc(pAt, kChunkBytes, MEM_COMMIT, PAGE_READWRITE) == nullptr)
                return nullptr;
            // Every page of a chunk is written soon (blocks are handed out
            // from its start on), so its pages are brought in with one call
            // rather than one fault each: where a fault is dear (under a
            // hypervisor, about 11 us a page here against about 6 us brought
            // in and then touched) that is most of filling a large list.
            // Where the lock is refused (working-set quota) the pages simply
            // fault in as they are touched.
            if (VirtualLock(pAt, kChunkBytes))
                VirtualUnlock(pAt, kChunkBytes);
            region.used[w] |= std::uint64_t(1) << bit;
            ++g_nChunks;
            return reinterpret_cast<Chunk*>(pAt);
        }
    }
}

// Returns kept chunks beyond what may be kept: the kept amount grows with the
// chunks in use, so a list that shrinks and grows again does not churn.
void TrimEmpty()
{
    const std::size_t keep = SECListPool::kKeptChunks + (g_nChunks - g_nEmpty) / 2;
    if (g_nEmpty <= keep + SECListPool::kTrimSlack)
        return;
    // The oldest ones go: they sit at the end of the list.
    Chunk* batch[kTrimBatch];
    std::size_t n = 0;
    std::size_t index = 0;
    Chunk** ppLink = &g_pEmpty;
    while (*ppLink != nullptr) {
        if (index >= keep && n < kTrimBatch) {
            batch[n++] = *ppLink;
            *ppLink = (*ppLink)->pNext;
        } else {
            ppLink = &(*ppLink)->pNext;
        }
        ++index;
    }
    g_nEmpty -= n;
    std::sort(batch, batch + n);
    for (std::size_t first = 0; first < n;) {
        std::size_t last = first;
        Region* pRegion = FindRegion(batch[first]);
        while (last + 1 < n && reinterpret_cast<char*>(batch[last + 1]) == reinterpret_cast<char*>(batch[last]) + kChunkBytes &&
               FindRegion(batch[last + 1]) == pRegion)
            ++last;
        VirtualFree(batch[first], (last - first + 1) * kChunkBytes, MEM_DECOMMIT);
        for (std::size_t k = first; k <= last; ++k) {
            const std::size_t at =
                static_cast<std::size_t>(reinterpret_cast<char*>(batch[k]) - pRegion->pBase) / kChunkBytes;
            pRegion->used[at / kWordBits] &= ~(std::uint64_t(1) << (at % kWordBits));
            --g_nChunks;
        }
        first = last + 1;
    }
}
} // namespace

namespace SECListPool
{
void* Allocate(std::size_t cb)
{
    if (cb == 0)
        cb = 1;
    if (cb > kMaxBlock)
        return ::operator new(cb);
    const std::size_t nClass = (cb - 1) / kGranule;
    const std::size_t size = (nClass + 1) * kGranule;
    {
        Lock lock;
        SizeClass& cls = g_classes[nClass];
        Chunk* pChunk = cls.pRoom;
        if (pChunk == nullptr) {
            pChunk = g_pEmpty;
            if (pChunk != nullptr) {
                g_pEmpty = pChunk->pNext;
                --g_nEmpty;
            } else {
                pChunk = CommitChunk();
            }
            if (pChunk != nullptr) {
                Reset(pChunk, nClass);
                Link(pChunk);
            }
        }
        if (pChunk != nullptr) {
            void* p = pChunk->pFree;
            if (p != nullptr) {
                pChunk->pFree = *static_cast<void**>(p);
            } else {
                p = pChunk->pBump;
                pChunk->pBump += size;
            }
            ++pChunk->nLive;
            ++g_nLive;
            if (pChunk->pFree == nullptr && pChunk->pBump + size > pChunk->pEnd)
                Unlink(pChunk);
            return p;
        }
    }
    // Out of address space for the pool: the heap still serves.
    return ::operator new(cb);
}

void Free(void* p) noexcept
{
    if (p == nullptr)
        return;
    {
        Lock lock;
        Region* pRegion = FindRegion(p);
        if (pRegion != nullptr) {
            const std::size_t offset = static_cast<std::size_t>(static_cast<char*>(p) - pRegion->pBase);
            Chunk* pChunk = reinterpret_cast<Chunk*>(pRegion->pBase + offset / kChunkBytes * kChunkBytes);
            *static_cast<void**>(p) = pChunk->pFree;
            pChunk->pFree = p;
            --pChunk->nLive;
            --g_nLive;
            if (!pChunk->bListed)
                Link(pChunk);
            if (pChunk->nLive == 0) {
                Unlink(pChunk);
                pChunk->pNext = g_pEmpty;
                g_pEmpty = pChunk;
                ++g_nEmpty;
                TrimEmpty();
            }
            return;
        }
    }
    ::operator delete(p);
}

bool Owns(const void* p) noexcept
{
    Lock lock;
    return FindRegion(p) != nullptr;
}

std::size_t GetLiveBlockCount() noexcept
{
    Lock lock;
    return g_nLive;
}

std::size_t GetChunkCount() noexcept
{
    Lock lock;
    return g_nChunks;
}
} // namespace SECListPool
