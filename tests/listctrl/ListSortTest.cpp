// Sorting the rows by an owner's comparison (the merge sort directly, then the
// list with real windows), an owner that changes the rows mid-sort, and the
// heading's sort mark on pixels, classic and through a fake theme library.
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>
#include "ListWindow.h"
#include "snapshot/Snapshot.h"
#include "treectrl/SECTreeCtrl.h"

namespace {
// Compares keys[a] and keys[b]; counts its calls and stops after stopAfter.
struct KeyComparer : SECRowComparer
{
    const std::vector<int>& keys;
    long calls = 0;
    long stopAfter = -1;
    explicit KeyComparer(const std::vector<int>& k) : keys(k) {}
    int Compare(int a, int b) override
    {
        ++calls;
        return keys[a] < keys[b] ? -1 : (keys[a] > keys[b] ? 1 : 0);
    }
    BOOL Stopped() const override { return stopAfter >= 0 && calls >= stopAfter; }
};

// The comparison of a test: lParamSort points at a std::function.
using Compare = std::function<int(LPARAM, LPARAM)>;
int CALLBACK CallCompare(LPARAM a, LPARAM b, LPARAM context)
{
    return (*reinterpret_cast<Compare*>(context))(a, b);
}
LPARAM Context(Compare& compare) { return reinterpret_cast<LPARAM>(&compare); }

std::vector<std::wstring> Texts(TestList& list)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < list.GetItemCount(); ++i)
        texts.push_back(static_cast<LPCWSTR>(list.GetItemText(i, 0)));
    return texts;
}
} // namespace

TEST(ListSortRows, SortsStablyInFewComparisonsAndAStopLeavesTheOrder)
{
    std::mt19937 random(17);
    for (int n : {0, 1, 2, 15, 16, 17, 100, 4096}) {
        std::vector<int> keys(static_cast<size_t>(n));
        for (int& k : keys)
            k = static_cast<int>(random() % 50); // many equal keys
        std::vector<int> order(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            order[static_cast<size_t>(i)] = i;
        std::vector<int> expected = order;
        std::stable_sort(expected.begin(), expected.end(), [&](int a, int b) { return keys[a] < keys[b]; });
        KeyComparer comparer(keys);
        ASSERT_TRUE(SECStableSortRows(order, comparer));
        EXPECT_EQ(expected, order) << n << " rows";
        double log2n = 1;
        while ((1 << static_cast<int>(log2n)) < n)
            ++log2n;
        // Insertion-sorted runs of 16 cost a little over log2(16) per row.
        EXPECT_LE(comparer.calls, static_cast<long>(n * (log2n + 2))) << n << " rows";
    }
    // Sorted input costs one comparison per run and merge.
    std::vector<int> keys(4096);
    std::vector<int> order(4096);
    for (int i = 0; i < 4096; ++i)
        keys[static_cast<size_t>(i)] = order[static_cast<size_t>(i)] = i;
    KeyComparer sorted(keys);
    ASSERT_TRUE(SECStableSortRows(order, sorted));
    EXPECT_LT(sorted.calls, 4096L * 2);

    std::reverse(keys.begin(), keys.end());
    KeyComparer stopping(keys);
    stopping.stopAfter = 5000; // in the merges
    const std::vector<int> before = order;
    EXPECT_FALSE(SECStableSortRows(order, stopping));
    EXPECT_EQ(before, order);
    stopping.calls = 0;
    stopping.stopAfter = 3; // in the first run
    EXPECT_FALSE(SECStableSortRows(order, stopping));
    EXPECT_EQ(before, order);
}

TEST(ListSort, SortItemsComparesItemDataAndKeepsSelectionFocusAndAnchorOnTheirRows)
{
    ListWindow w(kReport, 6);
    // Item data: 10 * (row % 3), so rows 0 and 3 are equal (and keep their order).
    for (int i = 0; i < 6; ++i)
        w.list.SetItemData(i, static_cast<DWORD_PTR>(10 * (i % 3)));
    w.list.DeselectAllItems();
    w.list.SelectItem(1, TRUE);
    w.list.SelectItem(5, TRUE);
    w.list.SetFocusItem(2);
    w.Focus();
    w.Key(VK_DOWN, true); // anchor on row 2, focus on row 3
    const int focusBefore = w.list.GetFocusItem();
    const std::wstring focusText = Texts(w.list)[static_cast<size_t>(focusBefore)];
    const std::wstring anchorText = Texts(w.list)[static_cast<size_t>(w.list.GetAnchorItem())];
    std::vector<std::wstring> selected;
    for (int row : w.list.Selected())
        selected.push_back(Texts(w.list)[static_cast<size_t>(row)]);
    w.owner.Clear();

    Compare descending = [](LPARAM a, LPARAM b) { return static_cast<int>(b - a); };
    ASSERT_TRUE(w.list.SortItems(CallCompare, Context(descending)));
    EXPECT_EQ((std::vector<std::wstring>{L"row 2", L"row 5", L"row 1", L"row 4", L"row 0", L"row 3"}),
              Texts(w.list));
    const auto texts = Texts(w.list);
    EXPECT_EQ(focusText, texts[static_cast<size_t>(w.list.GetFocusItem())]);
    EXPECT_EQ(anchorText, texts[static_cast<size_t>(w.list.GetAnchorItem())]);
    std::vector<std::wstring> selectedAfter;
    for (int row : w.list.Selected())
        selectedAfter.push_back(texts[static_cast<size_t>(row)]);
    std::sort(selected.begin(), selected.end());
    std::sort(selectedAfter.begin(), selectedAfter.end());
    EXPECT_EQ(selected, selectedAfter);
    EXPECT_TRUE(ModelIsConsistent(w.list));
    EXPECT_TRUE(w.owner.messages.empty()) << "a sort tells the owner nothing";

    // SortItemsEx passes the indices the rows had before the sort: by text, reversed.
    std::vector<std::pair<LPARAM, LPARAM>> asked;
    Compare byText = [&](LPARAM a, LPARAM b) {
        asked.emplace_back(a, b);
        return -w.list.GetItemText(static_cast<int>(a), 0).Compare(w.list.GetItemText(static_cast<int>(b), 0));
    };
    ASSERT_TRUE(w.list.SortItemsEx(CallCompare, Context(byText)));
    EXPECT_EQ((std::vector<std::wstring>{L"row 5", L"row 4", L"row 3", L"row 2", L"row 1", L"row 0"}),
              Texts(w.list));
    for (const auto& pair : asked)
        EXPECT_TRUE(pair.first >= 0 && pair.first < 6 && pair.second >= 0 && pair.second < 6);
    EXPECT_FALSE(w.list.SortItems(nullptr, 0));
}

TEST(ListSort, AnOwnerThatChangesRowsOrSortsAgainInsideTheComparisonEndsTheSort)
{
    {
        ListWindow w(kReport, 40);
        int calls = 0;
        Compare deleting = [&](LPARAM, LPARAM) {
            if (++calls == 30)
                w.list.DeleteItem(0);
            return 1;
        };
        EXPECT_FALSE(w.list.SortItemsEx(CallCompare, Context(deleting)));
        EXPECT_EQ(39, w.list.GetItemCount());
        EXPECT_EQ(L"row 1", Texts(w.list)[0]) << "the rows stay as the owner left them";
        EXPECT_TRUE(ModelIsConsistent(w.list));

        Compare nested = [&](LPARAM a, LPARAM b) {
            EXPECT_FALSE(w.list.SortItems(CallCompare, Context(nested))) << "no sort inside a sort";
            return static_cast<int>(b - a);
        };
        EXPECT_TRUE(w.list.SortItemsEx(CallCompare, Context(nested)));
        EXPECT_EQ(L"row 39", Texts(w.list)[0]);
    }
    {
        ListWindow w(kReport, 20);
        Compare destroying = [&](LPARAM, LPARAM) {
            if (w.list.m_hWnd != nullptr)
                w.list.DestroyWindow();
            return -1;
        };
        EXPECT_FALSE(w.list.SortItems(CallCompare, Context(destroying)));
        EXPECT_EQ(0, w.list.GetItemCount());
    }
    {
        // An edit open on a row ends (cancelled) before the rows move.
        ListWindow w(kReport | LVS_EDITLABELS, 5);
        ASSERT_NE(nullptr, w.list.EditLabel(1));
        Compare reverse = [](LPARAM a, LPARAM b) { return static_cast<int>(b - a); };
        EXPECT_TRUE(w.list.SortItemsEx(CallCompare, Context(reverse)));
        EXPECT_EQ(-1, w.list.GetEditItem());
        EXPECT_FALSE(w.Last(LVN_ENDLABELEDITW).hasText) << "told as cancelled";
    }
    // The tree's rows follow its hierarchy: they are not the list's to sort.
    OwnerWindow owner;
    SECTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &owner, 5));
    tree.InsertItem(L"b");
    tree.InsertItem(L"a");
    Compare any = [](LPARAM, LPARAM) { return 1; };
    EXPECT_FALSE(tree.SortItems(CallCompare, Context(any)));
}

namespace {
// A theme library that records the parts drawn; installed while it lives.
struct SortTheme : SECThemeApi
{
    SortTheme() { SECThemeApi::SetForTesting(this); }
    ~SortTheme() override { SECThemeApi::SetForTesting(nullptr); }
    std::vector<std::pair<int, int>> parts; // part and state of each DrawThemeBackground
    std::vector<RECT> rects;                // and its rectangle
    BOOL IsThemeActive() override { return TRUE; }
    BOOL IsAppThemed() override { return TRUE; }
    DWORD GetCommonControlsVersion() override { return 600; }
    HTHEME_SEC OpenThemeData(HWND, LPCWSTR) override { return reinterpret_cast<HTHEME_SEC>(0x50); }
    HRESULT CloseThemeData(HTHEME_SEC) override { return S_OK; }
    HRESULT DrawThemeBackground(HTHEME_SEC, HDC, int iPartId, int iStateId, const RECT* pRect, const RECT*) override
    {
        parts.emplace_back(iPartId, iStateId);
        rects.push_back(*pRect);
        return S_OK;
    }
};

// Shadow-coloured pixels per line of the heading's inside (its edges left out):
// the rows of the classic triangle, top to bottom.
std::vector<int> MarkRows(ListWindow& w, int col)
{
    SnapshotBitmap b(300, 200);
    RenderClient(w.list.m_hWnd, b);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    std::vector<int> rows;
    for (int y = 2; y < 18; ++y) {
        const int n = b.CountColor(CRect(w.list.GetColumnLeft(col) + 2, y, w.list.GetColumnRight(col) - 2, y + 1), shadow);
        if (n > 0)
            rows.push_back(n);
    }
    return rows;
}
} // namespace

TEST(ListSort, SortMarkFollowsItsColumnAndIsDrawnAsArrowClassicOrThemed)
{
    ListWindow w(kReport, 3, {100, 80, 60});
    BOOL ascending = TRUE;
    EXPECT_EQ(-1, w.list.GetSortMark(&ascending));
    EXPECT_FALSE(w.list.SetSortMark(3));
    EXPECT_TRUE(MarkRows(w, 1).empty());
    ASSERT_TRUE(w.list.SetSortMark(1, FALSE));
    EXPECT_EQ(1, w.list.GetSortMark(&ascending));
    EXPECT_FALSE(ascending);
    // Down: wide row first; up: narrow row first; both 4 + 1 lines high.
    std::vector<int> down = MarkRows(w, 1);
    ASSERT_EQ(5u, down.size());
    EXPECT_GT(down.front(), down.back());
    w.list.SetSortMark(1, TRUE);
    std::vector<int> up = MarkRows(w, 1);
    ASSERT_EQ(5u, up.size());
    EXPECT_LT(up.front(), up.back());
    EXPECT_TRUE(MarkRows(w, 0).empty() && MarkRows(w, 2).empty());

    {
        SortTheme theme;
        SnapshotBitmap b(300, 200);
        RenderClient(w.list.m_hWnd, b);
        ASSERT_EQ(1, std::count(theme.parts.begin(), theme.parts.end(), std::make_pair(4, 1)));
        const RECT arrow = theme.rects[static_cast<size_t>(
            std::find(theme.parts.begin(), theme.parts.end(), std::make_pair(4, 1)) - theme.parts.begin())];
        EXPECT_GT(arrow.left, w.list.GetColumnLeft(1) + 40) << "at the right of the heading";
        EXPECT_LE(arrow.right, w.list.GetColumnRight(1));
        theme.parts.clear();
        w.list.SetSortMark(1, FALSE);
        RenderClient(w.list.m_hWnd, b);
        EXPECT_EQ(1, std::count(theme.parts.begin(), theme.parts.end(), std::make_pair(4, 2)));
    }

    ASSERT_TRUE(w.list.MoveColumn(1, 3)); // to the end
    EXPECT_EQ(2, w.list.GetSortMark());
    EXPECT_EQ(5u, MarkRows(w, 2).size());
    ASSERT_TRUE(w.list.DeleteColumn(2));
    EXPECT_EQ(-1, w.list.GetSortMark()) << "the mark goes with its column";
    w.list.AddColumn(L"new", LVCFMT_LEFT, 60);
    EXPECT_EQ(-1, w.list.GetSortMark());
    EXPECT_TRUE(w.list.SetSortMark(0) && w.list.SetSortMark(-1));
    EXPECT_EQ(-1, w.list.GetSortMark());
}
