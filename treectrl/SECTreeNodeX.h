// SECTreeNodeX: a tree node whose navigation can step over one depth of the
// hierarchy. The skip level k is read from the topmost node of the tree (found by
// raw parent links); when it is non-zero, the nodes at depth k drop out of
// navigation: their children appear as children of the node above them, and the
// children of consecutive depth-k siblings form one sibling run. The bridging
// goes one step only: a childless depth-k node ends the run, and a depth k-1 node
// whose first child is childless reports no children.
//
// With skip level 0 (the default) it navigates exactly like SECTreeNode. A
// topmost node that is not an SECTreeNodeX counts as skip level 0. While no
// node of the process has a skip level, navigation answers the raw links
// without looking for the topmost node.
#pragma once
#include "treectrl/SECTreeNode.h"

class MORVA_API SECTreeNodeX : public SECTreeNode
{
public:
    SECTreeNodeX();
    ~SECTreeNodeX() override;

    // Attributes; read only on the topmost node of a tree.
    WORD GetSkipLevel() const { return m_nSkipLevel; }
    void SetSkipLevel(WORD nSkipLevel);

    // Navigation with level skipping
    SECTreeNode* GetParent() const override;
    SECTreeNode* GetNextSibling() const override;
    SECTreeNode* GetPrevSibling() const override;
    SECTreeNode* GetFirstChild() const override;

private:
    // Depth of this node (raw parent links, 16-bit) and the tree's skip level;
    // both 0 while no node has a skip level.
    void GetDepthAndSkip(WORD& nDepth, WORD& nSkip) const;
    // Whether the tree skips a level and this node sits nOffset levels below
    // the skipped one (1: its children, which bridge; -1: its parent).
    BOOL IsAtSkipOffset(int nOffset) const;

    WORD m_nSkipLevel; // depth that navigation steps over; 0 for none
};
