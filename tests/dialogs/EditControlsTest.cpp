// The edit and combo controls in a real dialog: keys into the hotkey field,
// the edit field's own context menu, the painting of the long-text and path
// fields (checked on pixels), the combo box's unique entries and drop-down
// width, and the image list presets.
#include <algorithm>
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

CString TextOf(HWND hWnd)
{
    CString text;
    CWnd::FromHandle(hWnd)->GetWindowText(text);
    return text;
}

// Pixels of the colour in a column range of a bitmap.
int CountInColumns(const SnapshotBitmap& bitmap, int left, int right, COLORREF color)
{
    return bitmap.CountColor(RECT{left, 0, right, bitmap.Height()}, color);
}

// Whether a pixel is dark (text drawn in the window text colour, antialiased or not).
bool IsDark(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
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
    EXPECT_EQ("Ctrl + Shift + A", Narrow(TextOf(hotkey)));
    UINT first = 0, second = 0, key = 0;
    hotkey.GetKey().Get(&first, &second, &key);
    EXPECT_EQ(UINT(VK_CONTROL), first);
    EXPECT_EQ(UINT(VK_SHIFT), second);
    EXPECT_EQ(UINT('A'), key);
    EXPECT_TRUE(hotkey.GetKey().IsPressed() == false); // 'A' itself is not down
    hotkey.GetKey().Get(nullptr, nullptr, nullptr);     // every output optional

    // Alt comes as a system key; with all three only Ctrl and Shift stay.
    SetModifiers(true, true, true);
    hotkey.SendMessage(WM_SYSKEYDOWN, VK_F5, 0x20000001);
    hotkey.SendMessage(WM_SYSCHAR, 'x', 0x20000001);
    EXPECT_EQ("Ctrl + Shift + F5", Narrow(TextOf(hotkey)));

    // An ignored key leaves it; the keypad's Home (NumLock off) is its 7.
    SetModifiers(false, false, false);
    hotkey.SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ("Ctrl + Shift + F5", Narrow(TextOf(hotkey)));
    hotkey.SendMessage(WM_KEYDOWN, VK_HOME, 0x00470001);
    EXPECT_EQ("7 (Num)", Narrow(TextOf(hotkey)));
    hotkey.SendMessage(WM_KEYDOWN, VK_HOME, 0x01470001); // the cursor block's Home
    EXPECT_EQ("7 (Num)", Narrow(TextOf(hotkey)));
    SaveSnapshot(dlg, L"hotkey-with-key");

    // Shift alone, then Backspace empties field and value.
    SetModifiers(false, true, false);
    hotkey.SendMessage(WM_KEYDOWN, VK_SHIFT, 1);
    EXPECT_EQ("Shift", Narrow(TextOf(hotkey)));
    EXPECT_TRUE(hotkey.GetKey().IsPressed());
    SetModifiers(false, false, false);
    EXPECT_FALSE(hotkey.GetKey().IsPressed());
    hotkey.SendMessage(WM_KEYDOWN, VK_BACK, 1);
    hotkey.SendMessage(WM_CHAR, VK_BACK, 1);
    EXPECT_EQ("", Narrow(TextOf(hotkey)));
    EXPECT_TRUE(hotkey.GetKey().IsEmpty());
    EXPECT_TRUE(hotkey.GetKey().IsPressed()); // an empty value counts as pressed
}

TEST_F(EditControls, HotkeyNamesComeFromTheResourceLanguage)
{
    CSmallControlsDlg dlg(LanguageLibrary(L"de-DE"));
    ASSERT_TRUE(dlg.CreateModeless());
    SetModifiers(true, true, false);
    dlg.m_hotkey.SendMessage(WM_KEYDOWN, 'S', 1);
    SetModifiers(false, false, false);
    EXPECT_EQ("Strg + Umschalt + S", Narrow(TextOf(dlg.m_hotkey)));
    EXPECT_EQ("Alt Gr", Narrow(CVirtualKey::KeyName(LanguageLibrary(L"de-DE"), VK_RMENU)));
    // Without a module the names of modifiers are missing; the key stays.
    CVirtualKey value;
    value.Set(nullptr, VK_CONTROL, 0, VK_F2);
    EXPECT_EQ("F2", Narrow(value.GetText()));
}

TEST_F(EditControls, ContextMenuIsTheLibrarysAndItsCommandGoesToTheDialog)
{
    CSmallControlsDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    dlg.ShowWindow(SW_SHOWNA);
    PumpMessages();
    // In the menu: the mnemonic of "Select All".
    dlg.menuInput.push_back(MSG{nullptr, WM_CHAR, 'a', 0, 0, {0, 0}});
    CRect rect;
    dlg.m_resetable.GetWindowRect(&rect);
    dlg.m_resetable.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(dlg.m_resetable.m_hWnd),
                                MAKELPARAM(rect.left + 5, rect.top + 5));
    PumpMessages();
    ASSERT_EQ(1u, dlg.popups.size()); // one menu, not the edit's own as well
    EXPECT_FALSE(IsMenu(dlg.popups[0])); // destroyed after use
    EXPECT_EQ(1, dlg.CountCommands(ID_EDIT_SELECT_ALL, 0));

    // From the keyboard (-1, -1) it opens at the field; Escape closes it
    // without a command; nothing stays behind.
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
    CPallasEditLong& field = dlg.m_long;
    CRect client;
    field.GetClientRect(&client);

    // A new text asks for a repaint with erasing; the result is 0.
    dlg.ShowWindow(SW_SHOWNA);
    dlg.UpdateWindow();
    EXPECT_EQ(0, field.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")));
    CRect update;
    EXPECT_TRUE(field.GetUpdateRect(&update, FALSE));
    EXPECT_EQ(client, update);

    SnapshotBitmap empty(client.Width(), client.Height());
    RenderClient(field, empty);
    EXPECT_EQ(client.Width() * client.Height(), empty.CountColor(client, COLORREF(CPallasEditLong::kBackground)));

    field.SetWindowText(L"one two three four five six seven eight nine ten eleven twelve thirteen fourteen "
                        L"fifteen sixteen seventeen & eighteen");
    SnapshotBitmap bitmap(client.Width(), client.Height());
    RenderClient(field, bitmap);
    EXPECT_EQ(COLORREF(CPallasEditLong::kBackground), bitmap.Pixel(client.right - 1, client.bottom - 1));
    // Text on the first line and, wrapped, on the second (the dialog font is 13 px high).
    int darkFirst = 0, darkSecond = 0;
    for (int x = 0; x < client.Width(); ++x) {
        for (int y = 0; y < 13; ++y)
            darkFirst += IsDark(bitmap.Pixel(x, y));
        for (int y = 13; y < 26; ++y)
            darkSecond += IsDark(bitmap.Pixel(x, y));
    }
    EXPECT_GT(darkFirst, 50);
    EXPECT_GT(darkSecond, 20);

    // 10^4 characters of one word and of many: drawn, kept whole, no object left.
    const ObjectCensus before = ObjectCensus::Take();
    for (const CString& text : {CString(L'w', 10000), [] {
             CString s;
             for (int i = 0; i < 2000; ++i)
                 s += L"word ";
             return s;
         }()}) {
        field.SetWindowText(text);
        RenderClient(field, bitmap);
        EXPECT_EQ(10000, field.GetWindowTextLength());
    }
    EXPECT_TRUE(before.NoneGrewIn(ObjectCensus::Take()));
}

TEST_F(EditControls, PathFieldDrawsWhatTheEllipsisRuleAnswers)
{
    CSmallControlsDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    dlg.ShowWindow(SW_SHOWNA);
    CPallasEditLongPath& field = dlg.m_path;
    const CString path = L"C:\\Program Files\\Morva\\Common\\Resources\\de-DE\\MorvaCommonResU.dll";
    field.SetWindowText(path);
    EXPECT_EQ(Narrow(path), Narrow(TextOf(field))); // the text stays whole
    const CString shown = field.GetDisplayedText();
    EXPECT_EQ(L"C:\\", shown.Left(3));
    EXPECT_EQ(L"...\\MorvaCommonResU.dll", shown.Right(23));

    CRect client;
    field.GetClientRect(&client);
    SnapshotBitmap actual(client.Width(), client.Height());
    RenderClient(field, actual);
    // The same text drawn by hand, 4 pixels in, centred, with the dialog font.
    SnapshotBitmap expected(client.Width(), client.Height(), GetSysColor(COLOR_BTNFACE));
    SelectObject(expected.GetDC(), dlg.GetFont());
    SetTextColor(expected.GetDC(), GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(expected.GetDC(), GetSysColor(COLOR_BTNFACE));
    CRect rect = client;
    rect.left += CPallasEditLongPath::kLeftInset;
    CString copy = shown;
    DrawTextW(expected.GetDC(), copy.GetBuffer(), copy.GetLength(), &rect, DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    copy.ReleaseBuffer();
    GdiFlush();
    int different = 0;
    for (int y = 0; y < client.Height(); ++y)
        for (int x = 0; x < client.Width(); ++x)
            different += actual.Pixel(x, y) != expected.Pixel(x, y);
    EXPECT_EQ(0, different);
    EXPECT_EQ(4 * client.Height(), CountInColumns(actual, 0, 4, GetSysColor(COLOR_BTNFACE)));
    SaveSnapshot(dlg, L"path-field-ellipsis");

    // No backslash, one long segment, empty: never wider than the field.
    for (const CString& text : {CString(L'x', 10000), CString(L"C:\\") + CString(L'y', 10000), CString()}) {
        field.SetWindowText(text);
        const CString display = field.GetDisplayedText();
        HDC hdc = GetDC(field);
        SelectObject(hdc, dlg.GetFont());
        SIZE size{};
        GetTextExtentPoint32W(hdc, display, display.GetLength(), &size);
        ReleaseDC(field, hdc);
        EXPECT_LE(size.cx, client.Width() - CPallasEditLongPath::kLeftInset);
        EXPECT_EQ(text.IsEmpty(), display.IsEmpty());
        RenderClient(field, actual);
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
    EXPECT_EQ(1, combo.GetCount());

    text = L"  \\\\Backup ";
    EXPECT_EQ(1, combo.AddUnique(text, &index));
    EXPECT_EQ("Backup", Narrow(text)); // normalised in place
    EXPECT_EQ(1, index);
    text = L"\\backup";
    EXPECT_EQ(-1, combo.AddUnique(text)); // no index wanted
    EXPECT_EQ(2, combo.GetCount());

    // Entries the owner added twice: the last match is reported.
    combo.AddString(L"server");
    text = L"Server";
    EXPECT_EQ(-1, combo.AddUnique(text, &index));
    EXPECT_EQ(2, index);

    // Empty and white space only: nothing added, the index left alone.
    index = 42;
    for (LPCWSTR blank : {L"", L"   ", L"\t"}) {
        text = blank;
        EXPECT_EQ(-1, combo.AddUnique(text, &index));
    }
    EXPECT_EQ(42, index);
    EXPECT_EQ(3, combo.GetCount());

    combo.SetWindowText(L" \\\\Files ");
    combo.GetText(text);
    EXPECT_EQ("Files", Narrow(text));
}

TEST_F(EditControls, DropDownWidensToTheLongestEntryAndNeverNarrows)
{
    CSmallControlsDlg dlg;
    ASSERT_TRUE(dlg.CreateModeless());
    dlg.ShowWindow(SW_SHOWNA);
    CPallasComboBox& combo = dlg.m_combo;
    const int initial = combo.GetDroppedWidth();
    EXPECT_EQ(0u, combo.GetInitialDroppedWidth());

    // Short entries: the width stays; the dialog never hears of the drop-down.
    combo.AddString(L"a");
    combo.AddString(L"bb");
    combo.ShowDropDown(TRUE);
    combo.ShowDropDown(FALSE);
    EXPECT_EQ(UINT(initial), combo.GetInitialDroppedWidth());
    EXPECT_EQ(initial, combo.GetDroppedWidth());
    EXPECT_EQ(0, dlg.CountCommands(IDC_TEST_COMBO, CBN_DROPDOWN));

    const CString longest = L"\\\\backup.example.org\\share\\with a long name";
    combo.AddString(longest);
    combo.AddString(L"shorter entry");
    HDC hdc = GetDC(combo);
    SelectObject(hdc, combo.GetFont());
    SIZE size{};
    GetTextExtentPoint32W(hdc, longest, longest.GetLength(), &size);
    ReleaseDC(combo, hdc);
    ASSERT_GT(size.cx + 16, initial);
    combo.ShowDropDown(TRUE);
    EXPECT_EQ(size.cx + CPallasComboBox::kDropDownMargin, combo.GetDroppedWidth());

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

    // Emptied, it keeps the width it had at the first drop-down at least.
    combo.ResetContent();
    combo.ShowDropDown(TRUE);
    combo.ShowDropDown(FALSE);
    EXPECT_GE(combo.GetDroppedWidth(), initial);
    EXPECT_EQ(0, dlg.CountCommands(IDC_TEST_COMBO, CBN_DROPDOWN));
}

TEST(ImageListPresets, CreateAndLoad)
{
    const HMODULE resources = LanguageLibrary(L"en-US");
    CPallasImageList small;
    ASSERT_TRUE(small.CreateSmall(2, 2));
    EXPECT_EQ(CSize(16, 16), small.GetIconSize());
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), small.GetBkColor());
    EXPECT_EQ(0, small.AddIcon(resources, IDI_DIALOG));
    EXPECT_EQ(1, small.AddIcon(resources, IDI_MESSAGE_WARNING));
    EXPECT_EQ(-1, small.AddIcon(resources, 9999));
    EXPECT_EQ(-1, small.AddIcon(nullptr, IDI_DIALOG));
    EXPECT_EQ(2, small.GetImageCount());
    // A missing bitmap adds nothing and still answers 0.
    EXPECT_EQ(0, small.AddBitmap(resources, 9999));
    EXPECT_EQ(2, small.GetImageCount());

    CPallasImageList strip;
    ASSERT_TRUE(strip.CreateStrip(4, 4, 48));
    EXPECT_EQ(CSize(48, 16), strip.GetIconSize());
    IMAGEINFO info{};
    EXPECT_EQ(0, strip.AddBitmap(resources, 9999));
    EXPECT_FALSE(strip.GetImageInfo(0, &info));

    CPallasImageList none; // no list: neutral answers
    EXPECT_EQ(-1, none.AddIcon(resources, IDI_DIALOG));
    EXPECT_EQ(0, none.AddBitmap(resources, 1));
}
