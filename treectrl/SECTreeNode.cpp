#include "treectrl/SECTreeNode.h"
#include <atomic>
#include "listctrl/SECListPool.h"

namespace {
// The link era: it moves on whenever a link is written in a way that may leave
// a remembered last child wrong, which makes every memo taken before untrusted.
// Eras start at 1, so that a node's 0 means no memo. Shared by the nodes of
// every thread; a move caused elsewhere only costs a walk.
std::atomic<UINT> g_nLinkEra{1};
} // namespace

SECTreeNode::SECTreeNode()
    : m_pParent(nullptr), m_pNextSibling(nullptr), m_pPrevSibling(nullptr), m_pFirstChild(nullptr),
      m_pLastChild(nullptr), m_nLastChildEra(0)
{
}

void SECTreeNode::DistrustLastChildren()
{
    if (g_nLinkEra.fetch_add(1, std::memory_order_relaxed) + 1 == 0)
        g_nLinkEra.fetch_add(1, std::memory_order_relaxed); // 0 stays "no memo"
}

SECTreeNode* SECTreeNode::TrustedLastChild() const
{
    if (m_nLastChildEra != g_nLinkEra.load(std::memory_order_relaxed))
        return nullptr;
    SECTreeNode* pLast = m_pLastChild;
    // Cheap checks on top of the era: what they reject cannot happen while the
    // era holds, but they cost next to nothing.
    if (pLast == nullptr || pLast->m_pParent != this || pLast->m_pNextSibling != nullptr)
        return nullptr;
    return pLast;
}

void SECTreeNode::RememberLastChild(SECTreeNode* pLast) const
{
    m_pLastChild = pLast;
    m_nLastChildEra = pLast != nullptr ? g_nLinkEra.load(std::memory_order_relaxed) : 0;
}

SECTreeNode* SECTreeNode::WalkToLastChild() const
{
    SECTreeNode* pLast = m_pFirstChild;
    if (pLast == nullptr)
        return nullptr;
    BOOL bConsistent = pLast->m_pPrevSibling == nullptr;
    for (;;) {
        bConsistent = bConsistent && pLast->m_pParent == this;
        SECTreeNode* pNext = pLast->m_pNextSibling;
        if (pNext == nullptr)
            break;
        bConsistent = bConsistent && pNext->m_pPrevSibling == pLast;
        pLast = pNext;
    }
    if (bConsistent)
        RememberLastChild(pLast);
    return pLast;
}

SECTreeNode* SECTreeNode::GetRawLastChild() const
{
    if (SECTreeNode* pLast = TrustedLastChild())
        return pLast;
    return WalkToLastChild();
}

SECTreeNode::~SECTreeNode() { DeleteDescendants(); }

void SECTreeNode::DeleteDescendants()
{
    // Repeatedly delete the first leaf. The search resumes at the parent of the
    // leaf just deleted rather than at this node, which keeps the order (children
    // before parents, leftmost deepest first) while making a deep chain linear.
    // Raw links are used: from the destructor, the derived parts of this node
    // (e.g. a skip level read by navigation) are already gone.
    SECTreeNode* pFrom = this;
    while (m_pFirstChild != nullptr) {
        // Descending through first-child links also settles the parent links on
        // the way, so that an inconsistent parent link cannot stall the loop.
        while (pFrom->m_pFirstChild != nullptr) {
            if (pFrom->m_pFirstChild->m_pParent != pFrom) {
                DistrustLastChildren();
                pFrom->m_pFirstChild->m_pParent = pFrom;
            }
            pFrom = pFrom->m_pFirstChild;
        }
        SECTreeNode* pLeaf = pFrom;
        pFrom = pLeaf->m_pParent;
        pLeaf->Detach();
        delete pLeaf;
    }
}

SECTreeNode* SECTreeNode::GetParent() const { return m_pParent; }
SECTreeNode* SECTreeNode::GetNextSibling() const { return m_pNextSibling; }
SECTreeNode* SECTreeNode::GetPrevSibling() const { return m_pPrevSibling; }
SECTreeNode* SECTreeNode::GetFirstChild() const { return m_pFirstChild; }
// The setters may build anything; remembered last children are not trusted after.
void SECTreeNode::SetParent(SECTreeNode* pNode)
{
    DistrustLastChildren();
    m_pParent = pNode;
}

void SECTreeNode::SetNextSibling(SECTreeNode* pNode)
{
    DistrustLastChildren();
    m_pNextSibling = pNode;
}

void SECTreeNode::SetPrevSibling(SECTreeNode* pNode)
{
    DistrustLastChildren();
    m_pPrevSibling = pNode;
}

void SECTreeNode::SetFirstChild(SECTreeNode* pNode)
{
    DistrustLastChildren();
    m_pFirstChild = pNode;
}
int SECTreeNode::GetNodeType() const { return 0; }
BOOL SECTreeNode::IsExpanded() const { return FALSE; }
void SECTreeNode::SetExpanded(BOOL /*bExpanded*/) {}

// Navigation ------------------------------------------------------------------

WORD SECTreeNode::GetLevel() const
{
    WORD nLevel = 0;
    for (const SECTreeNode* pNode = GetParent(); pNode != nullptr; pNode = pNode->GetParent())
        ++nLevel;
    return nLevel;
}

SECTreeNode* SECTreeNode::GetLastSibling() const
{
    const SECTreeNode* pNode = this;
    for (SECTreeNode* pNext = pNode->GetNextSibling(); pNext != nullptr; pNext = pNext->GetNextSibling())
        pNode = pNext;
    return const_cast<SECTreeNode*>(pNode);
}

SECTreeNode* SECTreeNode::GetLastChild() const
{
    const SECTreeNode* pChild = GetFirstChild();
    return pChild != nullptr ? pChild->GetLastSibling() : nullptr;
}

SECTreeNode* SECTreeNode::GetLastDescendant() const
{
    const SECTreeNode* pNode = this;
    for (SECTreeNode* pChild = pNode->GetFirstChild(); pChild != nullptr; pChild = pNode->GetFirstChild())
        pNode = pChild->GetLastSibling();
    return const_cast<SECTreeNode*>(pNode);
}

SECTreeNode* SECTreeNode::GetFirstLeaf() const
{
    SECTreeNode* pNode = m_pFirstChild;
    if (pNode == nullptr)
        return nullptr;
    for (SECTreeNode* pChild = pNode->GetFirstChild(); pChild != nullptr; pChild = pNode->GetFirstChild())
        pNode = pChild;
    return pNode;
}

SECTreeNode* SECTreeNode::GetNextInOrder() const
{
    if (SECTreeNode* pChild = GetFirstChild())
        return pChild;
    for (const SECTreeNode* pNode = this; pNode != nullptr; pNode = pNode->GetParent()) {
        if (SECTreeNode* pNext = pNode->GetNextSibling())
            return pNext;
    }
    return nullptr;
}

SECTreeNode* SECTreeNode::GetPrevInOrder() const
{
    if (const SECTreeNode* pPrev = GetPrevSibling())
        return pPrev->GetLastDescendant();
    return GetParent();
}

BOOL SECTreeNode::IsNodeMemoryUsable(const void* pNode)
{
    if (pNode == nullptr)
        return FALSE;
    const UINT_PTR nStart = reinterpret_cast<UINT_PTR>(pNode);
    const UINT_PTR nEnd = nStart + sizeof(SECTreeNode);
    if (nEnd < nStart)
        return FALSE;
    // The block may span regions (pages with different attributes); each part
    // must qualify.
    for (UINT_PTR nAt = nStart; nAt < nEnd;) {
        MEMORY_BASIC_INFORMATION info{};
        if (VirtualQuery(reinterpret_cast<LPCVOID>(nAt), &info, sizeof(info)) != sizeof(info))
            return FALSE;
        if (info.State != MEM_COMMIT || (info.Protect & PAGE_GUARD) != 0)
            return FALSE;
        const DWORD nAccess = info.Protect & ~(PAGE_NOCACHE | PAGE_WRITECOMBINE);
        if (nAccess != PAGE_READWRITE && nAccess != PAGE_WRITECOPY && nAccess != PAGE_EXECUTE_READWRITE
            && nAccess != PAGE_EXECUTE_WRITECOPY)
            return FALSE;
        const UINT_PTR nRegionEnd = reinterpret_cast<UINT_PTR>(info.BaseAddress) + info.RegionSize;
        if (nRegionEnd <= nAt)
            return FALSE;
        nAt = nRegionEnd;
    }
    return TRUE;
}

BOOL SECTreeNode::IsAncestorOf(const SECTreeNode* pNode) const
{
    // Check the raw chain up to this node first: navigation of a derived node
    // may read every raw ancestor, and the navigated chain is part of the raw one.
    // A stale pointer may lead into freed memory whose "parent" words form a
    // ring (a heap's free list does): a mark that jumps ahead at powers of two
    // meets such a ring, which ends the walk.
    const SECTreeNode* pRaw = pNode;
    const SECTreeNode* pMark = pNode;
    size_t nRun = 0;
    size_t nPower = 1;
    while (pRaw != nullptr && pRaw != this) {
        if (!IsNodeMemoryUsable(pRaw))
            return FALSE;
        pRaw = pRaw->m_pParent;
        if (pRaw == pMark)
            return FALSE;
        if (++nRun == nPower) {
            pMark = pRaw;
            nPower *= 2;
            nRun = 0;
        }
    }
    if (pRaw == nullptr || pNode == this)
        return FALSE;
    for (const SECTreeNode* pAncestor = pNode->GetParent(); pAncestor != nullptr;
         pAncestor = pAncestor->GetParent()) {
        if (pAncestor == this)
            return TRUE;
    }
    return FALSE;
}

// Linking -----------------------------------------------------------------------

void SECTreeNode::Detach()
{
    // Only a node its neighbours (and its parent, for a first child) point
    // back to leaves every other run as it was.
    const BOOL bLinked = m_pParent != nullptr
                         && (m_pPrevSibling != nullptr
                                 ? m_pPrevSibling->m_pNextSibling == this && m_pParent->m_pFirstChild != this
                                 : m_pParent->m_pFirstChild == this)
                         && (m_pNextSibling == nullptr || m_pNextSibling->m_pPrevSibling == this);
    if (!bLinked && (m_pParent != nullptr || m_pNextSibling != nullptr || m_pPrevSibling != nullptr))
        DistrustLastChildren();
    if (m_pNextSibling != nullptr)
        m_pNextSibling->m_pPrevSibling = m_pPrevSibling;
    if (m_pPrevSibling != nullptr)
        m_pPrevSibling->m_pNextSibling = m_pNextSibling;
    if (m_pParent != nullptr) {
        if (m_pParent->m_pFirstChild == this)
            m_pParent->m_pFirstChild = m_pNextSibling;
        if (m_pParent->m_pLastChild == this)
            m_pParent->m_pLastChild = m_pPrevSibling; // the era stays: still right when it was
    }
    m_pParent = nullptr;
}

BOOL SECTreeNode::AddChild(SECTreeNode* pParent, SECTreeNode* pChild, UINT_PTR nPosition)
{
    if (pParent == nullptr || pChild == nullptr || pParent == pChild)
        return FALSE;
    // A child still linked somewhere leaves that run (and maybe this one) to
    // the walk, from now on.
    if (pChild->m_pParent != nullptr) {
        DistrustLastChildren();
        const BOOL bResult = LinkChild(pParent, pChild, nPosition);
        DistrustLastChildren();
        return bResult;
    }
    return LinkChild(pParent, pChild, nPosition);
}

BOOL SECTreeNode::LinkChild(SECTreeNode* pParent, SECTreeNode* pChild, UINT_PTR nPosition)
{
    // The child's parent link is written last, so that the walk below sees a
    // child that sits in the run already as the inconsistency it is.
    SECTreeNode* pFirst = pParent->m_pFirstChild;
    if (pFirst == nullptr) {
        pChild->m_pParent = pParent;
        pParent->m_pFirstChild = pChild;
        pChild->m_pPrevSibling = nullptr;
        pChild->m_pNextSibling = nullptr;
        pParent->RememberLastChild(pChild);
        return TRUE;
    }
    switch (nPosition) {
    case addFirst:
        if (pFirst->m_pParent != pParent)
            DistrustLastChildren(); // the first child belongs to another run as well
        pChild->m_pParent = pParent;
        pChild->m_pPrevSibling = nullptr;
        pChild->m_pNextSibling = pFirst;
        pFirst->m_pPrevSibling = pChild;
        pParent->m_pFirstChild = pChild;
        return TRUE;
    case addLast:
    case addLastAlso: {
        SECTreeNode* pLast = pParent->TrustedLastChild();
        if (pLast == nullptr) {
            pLast = pParent->WalkToLastChild();
            // An inconsistent run may be the tail of another parent's run too.
            if (pParent->TrustedLastChild() != pLast)
                DistrustLastChildren();
        }
        const BOOL bTrusted = pParent->TrustedLastChild() == pLast;
        pChild->m_pParent = pParent;
        pLast->m_pNextSibling = pChild;
        pChild->m_pPrevSibling = pLast;
        pChild->m_pNextSibling = nullptr;
        if (bTrusted)
            pParent->RememberLastChild(pChild);
        return TRUE;
    }
    default:
        break;
    }
    // Compare addresses only: the position need not be a live node.
    SECTreeNode* pAfter = pFirst;
    while (pAfter != nullptr && reinterpret_cast<UINT_PTR>(pAfter) != nPosition)
        pAfter = pAfter->m_pNextSibling;
    pChild->m_pParent = pParent;
    if (pAfter == nullptr) {
        DistrustLastChildren(); // the child's parent link is set, but it is in no run
        return FALSE;
    }
    if (pAfter->m_pParent != pParent)
        DistrustLastChildren();
    LinkAfter(pParent, pChild, pAfter);
    return TRUE;
}

void SECTreeNode::AddChildAfterKnown(SECTreeNode* pParent, SECTreeNode* pChild, SECTreeNode* pAfter)
{
    const BOOL bMoved = pChild->m_pParent != nullptr;
    if (bMoved)
        DistrustLastChildren();
    pChild->m_pParent = pParent;
    LinkAfter(pParent, pChild, pAfter);
    if (bMoved)
        DistrustLastChildren();
}

void SECTreeNode::LinkAfter(SECTreeNode* pParent, SECTreeNode* pChild, SECTreeNode* pAfter)
{
    const BOOL bWasLast = pParent->TrustedLastChild() == pAfter;
    SECTreeNode* pNext = pAfter->m_pNextSibling;
    pChild->m_pNextSibling = pNext;
    pChild->m_pPrevSibling = pAfter;
    if (pNext != nullptr)
        pNext->m_pPrevSibling = pChild;
    pAfter->m_pNextSibling = pChild;
    if (bWasLast)
        pParent->RememberLastChild(pChild);
}

void* SECTreeNode::operator new(size_t cb)
{
    return SECListPool::Allocate(cb);
}

void SECTreeNode::operator delete(void* p) noexcept
{
    SECListPool::Free(p);
}
