// Seeded random operations with the invariant check after every step, also
// with an owner that vetoes, inserts and deletes inside its notifications; deep
// and wide trees, where nothing may recurse over the depth or take rows x items.
#include <algorithm>
#include <random>
#include "treectrl/TreeTestSupport.h"

namespace {
void RunSeed(unsigned seed, bool mischief)
{
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto chance = [&pick](int percent) { return pick(100) < percent; };
    std::vector<HTREEITEM> items; // alive, as the owner knows them
    auto anyItem = [&] {
        return items.empty() || chance(5) ? TVI_ROOT : items[static_cast<size_t>(pick(static_cast<int>(items.size())))];
    };
    OwnerWindow owner;
    SECTreeCtrl tree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 240, 160), &owner, 1);
    const DWORD multi = chance(50) ? SEC_TVSX_MULTISELECT : 0;
    tree.ModifyTreeExStyle(0, multi | (chance(25) ? SEC_TVSX_PROGRESSIVE : 0));
    int depth = 0; // nesting of the owner's own changes
    owner.onNotify = [&](NMHDR* header, LRESULT& result) {
        if (header->code == TVN_DELETEITEMW) {
            auto it = std::find(items.begin(), items.end(), reinterpret_cast<NMTREEVIEWW*>(header)->itemOld.hItem);
            EXPECT_TRUE(it != items.end()) << "an item was deleted twice or never inserted";
            if (it != items.end())
                items.erase(it);
        }
        if (!mischief || depth > 2 || !chance(15))
            return false;
        const int what = pick(3); // veto, or change the tree from inside the notification
        if (what == 0 && header->code != TVN_DELETEITEMW) {
            result = 1;
            return true;
        }
        ++depth;
        if (what == 1) {
            if (HTREEITEM hNew = tree.InsertItem(L"late", anyItem()))
                items.push_back(hNew);
        } else if (!items.empty()) {
            tree.DeleteItem(anyItem());
        }
        --depth;
        return false;
    };
    const UINT codes[] = {TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE, TVE_EXPAND | TVE_COLLAPSERESET};
    for (int step = 0; step < 300; ++step) {
        const int op = pick(100);
        const HTREEITEM hItem = anyItem();
        std::string name = "nothing";
        if (op < 40) {
            const HTREEITEM hParent = chance(30) ? TVI_ROOT : hItem;
            const HTREEITEM positions[] = {TVI_FIRST, TVI_LAST, TVI_SORT, SEC_TVI_SORTDESCENDING, anyItem()};
            const HTREEITEM hAfter = positions[pick(5)];
            // Only an insert-after item that is no child of a parent with children fails.
            const bool bMayFail = hAfter == positions[4] && hAfter != TVI_ROOT && tree.GetChildItem(hParent) &&
                                  tree.GetParentItem(hAfter) != (hParent == TVI_ROOT ? nullptr : hParent);
            const HTREEITEM hNew = tree.InsertItem(TVIF_TEXT | TVIF_STATE, std::to_wstring(step).c_str(), 0, 0,
                                                   chance(40) ? TVIS_EXPANDED : 0, TVIS_EXPANDED, 0, hParent, hAfter);
            if (hNew != nullptr)
                items.push_back(hNew);
            EXPECT_TRUE(hNew != nullptr || bMayFail || mischief) << "a valid insertion failed";
            name = "insert";
        } else if (hItem != TVI_ROOT || op >= 90) {
            const int rows = tree.GetItemCount();
            const struct
            {
                int below;                 // op values under this bound run it
                const char* name;          // for the failure message
                std::function<void()> run; // the operation
            } ops[] = {
                {48, "delete", [&] { tree.DeleteItem(hItem); }},
                {67, "expand", [&] { tree.Expand(hItem, codes[pick(chance(5) ? 4 : 3)], chance(50)); }},
                // The bit set directly, untold, as owners of the platform's control do.
                {71, "expanded bit", [&] { tree.SetItemState(hItem, chance(50) ? TVIS_EXPANDED : 0, TVIS_EXPANDED); }},
                {76, "hide", [&] { Hidden(tree, hItem, chance(50)); }},
                {81, "select", [&] { tree.SelectItem(hItem, TVGN_CARET); }},
                {84, "row selection",
                 [&] { tree.SetItemState(pick(std::max(rows, 1)), chance(50) ? LVIS_SELECTED : 0, LVIS_SELECTED); }},
                {87, "select node", [&] { tree.SetItemState(hItem, chance(50) ? TVIS_SELECTED : 0, TVIS_SELECTED); }},
                // An open editor, which later deletes and collapses end first.
                {90, "edit", [&] { tree.EditLabel(tree.RowOf(hItem)); }},
                {95, "ensure visible", [&] { tree.EnsureVisible(hItem, chance(50)); }},
                {97, "add to selection", [&] { tree.AddToSelection(hItem); }},
                {100, "expand all",
                 [&] {
                     if (items.size() < 200) // keeps the tree small enough for 300 steps
                         tree.ExpandAll(hItem, chance(50));
                 }},
            };
            const auto* o = std::find_if(std::begin(ops), std::end(ops), [op](const auto& x) { return op < x.below; });
            name = o->name;
            o->run();
        }
        const ::testing::AssertionResult ok = TreeIsConsistent(tree);
        EXPECT_TRUE(ok) << "seed " << seed << (mischief ? " (mischief)" : "") << ", step " << step << ": " << name;
        if (!ok)
            break;
    }
    owner.onNotify = nullptr; // the owner's changes end before the tree goes
}
} // namespace

TEST(TreeRandom, EveryStepKeepsRowsAndNodesInStep)
{
    for (unsigned seed = 1; seed <= 24; ++seed)
        RunSeed(seed, seed > 12); // then owners changing the tree inside notifications
}

// Wrapping rows, so that the list measures only the rows in sight (it measures every
// single-line row for the column width). Loose bounds: a quadratic step takes minutes.
using TreeScale = TreeFixture;

TEST_F(TreeScale, TenThousandLevelsDeepAndAHundredThousandChildrenWide)
{
    tree.ModifyTreeExStyle(0, SEC_TVSX_WRAPLABELS);
    const int kDepth = 10000, kWidth = 100000;
    const LONG texts = _Node::GetLiveTextCount();
    std::vector<HTREEITEM> chain{TVI_ROOT};
    for (int i = 0; i < kDepth; ++i)
        chain.push_back(tree.InsertItem(L"level", chain.back()));
    ASSERT_TRUE(tree.GetItemCount() == 1 && tree.EnsureVisible(chain.back()));
    EXPECT_TRUE(tree.GetItemCount() == kDepth && tree.RowOf(chain.back()) == kDepth - 1);
    ASSERT_TRUE(tree.Expand(chain[1], TVE_COLLAPSE) && tree.GetItemCount() == 1);
    ASSERT_TRUE(tree.ExpandAll(TVI_ROOT, TRUE));
    EXPECT_TRUE(tree.GetItemCount() == kDepth && tree.CountChildren(TVI_ROOT, TRUE, TRUE) == kDepth);
    EXPECT_TRUE(TreeIsConsistent(tree));
    events.clear();
    ASSERT_TRUE(tree.DeleteItem(chain[1]) && events.size() == static_cast<size_t>(kDepth));
    EXPECT_EQ(chain.back(), events.front().view.itemOld.hItem) << "the deepest item goes first";

    ULONGLONG start = GetTickCount64();
    auto seconds = [&start] { // since the last call
        const ULONGLONG now = GetTickCount64(), elapsed = now - start;
        start = now;
        return static_cast<double>(elapsed) / 1000.0;
    };
    const HTREEITEM hParent = tree.InsertItem(L"parent");
    for (int i = 0; i < kWidth; ++i)
        tree.InsertItem(L"child", hParent);
    EXPECT_LT(seconds(), 30.0) << "appending is not constant time";
    ASSERT_TRUE(tree.Expand(hParent, TVE_EXPAND) && tree.GetItemCount() == kWidth + 1);
    EXPECT_LT(seconds(), 20.0) << "expanding is not linear";
    tree.SelectItem(tree.NodeFromRow(kWidth), TVGN_CARET);
    seconds();
    ASSERT_TRUE(tree.Expand(hParent, TVE_COLLAPSE));
    EXPECT_LT(seconds(), 20.0) << "collapsing is not linear";
    EXPECT_TRUE(tree.GetItemCount() == 1 && tree.GetCaretItem() == hParent);
    tree.Expand(hParent, TVE_EXPAND);
    seconds();
    tree.DeleteItem(hParent);
    EXPECT_LT(seconds(), 60.0) << "deleting is not linear"; // a notification per item
    EXPECT_TRUE(tree.GetItemCount() == 0 && _Node::GetLiveTextCount() == texts);
}
