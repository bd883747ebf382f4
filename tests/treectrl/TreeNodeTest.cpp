// Nodes without a control. Named nodes have skip level 0 unless set, so they
// also show that such nodes navigate by the raw links.
#include <memory>
#include <new>
#include "treectrl/TreeTestSupport.h"

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
    node->SetText(LPSTR_TEXTCALLBACKW);
    EXPECT_TRUE(node->IsTextCallback() && _Node::GetLiveTextCount() == base);
    node->SetText(L"freed with the tree");
    // The renderer's label cache exists only once asked for, and goes with the node.
    EXPECT_TRUE(node->FindLabelCache() == nullptr && !node->HasMarker());
    node->GetLabelCache().m_bMarker = TRUE;
    EXPECT_TRUE(node->HasMarker() && node->FindLabelCache() == &node->GetLabelCache());
    delete root; // through the base: the item nodes' destructors run
    EXPECT_EQ(base, _Node::GetLiveTextCount());
}

TEST(TreeNode, NavigationAndDestructionOrder)
{
    std::vector<std::string> log;
    TestTree t("r(a(a1(x y) a2(z)) b c(c1))", &log);
    EXPECT_EQ("r a a1 x y a2 z b c c1 | c1 c b z a2 y x a1 a r", t.Walk());
    EXPECT_EQ("c a2 - y x - r", Names({t["a"]->GetLastSibling(), t["a"]->GetLastChild(), t["b"]->GetLastChild(),
                                       t["a1"]->GetLastDescendant(), t.m_pRoot->GetFirstLeaf(), t["b"]->GetFirstLeaf(),
                                       t["y"]->GetParent()->GetParent()->GetParent()}));
    EXPECT_TRUE(t["y"]->GetLevel() == 3 && t.m_pRoot->IsAncestorOf(t["y"]));
    EXPECT_FALSE(t["y"]->IsAncestorOf(t["a"]) || t["b"]->IsAncestorOf(t["y"]) || t["a"]->IsAncestorOf(t["a"])
                 || t["a"]->IsAncestorOf(nullptr));
    t["a"]->Detach();
    delete t["a"];
    EXPECT_EQ((std::vector<std::string>{"x", "y", "a1", "z", "a2", "a"}), log) << "leaves first, the node last";
    EXPECT_EQ("r b c c1 | c1 c b r", t.Walk());
    NamedNode stray("stray", nullptr);
    EXPECT_FALSE(SECTreeNode::AddChild(nullptr, &stray, SECTreeNode::addLast) ||
                 SECTreeNode::AddChild(&stray, &stray, SECTreeNode::addLast));
}

TEST(TreeNode, DeepAndWideTreesAreHandledIteratively)
{
    struct Counted : SECTreeNode
    {
        explicit Counted(int* pCount) : m_pCount(pCount) {}
        ~Counted() override { ++*m_pCount; }
        int* m_pCount; // incremented on destruction
    };
    int destroyed = 0;
    SECTreeNode *top = new Counted(&destroyed), *wide = new Counted(&destroyed), *bottom = top;
    for (int i = 0; i < 10000; ++i, bottom = bottom->GetFirstChild())
        SECTreeNode::AddChild(bottom, new Counted(&destroyed), SECTreeNode::addLast);
    for (int i = 0; i < 100000; ++i)
        SECTreeNode::AddChild(wide, new Counted(&destroyed), SECTreeNode::addFirst);
    EXPECT_TRUE(bottom->GetLevel() == 10000 && bottom->GetNextInOrder() == nullptr);
    EXPECT_TRUE(top->IsAncestorOf(bottom) && top->GetLastDescendant() == bottom);
    const ULONGLONG start = GetTickCount64();
    delete top;
    delete wide;
    EXPECT_LT(GetTickCount64() - start, 2000u);
    EXPECT_EQ(110002, destroyed);
}

TEST(TreeNode, IsAncestorOfRejectsStaleAndForeignPointers)
{
    TestTree t("r");
    SECTreeNode* r = t.m_pRoot;
    const SIZE_T page = 4096;
    auto* mem = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * page, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    DWORD old;
    SECTreeNode* first = new (mem) SECTreeNode;
    SECTreeNode* split = new (mem + page - 16) SECTreeNode; // straddles both pages
    NamedNode below("below", nullptr);
    SECTreeNode::AddChild(r, first, SECTreeNode::addLast);
    SECTreeNode::AddChild(r, split, SECTreeNode::addLast);
    SECTreeNode::AddChild(first, &below, SECTreeNode::addLast);
    EXPECT_TRUE(r->IsAncestorOf(split) && r->IsAncestorOf(&below));
    VirtualProtect(mem + page, page, PAGE_READONLY, &old);
    EXPECT_TRUE(r->IsAncestorOf(first) && !r->IsAncestorOf(split));
    VirtualProtect(mem, page, PAGE_READWRITE | PAGE_GUARD, &old);
    EXPECT_FALSE(r->IsAncestorOf(first) || r->IsAncestorOf(&below));
    VirtualFree(mem, 0, MEM_RELEASE); // as if the nodes had been deleted
    EXPECT_FALSE(r->IsAncestorOf(first) || r->IsAncestorOf(&below));
    EXPECT_FALSE(r->IsAncestorOf(reinterpret_cast<SECTreeNode*>(0x10)));
    r->SetFirstChild(nullptr);
    below.SetParent(nullptr);
    EXPECT_FALSE(SECTreeNode::IsNodeMemoryUsable(L"read-only data of the image"));
}

TEST(SkipLevel, BridgesTheSkippedLevelsChildrenOneStepAndIsReadFromTheTopmostNode)
{
    TestTree t("r(a(a1 a2) b(b1 b2) c d(d1))");
    t.m_pRoot->SetSkipLevel(1);
    // Childless c ends the run both ways, although d has children.
    EXPECT_EQ("a1 r b1 a2 - -", Names({t.m_pRoot->GetFirstChild(), t["a1"]->GetParent(), t["a2"]->GetNextSibling(),
                                       t["b1"]->GetPrevSibling(), t["b2"]->GetNextSibling(),
                                       t["d1"]->GetPrevSibling()}));
    EXPECT_EQ("r a1 a2 b1 b2 | b2 b1 a2 a1 r", t.Walk());
    // Skipped nodes keep their raw links but are no one's ancestor.
    EXPECT_EQ("r a1", Names({t["a"]->GetParent(), t["a"]->GetFirstChild()}));
    EXPECT_TRUE(t["a1"]->GetLevel() == 1 && t.m_pRoot->IsAncestorOf(t["a1"]) && !t["a"]->IsAncestorOf(t["a1"]));

    TestTree v("r(a(p(p1 p2) q(q1) s t(t1)) b)");
    v.m_pRoot->SetSkipLevel(2);
    EXPECT_EQ("a p1 a q1 p2 - -", Names({v.m_pRoot->GetFirstChild(), v["a"]->GetFirstChild(), v["q1"]->GetParent(),
                                         v["p2"]->GetNextSibling(), v["q1"]->GetPrevSibling(),
                                         v["q1"]->GetNextSibling(), v["t1"]->GetPrevSibling()}));
    EXPECT_EQ("r a p1 p2 q1 b | b q1 p2 p1 a r", v.Walk());
    EXPECT_EQ(2, v["q1"]->GetLevel());

    std::vector<std::string> log;
    TestTree w("r(a(a1(w)) b(b1))", &log);
    w["a"]->SetSkipLevel(1);
    EXPECT_EQ("r a a1 w b b1 | b1 b w a1 a r", w.Walk()) << "below the root";
    w["a"]->Detach(); // now a tree of its own
    EXPECT_EQ("w a", Names({w["a"]->GetFirstChild(), w["w"]->GetParent()}));
    delete w["a"]; // destruction ignores the skipping
    EXPECT_EQ((std::vector<std::string>{"w", "a1", "a"}), log);
}
