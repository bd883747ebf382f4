#include <gtest/gtest.h>
#include <memory>
#include <new>
#include "tests/treectrl/TestTree.h"

// The named nodes are SECTreeNodeX with skip level 0: these tests also show that
// such nodes navigate by the raw links.

TEST(TreeNode, Navigation)
{
    TestTree t("r(a(a1(x y) a2) b c(c1))");
    EXPECT_EQ("r a a1 x y a2 b c c1", t.Walk());
    EXPECT_EQ("c1 c b a2 y x a1 a r", t.Walk(false));
    EXPECT_EQ("c a2 - y", NameOf(t["a"]->GetLastSibling()) + " " + NameOf(t["a"]->GetLastChild()) + " "
                              + NameOf(t["b"]->GetLastChild()) + " " + NameOf(t["a1"]->GetLastDescendant()));
    EXPECT_EQ("x -", NameOf(t.m_pRoot->GetFirstLeaf()) + " " + NameOf(t["b"]->GetFirstLeaf()));
    EXPECT_EQ(3, t["y"]->GetLevel());
    EXPECT_TRUE(t.m_pRoot->IsAncestorOf(t["y"]));
    EXPECT_FALSE(t["y"]->IsAncestorOf(t["a"]) || t["b"]->IsAncestorOf(t["y"]) || t["a"]->IsAncestorOf(t["a"])
                 || t["a"]->IsAncestorOf(nullptr));
}

TEST(TreeNode, DetachAndAddChild)
{
    TestTree t("r(a b c)");
    std::unique_ptr<SECTreeNode> a(t["a"]), b(t["b"]), c(t["c"]);
    b->Detach();
    EXPECT_EQ("r a c", t.Walk());
    EXPECT_TRUE(b->GetParent() == nullptr && b->GetPrevSibling() == a.get()); // own sibling links stay
    a->Detach(); // a first child: the parent's first-child link moves on
    EXPECT_TRUE(t.m_pRoot->GetFirstChild() == c.get() && c->GetPrevSibling() == nullptr);
    c->Detach(); // the only child
    EXPECT_EQ(nullptr, t.m_pRoot->GetFirstChild());

    using N = SECTreeNode;
    EXPECT_TRUE(N::AddChild(t.m_pRoot, b.release(), N::PositionAfter(a.get()))); // childless parent: any position
    EXPECT_TRUE(N::AddChild(t.m_pRoot, a.release(), N::addFirst));
    EXPECT_TRUE(N::AddChild(t.m_pRoot, new NamedNode("l", nullptr), N::addLast));
    EXPECT_TRUE(N::AddChild(t.m_pRoot, new NamedNode("l2", nullptr), N::addLastAlso));
    EXPECT_TRUE(N::AddChild(t.m_pRoot, c.release(), N::PositionAfter(t["b"])));
    EXPECT_EQ("l2 l c b a r", t.Walk(false));

    NamedNode stray("stray", nullptr); // after a node that is not a child: fails, parent link set
    EXPECT_FALSE(N::AddChild(t.m_pRoot, &stray, N::PositionAfter(t.m_pRoot)));
    EXPECT_EQ(t.m_pRoot, stray.GetRawParent());
    EXPECT_EQ("r a b c l l2", t.Walk());
    stray.SetParent(nullptr);
    EXPECT_FALSE(N::AddChild(nullptr, &stray, N::addLast) || N::AddChild(&stray, &stray, N::addLast));
}

TEST(TreeNode, DestructionDeletesLeavesFirstAndTheNodeLast)
{
    std::vector<std::string> log;
    TestTree t("r(a(a1(x y) a2(z)) b)", &log);
    t["a"]->Detach();
    delete t["a"];
    EXPECT_EQ((std::vector<std::string>{"x", "y", "a1", "z", "a2", "a"}), log);
    EXPECT_EQ("r b", t.Walk());
}

TEST(TreeNode, DeepAndWideTreesAreHandledIteratively)
{
    struct Counted : SECTreeNode
    {
        explicit Counted(int* pCount) : m_pCount(pCount) {}
        ~Counted() override { ++*m_pCount; }
        int* m_pCount; // incremented on destruction
    };
    const int kDepth = 10000, kWidth = 100000;
    int destroyed = 0;
    SECTreeNode* top = new Counted(&destroyed);
    SECTreeNode* bottom = top;
    for (int i = 0; i < kDepth; ++i, bottom = bottom->GetFirstChild())
        SECTreeNode::AddChild(bottom, new Counted(&destroyed), SECTreeNode::addLast);
    EXPECT_EQ(kDepth, bottom->GetLevel());
    EXPECT_TRUE(bottom->GetNextInOrder() == nullptr && top->IsAncestorOf(bottom) && top->GetLastDescendant() == bottom);
    ULONGLONG start = GetTickCount64();
    delete top;
    EXPECT_LT(GetTickCount64() - start, 500u);

    SECTreeNode* wide = new Counted(&destroyed);
    for (int i = 0; i < kWidth; ++i)
        SECTreeNode::AddChild(wide, new Counted(&destroyed), SECTreeNode::addFirst);
    start = GetTickCount64();
    delete wide;
    EXPECT_LT(GetTickCount64() - start, 2000u);
    EXPECT_EQ(kDepth + kWidth + 2, destroyed);
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
    r->SetFirstChild(nullptr);
    below.SetParent(nullptr);

    EXPECT_FALSE(r->IsAncestorOf(reinterpret_cast<SECTreeNode*>(0x10)));
    EXPECT_FALSE(SECTreeNode::IsNodeMemoryUsable(L"read-only data of the image"));
    EXPECT_TRUE(SECTreeNode::IsNodeMemoryUsable(&below));
}
