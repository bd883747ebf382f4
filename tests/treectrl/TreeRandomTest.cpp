// Seeded random runs of the tree: API calls mixed with real input, under owners
// that veto, insert and delete items, expand, select, edit, answer
// TVN_GETDISPINFOW by changing the tree, and destroy the window while they are
// told something. After every step:
// - rows and nodes agree (TreeIsConsistent): every shown node has exactly one
//   row, rows in pre-order, none for hidden or collapsed descendants, the
//   list's own model consistent;
// - the items linked below the root are exactly those inserted and not yet
//   reported deleted: every deleted item was told once with TVN_DELETEITEMW;
// - no notification named an item after it was reported deleted;
// - an editor is open exactly while a row is edited, on a row that exists.
// Nodes come from the tree's node factory in pages of their own, made
// inaccessible when the node is deleted: a node used after its deletion faults
// at the use, and a handle is never reused within a run.
//
// Each seed is a test of its own; MORVA_SEEDS and MORVA_STEPS choose others
// (support/RandomRuns.h). Also deep and wide trees, where nothing may recurse
// over the depth or take rows x items.
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include "support/HeapChecks.h"
#include "support/ObjectCensus.h"
#include "support/RandomInput.h"
#include "support/RandomRuns.h"
#include "treectrl/TreeTestSupport.h"

namespace {
// Every node sits in pages of its own; a deleted node's pages are made
// inaccessible and kept until the run ends, so that a node used after its
// deletion faults where it is used, and no handle is reused within a run.
std::vector<void*>& Quarantine()
{
    static std::vector<void*> blocks;
    return blocks;
}

struct QuarantinedNode : _Node
{
    static void* operator new(size_t size)
    {
        void* p = ::VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (p == nullptr)
            throw std::bad_alloc();
        return p;
    }
    static void operator delete(void* p)
    {
        DWORD old = 0;
        ::VirtualProtect(p, sizeof(QuarantinedNode), PAGE_NOACCESS, &old);
        Quarantine().push_back(p);
    }
};

void FreeQuarantine()
{
    for (void* p : Quarantine())
        ::VirtualFree(p, 0, MEM_RELEASE);
    Quarantine().clear();
}

class RandomTree : public SECTreeCtrl
{
public:
    _Node* CreateNode() override { return new QuarantinedNode; }
    int PendingEdit() const { return m_nPendingEdit; }
    bool EditorOpen() const { return m_pEdit != nullptr && m_pEdit->m_hWnd != nullptr; }
};

std::string Hex(const void* p)
{
    std::ostringstream out;
    out << p;
    return out.str();
}

class TreeRun
{
public:
    explicit TreeRun(unsigned seed) : m_seed(seed), m_random(seed), m_input(m_random), m_temper(TemperOf(seed))
    {
        m_owner.ShowWindow(SW_SHOW);
        ::SetForegroundWindow(m_owner.m_hWnd);
        m_input.AddTimerId(SECTreeBaseC::kTimerAutoExpand);
        m_owner.onNotify = [this](NMHDR* header, LRESULT& result) { return OnNotify(header, result); };
        m_owner.onRegistered = [this](UINT message, WPARAM, LPARAM lParam) {
            if (message == SECTreeEndLabelEditMessage)
                CheckNamed("the end-of-edit message", reinterpret_cast<HTREEITEM>(lParam));
        };
    }

    ~TreeRun()
    {
        m_owner.onNotify = nullptr;
        m_owner.onRegistered = nullptr;
        m_tree.reset();
        FreeQuarantine();
        ClearCrashNotes();
    }

    void Run(int steps)
    {
        const int windowsBefore = CountThreadWindows();
        MakeTree();
        for (m_step = 0; m_step < steps; ++m_step) {
            m_problem.clear();
            m_owner.Clear();
            std::string what;
            try {
                what = Alive() && Chance(40) ? m_input.Step(*m_tree) : ApiStep();
            } catch (const std::exception& e) {
                ADD_FAILURE() << "seed " << m_seed << ", step " << m_step << ": exception " << e.what() << "\n"
                              << Trail();
                return;
            }
            Note("step " + std::to_string(m_step) + ": " + what);
            const ::testing::AssertionResult ok = Check();
            EXPECT_TRUE(ok) << "seed " << m_seed << ", step " << m_step << " (" << what << ")\n" << Trail();
            if (!ok)
                return;
            if (!Alive())
                Replace();
        }
        // The window goes with every item told.
        m_tree->DestroyWindow();
        EXPECT_TRUE(m_problem.empty() && m_items.empty())
            << "seed " << m_seed << ": " << m_problem << "; " << m_items.size() << " items never told deleted";
        m_owner.onNotify = nullptr;
        m_tree.reset();
        EXPECT_EQ(windowsBefore, CountThreadWindows()) << "seed " << m_seed << ": windows of the tree were left";
    }

private:
    int Pick(int n) { return m_input.Pick(n); }
    bool Chance(int percent) { return m_input.Chance(percent); }
    bool Alive() const { return m_tree->m_hWnd != nullptr && ::IsWindow(m_tree->m_hWnd); }
    HTREEITEM AnyItem()
    {
        return m_items.empty() || Chance(5) ? TVI_ROOT : m_items[static_cast<size_t>(Pick(static_cast<int>(m_items.size())))];
    }
    bool Known(HTREEITEM h) const { return std::find(m_items.begin(), m_items.end(), h) != m_items.end(); }
    std::string Label(HTREEITEM h) const
    {
        if (h == TVI_ROOT || h == nullptr)
            return "root";
        const auto it = m_names.find(h);
        return it == m_names.end() ? "item " + Hex(h) : "#" + std::to_string(it->second);
    }

    void Note(const std::string& line) { m_trail.Note(line); }
    std::string Trail() const { return m_trail.Text(); }

    // ---- the tree

    void MakeTree()
    {
        m_tree.reset(new RandomTree);
        const DWORD style = TVS_HASBUTTONS | (Chance(50) ? TVS_HASLINES | TVS_LINESATROOT : 0u) |
                            (Chance(70) ? TVS_EDITLABELS : 0u) | (Chance(30) ? TVS_SHOWSELALWAYS : 0u);
        m_tree->Create(WS_CHILD | WS_VISIBLE | style, CRect(0, 0, 160 + Pick(200), 80 + Pick(200)), &m_owner, 1);
        m_hTree = m_tree->m_hWnd;
        m_tree->SetTypeAheadTimeout(60000); // the run sends the timer ticks itself
        m_tree->SetPendingEditDelay(60000);
        m_tree->SetAutoExpandDelay(60000);
        const DWORD exStyle = (Chance(50) ? SEC_TVSX_MULTISELECT : 0u) | (Chance(25) ? SEC_TVSX_PROGRESSIVE : 0u) |
                              (Chance(30) ? SEC_TVSX_AUTOEXPAND : 0u) | (Chance(25) ? SEC_TVSX_WRAPLABELS : 0u) |
                              (Chance(30) ? SEC_TVSX_HEADER | SEC_TVSX_HEADERBTNS : 0u);
        m_tree->ModifyTreeExStyle(0, exStyle);
        if (Chance(40))
            m_tree->EnableSubItemStorage(TRUE);
        for (int c = 1, n = Pick(3); c <= n; ++c)
            m_tree->InsertColumn(c, (L"col " + std::to_wstring(c)).c_str(), LVCFMT_LEFT, 60);
        for (int i = 0, n = Pick(30); i < n; ++i) {
            std::string what;
            Insert(Chance(40) ? TVI_ROOT : AnyItem(), TVI_LAST, what);
        }
        if (Chance(60))
            m_tree->SetFocus();
        Note("new tree, style " + std::to_string(style) + ", extended " + std::to_string(exStyle) + ", " +
             std::to_string(m_items.size()) + " items");
    }

    // A destroyed tree: the object still answers calls, then a new one takes
    // its place. Items given to a tree without a window go with the object
    // untold: there is no window to tell.
    void Replace()
    {
        for (int i = 0, n = Pick(4); i < n; ++i) {
            const std::string what = ApiStep();
            Note("  on the destroyed tree: " + what);
            const ::testing::AssertionResult ok = Check();
            EXPECT_TRUE(ok) << "seed " << m_seed << ", step " << m_step << " on the destroyed tree (" << what << ")\n"
                            << Trail();
        }
        m_items.clear();
        m_tree.reset();
        MakeTree();
    }

    HTREEITEM Insert(HTREEITEM hParent, HTREEITEM hAfter, std::string& what)
    {
        const bool callback = Chance(15);
        const int name = ++m_nextName;
        const std::wstring text = std::to_wstring(name) + (Chance(50) ? L" item" : L" Item");
        TVINSERTSTRUCTW insert{};
        insert.hParent = hParent;
        insert.hInsertAfter = hAfter;
        insert.item.mask = TVIF_TEXT | TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | (Chance(15) ? TVIF_CHILDREN : 0u);
        insert.item.pszText = callback ? LPSTR_TEXTCALLBACKW : const_cast<LPWSTR>(text.c_str());
        insert.item.state = Chance(40) ? TVIS_EXPANDED : 0;
        insert.item.stateMask = TVIS_EXPANDED;
        insert.item.iImage = Chance(10) ? I_IMAGECALLBACK : 0;
        insert.item.iSelectedImage = 0;
        insert.item.cChildren = I_CHILDRENCALLBACK;
        ++m_inserting;
        const HTREEITEM hNew = m_tree->InsertItem(&insert);
        --m_inserting;
        what = "insert #" + std::to_string(name) + (callback ? " (owner's label)" : "") + " below " + Label(hParent) +
               " after " + (hAfter == TVI_FIRST ? "first" : hAfter == TVI_LAST ? "last" : hAfter == TVI_SORT ? "sort"
                            : hAfter == SEC_TVI_SORTDESCENDING ? "sort descending" : Label(hAfter)) +
               (hNew ? "" : " -> failed");
        if (hNew != nullptr && m_deleted.count(hNew) == 0 && !Known(hNew)) { // the owner may have deleted it already
            m_items.push_back(hNew);
            m_names[hNew] = name;
        }
        return hNew;
    }

    // Deletion through the control; the items go from the books as they are told.
    BOOL Delete(HTREEITEM hItem) { return m_tree->DeleteItem(hItem); }

    // ---- API steps (also on a destroyed tree)

    // hNamed: the item to take, when not null and the step takes an item.
    std::string ApiStep(HTREEITEM hNamed = nullptr)
    {
        const UINT codes[] = {TVE_EXPAND, TVE_COLLAPSE, TVE_TOGGLE, TVE_EXPAND | TVE_COLLAPSERESET,
                              TVE_COLLAPSE | TVE_COLLAPSERESET};
        const int op = Pick(100);
        // The root is no item of the owner's: it stays expanded and shown, and
        // only insertion, deletion (of everything), expanding all, scrolling
        // and reading take it.
        const bool rootToo = op < 38 || (op >= 70 && op < 77) || (op >= 90 && op < 92);
        if (!rootToo && m_items.empty())
            return "no item to take";
        const HTREEITEM hItem = hNamed != nullptr ? hNamed
                                : rootToo ? AnyItem()
                                          : m_items[static_cast<size_t>(Pick(static_cast<int>(m_items.size())))];
        const int rows = m_tree->GetItemCount();
        std::ostringstream what;
        if (op < 30) {
            const HTREEITEM hParent = Chance(30) ? TVI_ROOT : hItem;
            const HTREEITEM positions[] = {TVI_FIRST, TVI_LAST, TVI_SORT, SEC_TVI_SORTDESCENDING, AnyItem()};
            const HTREEITEM hAfter = positions[Pick(5)];
            // Only an insert-after item that is no child of a parent with children fails.
            const bool mayFail = hAfter == positions[4] && hAfter != TVI_ROOT && m_tree->GetChildItem(hParent) &&
                                 m_tree->GetParentItem(hAfter) != (hParent == TVI_ROOT ? nullptr : hParent);
            std::string text;
            const HTREEITEM hNew = Insert(hParent, hAfter, text);
            what << text;
            if (hNew == nullptr && !mayFail && m_temper.meddle == 0 && m_problem.empty())
                m_problem = "a valid insertion failed";
        } else if (op < 38) {
            what << "delete " << Label(hItem) << " -> " << (hItem == TVI_ROOT && Chance(80) ? -1 : Delete(hItem));
        } else if (op < 48) {
            const UINT code = codes[Pick(Chance(10) ? 5 : 3)];
            what << "expand " << Label(hItem) << " code " << code << " -> " << m_tree->Expand(hItem, code, Chance(50));
        } else if (op < 51) {
            // The bit set directly, untold, as owners of the platform's control do.
            const bool on = Chance(50);
            what << "expanded bit of " << Label(hItem) << (on ? " on" : " off") << " -> "
                 << m_tree->SetItemState(hItem, on ? TVIS_EXPANDED : 0, TVIS_EXPANDED);
        } else if (op < 55) {
            const bool hide = Chance(50);
            Hidden(*m_tree, hItem, hide);
            what << (hide ? "hide " : "show ") << Label(hItem);
        } else if (op < 60) {
            what << "select " << Label(hItem) << " -> " << m_tree->SelectItem(hItem, TVGN_CARET);
        } else if (op < 62) {
            const int row = Pick(std::max(rows, 1));
            what << "row selection " << row << " -> "
                 << m_tree->SetItemState(row, Chance(50) ? LVIS_SELECTED : 0, LVIS_SELECTED);
        } else if (op < 64) {
            what << "selected bit of " << Label(hItem) << " -> "
                 << m_tree->SetItemState(hItem, Chance(50) ? TVIS_SELECTED : 0, TVIS_SELECTED);
        } else if (op < 70) {
            if (Chance(60)) {
                const int col = Pick(m_tree->GetColumnCount() + 1);
                what << "edit " << Label(hItem) << " column " << col << " -> "
                     << (m_tree->EditLabel(m_tree->RowOf(hItem), col) != nullptr);
            } else {
                const BOOL commit = Chance(60);
                what << "end edit " << (commit ? "committing" : "cancelling") << " -> " << m_tree->EndLabelEdit(commit);
            }
        } else if (op < 73) {
            what << "ensure visible " << Label(hItem) << " -> " << m_tree->EnsureVisible(hItem, Chance(50));
        } else if (op < 75) {
            what << "add to selection " << Label(hItem) << " -> " << m_tree->AddToSelection(hItem);
        } else if (op < 77) {
            if (m_items.size() < 200) // keeps the tree small enough for the steps
                what << "expand all " << Label(hItem) << " -> " << m_tree->ExpandAll(hItem, Chance(50));
            else
                what << "no expand all: the tree is large";
        } else if (op < 79) {
            const HTREEITEM hTarget = Chance(20) ? nullptr : hItem;
            what << "drop target " << Label(hTarget) << " -> " << m_tree->SelectDropTarget(hTarget, Chance(50));
        } else if (op < 81) {
            what << "first visible " << Label(hItem) << " -> " << m_tree->SelectItem(hItem, TVGN_FIRSTVISIBLE);
        } else if (op < 85) {
            const int col = Pick(m_tree->GetColumnCount() + 1);
            const bool callback = col == 0 && Chance(40);
            what << "text of " << Label(hItem) << " column " << col << (callback ? " to the owner's" : "") << " -> "
                 << m_tree->SetItemText(hItem, col, callback ? LPSTR_TEXTCALLBACKW : L"set");
        } else if (op < 87) {
            const int col = 1 + Pick(m_tree->GetColumnCount()); // column 0 stays the tree column
            switch (Pick(3)) {
            case 0: what << "insert column " << col << " -> " << m_tree->InsertColumn(col, L"new", LVCFMT_LEFT, 50); break;
            case 1: what << "delete column " << col << " -> " << m_tree->DeleteColumn(col); break;
            default: what << "move column " << col << " -> "
                          << m_tree->MoveColumn(col, Pick(m_tree->GetColumnCount() + 1)); break;
            }
        } else if (op < 88) {
            const bool on = Chance(60);
            what << "sub-item storage " << (on ? "on" : "off") << " -> " << m_tree->EnableSubItemStorage(on);
        } else if (op < 90) {
            const DWORD bits[] = {SEC_TVSX_MULTISELECT, SEC_TVSX_PROGRESSIVE, SEC_TVSX_AUTOEXPAND, SEC_TVSX_WRAPLABELS,
                                  SEC_TVSX_HEADER, SEC_TVSX_TIPS};
            const DWORD bit = bits[Pick(6)];
            const bool on = Chance(50);
            m_tree->ModifyTreeExStyle(on ? 0 : bit, on ? bit : 0, Chance(80));
            what << "extended style " << bit << (on ? " on" : " off");
        } else if (op < 92) {
            WCHAR buffer[64] = L"";
            TVITEMW item{};
            item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_IMAGE | TVIF_STATE | TVIF_PARAM;
            item.hItem = hItem;
            item.pszText = buffer;
            item.cchTextMax = 64;
            item.stateMask = 0xFFFF;
            what << "read " << Label(hItem) << " -> " << m_tree->GetItem(&item);
            // Each read may ask the owner, who may delete the item.
            const auto alive = [&] { return hItem == TVI_ROOT || Known(hItem); };
            if (alive())
                m_tree->GetItemText(hItem, Pick(m_tree->GetColumnCount() + 1));
            if (alive())
                m_tree->GetNextVisibleItem(hItem);
            if (alive())
                m_tree->GetPrevVisibleItem(hItem);
            if (alive())
                m_tree->CountChildren(hItem, Chance(50), Chance(50));
        } else if (op < 94) {
            TVITEMW item{};
            item.mask = TVIF_CHILDREN | TVIF_IMAGE | TVIF_STATE;
            item.hItem = hItem;
            item.cChildren = Chance(50) ? I_CHILDRENCALLBACK : Pick(2);
            item.iImage = Chance(30) ? I_IMAGECALLBACK : 0;
            item.state = Chance(50) ? TVIS_BOLD : TVIS_CUT;
            item.stateMask = TVIS_BOLD | TVIS_CUT;
            what << "set " << Label(hItem) << " -> " << m_tree->SetItem(&item);
        } else if (op < 96) {
            // The list's cell call on the tree (its rows are the tree's to make and delete).
            const int row = Pick(std::max(rows, 1));
            what << "row text " << row << " -> "
                 << m_tree->SetItemText(row, Pick(m_tree->GetSubItemCount() + 1), LPSTR_TEXTCALLBACKW);
        } else if (op < 98) {
            if (m_tree->m_hWnd != nullptr) {
                ::InvalidateRect(m_tree->m_hWnd, nullptr, FALSE);
                ::UpdateWindow(m_tree->m_hWnd);
            }
            what << "paint";
        } else if (op < 99) {
            what << "delete all -> " << m_tree->DeleteAllItems();
        } else {
            what << "image of " << Label(hItem) << " -> " << m_tree->SetItemImage(hItem, Pick(3), Pick(3));
        }
        return what.str();
    }

    // ---- the owner

    // What the owner does besides answering: any call the run itself makes
    // (noted before it runs, for a crash inside it), often on the item it is
    // told about, or destroying the tree.
    void Meddle(const std::string& where, HTREEITEM hNamed)
    {
        const std::string what = "    owner in " + where + ": ";
        if (!m_temper.destroy || !Chance(5)) {
            Note(what + "a call");
            Note(what + ApiStep(hNamed != nullptr && Known(hNamed) && Chance(50) ? hNamed : nullptr));
            return;
        }
        Note(what + "destroy the tree");
        m_tree->DestroyWindow();
        if (!m_items.empty() || m_tree->GetItemCount() != 0 || m_tree->EditorOpen() || ::IsWindow(m_hTree)) {
            if (m_problem.empty())
                m_problem = "the destroyed tree keeps " + std::to_string(m_tree->GetItemCount()) + " rows, " +
                            std::to_string(m_items.size()) + " items not told deleted" +
                            (m_tree->EditorOpen() ? ", an editor" : "");
        }
    }

    // A notification may name an item only while it is alive: not after its
    // TVN_DELETEITEMW, which comes once per item.
    void CheckNamed(const std::string& what, HTREEITEM h)
    {
        if (h != nullptr && h != TVI_ROOT && m_deleted.count(h) != 0 && m_problem.empty())
            m_problem = what + " names " + Hex(h) + ", told deleted before";
    }

    bool OnNotify(NMHDR* header, LRESULT& result)
    {
        if (m_tree == nullptr || header->hwndFrom != m_hTree)
            return false;
        const UINT code = header->code;
        const std::string name = NotifyName(code);
        HTREEITEM hNamed = nullptr;
        bool answered = false;
        if (code == TVN_DELETEITEMW) {
            const HTREEITEM h = reinterpret_cast<NMTREEVIEWW*>(header)->itemOld.hItem;
            const auto it = std::find(m_items.begin(), m_items.end(), h);
            if (it != m_items.end()) {
                m_items.erase(it);
            } else if (m_problem.empty() && (m_deleted.count(h) != 0 || m_inserting == 0)) {
                m_problem = std::string(m_deleted.count(h) ? "TVN_DELETEITEMW told twice of " : "TVN_DELETEITEMW of an unknown item ") + Hex(h);
            }
            m_deleted.insert(h);
            Note("    told TVN_DELETEITEMW " + (m_names.count(h) ? "#" + std::to_string(m_names[h]) : Hex(h)));
        } else if (code == TVN_GETDISPINFOW || code == TVN_SETDISPINFOW || code == TVN_BEGINLABELEDITW ||
                   code == TVN_ENDLABELEDITW) {
            TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
            hNamed = item.hItem;
            CheckNamed(name, hNamed);
            if (code == TVN_GETDISPINFOW) {
                if ((item.mask & TVIF_TEXT) != 0 && item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKW &&
                    item.cchTextMax > 0)
                    lstrcpynW(item.pszText, (L"owner's " + std::to_wstring(m_names.count(hNamed) ? m_names[hNamed] : 0)).c_str(),
                              item.cchTextMax);
                if ((item.mask & TVIF_CHILDREN) != 0)
                    item.cChildren = Pick(3);
                if ((item.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) != 0)
                    item.iImage = item.iSelectedImage = 0;
            } else if (code == TVN_BEGINLABELEDITW) {
                result = Chance(20) ? 1 : 0;
                answered = true;
            } else if (code == TVN_ENDLABELEDITW) {
                result = Chance(60) ? 1 : 0;
                answered = true;
                if (result != 0 && item.pszText != nullptr && item.cchTextMax > 0 && Chance(30))
                    lstrcpynW(item.pszText, L"rewritten", item.cchTextMax);
            }
            // Display requests come by the hundred; the owner's changes in them are noted anyway.
            if (code != TVN_GETDISPINFOW)
                Note("    told " + name + " " + Label(hNamed));
        } else if (code == TVN_SELCHANGINGW || code == TVN_SELCHANGEDW || code == TVN_ITEMEXPANDINGW ||
                   code == TVN_ITEMEXPANDEDW || code == TVN_BEGINDRAGW || code == TVN_BEGINRDRAGW) {
            const NMTREEVIEWW* view = reinterpret_cast<NMTREEVIEWW*>(header);
            CheckNamed(name + " (old item)", view->itemOld.hItem);
            CheckNamed(name + " (new item)", view->itemNew.hItem);
            hNamed = view->itemNew.hItem;
            if (code == TVN_SELCHANGINGW || code == TVN_ITEMEXPANDINGW) {
                result = Chance(15) ? 1 : 0;
                answered = true;
            }
            Note("    told " + name + " " + Label(hNamed) + (answered && result ? " (vetoed)" : ""));
        } else if (code != LVN_GETDISPINFOW) {
            Note("    told " + name);
        }
        if (m_depth < 2 && Chance(m_temper.meddle)) {
            ++m_depth;
            Meddle(name, hNamed);
            --m_depth;
        }
        return answered;
    }

    // ---- the checks

    ::testing::AssertionResult Check()
    {
        if (!m_problem.empty())
            return ::testing::AssertionFailure() << m_problem;
        if (CheckHeapsEveryStep()) {
            const std::string heaps = CorruptHeaps();
            if (!heaps.empty())
                return ::testing::AssertionFailure() << heaps;
        }
        // The items below the root, walked through the raw links.
        std::set<HTREEITEM> linked;
        _Node* pRoot = m_tree->GetRootNode();
        for (SECTreeNode* p = pRoot->GetRawFirstChild(); p != nullptr;) {
            linked.insert(static_cast<_Node*>(p)->m_item.hItem);
            if (p->GetRawFirstChild() != nullptr) {
                p = p->GetRawFirstChild();
                continue;
            }
            while (p != nullptr && p != pRoot && p->GetRawNextSibling() == nullptr)
                p = p->GetRawParent();
            p = p == nullptr || p == pRoot ? nullptr : p->GetRawNextSibling();
        }
        // Every row shows one of them (before anything reads a row's node).
        for (int row = 0; row < m_tree->GetItemCount(); ++row) {
            const HTREEITEM h = m_tree->NodeFromRow(row);
            if (linked.count(h) == 0)
                return ::testing::AssertionFailure() << "row " << row << " shows " << Label(h)
                                                     << (m_deleted.count(h) ? ", told deleted before" : ", not in the tree");
        }
        const ::testing::AssertionResult rows = TreeIsConsistent(*m_tree);
        if (!rows)
            return rows;
        // They are exactly the items alive. A tree without a window deletes
        // items untold: there is no window to tell.
        if (m_tree->m_hWnd == nullptr || !::IsWindow(m_tree->m_hWnd)) {
            m_items.erase(std::remove_if(m_items.begin(), m_items.end(), [&](HTREEITEM h) { return linked.count(h) == 0; }),
                          m_items.end());
        }
        for (HTREEITEM h : m_items) {
            if (linked.count(h) == 0)
                return ::testing::AssertionFailure() << Label(h) << " is no longer in the tree but was not told deleted";
        }
        if (linked.size() != m_items.size())
            return ::testing::AssertionFailure() << linked.size() - m_items.size()
                                                 << " items in the tree that no insertion answered";
        const int count = m_tree->GetItemCount();
        const int edit = m_tree->GetEditItem();
        if (edit < -1 || edit >= count)
            return ::testing::AssertionFailure() << "edit row " << edit << " of " << count;
        if (m_tree->EditorOpen() != (edit >= 0))
            return ::testing::AssertionFailure() << "edit row " << edit << (m_tree->EditorOpen() ? " with" : " without")
                                                 << " an editor";
        if (m_tree->PendingEdit() < -1 || m_tree->PendingEdit() >= count)
            return ::testing::AssertionFailure() << "pending edit row " << m_tree->PendingEdit() << " of " << count;
        if (m_tree->GetTopIndex() < 0 || m_tree->GetTopIndex() > std::max(count - 1, 0))
            return ::testing::AssertionFailure() << "top row " << m_tree->GetTopIndex() << " of " << count;
        if (!Alive() && ::GetCapture() == m_hTree)
            return ::testing::AssertionFailure() << "a destroyed tree keeps the capture";
        return ::testing::AssertionSuccess();
    }

    unsigned m_seed;                    // the run's seed
    std::mt19937 m_random;              // every random choice of the run
    RandomInput m_input;                // the user
    Temper m_temper;                    // the owner's habits
    OwnerWindow m_owner;                // parent and notification window
    std::unique_ptr<RandomTree> m_tree; // the tree under test; replaced when destroyed
    HWND m_hTree = nullptr;             // its window
    std::vector<HTREEITEM> m_items;     // alive, as the owner knows them, in insertion order
    std::map<HTREEITEM, int> m_names;   // number of each item the run inserted
    std::set<HTREEITEM> m_deleted;      // told deleted (handles are not reused within a run)
    int m_nextName = 0;                 // number of the last item inserted
    int m_inserting = 0;                // nesting of the run's insertions
    int m_step = 0;                     // current step
    int m_depth = 0;                    // nesting of the owner's changes
    std::string m_problem;              // the first wrong notification of the step
    RunTrail m_trail;                   // last steps and owner actions
};

// The runs, one test per seed: Seeds/TreeRandom.seed<N>.
const bool registered = RegisterSeedTests("TreeRandom", __FILE__, __LINE__, SeedsFromEnvironment(SeedRange(1, 20)),
                                          [](unsigned seed) { TreeRun(seed).Run(StepsFromEnvironment(200)); });
} // namespace

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
