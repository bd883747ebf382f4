#include <gtest/gtest.h>
#include "treectrl/TreeItemNode.h"

TEST(ItemNode, StartsEmptyWithoutImagesAndKeepsExpansionInTheState)
{
    _Node node;
    const TVITEMW& item = node.m_item;
    EXPECT_TRUE(item.iImage == _Node::noImage && item.iSelectedImage == -12 && item.mask == 0 && item.hItem == nullptr
                && item.pszText == nullptr && item.state == 0 && item.cChildren == 0 && item.lParam == 0);
    EXPECT_TRUE(node.m_nPrefixWidth == 0 && node.m_nAttributes == 0 && node.m_nMinRowHeight == 0 && !node.m_bMarker);
    node.m_item.state = TVIS_BOLD;
    node.SetExpanded(TRUE);
    EXPECT_TRUE(node.IsExpanded() && item.state == (TVIS_BOLD | TVIS_EXPANDED));
    node.SetExpanded(FALSE);
    EXPECT_TRUE(!node.IsExpanded() && item.state == TVIS_BOLD);
}

TEST(ItemNode, OwnsACopyOfItsTextButNeverTheCallbackMarker)
{
    const LONG base = _Node::GetLiveTextCount();
    SECTreeNode* root = new _Node;
    auto* node = new _Node;
    SECTreeNode::AddChild(root, node, SECTreeNode::addLast);
    WCHAR source[] = L"label";
    node->SetText(source);
    source[0] = L'X';
    node->SetText(node->m_item.pszText); // copies before freeing the old text
    EXPECT_STREQ(L"label", node->m_item.pszText);
    EXPECT_EQ(base + 1, _Node::GetLiveTextCount());
    node->SetText(LPSTR_TEXTCALLBACKW);
    EXPECT_TRUE(node->IsTextCallback());
    EXPECT_EQ(base, _Node::GetLiveTextCount());
    auto* other = new _Node;
    SECTreeNode::AddChild(node, other, SECTreeNode::addLast);
    other->SetText(L"freed with the tree");
    delete root; // through the base: the item nodes' destructors run
    EXPECT_EQ(base, _Node::GetLiveTextCount());
}
