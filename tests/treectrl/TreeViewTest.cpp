// The tree as a document view (printing its rows into pages, the end-edit
// message an owner shares with the window tree), the window tree's themed
// frame, and the application tree-list control's Enter and Escape.
#include <gtest/gtest.h>
#include <algorithm>
#include <cwchar>
#include <map>
#include <string>
#include <vector>
#include "framework/Framework.h"
#include "snapshot/Snapshot.h"
#include "support/OwnerWindow.h"
#include "treectrl/CPallasTreeListCtrl.h"
#include "treectrl/SECTreeView.h"

namespace {
int ScreenDpi()
{
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

class RecordingTreeView : public SECTreeView
{
public:
    std::map<UINT, std::vector<int>> rowsByPage; // page number -> rows drawn on it

    void DrawRow(SECListPaintContext* pContext, int nItem, SECListItem* pItem, const CRect& rcRow) override
    {
        if (pContext->m_pDC->IsPrinting())
            rowsByPage[GetPrintPage()].push_back(nItem);
        SECTreeView::DrawRow(pContext, nItem, pItem, rcRow);
    }
};

// A frame with a tree-list view: three folders of ten files each, expanded.
struct TreeViewWindow
{
    CDocument doc;
    RecordingTreeView view;
    CFrameWnd frame;

    TreeViewWindow()
    {
        CCreateContext context;
        context.m_pNewView = &view;
        context.m_pCurrentDoc = &doc;
        frame.Create(nullptr, L"Tree view", WS_OVERLAPPEDWINDOW, CRect(0, 0, 420, 300), nullptr, nullptr, 0,
                     &context);
        view.ModifyTreeStyle(0, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_EDITLABELS);
        view.ModifyTreeExStyle(0, SEC_TVSX_HEADER);
        view.EnableSubItemStorage(TRUE);
        view.SetColumnHeading(0, L"Name");
        view.SetColumnWidth(0, 180);
        view.InsertColumn(1, L"Size", LVCFMT_RIGHT, 80);
        for (int folder = 0; folder < 3; ++folder) {
            wchar_t text[32];
            std::swprintf(text, 32, L"Folder %d", folder);
            const HTREEITEM hFolder = view.InsertItem(text);
            for (int file = 0; file < 10; ++file) {
                std::swprintf(text, 32, L"File %d.%d", folder, file);
                view.SetItemText(view.InsertItem(text, hFolder), 1, L"4 KB");
            }
            view.Expand(hFolder, TVE_EXPAND);
        }
        frame.InitialUpdateFrame(&doc, FALSE);
        frame.ShowWindow(SW_SHOWNOACTIVATE); // other test programs keep the foreground
    }
};

// Answers OpenThemeData for one class, records the frame drawing.
class FrameTheme : public SECThemeApi
{
public:
    explicit FrameTheme(bool open) : m_open(open) { SECThemeApi::SetForTesting(this); }
    ~FrameTheme() override { SECThemeApi::SetForTesting(nullptr); }

    std::vector<std::wstring> opened;  // class lists asked for
    std::vector<int> states;           // state of each part-1 drawing
    std::vector<HTHEME_SEC> closed;    // handles closed
    CRect drawn;                       // rectangle of the last drawing

    HTHEME_SEC OpenThemeData(HWND, LPCWSTR pszClassList) override
    {
        opened.push_back(pszClassList);
        return m_open && std::wstring(pszClassList) == L"TREEVIEW" ? kHandle : nullptr;
    }
    HRESULT CloseThemeData(HTHEME_SEC hTheme) override
    {
        closed.push_back(hTheme);
        return S_OK;
    }
    HRESULT DrawThemeBackground(HTHEME_SEC hTheme, HDC, int iPartId, int iStateId, const RECT* pRect,
                                const RECT*) override
    {
        if (hTheme == kHandle && iPartId == SECTreeCtrl::kFramePart) {
            states.push_back(iStateId);
            drawn = *pRect;
        }
        return S_OK;
    }
    static inline const HTHEME_SEC kHandle = reinterpret_cast<HTHEME_SEC>(static_cast<UINT_PTR>(0x5EC0));

private:
    bool m_open; // whether the style's data can be opened
};
} // namespace

TEST(TreeView, PrintsItsRowsOverPagesWithTheHeaderOnEach)
{
    TreeViewWindow w;
    ASSERT_EQ(33, w.view.GetItemCount());
    const int header = w.view.GetHeaderHeight();
    const int rowHeight = w.view.GetItemHeight(0) + w.view.GetRowSpacing();
    CPageBitmapDC dc(300, header + 12 * rowHeight - 1, ScreenDpi(), TRUE);
    CPrintInfo info;
    ASSERT_TRUE(w.view.PrintPages(&dc, &info, &dc));
    ASSERT_EQ(3, dc.GetPageCount());
    EXPECT_EQ(0, w.view.rowsByPage[1].front());
    EXPECT_EQ(12, w.view.rowsByPage[2].front());
    EXPECT_EQ(24, w.view.rowsByPage[3].front());
    EXPECT_EQ(32, w.view.rowsByPage[3].back());
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dc.GetPagePixel(page, 3, header / 2)) << page;
        const CSize size = dc.GetPageSize();
        SnapshotBitmap bitmap(size.cx, size.cy);
        HDC source = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(source, dc.GetPage(page));
        ::BitBlt(bitmap.GetDC(), 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        ::SelectObject(source, old);
        ::DeleteDC(source);
        wchar_t name[40];
        std::swprintf(name, 40, L"\\tree-view-page-%d.png", page + 1);
        EXPECT_TRUE(WritePng(bitmap, SnapshotFolder() + name));
    }
    EXPECT_FALSE(w.view.IsPrinting());
}

TEST(TreeView, KeysAndDoubleClicksReachTheTreeThroughTheViewsMessages)
{
    TreeViewWindow w;
    const HTREEITEM hFolder = w.view.GetChildItem(TVI_ROOT);
    w.view.SelectItem(hFolder, TVGN_CARET);
    w.view.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_FALSE(w.view.IsItemExpanded(hFolder));
    EXPECT_EQ(23, w.view.GetItemCount());
    w.view.EnsureVisible(hFolder);
    CRect label;
    ASSERT_TRUE(w.view.GetCellRect(w.view.RowOf(hFolder), 0, label, SECListBaseV::kCellLabel));
    const CPoint p = label.CenterPoint();
    w.view.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    w.view.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_TRUE(w.view.IsItemExpanded(hFolder));
    EXPECT_EQ(33, w.view.GetItemCount());
}

TEST(TreeView, OneOwnerHandlesTheEndEditMessageOfBothVariants)
{
    EXPECT_EQ(SECTreeEndLabelEditMessage, SECTreeViewEndLabelEditMessage);
    OwnerWindow owner;
    owner.answers[TVN_ENDLABELEDITW] = 1;
    int count = 0;
    owner.onRegistered = [&](UINT message, WPARAM, LPARAM) { count += message == SECTreeEndLabelEditMessage; };

    TreeViewWindow w;
    w.view.SetNotifyWnd(&owner);
    const HTREEITEM hFirst = w.view.GetChildItem(TVI_ROOT);
    SECListEdit* pEdit = w.view.EditLabel(w.view.RowOf(hFirst), 0);
    ASSERT_TRUE(pEdit != nullptr && pEdit->m_hWnd != nullptr);
    pEdit->SetWindowText(L"Renamed");
    w.view.EndLabelEdit(TRUE);
    EXPECT_EQ(CString(L"Renamed"), w.view.GetItemText(hFirst));

    SECTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_EDITLABELS, CRect(0, 0, 200, 100), &owner, 7));
    const HTREEITEM hItem = tree.InsertItem(L"Item");
    pEdit = tree.EditLabel(tree.RowOf(hItem), 0);
    ASSERT_TRUE(pEdit != nullptr && pEdit->m_hWnd != nullptr);
    pEdit->SetWindowText(L"Edited");
    tree.EndLabelEdit(TRUE);
    EXPECT_EQ(2, count);
}

TEST(TreeFrame, TheThemedFrameTakesItsStateFromEnabledAndTheParentsFocus)
{
    FrameTheme theme(true);
    OwnerWindow parent;
    parent.ShowWindow(SW_SHOW);
    {
        SECTreeCtrl tree;
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 210, 110), &parent, 5));
        tree.SetFocus();
        theme.states.clear();
        EXPECT_EQ(0, tree.SendMessage(WM_NCPAINT, 1, 0));
        ASSERT_EQ(std::vector<int>{SECTreeCtrl::kFrameNormal}, theme.states);
        EXPECT_EQ(CRect(0, 0, 200, 100), theme.drawn);
        EXPECT_EQ(FrameTheme::kHandle, tree.GetFrameTheme());
        parent.SetFocus();
        tree.SendMessage(WM_NCPAINT, 1, 0);
        tree.EnableWindow(FALSE);
        tree.SendMessage(WM_NCPAINT, 1, 0);
        EXPECT_EQ((std::vector<int>{1, SECTreeCtrl::kFrameFocusedParent, SECTreeCtrl::kFrameDisabled}),
                  theme.states);
        // Opened once, closed with the control.
        EXPECT_EQ(1, std::count(theme.opened.begin(), theme.opened.end(), std::wstring(L"TREEVIEW")));
        theme.closed.clear();
    }
    EXPECT_EQ(1, std::count(theme.closed.begin(), theme.closed.end(), FrameTheme::kHandle));
}

TEST(TreeFrame, WithoutVisualStylesNoFrameIsDrawn)
{
    FrameTheme theme(false);
    OwnerWindow parent;
    SECTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 210, 110), &parent, 5));
    EXPECT_EQ(0, tree.SendMessage(WM_NCPAINT, 1, 0));
    EXPECT_TRUE(theme.states.empty());
    EXPECT_EQ(nullptr, tree.GetFrameTheme());
}

class TreeListKeys : public ::testing::Test
{
protected:
    void SetUp() override
    {
        parent.ShowWindow(SW_SHOW);
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &parent, 100));
        tree.InsertItem(L"Item");
        tree.m_pOwnerDialog = &dialog;
        tree.SetFocus();
    }
    // The commands the owner dialog got for one key.
    std::vector<UINT_PTR> Press(UINT vkey)
    {
        dialog.Clear();
        tree.SendMessage(WM_KEYDOWN, vkey, 1);
        std::vector<UINT_PTR> ids;
        for (const RecordedMessage& m : dialog.messages)
            if (m.message == WM_COMMAND)
                ids.push_back(m.idFrom);
        return ids;
    }
    OwnerWindow parent;  // the control's parent
    OwnerWindow dialog;  // the owner dialog, another window
    CPallasTreeListCtrl tree;
};

TEST_F(TreeListKeys, EnterAndEscapeReachTheOwnerDialog)
{
    EXPECT_EQ(std::vector<UINT_PTR>{IDOK}, Press(VK_RETURN));
    EXPECT_EQ(std::vector<UINT_PTR>{IDCANCEL}, Press(VK_ESCAPE));
    EXPECT_TRUE(Press(VK_DOWN).empty());
}

TEST_F(TreeListKeys, NothingIsForwardedWhenSwitchedOffSuspendedUnownedOrUnfocused)
{
    tree.m_bForwardDefaultKeys = FALSE;
    EXPECT_TRUE(Press(VK_RETURN).empty());
    tree.m_bForwardDefaultKeys = TRUE;
    tree.m_bForwardingSuspended = TRUE;
    EXPECT_TRUE(Press(VK_ESCAPE).empty());
    tree.m_bForwardingSuspended = FALSE;
    tree.m_pOwnerDialog = nullptr;
    EXPECT_TRUE(Press(VK_RETURN).empty());
    tree.m_pOwnerDialog = &dialog;
    parent.SetFocus(); // the key still reaches the control
    EXPECT_TRUE(Press(VK_RETURN).empty());
}

TEST_F(TreeListKeys, AnOwnerThatDestroysTheControlOnTheKeyGetsNoCommand)
{
    parent.onNotify = [&](NMHDR* header, LRESULT&) {
        if (header->code == TVN_KEYDOWN)
            tree.DestroyWindow();
        return false;
    };
    EXPECT_TRUE(Press(VK_RETURN).empty());
    EXPECT_EQ(nullptr, tree.m_hWnd);
}
