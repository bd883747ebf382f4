#include "dialogs/CHotkeyEdit.h"

IMPLEMENT_DYNAMIC(CHotkeyEdit, CResetableEdit)

BEGIN_MESSAGE_MAP(CHotkeyEdit, CResetableEdit)
    ON_WM_KEYDOWN()
    ON_WM_SYSKEYDOWN()
    ON_WM_CHAR()
    ON_MESSAGE(WM_SYSCHAR, &CHotkeyEdit::OnSysChar)
END_MESSAGE_MAP()

CHotkeyEdit::CHotkeyEdit(HINSTANCE hResource) : m_hResource(hResource)
{
}

void CHotkeyEdit::SetKey(UINT firstModifier, UINT secondModifier, UINT key)
{
    m_key.Set(m_hResource, firstModifier, secondModifier, key);
    if (m_hWnd != nullptr)
        SetWindowText(m_key.GetText());
}

void CHotkeyEdit::HandleKey(UINT nChar, UINT nFlags)
{
    HotkeyChord chord;
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    const bool alt = ::GetKeyState(VK_MENU) < 0;
    if (ClassifyHotkeyPress(nChar, nFlags, control, shift, alt, chord))
        SetKey(chord.firstModifier, chord.secondModifier, chord.key);
}

void CHotkeyEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    HandleKey(nChar, nFlags);
    // The edit's own handling follows (caret keys move the caret).
    if (m_hWnd != nullptr)
        CResetableEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CHotkeyEdit::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    HandleKey(nChar, nFlags);
    if (m_hWnd != nullptr)
        CResetableEdit::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

void CHotkeyEdit::OnChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
}

LRESULT CHotkeyEdit::OnSysChar(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // Alt with a letter would otherwise beep or reach a menu of the dialog.
    return 0;
}
