// The list model on an object that has no window: rows, cells, columns,
// selection bookkeeping and image lists.
#include <gtest/gtest.h>
#include <random>
#include <vector>
#include "ListTestSupport.h"

namespace {
void Fill(SECListBaseC& list, int rows, int columns = 2)
{
    for (int c = 0; c < columns; ++c)
        list.AddColumn(L"", LVCFMT_LEFT, 50);
    for (int r = 0; r < rows; ++r) {
        CString text;
        text.Format(L"row %d", r);
        const int n = list.InsertItem(r, text);
        for (int c = 1; c < columns; ++c) {
            text.Format(L"cell %d.%d", r, c);
            SetCell(list, n, c, text);
        }
    }
}

std::vector<int> Selected(const SECListBaseC& list)
{
    std::vector<int> rows;
    for (INT_PTR i = 0; i < list.GetSelection().GetCount(); ++i)
        rows.push_back(list.GetSelection().GetAt(i));
    return rows;
}
} // namespace

TEST(ListModel, FirstRowTakesFocusAndSelectionAndInsertionsRenumber)
{
    TestList list;
    Fill(list, 1);
    EXPECT_EQ(0, list.GetFocusItem());
    EXPECT_EQ(std::vector<int>{0}, Selected(list));

    Fill(list, 0);
    for (int r = 1; r < 6; ++r)
        list.InsertItem(r, L"x");
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(5, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetDropHilightItem(4);
    list.InsertItem(2, L"inserted");
    EXPECT_EQ((std::vector<int>{0, 4, 6}), Selected(list));
    EXPECT_EQ(6, list.GetFocusItem());
    EXPECT_EQ(5, list.GetDropHilightItem());
    EXPECT_STREQ(L"inserted", list.GetItemText(2, 0));
    EXPECT_TRUE(ModelIsConsistent(list));
}

TEST(ListModel, DeletionDropsAndShiftsSelectionAndSelectsTheNewFocus)
{
    TestList list;
    Fill(list, 10);
    list.DeselectAllItems(-1);
    for (int r : {2, 3, 7, 9})
        list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    list.SetFocusItem(8);
    EXPECT_TRUE(list.DeleteItem(3, 3)); // rows 3, 4, 5
    EXPECT_EQ((std::vector<int>{2, 4, 6}), Selected(list));
    EXPECT_EQ(5, list.GetFocusItem()); // after the range: moves up with it
    EXPECT_EQ(7, list.GetItemCount());
    EXPECT_STREQ(L"row 6", list.GetItemText(3, 0));

    // Focus inside the deleted range goes to the row above it; when the last
    // selected row goes, the focus row becomes selected.
    list.DeselectAllItems(-1);
    list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    list.SetFocusItem(4);
    EXPECT_TRUE(list.DeleteItem(4, 1));
    EXPECT_EQ(4, list.GetFocusItem()); // rows follow, so the focus stays on index 4
    EXPECT_EQ(std::vector<int>{4}, Selected(list));
    list.SetFocusItem(5);
    list.DeselectAllItems(-1);
    list.SetItemState(5, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(list.DeleteItem(4, 2));
    EXPECT_EQ(3, list.GetFocusItem());
    EXPECT_EQ(std::vector<int>{3}, Selected(list));

    EXPECT_FALSE(list.DeleteItem(99, 1));
    EXPECT_FALSE(list.DeleteItem(-1, 1));
    EXPECT_FALSE(list.DeleteItem(static_cast<SECListItem*>(nullptr)));
    EXPECT_TRUE(ModelIsConsistent(list));
}

TEST(ListModel, CallbackCellsStoreOnlyWithSetItemFlag)
{
    TestList list;
    Fill(list, 1, 1);
    list.AddColumn(L"later");
    LVITEMW item{};
    item.iItem = 0;
    item.iSubItem = 1;
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<LPWSTR>(L"ignored");
    EXPECT_TRUE(list.SetItem(&item));
    LVITEMW get{};
    get.mask = LVIF_TEXT;
    get.iSubItem = 1;
    EXPECT_TRUE(list.GetItem(&get, TRUE, FALSE));
    EXPECT_EQ(LPSTR_TEXTCALLBACKW, get.pszText); // still the owner's

    item.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    item.pszText = const_cast<LPWSTR>(L"stored");
    EXPECT_TRUE(list.SetItem(&item));
    WCHAR buffer[4];
    get.pszText = buffer;
    get.cchTextMax = 4;
    EXPECT_TRUE(list.GetItem(&get, TRUE, FALSE));
    EXPECT_STREQ(L"sto", buffer); // cut to the caller's buffer

    EXPECT_FALSE(list.SetItemText(0, 5, L"no such cell"));
    EXPECT_FALSE(list.SetItemText(3, 0, L"no such row"));
    EXPECT_EQ(0, list.GetItemText(3, 0, buffer, 4));
    EXPECT_TRUE(list.SetItemText(0, 0, nullptr));
    EXPECT_STREQ(L"", list.GetItemText(0, 0));
}

TEST(ListModel, ColumnsKeepOneCellPerSlotAndTheirOwnData)
{
    TestList list;
    list.InsertColumn(0, L"Name", LVCFMT_RIGHT, -1);
    EXPECT_EQ(LVCFMT_LEFT, list.GetColumnFormat(0));
    EXPECT_EQ(10, list.GetColumnWidth(0));
    list.AddColumn(L"Size", LVCFMT_RIGHT, 60);
    list.AddColumn(L"Date", LVCFMT_LEFT, 80);
    Fill(list, 3, 0);
    for (int r = 0; r < 3; ++r) {
        SetCell(list, r, 1, L"size");
        SetCell(list, r, 2, L"date");
    }
    // A column inserted before others takes its own slot; the others keep showing their data.
    EXPECT_EQ(1, list.InsertColumn(1, L"Type", LVCFMT_LEFT, 40));
    EXPECT_EQ(3, list.GetSubItemCount());
    EXPECT_TRUE(ModelIsConsistent(list));
    EXPECT_STREQ(L"size", list.GetItemText(0, list.GetColumnSubItem(2)));
    EXPECT_STREQ(L"date", list.GetItemText(0, list.GetColumnSubItem(3)));
    SetCell(list, 0, list.GetColumnSubItem(1), L"type");

    // Moving a column moves its cells with it.
    EXPECT_FALSE(list.MoveColumn(0, 2));
    EXPECT_FALSE(list.MoveColumn(2, 0));
    EXPECT_TRUE(list.MoveColumn(3, 1)); // Date before Type
    EXPECT_STREQ(L"Date", list.GetColumnHeading(1));
    EXPECT_STREQ(L"date", list.GetItemText(0, list.GetColumnSubItem(1)));
    EXPECT_STREQ(L"type", list.GetItemText(0, list.GetColumnSubItem(2)));
    EXPECT_STREQ(L"size", list.GetItemText(0, list.GetColumnSubItem(3)));
    EXPECT_TRUE(ModelIsConsistent(list));

    // Deleting: the main column goes only last; its width passes to the main column.
    EXPECT_FALSE(list.DeleteColumn(0));
    const int mainWidth = list.GetColumnWidth(0);
    EXPECT_TRUE(list.DeleteColumn(L"Type"));
    EXPECT_EQ(mainWidth + 40, list.GetColumnWidth(0));
    EXPECT_STREQ(L"size", list.GetItemText(0, list.GetColumnSubItem(2)));
    EXPECT_TRUE(ModelIsConsistent(list));
    EXPECT_TRUE(list.DeleteColumn(2));
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_FALSE(list.DeleteColumn(0));
    EXPECT_STREQ(L"", list.GetColumnHeading(7));
    EXPECT_EQ(0, list.GetColumnFormat(-1));
}

TEST(ListModel, FindColumnIsExactAndCaseSensitive)
{
    TestList list;
    list.AddColumn(L"Name");
    list.AddColumn(L"Size");
    int col = -1;
    int sub = -1;
    EXPECT_TRUE(list.FindColumn(L"Size", col, sub));
    EXPECT_EQ(1, col);
    EXPECT_EQ(1, sub);
    EXPECT_FALSE(list.HasColumn(L"size"));
    EXPECT_FALSE(list.HasColumn(nullptr));
}

TEST(ListModel, GetNextItemFollowsStateAndDirection)
{
    TestList list;
    Fill(list, 6, 1);
    list.DeselectAllItems(-1);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(4, list.GetNextItem(1, LVNI_SELECTED));
    EXPECT_EQ(-1, list.GetNextItem(4, LVNI_SELECTED));
    EXPECT_EQ(1, list.GetNextItem(4, LVNI_SELECTED | LVNI_ABOVE));
    EXPECT_EQ(3, list.GetNextItem(2, LVNI_BELOW));
    EXPECT_EQ(1, list.GetNextItem(2, LVNI_TOLEFT));
    EXPECT_EQ(-1, list.GetNextItem(5, LVNI_BELOW));
    EXPECT_EQ(-1, list.GetNextItem(0, LVNI_ABOVE));
}

TEST(ListModel, SingleSelectionKeepsOneRow)
{
    TestList list;
    list.ModifyListStyle(0, LVS_SINGLESEL, FALSE);
    Fill(list, 4, 1);
    list.SelectItem(2, TRUE);
    list.SelectItemRange(0, 3, TRUE);
    EXPECT_EQ(1u, list.GetSelectedCount());
    list.ModifyListStyle(LVS_SINGLESEL, 0, FALSE);
    list.SelectItemRange(3, 1, TRUE);
    EXPECT_EQ((std::vector<int>{1, 2, 3}), Selected(list));
    list.EnableMultiSelect(FALSE); // more than one selected: all are deselected
    EXPECT_EQ(0u, list.GetSelectedCount());
}

TEST(ListModel, ImageListsAreCopiedUnlessShared)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 4, 4));
    {
        TestList list;
        EXPECT_EQ(nullptr, list.SetImageList(&images, 7));
        EXPECT_EQ(nullptr, list.GetImageList(-1));
        EXPECT_EQ(nullptr, list.SetImageList(&images, SECListBaseC::kImageSmall));
        CImageList* copy = list.GetImageList(SECListBaseC::kImageSmall);
        ASSERT_NE(nullptr, copy);
        EXPECT_NE(&images, copy);
        EXPECT_NE(images.GetSafeHandle(), copy->GetSafeHandle());
        EXPECT_EQ(copy, list.SetImageList(nullptr, SECListBaseC::kImageSmall));
        EXPECT_EQ(16, copy->GetIconSize().cx); // the replaced copy stays valid with the list
    }
    TestList shared;
    shared.ModifyListStyle(0, LVS_SHAREIMAGELISTS, FALSE);
    shared.SetImageList(&images, SECListBaseC::kImageHeader);
    EXPECT_EQ(&images, shared.GetImageList(SECListBaseC::kImageHeader));
    EXPECT_NE(nullptr, images.GetSafeHandle()); // never deleted by the list
}

TEST(ListModel, SelectionSetSearchAndBookkeeping)
{
    SECListSelection set;
    for (int v : {9, 1, 5, 3, 7, 11, 13, 2})
        EXPECT_TRUE(set.Add(v));
    EXPECT_FALSE(set.Add(5));
    INT_PTR pos = -1;
    EXPECT_TRUE(set.Find(7, pos));
    EXPECT_EQ(4, pos);
    EXPECT_FALSE(set.Find(8, pos));
    EXPECT_EQ(5, pos);
    EXPECT_FALSE(set.Find(100, pos));
    EXPECT_EQ(set.GetCount(), pos);
    set.RowInserted(5); // 5 and later move down
    EXPECT_TRUE(set.Contains(6));
    EXPECT_FALSE(set.Contains(5));
    set.RowsDeleted(2, 6); // 2, 3 and 6 go; 8, 10, 12, 14 move up by 5
    std::vector<int> rows;
    for (INT_PTR i = 0; i < set.GetCount(); ++i)
        rows.push_back(set.GetAt(i));
    EXPECT_EQ((std::vector<int>{1, 3, 5, 7, 9}), rows);
}

// Thousands of random model operations against a plain reference: the texts,
// the selection and the invariants must agree after each step.
TEST(ListModel, RandomOperationsKeepTheModelConsistent)
{
    const unsigned seed = 20261205;
    std::mt19937 rng(seed);
    TestList list;
    list.AddColumn(L"a");
    list.AddColumn(L"b");
    std::vector<CString> reference;
    int serial = 0;
    for (int step = 0; step < 4000; ++step) {
        const int count = list.GetItemCount();
        const int op = static_cast<int>(rng() % 6);
        if (op <= 1 || count == 0) {
            const int at = count ? static_cast<int>(rng() % (count + 1)) : 0;
            CString text;
            text.Format(L"%d", serial++);
            ASSERT_EQ(at, list.InsertItem(at, text));
            reference.insert(reference.begin() + at, text);
        } else if (op == 2) {
            const int at = static_cast<int>(rng() % count);
            const int n = 1 + static_cast<int>(rng() % 3);
            ASSERT_TRUE(list.DeleteItem(at, n));
            reference.erase(reference.begin() + at, reference.begin() + std::min(at + n, count));
        } else if (op == 3) {
            list.SelectItem(static_cast<int>(rng() % count), rng() % 2);
        } else if (op == 4) {
            list.FocusAndSelectItem(static_cast<int>(rng() % count), rng() % 2);
        } else {
            list.SetDropHilightItem(static_cast<int>(rng() % (count + 1)) - 1);
        }
        ASSERT_TRUE(ModelIsConsistent(list)) << "seed " << seed << " step " << step;
        ASSERT_EQ(static_cast<int>(reference.size()), list.GetItemCount()) << "seed " << seed;
    }
    for (int r = 0; r < list.GetItemCount(); ++r)
        ASSERT_STREQ(reference[static_cast<size_t>(r)], list.GetItemText(r, 0));
}
