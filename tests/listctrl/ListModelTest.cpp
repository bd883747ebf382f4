// The list model on an object that has no window: rows, cells, columns,
// selection bookkeeping, batches of row records and image lists.
#include <gtest/gtest.h>
#include <climits>
#include <string>
#include <vector>
#include "ListTestSupport.h"

namespace {
using Rows = std::vector<int>;

void Fill(SECListBaseC& list, int rows, int columns)
{
    for (int c = 0; c < columns; ++c)
        list.AddColumn(L"", LVCFMT_LEFT, 50);
    for (int r = list.GetItemCount(); r < rows; ++r)
        list.InsertItem(r, (L"row " + std::to_wstring(r)).c_str());
}

// Texts of the rows, separated by commas.
std::wstring Texts(TestList& list)
{
    std::wstring out;
    for (int i = 0; i < list.GetItemCount(); ++i)
        out += (i ? L"," : L"") + std::wstring(list.GetItemText(i, 0).GetString());
    return out;
}

SECListItem* Record(TestList& list, LPCWSTR text)
{
    SECListItem* pItem = list.NewItemRecord();
    pItem->m_pszText = SECListCopyText(text);
    return pItem;
}
} // namespace

TEST(ListModel, InsertionAndDeletionRenumberSelectionFocusAndDropHighlight)
{
    TestList list;
    Fill(list, 1, 2);
    EXPECT_EQ(0, list.GetFocusItem()) << "the first row takes focus and selection";
    EXPECT_EQ(Rows{0}, list.Selected());
    Fill(list, 6, 0);
    list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(5, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetDropHilightItem(4);
    list.InsertItem(2, L"inserted");
    EXPECT_EQ((Rows{0, 4, 6}), list.Selected());
    EXPECT_TRUE(list.GetFocusItem() == 6 && list.GetDropHilightItem() == 5);

    Fill(list, 10, 0);
    list.DeselectAllItems(-1);
    for (int r : {2, 3, 7, 9})
        list.SetItemState(r, LVIS_SELECTED, LVIS_SELECTED);
    list.SetFocusItem(8);
    EXPECT_TRUE(list.DeleteItem(3, 3)); // rows 3, 4, 5
    EXPECT_EQ((Rows{2, 4, 6}), list.Selected());
    EXPECT_EQ(5, list.GetFocusItem());
    // Focus inside the deleted range goes to the row above it; when the last
    // selected row goes, the focus row becomes selected.
    list.SetFocusItem(5);
    list.DeselectAllItems(-1);
    list.SetItemState(5, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(list.DeleteItem(4, 2));
    EXPECT_EQ(Rows{3}, list.Selected());
    EXPECT_EQ(3, list.GetFocusItem());
    EXPECT_FALSE(list.DeleteItem(99, 1) || list.DeleteItem(-1, 1) || list.DeleteItem(nullptr));
    EXPECT_TRUE(ModelIsConsistent(list));
}

TEST(ListModel, CallbackCellsStoreOnlyWithSetItemFlagAndCopiesAreCut)
{
    TestList list;
    Fill(list, 1, 2);
    EXPECT_TRUE(list.SetItemText(0, 1, L"ignored"));
    LVITEMW get{};
    get.mask = LVIF_TEXT;
    get.iSubItem = 1;
    EXPECT_TRUE(list.GetItem(&get, TRUE, FALSE));
    EXPECT_EQ(LPSTR_TEXTCALLBACKW, get.pszText); // still the owner's
    SetCell(list, 0, 1, L"stored");
    WCHAR buffer[4];
    get.pszText = buffer;
    get.cchTextMax = 4;
    EXPECT_TRUE(list.GetItem(&get, TRUE, FALSE));
    EXPECT_STREQ(L"sto", buffer);
    EXPECT_FALSE(list.SetItemText(0, 5, L"no such cell") || list.SetItemText(3, 0, L"no such row"));
    EXPECT_EQ(0, list.GetItemText(3, 0, buffer, 4));
    EXPECT_TRUE(list.SetItemText(0, 0, nullptr));
    EXPECT_STREQ(L"", list.GetItemText(0, 0));
}

TEST(ListModel, ColumnsKeepOneCellPerSlotAndTheirOwnData)
{
    TestList list;
    list.InsertColumn(0, L"Name", LVCFMT_RIGHT, -1);
    EXPECT_TRUE(list.GetColumnFormat(0) == LVCFMT_LEFT && list.GetColumnWidth(0) == 10) << "left-aligned, at least 10";
    list.AddColumn(L"Size", LVCFMT_RIGHT, 60);
    list.AddColumn(L"Date", LVCFMT_LEFT, 80);
    Fill(list, 1, 0);
    SetCell(list, 0, 1, L"size");
    SetCell(list, 0, 2, L"date");
    int col = -1, sub = -1;
    EXPECT_TRUE(list.FindColumn(L"Size", col, sub) && col == 1 && sub == 1);
    EXPECT_FALSE(list.HasColumn(L"size") || list.HasColumn(nullptr)) << "exact and case-sensitive";
    // A column inserted before others takes its own slot; the others keep showing their data.
    EXPECT_EQ(1, list.InsertColumn(1, L"Type", LVCFMT_LEFT, 40));
    EXPECT_STREQ(L"size", list.GetItemText(0, list.GetColumnSubItem(2)));
    SetCell(list, 0, list.GetColumnSubItem(1), L"type");
    // Moving a column moves its cells with it; the main column stays first.
    EXPECT_FALSE(list.MoveColumn(0, 2) || list.MoveColumn(2, 0));
    EXPECT_TRUE(list.MoveColumn(3, 1)); // Date before Type
    EXPECT_STREQ(L"Date", list.GetColumnHeading(1));
    const wchar_t* const moved[] = {L"row 0", L"date", L"type", L"size"};
    for (int c = 0; c < 4; ++c)
        EXPECT_STREQ(moved[c], list.GetItemText(0, list.GetColumnSubItem(c)));
    // Deleting: the main column goes only last; a width passes to the main column.
    EXPECT_FALSE(list.DeleteColumn(0));
    const int mainWidth = list.GetColumnWidth(0);
    EXPECT_TRUE(list.DeleteColumn(L"Type"));
    EXPECT_EQ(mainWidth + 40, list.GetColumnWidth(0));
    EXPECT_STREQ(L"size", list.GetItemText(0, list.GetColumnSubItem(2)));
    EXPECT_TRUE(ModelIsConsistent(list));
    EXPECT_TRUE(list.DeleteColumn(2) && list.DeleteColumn(1) && list.DeleteColumn(0));
    EXPECT_FALSE(list.GetItemCount() != 0 || list.DeleteColumn(0)) << "the last column takes the rows with it";
}

TEST(ListModel, GetNextItemAndSingleSelection)
{
    TestList list;
    Fill(list, 6, 1);
    list.DeselectAllItems(-1);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    const struct { int from; UINT flags; int next; } steps[] = {
        {-1, LVNI_SELECTED, 1}, {1, LVNI_SELECTED, 4}, {4, LVNI_SELECTED, -1}, {4, LVNI_SELECTED | LVNI_ABOVE, 1},
        {2, LVNI_BELOW, 3},     {2, LVNI_TOLEFT, 1},   {5, LVNI_BELOW, -1},    {0, LVNI_ABOVE, -1},
        // Downward, starts past the end find nothing; upward, a walk back
        // from the row count finds the last rows; nothing wraps around.
        {INT_MAX, LVNI_SELECTED, -1}, {INT_MAX, 0, -1}, {6, LVNI_ABOVE, 5}, {6, LVNI_SELECTED | LVNI_ABOVE, 4},
        {INT_MAX, LVNI_SELECTED | LVNI_ABOVE, 4}, {INT_MAX, LVNI_ABOVE, -1},
        {INT_MIN, LVNI_SELECTED | LVNI_ABOVE, -1}, {INT_MIN, LVNI_SELECTED, 1}, {-2, LVNI_BELOW, -1}};
    for (const auto& s : steps)
        EXPECT_EQ(s.next, list.GetNextItem(s.from, s.flags)) << s.from << " flags " << s.flags;
    EXPECT_EQ(0, list.NotifyGetDispInfo(nullptr)); // no record: nobody is asked

    list.DeselectAllItems(-1);
    list.ModifyListStyle(0, LVS_SINGLESEL, FALSE);
    list.SelectItem(2, TRUE);
    list.SelectItemRange(0, 3, TRUE);
    EXPECT_EQ(1u, list.GetSelectedCount());
    list.ModifyListStyle(LVS_SINGLESEL, 0, FALSE);
    list.SelectItemRange(3, 1, TRUE);
    EXPECT_EQ((Rows{1, 2, 3}), list.Selected());
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
        EXPECT_EQ(nullptr, list.SetImageList(&images, SECListBaseC::kImageSmall));
        CImageList* copy = list.GetImageList(SECListBaseC::kImageSmall);
        ASSERT_TRUE(copy != nullptr && copy->GetSafeHandle() != images.GetSafeHandle());
        EXPECT_EQ(copy, list.SetImageList(nullptr, SECListBaseC::kImageSmall));
        EXPECT_EQ(16, copy->GetIconSize().cx); // the replaced copy stays valid until the next replacement
    }
    {
        // A host that swaps image lists: the control keeps the list in use and
        // the one it handed back last, no more.
        struct CountedImageList : CImageList
        {
            static int& Alive()
            {
                static int alive = 0;
                return alive;
            }
            CountedImageList() { ++Alive(); }
            ~CountedImageList() override { --Alive(); }
        };
        struct CountingList : TestList
        {
            BOOL CopyImageList(CImageList* pSource, CImageList*& pCopy) override
            {
                pCopy = new CountedImageList;
                return pCopy->Create(pSource->GetIconSize().cx, pSource->GetIconSize().cy, ILC_COLOR32, 1, 1);
            }
        };
        {
            CountingList list;
            for (int i = 0; i < 100; ++i) {
                CImageList* pOld = list.SetImageList(&images, i % 2 ? SECListBaseC::kImageSmall : SECListBaseC::kImageState);
                if (pOld != nullptr) {
                    EXPECT_EQ(16, pOld->GetIconSize().cx) << "the list handed back is valid";
                }
            }
            EXPECT_EQ(4, CountedImageList::Alive()) << "two types, each in use and handed back";
        }
        EXPECT_EQ(0, CountedImageList::Alive()) << "all go with the list";
    }
    {
        TestList shared;
        shared.ModifyListStyle(0, LVS_SHAREIMAGELISTS, FALSE);
        shared.SetImageList(&images, SECListBaseC::kImageHeader);
        EXPECT_EQ(&images, shared.GetImageList(SECListBaseC::kImageHeader));
        // Sharing is settled when the list is set, not by the style at the end.
        shared.ModifyListStyle(LVS_SHAREIMAGELISTS, 0, FALSE);
    }
    HBITMAP bitmap = ::CreateBitmap(16, 16, 1, 32, nullptr);
    EXPECT_EQ(0, ImageList_Add(images.GetSafeHandle(), bitmap, nullptr)) << "never deleted by the list";
    ::DeleteObject(bitmap);
}

TEST(ListModel, BatchesOfRecordsLeaveTheStateAsRowByRowChangesDo)
{
    TestList list;
    SECListItem* first[] = {Record(list, L"a")};
    ASSERT_EQ(0, list.InsertItemRecords(0, first, 1));
    EXPECT_EQ(Rows{0}, list.Selected()) << "the first row of an empty list takes the selection";
    list.DeleteItem(0);
    Fill(list, 5, 2);
    list.FocusAndSelectItem(3, TRUE);
    list.SetDropHilightItem(4);
    SECListItem* records[] = {Record(list, L"n0"), Record(list, L"n1"), Record(list, L"n2")};
    ASSERT_EQ(2, list.InsertItemRecords(2, records, 3));
    EXPECT_EQ(L"row 0,row 1,n0,n1,n2,row 2,row 3,row 4", Texts(list));
    EXPECT_TRUE(list.GetFocusItem() == 6 && list.GetAnchorItem() == 6 && list.GetDropHilightItem() == 7);
    EXPECT_EQ((Rows{0, 6}), list.Selected());
    EXPECT_TRUE(ModelIsConsistent(list)) << "new records get the cells of the columns";
    EXPECT_EQ(8, list.InsertItemRecords(100, first, 0)) << "clamped to the end";
    EXPECT_TRUE(list.InsertItemRecords(-1, first, 1) == -1 && list.InsertItemRecords(0, nullptr, 2) == -1);

    // Replacing keeps the state of records that stay and drops the others'.
    list.DeselectAllItems(-1);
    list.SelectItem(2, TRUE);
    list.SelectItem(5, TRUE);
    list.SetFocusItem(5);
    list.SetDropHilightItem(3);
    SECListItem* replacement[] = {list.GetItemAt(5), Record(list, L"new"), list.GetItemAt(2)};
    ASSERT_TRUE(list.ReplaceItemRecords(1, 5, replacement, 3));
    EXPECT_EQ(L"row 0,row 2,new,n0,row 3,row 4", Texts(list));
    EXPECT_EQ((Rows{1, 3}), list.Selected());
    EXPECT_TRUE(list.GetFocusItem() == 1 && list.GetDropHilightItem() == -1) << "the focus moved with its record";
    // When the focus row goes and nothing stays selected, the row before the
    // range takes focus and selection, as DeleteItem leaves it.
    list.DeselectAllItems(-1);
    list.FocusAndSelectItem(3, TRUE);
    ASSERT_TRUE(list.ReplaceItemRecords(2, 2, nullptr, 0));
    EXPECT_EQ(L"row 0,row 2,row 3,row 4", Texts(list));
    EXPECT_TRUE(list.GetFocusItem() == 1 && list.Selected() == Rows{1});
    EXPECT_FALSE(list.ReplaceItemRecords(2, 5, nullptr, 0)) << "past the rows: nothing changes";

    // A few rows becoming more (found the other way round): the records that
    // stay move with their state, in their new order.
    list.DeselectAllItems(-1);
    list.SelectItem(1, TRUE);
    list.SetFocusItem(2);
    SECListItem* grown[] = {Record(list, L"x"), list.GetItemAt(2), Record(list, L"y"), list.GetItemAt(1)};
    ASSERT_TRUE(list.ReplaceItemRecords(1, 2, grown, 4));
    EXPECT_EQ(L"row 0,x,row 3,y,row 2,row 4", Texts(list));
    EXPECT_TRUE(list.Selected() == Rows{4} && list.GetFocusItem() == 2);
    EXPECT_TRUE(ModelIsConsistent(list));
}
