// Seeded random sequences of inserts, deletes, expansions, collapses, hiding
// and selection, with the invariant check after every step; a second run has
// an owner that vetoes, inserts and deletes inside its notifications.
#include <random>
#include "treectrl/TreeTestSupport.h"

namespace {
class RandomRun
{
public:
    RandomRun(unsigned seed, bool mischief) : m_random(seed), m_mischief(mischief)
    {
        m_tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 240, 160), &m_owner, 1);
        if (Chance(50))
            m_tree.ModifyTreeExStyle(0, SEC_TVSX_MULTISELECT);
        if (Chance(25))
            m_tree.ModifyTreeExStyle(0, SEC_TVSX_PROGRESSIVE);
        m_owner.onNotify = [this](NMHDR* header, LRESULT& result) { return OnNotify(header, result); };
    }
    ~RandomRun() { m_owner.onNotify = nullptr; }

    // One random operation; its name for the failure message.
    std::string Step()
    {
        const int op = Pick(100);
        const HTREEITEM hItem = AnyItem();
        if (op < 40) {
            const HTREEITEM hParent = Chance(30) ? TVI_ROOT : hItem;
            const HTREEITEM positions[] = {TVI_FIRST, TVI_LAST, TVI_SORT, SEC_TVI_SORTDESCENDING, AnyItem()};
            const HTREEITEM hAfter = positions[Pick(5)];
            // Only an insert-after item that is no child of a parent with children fails.
            const bool bMayFail = hAfter == positions[4] && hAfter != TVI_ROOT && m_tree.GetChildItem(hParent) &&
                                  m_tree.GetParentItem(hAfter) != (hParent == TVI_ROOT ? nullptr : hParent);
            const HTREEITEM hNew = m_tree.InsertItem(TVIF_TEXT | TVIF_STATE, Wide("n" + std::to_string(m_next++)), 0,
                                                     0, Chance(40) ? TVIS_EXPANDED : 0, TVIS_EXPANDED, 0, hParent,
                                                     hAfter);
            if (hNew != nullptr)
                m_items.push_back(hNew);
            EXPECT_TRUE(hNew != nullptr || bMayFail || m_mischief) << "a valid insertion failed";
            return "insert";
        }
        if (hItem == TVI_ROOT && op < 90)
            return "nothing";
        if (op < 48) {
            m_tree.DeleteItem(hItem);
            return "delete";
        }
        if (op < 70) {
            const UINT codes[] = {TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE, TVE_EXPAND | TVE_COLLAPSERESET};
            m_tree.Expand(hItem, codes[Pick(Chance(5) ? 4 : 3)], Chance(50));
            return "expand";
        }
        if (op < 76) {
            Hidden(m_tree, hItem, Chance(50));
            return "hide";
        }
        if (op < 82) {
            m_tree.SelectItem(hItem, TVGN_CARET);
            return "select";
        }
        if (op < 86) {
            if (m_tree.GetItemCount() > 0)
                m_tree.SetItemState(Pick(m_tree.GetItemCount()), Chance(50) ? LVIS_SELECTED : 0, LVIS_SELECTED);
            return "row selection";
        }
        if (op < 90) {
            m_tree.SetItemState(hItem, Chance(50) ? TVIS_SELECTED : 0, TVIS_SELECTED);
            return "item selection";
        }
        if (op < 95) {
            m_tree.EnsureVisible(hItem, Chance(50));
            return "ensure visible";
        }
        if (op < 97) {
            m_tree.AddToSelection(hItem);
            return "add to selection";
        }
        if (m_items.size() < 200) {
            m_tree.ExpandAll(hItem, Chance(50));
            return "expand all";
        }
        return "nothing";
    }
    TreeUnderTest& Tree() { return m_tree; }

private:
    bool OnNotify(NMHDR* header, LRESULT& result)
    {
        if (header->code == TVN_DELETEITEMW) {
            const HTREEITEM hGone = reinterpret_cast<NMTREEVIEWW*>(header)->itemOld.hItem;
            auto it = std::find(m_items.begin(), m_items.end(), hGone);
            EXPECT_TRUE(it != m_items.end()) << "an item was deleted twice or never inserted";
            if (it != m_items.end())
                m_items.erase(it);
        }
        if (!m_mischief || m_depth > 2 || !Chance(15))
            return false;
        // Mischief: veto, or change the tree from inside the notification.
        ++m_depth;
        const int what = Pick(3);
        if (what == 0 && header->code != TVN_DELETEITEMW) {
            result = 1;
            --m_depth;
            return true;
        }
        if (what == 1) {
            HTREEITEM hNew = m_tree.InsertItem(L"late", AnyItem());
            if (hNew != nullptr)
                m_items.push_back(hNew);
        } else if (!m_items.empty()) {
            m_tree.DeleteItem(AnyItem());
        }
        --m_depth;
        return false;
    }
    int Pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    bool Chance(int percent) { return Pick(100) < percent; }
    HTREEITEM AnyItem()
    {
        return m_items.empty() || Chance(5) ? TVI_ROOT : m_items[static_cast<size_t>(Pick(static_cast<int>(m_items.size())))];
    }

    std::mt19937 m_random;          // the sequence of this run
    bool m_mischief;                // the owner changes the tree inside notifications
    int m_depth = 0;                // nesting of the owner's own changes
    int m_next = 0;                 // number of the next label
    OwnerWindow m_owner;            // notification window
    std::vector<HTREEITEM> m_items; // items alive, as the owner knows them
    TreeUnderTest m_tree;           // the control, destroyed before the owner
};

void RunSeeds(bool mischief, unsigned first, unsigned count, int steps)
{
    for (unsigned seed = first; seed < first + count; ++seed) {
        RandomRun run(seed, mischief);
        for (int step = 0; step < steps; ++step) {
            const std::string op = run.Step();
            ASSERT_TRUE(TreeIsConsistent(run.Tree()))
                << "seed " << seed << (mischief ? " (mischief)" : "") << ", step " << step << ": " << op;
        }
    }
}
} // namespace

TEST(TreeRandom, EveryStepKeepsRowsAndNodesInStep)
{
    RunSeeds(false, 1, 12, 300);
}

TEST(TreeRandom, OwnersChangingTheTreeInsideNotificationsBreakNothing)
{
    RunSeeds(true, 100, 12, 300);
}
