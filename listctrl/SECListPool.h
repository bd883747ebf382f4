// Small blocks for the list's rows, cells and texts. A list of 10^5 rows holds
// half a million blocks of at most a few dozen bytes; the process heap charges
// 48 bytes for any block up to 32 and more for its headers, which doubled the
// bytes per row. Here blocks of one size class are carved out of 64 KB chunks
// with no header per block: the chunk a block lives in, found from its address,
// says its size.
//
// Chunks come from address ranges reserved for the pool, so a pointer that is
// not in one of them (a block larger than the pool serves) goes back to the
// C++ heap: Free needs no size and cannot hand a block to the wrong place.
// Empty chunks are kept for blocks of any size; past 32 MB plus half the
// chunks in use, the oldest go back to the system, so deleting many rows gives
// memory back. Up to that much is kept because a list emptied and filled again
// (a host refreshing its rows) would otherwise pay the system's fresh pages a
// second time: under a hypervisor that was most of filling 10^5 rows (about
// 86 ms against 31 with the pages kept). The pool never holds more than it
// once handed out. One lock guards the pool: lists on several threads share it.
#pragma once
#include <cstddef>
#include "framework/MorvaApi.h"

namespace SECListPool
{
// Largest block the pool serves; larger ones come from the C++ heap.
constexpr std::size_t kMaxBlock = 256;

// A block of at least cb bytes, aligned to 8; throws std::bad_alloc when no
// memory is left.
MORVA_API void* Allocate(std::size_t cb);
// Frees a block from Allocate; null is ignored.
MORVA_API void Free(void* p) noexcept;
// Whether p lies in a chunk of the pool (and so came from a pooled Allocate).
MORVA_API bool Owns(const void* p) noexcept;

// Counts for tests and benchmarks: pooled blocks in use, chunks committed
// (in use or kept), and the number the pool keeps at least.
MORVA_API std::size_t GetLiveBlockCount() noexcept;
MORVA_API std::size_t GetChunkCount() noexcept;
constexpr std::size_t kKeptChunks = 512; // 32 MB
// Empty chunks beyond what is kept before any goes back (so that freeing and
// making a block at the limit does not give back and commit a chunk each time).
constexpr std::size_t kTrimSlack = 64;
} // namespace SECListPool
