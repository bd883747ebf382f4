// CPallasMessageDialog from the real language resource libraries: buttons,
// captions and answers, the dialog sized to its text, pixels, and snapshots
// in English and German.
#include <algorithm>
#include <climits>
#include <string>
#include "DialogTestSupport.h"
#include "dialogs/CPallasMessageDialog.h"
#include "resources/MorvaResourceIds.h"
#include "snapshot/Snapshot.h"

namespace {
using Msg = CMessageDialogBase;

CString Text(HWND dialog, int id)
{
    WCHAR text[256] = L"";
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

bool Visible(HWND dialog, int id)
{
    return (GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Click(HWND dialog, int id)
{
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// The rightmost visible button's right edge, in screen coordinates.
int RightmostButton(HWND dialog)
{
    int right = INT_MIN;
    for (int id : {IDC_MESSAGE_FIRST_BUTTON, IDC_MESSAGE_SECOND_BUTTON, IDC_MESSAGE_THIRD_BUTTON}) {
        RECT r;
        if (Visible(dialog, id) && GetWindowRect(GetDlgItem(dialog, id), &r))
            right = std::max(right, static_cast<int>(r.right));
    }
    return right;
}

CRect ScreenRect(HWND dialog, int id)
{
    CRect r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    return r;
}
} // namespace

TEST(MessageDialog, ButtonSetsShowTheirButtonsCaptionsAndAnswers)
{
    const HMODULE english = LanguageLibrary(L"en-US");
    const struct {
        UINT set; std::vector<LPCWSTR> captions; int first, second, third, otherwise;
    } cases[] = {
        {Msg::ButtonsYesNo, {L"&Yes", L"&No"}, Msg::ResultYes, Msg::ResultNo, -1, Msg::ResultNo},
        {Msg::ButtonsOk, {L"OK"}, Msg::ResultOk, -1, -1, Msg::ResultOk},
        {Msg::ButtonsOkCancel, {L"OK", L"Cancel"}, Msg::ResultOk, Msg::ResultCancel, -1, Msg::ResultCancel},
        {Msg::ButtonsYesNoCancel, {L"&Yes", L"&No", L"Cancel"}, Msg::ResultYes, Msg::ResultNo, Msg::ResultCancel,
         Msg::ResultNo},
        // Unknown sets: the template's first two buttons, answers left at Cancel.
        {77, {L"OK", L"Cancel"}, Msg::ResultCancel, Msg::ResultCancel, -1, Msg::ResultCancel},
    };
    const int ids[] = {IDC_MESSAGE_FIRST_BUTTON, IDC_MESSAGE_SECOND_BUTTON, IDC_MESSAGE_THIRD_BUTTON};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "button set " << c.set);
        const int answers[] = {c.first, c.second, c.third};
        for (int pressed = -1; pressed < static_cast<int>(c.captions.size()); ++pressed) {
            CPallasMessageDialog dlg(english, L"Question", L"Go on?", Msg::IconWarning, c.set);
            ASSERT_TRUE(dlg.CreateModeless());
            for (int i = 0; i < 3; ++i) {
                const bool shown = i < static_cast<int>(c.captions.size());
                EXPECT_EQ(shown, Visible(dlg, ids[i])) << "button " << i;
                if (shown) {
                    EXPECT_STREQ(c.captions[static_cast<size_t>(i)], Text(dlg, ids[i])) << "button " << i;
                }
            }
            EXPECT_EQ(GetDlgItem(dlg, IDC_MESSAGE_FIRST_BUTTON), GetFocus());
            if (pressed < 0) {
                dlg.SendMessage(WM_CLOSE); // the close box: Cancel without a button
                PumpMessages();
                EXPECT_EQ(c.otherwise, dlg.GetResult());
            } else {
                Click(dlg, ids[pressed]);
                EXPECT_EQ(answers[pressed], dlg.GetResult()) << "pressed " << pressed;
            }
            EXPECT_FALSE(dlg.IsWindowVisible()); // ended: hidden
        }
    }
}

TEST(MessageDialog, SizeFollowsTheText)
{
    const HMODULE english = LanguageLibrary(L"en-US");
    // The template as it is, unfitted.
    CRect templateWindow, templateText, templateButton;
    {
        CBaseDlg raw(english, IDD_MESSAGE_DIALOG, 0, 0, false);
        ASSERT_TRUE(raw.CreateModeless());
        raw.GetWindowRect(&templateWindow);
        templateText = ControlRect(raw, IDC_MESSAGE_TEXT);
        templateButton = ControlRect(raw, IDC_MESSAGE_FIRST_BUTTON);
    }

    // One short line: narrower, and the text ends where the buttons do.
    CPallasMessageDialog small(english, L"Hi", L"Done.", Msg::IconInformation, Msg::ButtonsOkCancel);
    ASSERT_TRUE(small.CreateModeless());
    CRect smallWindow;
    small.GetWindowRect(&smallWindow);
    EXPECT_LT(smallWindow.Width(), templateWindow.Width());
    EXPECT_EQ(templateWindow.Height(), smallWindow.Height());
    EXPECT_EQ(ScreenRect(small, IDC_MESSAGE_TEXT).right, RightmostButton(small));

    // Many lines: taller by the extra text, buttons moved down by as much.
    CString lines = L"First line";
    for (int i = 0; i < 6; ++i)
        lines += L"\nAnother line of the message";
    CPallasMessageDialog tall(english, L"Report", lines, Msg::IconError, Msg::ButtonsYesNoCancel);
    ASSERT_TRUE(tall.CreateModeless());
    CRect tallWindow;
    tall.GetWindowRect(&tallWindow);
    const CRect tallText = ControlRect(tall, IDC_MESSAGE_TEXT);
    const int grown = tallText.bottom - templateText.bottom;
    EXPECT_GT(grown, 40);
    EXPECT_EQ(templateWindow.Height() + grown, tallWindow.Height());
    EXPECT_EQ(templateWindow.Width(), tallWindow.Width()); // the third button holds the width
    const CRect button = ControlRect(tall, IDC_MESSAGE_FIRST_BUTTON);
    EXPECT_EQ(templateButton.top + grown, button.top);
    EXPECT_EQ(templateButton.left, button.left);

    // A long caption stops the shrinking; the short message alone would shrink further.
    CPallasMessageDialog longCaption(english, L"A caption much longer than the short message below it", L"Done.",
                                     Msg::IconInformation, Msg::ButtonsOk);
    ASSERT_TRUE(longCaption.CreateModeless());
    CRect captionWindow;
    longCaption.GetWindowRect(&captionWindow);
    CPallasMessageDialog shortCaption(english, L"Hi", L"Done.", Msg::IconInformation, Msg::ButtonsOk);
    ASSERT_TRUE(shortCaption.CreateModeless());
    CRect shortWindow;
    shortCaption.GetWindowRect(&shortWindow);
    EXPECT_GT(captionWindow.Width(), shortWindow.Width());
    EXPECT_LE(captionWindow.Width(), templateWindow.Width());
}

TEST(MessageDialog, HugeTextsGrowTheDialogFromWhereTheTemplatePutIt)
{
    const HMODULE english = LanguageLibrary(L"en-US");
    CPallasMessageDialog small(english, L"Huge", L"x", Msg::IconError, Msg::ButtonsOk);
    ASSERT_TRUE(small.CreateModeless());
    CRect smallRect;
    small.GetWindowRect(&smallRect);
    std::wstring words;
    while (words.size() < 2000)
        words += L"word ";
    const std::wstring word(2000, L'W');
    for (const std::wstring& message : {words, word}) {
        CPallasMessageDialog dlg(english, L"Huge", message.c_str(), Msg::IconError, Msg::ButtonsOk);
        ASSERT_TRUE(dlg.CreateModeless());
        CRect r;
        dlg.GetWindowRect(&r);
        EXPECT_EQ(smallRect.TopLeft(), r.TopLeft()) << "it grows down and to the right";
        const CRect text = ScreenRect(dlg, IDC_MESSAGE_TEXT);
        const CRect ok = ScreenRect(dlg, IDC_MESSAGE_FIRST_BUTTON);
        EXPECT_GT(ok.top, text.bottom - 1) << "the buttons move below the text";
        EXPECT_LE(ok.bottom, r.bottom);
        EXPECT_EQ(text.right, ok.right) << "the button ends at the text's right edge";
        EXPECT_EQ(static_cast<int>(message.size()), GetWindowTextLengthW(GetDlgItem(dlg, IDC_MESSAGE_TEXT)));
    }
    // An unknown icon kind shows none.
    CPallasMessageDialog none(english, L"Note", L"Text", 5, Msg::ButtonsOk);
    ASSERT_TRUE(none.CreateModeless());
    EXPECT_EQ(0, SendDlgItemMessageW(none, IDC_MESSAGE_ICON, STM_GETICON, 0, 0));
}

TEST(MessageDialog, PaintsIconAndTextInEnglishAndGerman)
{
    const struct { LPCWSTR culture; LPCWSTR caption; LPCWSTR message; std::vector<LPCWSTR> buttons; } cases[] = {
        {L"en-US", L"Save changes", L"The document has changed.\nSave the changes before closing?",
         {L"&Yes", L"&No", L"Cancel"}},
        {L"de-DE", L"Änderungen speichern", L"Das Dokument wurde geändert.\nÄnderungen vor dem Schließen speichern?",
         {L"&Ja", L"&Nein", L"Abbrechen"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.culture));
        CPallasMessageDialog dlg(LanguageLibrary(c.culture), c.caption, c.message, Msg::IconWarning,
                                 Msg::ButtonsYesNoCancel);
        ASSERT_TRUE(dlg.CreateModeless());
        dlg.ShowWindow(SW_SHOWNA);
        for (int i = 0; i < 3; ++i)
            EXPECT_STREQ(c.buttons[static_cast<size_t>(i)], Text(dlg, IDC_MESSAGE_FIRST_BUTTON + i));
        CRect client;
        dlg.GetClientRect(&client);
        SnapshotBitmap bitmap(client.Width(), client.Height());
        RenderClient(dlg, bitmap);
        const COLORREF face = GetSysColor(COLOR_3DFACE);
        const CRect icon = ControlRect(dlg, IDC_MESSAGE_ICON);
        const int iconSize = GetSystemMetrics(SM_CXICON);
        const CRect iconSquare(icon.left, icon.top, icon.left + iconSize, icon.top + iconSize);
        EXPECT_LT(bitmap.CountColor(iconSquare, face), iconSize * iconSize - 50); // the icon was drawn
        const CRect text = ControlRect(dlg, IDC_MESSAGE_TEXT);
        const int textPixels = text.Width() * text.Height();
        EXPECT_LT(bitmap.CountColor(text, face), textPixels - 50); // letters were drawn
        CString name;
        name.Format(L"message-dialog-%s", c.culture);
        EXPECT_TRUE(SaveSnapshot(dlg, name));
    }
}
