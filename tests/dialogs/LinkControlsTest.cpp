// The link controls in a real dialog: colours, underline and focus frame on
// the pixels, the parent's colouring for statics that are no text, clicks and
// keys that open the target through the shell (a program of the tests that
// ends at once; a missing file), and the text window of a data link through
// its whole life.
#include <algorithm>
#include <memory>
#include "SmallControlsDialog.h"
#include "dialogs/DialogHelpers.h"
#include "resources/MorvaResourceIds.h"
#include "snapshot/Snapshot.h"
#include "support/ObjectCensus.h"
#include "support/OwnerWindow.h"

namespace {
// The harmless program beside the test program.
CString LinkTarget()
{
    WCHAR exe[MAX_PATH];
    const CString path(exe, static_cast<int>(GetModuleFileNameW(nullptr, exe, MAX_PATH)));
    return path.Left(path.ReverseFind(L'\\') + 1) + L"dialogs_link_target.exe";
}

void Click(CWnd& control)
{
    SendClick(control, POINT{2, 2});
    PumpMessages();
}

// The dialog's client area as it shows, and the pixels of a colour inside a control.
struct Rendered
{
    explicit Rendered(CWnd& dlg) : bitmap(ControlRect(dlg, IDOK).right, ControlRect(dlg, IDOK).bottom)
    {
        RenderClient(dlg, bitmap);
        link = ControlRect(dlg, IDC_TEST_LINK);
    }
    int Count(COLORREF color) const { return bitmap.CountColor(link, color); }
    // The longest run of the colour along one row of the link.
    int LongestRun(COLORREF color) const
    {
        int longest = 0;
        for (int y = link.top; y < link.bottom; ++y)
            for (int x = link.left, run = 0; x < link.right; ++x)
                longest = std::max(longest, run = bitmap.Pixel(x, y) == color ? run + 1 : 0);
        return longest;
    }
    SnapshotBitmap bitmap;
    CRect link;
};

const COLORREF kGreen = CUrlCtrl::kLinkColor;
const COLORREF kRed = CUrlCtrl::kVisitedColor;

class Links : public SmallControlsTest
{
protected:
    void SetUp() override
    {
        SmallControlsTest::SetUp();
        ASSERT_TRUE(dlg.CreateModeless());
        dlg.ShowWindow(SW_SHOWNA);
        dlg.m_hotkey.SetFocus(); // the link is the first tab stop: it starts with the focus
        PumpMessages();
    }
    CSmallControlsDlg dlg;
};
} // namespace

TEST_F(Links, GreenUnderlinedTextAndAFocusFrame)
{
    EXPECT_TRUE(dlg.m_link.GetStyle() & SS_NOTIFY); // reports clicks once bound
    const Rendered normal(dlg);
    EXPECT_GT(normal.Count(kGreen), 30);
    EXPECT_EQ(0, normal.Count(RGB(0, 0, 0)));
    // The underline: one unbroken green row as wide as the text.
    const CRect text = dlg.m_link.GetTextRect();
    EXPECT_GE(normal.LongestRun(kGreen), text.Width() - 4);
    SaveSnapshot(dlg, L"link-normal");

    // Focused: a dotted frame around the text, in the link's colour; gone with the focus.
    dlg.m_link.SetFocus();
    PumpMessages();
    EXPECT_GT(Rendered(dlg).Count(kGreen), normal.Count(kGreen) + text.Width() / 2);
    SaveSnapshot(dlg, L"link-focused");
    dlg.m_hotkey.SetFocus();
    PumpMessages();
    EXPECT_EQ(normal.Count(kGreen), Rendered(dlg).Count(kGreen));

    // The hand cursor, the link's own copy.
    ASSERT_NE(nullptr, dlg.m_link.GetLinkCursor());
    EXPECT_TRUE(dlg.m_link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(dlg.m_link.m_hWnd),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(dlg.m_link.GetLinkCursor(), GetCursor());
}

TEST_F(Links, ClickOpensTheTargetAndTheLinkTurnsRed)
{
    // A missing target, and no text at all: nothing changes, no message window.
    const int windows = CountThreadWindows();
    dlg.m_link.SetTarget(L"Z:\\no\\such\\folder\\file.txt");
    Click(dlg.m_link);
    EXPECT_FALSE(dlg.m_link.IsVisited());
    dlg.m_link.SetTarget(L"");
    dlg.m_link.SetWindowText(L"");
    dlg.m_link.FollowLink();
    EXPECT_FALSE(dlg.m_link.IsVisited());
    EXPECT_EQ(windows, CountThreadWindows());
    EXPECT_EQ(0, Rendered(dlg).Count(kRed));

    // An empty target: the window text is opened and kept as the target.
    dlg.m_link.SetWindowText(LinkTarget());
    dlg.UpdateWindow();
    SendClick(dlg.m_link, POINT{2, 2});
    EXPECT_EQ(Narrow(LinkTarget()), Narrow(dlg.m_link.GetTarget()));
    EXPECT_TRUE(dlg.m_link.IsVisited());
    // Repainted at once over its background, red only: the green is gone.
    CRect update;
    EXPECT_TRUE(dlg.GetUpdateRect(&update, FALSE));
    EXPECT_TRUE(update.PtInRect(ControlRect(dlg, IDC_TEST_LINK).CenterPoint()));
    PumpMessages();
    EXPECT_GT(Rendered(dlg).Count(kRed), 30);
    EXPECT_EQ(0, Rendered(dlg).Count(kGreen));
    EXPECT_EQ(0, dlg.CountCommands(IDC_TEST_LINK, STN_CLICKED)); // the link's own

    // A failing open later leaves it visited.
    dlg.m_link.SetTarget(L"Z:\\no\\such\\file");
    Click(dlg.m_link);
    EXPECT_TRUE(dlg.m_link.IsVisited());

    // A link without a window is visited all the same once its target opened.
    CUrlCtrl windowless;
    windowless.SetTarget(LinkTarget());
    windowless.FollowLink();
    EXPECT_TRUE(windowless.IsVisited());
}

TEST_F(Links, DataLinkOpensOneTextWindowAtATime)
{
    const HMODULE resources = LanguageLibrary(L"en-US");
    dlg.m_dataLink.SetResourceModule(resources);
    dlg.m_dataLink.SetTextStringNumber(IDS_HOTKEY_HELP);
    // Space opens a focused link as a click does; Enter is the link's too, not the default button's.
    MSG enter{dlg.m_dataLink, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(dlg.m_dataLink.SendMessage(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTMESSAGE);
    dlg.m_dataLink.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    CShowLinkDataDlg* popup = dlg.m_dataLink.GetPopup();
    ASSERT_NE(nullptr, popup);
    ASSERT_NE(nullptr, popup->m_hWnd);
    EXPECT_EQ(CShowLinkDataDlg::StateOpen, popup->GetState());
    EXPECT_TRUE(popup->IsWindowVisible());
    EXPECT_EQ(nullptr, GetParent(*popup));
    EXPECT_FALSE(popup->GetExStyle() & WS_EX_TOPMOST);
    CString text;
    popup->GetWindowText(text);
    EXPECT_EQ("Show the text", Narrow(text));
    popup->GetTextField().GetWindowText(text);
    EXPECT_EQ(Narrow(LoadResourceString(resources, IDS_HOTKEY_HELP)), Narrow(text));
    SaveSnapshot(*popup, L"link-text-window");

    // The field follows the window's size.
    const CRect field0 = ControlRect(*popup, IDC_SHOW_TEXT_FIELD);
    CRect window;
    popup->GetWindowRect(&window);
    popup->SetWindowPos(nullptr, 0, 0, window.Width() + 60, window.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(CSize(field0.Width() + 60, field0.Height() + 40), ControlRect(*popup, IDC_SHOW_TEXT_FIELD).Size());

    // A second click (here Enter) only brings it forward.
    dlg.m_dataLink.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(popup, dlg.m_dataLink.GetPopup());
    EXPECT_EQ(popup->m_hWnd, GetActiveWindow());

    // Closed by Cancel: state 2, layout saved; the next click opens a fresh one at that size.
    popup->SendMessage(WM_COMMAND, IDCANCEL, 0);
    PumpMessages();
    EXPECT_EQ(CShowLinkDataDlg::StateClosed, popup->GetState());
    EXPECT_NE("<missing>", Narrow(ReadString(LayoutKey(L"ShowLinkData"), L"WH")));
    const HWND closed = popup->m_hWnd;
    EXPECT_TRUE(::IsWindow(closed) && !::IsWindowVisible(closed)) << "only hidden";
    Click(dlg.m_dataLink);
    EXPECT_FALSE(::IsWindow(closed)) << "the next click destroys it";
    ASSERT_NE(nullptr, dlg.m_dataLink.GetPopup());
    EXPECT_EQ(CShowLinkDataDlg::StateOpen, dlg.m_dataLink.GetPopup()->GetState());
    CRect reopened;
    dlg.m_dataLink.GetPopup()->GetWindowRect(&reopened);
    EXPECT_EQ(window.Width() + 60, reopened.Width());
}

TEST_F(Links, TextWindowThatCannotBeCreatedIsTriedAgain)
{
    dlg.m_dataLink.SetResourceModule(nullptr); // no template anywhere
    Click(dlg.m_dataLink);
    ASSERT_NE(nullptr, dlg.m_dataLink.GetPopup());
    EXPECT_EQ(CShowLinkDataDlg::StateCreated, dlg.m_dataLink.GetPopup()->GetState());
    EXPECT_EQ(nullptr, dlg.m_dataLink.GetPopup()->m_hWnd);
    dlg.m_dataLink.SetResourceModule(LanguageLibrary(L"de-DE"));
    dlg.m_dataLink.SetTextStringNumber(9999); // a missing string: an empty field
    Click(dlg.m_dataLink);
    ASSERT_NE(nullptr, dlg.m_dataLink.GetPopup());
    EXPECT_EQ(CShowLinkDataDlg::StateOpen, dlg.m_dataLink.GetPopup()->GetState());
    EXPECT_EQ(0, dlg.m_dataLink.GetPopup()->GetTextField().GetWindowTextLength());
}

TEST_F(Links, TextWindowGoesWithItsLinkLeavingNothingBehind)
{
    dlg.DestroyWindow();
    const ObjectCensus before = ObjectCensus::Take();
    for (int round = 0; round < 3; ++round) {
        auto owner = std::make_unique<CSmallControlsDlg>();
        ASSERT_TRUE(owner->CreateModeless());
        owner->ShowWindow(SW_SHOWNA);
        owner->m_dataLink.SetResourceModule(LanguageLibrary(L"en-US"));
        Click(owner->m_dataLink);
        ASSERT_NE(nullptr, owner->m_dataLink.GetPopup());
        const HWND popup = owner->m_dataLink.GetPopup()->m_hWnd;
        if (round == 1) {
            // The text window closed by the user as its owner goes.
            ::PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
            ::PostMessageW(*owner, WM_CLOSE, 0, 0);
            PumpMessages();
        } else if (round == 2) {
            ::DestroyWindow(popup);   // gone without OK or Cancel
            Click(owner->m_dataLink); // a fresh one, not the focus on nothing
            EXPECT_NE(nullptr, owner->m_dataLink.GetPopup()->m_hWnd);
        }
        CShowLinkDataDlg* open = owner->m_dataLink.GetPopup(); // none once the owner closed
        const HWND last = open != nullptr ? open->m_hWnd : nullptr;
        owner->DestroyWindow(); // the owner's window goes first, its objects after
        EXPECT_FALSE(IsWindow(popup));
        EXPECT_FALSE(last != nullptr && IsWindow(last));
        owner.reset();
        PumpMessages();
    }
    const ObjectCensus after = ObjectCensus::Take();
    EXPECT_TRUE(before.NoneGrewIn(after)) << before.Describe() << " / " << after.Describe();
}
