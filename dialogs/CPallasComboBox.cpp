#include "dialogs/CPallasComboBox.h"
#include "dialogs/ComboText.h"

IMPLEMENT_DYNAMIC(CPallasComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CPallasComboBox, CComboBox)
    // Handled here only: the dialog does not hear of the drop-down.
    ON_CONTROL_REFLECT(CBN_DROPDOWN, &CPallasComboBox::OnDropDown)
END_MESSAGE_MAP()

int CPallasComboBox::AddUnique(CString& text, int* pIndex)
{
    text = NormaliseComboText(text);
    if (m_hWnd == nullptr)
        return CB_ERR; // no box to search or add to
    int result = 0;
    const int count = GetCount();
    CString entry;
    for (int i = 0; i < count; ++i) {
        GetLBText(i, entry);
        if (ComboTextsMatch(entry, text)) {
            if (pIndex != nullptr)
                *pIndex = i;
            result = -1;
        }
    }
    if (result == -1)
        return -1;
    result = AddString(text);
    if (pIndex != nullptr)
        *pIndex = result;
    return result;
}

void CPallasComboBox::GetText(CString& text) const
{
    GetWindowText(text);
    text = NormaliseComboText(text);
}

void CPallasComboBox::OnDropDown()
{
    if (m_nInitialDroppedWidth == 0)
        m_nInitialDroppedWidth = static_cast<UINT>(GetDroppedWidth());
    const int width = MeasureWidestEntry() + kDropDownMargin;
    if (width > static_cast<int>(m_nInitialDroppedWidth))
        SetDroppedWidth(static_cast<UINT>(width));
}

int CPallasComboBox::MeasureWidestEntry() const
{
    const int count = GetCount();
    if (count <= 0)
        return 0;
    HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ old = ::SelectObject(hDC, GetFont());
    int widest = 0;
    CString entry;
    for (int i = 0; i < count; ++i) {
        GetLBText(i, entry);
        SIZE size{0, 0};
        ::GetTextExtentPoint32W(hDC, entry, entry.GetLength(), &size);
        if (size.cx > widest)
            widest = size.cx;
    }
    ::SelectObject(hDC, old);
    ::ReleaseDC(m_hWnd, hDC);
    return widest;
}
