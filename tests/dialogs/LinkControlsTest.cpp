// The link controls in a real dialog: colours and underline on the pixels,
// the parent's colouring for statics that are no text, clicks and keys that
// open the target through the shell (a program of the tests that ends at
// once; a missing file), the cursor, and the text window of a data link
// through its whole life.
#include "SmallControlsDialog.h"
#include "dialogs/DialogHelpers.h"
#include "resources/MorvaResourceIds.h"
#include <algorithm>
#include <memory>
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

// Pixels of the colour inside the control, as the dialog shows it.
int CountInControl(CWnd& dlg, int id, COLORREF color, CRect* pRect = nullptr)
{
    CRect client;
    dlg.GetClientRect(&client);
    SnapshotBitmap bitmap(client.Width(), client.Height());
    RenderClient(dlg, bitmap);
    const CRect rect = ControlRect(dlg, id);
    if (pRect != nullptr)
        *pRect = rect;
    return bitmap.CountColor(rect, color);
}

// The longest run of the colour along one row of the control.
int LongestRowRun(CWnd& dlg, int id, COLORREF color)
{
    CRect client;
    dlg.GetClientRect(&client);
    SnapshotBitmap bitmap(client.Width(), client.Height());
    RenderClient(dlg, bitmap);
    const CRect rect = ControlRect(dlg, id);
    int longest = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        int run = 0;
        for (int x = rect.left; x < rect.right; ++x) {
            run = bitmap.Pixel(x, y) == color ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

class Links : public SmallControlsTest
{
protected:
    void SetUp() override
    {
        SmallControlsTest::SetUp();
        ASSERT_TRUE(dlg.CreateModeless());
        dlg.ShowWindow(SW_SHOWNA);
        PumpMessages();
    }
    CSmallControlsDlg dlg;
};
} // namespace

TEST_F(Links, TextLinkIsGreenAndUnderlinedUntilOpened)
{
    dlg.m_hotkey.SetFocus(); // the link is the first tab stop: it starts with the focus
    PumpMessages();
    EXPECT_TRUE(dlg.m_link.GetStyle() & SS_NOTIFY); // reports clicks once bound
    CRect rect;
    EXPECT_GT(CountInControl(dlg, IDC_TEST_LINK, COLORREF(CUrlCtrl::kLinkColor), &rect), 30);
    EXPECT_EQ(0, CountInControl(dlg, IDC_TEST_LINK, RGB(0, 0, 0)));
    // The underline: one unbroken green row as wide as the text.
    CRect text = dlg.m_link.GetTextRect();
    EXPECT_GE(LongestRowRun(dlg, IDC_TEST_LINK, COLORREF(CUrlCtrl::kLinkColor)), text.Width() - 4);
    LOGFONTW font{};
    ASSERT_NE(nullptr, dlg.m_link.GetLinkFont().GetSafeHandle());
    GetObjectW(dlg.m_link.GetLinkFont().GetSafeHandle(), sizeof(font), &font);
    EXPECT_TRUE(font.lfUnderline);
    SaveSnapshot(dlg, L"link-normal");

    // Focused: a dotted frame around the text, in the link's colour.
    const int before = CountInControl(dlg, IDC_TEST_LINK, COLORREF(CUrlCtrl::kLinkColor));
    dlg.m_link.SetFocus();
    PumpMessages();
    EXPECT_GT(CountInControl(dlg, IDC_TEST_LINK, COLORREF(CUrlCtrl::kLinkColor)), before + text.Width() / 2);
    SaveSnapshot(dlg, L"link-focused");
    dlg.m_dataLink.SetFocus();
    PumpMessages();
    EXPECT_EQ(before, CountInControl(dlg, IDC_TEST_LINK, COLORREF(CUrlCtrl::kLinkColor)));
}

TEST_F(Links, NonTextStaticKeepsTheParentsColouring)
{
    HDC hdc = GetDC(dlg);
    SetTextColor(hdc, RGB(1, 2, 3));
    const LRESULT icon = dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                                         reinterpret_cast<LPARAM>(dlg.m_iconLink.m_hWnd));
    EXPECT_NE(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)), icon);
    EXPECT_NE(COLORREF(CUrlCtrl::kLinkColor), GetTextColor(hdc)); // the dialog's colours
    EXPECT_EQ(nullptr, dlg.m_iconLink.GetLinkFont().GetSafeHandle());
    const LRESULT text = dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc),
                                         reinterpret_cast<LPARAM>(dlg.m_link.m_hWnd));
    EXPECT_EQ(reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)), text);
    EXPECT_EQ(COLORREF(CUrlCtrl::kLinkColor), GetTextColor(hdc));
    EXPECT_EQ(TRANSPARENT, GetBkMode(hdc));
    ReleaseDC(dlg, hdc);
}

TEST_F(Links, ClickOpensTheTargetAndTheLinkTurnsRed)
{
    // A missing target: nothing changes, no message window.
    const int windows = CountThreadWindows();
    dlg.m_link.SetTarget(L"Z:\\no\\such\\folder\\file.txt");
    Click(dlg.m_link);
    EXPECT_FALSE(dlg.m_link.IsVisited());
    EXPECT_EQ(windows, CountThreadWindows());
    EXPECT_EQ(0, CountInControl(dlg, IDC_TEST_LINK, COLORREF(CUrlCtrl::kVisitedColor)));

    // An empty target: the window text is opened and kept as the target.
    dlg.m_link.SetTarget(L"");
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
    EXPECT_GT(CountInControl(dlg, IDC_TEST_LINK, COLORREF(CUrlCtrl::kVisitedColor)), 30);
    EXPECT_EQ(0, CountInControl(dlg, IDC_TEST_LINK, COLORREF(CUrlCtrl::kLinkColor)));
    EXPECT_EQ(0, dlg.CountCommands(IDC_TEST_LINK, STN_CLICKED)); // the link's own

    // Failing later leaves it visited.
    dlg.m_link.SetTarget(L"Z:\\no\\such\\file");
    dlg.m_link.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(dlg.m_link.IsVisited());
}

TEST_F(Links, EmptyLinkOpensNothingAndKeysActivateIt)
{
    dlg.m_link.SetWindowText(L"");
    dlg.m_link.FollowLink();
    EXPECT_FALSE(dlg.m_link.IsVisited());
    RenderClient(dlg, *std::make_unique<SnapshotBitmap>(50, 50)); // an empty link paints

    // Enter goes to a focused link, not to the default button.
    MSG enter{dlg.m_link, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(dlg.m_link.SendMessage(WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) & DLGC_WANTMESSAGE);
    MSG tab{dlg.m_link, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(dlg.m_link.SendMessage(WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab)) & DLGC_WANTMESSAGE);
    dlg.m_link.SetWindowText(L"text");
    dlg.m_link.SetTarget(LinkTarget());
    dlg.m_link.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(dlg.m_link.IsVisited());
}

TEST_F(Links, HandCursorOverTheLink)
{
    ASSERT_NE(nullptr, dlg.m_link.GetLinkCursor());
    EXPECT_NE(LoadCursorW(nullptr, IDC_HAND), dlg.m_link.GetLinkCursor()); // its own copy
    EXPECT_TRUE(dlg.m_link.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(dlg.m_link.m_hWnd),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(dlg.m_link.GetLinkCursor(), GetCursor());
}

TEST_F(Links, DataLinkOpensOneTextWindowAtATime)
{
    const HMODULE resources = LanguageLibrary(L"en-US");
    dlg.m_dataLink.SetResourceModule(resources);
    dlg.m_dataLink.SetTextStringNumber(IDS_HOTKEY_HELP);
    EXPECT_EQ(nullptr, dlg.m_dataLink.GetPopup());

    Click(dlg.m_dataLink);
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
    EXPECT_GT(text.GetLength(), 100);
    SaveSnapshot(*popup, L"link-text-window");

    // The field follows the window's size.
    const CRect field0 = ControlRect(*popup, IDC_SHOW_TEXT_FIELD);
    CRect window;
    popup->GetWindowRect(&window);
    popup->SetWindowPos(nullptr, 0, 0, window.Width() + 60, window.Height() + 40, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(field0.Width() + 60, ControlRect(*popup, IDC_SHOW_TEXT_FIELD).Width());
    EXPECT_EQ(field0.Height() + 40, ControlRect(*popup, IDC_SHOW_TEXT_FIELD).Height());

    // A second click only focuses it.
    dlg.m_link.SetFocus();
    Click(dlg.m_dataLink);
    EXPECT_EQ(popup, dlg.m_dataLink.GetPopup());
    EXPECT_EQ(popup->m_hWnd, GetActiveWindow());

    // Closed by Cancel: state 2, layout saved; the next click opens a fresh one.
    popup->SendMessage(WM_COMMAND, IDCANCEL, 0);
    PumpMessages();
    EXPECT_EQ(CShowLinkDataDlg::StateClosed, popup->GetState());
    EXPECT_FALSE(popup->m_hWnd != nullptr && popup->IsWindowVisible());
    EXPECT_NE("<missing>", Narrow(ReadString(LayoutKey(L"ShowLinkData"), L"WH")));
    Click(dlg.m_dataLink);
    ASSERT_NE(nullptr, dlg.m_dataLink.GetPopup());
    EXPECT_EQ(CShowLinkDataDlg::StateOpen, dlg.m_dataLink.GetPopup()->GetState());
    CRect reopened;
    dlg.m_dataLink.GetPopup()->GetWindowRect(&reopened);
    EXPECT_EQ(window.Width() + 60, reopened.Width()); // the saved size comes back
}

TEST_F(Links, TextWindowThatCannotBeCreatedIsTriedAgain)
{
    dlg.m_dataLink.SetResourceModule(nullptr); // no template anywhere
    Click(dlg.m_dataLink);
    CShowLinkDataDlg* failed = dlg.m_dataLink.GetPopup();
    ASSERT_NE(nullptr, failed);
    EXPECT_EQ(CShowLinkDataDlg::StateCreated, failed->GetState());
    EXPECT_EQ(nullptr, failed->m_hWnd);
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
        owner->m_dataLink.SetTextStringNumber(IDS_HOTKEY_HELP);
        Click(owner->m_dataLink);
        ASSERT_NE(nullptr, owner->m_dataLink.GetPopup());
        const HWND popup = owner->m_dataLink.GetPopup()->m_hWnd;
        if (round == 1) {
            // The text window closed by the user just before its owner goes.
            ::PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
            ::PostMessageW(*owner, WM_CLOSE, 0, 0);
            PumpMessages();
        } else if (round == 2) {
            ::DestroyWindow(popup); // gone without OK or Cancel
            Click(owner->m_dataLink); // a fresh one, not a focus on nothing
            EXPECT_NE(nullptr, owner->m_dataLink.GetPopup()->m_hWnd);
        }
        CShowLinkDataDlg* open = owner->m_dataLink.GetPopup(); // none once the owner closed
        const HWND last = open != nullptr ? open->m_hWnd : nullptr;
        owner->DestroyWindow(); // the owner goes first, its objects after
        EXPECT_FALSE(IsWindow(popup));
        EXPECT_FALSE(last != nullptr && IsWindow(last));
        owner.reset();
        PumpMessages();
    }
    const ObjectCensus after = ObjectCensus::Take();
    EXPECT_TRUE(before.NoneGrewIn(after)) << before.Describe() << " / " << after.Describe();
}
