// Helpers of the tree tests: named nodes or items from a shape such as
// "a+(a1 a2(x)) b" ('+': expanded), tree notifications, the invariant check.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include "listctrl/ListTestSupport.h"
#include "support/OwnerWindow.h"
#include "treectrl/SECTreeCtrl.h"
#include "treectrl/SECTreeNodeX.h"

// Calls add(parent, name, expanded) for the names of one level of a shape in
// order, each followed by its children; answers where the level ends.
template <class H, class Add>
const char* ParseShape(const char* p, H parent, Add& add, std::map<std::string, H>& named)
{
    while (*p != '\0' && *p != ')') {
        const char* start = p;
        p += std::strcspn(p, "() +");
        const std::string name(start, p);
        const H item = named[name] = add(parent, name, *p == '+');
        p += *p == '+' ? 1 : 0;
        if (*p == '(')
            p = ParseShape(p + 1, item, add, named) + 1;
        p += *p == ' ' ? 1 : 0;
    }
    return p;
}

// Records its name in the log on destruction, after its subtree is gone.
struct NamedNode : SECTreeNodeX
{
    NamedNode(std::string name, std::vector<std::string>* pLog) : m_name(std::move(name)), m_pLog(pLog) {}
    ~NamedNode() override
    {
        DeleteDescendants();
        if (m_pLog != nullptr)
            m_pLog->push_back(m_name);
    }
    std::string m_name;               // label used by the assertions
    std::vector<std::string>* m_pLog; // receives the name on destruction; may be null
};

// Names of the nodes, separated by spaces; "-" for null.
inline std::string Names(std::initializer_list<const SECTreeNode*> nodes)
{
    std::string out;
    for (const SECTreeNode* p : nodes)
        out += (out.empty() ? "" : " ") + (p ? static_cast<const NamedNode*>(p)->m_name : std::string("-"));
    return out;
}

// Named nodes of a shape by name; the first name is the root, which owns them.
struct TestTree : std::map<std::string, NamedNode*>
{
    explicit TestTree(const char* shape, std::vector<std::string>* pLog = nullptr)
    {
        auto add = [&](NamedNode* pParent, const std::string& name, bool) {
            NamedNode* pNode = new NamedNode(name, pLog);
            if (!SECTreeNode::AddChild(pParent, pNode, SECTreeNode::addLast))
                m_pRoot = pNode; // the first name, which has no parent
            return pNode;
        };
        ParseShape<NamedNode*>(shape, nullptr, add, *this);
    }
    ~TestTree() { delete m_pRoot; }
    // Names in the order of GetNextInOrder from the root, " |", then GetPrevInOrder from the end.
    std::string Walk() const
    {
        std::string out;
        for (const SECTreeNode* p = m_pRoot; p; p = p->GetNextInOrder())
            out += Names({p}) + " ";
        out += "|";
        for (const SECTreeNode* p = m_pRoot->GetLastDescendant(); p; p = p->GetPrevInOrder())
            out += " " + Names({p});
        return out;
    }

    NamedNode* m_pRoot = nullptr; // the first node of the shape
};

inline std::string Narrow(const CString& s) { return std::string(s.GetString(), s.GetString() + s.GetLength()); }

// Inserts the items of a shape below the root, answering them by label.
inline std::map<std::string, HTREEITEM> Shape(SECTreeBaseC& tree, const char* shape)
{
    std::map<std::string, HTREEITEM> items;
    auto add = [&](HTREEITEM hParent, const std::string& name, bool expanded) {
        return tree.InsertItem(TVIF_TEXT | TVIF_STATE, CString(name.c_str()), 0, 0, expanded ? TVIS_EXPANDED : 0,
                               TVIS_EXPANDED, 0, hParent, TVI_LAST);
    };
    ParseShape<HTREEITEM>(shape, TVI_ROOT, add, items);
    return items;
}

inline void Hidden(SECTreeBaseC& tree, HTREEITEM hItem, bool hidden = true)
{
    const UINT bit = _Node::attrHidden;
    tree.SetItemAttributes(hItem, SECTreeAttributes{SEC_TVAF_VALUE, hidden ? bit : 0u, bit});
}

inline std::string Label(SECTreeBaseC& tree, HTREEITEM h) { return h ? Narrow(tree.GetItemText(h)) : "-"; }

// Labels of the rows, in row order, separated by spaces.
inline std::string RowLabels(SECTreeBaseC& tree)
{
    std::string out;
    for (int row = 0; row < tree.GetItemCount(); ++row)
        out += (row ? " " : "") + Label(tree, tree.NodeFromRow(row));
    return out;
}

// A tree notification as the owner received it.
struct TreeEvent
{
    UINT code = 0;       // TVN_ code
    NMTREEVIEWW view{};  // NMTREEVIEWW records; for TVN_KEYDOWN, the key as the action
    TVITEMW item{};      // the item of display-info records (its text pointer is stale)
    std::string text;    // that text, except for TVN_GETDISPINFOW
    bool linked = false; // TVN_DELETEITEMW: the item still had a parent when told
};

inline TreeEvent CopyTreeRecord(const NMHDR* header)
{
    TreeEvent e;
    e.code = header->code;
    if (e.code == TVN_KEYDOWN) {
        e.view.action = reinterpret_cast<const NMTVKEYDOWN*>(header)->wVKey;
    } else if (e.code == TVN_GETDISPINFOW || e.code == TVN_SETDISPINFOW || e.code == TVN_BEGINLABELEDITW ||
               e.code == TVN_ENDLABELEDITW) {
        e.item = reinterpret_cast<const NMTVDISPINFOW*>(header)->item;
        if (e.item.pszText != nullptr && e.item.pszText != LPSTR_TEXTCALLBACKW && e.code != TVN_GETDISPINFOW)
            e.text = Narrow(CString(e.item.pszText));
    } else {
        e.view = *reinterpret_cast<const NMTREEVIEWW*>(header);
        e.linked = e.code == TVN_DELETEITEMW && reinterpret_cast<_Node*>(e.view.itemOld.hItem)->GetRawParent();
    }
    return e;
}

// Records the tree notifications an owner receives; extra, when set, sees
// every notification afterwards and answers it by returning true.
inline void RecordTree(OwnerWindow& owner, std::vector<TreeEvent>& events,
                       std::function<bool(NMHDR*, LRESULT&)> extra = nullptr)
{
    owner.onNotify = [&events, extra](NMHDR* header, LRESULT& result) {
        if (header->code <= static_cast<UINT>(TVN_FIRST) && header->code >= static_cast<UINT>(TVN_LAST))
            events.push_back(CopyTreeRecord(header));
        return extra ? extra(header, result) : false;
    };
}

// The codes of the events, or the items of the TVN_DELETEITEMW events.
inline std::vector<UINT> Codes(const std::vector<TreeEvent>& events)
{
    std::vector<UINT> codes;
    for (const TreeEvent& e : events)
        codes.push_back(e.code);
    return codes;
}
inline std::vector<HTREEITEM> Deleted(const std::vector<TreeEvent>& events)
{
    std::vector<HTREEITEM> items;
    for (const TreeEvent& e : events)
        if (e.code == TVN_DELETEITEMW)
            items.push_back(e.view.itemOld.hItem);
    return items;
}

// The rows show exactly the shown nodes in pre-order, each row and node point
// at each other, the nodes' selected bits match the list's selection, the
// links are symmetric and every remembered last child ends its run, and the
// list's own model is consistent.
inline ::testing::AssertionResult TreeIsConsistent(SECTreeBaseC& tree)
{
    const ::testing::AssertionResult model = ModelIsConsistent(tree);
    if (!model || !tree.GetRootNode()->IsExpanded())
        return model ? ::testing::AssertionFailure() << "the root is collapsed" : model;
    int row = 0;                                                             // of the next shown node
    std::vector<std::pair<_Node*, bool>> stack{{tree.GetRootNode(), false}}; // node, shown
    while (!stack.empty()) {
        _Node* node = stack.back().first;
        const bool shown = stack.back().second;
        stack.pop_back();
        auto label = [&] { return Label(tree, node->m_item.hItem); };
        if (!shown && node->m_pRowRecord != nullptr)
            return ::testing::AssertionFailure() << label() << " has a row but is not shown";
        if (shown && (tree.NodeFromRow(row) != node->m_item.hItem || node->m_pRowRecord != tree.GetItemAt(row)))
            return ::testing::AssertionFailure() << "row " << row << " is not " << label() << "; " << RowLabels(tree);
        if (shown && (tree.GetSelection().Contains(row++) != FALSE) != ((node->m_item.state & TVIS_SELECTED) != 0))
            return ::testing::AssertionFailure() << "selected bit of " << label() << " differs from its row";
        const bool childrenShow = (shown || node == tree.GetRootNode()) && node->IsExpanded();
        const size_t end = stack.size();
        const SECTreeNode* last = nullptr;
        for (SECTreeNode* c = node->GetRawFirstChild(); c; c = c->GetRawNextSibling()) {
            _Node* child = static_cast<_Node*>(c);
            const SECTreeNode* next = c->GetRawNextSibling();
            if (c->GetRawParent() != node || (next != nullptr && next->GetRawPrevSibling() != c))
                return ::testing::AssertionFailure() << "broken links below " << label();
            stack.emplace_back(child, childrenShow && !(child->m_nAttributes & _Node::attrHidden));
            last = c;
        }
        // Appending trusts the remembered last child: it must be the end of the walk.
        if (node->GetRawLastChild() != last)
            return ::testing::AssertionFailure() << "the remembered last child of " << label() << " is not the last";
        std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(end), stack.end()); // first child on top
    }
    if (row != tree.GetItemCount())
        return ::testing::AssertionFailure() << row << " shown nodes, rows " << RowLabels(tree);
    return ::testing::AssertionSuccess();
}

// A node class of a derived control; its memory is recycled, last freed first
// made, so that a new item gets the address of the item deleted last.
struct RecycledNode : _Node
{
    static std::vector<void*>& Pool()
    {
        static std::vector<void*> pool; // freed blocks, kept for reuse until the program ends
        return pool;
    }
    static void* operator new(size_t size)
    {
        if (Pool().empty())
            return ::operator new(size);
        void* p = Pool().back();
        Pool().pop_back();
        return p;
    }
    static void operator delete(void* p) { Pool().push_back(p); }
};

// A tree whose nodes are RecycledNode; counts the list's scroll-bar updates.
class RecyclingTree : public SECTreeCtrl
{
public:
    _Node* CreateNode() override { return new RecycledNode; }
    void UpdateScrollBars() override
    {
        ++scrollBarUpdates;
        SECTreeCtrl::UpdateScrollBars();
    }
    int scrollBarUpdates = 0; // UpdateScrollBars calls
};

// A created tree in an owner window that records the tree notifications.
class TreeFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 300, 200), &owner, 100));
        RecordTree(owner, events);
    }
    OwnerWindow owner;             // parent and notification window
    std::vector<TreeEvent> events; // tree notifications received by the owner (outlives the tree)
    SECTreeCtrl tree;              // the control under test
};
