// SECTreeNodeX: a tree node whose navigation can step over one depth of the
// hierarchy. The skip level k is read from the topmost node of the tree (found by
// raw parent links); when it is non-zero, the nodes at depth k drop out of
// navigation: their children appear as children of the node above them, and the
// children of consecutive depth-k siblings form one sibling run. The bridging
// goes one step only: a childless depth-k node ends the run, and a depth k-1 node
// whose first child is childless reports no children.
//
// With skip level 0 (the default) it navigates exactly like SECTreeNode. A
// topmost node that is not an SECTreeNodeX counts as skip level 0.
#pragma once
#include "treectrl/SECTreeNode.h"

class MORVA_API SECTreeNodeX : public SECTreeNode
{
public:
    SECTreeNodeX();

    // Attributes; read only on the topmost node of a tree.
    WORD GetSkipLevel() const { return m_nSkipLevel; }
    void SetSkipLevel(WORD nSkipLevel) { m_nSkipLevel = nSkipLevel; }

    // Navigation with level skipping
    SECTreeNode* GetParent() const override;
    SECTreeNode* GetNextSibling() const override;
    SECTreeNode* GetPrevSibling() const override;
    SECTreeNode* GetFirstChild() const override;

private:
    // Depth of this node (raw parent links, 16-bit) and the tree's skip level.
    void GetDepthAndSkip(WORD& nDepth, WORD& nSkip) const;

    WORD m_nSkipLevel; // depth that navigation steps over; 0 for none
};
