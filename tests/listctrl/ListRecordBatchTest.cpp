// Inserting and replacing many row records in one step: rows, selection,
// focus, anchor and drop highlight come out as row-by-row changes leave them.
#include <gtest/gtest.h>
#include "listctrl/ListTestSupport.h"

namespace {
SECListItem* Record(TestList& list, LPCWSTR text)
{
    SECListItem* pItem = list.NewItemRecord();
    pItem->m_pszText = SECListCopyText(text);
    return pItem;
}

// Texts of the rows, separated by spaces; a list of rows "r0".."r<n-1>" first.
std::string Texts(TestList& list, int fill = 0)
{
    for (int i = 0; i < fill; ++i)
        list.InsertItem(i, CString(L"r") + std::to_wstring(i).c_str());
    std::string out;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        const CString text = list.GetItemText(i, 0);
        out += (i ? " " : "") + std::string(text.GetString(), text.GetString() + text.GetLength());
    }
    return out;
}
} // namespace

TEST(ListRecordBatch, InsertingAtOneIndexRenumbersEverythingOnce)
{
    TestList list;
    SECListItem* first[] = {Record(list, L"a")};
    ASSERT_EQ(0, list.InsertItemRecords(0, first, 1));
    EXPECT_EQ(0, list.FocusRow()) << "the first row of an empty list takes focus and selection";
    EXPECT_EQ(1u, list.GetSelectedCount());
    list.DeleteAllItems();
    list.InsertColumn(0, L"Name");
    list.InsertColumn(1, L"Size");
    Texts(list, 5);
    list.FocusAndSelectItem(3, TRUE);
    list.SetDropHilightItem(4);
    SECListItem* records[] = {Record(list, L"n0"), Record(list, L"n1"), Record(list, L"n2")};
    ASSERT_EQ(2, list.InsertItemRecords(2, records, 3));
    EXPECT_EQ("r0 r1 n0 n1 n2 r2 r3 r4", Texts(list));
    EXPECT_EQ(6, list.FocusRow());
    EXPECT_EQ(6, list.AnchorRow());
    EXPECT_EQ(7, list.GetDropHilightItem());
    EXPECT_TRUE(list.GetSelection().Contains(0) && list.GetSelection().Contains(6));
    EXPECT_EQ(1, list.Row(3)->m_subItems.GetSize()) << "new records get the cells of the columns";
    EXPECT_TRUE(ModelIsConsistent(list));
    EXPECT_EQ(8, list.InsertItemRecords(100, first, 0)) << "clamped to the end";
    EXPECT_EQ(-1, list.InsertItemRecords(-1, first, 1));
    EXPECT_EQ(-1, list.InsertItemRecords(0, nullptr, 2));
}

TEST(ListRecordBatch, ReplacingKeepsTheStateOfRecordsThatStayAndDropsTheOthers)
{
    TestList list;
    Texts(list, 6);
    list.DeselectAllItems(-1);
    list.SelectItem(2, TRUE);
    list.SelectItem(4, TRUE);
    list.SetFocusItem(4);
    list.SetDropHilightItem(3);
    SECListItem* replacement[] = {list.Row(4), Record(list, L"new"), list.Row(2)};
    ASSERT_TRUE(list.ReplaceItemRecords(1, 4, replacement, 3));
    EXPECT_EQ("r0 r4 new r2 r5", Texts(list));
    EXPECT_EQ(1, list.FocusRow()) << "the focus moved with its record";
    EXPECT_EQ(-1, list.GetDropHilightItem()) << "its record went";
    EXPECT_TRUE(list.GetSelection().Contains(1) && list.GetSelection().Contains(3));
    EXPECT_EQ(2u, list.GetSelectedCount());
    // When the focus row goes and nothing stays selected, the row before the
    // range takes focus and selection, as DeleteItem leaves it.
    list.DeselectAllItems(-1);
    list.FocusAndSelectItem(3, TRUE);
    ASSERT_TRUE(list.ReplaceItemRecords(2, 2, nullptr, 0));
    EXPECT_EQ("r0 r4 r5", Texts(list));
    EXPECT_EQ(1, list.FocusRow());
    EXPECT_TRUE(list.GetSelection().Contains(1));
    EXPECT_FALSE(list.ReplaceItemRecords(2, 5, nullptr, 0)) << "past the rows: nothing changes";
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_TRUE(ModelIsConsistent(list));
}
