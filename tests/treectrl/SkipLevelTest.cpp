#include <gtest/gtest.h>
#include "tests/treectrl/TestTree.h"

TEST(SkipLevel, OneHidesTheTopLevelAndBridgesItsChildren)
{
    TestTree t("r(a(a1 a2) b(b1 b2) c d(d1))");
    t.m_pRoot->SetSkipLevel(1);
    EXPECT_EQ("a1 r 1", NameOf(t.m_pRoot->GetFirstChild()) + " " + NameOf(t["a1"]->GetParent()) + " "
                            + std::to_string(t["a1"]->GetLevel()));
    EXPECT_EQ("b1 a2", NameOf(t["a2"]->GetNextSibling()) + " " + NameOf(t["b1"]->GetPrevSibling()));
    // Childless c ends the run both ways, although d has children.
    EXPECT_EQ("- -", NameOf(t["b2"]->GetNextSibling()) + " " + NameOf(t["d1"]->GetPrevSibling()));
    EXPECT_EQ("r a1 a2 b1 b2 | b2 b1 a2 a1 r", t.Walk() + " | " + t.Walk(false));
    // Skipped nodes keep their raw links but are no one's ancestor.
    EXPECT_EQ("r a1", NameOf(t["a"]->GetParent()) + " " + NameOf(t["a"]->GetFirstChild()));
    EXPECT_TRUE(t.m_pRoot->IsAncestorOf(t["a1"]) && !t["a"]->IsAncestorOf(t["a1"]));

    TestTree u("r(x y(y1))"); // a childless first child: the root reports no children
    u.m_pRoot->SetSkipLevel(1);
    EXPECT_EQ("r", u.Walk());
}

TEST(SkipLevel, DeeperLevelBridgesOneStepOnly)
{
    TestTree t("r(a(p(p1 p2) q(q1) s t(t1)) b)");
    t.m_pRoot->SetSkipLevel(2);
    EXPECT_EQ("a p1 a 2", NameOf(t.m_pRoot->GetFirstChild()) + " " + NameOf(t["a"]->GetFirstChild()) + " "
                              + NameOf(t["q1"]->GetParent()) + " " + std::to_string(t["q1"]->GetLevel()));
    EXPECT_EQ("q1 p2", NameOf(t["p2"]->GetNextSibling()) + " " + NameOf(t["q1"]->GetPrevSibling()));
    EXPECT_EQ("- -", NameOf(t["q1"]->GetNextSibling()) + " " + NameOf(t["t1"]->GetPrevSibling()));
    EXPECT_EQ("r a p1 p2 q1 b | b q1 p2 p1 a r", t.Walk() + " | " + t.Walk(false));
}

TEST(SkipLevel, IsReadFromTheTopmostNodeOnly)
{
    std::vector<std::string> log;
    TestTree t("r(a(a1(w)) b(b1))", &log);
    t["a"]->SetSkipLevel(1);
    EXPECT_EQ("r a a1 w b b1", t.Walk());
    t["a"]->Detach(); // now a tree of its own
    EXPECT_EQ("w a", NameOf(t["a"]->GetFirstChild()) + " " + NameOf(t["w"]->GetParent()));
    delete t["a"]; // destruction ignores the skipping
    EXPECT_EQ((std::vector<std::string>{"w", "a1", "a"}), log);
}
