// SECTreeNode: a node of the tree layer's hierarchy, linked to its neighbours by
// plain pointers (parent, next and previous sibling, first child). A tree item
// handle is the address of its node.
//
// Ownership: a node owns its descendants and deletes them when it is destroyed,
// so every node linked below another must have been allocated with new. The
// links do not own each other otherwise; the setters store one pointer and never
// fix the opposite link. Destroying a node does not unlink it from its own parent
// and siblings: Detach it first.
//
// Navigation helpers go through the virtual link getters, so they see the level
// skipping of SECTreeNodeX; Detach and AddChild work on the raw links.
#pragma once
#include <windows.h>
#include "framework/MorvaApi.h"

class MORVA_API SECTreeNode
{
public:
    // Positions for AddChild besides a node after which to insert.
    enum : UINT_PTR
    {
        addFirst = 0,    // before the current first child
        addLast = 1,     // after the current last child
        addLastAlso = 2, // same as addLast
    };

    // Construction
    SECTreeNode();
    // Deletes all descendants with DeleteDescendants.
    virtual ~SECTreeNode();
    SECTreeNode(const SECTreeNode&) = delete;
    SECTreeNode& operator=(const SECTreeNode&) = delete;

    // Links as navigation sees them
    virtual SECTreeNode* GetParent() const;
    virtual SECTreeNode* GetNextSibling() const;
    virtual SECTreeNode* GetPrevSibling() const;
    virtual SECTreeNode* GetFirstChild() const;
    virtual void SetParent(SECTreeNode* pNode);
    virtual void SetNextSibling(SECTreeNode* pNode);
    virtual void SetPrevSibling(SECTreeNode* pNode);
    virtual void SetFirstChild(SECTreeNode* pNode);
    // Answers 0 in every node class; kept for the layout of the interface,
    // nothing calls it.
    virtual int GetNodeType() const;
    virtual BOOL IsExpanded() const;
    virtual void SetExpanded(BOOL bExpanded);

    // Raw links, bypassing any level skipping
    SECTreeNode* GetRawParent() const { return m_pParent; }
    SECTreeNode* GetRawNextSibling() const { return m_pNextSibling; }
    SECTreeNode* GetRawPrevSibling() const { return m_pPrevSibling; }
    SECTreeNode* GetRawFirstChild() const { return m_pFirstChild; }

    // Navigation
    // Number of GetParent steps to the top, counted in 16 bits.
    WORD GetLevel() const;
    // End of the sibling run; the node itself when it has no next sibling.
    SECTreeNode* GetLastSibling() const;
    // Null for a leaf.
    SECTreeNode* GetLastChild() const;
    // Last node of the subtree in pre-order; the node itself for a leaf.
    SECTreeNode* GetLastDescendant() const;
    // Null without a raw first child; else the first childless node reached by
    // following GetFirstChild from the first child.
    SECTreeNode* GetFirstLeaf() const;
    // Pre-order successor and predecessor; null past either end.
    SECTreeNode* GetNextInOrder() const;
    SECTreeNode* GetPrevInOrder() const;
    // TRUE when this node is met on pNode's GetParent chain (a node is not its
    // own ancestor). Handles from owners may be stale, so pNode and each raw
    // ancestor up to this node must lie wholly in committed memory that is
    // readable and writable (PAGE_READWRITE, PAGE_WRITECOPY or their executable
    // forms, not PAGE_GUARD) for the size of an SECTreeNode, checked with
    // VirtualQuery; otherwise the answer is FALSE. Memory that was freed but is
    // still mapped, e.g. a heap block awaiting reuse, passes this test: it
    // catches released pages and pointers that were never nodes, not every
    // dangling pointer.
    BOOL IsAncestorOf(const SECTreeNode* pNode) const;

    // Deletes all descendants: children before their parents, the leftmost
    // deepest leaf first, each detached before it is deleted. Iterative, so
    // depth does not strain the stack. The destructor calls it after the
    // derived destructors ran; a derived node whose cleanup needs the subtree
    // gone first calls it itself.
    void DeleteDescendants();

    // Linking
    // Unlinks the node from its parent and siblings. Its own sibling links are
    // left as they were; its parent link becomes null.
    void Detach();
    // Links pChild under pParent at nPosition: addFirst, addLast (or
    // addLastAlso), or PositionAfter(node) for a child of pParent. FALSE when
    // that node is not a child of pParent (pChild's parent link is set anyway),
    // or for a null or identical parent and child.
    static BOOL AddChild(SECTreeNode* pParent, SECTreeNode* pChild, UINT_PTR nPosition);
    // The AddChild position that inserts after pAfter.
    static UINT_PTR PositionAfter(const SECTreeNode* pAfter)
    {
        return reinterpret_cast<UINT_PTR>(pAfter);
    }

    // Whether the memory of a node at pNode can be read and written; see
    // IsAncestorOf.
    static BOOL IsNodeMemoryUsable(const void* pNode);

protected:
    SECTreeNode* m_pParent;      // null for the topmost node
    SECTreeNode* m_pNextSibling; // null for the last child
    SECTreeNode* m_pPrevSibling; // null for the first child
    SECTreeNode* m_pFirstChild;  // null for a leaf
};
