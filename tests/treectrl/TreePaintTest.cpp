// The tree column on pixels and points: dotted lines that line up across
// rows, buttons in both looks, images, bold and grey labels; every hit code at
// its boundaries; bad input; drag images. The indent and button arithmetic is
// pinned without a window (TreeGeometryTest), the button click by TreeInput.
#include <memory>
#include <vector>
#include "snapshot/Snapshot.h"
#include "support/ObjectCensus.h"
#include "support/SolidImages.h"
#include "listctrl/SECThemeApi.h"
#include "treectrl/TreeTestSupport.h"

namespace {
const COLORREF kUnpainted = RGB(255, 0, 255);
const COLORREF kImageColor = RGB(18, 154, 52);
const COLORREF kStateColor = RGB(200, 40, 140);
const DWORD kTreeStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

class TreePaint : public ::testing::Test
{
protected:
    void Make(DWORD style = kTreeStyle, const CRect& rect = CRect(0, 0, 300, 200))
    {
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | style, rect, &owner, 100));
        owner.ShowWindow(SW_SHOW);
    }
    std::unique_ptr<SnapshotBitmap> Render()
    {
        CRect client;
        tree.GetClientRect(&client);
        auto bitmap = std::make_unique<SnapshotBitmap>(client.Width(), client.Height(), kUnpainted);
        RenderClient(tree.m_hWnd, *bitmap);
        return bitmap;
    }
    CRect Cell(HTREEITEM hItem)
    {
        CRect cell;
        tree.GetCellRect(tree.RowOf(hItem), 0, cell, SECTreeCtrl::kCellWhole);
        return cell;
    }
    CRect Button(HTREEITEM hItem)
    {
        CRect button;
        tree.GetButtonRect(button, tree.RowOf(hItem), Cell(hItem));
        return button;
    }
    // A rectangle of a row record, in client coordinates.
    CRect InCell(HTREEITEM hItem, CRect part)
    {
        const CRect cell = Cell(hItem);
        part.OffsetRect(cell.left, cell.top);
        return part;
    }
    SECListItem* Row(HTREEITEM hItem) { return tree.GetItemAt(tree.RowOf(hItem)); }
    UINT Hit(CPoint point, HTREEITEM* phItem = nullptr)
    {
        UINT flags = 0;
        HTREEITEM hItem = tree.HitTestItem(point, &flags);
        if (phItem != nullptr)
            *phItem = hItem;
        return flags;
    }

    OwnerWindow owner;
    SECTreeCtrl tree;
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
};
} // namespace

TEST_F(TreePaint, LinesAreDottedAndLineUpAcrossRowsButtonsShowTheirState)
{
    Make();
    auto t = Shape(tree, "a+(a1 a2(x)) b");
    auto bitmap = Render();
    // a1's horizontal line: dots on even x from the button column to before the label.
    const CRect c1 = Cell(t["a1"]);
    const int midY = c1.top + c1.Height() / 2;
    const int x = Button(t["a1"]).CenterPoint().x;
    const int end = c1.left + Row(t["a1"])->m_rcText.left - 1;
    for (int px = x + 2; px < end - 1; px += 2) {
        EXPECT_EQ(shadow, bitmap->Pixel(px, midY)) << px;
        EXPECT_EQ(window, bitmap->Pixel(px + 1, midY)) << px;
    }
    // a1 has a following sibling: its vertical line runs from its top to its
    // bottom, on the same even rows as a2's above-the-middle part.
    const int lineX = Button(t["a1"]).left + Button(t["a1"]).Width() / 2;
    for (int y = (c1.top + 1) & ~1; y < Button(t["a2"]).top; y += 2)
        EXPECT_EQ(shadow, bitmap->Pixel(lineX, y)) << y;
    // Buttons: a is expanded (minus only), a2 collapsed (plus).
    for (auto [name, plus] : {std::pair{"a", false}, std::pair{"a2", true}}) {
        const CRect b = Button(t[name]);
        const int mx = (b.left + b.right) / 2, my = (b.top + b.bottom) / 2, arm = b.Width() / 3;
        EXPECT_EQ(shadow, bitmap->Pixel(b.left, my)) << name << ": frame";
        EXPECT_EQ(ink, bitmap->Pixel(mx + 1, my)) << name << ": minus";
        EXPECT_EQ(plus ? ink : RGB(255, 255, 255), bitmap->Pixel(mx, my - arm + 1)) << name << ": plus";
    }
    // a1 and b have no children: no button, the line passes.
    EXPECT_EQ(0, bitmap->CountColor(Button(t["b"]), ink));
}

TEST_F(TreePaint, ThemedButtonsGoThroughTheThemeSeam)
{
    struct FakeTheme : SECThemeApi
    {
        BOOL IsThemeActive() override { return TRUE; }
        BOOL IsAppThemed() override { return TRUE; }
        DWORD GetCommonControlsVersion() override { return 600; }
        HTHEME_SEC OpenThemeData(HWND, LPCWSTR cls) override
        {
            opened = cls;
            return reinterpret_cast<HTHEME_SEC>(1);
        }
        HRESULT CloseThemeData(HTHEME_SEC) override { return S_OK; }
        HRESULT DrawThemeBackground(HTHEME_SEC, HDC hdc, int part, int state, const RECT* r, const RECT*) override
        {
            if (part == 2) {
                drawn.push_back(state);
                ::FillRect(hdc, r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
            }
            return S_OK;
        }
        CString opened;
        std::vector<int> drawn;
    } fake;
    SECThemeApi::SetForTesting(&fake);
    Make();
    auto t = Shape(tree, "a+(a1) b(b1)");
    auto bitmap = Render();
    tree.SendMessage(WM_THEMECHANGED); // closes the fake's handle while the fake is in place
    SECThemeApi::SetForTesting(nullptr);
    EXPECT_EQ(CString(L"TREEVIEW"), fake.opened);
    EXPECT_EQ((std::vector<int>{2, 1}), fake.drawn) << "opened glyph for a, closed for b";
    EXPECT_EQ(RGB(0, 0, 0), bitmap->Pixel(Button(t["b"]).CenterPoint()));
}

TEST_F(TreePaint, ImagesStateImagesBoldAndGreyLabels)
{
    Make();
    CImageList images, states;
    AddSolidImages(images, {kImageColor});
    AddSolidImages(states, {kStateColor, kStateColor});
    tree.SetImageList(&images, 0);
    tree.SetImageList(&states, 2);
    auto t = Shape(tree, "a+(a1 a2) b");
    tree.SetItemImage(t["a1"], 0, 0);
    tree.SetItemState(t["a2"], INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
    tree.SetItemImage(t["b"], 7, 7); // past the list: no image
    tree.SetItemImage(t["a"], 0, 0);
    tree.SetItemState(t["a"], TVIS_BOLD, TVIS_BOLD);
    tree.SetItemAttributes(t["b"], SECTreeAttributes{SEC_TVAF_VALUE, _Node::attrGreyed, _Node::attrGreyed});
    auto bitmap = Render();
    EXPECT_EQ(20, tree.GetIndent()) << "16-pixel images leave the indent alone";
    const CRect image = InCell(t["a1"], Row(t["a1"])->m_rcIcon);
    EXPECT_EQ(16, image.Width());
    EXPECT_EQ(kImageColor, bitmap->Pixel(image.CenterPoint()));
    EXPECT_EQ(image.right + 6, Cell(t["a1"]).left + Row(t["a1"])->m_rcText.left);
    const CRect state = InCell(t["a2"], Row(t["a2"])->m_rcState);
    EXPECT_EQ(16, state.Width());
    EXPECT_EQ(kStateColor, bitmap->Pixel(state.CenterPoint()));
    EXPECT_TRUE(Row(t["b"])->m_rcIcon.IsRectEmpty());
    // The bold label is wider than the same text in the row font; the grey one grey.
    tree.SetItemText(t["a"], 0, L"Some label text");
    tree.SetItemText(t["a1"], 0, L"Some label text");
    bitmap = Render();
    EXPECT_GT(Row(t["a"])->m_rcText.Width(), Row(t["a1"])->m_rcText.Width());
    const CRect greyLabel = InCell(t["b"], Row(t["b"])->m_rcText);
    EXPECT_GT(bitmap->CountColor(greyLabel, ::GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(0, bitmap->CountColor(greyLabel, ink));
    tree.SetImageList(nullptr, 0);
    tree.SetImageList(nullptr, 2);
}

TEST_F(TreePaint, MarkedWrappedLabelsHangUnderTheirTextAfterThePrefix)
{
    Make(kTreeStyle, CRect(0, 0, 160, 200));
    tree.SetTreeExStyle(SEC_TVSX_WRAPLABELS);
    const HTREEITEM hItem = tree.InsertItem(L"Note:\\{HI}a long text that wraps over several lines here");
    const HTREEITEM hPlain = tree.InsertItem(L"plain");
    auto bitmap = Render();
    const _Node* pNode = reinterpret_cast<_Node*>(hItem);
    ASSERT_TRUE(pNode->HasMarker());
    const SECTreeLabelCache* pCache = pNode->FindLabelCache();
    EXPECT_EQ(CString(L"Note:\\"), pCache->m_strPrefix);
    EXPECT_EQ(CString(L"a long text that wraps over several lines here"), pCache->m_strSuffix);
    EXPECT_FALSE(reinterpret_cast<_Node*>(hPlain)->HasMarker());
    const CRect label = InCell(hItem, Row(hItem)->m_rcText);
    const CRect plain = InCell(hPlain, Row(hPlain)->m_rcText);
    EXPECT_GT(label.Height(), 2 * plain.Height() - 4) << "wrapped over lines";
    // Below the first line, nothing is written under the prefix.
    const int textLeft = label.left;
    const CRect underPrefix(textLeft + 1, label.top + plain.Height() + 1, textLeft + pCache->m_nPrefixWidth - 1,
                            label.bottom - 2);
    EXPECT_EQ(0, bitmap->CountColor(underPrefix, ink));
    EXPECT_GT(bitmap->CountColor(CRect(textLeft + pCache->m_nPrefixWidth, underPrefix.top, label.right + 3,
                                       label.bottom), ink), 0);
}

TEST_F(TreePaint, EveryHitCodeAtItsBoundaries)
{
    Make(kTreeStyle, CRect(0, 0, 300, 200));
    CImageList images, states;
    AddSolidImages(images, {kImageColor});
    AddSolidImages(states, {kStateColor, kStateColor});
    tree.SetImageList(&images, 0);
    tree.SetImageList(&states, 2);
    auto t = Shape(tree, "a+(a1 a2(x))");
    tree.SetItemImage(t["a2"], 0, 0);
    tree.SetItemState(t["a2"], INDEXTOSTATEIMAGEMASK(1), TVIS_STATEIMAGEMASK);
    Render();
    const CRect cell = Cell(t["a2"]);
    const int y = cell.CenterPoint().y;
    const CRect label = InCell(t["a2"], Row(t["a2"])->m_rcText);
    const CRect image = InCell(t["a2"], Row(t["a2"])->m_rcIcon);
    const CRect state = InCell(t["a2"], Row(t["a2"])->m_rcState);
    const CRect button = Button(t["a2"]);
    HTREEITEM hItem = nullptr;
    EXPECT_EQ(0x4004u, Hit(CPoint(label.left, y), &hItem));
    EXPECT_EQ(t["a2"], hItem);
    EXPECT_EQ(0x4004u, Hit(CPoint(label.right - 1, y)));
    EXPECT_EQ(0x4020u, Hit(CPoint(label.right, y)));
    EXPECT_EQ(0x4002u, Hit(CPoint(image.left, y)));
    EXPECT_EQ(0x4002u, Hit(CPoint(image.right - 1, y)));
    EXPECT_EQ(0x4040u, Hit(CPoint(state.left, y)));
    EXPECT_EQ(0x4040u, Hit(CPoint(state.right - 1, y)));
    EXPECT_EQ(0x4010u, Hit(button.TopLeft(), &hItem));
    EXPECT_EQ(t["a2"], hItem);
    EXPECT_EQ(0x4010u, Hit(CPoint(button.right - 1, button.bottom - 1)));
    EXPECT_EQ(0x4008u, Hit(CPoint(button.left - 1, y)));
    EXPECT_EQ(0x4008u, Hit(CPoint(button.right, y)));
    // Outside the rows and the window.
    CRect client;
    tree.GetClientRect(&client);
    EXPECT_EQ(0x100u, Hit(CPoint(10, -1), &hItem));
    EXPECT_EQ(nullptr, hItem);
    EXPECT_EQ(0x200u, Hit(CPoint(10, client.bottom + 1)));
    EXPECT_EQ(0x800u, Hit(CPoint(-1, 10)));
    EXPECT_EQ(0x400u, Hit(CPoint(client.right + 1, 10)));
    EXPECT_EQ(1u, Hit(CPoint(10, client.bottom - 2), &hItem)) << "below the last row";
    EXPECT_EQ(nullptr, hItem);
    // Without the buttons style the button's place is indent.
    tree.ModifyTreeStyle(TVS_HASBUTTONS, 0);
    EXPECT_EQ(0x4008u, Hit(button.CenterPoint()));
    tree.SetImageList(nullptr, 0);
    tree.SetImageList(nullptr, 2);
}

TEST_F(TreePaint, BadInputStaysInsideTheCellAndLeaksNothing)
{
    const ObjectCensus before = ObjectCensus::Take();
    {
        SECTreeCtrl multi;
        ASSERT_TRUE(multi.Create(WS_CHILD | WS_VISIBLE | kTreeStyle, CRect(0, 0, 300, 200), &owner, 101));
        multi.InsertColumn(1, L"Size", LVCFMT_LEFT, 80);
        auto t = Shape(multi, "a+(a1+(x+(y))) b");
        multi.SetIndent(500); // wider than the column
        multi.SetItemImage(t["x"], 99, 99);
        SnapshotBitmap bitmap(300, 200, kUnpainted);
        RenderClient(multi.m_hWnd, bitmap);
        const int right = multi.GetColumnRight(0);
        EXPECT_EQ(0, bitmap.CountColor(CRect(right, 0, 300, 200), shadow)) << "nothing of column 0 in column 1";
        multi.SetColumnWidth(0, 0);
        RenderClient(multi.m_hWnd, bitmap);
        UINT flags = 0;
        multi.HitTestItem(CPoint(2, 5), &flags);
        EXPECT_NE(0u, flags);
        multi.DestroyWindow();
    }
    EXPECT_TRUE(before.NoneGrewIn(ObjectCensus::Take())) << before.Describe() << " / "
                                                         << ObjectCensus::Take().Describe();
    // A chain 10^4 levels deep paints its last rows in bounded time and space.
    Make();
    HTREEITEM hParent = TVI_ROOT, hLast = nullptr;
    for (int i = 0; i < 10000; ++i)
        hParent = hLast = tree.InsertItem(TVIF_TEXT | TVIF_STATE, L"deep", 0, 0, TVIS_EXPANDED, TVIS_EXPANDED, 0,
                                          hParent, TVI_LAST);
    tree.EnsureVisible(hLast);
    auto bitmap = Render();
    const CRect cell = Cell(hLast);
    EXPECT_FALSE(cell.IsRectEmpty());
    EXPECT_GT(Row(hLast)->m_rcText.left, 10000 * 19);
    UINT flags = 0;
    EXPECT_EQ(hLast, tree.HitTestItem(CPoint(cell.left + 5, cell.CenterPoint().y), &flags));
    EXPECT_EQ(0x4008u, flags);
}

TEST_F(TreePaint, DragImageJoinsIconAndLabel)
{
    Make();
    auto t = Shape(tree, "a b");
    EXPECT_EQ(nullptr, tree.CreateDragImage(t["a"])) << "no image list, no drag image";
    CImageList images;
    AddSolidImages(images, {kImageColor});
    tree.SetImageList(&images, 0);
    tree.SetItemImage(t["a"], 0, 0);
    std::unique_ptr<CImageList> drag(tree.CreateDragImage(t["a"]));
    ASSERT_NE(nullptr, drag);
    IMAGEINFO info{};
    ASSERT_TRUE(drag->GetImageInfo(0, &info));
    const int width = info.rcImage.right - info.rcImage.left;
    EXPECT_GT(width, 16 + 6);
    tree.SetItemImage(t["b"], 5, 5);
    std::unique_ptr<CImageList> text(tree.CreateDragImage(t["b"]));
    ASSERT_NE(nullptr, text);
    EXPECT_TRUE(text->GetImageInfo(0, &info));
    EXPECT_LT(info.rcImage.right - info.rcImage.left, width) << "an index past the list: the label alone";
    drag.reset();
    text.reset();
    tree.SetImageList(nullptr, 0);
}
