// Helpers shared by the tree control tests: a tree exposing its protected
// state, trees built from a shape such as "a+(a1 a2(x)) b" (a '+' inserts the
// item expanded), row labels, tree notification records, and the invariant
// check of rows and nodes.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include "listctrl/ListTestSupport.h"
#include "support/OwnerWindow.h"
#include "treectrl/SECTreeCtrl.h"

class TreeUnderTest : public SECTreeCtrl
{
public:
    using SECTreeCtrl::m_nRowCache;
    _Node* Node(HTREEITEM h) const { return Resolve(h); }
    int AutoExpandTimer() const { return static_cast<int>(m_nAutoExpandTimer); }
};

inline std::string Narrow(const CString& text)
{
    return std::string(text.GetString(), text.GetString() + text.GetLength());
}

inline CString Wide(const std::string& text)
{
    return CString(std::wstring(text.begin(), text.end()).c_str());
}

inline HTREEITEM Hidden(SECTreeBaseC& tree, HTREEITEM hItem, bool hidden = true)
{
    SECTreeAttributes request;
    request.mask = SEC_TVAF_VALUE;
    request.valueMask = _Node::attrHidden;
    request.value = hidden ? static_cast<UINT>(_Node::attrHidden) : 0u;
    tree.SetItemAttributes(hItem, request);
    return hItem;
}

struct TreeShape
{
    std::map<std::string, HTREEITEM> items; // every item inserted, by label

    TreeShape(SECTreeBaseC& tree, const char* p)
    {
        std::vector<HTREEITEM> parents{TVI_ROOT}; // the open parentheses
        HTREEITEM hLast = nullptr;
        while (*p != '\0') {
            if (*p == '(' || *p == ')' || *p == ' ') {
                if (*p == '(')
                    parents.push_back(hLast);
                else if (*p == ')')
                    parents.pop_back();
                ++p;
                continue;
            }
            std::string name;
            while (*p != '\0' && std::string(" ()").find(*p) == std::string::npos)
                name += *p++;
            const UINT state = name.back() == '+' ? TVIS_EXPANDED : 0;
            if (state != 0)
                name.pop_back();
            hLast = items[name] = tree.InsertItem(TVIF_TEXT | TVIF_STATE, Wide(name), 0, 0, state, TVIS_EXPANDED, 0,
                                                  parents.back(), TVI_LAST);
        }
    }
    HTREEITEM operator[](const std::string& label) const { return items.at(label); }
};

inline std::string Label(SECTreeBaseC& tree, HTREEITEM hItem)
{
    return hItem == nullptr ? "-" : Narrow(tree.GetItemText(hItem));
}

// Labels of the rows, in row order, separated by spaces.
inline std::string RowLabels(SECTreeBaseC& tree)
{
    std::string out;
    for (int row = 0; row < tree.GetItemCount(); ++row)
        out += (row ? " " : "") + Label(tree, tree.NodeFromRow(row));
    return out;
}

// A tree notification with the fields of its record copied out.
struct TreeEvent
{
    UINT code = 0;            // TVN_ code
    UINT action = 0;          // action of NMTREEVIEWW records
    HTREEITEM hNew = nullptr; // itemNew.hItem, or item.hItem of display-info records
    HTREEITEM hOld = nullptr; // itemOld.hItem
    UINT newState = 0;        // itemNew.state
    UINT mask = 0;            // mask of the record's item (itemOld for TVN_DELETEITEMW)
    LPARAM lParam = 0;        // item data of that item
    bool linked = false;      // TVN_DELETEITEMW: the item still had a parent when told
    std::string text;         // text of display-info records other than TVN_GETDISPINFOW
    WORD key = 0;             // virtual key of TVN_KEYDOWN
};

// Records the tree notifications (TVN_ codes) an owner receives; extra, when
// set, sees every notification afterwards and answers it by returning true.
inline void RecordTree(OwnerWindow& owner, std::vector<TreeEvent>& events,
                       std::function<bool(NMHDR*, LRESULT&)> extra = nullptr)
{
    owner.onNotify = [&events, extra](NMHDR* header, LRESULT& result) {
        const UINT code = header->code;
        if (code <= static_cast<UINT>(TVN_FIRST) && code >= static_cast<UINT>(TVN_LAST)) {
            TreeEvent e;
            e.code = code;
            const bool display = code == TVN_GETDISPINFOW || code == TVN_SETDISPINFOW ||
                                 code == TVN_BEGINLABELEDITW || code == TVN_ENDLABELEDITW;
            if (code == TVN_KEYDOWN) {
                e.key = reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey;
            } else if (display) {
                const TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
                e.hNew = item.hItem;
                e.mask = item.mask;
                e.lParam = item.lParam;
                if (item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACKW && code != TVN_GETDISPINFOW)
                    e.text = Narrow(CString(item.pszText));
            } else {
                const NMTREEVIEWW* info = reinterpret_cast<NMTREEVIEWW*>(header);
                const TVITEMW& item = code == TVN_DELETEITEMW ? info->itemOld : info->itemNew;
                e.action = info->action;
                e.hNew = info->itemNew.hItem;
                e.hOld = info->itemOld.hItem;
                e.newState = info->itemNew.state;
                e.mask = item.mask;
                e.lParam = item.lParam;
                e.linked = code == TVN_DELETEITEMW && reinterpret_cast<_Node*>(item.hItem)->GetRawParent() != nullptr;
            }
            events.push_back(e);
        }
        return extra ? extra(header, result) : false;
    };
}

inline std::vector<UINT> Codes(const std::vector<TreeEvent>& events)
{
    std::vector<UINT> codes;
    for (const TreeEvent& e : events)
        codes.push_back(e.code);
    return codes;
}

// The rows show exactly the shown nodes in pre-order, each row and node point
// at each other, the nodes' selected bits match the list's selection, the
// links are symmetric, and the list's own model is consistent.
inline ::testing::AssertionResult TreeIsConsistent(TreeUnderTest& tree)
{
    const ::testing::AssertionResult model = ModelIsConsistent(tree);
    if (!model)
        return model;
    if (!tree.GetRootNode()->IsExpanded())
        return ::testing::AssertionFailure() << "the root is collapsed";
    std::vector<_Node*> shown;
    std::vector<std::pair<_Node*, bool>> stack{{tree.GetRootNode(), false}}; // node, shown
    while (!stack.empty()) {
        auto [node, isShown] = stack.back();
        stack.pop_back();
        if (isShown)
            shown.push_back(node);
        else if (node->m_pRowRecord != nullptr)
            return ::testing::AssertionFailure() << Label(tree, node->m_item.hItem) << " has a row but is not shown";
        const bool childrenShow = (isShown || node == tree.GetRootNode()) && node->IsExpanded();
        std::vector<std::pair<_Node*, bool>> children;
        for (SECTreeNode* c = node->GetRawFirstChild(); c; c = c->GetRawNextSibling()) {
            _Node* child = static_cast<_Node*>(c);
            if (c->GetRawParent() != node || (c->GetRawNextSibling() && c->GetRawNextSibling()->GetRawPrevSibling() != c))
                return ::testing::AssertionFailure() << "broken links at " << Label(tree, child->m_item.hItem);
            children.emplace_back(child, childrenShow && !(child->m_nAttributes & _Node::attrHidden));
        }
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    if (static_cast<int>(shown.size()) != tree.GetItemCount())
        return ::testing::AssertionFailure() << shown.size() << " shown nodes, rows " << RowLabels(tree);
    for (int row = 0; row < tree.GetItemCount(); ++row) {
        _Node* node = shown[static_cast<size_t>(row)];
        if (tree.NodeFromRow(row) != node->m_item.hItem || node->m_pRowRecord != tree.GetItemAt(row))
            return ::testing::AssertionFailure() << "row " << row << " is not " << Label(tree, node->m_item.hItem)
                                                 << "; rows " << RowLabels(tree);
        if ((tree.GetSelection().Contains(row) != FALSE) != ((node->m_item.state & TVIS_SELECTED) != 0))
            return ::testing::AssertionFailure() << "selected bit of row " << row << " differs from its node";
    }
    return ::testing::AssertionSuccess();
}

// A created tree in an owner window that records the tree notifications.
class TreeFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 300, 200), &owner, kTreeId));
        RecordTree(owner, events);
    }
    std::string Events()
    {
        std::string out;
        for (const TreeEvent& e : events)
            out += "  " + NotifyName(e.code) + " action=" + std::to_string(e.action) + "\n";
        return out;
    }

    static const UINT kTreeId = 100;
    OwnerWindow owner;             // parent and notification window
    std::vector<TreeEvent> events; // tree notifications received by the owner (outlives the tree)
    TreeUnderTest tree;            // the control under test
};
