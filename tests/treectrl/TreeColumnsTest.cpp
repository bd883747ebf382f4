// Columns of the tree beyond the tree column: where they go, that every item
// keeps its texts under their headings through inserts, deletes and moves
// (items without rows too), and what an open edit or a bad index gets.
#include "treectrl/TreeTestSupport.h"

namespace {
class TreeColumns : public TreeFixture
{
protected:
    // "name/1" texts in column 1 and "name/2" in column 2 for every item.
    std::map<std::string, HTREEITEM> Fill(const char* shape)
    {
        tree.EnableSubItemStorage(TRUE);
        tree.InsertColumn(1, L"one", LVCFMT_LEFT, 60);
        tree.InsertColumn(2, L"two", LVCFMT_LEFT, 60);
        auto t = Shape(tree, shape);
        for (auto& [name, hItem] : t) {
            tree.SetItemText(hItem, 1, CString((name + "/1").c_str()));
            tree.SetItemText(hItem, 2, CString((name + "/2").c_str()));
        }
        events.clear();
        return t;
    }
    // The texts of an item's columns 1 and up, separated by "|".
    std::string Texts(HTREEITEM hItem)
    {
        std::string out;
        for (int col = 1; col < tree.GetColumnCount(); ++col)
            out += (col > 1 ? "|" : "") + Narrow(tree.GetItemText(hItem, col));
        return out;
    }
};

TEST_F(TreeColumns, InsertedColumnsMoveEveryItemsTextsAndLeaveTheExpansionAsItWas)
{
    auto t = Fill("a+(a1 a2(x)) b(b1)");
    tree.SelectItem(t["a1"], TVGN_CARET);
    EXPECT_EQ(1, tree.InsertColumn(0, L"new", LVCFMT_LEFT, 40)) << "column 0 stays the tree column";
    for (const char* name : {"a", "a1", "x", "b1"})
        EXPECT_EQ(std::string("|") + name + "/1|" + name + "/2", Texts(t[name])) << name;
    EXPECT_EQ(L"new", tree.GetColumnHeading(1));
    EXPECT_TRUE(tree.IsItemExpanded(t["a"]));
    EXPECT_FALSE(tree.IsItemExpanded(t["a2"]) || tree.IsItemExpanded(t["b"]));
    EXPECT_EQ(t["a1"], tree.GetCaretItem());
    EXPECT_EQ("a a1 a2 b", RowLabels(tree));

    EXPECT_EQ(4, tree.InsertColumn(99, L"last", LVCFMT_LEFT, 40)) << "past the end goes last";
    EXPECT_EQ("|x/1|x/2|", Texts(t["x"]));
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeColumns, DeletedColumnsTakeTheirTextsAlongAndColumnZeroStaysWhileOthersExist)
{
    auto t = Fill("a(a1) b");
    EXPECT_FALSE(tree.DeleteColumn(0));
    EXPECT_FALSE(tree.DeleteColumn(3));
    EXPECT_FALSE(tree.DeleteColumn(-1));
    ASSERT_TRUE(tree.DeleteColumn(1));
    EXPECT_EQ("a1/2", Texts(t["a1"]));
    EXPECT_EQ("b/2", Texts(t["b"]));
    EXPECT_FALSE(tree.IsItemExpanded(t["a"]));
    EXPECT_EQ(2, tree.GetColumnCount());
    EXPECT_TRUE(TreeIsConsistent(tree));
}

TEST_F(TreeColumns, MovedColumnsTakeTheirStoredTextsAlongForHiddenItemsToo)
{
    auto t = Fill("a(a1) b");
    tree.InsertColumn(3, L"three", LVCFMT_LEFT, 60);
    Hidden(tree, t["b"]);
    ASSERT_TRUE(tree.MoveColumn(1, 3));
    EXPECT_EQ(L"one", tree.GetColumnHeading(2));
    EXPECT_EQ("a/2|a/1|", Texts(t["a"]));
    EXPECT_EQ("a1/2|a1/1|", Texts(t["a1"]));
    EXPECT_EQ("b/2|b/1|", Texts(t["b"]));
}

TEST_F(TreeColumns, AnOpenEditEndsFirstAndCellsOfTheListMoveWithoutStorage)
{
    tree.InsertColumn(1, L"one", LVCFMT_LEFT, 60);
    auto t = Shape(tree, "a b");
    tree.SetItemText(t["a"], 1, L"cell");
    tree.ModifyTreeStyle(0, TVS_EDITLABELS);
    ASSERT_NE(nullptr, tree.EditLabel(0));
    events.clear();
    EXPECT_EQ(1, tree.InsertColumn(1, L"new", LVCFMT_LEFT, 40));
    EXPECT_EQ(-1, tree.GetEditItem());
    // The caret is selected again once the columns changed.
    EXPECT_EQ((std::vector<UINT>{TVN_ENDLABELEDITW, TVN_SELCHANGINGW, TVN_SELCHANGEDW}), Codes(events))
        << owner.Listing();
    EXPECT_EQ(L"", tree.GetItemText(t["a"], 1));
    EXPECT_EQ(L"cell", tree.GetItemText(t["a"], 2));
    ASSERT_NE(nullptr, tree.EditLabel(0));
    EXPECT_TRUE(tree.DeleteColumn(1));
    EXPECT_EQ(L"cell", tree.GetItemText(t["a"], 1));
    EXPECT_TRUE(TreeIsConsistent(tree));
}
} // namespace
