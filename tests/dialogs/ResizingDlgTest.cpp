// CResizingDlg with a real dialog: controls follow their anchors when the
// window is resized, checked on the windows and on the rendered pixels; the
// minimum size, the grip, and the size kept in the layout key.
#include <algorithm>
#include <vector>
#include "DialogTestSupport.h"
#include "DialogsTestIds.h"
#include "dialogs/CResizingDlg.h"
#include "snapshot/Snapshot.h"

namespace {
const WCHAR kLayout[] = L"Resizing";

class CTestResizingDlg : public CResizingDlg
{
public:
    CTestResizingDlg() : CResizingDlg(TestModule(), IDD_TEST_RESIZING, 0, 0) { SetLayoutName(kLayout); }
    std::vector<CSize> resized; // every OnControlsResized
    bool withPanes = true;
    void InitControlInfo() override
    {
        RegisterControl(IDC_TEST_EDIT, ANCHOR_SIZE_X);
        RegisterControl(IDC_TEST_PANEL, ANCHOR_SIZE_X | ANCHOR_SIZE_Y);
        RegisterControl(4242, ANCHOR_SIZE_X); // not in the template: skipped
        if (withPanes) {
            RegisterControl(IDC_TEST_UPPER, ANCHOR_MOVE_X | ANCHOR_SIZE_Y | ANCHOR_SPLIT_Y, SPLIT_UPPER);
            RegisterControl(IDC_TEST_LOWER, ANCHOR_MOVE_X | ANCHOR_MOVE_Y | ANCHOR_SIZE_Y | ANCHOR_SPLIT_Y, SPLIT_LOWER);
        }
        RegisterControl(IDOK, ANCHOR_MOVE_X | ANCHOR_MOVE_Y);
    }
    void OnControlsResized(int cx, int cy) override { resized.push_back(CSize(cx, cy)); }
    void SaveLayoutData(CRegistryKey& key) override { key.SetString(L"Extra", L"kept"); }
};

CSize WindowSize(HWND hWnd)
{
    CRect r;
    GetWindowRect(hWnd, &r);
    return r.Size();
}

void Resize(CWnd& dlg, int cx, int cy)
{
    dlg.SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
} // namespace

using ResizingDlg = LayoutKeyTest;

TEST_F(ResizingDlg, NothingMovesBeforeInitialisation)
{
    CTestResizingDlg dlg;
    EXPECT_FALSE(dlg.ResizeControls(500, 400));
    EXPECT_EQ(0, dlg.GetControlInfo().GetSize());
    EXPECT_EQ(CSize(0, 0), dlg.GetMinimumSize());
}

TEST_F(ResizingDlg, ControlsFollowTheirAnchorsOnScreenAndInPixels)
{
    CTestResizingDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    dlg.ShowWindow(SW_SHOWNA);
    ASSERT_EQ(5, dlg.GetControlInfo().GetSize()); // the missing control is not registered
    const CRect client0 = dlg.GetInitialClientRect();
    const CRect panel0 = ControlRect(dlg, IDC_TEST_PANEL);
    const CRect ok0 = ControlRect(dlg, IDOK);
    const CRect edit0 = ControlRect(dlg, IDC_TEST_EDIT);
    const CRect upper0 = ControlRect(dlg, IDC_TEST_UPPER);
    const CRect lower0 = ControlRect(dlg, IDC_TEST_LOWER);
    const CSize size0 = WindowSize(dlg);
    EXPECT_EQ(size0, dlg.GetMinimumSize());

    Resize(dlg, size0.cx + 141, size0.cy + 100);
    CRect client;
    dlg.GetClientRect(&client);
    const int dx = client.Width() - client0.Width();
    const int dy = client.Height() - client0.Height();
    ASSERT_EQ(141, dx);
    ASSERT_EQ(100, dy);
    ASSERT_FALSE(dlg.resized.empty());
    EXPECT_EQ(client.Size(), dlg.resized.back());

    const CRect panel = ControlRect(dlg, IDC_TEST_PANEL);
    EXPECT_EQ(CRect(panel0.left, panel0.top, panel0.right + dx, panel0.bottom + dy), panel);
    EXPECT_EQ(CRect(ok0.left + dx, ok0.top + dy, ok0.right + dx, ok0.bottom + dy), ControlRect(dlg, IDOK));
    EXPECT_EQ(CRect(edit0.left, edit0.top, edit0.right + dx, edit0.bottom), ControlRect(dlg, IDC_TEST_EDIT));
    // The panes share the growth in the ratio of their heights; the lower one stays below the upper.
    const CRect upper = ControlRect(dlg, IDC_TEST_UPPER);
    const CRect lower = ControlRect(dlg, IDC_TEST_LOWER);
    const int total = upper0.Height() + lower0.Height() + dy;
    const int lowerHeight = std::max(84, lower0.Height() * total / (upper0.Height() + lower0.Height()));
    EXPECT_EQ(lowerHeight, lower.Height());
    EXPECT_EQ(total - lowerHeight, upper.Height());
    EXPECT_EQ(lower0.top - upper0.bottom, lower.top - upper.bottom);
    EXPECT_EQ(upper0.left + dx, upper.left);

    // The size grip sits in the new bottom right corner.
    CWnd& grip = dlg.GetSizeGrip();
    ASSERT_NE(nullptr, grip.m_hWnd);
    const CRect gripRect = ControlRect(dlg, CResizingDlg::IDC_SIZE_GRIP);
    EXPECT_EQ(client.BottomRight(), gripRect.BottomRight());

    // Pixels: the dark panel reaches its new corner and stops there.
    // Rendered as a whole window; the client area starts at the frame's inset.
    CRect window;
    dlg.GetWindowRect(&window);
    CPoint origin(0, 0);
    dlg.ClientToScreen(&origin);
    const CSize inset = origin - window.TopLeft();
    SnapshotBitmap bitmap(window.Width(), window.Height());
    RenderWindow(dlg, bitmap);
    const auto at = [&](int x, int y) { return bitmap.Pixel(x + inset.cx, y + inset.cy); };
    const COLORREF dark = at(panel.CenterPoint().x, panel.CenterPoint().y);
    EXPECT_NE(at(client.CenterPoint().x, client.bottom - 3), dark);
    EXPECT_EQ(dark, at(panel.right - 1, panel.bottom - 1));
    EXPECT_EQ(dark, at(panel0.right + 5, panel0.bottom + 5)); // newly covered
    EXPECT_NE(dark, at(panel.right + 1, panel.bottom - 1));
    EXPECT_NE(dark, at(panel.right - 1, panel.bottom + 1));
    SaveSnapshot(dlg, L"resizing-dialog-large");

    // Back to the template size: everything where the template put it.
    Resize(dlg, size0.cx, size0.cy);
    EXPECT_EQ(panel0, ControlRect(dlg, IDC_TEST_PANEL));
    EXPECT_EQ(ok0, ControlRect(dlg, IDOK));
    SaveSnapshot(dlg, L"resizing-dialog-small");

    // Never smaller than the template.
    MINMAXINFO info{};
    dlg.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(size0.cx, info.ptMinTrackSize.x);
    EXPECT_EQ(size0.cy, info.ptMinTrackSize.y);
    Resize(dlg, 40, 30);
    EXPECT_EQ(size0, WindowSize(dlg));
    EXPECT_FALSE(KeyExists()); // resizing writes nothing
}

TEST_F(ResizingDlg, SizeIsSavedOnOkAndTakenByTheNextOpening)
{
    const CString key = LayoutKey(kLayout);
    CSize size0;
    {
        CTestResizingDlg dlg;
        ASSERT_TRUE(dlg.CreateModeless());
        size0 = WindowSize(dlg);
        Resize(dlg, size0.cx + 60, size0.cy + 40);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDOK)->m_hWnd));
        EXPECT_FALSE(dlg.IsWindowVisible()); // ended: hidden
    }
    CString expected;
    expected.Format(L"%d,%d", size0.cx + 60, size0.cy + 40);
    EXPECT_EQ(expected, ReadString(key, L"WH"));
    EXPECT_EQ(0, ReadDword(key, L"WP"));
    EXPECT_EQ(L"kept", ReadString(key, L"Extra")); // the derived class's own values
    CTestResizingDlg again;
    ASSERT_TRUE(again.CreateModeless());
    EXPECT_EQ(CSize(size0.cx + 60, size0.cy + 40), WindowSize(again));
}

TEST_F(ResizingDlg, BadStoredSizesGiveTheTemplateOrTheTrackingLimit)
{
    const CString key = LayoutKey(kLayout);
    CSize size0;
    {
        CTestResizingDlg dlg;
        ASSERT_TRUE(dlg.CreateModeless());
        size0 = WindowSize(dlg);
    }
    const struct { LPCWSTR wh; CSize expected; } cases[] = {
        {L"400", size0},                          // no comma
        {L",300", size0},                         // an empty part
        {L"0,0", size0},                          // below the template
        {L"-50,-60", size0},
        // Applied as stored: the window manager keeps a sizable frame within its tracking limit.
        {L"999999,999999", CSize(GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK))},
        {L"2147483647,abc", CSize(GetSystemMetrics(SM_CXMAXTRACK), size0.cy)},
        {L"700,500", CSize(700, 500)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.wh));
        WriteString(key, L"WH", c.wh);
        WriteValue(key, L"WP", REG_SZ, L"2", 4); // a string is not a placement
        CTestResizingDlg dlg;
        ASSERT_TRUE(dlg.CreateModeless());
        EXPECT_EQ(c.expected, WindowSize(dlg));
        EXPECT_FALSE(dlg.IsZoomed());
    }
}
