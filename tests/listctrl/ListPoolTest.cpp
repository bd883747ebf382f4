// The pool behind rows, cells and texts, and a row's cell array: blocks never
// overlap, freed chunks go back to the system, foreign pointers go to the heap.
#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <vector>
#include "listctrl/SECListCells.h"
#include "listctrl/SECListPool.h"
#include "listctrl/SECListRecords.h"

namespace {
struct Block
{
    unsigned char* p;
    size_t cb;
    unsigned char fill;
};

bool Intact(const Block& block)
{
    for (size_t i = 0; i < block.cb; ++i) {
        if (block.p[i] != block.fill)
            return false;
    }
    return true;
}
} // namespace

TEST(ListPool, BlocksOfEverySizeStayApartUnderRandomChurnAndChunksGoBack)
{
    const size_t chunksBefore = SECListPool::GetChunkCount();
    const size_t liveBefore = SECListPool::GetLiveBlockCount();
    std::mt19937 random(11);
    std::vector<Block> blocks;
    for (int step = 0; step < 60000; ++step) {
        if (blocks.empty() || random() % 3 != 0) {
            // Sizes across every class, past the largest pooled one, and zero.
            const size_t cb = random() % (SECListPool::kMaxBlock + 40);
            Block block{static_cast<unsigned char*>(SECListPool::Allocate(cb)), cb,
                        static_cast<unsigned char>(random())};
            ASSERT_NE(block.p, nullptr);
            ASSERT_EQ(reinterpret_cast<UINT_PTR>(block.p) % 8, 0u);
            EXPECT_EQ(SECListPool::Owns(block.p), cb <= SECListPool::kMaxBlock);
            std::memset(block.p, block.fill, cb);
            blocks.push_back(block);
        } else {
            const size_t at = random() % blocks.size();
            ASSERT_TRUE(Intact(blocks[at])) << "block of " << blocks[at].cb << " bytes was overwritten";
            SECListPool::Free(blocks[at].p);
            blocks[at] = blocks.back();
            blocks.pop_back();
        }
    }
    EXPECT_GT(SECListPool::GetChunkCount(), chunksBefore);
    for (const Block& block : blocks) {
        ASSERT_TRUE(Intact(block));
        SECListPool::Free(block.p);
    }
    EXPECT_EQ(SECListPool::GetLiveBlockCount(), liveBefore);
    SECListPool::Free(nullptr);
}

TEST(ListPool, MemoryOfDeletedRowsGoesBackBeyondWhatIsKept)
{
    // 120 MB of 200-byte blocks, the size of a row with its cells: when they
    // are freed, no more than the kept chunks stay committed.
    const size_t chunksBefore = SECListPool::GetChunkCount();
    std::vector<void*> blocks(600000);
    for (void*& p : blocks)
        p = SECListPool::Allocate(200);
    const size_t chunksFull = SECListPool::GetChunkCount();
    ASSERT_GT(chunksFull, chunksBefore + 2 * SECListPool::kKeptChunks + SECListPool::kTrimSlack);
    for (void* p : blocks)
        SECListPool::Free(p);
    // (Chunks that were in use before may count half towards what is kept.)
    EXPECT_LE(SECListPool::GetChunkCount(),
              chunksBefore + chunksBefore / 2 + SECListPool::kKeptChunks + SECListPool::kTrimSlack);
    // Kept chunks serve blocks of another size.
    const size_t chunksKept = SECListPool::GetChunkCount();
    void* p = SECListPool::Allocate(16);
    EXPECT_LE(SECListPool::GetChunkCount(), chunksKept);
    SECListPool::Free(p);
}

TEST(ListPool, RecordsCellsAndTextsComeFromThePoolAndGoBackWithTheRow)
{
    const size_t liveBefore = SECListPool::GetLiveBlockCount();
    {
        SECListItem row;
        row.m_pszText = SECListCopyText(L"name");
        row.m_subItems.Reserve(2);
        for (int i = 0; i < 2; ++i) {
            row.m_subItems.Add(new SECListSubItem);
            row.m_subItems[i]->m_pszText = SECListCopyText(L"cell");
        }
        EXPECT_TRUE(SECListPool::Owns(row.m_pszText));
        EXPECT_TRUE(SECListPool::Owns(row.m_subItems[1]));
        EXPECT_EQ(SECListPool::GetLiveBlockCount(), liveBefore + 6);
        // A text longer than the pool serves comes from the heap and is freed there.
        std::wstring longText(1000, L'x');
        LPWSTR pLong = SECListCopyText(longText.c_str());
        EXPECT_FALSE(SECListPool::Owns(pLong));
        EXPECT_EQ(longText, pLong);
        SECListFreeText(pLong);
        // Null and the callback marker are kept as they are, never freed.
        EXPECT_EQ(SECListCopyText(nullptr), nullptr);
        EXPECT_EQ(SECListCopyText(LPSTR_TEXTCALLBACKW), LPSTR_TEXTCALLBACKW);
        SECListFreeText(LPSTR_TEXTCALLBACKW);
    }
    EXPECT_EQ(SECListPool::GetLiveBlockCount(), liveBefore);
}

TEST(ListPool, CellArrayInsertsRemovesAndGrowsInOrder)
{
    SECListCells cells;
    EXPECT_EQ(cells.GetSize(), 0);
    std::vector<SECListSubItem*> expected;
    std::mt19937 random(3);
    for (int step = 0; step < 2000; ++step) {
        SECListSubItem* pFake = reinterpret_cast<SECListSubItem*>(static_cast<UINT_PTR>(step + 1) * 8);
        const size_t size = expected.size();
        if (size == 0 || random() % 3 != 0) {
            const size_t at = random() % (size + 1);
            cells.InsertAt(static_cast<INT_PTR>(at), pFake);
            expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(at), pFake);
        } else {
            const size_t at = random() % size;
            cells.RemoveAt(static_cast<INT_PTR>(at));
            expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(at));
        }
        ASSERT_EQ(cells.GetSize(), static_cast<INT_PTR>(expected.size()));
    }
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(cells[static_cast<INT_PTR>(i)], expected[i]);
    cells.RemoveAll();
    EXPECT_EQ(cells.GetSize(), 0);
    cells.Add(nullptr);
    EXPECT_EQ(cells.GetSize(), 1);
}
