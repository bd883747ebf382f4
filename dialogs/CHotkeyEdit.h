// CHotkeyEdit: a field in which the user presses a key combination instead of
// typing. Each key press sets the held CVirtualKey (see ClassifyHotkeyPress)
// and shows its name; Backspace and Delete empty it; typed characters never
// reach the text. The dialog reads the result with GetKey.
#pragma once
#include <windows.h>
#include "dialogs/CResetableEdit.h"
#include "dialogs/CVirtualKey.h"

class MORVA_API CHotkeyEdit : public CResetableEdit
{
    DECLARE_DYNAMIC(CHotkeyEdit)
public:
    // hResource holds the key-name strings.
    explicit CHotkeyEdit(HINSTANCE hResource);

    const CVirtualKey& GetKey() const { return m_key; }
    // Sets the combination and shows its name.
    void SetKey(UINT firstModifier, UINT secondModifier, UINT key);

protected:
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnSysChar(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Implementation
    void HandleKey(UINT nChar, UINT nFlags);

    CVirtualKey m_key;       // the combination shown
    HINSTANCE m_hResource;   // handed to the key value with every change
};
