// Label widths without a GDI call per label: the character-width table
// answers what GetTextExtentPoint32W answers, and the tree's horizontal range
// (the widest label of its single column) follows labels that come and go.
#include <random>
#include "listctrl/SECListCharWidths.h"
#include "treectrl/TreeTestSupport.h"

namespace {
// A screen context with a font of its own.
struct ScreenFont
{
    HDC hdc = ::GetDC(nullptr);
    HFONT hFont;
    HGDIOBJ hOld;
    ScreenFont(LPCWSTR face, int height, int weight, BOOL italic)
        : hFont(::CreateFontW(height, 0, 0, 0, weight, italic, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face))
    {
        hOld = ::SelectObject(hdc, hFont);
    }
    ~ScreenFont()
    {
        ::SelectObject(hdc, hOld);
        ::DeleteObject(hFont);
        ::ReleaseDC(nullptr, hdc);
    }
    SIZE Extent(const std::wstring& text) const
    {
        SIZE size{};
        ::GetTextExtentPoint32W(hdc, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }
};
} // namespace

TEST(CharWidths, MeasureAsTheTextExtentOrNotAtAll)
{
    std::mt19937 random(5);
    int measured = 0;
    for (LPCWSTR face : {L"Tahoma", L"MS Shell Dlg", L"Courier New", L"DejaVu Serif"}) {
        for (int weight : {FW_NORMAL, FW_BOLD}) {
            for (BOOL italic : {FALSE, TRUE}) {
                ScreenFont font(face, -13, weight, italic);
                const SECListCharWidths table(font.hdc);
                if (!table.IsUsable())
                    continue; // such a font is measured with GDI: nothing to compare
                for (int i = 0; i < 300; ++i) {
                    std::wstring text;
                    for (size_t n = 1 + random() % 40; text.size() < n;)
                        text += static_cast<WCHAR>(0x20 + random() % 0xE0);
                    SIZE size{};
                    if (!table.Measure(text.c_str(), static_cast<int>(text.size()), size))
                        continue; // a character without a glyph
                    const SIZE gdi = font.Extent(text);
                    ASSERT_TRUE(size.cx == gdi.cx && size.cy == gdi.cy) << "font " << face << " text " << i;
                    ++measured;
                }
                SIZE size{-1, -1};
                const WCHAR outside[] = {L'a', 0x4E00, L'b'};
                EXPECT_FALSE(table.Measure(outside, 3, size) || table.Measure(L"a\tb", 3, size) ||
                             table.Measure(L"", 0, size));
                EXPECT_TRUE(size.cx == -1 && table.GetWidth(0x100) == -1 && table.GetWidth(L'\n') == -1);
            }
        }
    }
    EXPECT_GT(measured, 300) << "the usual fonts have usable tables";
}

TEST(CharWidths, OneTablePerFontReadOnce)
{
    ScreenFont tahoma(L"Tahoma", -13, FW_NORMAL, FALSE), big(L"Tahoma", -20, FW_NORMAL, FALSE);
    SECListCharWidths::ForgetAll();
    const SECListCharWidths* pFirst = SECListCharWidths::ForFont(tahoma.hdc, tahoma.hFont);
    ASSERT_NE(nullptr, pFirst);
    // Another handle of the same font shares the table; the font selected stays.
    HFONT same = ::CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    EXPECT_EQ(pFirst, SECListCharWidths::ForFont(tahoma.hdc, same));
    EXPECT_EQ(static_cast<HGDIOBJ>(tahoma.hFont), ::GetCurrentObject(tahoma.hdc, OBJ_FONT));
    const SECListCharWidths* pBig = SECListCharWidths::ForFont(tahoma.hdc, big.hFont);
    ASSERT_TRUE(pBig != nullptr && pBig != pFirst);
    EXPECT_EQ(big.Extent(L"W").cx, pBig->GetWidth(L'W'));
    EXPECT_EQ(nullptr, SECListCharWidths::ForFont(tahoma.hdc, nullptr));
    ::DeleteObject(same);
}

using TreeLabelWidth = TreeFixture;

// The single column is as wide as the widest label (its right edge plus a
// margin), as GDI measures it, however the rows came and went.
TEST_F(TreeLabelWidth, HorizontalRangeFollowsTheWidestLabel)
{
    CClientDC dc(&tree);
    HGDIOBJ old = dc.SelectObject(tree.GetOwnerFont());
    auto right = [&](LPCWSTR text) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc.GetSafeHdc(), text, lstrlenW(text), &size);
        return tree.GetIndent() + 6 + size.cx + 5; // a child's indent, label origin, width, margin
    };
    auto inside = [&] {
        CRect rect;
        tree.GetInsideRect(rect);
        return rect.Width();
    };
    const std::wstring wide(60, L'W'), wider = wide + L"\u00C6\u00C6", widest = wider + L"W";
    HTREEITEM hParent = tree.InsertItem(L"parent");
    HTREEITEM hWide = tree.InsertItem(wide.c_str(), hParent);
    HTREEITEM hWidest = tree.InsertItem(widest.c_str(), hParent);
    HTREEITEM hWider = tree.InsertItem(wider.c_str(), hParent);
    HTREEITEM hTwin = tree.InsertItem(widest.c_str(), hParent);
    for (int i = 0; i < 50; ++i)
        tree.InsertItem(L"short", hParent);
    EXPECT_EQ(inside(), tree.GetTotalWidth()) << "collapsed: only the parent";
    ASSERT_TRUE(tree.Expand(hParent, TVE_EXPAND));
    EXPECT_EQ(right(widest.c_str()), tree.GetTotalWidth());
    tree.DeleteItem(hWidest); // its twin is as wide
    EXPECT_EQ(right(widest.c_str()), tree.GetTotalWidth());
    tree.DeleteItem(hTwin);
    EXPECT_EQ(right(wider.c_str()), tree.GetTotalWidth());
    tree.DeleteItem(hWider);
    EXPECT_EQ(right(wide.c_str()), tree.GetTotalWidth());
    tree.SetItemText(hWide, 0, L"narrow");
    EXPECT_EQ(inside(), tree.GetTotalWidth());
    tree.InsertItem(wider.c_str(), hParent);
    EXPECT_EQ(right(wider.c_str()), tree.GetTotalWidth());
    // Rows that come in while the others' widths are counted are counted on
    // their own: between other rows, several times in a row, then gone again.
    HTREEITEM hOther = tree.InsertItem(L"other", TVI_ROOT, hParent);
    tree.InsertItem(widest.c_str(), hOther);
    tree.InsertItem(L"short", hOther);
    ASSERT_TRUE(tree.Expand(hOther, TVE_EXPAND));
    EXPECT_EQ(right(widest.c_str()), tree.GetTotalWidth()) << "rows inserted above counted ones";
    ASSERT_TRUE(tree.Expand(hOther, TVE_COLLAPSE));
    EXPECT_EQ(right(wider.c_str()), tree.GetTotalWidth());
    ASSERT_TRUE(tree.Expand(hOther, TVE_EXPAND));
    tree.InsertItem((widest + L"W").c_str(), hOther, TVI_FIRST);
    EXPECT_EQ(right((widest + L"W").c_str()), tree.GetTotalWidth()) << "a row inserted first below an expanded item";
    tree.DeleteItem(hOther);
    EXPECT_EQ(right(wider.c_str()), tree.GetTotalWidth());
    ASSERT_TRUE(tree.Expand(hParent, TVE_COLLAPSE));
    EXPECT_EQ(inside(), tree.GetTotalWidth());
    dc.SelectObject(old);
}
