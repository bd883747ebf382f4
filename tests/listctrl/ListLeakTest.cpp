// Lists and trees made, filled (image lists, columns, rows, owner texts),
// painted (WM_PAINT, WM_PRINTCLIENT, pressed and dragged headings), edited,
// scrolled, shown tips and destroyed 200 times leave the process with no more
// GDI or USER objects than before.
//
// GetGuiResources answers 0 under Wine, so support/ObjectCensus counts: GDI
// handles by asking GetObjectType about every slot of the handle table, the
// framework's GDI and DC wrappers by their own counters, windows by
// enumerating those of the thread, icons, cursors and menus by probing every
// slot of the USER handle table. The census first proves it sees one more of
// each kind.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "ListTestSupport.h"
#include "support/ObjectCensus.h"
#include "support/OwnerWindow.h"
#include "support/SolidImages.h"
#include "treectrl/SECTreeCtrl.h"

namespace {
// WM_PAINT now (with the child scroll bars), and WM_PRINTCLIENT into a memory DC.
void Paint(HWND hWnd, bool now = true)
{
    if (now)
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 400, 300);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
}

void Send(HWND hWnd, UINT message, WPARAM wParam, CPoint p)
{
    ::SendMessageW(hWnd, message, wParam, MAKELPARAM(p.x, p.y));
}

// Scroll bars both ways, by bar messages and the wheel.
void Scroll(HWND hWnd)
{
    ::SendMessageW(hWnd, WM_VSCROLL, SB_PAGEDOWN, 0);
    ::SendMessageW(hWnd, WM_HSCROLL, SB_PAGERIGHT, 0);
    ::SendMessageW(hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-2 * WHEEL_DELTA)), MAKELPARAM(50, 50));
}

// An edit typed into and committed, and one cancelled.
void Edit(SECListBaseC& list, int row)
{
    if (list.EditLabel(row, 0) != nullptr && list.GetEditControl()->m_hWnd != nullptr) {
        for (WCHAR ch : std::wstring(L"typed"))
            ::SendMessageW(list.GetEditControl()->m_hWnd, WM_CHAR, ch, 1);
        list.EndLabelEdit(TRUE);
    }
    list.EditLabel(row + 1, 0);
    list.EndLabelEdit(FALSE);
}

// A heading pressed, dragged (its drag image shown) and released elsewhere;
// a tip shown over a clipped text and hidden again.
void HeadingDragAndTip(SECListBaseC& list)
{
    const CPoint heading((list.GetColumnLeft(1) + list.GetColumnRight(1)) / 2, 8);
    Send(list.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, heading);
    Send(list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, CPoint(heading.x + 30, 8));
    Send(list.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, CPoint(heading.x + 60, 10));
    Send(list.m_hWnd, WM_LBUTTONUP, 0, CPoint(heading.x + 60, 10));
    list.DrawHeaderItem(0, TRUE);
    list.DrawHeaderItem(0, FALSE);
    delete list.CreateHeaderDragImage(1);
    CRect label;
    if (list.GetCellRect(list.GetTopIndex(), 0, label, SECListBaseC::kCellLabel))
        Send(list.m_hWnd, WM_MOUSEMOVE, 0, label.CenterPoint());
    Send(list.m_hWnd, WM_MOUSEMOVE, 0, CPoint(2, 190));
    list.SendMessage(WM_CANCELMODE);
}

void ListCycle(OwnerWindow& owner, CImageList& images, HFONT hFont, bool shared)
{
    auto list = std::make_unique<SECListCtrl>();
    const DWORD style = LVS_REPORT | LVS_NOLABELWRAP | LVS_EDITLABELS | LVS_SHOWSELALWAYS |
                        (shared ? LVS_SHAREIMAGELISTS : 0u);
    ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | style,
                             SEC_LVSX_TIPS | SEC_LVSX_HGRID | SEC_LVSX_VGRID | SEC_LVSX_FULLROWSELECT,
                             CRect(0, 0, 300, 200), &owner, 7));
    list->SetListStyleEx(list->GetListStyleEx() | SEC_LVSX_REORDER_COLUMNS);
    list->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    for (int type : {SECListBaseC::kImageSmall, SECListBaseC::kImageHeader, SECListBaseC::kImageState})
        list->SetImageList(&images, type);
    list->SetImageList(&images, SECListBaseC::kImageSmall); // the copy it replaces goes too
    list->AddColumn(L"Name", LVCFMT_LEFT, 120, -1, 0);
    list->AddColumn(L"Size", LVCFMT_RIGHT, 90, -1, 1);
    list->AddColumn(L"Kind", LVCFMT_CENTER, 150, -1, 2);
    for (int i = 0; i < 16; ++i) {
        list->InsertItem(i, i % 7 == 3 ? LPSTR_TEXTCALLBACKW : L"A row with a text too long for its column", i % 3);
        SetCell(*list, i, 1, L"12 KB");
    }
    list->UpdateScrollBars();
    list->SetFocus();
    Paint(list->m_hWnd);
    HeadingDragAndTip(*list);
    Edit(*list, 2);
    Scroll(list->m_hWnd);
    list->DeleteColumn(2);
    list->InsertColumn(1, L"Again", LVCFMT_LEFT, 60, -1, 1);
    Paint(list->m_hWnd, false);
    list->DestroyWindow();
}

void TreeCycle(OwnerWindow& owner, CImageList& images, HFONT hFont)
{
    auto tree = std::make_unique<SECTreeCtrl>();
    ASSERT_TRUE(tree->Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS,
                             CRect(0, 0, 300, 200), &owner, 8));
    tree->ModifyTreeExStyle(0, SEC_TVSX_HEADER | SEC_TVSX_HEADERBTNS | SEC_TVSX_REORDER | SEC_TVSX_TIPS);
    tree->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    tree->SetImageList(&images, SECListBaseC::kImageSmall);
    tree->SetImageList(&images, SECListBaseC::kImageHeader);
    tree->EnableSubItemStorage(TRUE);
    tree->InsertColumn(1, L"Size", LVCFMT_RIGHT, 80);
    tree->InsertColumn(2, L"Kind", LVCFMT_LEFT, 120);
    for (int i = 0; i < 4; ++i) {
        const HTREEITEM hFolder = tree->InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, L"A folder of the tree",
                                                   i % 3, (i + 1) % 3, 0, 0, 0, TVI_ROOT, TVI_LAST);
        tree->SetItemText(hFolder, 1, L"4 items");
        for (int j = 0; j < 3; ++j) {
            const HTREEITEM hItem = tree->InsertItem(j == 1 ? LPSTR_TEXTCALLBACKW : L"A file", hFolder, TVI_SORT);
            tree->SetItemText(hItem, 2, L"Document");
        }
    }
    tree->ExpandAll(TVI_ROOT, TRUE);
    tree->SetFocus();
    Paint(tree->m_hWnd);
    HeadingDragAndTip(*tree);
    tree->SelectItem(tree->GetChildItem(tree->GetRootItem()), TVGN_CARET);
    Edit(*tree, 1);
    Scroll(tree->m_hWnd);
    tree->Expand(tree->GetRootItem(), TVE_COLLAPSE);
    tree->DeleteItem(tree->GetNextSiblingItem(tree->GetRootItem()));
    Paint(tree->m_hWnd, false);
    tree->DestroyWindow();
}
} // namespace

TEST(ListLeak, TwoHundredListsAndTreesMadeUsedAndDestroyedLeaveNoGdiOrUserObjectBehind)
{
    OwnerWindow owner;
    owner.ShowWindow(SW_SHOW);
    owner.onNotify = [](NMHDR* header, LRESULT&) {
        if (header->code == LVN_GETDISPINFOW) {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
            if ((item.mask & LVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0)
                lstrcpynW(item.pszText, L"the owner's text, long enough to be clipped", item.cchTextMax);
        } else if (header->code == TVN_GETDISPINFOW) {
            TVITEMW& item = reinterpret_cast<NMTVDISPINFOW*>(header)->item;
            if ((item.mask & TVIF_TEXT) && item.pszText != nullptr && item.cchTextMax > 0)
                lstrcpynW(item.pszText, L"the owner's label", item.cchTextMax);
        }
        return false;
    };
    CImageList images;
    AddSolidImages(images, {RGB(200, 0, 0), RGB(0, 150, 0), RGB(0, 0, 210)});
    LOGFONTW lf{};
    lf.lfHeight = -13;
    lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
    CFont font;
    font.CreateFontIndirect(&lf);
    auto cycle = [&](int i) {
        ListCycle(owner, images, font, i % 4 == 1);
        TreeCycle(owner, images, font);
    };
    // What the first controls make once and keep (shared brushes and pens, the
    // divider cursor, class registrations, theme data) is not a leak.
    cycle(0);
    cycle(1);

    const ObjectCensus before = ObjectCensus::Take();
    {
        // The census sees one more of each kind.
        CBrush brush(RGB(1, 2, 3));
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        const ObjectCensus gdi = ObjectCensus::Take();
        EXPECT_EQ(before.gdiHandles + 2, gdi.gdiHandles) << "a brush and a DC";
        EXPECT_EQ(before.gdiWrappers + 1, gdi.gdiWrappers);
        EXPECT_EQ(before.dcWrappers + 1, gdi.dcWrappers);
        HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, owner.m_hWnd, nullptr, nullptr, nullptr);
        HICON hIcon = images.ExtractIcon(0);
        HMENU hMenu = ::CreateMenu();
        const ObjectCensus user = ObjectCensus::Take();
        EXPECT_EQ(gdi.windows + 1, user.windows);
        EXPECT_EQ(gdi.iconsCursors + 1, user.iconsCursors);
        EXPECT_EQ(gdi.menus + 1, user.menus);
        ::DestroyMenu(hMenu);
        ::DestroyIcon(hIcon);
        ::DestroyWindow(hWnd);
    }
    for (int i = 2; i < 202; ++i)
        cycle(i);
    const ObjectCensus after = ObjectCensus::Take();
    EXPECT_TRUE(before.NoneGrewIn(after)) << "before: " << before.Describe() << "\nafter:  " << after.Describe();
    owner.onNotify = nullptr;
}
