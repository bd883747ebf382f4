#include "treectrl/SECTreeNodeX.h"
#include <atomic>

namespace {
// Live nodes with a non-zero skip level, whichever thread owns them. While it
// is 0 no tree skips, so navigation need not climb to the topmost node.
std::atomic<LONG> g_nSkippingNodes{0};
} // namespace

SECTreeNodeX::SECTreeNodeX() : m_nSkipLevel(0) {}

SECTreeNodeX::~SECTreeNodeX()
{
    if (m_nSkipLevel != 0)
        --g_nSkippingNodes;
}

void SECTreeNodeX::SetSkipLevel(WORD nSkipLevel)
{
    if (m_nSkipLevel == 0 && nSkipLevel != 0)
        ++g_nSkippingNodes;
    else if (m_nSkipLevel != 0 && nSkipLevel == 0)
        --g_nSkippingNodes;
    m_nSkipLevel = nSkipLevel;
}

void SECTreeNodeX::GetDepthAndSkip(WORD& nDepth, WORD& nSkip) const
{
    nDepth = 0;
    nSkip = 0;
    if (g_nSkippingNodes.load(std::memory_order_relaxed) == 0)
        return;
    const SECTreeNode* pTop = this;
    while (pTop->GetRawParent() != nullptr) {
        pTop = pTop->GetRawParent();
        ++nDepth;
    }
    const SECTreeNodeX* pTopX = pTop == this ? this : dynamic_cast<const SECTreeNodeX*>(pTop);
    nSkip = pTopX != nullptr ? pTopX->m_nSkipLevel : 0;
}

BOOL SECTreeNodeX::IsAtSkipOffset(int nOffset) const
{
    WORD nDepth, nSkip;
    GetDepthAndSkip(nDepth, nSkip);
    return nSkip != 0 && nDepth == static_cast<WORD>(nSkip + nOffset);
}

SECTreeNode* SECTreeNodeX::GetParent() const
{
    SECTreeNode* pParent = GetRawParent();
    if (pParent == nullptr)
        return nullptr;
    if (IsAtSkipOffset(1))
        return pParent->GetRawParent();
    return pParent;
}

SECTreeNode* SECTreeNodeX::GetNextSibling() const
{
    if (GetRawNextSibling() != nullptr || GetRawParent() == nullptr)
        return GetRawNextSibling();
    if (!IsAtSkipOffset(1))
        return nullptr;
    // Continue with the children of the parent's next sibling.
    const SECTreeNode* pUncle = GetRawParent()->GetRawNextSibling();
    return pUncle != nullptr ? pUncle->GetRawFirstChild() : nullptr;
}

SECTreeNode* SECTreeNodeX::GetPrevSibling() const
{
    if (GetRawPrevSibling() != nullptr || GetRawParent() == nullptr)
        return GetRawPrevSibling();
    if (!IsAtSkipOffset(1))
        return nullptr;
    // Continue with the last child of the parent's previous sibling.
    const SECTreeNode* pUncle = GetRawParent()->GetRawPrevSibling();
    return pUncle != nullptr ? pUncle->GetRawLastChild() : nullptr;
}

SECTreeNode* SECTreeNodeX::GetFirstChild() const
{
    if (GetRawFirstChild() == nullptr)
        return nullptr;
    if (IsAtSkipOffset(-1))
        return GetRawFirstChild()->GetRawFirstChild();
    return GetRawFirstChild();
}
