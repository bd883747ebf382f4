// The edit and combo controls in a real dialog: keys into the hotkey field,
// the edit field's own context menu, the painting of the long-text and path
// fields (checked on pixels), the combo box's unique entries and drop-down
// width, and the image list presets.
#include "SmallControlsDialog.h"
#include "dialogs/CPallasImageList.h"
#include "resources/MorvaResourceIds.h"
#include "snapshot/Snapshot.h"
#include "support/ObjectCensus.h"

namespace {
void SetModifiers(bool control, bool shift, bool alt)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = control ? 0x80 : 0;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(keys);
}

std::string TextOf(HWND hWnd)
{
    CString text;
    CWnd::FromHandle(hWnd)->GetWindowText(text);
    return Narrow(text);
}

int TextWidth(HWND hWnd, HFONT font, const CString& text)
{
    HDC hdc = GetDC(hWnd);
    SelectObject(hdc, font);
    SIZE size{};
    GetTextExtentPoint32W(hdc, text, text.GetLength(), &size);
    ReleaseDC(hWnd, hdc);
    return size.cx;
}
} // namespace

using EditControls = SmallControlsTest;

TEST_F(EditControls, HotkeyFieldTakesCombinationsAndSwallowsTyping)
{
    CSmallControlsDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    CHotkeyEdit& hotkey = dlg.m_hotkey;
    SetModifiers(true, true, false);
    hotkey.SendMessage(WM_KEYDOWN, 'A', 0x001E0001);
    hotkey.SendMessage(WM_CHAR, 'a', 0x001E0001);
    EXPECT_EQ("Ctrl + Shift + A", TextOf(hotkey));
    UINT first = 0, key = 0;
    hotkey.GetKey().Get(&first, nullptr, &key);
    EXPECT_EQ(UINT(VK_CONTROL) * 256 + 'A', first * 256 + key);
    EXPECT_FALSE(hotkey.GetKey().IsPressed()); // 'A' itself is not down
    // Alt comes as a system key, and its character goes nowhere.
    SetModifiers(false, false, true);
    hotkey.SendMessage(WM_SYSKEYDOWN, VK_NUMPAD7, 0x20000001);
    hotkey.SendMessage(WM_SYSCHAR, 'x', 0x20000001);
    EXPECT_EQ("Alt + 7 (Num)", TextOf(hotkey));
    SaveSnapshot(dlg, L"hotkey-with-key");
    SetModifiers(false, false, false);
    hotkey.SendMessage(WM_KEYDOWN, VK_BACK, 1);
    hotkey.SendMessage(WM_CHAR, VK_BACK, 1);
    EXPECT_EQ("", TextOf(hotkey));
    EXPECT_TRUE(hotkey.GetKey().IsEmpty() && hotkey.GetKey().IsPressed()); // empty counts as pressed
}

TEST_F(EditControls, ContextMenuIsTheLibrarysAndItsCommandGoesToTheDialog)
{
    CSmallControlsDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    dlg.ShowWindow(SW_SHOWNA);
    PumpMessages();
    dlg.menuInput.push_back(MSG{nullptr, WM_CHAR, 'a', 0, 0, {0, 0}}); // "Select &All"
    CRect rect;
    dlg.m_resetable.GetWindowRect(&rect);
    dlg.m_resetable.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dlg.m_resetable.m_hWnd),
                                MAKELPARAM(rect.left + 5, rect.top + 5));
    PumpMessages();
    ASSERT_EQ(1u, dlg.popups.size()); // one menu, not the edit's own as well
    EXPECT_FALSE(IsMenu(dlg.popups[0])); // destroyed after use
    EXPECT_EQ(1, dlg.CountCommands(ID_EDIT_SELECT_ALL, 0));

    // From the keyboard (-1, -1) too; Escape closes it without a command, leaving nothing.
    const ObjectCensus before = ObjectCensus::Take();
    dlg.commands.clear();
    dlg.menuInput.push_back(MSG{nullptr, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}});
    dlg.m_resetable.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dlg.m_resetable.m_hWnd), MAKELPARAM(-1, -1));
    PumpMessages();
    EXPECT_EQ(2u, dlg.popups.size());
    EXPECT_TRUE(dlg.commands.empty());
    const ObjectCensus after = ObjectCensus::Take();
    EXPECT_TRUE(before.NoneGrewIn(after)) << before.Describe() << " / " << after.Describe();
}

TEST_F(EditControls, LongTextFieldPaintsWrappedTextOnItsBackground)
{
    CSmallControlsDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    dlg.ShowWindow(SW_SHOWNA);
    dlg.UpdateWindow();
    CPallasEditLong& field = dlg.m_long;
    CRect client;
    field.GetClientRect(&client);
    // A new text asks for a repaint with erasing; the result is 0.
    EXPECT_EQ(0, field.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")));
    CRect update;
    EXPECT_TRUE(field.GetUpdateRect(&update, FALSE));
    EXPECT_EQ(client, update);
    SnapshotBitmap bitmap(client.Width(), client.Height());
    RenderClient(field, bitmap);
    EXPECT_EQ(client.Width() * client.Height(), bitmap.CountColor(client, COLORREF(CPallasEditLong::kBackground)));

    // Wrapped: dark text on the first line and on the second (the font is 13 pixels high).
    field.SetWindowText(L"one two three four five six seven eight nine ten eleven twelve thirteen fourteen "
                        L"fifteen sixteen seventeen & eighteen");
    RenderClient(field, bitmap);
    const int background = bitmap.CountColor(client, COLORREF(CPallasEditLong::kBackground));
    const int firstLine = client.Width() * 13 - bitmap.CountColor(CRect(0, 0, client.right, 13),
                                                                  COLORREF(CPallasEditLong::kBackground));
    EXPECT_GT(firstLine, 100);
    EXPECT_LT(background + firstLine, client.Width() * client.Height() - 50);

    // 10^4 characters as one word: drawn, kept whole, nothing left behind.
    const ObjectCensus before = ObjectCensus::Take();
    field.SetWindowText(CString(L'w', 10000));
    RenderClient(field, bitmap);
    EXPECT_EQ(10000, field.GetWindowTextLength());
    EXPECT_TRUE(before.NoneGrewIn(ObjectCensus::Take()));
}

TEST_F(EditControls, PathFieldDrawsThePathShortenedInTheMiddle)
{
    CSmallControlsDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    dlg.ShowWindow(SW_SHOWNA);
    CPallasEditLongPath& field = dlg.m_path;
    const CString path = L"C:\\Program Files\\Morva\\Common\\Resources\\de-DE\\MorvaCommonResU.dll";
    field.SetWindowText(path);
    EXPECT_EQ(Narrow(path), TextOf(field)); // the text stays whole
    const CString shown = field.GetDisplayedText();
    EXPECT_EQ("C:\\", Narrow(shown.Left(3)));
    EXPECT_EQ("...\\MorvaCommonResU.dll", Narrow(shown.Right(23)));

    // Pixel for pixel what DrawText makes of the shortened text, 4 pixels in.
    CRect client;
    field.GetClientRect(&client);
    SnapshotBitmap actual(client.Width(), client.Height());
    RenderClient(field, actual);
    SnapshotBitmap expected(client.Width(), client.Height(), GetSysColor(COLOR_BTNFACE));
    SelectObject(expected.GetDC(), dlg.GetFont());
    SetTextColor(expected.GetDC(), GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(expected.GetDC(), GetSysColor(COLOR_BTNFACE));
    CRect rect(client.left + CPallasEditLongPath::kLeftInset, client.top, client.right, client.bottom);
    DrawTextW(expected.GetDC(), shown, shown.GetLength(), &rect, DT_VCENTER | DT_SINGLELINE);
    GdiFlush();
    int different = 0;
    for (int y = 0; y < client.Height(); ++y)
        for (int x = 0; x < client.Width(); ++x)
            different += actual.Pixel(x, y) != expected.Pixel(x, y);
    EXPECT_EQ(0, different);
    SaveSnapshot(dlg, L"path-field-ellipsis");

    // No backslash, one long segment, empty: drawn, the text kept whole.
    for (const CString& text : {CString(L'x', 10000), CString(L"C:\\") + CString(L'y', 10000), CString()}) {
        field.SetWindowText(text);
        RenderClient(field, actual);
        EXPECT_EQ(text.IsEmpty(), field.GetDisplayedText().IsEmpty());
        EXPECT_EQ(text.GetLength(), field.GetWindowTextLength());
    }
}

TEST_F(EditControls, ComboAddsEachEntryOnceAndReportsTheMatch)
{
    CSmallControlsDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    CPallasComboBox& combo = dlg.m_combo;
    combo.AddString(L"SERVER");
    CString text = L"Server";
    int index = 99;
    EXPECT_EQ(-1, combo.AddUnique(text, &index));
    EXPECT_EQ(0, index);
    text = L"\\\\Backup";
    EXPECT_EQ(1, combo.AddUnique(text, &index));
    EXPECT_EQ("Backup", Narrow(text)); // normalised in place
    EXPECT_EQ(1, index);
    // Spaces are part of the text: " backup" is an entry of its own.
    EXPECT_EQ(2, combo.AddUnique(text = L" backup", &index));
    EXPECT_EQ(" backup", Narrow(text));
    // Entries the owner added twice: the last match is reported.
    combo.AddString(L"server");
    EXPECT_EQ(-1, combo.AddUnique(text = L"\\Server", &index));
    EXPECT_EQ(3, index);
    // An empty text is an entry like any other: added once, then found.
    EXPECT_EQ(4, combo.AddUnique(text = L"", &index));
    EXPECT_EQ(-1, combo.AddUnique(text = L"", &index));
    EXPECT_EQ(4, index);
    EXPECT_EQ(5, combo.GetCount());
    combo.SetWindowText(L"\\\\Files ");
    combo.GetText(text);
    EXPECT_EQ("Files ", Narrow(text));
}

TEST_F(EditControls, DropDownWidensToTheLongestEntryAndNeverNarrows)
{
    CSmallControlsDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    dlg.ShowWindow(SW_SHOWNA);
    CPallasComboBox& combo = dlg.m_combo;
    const int initial = combo.GetDroppedWidth();
    // Short entries: the width stays; the dialog never hears of the drop-down.
    combo.AddString(L"a");
    combo.ShowDropDown(TRUE);
    combo.ShowDropDown(FALSE);
    EXPECT_EQ(UINT(initial), combo.GetInitialDroppedWidth());
    EXPECT_EQ(initial, combo.GetDroppedWidth());

    const CString longest = L"\\\\backup.example.org\\share\\with a long name";
    combo.AddString(longest);
    combo.AddString(L"shorter entry");
    const int width = TextWidth(combo, combo.GetFont(), longest) + CPallasComboBox::kDropDownMargin;
    ASSERT_GT(width, initial);
    combo.ShowDropDown(TRUE);
    EXPECT_EQ(width, combo.GetDroppedWidth());
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    CRect window;
    dlg.GetWindowRect(&window);
    SnapshotBitmap bitmap(window.Width(), window.Height());
    RenderWindow(dlg, bitmap);
    RenderPopup(dlg, info.hwndList, bitmap);
    WritePng(bitmap, SnapshotFolder() + L"\\combo-dropped-down.png");
    combo.ShowDropDown(FALSE);

    // Emptied, it keeps the width it had.
    combo.ResetContent();
    combo.ShowDropDown(TRUE);
    combo.ShowDropDown(FALSE);
    EXPECT_EQ(width, combo.GetDroppedWidth());
    EXPECT_EQ(0, dlg.CountCommands(IDC_TEST_COMBO, CBN_DROPDOWN));
}

TEST(ImageListPresets, CreateAndLoad)
{
    const HMODULE resources = LanguageLibrary(L"en-US");
    CPallasImageList small, strip, none;
    ASSERT_TRUE(small.CreateSmall(2, 2) && strip.CreateStrip(4, 4, 48));
    const HIMAGELIST made = small.GetSafeHandle();
    EXPECT_FALSE(small.CreateStrip(4, 4, 48)); // a list is made once
    EXPECT_EQ(made, small.GetSafeHandle());
    EXPECT_EQ(CSize(16, 16), small.GetIconSize());
    EXPECT_EQ(CSize(48, 16), strip.GetIconSize());
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), small.GetBkColor());
    EXPECT_EQ(1, small.AddIcon(resources, IDI_DIALOG) + small.AddIcon(resources, IDI_MESSAGE_WARNING));
    EXPECT_EQ(-1, small.AddIcon(resources, 9999));
    EXPECT_EQ(0, small.AddBitmap(resources, 9999)); // missing: nothing added, still 0
    EXPECT_EQ(2, small.GetImageCount());
    EXPECT_EQ(-1, none.AddIcon(resources, IDI_DIALOG)); // no list
}
