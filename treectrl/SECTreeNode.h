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
//
// Appending: a parent remembers its last child, so that AddChild at the last
// position costs a constant instead of a walk along the siblings. The memo is
// trusted only while no link was written outside AddChild and Detach (through
// the setters, say) anywhere since it was taken, and only when the run it was
// taken from was consistent (every child's parent link and back link right);
// otherwise AddChild walks as before and takes the memo anew. Either way the
// links come out exactly as the walk makes them.
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

    // Nodes live in the list's small-block pool, which charges no header
    // per block (a tree holds one node per item); placement forms are kept
    // for hosts that place nodes in memory of their own.
    static void* operator new(size_t cb);
    static void operator delete(void* p) noexcept;
    static void* operator new(size_t, void* pWhere) noexcept { return pWhere; }
    static void operator delete(void*, void*) noexcept {}

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
    // End of the raw sibling run below this node (null for a leaf): the
    // remembered last child when it can be trusted, else a walk, which also
    // remembers what it found when the run is consistent.
    SECTreeNode* GetRawLastChild() const;

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
    // AddChild(pParent, pChild, PositionAfter(pAfter)) without the search for
    // pAfter: the caller knows that pAfter is a child of pParent, linked by
    // AddChild (a control's own bookkeeping, for instance).
    static void AddChildAfterKnown(SECTreeNode* pParent, SECTreeNode* pChild, SECTreeNode* pAfter);

    // Whether the memory of a node at pNode can be read and written; see
    // IsAncestorOf.
    static BOOL IsNodeMemoryUsable(const void* pNode);

private:
    // Every link is written here, so that the last-child memo can be trusted.
    // A write that may leave a memo wrong (any setter, an AddChild that fails
    // or takes a node still linked, a Detach of a node its neighbours do not
    // point back to) makes every memo of the process untrusted.
    static void DistrustLastChildren();
    // The memo, when it can be trusted; null otherwise.
    SECTreeNode* TrustedLastChild() const;
    void RememberLastChild(SECTreeNode* pLast) const;
    // The last child by walking the run; remembers it when the run is consistent.
    SECTreeNode* WalkToLastChild() const;
    // AddChild's linking once the arguments passed.
    static BOOL LinkChild(SECTreeNode* pParent, SECTreeNode* pChild, UINT_PTR nPosition);
    // Links pChild (whose parent link is set) after pAfter, a child of pParent.
    static void LinkAfter(SECTreeNode* pParent, SECTreeNode* pChild, SECTreeNode* pAfter);

    SECTreeNode* m_pParent;      // null for the topmost node
    SECTreeNode* m_pNextSibling; // null for the last child
    SECTreeNode* m_pPrevSibling; // null for the first child
    SECTreeNode* m_pFirstChild;  // null for a leaf
    mutable SECTreeNode* m_pLastChild; // remembered end of the child run; see TrustedLastChild
    mutable UINT m_nLastChildEra;      // the link era the memo was taken in; 0 for none
};
