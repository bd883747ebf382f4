#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "framework/Framework.h"

namespace {
// A window that records the messages its map handled, in order.
class CRecordingWnd : public CWnd
{
public:
    std::vector<std::string> log;

protected:
    int OnCreate(LPCREATESTRUCTW cs)
    {
        log.push_back("create");
        return cs->lpCreateParams == reinterpret_cast<void*>(1) ? -1 : CWnd::OnCreate(cs);
    }
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        log.push_back("ldown " + std::to_string(nFlags) + " " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT)
    {
        log.push_back("key " + std::to_string(nChar) + " x" + std::to_string(nRepCnt));
    }
    LRESULT OnUser(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }
    void OnButton() { log.push_back("command"); }
    void OnNotifyClick(NMHDR*, LRESULT* pResult)
    {
        log.push_back("notify");
        *pResult = 42;
    }
    void PostNcDestroy() override { log.push_back("postncdestroy"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_MESSAGE(WM_USER + 1, &CRecordingWnd::OnUser)
    ON_BN_CLICKED(7, &CRecordingWnd::OnButton)
    ON_NOTIFY(NM_CLICK, 8, &CRecordingWnd::OnNotifyClick)
END_MESSAGE_MAP()

// Derived map: takes the key itself, chains everything else to the base map.
class CDerivedWnd : public CRecordingWnd
{
protected:
    void OnKeyDown(UINT nChar, UINT, UINT) { log.push_back("derived key " + std::to_string(nChar)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CRecordingWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// A child control that handles its own notification by reflection.
class CReflectingButton : public CButton
{
public:
    int clicks = 0;

protected:
    void OnClicked() { ++clicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, &CReflectingButton::OnClicked)
END_MESSAGE_MAP()

bool CreatePopup(CWnd& wnd, void* param = nullptr, LPCWSTR className = nullptr)
{
    return wnd.CreateEx(0, className, L"t", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, param) != FALSE;
}
} // namespace

TEST(CWnd, CreationAttachesBeforeTheFirstMessageAndFailureLeavesNoWindow)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(-5, 7));
    wnd.SendMessage(WM_KEYDOWN, VK_DOWN, 3);
    EXPECT_EQ(9, wnd.SendMessage(WM_USER + 1, 4, 5));
    const std::vector<std::string> expected = {"create", "ldown 9 -5,7", "key 40 x3"};
    EXPECT_EQ(expected, wnd.log);
    HWND h = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ("postncdestroy", wnd.log.back());

    // Failed creation also runs PostNcDestroy and leaves no window.
    CRecordingWnd refused;
    EXPECT_FALSE(CreatePopup(refused, reinterpret_cast<void*>(1))); // OnCreate answers -1
    EXPECT_EQ(nullptr, refused.m_hWnd);
    EXPECT_EQ("postncdestroy", refused.log.back());
    CRecordingWnd bad;
    EXPECT_FALSE(CreatePopup(bad, nullptr, L"NoSuchClass"));
    EXPECT_EQ(std::vector<std::string>{"postncdestroy"}, bad.log);
}

TEST(CWnd, DerivedMapChainsToItsBaseAndTheObjectTakesItsWindowAlong)
{
    HWND h = nullptr;
    {
        CDerivedWnd wnd;
        ASSERT_TRUE(CreatePopup(wnd));
        h = wnd.m_hWnd;
        wnd.SendMessage(WM_KEYDOWN, 'A', 1);
        wnd.SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(1, 2));
        EXPECT_EQ(std::vector<std::string>({"create", "derived key 65", "ldown 0 1,2"}), wnd.log);
    }
    EXPECT_FALSE(IsWindow(h));
}

TEST(CWnd, ChildNotificationsAreReflectedFirst)
{
    CRecordingWnd parent;
    ASSERT_TRUE(CreatePopup(parent));
    CReflectingButton reflecting;
    ASSERT_TRUE(reflecting.Create(L"r", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), &parent, 7));
    CButton plain;
    ASSERT_TRUE(plain.Create(L"p", WS_CHILD | WS_VISIBLE, CRect(0, 30, 50, 50), &parent, 7));

    parent.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(reflecting.m_hWnd));
    EXPECT_EQ(1, reflecting.clicks);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(plain.m_hWnd));
    NMHDR nm{plain.m_hWnd, 8, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(42, parent.SendMessage(WM_NOTIFY, 8, reinterpret_cast<LPARAM>(&nm)));
    EXPECT_EQ(std::vector<std::string>({"create", "command", "notify"}), parent.log);
}

TEST(CWnd, SubclassingRoutesAnExistingWindowAndUnsubclassRestoresIt)
{
    HWND edit = CreateWindowExW(0, L"EDIT", L"abc", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    const LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    {
        CRecordingWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(edit));
        EXPECT_FALSE(CRecordingWnd().SubclassWindow(edit)); // one object per window
        wnd.SendMessage(WM_KEYDOWN, 'Q', 1);
        EXPECT_EQ("key 81 x1", wnd.log.back());
        CString text;
        wnd.GetWindowText(text); // unhandled messages reach the edit control
        EXPECT_STREQ(L"abc", text);
        EXPECT_EQ(edit, wnd.UnsubclassWindow());
    }
    EXPECT_TRUE(IsWindow(edit));
    EXPECT_EQ(original, GetWindowLongPtrW(edit, GWLP_WNDPROC));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
    DestroyWindow(edit);
}

TEST(CWnd, TemporaryWrappersAreReusedAndNullStaysNull)
{
    HWND h = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, h);
    CWnd* a = CWnd::FromHandle(h);
    EXPECT_EQ(a, CWnd::FromHandle(h));
    EXPECT_EQ(h, a->m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
    EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
    DestroyWindow(h);
    AfxDeleteTempMap();
}

TEST(CWnd, HasLiveWindowFollowsTheWindowWhetherItsMessagesComeThroughTheObjectOrNot)
{
    CRecordingWnd routed;
    EXPECT_FALSE(routed.HasLiveWindow());
    ASSERT_TRUE(CreatePopup(routed));
    EXPECT_TRUE(routed.HasLiveWindow());
    ::DestroyWindow(routed.m_hWnd); // behind the object's back: WM_NCDESTROY still reaches it
    EXPECT_FALSE(routed.HasLiveWindow());

    // Only attached, or attached and routed no more: the system is asked.
    HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    CWnd attached;
    CRecordingWnd subclassed;
    ASSERT_TRUE(attached.Attach(plain) && subclassed.SubclassWindow(edit));
    EXPECT_TRUE(attached.HasLiveWindow() && subclassed.HasLiveWindow());
    ::DestroyWindow(plain);
    EXPECT_EQ(plain, attached.m_hWnd);
    EXPECT_FALSE(attached.HasLiveWindow());
    EXPECT_EQ(plain, attached.Detach());
    EXPECT_EQ(edit, subclassed.UnsubclassWindow());
    ASSERT_TRUE(subclassed.Attach(edit));
    ::DestroyWindow(edit);
    EXPECT_FALSE(subclassed.HasLiveWindow());
    subclassed.Detach();
}
