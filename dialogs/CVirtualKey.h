// CVirtualKey: a hotkey value, up to two modifier keys and one key (virtual-key
// codes, 0 where none), with its display name from the key-name strings of a
// resource module and a test whether it is held down now.
#pragma once
#include <windows.h>
#include "dialogs/VirtualKeyNames.h"
#include "framework/CString.h"
#include "framework/MorvaApi.h"

class MORVA_API CVirtualKey
{
public:
    CVirtualKey() = default;
    virtual ~CVirtualKey() = default;

    // Stores all four; hResource holds the key-name strings.
    void Set(HINSTANCE hResource, UINT firstModifier, UINT secondModifier, UINT key);
    // Each output is optional (null).
    void Get(UINT* pFirstModifier, UINT* pSecondModifier, UINT* pKey) const;
    // "Ctrl + Shift + A": the names of the non-zero components.
    CString GetText() const;
    // Whether every non-zero component is down now; an empty value is.
    bool IsPressed() const;
    bool IsEmpty() const { return m_nFirstModifier == 0 && m_nSecondModifier == 0 && m_nKey == 0; }

    // Display name of one code from the strings of hResource (see VirtualKeyName).
    static CString KeyName(HINSTANCE hResource, UINT code);

protected:
    UINT m_nFirstModifier = 0;       // virtual-key code or 0
    UINT m_nSecondModifier = 0;      // virtual-key code or 0
    UINT m_nKey = 0;                 // virtual-key code or 0
    HINSTANCE m_hResource = nullptr; // module holding the key-name strings
};
